// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/AddressHistory.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace documents {

// Completing in place would turn a typed folder into the first entry that begins with it, and
// Enter would go there instead.
AddressHistory::AddressHistory(QComboBox& box)
    : box_(box)
{
    QCompleter* completer = box_.completer();
    completer->setCompletionMode(QCompleter::PopupCompletion);
    // Installed after the completer's own filter, so this one sees the keys first.
    completer->popup()->installEventFilter(this);
}

void AddressHistory::add(const QString& entry)
{
    if (entry.isEmpty() || entry.contains(u'\n') || entry.contains(u'\r'))
        return;
    // Moving items would change the box's text; it keeps what it shows.
    const QString shown = box_.currentText();
    for (int i = box_.count() - 1; i >= 0; --i)
        if (box_.itemText(i) == entry)
            box_.removeItem(i);
    box_.insertItem(0, entry);
    while (box_.count() > MaxEntries)
        box_.removeItem(box_.count() - 1);
    box_.setEditText(shown);
}

QStringList AddressHistory::entries() const
{
    QStringList entries;
    for (int i = 0; i < box_.count(); ++i)
        entries << box_.itemText(i);
    return entries;
}

void AddressHistory::replace(const QStringList& entries)
{
    box_.clear();
    box_.addItems(entries);
    box_.setCurrentIndex(-1);
}

// Enter with no entry picked in the list belongs to the box, as if the list were closed; the
// completer would only close it.
bool AddressHistory::eventFilter(QObject* watched, QEvent* event)
{
    auto* list = qobject_cast<QAbstractItemView*>(watched);
    if (list && event->type() == QEvent::KeyPress && !list->currentIndex().isValid()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            list->hide();
            QCoreApplication::sendEvent(box_.lineEdit(), event);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace documents
