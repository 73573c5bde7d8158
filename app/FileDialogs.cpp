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

// Qt reads a filter's masks from the last parentheses of its text, blank-separated.
QString qtFilter(const QString& description, const QString& masks)
{
    return description + QStringLiteral(" (") + QString(masks).replace(u';', u' ') + u')';
}

QStringList classicFilters()
{
    const QStringList parts = ClassicFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << qtFilter(parts[i], parts[i + 1]);
    return filters;
}

QStringList newerFilters()
{
    QStringList filters;
    for (const auto& [name, masks] : NewerFileTypes)
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
        dialog.setNameFilters(classicFilters());
        dialog.setDefaultSuffix(QStringLiteral("txt"));
    } else {
        dialog.setObjectName(QStringLiteral("FileOpenDialog1"));
        dialog.setNameFilters(newerFilters());
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

QString QtFileDialogs::chooseFolder(QWidget* parent, const QString& title)
{
    return QFileDialog::getExistingDirectory(parent, title);
}
