#include "tests/support/WaitUntil.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Whether the process has a handler of its own for the signal, so a signal sent now is not
// taken by the default action.
bool catches(qint64 pid, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    return false;
}

} // namespace

// A first start in an empty home folder, ended by a plain kill.
TEST(Program, AKillClosesTheWindowSoTheSettingsAreWritten)
{
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(LECTORIX_PROGRAM), {});
    ASSERT_TRUE(program.waitForStarted());
    ASSERT_TRUE(testsupport::waitUntil([&] { return catches(program.processId(), SIGTERM); }))
        << "no handler for SIGTERM";

    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    QFile settings(home.filePath(QStringLiteral(".config/lectorix/set.ini")));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray written = settings.readAll();
    EXPECT_TRUE(written.startsWith("[set]\r\nRate=0\r\nVolume=80\r\n"));
    EXPECT_TRUE(written.endsWith("\r\nEngine=0\r\n")) << "a voice was listed and chosen";
}
