#include "app/FileDialogs.h"

#include <QFileDialog>

namespace {

// Description and mask pairs joined by "|", as the classic dialog takes them. The first
// description has never had its closing parenthesis.
const QString ClassicFilter = QStringLiteral(
    "所有文件(*.txt,*.ini,*.rtf,*.doc,*.pdf,*.htm,*.html,*.mht,*.xml|*.txt;*.ini;*.rtf;*.doc;*.pdf;"
    "*.htm;*.html;*.mht;*.xml;*.docx;*.odt|文本文件(*.txt)|*.txt|Ini文件(*.ini)|*.ini|"
    "Rtf文件 (*.rtf)|*.rtf|Word文档(*.doc)|*.doc;*.docx;*.odt|Pdf文件(*.pdf)|*.pdf|Htm "
    "文件(*.htm)|*.htm|Html文件 (*.html)|*.html|"
    "Mht文件 (*.mht)|*.mht|XML文件 (*.xml)|*.xml|任何文件 (*.*)|*.*");

const std::pair<const char16_t*, const char*> NewerFileTypes[] = {
    {u"所有文件", "*.txt;*.ini;*.rtf;*.doc;*.pdf;*.htm;*.html;*.MHT;*.mshtml;*.xml;*.docx;*.odt"},
    {u"文本文件", "*.txt"},
    {u"Ini文件", "*.ini"},
    {u"Rtf文件", "*.rtf"},
    {u"Word文档", "*.doc;*.docx;*.odt"},
    {u"Pdf 文档", "*.pdf"},
    {u"Htm文件", "*.htm"},
    {u"Html文件", "*.html"},
    {u"Mht文件", "*.mht"},
    {u"Xml文件", "*.xml"},
    {u"Any文件", "*.*"},
};

// The last mask has always ended in a blank.
const QString ClassicTextFilter =
    QStringLiteral("文本文件(*.txt)|*.txt|Rtf文件(*.rtf)|*.rtf|任何文件(*.*)|*.* ");

const std::pair<const char16_t*, const char*> NewerTextFileTypes[] = {
    {u"文本文件", "*.txt"},
    {u"RTF文件", "*.rtf"},
    {u"任何文件", "*.*"},
};

// Qt reads a filter's masks from the last parentheses of its text, blank-separated.
QString qtFilter(const QString& description, const QString& masks)
{
    return description + QStringLiteral(" (") + QString(masks).replace(u';', u' ') + u')';
}

QStringList classicFilters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << qtFilter(parts[i], parts[i + 1]);
    return filters;
}

template <std::size_t Count>
QStringList newerFilters(const std::pair<const char16_t*, const char*> (&types)[Count])
{
    QStringList filters;
    for (const auto& [name, masks] : types)
        filters << qtFilter(QString::fromUtf16(name), QLatin1String(masks));
    return filters;
}

QString chosenFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

} // namespace

QString QtFileDialogs::chooseFileToOpen(QWidget* parent, Style style)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (style == Style::Classic) {
        dialog.setObjectName(QStringLiteral("OpenDialog1"));
        dialog.setNameFilters(classicFilters(ClassicFilter));
        dialog.setDefaultSuffix(QStringLiteral("txt"));
    } else {
        dialog.setObjectName(QStringLiteral("FileOpenDialog1"));
        dialog.setNameFilters(newerFilters(NewerFileTypes));
    }
    return chosenFile(dialog);
}

QString QtFileDialogs::chooseWavFileToSave(QWidget* parent, Style style)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(style == Style::Classic ? QStringLiteral("SaveDialogWav")
                                                 : QStringLiteral("FileSaveDialogWav"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    dialog.setNameFilter(style == Style::Classic
                             ? qtFilter(QStringLiteral("Wav文件(*.wav)"), QStringLiteral("*.wav"))
                             : qtFilter(QStringLiteral("Wav文件"), QStringLiteral("*.wav")));
    return chosenFile(dialog);
}

QString QtFileDialogs::chooseTextFileToSave(QWidget* parent, Style style)
{
    QFileDialog dialog(parent);
    const bool classic = style == Style::Classic;
    dialog.setObjectName(classic ? QStringLiteral("SaveDialogTxt")
                                 : QStringLiteral("FileSaveDialogTxt"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setNameFilters(classic ? classicFilters(ClassicTextFilter)
                                  : newerFilters(NewerTextFileTypes));
    return chosenFile(dialog);
}

QString QtFileDialogs::chooseFolder(QWidget* parent, const QString& title)
{
    return QFileDialog::getExistingDirectory(parent, title);
}
