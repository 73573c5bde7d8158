// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MainMenu.h"

#include "app/MenuItems.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu* addMenu(QMainWindow& window, const char* name, const QString& caption)
{
    auto* menu = new QMenu(caption, &window);
    menu->setObjectName(QLatin1String(name));
    window.menuBar()->addMenu(menu);
    return menu;
}

} // namespace

MainMenu::MainMenu(QMainWindow& window)
{
    window.menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    createFileMenu(window);
    createEditMenu(window);
    createFormatMenu(window);
    createSpeakMenu(window);
    createViewMenu(window);
    createLanguageMenu(window);
    createHelpMenu(window);
}

void MainMenu::createFileMenu(QMainWindow& window)
{
    NFile = addMenu(window, "NFile", QStringLiteral("文件(&F)"));
    NOpen = addItem(*NFile, window, "NOpen", QStringLiteral("打开(&O)"));
    NSave = addItem(*NFile, window, "NSave", QStringLiteral("保存(&S)"));
    NFile->addSeparator();
    NExport = addItem(*NFile, window, "NExport", QStringLiteral("导出为WAV(&W)"));
    NExportLineWav = addItem(*NFile, window, "NExportLineWav", QStringLiteral("导出每行为WAV(&L)"));
    NFile->addSeparator();
    NPrintSetup = addItem(*NFile, window, "NPrintSetup", QStringLiteral("打印设置(&U)"));
    NPrint = addItem(*NFile, window, "NPrint", QStringLiteral("打印(&P)"),
                     QKeySequence(Qt::CTRL | Qt::Key_P));
    NFile->addSeparator();
    NExit = addItem(*NFile, window, "NExit", QStringLiteral("退出(&X)"));
}

void MainMenu::createEditMenu(QMainWindow& window)
{
    NEdit = addMenu(window, "NEdit", QStringLiteral("编辑(&E)"));
    NUndo = addItem(*NEdit, window, "NUndo", QStringLiteral("撤销(&U)"),
                    QKeySequence(Qt::CTRL | Qt::Key_Z));
    NRedo = addItem(*NEdit, window, "NRedo", QStringLiteral("重做(&R)"),
                    QKeySequence(Qt::CTRL | Qt::Key_Y));
    NEdit->addSeparator();
    Ncut = addItem(*NEdit, window, "Ncut", QStringLiteral("剪切(&X)"),
                   QKeySequence(Qt::CTRL | Qt::Key_X));
    NCopy = addItem(*NEdit, window, "NCopy", QStringLiteral("复制(&C)"),
                    QKeySequence(Qt::CTRL | Qt::Key_C));
    // Ctrl+P belongs to Print; Paste takes the key every editor uses.
    NPaste = addItem(*NEdit, window, "NPaste", QStringLiteral("粘贴(&P)"),
                     QKeySequence(Qt::CTRL | Qt::Key_V));
    NDelete = addItem(*NEdit, window, "NDelete", QStringLiteral("清除(&D)"));
    NSeleteAll = addItem(*NEdit, window, "NSeleteAll", QStringLiteral("全选(&A)"),
                         QKeySequence(Qt::CTRL | Qt::Key_A));
    NEdit->addSeparator();
    Nfind = addItem(*NEdit, window, "Nfind", QStringLiteral("查找(&F)"),
                    QKeySequence(Qt::CTRL | Qt::Key_F));
    NReplace = addItem(*NEdit, window, "NReplace", QStringLiteral("替换(&R)"),
                       QKeySequence(Qt::CTRL | Qt::Key_H));
    NEdit->addSeparator();
    NDateTime = addItem(*NEdit, window, "NDateTime", QStringLiteral("日期/时间(&D)"),
                        QKeySequence(Qt::Key_F5));
}

void MainMenu::createFormatMenu(QMainWindow& window)
{
    NFormat = addMenu(window, "NFormat", QStringLiteral("格式(&O)"));
    NWordWrap = addCheckItem(*NFormat, window, "NWordWrap", QStringLiteral("自动换行(&W)"));
    NFont = addItem(*NFormat, window, "NFont", QStringLiteral("字体(&F)..."));
    NBackcolor = addItem(*NFormat, window, "NBackcolor", QStringLiteral("背景颜色(&C)"));
    NFormat->addSeparator();
    NLeft = addItem(*NFormat, window, "NLeft", QStringLiteral("左对齐(&L)"));
    NCenter = addItem(*NFormat, window, "NCenter", QStringLiteral("居中(&C)"));
    NRight = addItem(*NFormat, window, "NRight", QStringLiteral("右对齐(&R)"));
}

void MainMenu::createSpeakMenu(QMainWindow& window)
{
    NSpeakI = addMenu(window, "NSpeakI", QStringLiteral("朗读(&S)"));
    NAloud = addItem(*NSpeakI, window, "NAloud", QStringLiteral("朗读(&S)"));
    NPause = addItem(*NSpeakI, window, "NPause", QStringLiteral("暂停(&U)"));
    NStop = addItem(*NSpeakI, window, "NStop", QStringLiteral("停止(&O)"));
    // Ctrl with the arrows moves the caret by words in the editor; Alt with them is free.
    NPrevSentence = addItem(*NSpeakI, window, "NPrevSentence", QStringLiteral("上一句(&P)"),
                            QKeySequence(Qt::ALT | Qt::Key_Left));
    NNextSentence = addItem(*NSpeakI, window, "NNextSentence", QStringLiteral("下一句(&N)"),
                            QKeySequence(Qt::ALT | Qt::Key_Right));
    NSpeakI->addSeparator();
    NSpeakKeyAll = addCheckItem(*NSpeakI, window, "NSpeakKeyAll", QStringLiteral("朗读按键(所有)"));
    NspeakLetterDigit =
        addCheckItem(*NSpeakI, window, "NspeakLetterDigit", QStringLiteral("朗读按键(字母和数字)"));
    NspeakLetter =
        addCheckItem(*NSpeakI, window, "NspeakLetter", QStringLiteral("朗读按键(仅字母)"));
    NSpeakdigit = addCheckItem(*NSpeakI, window, "NSpeakdigit", QStringLiteral("朗读按键(仅数字)"));
    NspeakClipBrd = addCheckItem(*NSpeakI, window, "NspeakClipBrd", QStringLiteral("朗读剪贴板"));
    NSpeakI->addSeparator();
    NshowKeyWord = addCheckItem(*NSpeakI, window, "NshowKeyWord", QStringLiteral("显示按键字符"));
    NshowclipBrdText =
        addCheckItem(*NSpeakI, window, "NshowclipBrdText", QStringLiteral("显示剪贴板内容"));
    NSpeakI->addSeparator();
    NDefaultRate = addItem(*NSpeakI, window, "NDefaultRate", QStringLiteral("默认语速"));
    NDefaultvolume = addItem(*NSpeakI, window, "NDefaultvolume", QStringLiteral("默认音量"));
    NSpeakI->addSeparator();
    NVoiceLibrary = addItem(*NSpeakI, window, "NVoiceLibrary", QStringLiteral("语音库…"));
    NReadSelectionKey =
        addItem(*NSpeakI, window, "NReadSelectionKey", QStringLiteral("朗读选中文字的快捷键…"));
    // Only these three are radio items; "all keys" is a check item beside them.
    auto* radio = new QActionGroup(&window);
    radio->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* item : {NspeakLetterDigit, NspeakLetter, NSpeakdigit})
        radio->addAction(item);
}

void MainMenu::createViewMenu(QMainWindow& window)
{
    NView = addMenu(window, "NView", QStringLiteral("查看(&V)"));
    NToolbar = addCheckItem(*NView, window, "NToolbar", QStringLiteral("工具栏(&T)"));
    NAddressBar = addCheckItem(*NView, window, "NAddressBar", QStringLiteral("地址栏(&A)"));
    NProgressbar = addCheckItem(*NView, window, "NProgressbar", QStringLiteral("进度栏(&P)"));
    NPropertybar = addCheckItem(*NView, window, "NPropertybar", QStringLiteral("属性栏(&O)"));
    for (QAction* item : {NToolbar, NAddressBar, NProgressbar, NPropertybar})
        item->setChecked(true);
}

void MainMenu::createLanguageMenu(QMainWindow& window)
{
    NView->addSeparator();
    NLanguage = addSubmenu(*NView, window, "NLanguage", QStringLiteral("语言(&L)"));
}

void MainMenu::fillLanguageMenu(QMainWindow& window, const QStringList& available)
{
    languageItems = addAvailableLanguageItems(*NLanguage, window, available);
}

void MainMenu::createHelpMenu(QMainWindow& window)
{
    NHelps = addMenu(window, "NHelps", QStringLiteral("帮助(&H)"));
    NHelp = addItem(*NHelps, window, "NHelp", QStringLiteral("帮助(&H)"), QKeySequence(Qt::Key_F1));
    NHelps->addSeparator();
    NAbout = addItem(*NHelps, window, "NAbout", QStringLiteral("关于(&A)"));
}
