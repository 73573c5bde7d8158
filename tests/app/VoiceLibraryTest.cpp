// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFVoiceLibrary.h"
#include "speech/ReadingControl.h"
#include "tests/app/AppTestMain.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ReadingWidgets.h"
#include "tests/support/VoiceArchives.h"

#include <gmock/gmock.h>
#include <QApplication>
#include <QLocale>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

using testing::ElementsAre;
using testing::HasSubstr;
using namespace testsupport;

namespace {

class VoiceLibraryTest : public VoicesFolderTest {
protected:
    // A voice's folder copied as it is, whether it can be used or not.
    void copyVoice(const QString& name, const QByteArray& modelCard = {})
    {
        const QDir to(voicesFolder + u'/' + name);
        to.mkpath(QStringLiteral("."));
        for (const QFileInfo& file : QDir(Made + u'/' + name).entryInfoList(QDir::Files))
            QFile::copy(file.filePath(), to.filePath(file.fileName()));
        if (!modelCard.isEmpty()) {
            QFile card(to.filePath(QStringLiteral("MODEL_CARD")));
            ASSERT_TRUE(card.open(QIODevice::WriteOnly));
            card.write(modelCard);
        }
    }

    std::string sizeOf(const QString& name) const
    {
        qint64 bytes = 0;
        for (const QFileInfo& file :
             QDir(voicesFolder + u'/' + name).entryInfoList(QDir::Files | QDir::Hidden))
            bytes += file.size();
        return QLocale().formattedDataSize(bytes).toStdString();
    }

    QTreeWidget& list() const { return *library.findChild<QTreeWidget*>("lvVoices"); }

    std::vector<std::string> rows() const
    {
        std::vector<std::string> shown;
        for (int row = 0; row < list().topLevelItemCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < list().columnCount(); ++column)
                cells << list().topLevelItem(row)->text(column);
            shown.push_back(cells.join(QStringLiteral(" | ")).toStdString());
        }
        return shown;
    }

    void click(const char* button) { library.findChild<QPushButton*>(button)->click(); }

    void choose(const QString& name)
    {
        const QList<QTreeWidgetItem*> found = list().findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list().setCurrentItem(found.front());
    }

    RecordingMessageBoxes messages;
    ScriptedFileDialogs files;
    TFVoiceLibrary library{{voicesFolder, QStringLiteral(LECTORIX_NEURAL_HELPER), files, messages}};
    QSignalSpy changed{&library, &TFVoiceLibrary::voicesChanged};
};

} // namespace

TEST_F(VoiceLibraryTest, ListsEveryVoiceWithItsLanguageSpeakersSizeAndLicence)
{
    copyVoice(QStringLiteral("test-en"),
              "# Model card\n\n* Language: en_US\n* License: CC-BY-4.0\n");
    copyVoice(QStringLiteral("test-duo"));
    copyVoice(QStringLiteral("truncated"));
    library.show();
    EXPECT_THAT(rows(),
                ElementsAre(std::string("test-duo | Deutsch | 2 | ") +
                                sizeOf(QStringLiteral("test-duo")) + " | ",
                            std::string("test-en | English | 1 | ") +
                                sizeOf(QStringLiteral("test-en")) + " | CC-BY-4.0",
                            std::string("truncated | 无法使用：the model file is cut short |  | ") +
                                sizeOf(QStringLiteral("truncated")) + " | "));
}

TEST_F(VoiceLibraryTest, InstallsAnArchiveOrTheFolderOfAChosenModelAndTellsTheWindow)
{
    files.answers << archive(QStringLiteral("amy.tar.bz2"), voiceMembers(QStringLiteral("amy")))
                  << Made + QStringLiteral("/test-duo/test-duo.onnx");
    library.show();
    click("BtnInstall");
    click("BtnInstall");
    EXPECT_THAT(files.dialogs, ElementsAre("OpenVoiceDialog", "OpenVoiceDialog"));
    EXPECT_TRUE(messages.errors.isEmpty()) << messages.errors.join(u'\n').toStdString();
    EXPECT_EQ(changed.count(), 2);
    EXPECT_THAT(rows(),
                ElementsAre(HasSubstr("amy | English | 1"), HasSubstr("test-duo | Deutsch | 2")));
}

TEST_F(VoiceLibraryTest, ReplacesAnInstalledVoiceOnlyWhenTheUserSaysSo)
{
    library.install(&library,
                    archive(QStringLiteral("1.tar.bz2"), voiceMembers(QStringLiteral("amy"))));
    const QStringList before = stateOf(voicesFolder);
    const QString german = archive(QStringLiteral("2.tar.bz2"),
                                   voiceMembers(QStringLiteral("amy"), QStringLiteral("test-duo")));

    messages.answer = false;
    library.install(&library, german);
    EXPECT_THAT(messages.questions, ElementsAre("语音“amy”已经安装。要替换它吗？"));
    EXPECT_THAT(messages.errors, ElementsAre("The voice \"amy\" is installed already."));
    EXPECT_EQ(stateOf(voicesFolder), before);

    messages.answer = true;
    library.install(&library, german);
    EXPECT_EQ(changed.count(), 2);
    EXPECT_THAT(rows(), ElementsAre(HasSubstr("amy | Deutsch | 2")));
    EXPECT_THAT(
        QDir(voicesFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        ElementsAre("amy"));
}

TEST_F(VoiceLibraryTest, ABadArchiveOrAVoiceThatDoesNotLoadChangesNothingAndSaysWhy)
{
    copyVoice(QStringLiteral("test-en"));
    const QStringList before = stateOf(voicesFolder);
    std::vector<Member> escaping = voiceMembers(QStringLiteral("a"));
    escaping.push_back({QStringLiteral("a/../../escaped.txt"), "out"});
    library.install(&library, archive(QStringLiteral("escaping.tar.bz2"), escaping));
    library.install(&library,
                    archive(QStringLiteral("ends.tar.bz2"),
                            voiceMembers(QStringLiteral("b"), QStringLiteral("ends-library"))));
    ASSERT_EQ(messages.errors.size(), 2);
    EXPECT_THAT(messages.errors[0].toStdString(), HasSubstr("a name outside its own folder"));
    EXPECT_THAT(messages.errors[1].toStdString(), HasSubstr("The voice in \"b\" does not load"));
    EXPECT_EQ(stateOf(voicesFolder), before);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(VoiceLibraryTest, RemovesTheChosenVoiceOnceTheUserAgrees)
{
    copyVoice(QStringLiteral("test-en"));
    copyVoice(QStringLiteral("test-duo"));
    library.show();
    choose(QStringLiteral("test-en"));
    messages.answer = false;
    click("BtnRemove");
    EXPECT_EQ(rows().size(), 2);
    messages.answer = true;
    click("BtnRemove");
    EXPECT_THAT(messages.questions,
                ElementsAre("要删除语音“test-en”吗？", "要删除语音“test-en”吗？"));
    EXPECT_THAT(rows(), ElementsAre(HasSubstr("test-duo")));
    EXPECT_THAT(
        QDir(voicesFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        ElementsAre("test-duo"));
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(VoiceLibraryTest, CancellingMidwayLeavesNothingBehindAndASecondInstallationWaits)
{
    std::vector<Member> large = voiceMembers(QStringLiteral("large"));
    large.push_back({QStringLiteral("large/padding.bin"), QByteArray(300 << 20, '\1')});
    const QString path = archive(QStringLiteral("large.tar"), large);
    bool cancelled = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QProgressDialog* progress : library.findChildren<QProgressDialog*>())
            if (progress->value() > 0 && !cancelled) {
                EXPECT_EQ(progress->labelText(), QStringLiteral("正在安装语音…"));
                library.install(&library, path);
                progress->findChild<QPushButton*>()->click();
                cancelled = true;
            }
    });
    watch.start(1);
    library.install(&library, path);
    EXPECT_TRUE(cancelled);
    EXPECT_THAT(messages.messages,
                ElementsAre(QApplication::applicationName() + "|正在安装另一个语音，请等它完成。"))
        << "a second installation meanwhile is refused";
    EXPECT_TRUE(messages.errors.isEmpty()) << "the cancelled one says nothing";
    EXPECT_TRUE(stateOf(voicesFolder).isEmpty()) << stateOf(voicesFolder).join(u'\n').toStdString();
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(VoiceLibraryTest, TheVoiceBoxShowsANewVoiceAtOnceAndARemovedChosenOneGivesWayToItsLanguage)
{
    EngineUnderTest speech(false, QStringLiteral("en-us"), voicesFolder);
    speech::VoiceHolder voice(speech.engine);
    ReadingWidgets widgets;
    speech::ReadingControl reading(voice, widgets.controls());
    reading.fillVoiceList(0);
    QObject::connect(&library, &TFVoiceLibrary::voicesChanged,
                     [&] { reading.reloadVoiceList(speech.engine); });
    const int espeakVoices = widgets.voices.count();
    const QString first = widgets.voices.currentText();

    files.answers << Made + QStringLiteral("/test-duo");
    library.show();
    click("BtnInstall");
    ASSERT_EQ(widgets.voices.count(), espeakVoices + 2);
    EXPECT_EQ(widgets.voices.currentText(), first);
    widgets.voices.setCurrentIndex(
        widgets.voices.findText(QStringLiteral("test-duo (Deutsch, Ben)")));
    reading.voiceChosen();
    EXPECT_EQ(voice->GetVoice()->Id(), QStringLiteral("neural/test-duo/1"));

    choose(QStringLiteral("test-duo"));
    click("BtnRemove");
    EXPECT_EQ(widgets.voices.count(), espeakVoices);
    const speech::VoiceTokenPtr chosen = reading.selectedToken();
    ASSERT_TRUE(chosen);
    EXPECT_THAT(chosen->Id().toStdString(), testing::EndsWith("/de"));
    EXPECT_EQ(voice->GetVoice()->Id(), chosen->Id());
}
