// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <QList>
#include <QString>
#include <QStringList>

namespace formats {

struct RegistryValue {
    QString name;
    QString data;

    bool operator==(const RegistryValue&) const = default;
};

// The Windows registry's key tree, kept in one file. Paths are backslash separated; one starting
// with a backslash starts at the root, any other at the open key. Keys and value names are matched
// without regard to case, a key keeps the case it was created in, and keys and values keep the
// order they were made in. Every change reaches the file at once.
//
// The file is UTF-8 JSON: each key an object {"name": ..., "values": [[name, data], ...],
// "keys": [subkeys...]}, the root key the outermost one with an empty name. A missing file is an
// empty tree; one that does not parse is kept as it is, and no key opens.
class Registry {
public:
    explicit Registry(QString filePath);

    // False when the key is missing and not to be created, or the file cannot be written: keys are
    // opened for writing, so a store that cannot take writes opens none.
    bool OpenKey(const QString& path, bool canCreate);
    // Later paths start at the root again.
    void CloseKey();
    // Creates the keys along the path; throws when the file cannot be written.
    bool CreateKey(const QString& path);
    // Deletes the key and all below it; false when there is none. Throws when the file cannot be
    // written.
    bool DeleteKey(const QString& path);
    // The name "" is the key's default value. Throws when the file cannot be written or the open
    // key is gone.
    void WriteString(const QString& name, const QString& value);

    bool KeyExists(const QString& path) const;
    QStringList KeyNames(const QString& path) const;
    QList<RegistryValue> Values(const QString& path) const;
    std::optional<QString> ReadString(const QString& path, const QString& name) const;

private:
    QStringList resolve(const QString& path) const;

    QString filePath_;
    QStringList openKey_;
};

} // namespace formats
