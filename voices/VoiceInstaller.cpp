// SPDX-License-Identifier: GPL-3.0-or-later

#include "voices/VoiceInstaller.h"

#include "engine/helper/SynthProtocol.h"
#include "engine/neural/OnnxMetadata.h"
#include "engine/neural/VoiceFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace voices {

namespace {

constexpr int LoadTimeoutMs = 60000;
// How often a user waiting for a voice to load may cancel.
constexpr int CancelCheckMs = 100;

[[noreturn]] void fail(const QString& reason)
{
    throw InstallError(reason.toStdString());
}

// A name that is one folder of the voices folder, and not one of its hidden working folders.
bool isVoiceName(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(u'.') && !name.contains(u'/');
}

QString archiveBaseName(const QString& path)
{
    QString name = QFileInfo(path).fileName();
    for (const QString& suffix : voiceArchiveSuffixes())
        if (name.endsWith(suffix, Qt::CaseInsensitive))
            return name.chopped(suffix.size());
    return name;
}

// Only files and folders are copied from a folder, as from an archive; all are checked before
// any is copied.
void copyFolder(const QString& from, const QString& to, qint64 mostBytes,
                const UnpackProgress& progress)
{
    QFileInfoList entries;
    qint64 total = 0;
    QDirIterator files(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QFileInfo file(files.next());
        if (file.isSymLink() || !(file.isFile() || file.isDir()))
            fail(QStringLiteral("\"%1\" is neither a file nor a folder; voices hold only those")
                     .arg(file.filePath()));
        total += file.isFile() ? file.size() : 0;
        if (total > mostBytes)
            fail(QStringLiteral("\"%1\" holds more than %2 MB, more than a voice may take")
                     .arg(from)
                     .arg(mostBytes >> 20));
        entries << file;
    }
    QDir().mkpath(to);
    qint64 done = 0;
    for (const QFileInfo& file : entries) {
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(file.filePath()));
        if (file.isDir() ? !QDir().mkpath(target) : !QFile::copy(file.filePath(), target))
            fail(QStringLiteral("\"%1\" could not be copied").arg(file.filePath()));
        done += file.isFile() ? file.size() : 0;
        if (progress && !progress(done, total))
            throw InstallCancelled();
    }
}

// The helper greets once the library has loaded the model.
bool greeted(const QByteArray& replies)
{
    synth::FrameReader frames;
    frames.append({replies.constData(), static_cast<std::size_t>(replies.size())});
    try {
        const std::optional<std::string> first = frames.next();
        return first && synth::decode(*first).type == synth::MessageType::Hello;
    } catch (const synth::ProtocolError&) {
        return false;
    }
}

} // namespace

VoiceInstaller::VoiceInstaller(QString voicesFolder, QString helperPath, qint64 mostBytes)
    : voicesFolder_(std::move(voicesFolder))
    , helperPath_(std::move(helperPath))
    , mostBytes_(mostBytes)
{
}

QString VoiceInstaller::install(const QString& source, const ReplaceQuestion& replace,
                                const UnpackProgress& progress)
{
    if (!QDir().mkpath(voicesFolder_))
        fail(QStringLiteral("\"%1\" could not be made").arg(voicesFolder_));
    // Beside the voices, so that the voice is renamed into place, never copied.
    QTemporaryDir staging(QDir(voicesFolder_).filePath(QStringLiteral(".installing-XXXXXX")));
    if (!staging.isValid())
        fail(QStringLiteral("\"%1\" could not be written").arg(voicesFolder_));
    const QString ready = unpack(source, staging.path(), progress);
    try {
        neural::readVoiceFolder(ready.toStdString(), LECTORIX_ESPEAK_NG_DATA);
    } catch (const neural::VoiceFolderError& error) {
        fail(QStringLiteral("\"%1\" is not a voice: %2")
                 .arg(source, QString::fromUtf8(error.what())));
    }
    checkLoads(ready, progress);

    const QString name = QFileInfo(ready).fileName();
    const QString target = QDir(voicesFolder_).filePath(name);
    if (QFileInfo::exists(target)) {
        if (!replace || !replace(name))
            fail(QStringLiteral("The voice \"%1\" is installed already.").arg(name));
        if (!QDir().rename(target, staging.filePath(QStringLiteral("replaced"))))
            fail(QStringLiteral("\"%1\" could not be replaced").arg(target));
    }
    if (!QDir().rename(ready, target)) {
        // The voice it was to replace goes back, rather than away with the staging folder.
        QDir().rename(staging.filePath(QStringLiteral("replaced")), target);
        fail(QStringLiteral("\"%1\" could not be written").arg(target));
    }
    return name;
}

// The voice's folder, named after the archive's one top folder, or else after the archive.
QString VoiceInstaller::unpack(const QString& source, const QString& staging,
                               const UnpackProgress& progress) const
{
    const QFileInfo from(source);
    if (!from.exists())
        fail(QStringLiteral("\"%1\" does not exist").arg(source));
    const QString unpacked = QDir(staging).filePath(QStringLiteral("unpacked"));
    QString name;
    if (from.isDir()) {
        name = from.fileName();
        copyFolder(source, unpacked, mostBytes_, progress);
    } else {
        name = archiveBaseName(source);
        unpackVoiceArchive(source, unpacked, mostBytes_, progress);
    }
    const QFileInfoList top =
        QDir(unpacked).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    QString voice = unpacked;
    if (top.size() == 1 && top.front().isDir() && !from.isDir()) {
        name = top.front().fileName();
        voice = top.front().filePath();
    }
    if (!isVoiceName(name))
        fail(QStringLiteral("\"%1\" cannot be the name of a voice").arg(name));
    const QString ready = QDir(staging).filePath(name);
    if (!QDir().rename(voice, ready))
        fail(QStringLiteral("\"%1\" could not be written").arg(ready));
    return ready;
}

// A voice is kept once its helper has greeted, that is once the library has loaded its model;
// the helper then ends with its input.
void VoiceInstaller::checkLoads(const QString& folder, const UnpackProgress& progress) const
{
    QProcess helper;
    helper.start(helperPath_, {folder});
    helper.closeWriteChannel();
    QElapsedTimer waited;
    waited.start();
    bool ended = false;
    while (!ended && !waited.hasExpired(LoadTimeoutMs)) {
        ended = helper.waitForFinished(CancelCheckMs) || helper.state() == QProcess::NotRunning;
        if (!ended && progress && !progress(1, 1)) {
            helper.kill();
            helper.waitForFinished();
            throw InstallCancelled();
        }
    }
    if (!ended) {
        helper.kill();
        helper.waitForFinished();
    }
    const QString said = QString::fromUtf8(helper.readAllStandardError()).trimmed();
    if (!ended || !greeted(helper.readAllStandardOutput()))
        fail(QStringLiteral("The voice in \"%1\" does not load: %2")
                 .arg(QFileInfo(folder).fileName(),
                      said.isEmpty() ? helper.errorString() : said.section(u'\n', -1)));
}

void VoiceInstaller::remove(const QString& name)
{
    const QString folder = QDir(voicesFolder_).filePath(name);
    if (!isVoiceName(name) || !QFileInfo(folder).isDir())
        fail(QStringLiteral("There is no voice \"%1\".").arg(name));
    // Gone from the list at once and whole, whatever then takes long or fails to be deleted.
    QTemporaryDir removing(QDir(voicesFolder_).filePath(QStringLiteral(".removing-XXXXXX")));
    if (!removing.isValid() || !QDir().rename(folder, removing.filePath(name)))
        fail(QStringLiteral("The voice \"%1\" could not be removed.").arg(name));
}

} // namespace voices
