// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace testsupport {

// Points the application-data folder at a new temporary folder while it lives, so no test reads
// or writes the user's settings or another test's. Given `missing`, it points at that path inside
// the temporary folder, which does not exist yet.
class TemporaryConfig {
public:
    explicit TemporaryConfig(const QString& missing = {})
        : previous_(qgetenv("XDG_CONFIG_HOME"))
        , path_(missing.isEmpty() ? folder_.path() : folder_.filePath(missing))
    {
        qputenv("XDG_CONFIG_HOME", path_.toLocal8Bit());
    }
    ~TemporaryConfig() { qputenv("XDG_CONFIG_HOME", previous_); }
    TemporaryConfig(const TemporaryConfig&) = delete;
    TemporaryConfig& operator=(const TemporaryConfig&) = delete;

    QString path() const { return path_; }
    // A file in the data folder of the running test program.
    QString dataFile(const QString& name) const
    {
        return path_ + u'/' + QFileInfo(QCoreApplication::applicationFilePath()).baseName() + u'/' +
               name;
    }
    QByteArray read(const QString& name) const
    {
        QFile file(dataFile(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFileInfo(dataFile(name)).dir().mkpath(QStringLiteral("."));
        QFile file(dataFile(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

private:
    QByteArray previous_;
    QTemporaryDir folder_;
    QString path_;
};

} // namespace testsupport
