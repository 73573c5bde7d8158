#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace testsupport {

// Points the application-data folder at a new temporary folder while it lives, so no test reads
// or writes the user's settings or another test's.
class TemporaryConfig {
public:
    TemporaryConfig()
        : previous_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", folder_.path().toLocal8Bit());
    }
    ~TemporaryConfig() { qputenv("XDG_CONFIG_HOME", previous_); }
    TemporaryConfig(const TemporaryConfig&) = delete;
    TemporaryConfig& operator=(const TemporaryConfig&) = delete;

    QString path() const { return folder_.path(); }
    // A file in the data folder of the running test program.
    QString dataFile(const QString& name) const
    {
        return folder_.path() + u'/' +
               QFileInfo(QCoreApplication::applicationFilePath()).baseName() + u'/' + name;
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
};

} // namespace testsupport
