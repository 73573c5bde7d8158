// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/QtPcmSink.h"
#include "tests/audio/SinkWriting.h"

#include <gtest/gtest.h>
#include <QFileInfo>
#include <QMediaDevices>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using testsupport::waitUntil;

namespace {

constexpr int Rate = 22050;

// A PulseAudio server of the test's own with a null output, which the test can take away. Made
// before anything in the process asks for sound devices, so Qt connects to it.
class OwnSoundServer {
public:
    bool start()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (program.isEmpty())
            return false;
        const QString socket = folder_.filePath(QStringLiteral("socket"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder_.path());
        environment.insert(QStringLiteral("HOME"), folder_.path());
        server_.setProcessEnvironment(environment);
        // The output is loaded first, so that it is there once the socket is.
        server_.start(program, {"-n", "--daemonize=no", "--use-pid-file=no", "--exit-idle-time=-1",
                                "--load=module-null-sink",
                                "--load=module-native-protocol-unix socket=" + socket});
        qputenv("PULSE_SERVER", ("unix:" + socket).toLocal8Bit());
        return waitUntil([&] { return QFileInfo::exists(socket); }, 10000);
    }
    void stop()
    {
        server_.kill();
        server_.waitForFinished();
    }

private:
    QTemporaryDir folder_;
    QProcess server_;
};

} // namespace

// What the device took but had not played when the server went is lost with it; it still counts
// as heard, or the speech written would never be heard to its end.
TEST(LostSoundServer, EverySampleWrittenCountsAsHeardOnceTheServerIsGone)
{
    OwnSoundServer server;
    if (!server.start())
        GTEST_SKIP() << "no PulseAudio server to start";
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    ASSERT_FALSE(device.isNull());
    audio::QtPcmSink sink(device, Rate);
    testsupport::writeSilence(sink, Rate / 2, Rate);
    ASSERT_TRUE(waitUntil([&] { return sink.playedSamples() > Rate / 10; }, 5000));
    server.stop();
    testsupport::writeSilence(sink, Rate / 2, Rate);
    EXPECT_TRUE(waitUntil([&] { return sink.playedSamples() == Rate; }, 5000))
        << sink.playedSamples();
}
