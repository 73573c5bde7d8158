// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/WaitUntil.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Whether the signal's bit is set in a mask line of the process's status ("SigCgt" for a handler
// of its own, "SigIgn" for an ignored signal).
bool inMask(qint64 pid, const char* mask, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    const QByteArray name = QByteArray(mask) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(name))
            return (line.mid(name.size()).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    return false;
}

bool catches(qint64 pid, int signal)
{
    return inMask(pid, "SigCgt", signal);
}

// The program on a first start in an empty home folder.
struct ProgramInEmptyHome {
    // The settings file may be made a folder first, which can never be written over.
    explicit ProgramInEmptyHome(bool settingsUnwritable = false)
    {
        if (settingsUnwritable)
            QDir(home.path()).mkpath(QStringLiteral(".config/lectorix/set.ini"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(LECTORIX_PROGRAM), {});
    }

    QTemporaryDir home;
    QProcess program;
};

} // namespace

// A first start in an empty home folder, ended by a plain kill.
TEST(Program, AKillClosesTheWindowSoTheSettingsAreWritten)
{
    ProgramInEmptyHome started;
    QProcess& program = started.program;
    ASSERT_TRUE(program.waitForStarted());
    ASSERT_TRUE(testsupport::waitUntil([&] { return catches(program.processId(), SIGTERM); }))
        << "no handler for SIGTERM";

    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    QFile settings(started.home.filePath(QStringLiteral(".config/lectorix/set.ini")));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray written = settings.readAll();
    EXPECT_TRUE(written.startsWith("[set]\r\nRate=0\r\nVolume=80\r\n"));
    EXPECT_TRUE(written.endsWith("\r\nEngine=0\r\n")) << "a voice was listed and chosen";
}

// Started with hang-ups ignored, as nohup does, the program keeps them ignored.
TEST(Program, ASignalIgnoredAtStartStaysIgnored)
{
    const auto previous = std::signal(SIGHUP, SIG_IGN);
    ProgramInEmptyHome started;
    std::signal(SIGHUP, previous);
    QProcess& program = started.program;
    ASSERT_TRUE(program.waitForStarted());
    ASSERT_TRUE(testsupport::waitUntil([&] { return catches(program.processId(), SIGTERM); }));
    EXPECT_TRUE(inMask(program.processId(), "SigIgn", SIGHUP));
    EXPECT_FALSE(catches(program.processId(), SIGHUP));
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    EXPECT_TRUE(program.waitForFinished(30000));
}

// Closing by a signal, an error is said on standard error: no box waits for an OK that never comes.
TEST(Program, ASignalClosesWithoutABoxWhenTheSettingsCannotBeWritten)
{
    ProgramInEmptyHome started(true);
    QProcess& program = started.program;
    ASSERT_TRUE(program.waitForStarted());
    ASSERT_TRUE(testsupport::waitUntil([&] { return catches(program.processId(), SIGTERM); }));
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(30000)) << "waiting for OK";
    EXPECT_TRUE(program.readAllStandardError().contains("lectorix: Unable to write to "));
}
