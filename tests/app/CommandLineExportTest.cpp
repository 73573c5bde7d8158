// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/WavExport.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ReadingWidgets.h"
#include "tests/support/RecordingFeedback.h"
#include "tests/support/TemporaryFiles.h"
#include "tests/support/WaitUntil.h"

#include <csignal>
#include <gmock/gmock.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

using testing::HasSubstr;

using testsupport::contentsOf;

namespace {

struct ProgramRun {
    int status = -1;
    QString out;
    QString err;
};

// The program as a script runs it in the folder: no display, standard error not a terminal.
void startInScript(QProcess& program, const QStringList& arguments, const QString& folder,
                   QProcessEnvironment environment = QProcessEnvironment::systemEnvironment())
{
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("HOME"), folder);
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(folder);
    program.start(QStringLiteral(LECTORIX_PROGRAM), arguments);
}

ProgramRun lectorix(const QStringList& arguments, const QString& folder,
                    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment())
{
    QProcess program;
    startInScript(program, arguments, folder, std::move(environment));
    program.waitForFinished(60000);
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardOutput()),
            QString::fromUtf8(program.readAllStandardError())};
}

} // namespace

// Markdown is read as the text it is heard as, the same as that text typed in the window.
TEST(CommandLineExport, WritesWhatTheWindowsExportWrites)
{
    testsupport::TemporaryFiles files;
    const QTemporaryDir& folder = files.folder;
    const QString text = QStringLiteral("A chapter for the car.\nAnd a second paragraph.");
    files.write(QStringLiteral("in.md"), "# A *chapter* for the car.\n\nAnd a `second` paragraph.");
    const ProgramRun run =
        lectorix({QStringLiteral("--export"), QStringLiteral("in.md"), QStringLiteral("out.wav"),
                  QStringLiteral("--rate"), QStringLiteral("3")},
                 folder.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(u'%')) << "no progress when standard error is a file";

    testsupport::EngineUnderTest speech(false);
    speech::VoiceHolder holder(speech.engine);
    testsupport::ReadingWidgets widgets;
    speech::ReadingControl reading(holder, widgets.controls());
    reading.fillVoiceList(0);
    reading.applyRateAndVolume(3, 100);
    widgets.editor.setPlainText(text);
    speech::WavExport exporter(holder, speech.engine, reading, widgets.editor);
    testsupport::RecordingFeedback feedback;
    exporter.exportText(folder.filePath(QStringLiteral("window.wav")), feedback);
    const QByteArray ours = contentsOf(folder.filePath(QStringLiteral("out.wav")));
    EXPECT_GT(ours.size(), 16000);
    EXPECT_TRUE(ours == contentsOf(folder.filePath(QStringLiteral("window.wav"))));
}

// OUT names the playlist; the chapters' files and their subtitles lie beside it.
TEST(CommandLineExport, WritesAFileForEachChapterWithItsSubtitles)
{
    testsupport::TemporaryFiles files;
    files.write(QStringLiteral("in.txt"), "Chapter 1\nThe first.\nChapter 2\nThe second.\n");
    const ProgramRun run = lectorix({QStringLiteral("--export"), QStringLiteral("in.txt"),
                                     QStringLiteral("Book.mp3"), QStringLiteral("--chapters"),
                                     QStringLiteral("--subtitles"), QStringLiteral("vtt")},
                                    files.folder.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(files.folder.path()).entryList(QDir::Files),
              (QStringList{"01 - Chapter 1.mp3", "01 - Chapter 1.vtt", "02 - Chapter 2.mp3",
                           "02 - Chapter 2.vtt", "Book.m3u", "in.txt"}));
    const QString subtitles =
        QString::fromUtf8(contentsOf(files.folder.filePath(QStringLiteral("02 - Chapter 2.vtt"))));
    EXPECT_TRUE(subtitles.startsWith(QStringLiteral("WEBVTT\n\n00:00:00.")));
    EXPECT_TRUE(subtitles.endsWith(QStringLiteral("\nThe second.\n\n")));
}

TEST(CommandLineExport, ListsVoicesAndFailsClearlyWithStatusOne)
{
    testsupport::TemporaryFiles files;
    const QTemporaryDir& folder = files.folder;
    files.write(QStringLiteral("in.txt"), "Some text.");
    files.write(QStringLiteral("blank.txt"), " \r\n\t\n");
    files.write(QStringLiteral("page.html"), "<p>Read in the window.</p>");
    const QByteArray sound("RIFF\x24\0\0\0WAVEfmt ", 16);
    const QString same = files.write(QStringLiteral("same.wav"), sound);
    QFile::link(same, folder.filePath(QStringLiteral("link.wav")));
    const QString lyrics = files.write(QStringLiteral("song.lrc"), "[00:01.00]Words of a song.");
    const ProgramRun voices = lectorix({QStringLiteral("--list-voices")}, folder.path());
    EXPECT_EQ(voices.status, 0);
    EXPECT_THAT(voices.out.toStdString(), HasSubstr("en-US\tEnglish (America)\n"));
    const std::vector<std::pair<QStringList, const char*>> mistakes = {
        {{QStringLiteral("missing.txt"), QStringLiteral("a.wav")},
         "Cannot open file \"missing.txt\""},
        {{QStringLiteral("in.txt"), QStringLiteral("a.wav"), QStringLiteral("--voice"),
          QStringLiteral("nobody")},
         "there is no voice \"nobody\""},
        {{QStringLiteral("in.txt"), QStringLiteral("/nonexistent/a.mp3")},
         "Cannot create \"/nonexistent/a.mp3\""},
        {{QStringLiteral("in.txt"), QStringLiteral("a.wav"), QStringLiteral("--volume"),
          QStringLiteral("101")},
         "--volume takes a whole number from 0 to 100"},
        {{QStringLiteral("in.txt")}, "--export needs IN and OUT"},
        {{QStringLiteral("in.txt"), QStringLiteral("a.wav"), QStringLiteral("--subtitles"),
          QStringLiteral("ass")},
         "--subtitles takes srt, vtt or lrc"},
        {{QStringLiteral("in.txt"), QStringLiteral("a.mp4")},
         "OUT's extension gives the type: .wav, .mp3, .opus, .ogg, .oga or .flac"},
        {{QStringLiteral("blank.txt"), QStringLiteral("a.wav")},
         "\"blank.txt\" has no text to export"},
        {{QStringLiteral("page.html"), QStringLiteral("a.wav")},
         "\"page.html\" is a web page; open it in the window"},
        {{QStringLiteral("same.wav"), QStringLiteral("./same.wav")},
         "\"./same.wav\" is the document \"same.wav\" itself"},
        {{QStringLiteral("same.wav"), QStringLiteral("link.wav")},
         "\"link.wav\" is the document \"same.wav\" itself"},
        {{QStringLiteral("song.lrc"), QStringLiteral("song.mp3"), QStringLiteral("--subtitles"),
          QStringLiteral("lrc")},
         "song.lrc\" is the document \"song.lrc\" itself"},
    };
    for (const auto& [arguments, message] : mistakes) {
        const ProgramRun run =
            lectorix(QStringList{QStringLiteral("--export")} + arguments, folder.path());
        EXPECT_EQ(run.status, 1) << message;
        EXPECT_THAT(run.err.toStdString(), HasSubstr(message));
    }
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("a.wav"))));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("a.mp4"))));
    EXPECT_EQ(contentsOf(same), sound);
    EXPECT_EQ(contentsOf(lyrics), "[00:01.00]Words of a song.");
}

TEST(CommandLineExport, ListsAndExportsWithTheUsersNeuralVoices)
{
    testsupport::TemporaryFiles files;
    const QTemporaryDir& folder = files.folder;
    const QDir voice(folder.filePath(QStringLiteral("data/lectorix/voices/amy")));
    ASSERT_TRUE(voice.mkpath(QStringLiteral(".")));
    const QDir made(QStringLiteral(TEST_VOICES "/test-en"));
    for (const QString& file : made.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(made.filePath(file), voice.filePath(file)));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.filePath(QStringLiteral("data")));
    files.write(QStringLiteral("in.txt"), "A short text. Read by a neural voice.");

    const ProgramRun voices =
        lectorix({QStringLiteral("--list-voices")}, folder.path(), environment);
    EXPECT_TRUE(voices.out.endsWith(QStringLiteral("\nneural/amy/0\tamy (English)\n")))
        << voices.out.toStdString();
    const ProgramRun run =
        lectorix({QStringLiteral("--export"), QStringLiteral("in.txt"), QStringLiteral("out.wav"),
                  QStringLiteral("--voice"), QStringLiteral("amy")},
                 folder.path(), environment);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    // The test voice's sound is a 440 Hz tone at half the full scale, here at the export's rate.
    const QByteArray wav = contentsOf(folder.filePath(QStringLiteral("out.wav")));
    ASSERT_GT(wav.size(), 44 + 16000);
    EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 24), 16000u);
    qint16 peak = 0;
    int crossings = 0;
    for (qsizetype at = 46; at + 1 < wav.size(); at += 2) {
        const qint16 sample = qFromLittleEndian<qint16>(wav.constData() + at);
        crossings += (sample >= 0) != (qFromLittleEndian<qint16>(wav.constData() + at - 2) >= 0);
        peak = std::max(peak, sample);
    }
    EXPECT_NEAR(peak, 16383, 400);
    EXPECT_NEAR(crossings / ((wav.size() - 44) / 2 / 16000.0), 880, 10);
}

TEST(CommandLineExport, InstallsAndRemovesNeuralVoicesWithStatusZeroOnlyWhenDone)
{
    testsupport::TemporaryFiles files;
    const QString folder = files.folder.path();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"),
                       files.folder.filePath(QStringLiteral("data")));
    const auto run = [&](const QString& option, const QString& value) {
        return lectorix({option, value}, folder, environment);
    };
    const QString voice = QStringLiteral(TEST_VOICES "/test-en");
    const QString install = QStringLiteral("--install-voice");
    const QString remove = QStringLiteral("--remove-voice");

    EXPECT_EQ(run(install, voice).status, 0);
    EXPECT_TRUE(lectorix({QStringLiteral("--list-voices")}, folder, environment)
                    .out.endsWith(QStringLiteral("neural/test-en/0\ttest-en (English)\n")));
    const ProgramRun again = run(install, voice);
    EXPECT_EQ(again.status, 1);
    EXPECT_THAT(again.err.toStdString(), HasSubstr("The voice \"test-en\" is installed already."));
    const ProgramRun broken = run(install, QStringLiteral(TEST_VOICES "/truncated"));
    EXPECT_EQ(broken.status, 1);
    EXPECT_THAT(broken.err.toStdString(), HasSubstr("is not a voice: the model file is cut short"));
    EXPECT_EQ(run(remove, QStringLiteral("test-en")).status, 0);
    const ProgramRun gone = run(remove, QStringLiteral("test-en"));
    EXPECT_EQ(gone.status, 1);
    EXPECT_THAT(gone.err.toStdString(), HasSubstr("There is no voice \"test-en\"."));
}

// A kill while LibreOffice converts the document ends the converter with what it started, leaves
// nothing in the data folder and says the export was stopped.
TEST(CommandLineExport, ASignalDuringAConversionEndsTheConverterAndLeavesNothing)
{
    testsupport::TemporaryFiles files;
    files.write(QStringLiteral("report.docx"), "a word-processor document");
    const QString log = files.folder.filePath(QStringLiteral("converter.log"));
    const QString dataFolder = files.folder.filePath(QStringLiteral("config/lectorix"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), files.folder.filePath("config"));
    environment.insert(QStringLiteral("PATH"), QStringLiteral(CONVERTERS_DIR ":") +
                                                   environment.value(QStringLiteral("PATH")));
    environment.insert(QStringLiteral("FAKE_CONVERTER_MODE"), QStringLiteral("hang"));
    environment.insert(QStringLiteral("FAKE_CONVERTER_LOG"), log);
    QProcess program;
    startInScript(
        program,
        {QStringLiteral("--export"), QStringLiteral("report.docx"), QStringLiteral("out.wav")},
        files.folder.path(), environment);
    const QString childFile = log + QStringLiteral(".child");
    ASSERT_TRUE(testsupport::waitUntil([&] { return !contentsOf(childFile).isEmpty(); }, 30000));
    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_THAT(program.readAllStandardError().toStdString(),
                HasSubstr("lectorix: The export was stopped."));
    // Gone, or a zombie that only waits for whoever adopted it.
    const QString converterChild =
        QStringLiteral("/proc/%1/stat").arg(contentsOf(childFile).trimmed().toInt());
    EXPECT_TRUE(
        testsupport::waitUntil([&] { return !contentsOf(converterChild).contains(") S "); }, 5000));
    EXPECT_THAT(QDir(dataFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                testing::IsEmpty());
    EXPECT_FALSE(QFile::exists(files.folder.filePath(QStringLiteral("out.wav"))));
}
