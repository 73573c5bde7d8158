// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFShortcut.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* wrappedLabel(const QString& text, const char* name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}

QPushButton* button(const QString& text, const char* name, QDialogButtonBox::ButtonRole role,
                    QDialogButtonBox& box)
{
    QPushButton* added = box.addButton(text, role);
    added->setObjectName(QLatin1String(name));
    return added;
}

} // namespace

TFShortcut::TFShortcut(QWidget* parent)
    : QDialog(parent)
    , HKReadSelection(new QKeySequenceEdit(this))
    , lblAsking(wrappedLabel(QStringLiteral("桌面会登记这个快捷键，也可能请您确认或改用另一个键。"),
                             "lblAsking", this))
    , lblUnavailable(
          wrappedLabel(QStringLiteral("这个桌面不让程序登记全局快捷键。请在桌面的键盘设置中为命令 "
                                      "lectorix --read-selection 指定一个键。"),
                       "lblUnavailable", this))
{
    setObjectName(QStringLiteral("FShortcut"));
    setWindowTitle(QStringLiteral("朗读选中文字的快捷键"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    QLabel* explanation = wrappedLabel(
        QStringLiteral("在任何程序中选中文字，按下这个键就能朗读它(&K)："), "lblShortcut", this);
    explanation->setBuddy(HKReadSelection);
    HKReadSelection->setObjectName(QStringLiteral("HKReadSelection"));
    HKReadSelection->setClearButtonEnabled(true);
    HKReadSelection->installEventFilter(this);
    connect(HKReadSelection, &QKeySequenceEdit::editingFinished, this,
            &TFShortcut::keepFirstCombination);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* defaultKey =
        button(QStringLiteral("默认"), "BtnDefault", QDialogButtonBox::ResetRole, *buttons);
    defaultKey->setAutoDefault(false);
    connect(defaultKey, &QPushButton::clicked, this, [this] {
        HKReadSelection->setKeySequence(live::SelectionShortcut::defaultCombination());
    });
    button(QStringLiteral("确定"), "BtnOK", QDialogButtonBox::AcceptRole, *buttons);
    button(QStringLiteral("取消"), "BtnCancel", QDialogButtonBox::RejectRole, *buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QWidget* widget : std::initializer_list<QWidget*>{explanation, HKReadSelection, lblAsking,
                                                           lblUnavailable, buttons})
        layout->addWidget(widget);
    setMinimumWidth(420);
    showReach(live::SelectionShortcut::Reach::KeyHook);
}

void TFShortcut::edit(live::SelectionShortcut& shortcut)
{
    showReach(shortcut.reach());
    // The desktop may answer while the dialog is open.
    const QMetaObject::Connection reach = connect(&shortcut, &live::SelectionShortcut::reachChanged,
                                                  this, [&] { showReach(shortcut.reach()); });
    HKReadSelection->setKeySequence(QKeySequence(shortcut.combination()));
    HKReadSelection->setFocus();
    const bool confirmed = exec() == QDialog::Accepted;
    disconnect(reach);
    if (!confirmed)
        return;
    const QKeySequence chosen = HKReadSelection->keySequence();
    shortcut.choose(chosen.isEmpty() ? QKeyCombination() : chosen[0], windowTitle());
}

void TFShortcut::showReach(live::SelectionShortcut::Reach reach)
{
    using Reach = live::SelectionShortcut::Reach;
    lblAsking->setVisible(reach == Reach::Asking || reach == Reach::Portal);
    lblUnavailable->setVisible(reach == Reach::None);
}

// The key box would record every key; Escape, Return and Tab alone still work the dialog, so
// that the keyboard can leave it. None of them is a shortcut for the whole desktop.
bool TFShortcut::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != HKReadSelection || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && key->key() != Qt::Key_Backtab)
        return false;
    switch (key->key()) {
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        focusNextPrevChild(key->key() == Qt::Key_Tab);
        return true;
    default:
        return false;
    }
}

// One combination is a shortcut; a sequence of several is not one the desktop can give.
void TFShortcut::keepFirstCombination()
{
    const QKeySequence sequence = HKReadSelection->keySequence();
    if (sequence.count() > 1)
        HKReadSelection->setKeySequence(QKeySequence(sequence[0]));
}
