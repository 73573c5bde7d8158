// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMainWindow>
#include <QStringList>
#include <vector>

class QAction;
class QMenu;

// The window's menu bar with its items under their own names.
class MainMenu {
public:
    explicit MainMenu(QMainWindow& window);
    // The Language menu's items: the built-in language and those of the files found.
    void fillLanguageMenu(QMainWindow& window, const QStringList& available);

    QMenu* NFile;
    QAction* NOpen;
    QAction* NSave;
    QAction* NExport;
    QAction* NExportLineWav;
    QAction* NPrintSetup;
    QAction* NPrint;
    QAction* NExit;

    QMenu* NEdit;
    QAction* NUndo;
    QAction* NRedo;
    QAction* Ncut;
    QAction* NCopy;
    QAction* NPaste;
    QAction* NDelete;
    QAction* NSeleteAll;
    QAction* Nfind;
    QAction* NReplace;
    QAction* NDateTime;

    QMenu* NFormat;
    QAction* NWordWrap;
    QAction* NFont;
    QAction* NBackcolor;
    QAction* NLeft;
    QAction* NCenter;
    QAction* NRight;

    QMenu* NSpeakI;
    QAction* NAloud;
    QAction* NPause;
    QAction* NStop;
    QAction* NPrevSentence;
    QAction* NNextSentence;
    QAction* NSpeakKeyAll;
    QAction* NspeakLetterDigit;
    QAction* NspeakLetter;
    QAction* NSpeakdigit;
    QAction* NspeakClipBrd;
    QAction* NshowKeyWord;
    QAction* NshowclipBrdText;
    QAction* NDefaultRate;
    QAction* NDefaultvolume;
    QAction* NVoiceLibrary;
    QAction* NReadSelectionKey;

    QMenu* NView;
    QAction* NToolbar;
    QAction* NAddressBar;
    QAction* NProgressbar;
    QAction* NPropertybar;

    // Under the View menu.
    QMenu* NLanguage;
    std::vector<QAction*> languageItems;

    QMenu* NHelps;
    QAction* NHelp;
    QAction* NAbout;

private:
    void createFileMenu(QMainWindow& window);
    void createEditMenu(QMainWindow& window);
    void createFormatMenu(QMainWindow& window);
    void createSpeakMenu(QMainWindow& window);
    void createViewMenu(QMainWindow& window);
    void createLanguageMenu(QMainWindow& window);
    void createHelpMenu(QMainWindow& window);
};
