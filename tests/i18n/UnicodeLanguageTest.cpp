// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/UnicodeLanguage.h"

#include "tests/support/TemporaryFiles.h"

#include <gmock/gmock.h>
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace {

// A language file as translators store it: UTF-16LE with a byte-order mark.
QByteArray utf16File(const QString& text)
{
    return QByteArray("\xFF\xFE", 2) +
           QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// Two windows, as the program has: the main one with a menu, its items, a button and a dialog
// whose inner parts are its own, and the about box.
struct Windows {
    Windows()
    {
        main.setObjectName(QStringLiteral("Fmain"));
        main.setWindowTitle(QStringLiteral("标题"));
        main.setFont(QFont(QStringLiteral("Sans"), 8));
        menu->setObjectName(QStringLiteral("NFile"));
        item->setObjectName(QStringLiteral("NOpen"));
        button->setObjectName(QStringLiteral("BtnOpen"));
        button->setToolTip(QStringLiteral("打开"));
        inner->setObjectName(QStringLiteral("innerButton"));
        about.setObjectName(QStringLiteral("FAbout"));
        aboutLabel->setObjectName(QStringLiteral("lblDescription"));
        aboutLabel->adjustSize();
        QDir(files.folder.path()).mkdir(QStringLiteral("Language"));
    }
    QString folder() const { return files.folder.path() + u'/'; }
    QString apply(const QString& name)
    {
        return i18n::UnicodeLanguage({&main, &about}, folder()).ApplyLanguage(name);
    }

    testsupport::TemporaryFiles files;
    QWidget main;
    QMenu* menu = new QMenu(QStringLiteral("文件(&F)"), &main);
    QAction* item = new QAction(QStringLiteral("打开(&O)"), &main);
    QPushButton* button = new QPushButton(QStringLiteral("打开"), &main);
    QDialog* dialog = new QDialog(&main);
    QPushButton* inner = new QPushButton(QStringLiteral("内部"), dialog);
    QWidget about;
    QLabel* aboutLabel = new QLabel(QStringLiteral("文本朗读工具"), &about);
};

} // namespace

TEST(UnicodeLanguage, TheFileInTheLanguageFolderWinsOverTheOneBesideTheProgram)
{
    Windows w;
    w.files.write(QStringLiteral("French.ini"),
                  "[Language]\r\nFmain.Caption=Lecteur\r\nFmain.NFile.Caption=&Fichier\r\n"
                  "Fmain.BtnOpen.Caption=Ouvrir\r\n");
    w.files.write(QStringLiteral("Language/French.ini"),
                  utf16File(QStringLiteral("[language]\r\nfmain.btnopen.caption=Ouvrir…\r\n"
                                           "Fmain.BtnOpen.Hint=Ouvrir un fichier\r\n"
                                           "Fmain.innerButton.Caption=x\r\n"
                                           "FAbout.lblDescription.Caption=Lit à voix haute\r\n"
                                           "Fmain.NOpen.Caption=\r\n")));
    EXPECT_EQ(w.apply(QStringLiteral("French")), QStringLiteral("French"));
    EXPECT_EQ(w.main.windowTitle(), QStringLiteral("Lecteur"));
    EXPECT_EQ(w.menu->title(), QStringLiteral("&Fichier"));
    EXPECT_EQ(w.button->text(), QStringLiteral("Ouvrir…"));
    EXPECT_EQ(w.button->toolTip(), QStringLiteral("Ouvrir un fichier"));
    EXPECT_EQ(w.item->text(), QStringLiteral("打开(&O)")) << "an empty value changes nothing";
    EXPECT_EQ(w.inner->text(), QStringLiteral("内部")) << "a dialog's inner parts are its own";
    EXPECT_EQ(w.aboutLabel->text(), QStringLiteral("Lit à voix haute"));
    EXPECT_EQ(w.aboutLabel->size(), w.aboutLabel->sizeHint()) << "a placed label fits its text";
    EXPECT_EQ(w.main.font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(w.about.font().pointSize(), 9);
}

TEST(UnicodeLanguage, AFileWithoutKeysStillSetsTheFontAndAMissingLanguageChangesNothing)
{
    Windows w;
    EXPECT_EQ(w.apply(QStringLiteral("German")), QString());
    EXPECT_EQ(w.main.font().pointSize(), 8);
    w.files.write(QStringLiteral("Language/German.ini"), "");
    EXPECT_EQ(w.apply(QStringLiteral("German")), QStringLiteral("German"));
    EXPECT_EQ(w.main.font().pointSize(), 9);
    EXPECT_EQ(w.button->text(), QStringLiteral("打开"));
}

TEST(UnicodeLanguage, ACaptionWithoutParenthesesNamesTheFileDotIni)
{
    EXPECT_EQ(i18n::languageNameOf(QStringLiteral("Deutsch(German)")), QStringLiteral("German"));
    EXPECT_EQ(i18n::languageNameOf(QStringLiteral("Deutsch")), QString());
    EXPECT_EQ(i18n::languageNameOf(QStringLiteral("a)b(c")), QString());
    Windows w;
    w.files.write(QStringLiteral(".ini"),
                  "[Language]\r\nFmain.BtnOpen.Caption=" + QByteArray(3000, 'x') + "\r\n");
    w.apply(i18n::languageNameOf(QStringLiteral("Deutsch")));
    EXPECT_EQ(w.button->text(), QString(2047, u'x')) << "a value keeps its first 2047 characters";
}

TEST(UnicodeLanguage, ANameIsNoPathAndAFilePastTheLimitIsSkipped)
{
    Windows w;
    QDir(w.files.folder.path()).mkdir(QStringLiteral("program"));
    w.files.write(QStringLiteral("outside.ini"), "[Language]\r\nFmain.Caption=Outside\r\n");
    const QString program = w.files.folder.filePath(QStringLiteral("program/"));
    EXPECT_EQ(i18n::UnicodeLanguage({&w.main}, program).ApplyLanguage(QStringLiteral("../outside")),
              QString());
    EXPECT_EQ(w.main.windowTitle(), QStringLiteral("标题"));

    const QByteArray texts = "[Language]\r\nFmain.Caption=Large\r\nFmain.BtnOpen.Caption=Open\r\n";
    const QByteArray padding(i18n::UnicodeLanguage::MaxFileBytes, ';');
    w.files.write(QStringLiteral("Language/Large.ini"), texts + padding);
    EXPECT_EQ(w.apply(QStringLiteral("Large")), QString());
    EXPECT_EQ(w.main.windowTitle(), QStringLiteral("标题"));
    w.files.write(QStringLiteral("Language/Large.ini"), texts + padding.left(1000));
    EXPECT_EQ(w.apply(QStringLiteral("Large")), QStringLiteral("Large"));
    EXPECT_EQ(w.main.windowTitle(), QStringLiteral("Large"));
    EXPECT_EQ(w.button->text(), QStringLiteral("Open"));
}
