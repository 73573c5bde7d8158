// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TrayMenu.h"

#include "app/MenuItems.h"

#include <QActionGroup>

TrayMenu::TrayMenu(QWidget& window)
    : PMBar(new QMenu(&window))
{
    PMBar->setObjectName(QStringLiteral("PMBar"));
    NHideShow = addItem(*PMBar, window, "NHideShow", QStringLiteral("恢复窗口"));
    PMBar->addSeparator();
    NNNOpen = addItem(*PMBar, window, "NNNOpen", QStringLiteral("打开文件"));
    NNNPaste = addItem(*PMBar, window, "NNNPaste", QStringLiteral("粘贴内容"));
    PMBar->addSeparator();
    NNNAloud = addItem(*PMBar, window, "NNNAloud", QStringLiteral("开始朗读"));
    NNNPause = addItem(*PMBar, window, "NNNPause", QStringLiteral("暂停朗读"));
    NNNStop = addItem(*PMBar, window, "NNNStop", QStringLiteral("停止朗读"));
    PMBar->addSeparator();
    NNNExport = addItem(*PMBar, window, "NNNExport", QStringLiteral("导出为WAV文件"));
    NNNExportLineWav =
        addItem(*PMBar, window, "NNNExportLineWav", QStringLiteral("导出每行为WAV文件"));
    PMBar->addSeparator();
    createSpeakingOptions(window);
    NNLanguage = addSubmenu(*PMBar, window, "NNLanguage", QStringLiteral("选择语言"));
    languageItems = addLanguageItems(*NNLanguage, window, LanguageMenu::Tray);
    NNLanguage->menuAction()->setVisible(false);
    PMBar->addSeparator();
    NNHelp = addItem(*PMBar, window, "NNHelp", QStringLiteral("软件帮助"));
    NNAbout = addItem(*PMBar, window, "NNAbout", QStringLiteral("关于软件"));
    PMBar->addSeparator();
    NNExit = addItem(*PMBar, window, "NNExit", QStringLiteral("关闭退出"));
}

void TrayMenu::createSpeakingOptions(QWidget& window)
{
    NAloudItems = addSubmenu(*PMBar, window, "NAloudItems", QStringLiteral("朗读选项"));
    QMenu& options = *NAloudItems;
    NNSpeakKeyAll =
        addCheckItem(options, window, "NNSpeakKeyAll", QStringLiteral("朗读按键(所有)"));
    NNSpeakLetterDigit =
        addCheckItem(options, window, "NNSpeakLetterDigit", QStringLiteral("朗读按键(字母和数字)"));
    NNSpeakLetter =
        addCheckItem(options, window, "NNSpeakLetter", QStringLiteral("朗读按键(仅字母)"));
    NNSpeakdigit =
        addCheckItem(options, window, "NNSpeakdigit", QStringLiteral("朗读按键(仅数字)"));
    NNspeakClipBrd = addCheckItem(options, window, "NNspeakClipBrd", QStringLiteral("朗读剪切板"));
    options.addSeparator();
    NNshowkeyword = addCheckItem(options, window, "NNshowkeyword", QStringLiteral("显示按键字符"));
    NNShowclipBrdText =
        addCheckItem(options, window, "NNShowclipBrdText", QStringLiteral("显示剪切板文字"));
    auto* radio = new QActionGroup(&window);
    radio->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* item : {NNSpeakKeyAll, NNSpeakLetterDigit, NNSpeakLetter, NNSpeakdigit})
        radio->addAction(item);
}
