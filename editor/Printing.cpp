// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/Printing.h"

#include "editor/EditorDialogs.h"

#include <QPrinter>
#include <QTextDocument>
#include <QTextEdit>

namespace editor {

Printing::Printing(QTextEdit& editor, EditorDialogs& dialogs, ShowMessage showMessage)
    : editor_(editor)
    , dialogs_(dialogs)
    , showMessage_(std::move(showMessage))
{
}

Printing::~Printing() = default;

void Printing::print()
{
    QPrinter* printer = this->printer();
    if (!printer) {
        showMessage_(QStringLiteral("打印错误!"));
        return;
    }
    if (!dialogs_.choosePrinter(&editor_, *printer))
        return;
    printer->setDocName(jobTitle(editor_.toPlainText()));
    editor_.document()->print(printer);
    if (printer->printerState() == QPrinter::Error)
        showMessage_(QStringLiteral("打印错误!"));
}

void Printing::setUp()
{
    if (QPrinter* printer = this->printer())
        dialogs_.setUpPage(&editor_, *printer);
    else
        showMessage_(QStringLiteral("打印设置错误!"));
}

QPrinter* Printing::printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>();
    return printer_->isValid() ? printer_.get() : nullptr;
}

QString jobTitle(const QString& text)
{
    constexpr qsizetype MaxLength = 100;
    return text.simplified().left(MaxLength);
}

} // namespace editor
