// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/FileDialogTexts.h"

namespace {

// The first description has never had its closing parenthesis.
const char16_t ClassicOpenFilter[] =
    u"所有文件(*.txt,*.ini,*.rtf,*.doc,*.pdf,*.htm,*.html,*.mht,*.xml|*.txt;*.ini;*.rtf;*.doc;*."
    u"pdf;"
    u"*.htm;*.html;*.mht;*.xml;*.docx;*.odt;*.epub;*.md;*.markdown|文本文件(*.txt)|*.txt|"
    u"Ini文件(*.ini)|*.ini|"
    u"Rtf文件 (*.rtf)|*.rtf|Word文档(*.doc)|*.doc;*.docx;*.odt|Pdf文件(*.pdf)|*.pdf|Htm "
    u"文件(*.htm)|*.htm|Html文件 (*.html)|*.html|"
    u"Mht文件 (*.mht)|*.mht|XML文件 (*.xml)|*.xml|EPUB电子书(*.epub)|*.epub|"
    u"Markdown文件(*.md)|*.md;*.markdown|任何文件 (*.*)|*.*";

const char16_t NewerOpenFileTypes[] =
    u"所有文件|*.txt;*.ini;*.rtf;*.doc;*.pdf;*.htm;*.html;*.MHT;*.mshtml;*.xml;*.docx;*.odt;"
    u"*.epub;*.md;*.markdown|"
    u"文本文件|*.txt|Ini文件|*.ini|Rtf文件|*.rtf|Word文档|*.doc;*.docx;*.odt|Pdf 文档|*.pdf|"
    u"Htm文件|*.htm|Html文件|*.html|Mht文件|*.mht|Xml文件|*.xml|EPUB电子书|*.epub|"
    u"Markdown文件|*.md;*.markdown|Any文件|*.*";

// The last mask has always ended in a blank.
const char16_t ClassicTextFilter[] =
    u"文本文件(*.txt)|*.txt|Rtf文件(*.rtf)|*.rtf|任何文件(*.*)|*.* ";
const char16_t NewerTextFileTypes[] = u"文本文件|*.txt|RTF文件|*.rtf|任何文件|*.*";

// WAV first, then the compressed types a phone or a car plays.
const char16_t ClassicWavFilter[] = u"Wav文件(*.wav)|*.wav|MP3文件(*.mp3)|*.mp3|"
                                    u"Ogg Opus文件(*.opus)|*.opus|Ogg Vorbis文件(*.ogg)|*.ogg|"
                                    u"FLAC文件(*.flac)|*.flac";
const char16_t NewerWavFileTypes[] = u"Wav文件|*.wav|MP3文件|*.mp3|Ogg Opus文件|*.opus|"
                                     u"Ogg Vorbis文件|*.ogg|FLAC文件|*.flac";

template <typename Texts>
Texts* texts(QObject* window, const char* name, const char16_t* fileTypes, const char* suffix)
{
    return new Texts(window, name, QString::fromUtf16(fileTypes), QLatin1String(suffix));
}

} // namespace

FileDialogTexts::FileDialogTexts(QObject* parent, const char* name, QString fileTypes,
                                 QString defaultSuffix)
    : QObject(parent)
    , fileTypes(std::move(fileTypes))
    , defaultSuffix(std::move(defaultSuffix))
{
    setObjectName(QLatin1String(name));
}

DialogText::DialogText(QObject* parent, const char* name, QString caption)
    : QObject(parent)
    , caption(std::move(caption))
{
    setObjectName(QLatin1String(name));
}

WindowFileDialogs::WindowFileDialogs(QObject* window)
    : OpenDialog1(texts<ClassicFileDialogTexts>(window, "OpenDialog1", ClassicOpenFilter, "txt"))
    , FileOpenDialog1(texts<FileDialogTexts>(window, "FileOpenDialog1", NewerOpenFileTypes, ""))
    , SaveDialogTxt(
          texts<ClassicFileDialogTexts>(window, "SaveDialogTxt", ClassicTextFilter, "txt"))
    , FileSaveDialogTxt(
          texts<FileDialogTexts>(window, "FileSaveDialogTxt", NewerTextFileTypes, "txt"))
    , SaveDialogWav(texts<ClassicFileDialogTexts>(window, "SaveDialogWav", ClassicWavFilter, "wav"))
    , FileSaveDialogWav(
          texts<FileDialogTexts>(window, "FileSaveDialogWav", NewerWavFileTypes, "wav"))
    , ExportByChapter(new DialogText(window, "ExportByChapter",
                                     QStringLiteral("每章一个文件，并写出播放列表(&H)")))
    , ExportSubtitles(
          new DialogText(window, "ExportSubtitles", QStringLiteral("同时写出字幕(&U):")))
    , ExportReplaces(new DialogText(window, "ExportReplaces",
                                    QStringLiteral("以下文件已经存在，要替换它们吗？")))
{
}
