// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/Registry.h"

#include "formats/FileWriting.h"

#include <algorithm>
#include <functional>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <stdexcept>
#include <vector>

namespace formats {

namespace {

struct Key {
    QString name;
    QList<RegistryValue> values;
    std::vector<Key> keys;
};

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

Key* findChild(Key& key, const QString& name)
{
    const auto found = std::ranges::find_if(
        key.keys, [&](const Key& child) { return sameName(child.name, name); });
    return found == key.keys.end() ? nullptr : &*found;
}

Key* find(Key& root, const QStringList& path)
{
    Key* key = &root;
    for (qsizetype i = 0; key && i < path.size(); ++i)
        key = findChild(*key, path[i]);
    return key;
}

Key& create(Key& root, const QStringList& path)
{
    Key* key = &root;
    for (const QString& name : path) {
        Key* child = findChild(*key, name);
        key = child ? child : &key->keys.emplace_back(Key{name, {}, {}});
    }
    return *key;
}

void setValue(Key& key, const QString& name, const QString& data)
{
    const auto found = std::ranges::find_if(
        key.values, [&](const RegistryValue& value) { return sameName(value.name, name); });
    if (found == key.values.end())
        key.values.append({name, data});
    else
        found->data = data;
}

QJsonObject toJson(const Key& key)
{
    QJsonArray values;
    for (const RegistryValue& value : key.values)
        values.append(QJsonArray{value.name, value.data});
    QJsonArray keys;
    for (const Key& child : key.keys)
        keys.append(toJson(child));
    return {{QStringLiteral("name"), key.name},
            {QStringLiteral("values"), values},
            {QStringLiteral("keys"), keys}};
}

Key fromJson(const QJsonObject& object)
{
    Key key{object[QStringLiteral("name")].toString(), {}, {}};
    for (const QJsonValue& value : object[QStringLiteral("values")].toArray())
        key.values.append({value[0].toString(), value[1].toString()});
    for (const QJsonValue& child : object[QStringLiteral("keys")].toArray())
        key.keys.push_back(fromJson(child.toObject()));
    return key;
}

// Nothing when a file is there but cannot be read or parsed: writing over it would lose what it
// holds.
std::optional<Key> load(const QString& path)
{
    if (!QFileInfo::exists(path))
        return Key();
    QFile file(path);
    // Opening a pipe would wait for a writer for good.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;
    return fromJson(document.object());
}

bool save(const QString& path, const Key& root)
{
    return !replaceFile(path, QJsonDocument(toJson(root)).toJson());
}

std::optional<Key> loadKey(const QString& file, const QStringList& path)
{
    std::optional<Key> root = load(file);
    const Key* key = root ? find(*root, path) : nullptr;
    return key ? std::optional<Key>(*key) : std::nullopt;
}

std::runtime_error unableToWrite(const QString& path)
{
    return std::runtime_error(QStringLiteral("Unable to write to %1").arg(path).toStdString());
}

// Saves the tree when `change` changed it.
bool update(const QString& path, const std::function<bool(Key&)>& change)
{
    std::optional<Key> root = load(path);
    if (!root)
        throw unableToWrite(path);
    if (!change(*root))
        return false;
    if (!save(path, *root))
        throw unableToWrite(path);
    return true;
}

} // namespace

Registry::Registry(QString filePath)
    : filePath_(std::move(filePath))
{
}

bool Registry::OpenKey(const QString& path, bool canCreate)
{
    std::optional<Key> root = load(filePath_);
    if (!root)
        return false;
    const QStringList keyPath = resolve(path);
    if (canCreate)
        create(*root, keyPath);
    else if (!find(*root, keyPath))
        return false;
    // Saved even when unchanged, to learn whether the file takes writes.
    if (!save(filePath_, *root))
        return false;
    openKey_ = keyPath;
    return true;
}

void Registry::CloseKey()
{
    openKey_.clear();
}

bool Registry::CreateKey(const QString& path)
{
    const QStringList keyPath = resolve(path);
    return update(filePath_, [&](Key& root) {
        create(root, keyPath);
        return true;
    });
}

bool Registry::DeleteKey(const QString& path)
{
    const QStringList keyPath = resolve(path);
    return !keyPath.isEmpty() && update(filePath_, [&](Key& root) {
        Key* parent = find(root, keyPath.first(keyPath.size() - 1));
        return parent && std::erase_if(parent->keys, [&](const Key& key) {
                             return sameName(key.name, keyPath.last());
                         }) > 0;
    });
}

void Registry::WriteString(const QString& name, const QString& value)
{
    const bool written = update(filePath_, [&](Key& root) {
        Key* key = find(root, openKey_);
        if (key)
            setValue(*key, name, value);
        return key != nullptr;
    });
    // The open key was deleted since.
    if (!written)
        throw unableToWrite(filePath_);
}

bool Registry::KeyExists(const QString& path) const
{
    return loadKey(filePath_, resolve(path)).has_value();
}

QStringList Registry::KeyNames(const QString& path) const
{
    QStringList names;
    if (const std::optional<Key> key = loadKey(filePath_, resolve(path)))
        for (const Key& child : key->keys)
            names << child.name;
    return names;
}

QList<RegistryValue> Registry::Values(const QString& path) const
{
    return loadKey(filePath_, resolve(path)).value_or(Key()).values;
}

std::optional<QString> Registry::ReadString(const QString& path, const QString& name) const
{
    const QList<RegistryValue> values = Values(path);
    const auto found = std::ranges::find_if(
        values, [&](const RegistryValue& value) { return sameName(value.name, name); });
    return found == values.end() ? std::nullopt : std::optional<QString>(found->data);
}

QStringList Registry::resolve(const QString& path) const
{
    const QStringList names = path.split(u'\\', Qt::SkipEmptyParts);
    return path.startsWith(u'\\') ? names : openKey_ + names;
}

} // namespace formats
