#include "editor/Printing.h"

#include "editor/EditorDialogs.h"

#include <QTextDocument>
#include <QTextEdit>

namespace editor {

Printing::Printing(QTextEdit& editor, EditorDialogs& dialogs, ShowMessage showMessage)
    : editor_(editor)
    , dialogs_(dialogs)
    , showMessage_(std::move(showMessage))
{
}

void Printing::print()
{
    if (!printer_.isValid()) {
        showMessage_(QStringLiteral("打印错误!"));
        return;
    }
    if (!dialogs_.choosePrinter(&editor_, printer_))
        return;
    printer_.setDocName(jobTitle(editor_.toPlainText()));
    editor_.document()->print(&printer_);
    if (printer_.printerState() == QPrinter::Error)
        showMessage_(QStringLiteral("打印错误!"));
}

void Printing::setUp()
{
    if (!printer_.isValid()) {
        showMessage_(QStringLiteral("打印设置错误!"));
        return;
    }
    dialogs_.setUpPage(&editor_, printer_);
}

QString jobTitle(const QString& text)
{
    constexpr qsizetype MaxLength = 100;
    return text.simplified().left(MaxLength);
}

} // namespace editor
