// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMenu>
#include <vector>

// The notification-area icon's menu with its items under their own names.
class TrayMenu {
public:
    explicit TrayMenu(QWidget& window);

    QMenu* PMBar;
    QAction* NHideShow;
    QAction* NNNOpen;
    QAction* NNNPaste;
    QAction* NNNAloud;
    QAction* NNNPause;
    QAction* NNNStop;
    QAction* NNNExport;
    QAction* NNNExportLineWav;
    QMenu* NAloudItems;
    QAction* NNSpeakKeyAll;
    QAction* NNSpeakLetterDigit;
    QAction* NNSpeakLetter;
    QAction* NNSpeakdigit;
    QAction* NNspeakClipBrd;
    QAction* NNshowkeyword;
    QAction* NNShowclipBrdText;
    QMenu* NNLanguage;
    std::vector<QAction*> languageItems;
    QAction* NNHelp;
    QAction* NNAbout;
    QAction* NNExit;

private:
    void createSpeakingOptions(QWidget& window);
};
