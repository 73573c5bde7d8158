// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/GetPath.h"
#include "app/HistoryFile.h"
#include "app/TFmain.h"
#include "i18n/TextProperties.h"
#include "tests/app/FakeServices.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TemporaryConfig.h"
#include "tests/support/TemporaryFiles.h"

#include <gmock/gmock.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTextEdit>
#include <sys/stat.h>
#include <unistd.h>

using testsupport::TemporaryConfig;

namespace {

// A run of the program: start-up with whatever the data folder holds, and exit when it ends.
struct ProgramRun : testsupport::FakeServices {
    explicit ProgramRun(QStringList voices = {QStringLiteral("Anna"), QStringLiteral("Ben")})
        : FakeServices(std::move(voices))
    {
    }

    template <typename Widget> Widget* control(const char* name)
    {
        return window->findChild<Widget*>(QLatin1String(name));
    }
    bool checked(const char* name) { return control<QCheckBox>(name)->isChecked(); }

    std::unique_ptr<TFmain> window = std::make_unique<TFmain>(services);
};

const char* FirstExit = "[set]\r\nRate=0\r\nVolume=80\r\nColor=-16777211\r\n"
                        "Font=\"Tahoma\", 8, [], [clWindowText]\r\nWordWrap=1\r\nToolBar=1\r\n"
                        "AddressBar=1\r\nProgressBar=1\r\nPropertyBar=1\r\nSpeakKey=All\r\n"
                        "ShowKeyWord=No\r\nSpeakClipBrd=Yes\r\nShowClipBrdText=No\r\nEngine=0\r\n";

} // namespace

TEST(Settings, AFirstStartAndExitWriteTheDefaults)
{
    TemporaryConfig config;
    {
        ProgramRun run;
        EXPECT_TRUE(run.checked("CBSpeakKeyAll"));
        EXPECT_TRUE(run.checked("CBSpeakClipBrd"));
        EXPECT_FALSE(run.checked("CBShowKeyWord"));
        EXPECT_TRUE(run.control<QAction>("NWordWrap")->isChecked());
        EXPECT_TRUE(run.messageBoxes.errors.isEmpty());
    }
    EXPECT_EQ(config.read(QStringLiteral("set.ini")), FirstExit);
    EXPECT_FALSE(QFileInfo::exists(config.dataFile(QStringLiteral("files.ini"))));
}

TEST(Settings, ValuesAreReadAsTheyWereWritten)
{
    TemporaryConfig config;
    config.write(QStringLiteral("set.ini"), "[SET]\r\nrate=0x0A\r\nvolume=abc\r\ntoolbar=2\r\n"
                                            "AddressBar=0\r\nspeakkey=Letter\r\nShowkeyWord=Yes\r\n"
                                            "Engine=7\r\nWordWrap=0\r\n");
    ProgramRun run;
    EXPECT_EQ(run.control<QSlider>("TBRate")->value(), 10);
    EXPECT_EQ(run.control<QSlider>("TBVolume")->value(), 80);
    EXPECT_FALSE(run.control<QWidget>("PToolBar")->isHidden());
    EXPECT_TRUE(run.control<QWidget>("PAddressBar")->isHidden());
    EXPECT_FALSE(run.control<QAction>("NAddressBar")->isChecked());
    EXPECT_TRUE(run.checked("CBSpeakLetter"));
    EXPECT_FALSE(run.checked("CBSpeakKeyAll"));
    EXPECT_TRUE(run.control<QAction>("NspeakLetter")->isChecked());
    EXPECT_TRUE(run.control<QAction>("NNSpeakLetter")->isChecked());
    EXPECT_TRUE(run.checked("CBShowKeyWord"));
    EXPECT_EQ(run.control<QComboBox>("cbVoices")->currentIndex(), 0);
    EXPECT_FALSE(run.control<QAction>("NWordWrap")->isChecked());
    EXPECT_EQ(run.control<QTextEdit>("RichEdit1")->lineWrapMode(), QTextEdit::NoWrap);
}

namespace {

// Every text a language file may set, in the window and its dialogs.
std::string textsOf(TFmain& window)
{
    QStringList texts;
    for (QWidget* top : QApplication::topLevelWidgets())
        for (QObject* element : top->findChildren<QObject*>())
            for (const QString& name : i18n::textPropertyNames())
                if (const QByteArray property = i18n::qtPropertyOf(*element, name);
                    !property.isEmpty() && !element->objectName().isEmpty())
                    texts << element->objectName() + u' ' + element->property(property).toString();
    texts << window.windowTitle() << window.font().toString();
    // Qt moves the inner parts of its widgets about; their order says nothing.
    texts.sort();
    return texts.join(u'\n').toStdString();
}

} // namespace

TEST(Settings, TheLanguageChosenInTheMenuIsRememberedAndTheBuiltInOneComesBackWhole)
{
    TemporaryConfig config;
    const QLocale french(QLocale::French);
    {
        ProgramRun run;
        EXPECT_EQ(run.window->startInLanguage({}, QLocale(QLocale::Chinese)), "ChineseSimplified");
        const std::string builtIn = textsOf(*run.window);
        run.control<QAction>("NEnglish")->trigger();
        EXPECT_EQ(run.control<QMenu>("NView")->title(), QStringLiteral("&View"));
        EXPECT_TRUE(run.control<QAction>("NEnglish")->isChecked());
        run.control<QAction>("NChineseSimplified")->trigger();
        EXPECT_EQ(textsOf(*run.window), builtIn);
        EXPECT_FALSE(run.control<QAction>("NEnglish")->isChecked());
        // What the user typed and chose stays through a change of language.
        run.control<QTextEdit>("RichEdit1")->setPlainText(QStringLiteral("Draft"));
        run.control<QComboBox>("cbVoices")->setCurrentIndex(1);
        run.control<QSlider>("TBRate")->setValue(4);
        run.control<QAction>("NEnglish")->trigger();
        EXPECT_EQ(run.control<QTextEdit>("RichEdit1")->toPlainText(), QStringLiteral("Draft"));
        EXPECT_EQ(run.control<QComboBox>("cbVoices")->currentText(), QStringLiteral("Ben"));
        EXPECT_EQ(run.control<QLabel>("lblRate")->text(), QStringLiteral("4"));
        // A language without its file changes nothing, the menu included.
        run.control<QAction>("NNPortuguese")->trigger();
        EXPECT_EQ(run.control<QMenu>("NView")->title(), QStringLiteral("&View"));
        EXPECT_TRUE(run.control<QAction>("NEnglish")->isChecked());
    }
    EXPECT_TRUE(config.read(QStringLiteral("set.ini")).endsWith("\r\nLanguage=English\r\n"));
    ProgramRun run;
    EXPECT_EQ(run.window->startInLanguage({}, french), "English");
    EXPECT_EQ(run.control<QMenu>("NView")->title(), QStringLiteral("&View"));
    EXPECT_EQ(run.window->startInLanguage(QStringLiteral("Klingonish"), french), "");
}

TEST(Settings, AModeInOtherLetterCaseLeavesEveryBoxOff)
{
    TemporaryConfig config;
    config.write(QStringLiteral("set.ini"), "[set]\r\nSpeakkey=letterdigit\r\nRate=0x 10\r\n");
    ProgramRun run;
    for (const char* box : {"CBSpeakKeyAll", "CBSpeakletterdigit", "CBSpeakLetter", "CBSpeakdigit"})
        EXPECT_FALSE(run.checked(box)) << box;
    EXPECT_EQ(run.control<QSlider>("TBRate")->value(), 0);
}

TEST(Settings, LetterDigitSurvivesARestartUnderItsOwnSpelling)
{
    TemporaryConfig config;
    {
        ProgramRun run;
        run.control<QCheckBox>("CBSpeakKeyAll")->setChecked(false);
        run.control<QCheckBox>("CBSpeakletterdigit")->setChecked(true);
    }
    EXPECT_TRUE(config.read(QStringLiteral("set.ini")).contains("\r\nSpeakkey=LetterDigit\r\n"));
    ProgramRun again;
    EXPECT_TRUE(again.checked("CBSpeakletterdigit"));
    EXPECT_FALSE(again.checked("CBSpeakKeyAll"));
}

TEST(Settings, WithoutVoicesTheStoredEngineStays)
{
    TemporaryConfig config;
    config.write(QStringLiteral("set.ini"), "[set]\r\nEngine=5\r\n");
    {
        ProgramRun run{{}};
    }
    const QByteArray written = config.read(QStringLiteral("set.ini"));
    EXPECT_TRUE(written.contains("Engine=5\r\n"));
    EXPECT_EQ(written.count("Engine"), 1);
}

TEST(Settings, TheFontAndColoursComeBack)
{
    TemporaryConfig config;
    config.write(
        QStringLiteral("set.ini"),
        "[set]\r\nFont=\"Courier New\", 12, [Underline|Bold], [clRed]\r\nColor=$00F0FBFF\r\n");
    {
        ProgramRun run;
        const QFont font = run.control<QTextEdit>("RichEdit1")->font();
        EXPECT_EQ(font.family(), QStringLiteral("Courier New"));
        EXPECT_TRUE(font.bold());
        EXPECT_TRUE(font.underline());
        EXPECT_FALSE(font.italic());
        const QPalette palette = run.control<QTextEdit>("RichEdit1")->palette();
        EXPECT_EQ(palette.color(QPalette::Text), QColor(255, 0, 0));
        EXPECT_EQ(palette.color(QPalette::Base), QColor(0xFF, 0xFB, 0xF0));
    }
    const QByteArray written = config.read(QStringLiteral("set.ini"));
    EXPECT_TRUE(written.contains("Font=\"Courier New\", 12, [Bold|Underline], [clRed]\r\n"));
    EXPECT_TRUE(written.contains("Color=15793151\r\n"));
}

TEST(Settings, TheFontWithItsColourAndTheBackgroundChosenInTheDialogsAreStored)
{
    TemporaryConfig config;
    {
        ProgramRun run;
        QFont chosen(QStringLiteral("Courier New"), 12);
        chosen.setBold(true);
        run.editorDialogs.fontAnswer = editor::FontChoice{chosen, QColor(255, 0, 0)};
        run.editorDialogs.colorAnswer = QColor(0x10, 0x20, 0x30);
        run.control<QAction>("NFont")->trigger();
        run.control<QAction>("NBackcolor")->trigger();
        EXPECT_EQ(run.editorDialogs.presetFonts.first().font.family(), QStringLiteral("Tahoma"));
        EXPECT_EQ(run.editorDialogs.presetFonts.first().font.pointSize(), 8);
        auto* editor = run.control<QTextEdit>("RichEdit1");
        EXPECT_EQ(editor->font().family(), QStringLiteral("Courier New"));
        EXPECT_EQ(editor->palette().color(QPalette::Text), QColor(255, 0, 0));
    }
    const QByteArray written = config.read(QStringLiteral("set.ini"));
    EXPECT_TRUE(written.contains("Font=\"Courier New\", 12, [Bold], [clRed]\r\n"));
    EXPECT_TRUE(written.contains("Color=3153936\r\n"));
}

// Reopening the sixth of twelve files brings it back to the top of the eleven kept.
TEST(History, TheElevenAddressesLastOpenedAreWrittenNewestFirstAndComeBack)
{
    TemporaryConfig config;
    testsupport::TemporaryFiles files;
    QStringList opened;
    for (int i = 1; i <= 12; ++i)
        opened << files.write(QStringLiteral("%1.txt").arg(i), "text");
    {
        ProgramRun run;
        run.fileDialogs.answers = opened;
        run.fileDialogs.answers << opened[5];
        for (int i = 0; i < 13; ++i)
            run.window->BtnOpenClick();
    }
    QStringList newestFirst = {opened[5]};
    for (int i = 11; newestFirst.size() < 11; --i)
        if (i != 5)
            newestFirst << opened[i];
    EXPECT_EQ(config.read(QStringLiteral("files.ini")), HistoryFile::encode(newestFirst));
    ProgramRun again;
    auto* addresses = again.control<QComboBox>("CUrl");
    ASSERT_EQ(addresses->count(), 11);
    EXPECT_TRUE(addresses->currentText().isEmpty()) << "the list is loaded, the box stays empty";
    EXPECT_EQ(addresses->itemText(0), opened[5]);
    EXPECT_EQ(addresses->itemText(10), opened[1]);
}

TEST(History, AnEmptyListLeavesTheFileAlone)
{
    TemporaryConfig config;
    config.write(QStringLiteral("files.ini"), "kept");
    {
        ProgramRun run;
        run.control<QComboBox>("CUrl")->clear();
    }
    EXPECT_EQ(config.read(QStringLiteral("files.ini")), "kept");
}

TEST(Settings, AnExitOnAFullDiskKeepsBothFilesAndSaysSo)
{
    TemporaryConfig config;
    const QByteArray history("\xFF\xFE/\0a\0\r\0\n\0", 10);
    config.write(QStringLiteral("set.ini"), FirstExit);
    config.write(QStringLiteral("files.ini"), history);
    ProgramRun run;
    run.control<QSlider>("TBRate")->setValue(5);
    run.control<QComboBox>("CUrl")->addItem(QStringLiteral("/docs/b.txt"));
    {
        const testsupport::FileSizeLimit full(8);
        run.window.reset();
    }
    EXPECT_THAT(run.messageBoxes.errors,
                testing::ElementsAre(QStringLiteral("Unable to write to %1.")
                                         .arg(config.dataFile(QStringLiteral("set.ini")))));
    EXPECT_EQ(config.read(QStringLiteral("set.ini")), FirstExit);
    EXPECT_EQ(config.read(QStringLiteral("files.ini")), history);
}

TEST(History, AFullDiskKeepsTheOldFile)
{
    TemporaryConfig config;
    const QByteArray history("\xFF\xFE/\0a\0\r\0\n\0", 10);
    config.write(QStringLiteral("files.ini"), history);
    const testsupport::FileSizeLimit full(12);
    EXPECT_THROW(HistoryFile::save(config.dataFile(QStringLiteral("files.ini")),
                                   {QStringLiteral("/a"), QStringLiteral("/docs/b.txt")}),
                 std::runtime_error);
    EXPECT_EQ(config.read(QStringLiteral("files.ini")), history);
}

TEST(History, AHistoryThatCannotBeReadIsNotWrittenOver)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    TemporaryConfig config;
    config.write(QStringLiteral("files.ini"), "/docs/kept.txt\r\n");
    const QString history = config.dataFile(QStringLiteral("files.ini"));
    QFile::setPermissions(history, QFile::WriteOwner);
    {
        ProgramRun run;
        run.control<QComboBox>("CUrl")->addItem(QStringLiteral("/docs/new.txt"));
    }
    QFile::setPermissions(history, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(config.read(QStringLiteral("files.ini")), "/docs/kept.txt\r\n");
}

TEST(DataFolder, EachProgramNameHasItsOwnFolder)
{
    TemporaryConfig config;
    EXPECT_EQ(GetAppDataPath(), config.path() + u'/');
    EXPECT_EQ(GetExeBaseName(QStringLiteral("/opt/x.y/Reader2.exe")), QStringLiteral("Reader2"));
    EXPECT_EQ(GetExeBaseName(QStringLiteral("lectorix")), QStringLiteral("lectorix"));
    EXPECT_EQ(GetDataPath(QStringLiteral("/opt/Reader.exe")),
              config.path() + QStringLiteral("/Reader/"));
    EXPECT_EQ(GetDataPath(QStringLiteral("/opt/Reader2.exe")),
              config.path() + QStringLiteral("/Reader2/"));
    EXPECT_TRUE(QFileInfo(config.path() + QStringLiteral("/Reader2")).isDir());
    EXPECT_EQ(GetSystemPath(), QStringLiteral("/usr/bin/"));
}

TEST(DataFolder, AFirstStartMakesEveryMissingFolderForTheUserAlone)
{
    TemporaryConfig config(QStringLiteral("home/.config"));
    {
        ProgramRun run;
        EXPECT_TRUE(run.messageBoxes.errors.isEmpty());
        EXPECT_EQ(run.control<QComboBox>("cbVoices")->count(), 2);
    }
    const QString dataFolder = QFileInfo(config.dataFile(QStringLiteral("set.ini"))).path();
    for (const QString& folder : {QFileInfo(config.path()).path(), config.path(), dataFolder}) {
        struct stat status = {};
        ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &status), 0)
            << folder.toStdString();
        EXPECT_EQ(status.st_mode & 07777, 0700u) << folder.toStdString();
    }
    EXPECT_EQ(config.read(QStringLiteral("set.ini")), FirstExit);
}

TEST(DataFolder, AFolderThatCannotBeMadeIsReportedAtStartAndNothingIsWritten)
{
    TemporaryConfig config(QStringLiteral("file/deeper"));
    QFile blocking(QFileInfo(config.path()).path());
    ASSERT_TRUE(blocking.open(QIODevice::WriteOnly));
    blocking.close();
    EXPECT_THROW(GetDataPath(QStringLiteral("/opt/Reader.exe")), std::runtime_error);
    ProgramRun run;
    ASSERT_EQ(run.messageBoxes.errors.size(), 1);
    EXPECT_TRUE(run.messageBoxes.errors.first().startsWith(
        QStringLiteral("Cannot create the data folder")));
    EXPECT_EQ(run.control<QComboBox>("cbVoices")->count(), 2) << "the start-up goes on";
    run.window.reset();
    EXPECT_EQ(run.messageBoxes.errors.size(), 1);
    EXPECT_EQ(blocking.size(), 0);
}

TEST(Settings, AnUnwritableSettingsFileIsReportedAndTheHistoryIsNotWritten)
{
    TemporaryConfig config;
    QDir().mkpath(config.dataFile(QStringLiteral("set.ini")));
    {
        ProgramRun run;
        run.control<QComboBox>("CUrl")->addItem(QStringLiteral("/docs/a.txt"));
        run.window.reset();
        EXPECT_THAT(run.messageBoxes.errors,
                    testing::ElementsAre(QStringLiteral("Unable to write to %1.")
                                             .arg(config.dataFile(QStringLiteral("set.ini")))));
    }
    EXPECT_FALSE(QFileInfo::exists(config.dataFile(QStringLiteral("files.ini"))));
}

TEST(Settings, ModeNoneTurnsEveryKeyBoxAndItemOff)
{
    TemporaryConfig config;
    config.write(QStringLiteral("set.ini"), "[set]\r\nSpeakkey=None\r\nSpeakClipBrd=No\r\n");
    ProgramRun run;
    for (const char* box :
         {"CBSpeakKeyAll", "CBSpeakletterdigit", "CBSpeakLetter", "CBSpeakdigit", "CBSpeakClipBrd"})
        EXPECT_FALSE(run.checked(box)) << box;
    for (const char* item :
         {"NSpeakKeyAll", "NspeakLetterDigit", "NspeakLetter", "NSpeakdigit", "NNSpeakKeyAll",
          "NNSpeakLetterDigit", "NNSpeakLetter", "NNSpeakdigit", "NspeakClipBrd", "NNspeakClipBrd"})
        EXPECT_FALSE(run.control<QAction>(item)->isChecked()) << item;
    run.window.reset();
    EXPECT_TRUE(config.read(QStringLiteral("set.ini")).contains("\r\nSpeakkey=None\r\n"));
}
