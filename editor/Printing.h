// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>
#include <QString>

class QPrinter;

class QTextEdit;

namespace editor {

class EditorDialogs;

// Prints the editor's content on the printer chosen in the print dialog. The printer and the
// page set up for it last until the program ends.
class Printing {
public:
    using ShowMessage = std::function<void(const QString& text)>;

    Printing(QTextEdit& editor, EditorDialogs& dialogs, ShowMessage showMessage);
    ~Printing();

    // Any failure shows "打印错误!".
    void print();
    // Any failure shows "打印设置错误!".
    void setUp();

private:
    // Made when first wanted: finding the default printer may wait on the print server.
    QPrinter* printer();

    QTextEdit& editor_;
    EditorDialogs& dialogs_;
    ShowMessage showMessage_;
    std::unique_ptr<QPrinter> printer_;
};

// The job's title: the text, its blanks and line ends as single blanks, cut to a length that
// print queues show.
QString jobTitle(const QString& text);

} // namespace editor
