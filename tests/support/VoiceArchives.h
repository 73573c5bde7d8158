// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tests/support/TemporaryFiles.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

// Voice archives as tests make them, with libarchive's writer, and the state of a voices folder.
namespace testsupport {

// The neural voices the build made for the tests.
const QString Made = QStringLiteral(TEST_VOICES);

struct Member {
    enum Type { File, Folder, Link };
    QString name;
    QByteArray data{};
    Type type = File;
    // A file this long that holds only its last byte, as a sparse file.
    qint64 sparseSize = 0;
};

inline void writeArchive(const QString& path, const std::vector<Member>& members)
{
    archive* writer = archive_write_new();
    archive_write_add_filter_bzip2(writer);
    archive_write_set_format_pax_restricted(writer);
    ASSERT_EQ(archive_write_open_filename(writer, QFile::encodeName(path).constData()), ARCHIVE_OK);
    for (const Member& member : members) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, member.name.toUtf8().constData());
        archive_entry_set_perm(entry, 0644);
        if (member.type == Member::Folder) {
            archive_entry_set_filetype(entry, AE_IFDIR);
        } else if (member.type == Member::Link) {
            archive_entry_set_filetype(entry, AE_IFLNK);
            archive_entry_set_symlink(entry, member.data.constData());
        } else {
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_size(entry,
                                   member.sparseSize ? member.sparseSize : member.data.size());
            if (member.sparseSize)
                archive_entry_sparse_add_entry(entry, member.sparseSize - 1, 1);
        }
        archive_write_header(writer, entry);
        if (member.type == Member::File)
            archive_write_data(writer, member.data.constData(), member.data.size());
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
}

// A voice as sherpa-onnx publishes them: one top folder with the model and its tokens.
inline std::vector<Member> voiceMembers(const QString& top,
                                        const QString& from = QStringLiteral("test-en"))
{
    return {{top + u'/', {}, Member::Folder},
            {top + QStringLiteral("/model.onnx"),
             contentsOf(Made + u'/' + from + u'/' + from + QStringLiteral(".onnx"))},
            {top + QStringLiteral("/tokens.txt"),
             contentsOf(Made + u'/' + from + QStringLiteral("/tokens.txt"))},
            {top + QStringLiteral("/MODEL_CARD"), QByteArray(300000, 'x')}};
}

// Every name below the folder, hidden ones too, with each file's contents.
inline QStringList stateOf(const QString& folder)
{
    QStringList state;
    QDirIterator all(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                     QDirIterator::Subdirectories);
    while (all.hasNext()) {
        const QString path = all.next();
        state << QDir(folder).relativeFilePath(path) + u' ' +
                     QString::number(qHash(contentsOf(path)));
    }
    state.sort();
    return state;
}

// A test with a folder of its own for the archives it makes and the voices it installs.
class VoicesFolderTest : public testing::Test {
protected:
    QString archive(const QString& name, const std::vector<Member>& members)
    {
        const QString path = work.filePath(name);
        writeArchive(path, members);
        return path;
    }

    QTemporaryDir work;
    QString voicesFolder = work.filePath(QStringLiteral("voices"));
};

} // namespace testsupport
