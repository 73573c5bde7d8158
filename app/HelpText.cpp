// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/HelpText.h"

#include <QStringList>

QString helpCaption()
{
    return QStringLiteral("Lectorix 帮助");
}

QString helpText()
{
    const QString rule(79, u'-');
    const QStringList lines = {
        QStringLiteral("欢迎使用 Lectorix!"),
        rule,
        QStringLiteral("这是什么:"),
        QStringLiteral("使用Lectorix，你可以:"),
        QStringLiteral("用语音朗读文本,RTF,Html,Mht,Doc文件."),
        QStringLiteral("朗读网页，输入网页地址，然后按回车键即可."),
        QStringLiteral("朗读键盘按键，如全部按键，字母和数字，仅字母，仅数字等。"),
        QStringLiteral("朗读剪贴板文字，在任何程序中，选择你要朗读的文字，然后点击\"复制\"菜单."),
        QStringLiteral("监视按键文字并同步显示按键字符。"),
        QStringLiteral("监视剪贴板文字并同步显示剪贴板文字内容"),
        rule,
        QStringLiteral("文件:"),
        QStringLiteral("打开:打开显示一个文件内容。(如txt,rtf,htm,mht,doc)."),
        QStringLiteral("保存:保存当前文本到txt或rtf文档."),
        QStringLiteral("导出为WAV:到处选择或全部文本为WAV音频文件."),
        QStringLiteral("导出每行为WAV:到处每行文本内容为WAV文件."),
        QStringLiteral("退出:退出关闭Lectorix程序."),
        rule,
        QStringLiteral("朗读:"),
        QStringLiteral("朗读:开始朗读文本."),
        QStringLiteral("暂停:暂停/继续朗读."),
        QStringLiteral("停止:停止朗读. "),
        QStringLiteral("朗读按键(所有):朗读字母，数字和控制按键。"),
        QStringLiteral("朗读按键(字母和数字):朗读字母和数字按键."),
        QStringLiteral("朗读按键(仅字母):仅仅朗读字母按键."),
        QStringLiteral("朗读按键(仅数字):仅仅朗读数字按键."),
        QStringLiteral("朗读剪贴板文字:朗读剪贴板文字内容."),
        QStringLiteral("显示按键:当你打字时显示按键字符."),
        QStringLiteral("显示剪贴板文字:同步显示剪贴板文字内容."),
        rule,
        QStringLiteral("编辑:编辑当前文档和文本."),
        QStringLiteral("视图:显示或隐藏程序控制条."),
        rule,
        QStringLiteral("帮助:"),
        QStringLiteral("帮助:显示Lectorix帮助."),
        QStringLiteral("关于:关于Lectorix."),
    };
    return lines.join(QStringLiteral("\r\n"));
}
