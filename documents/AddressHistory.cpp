#include "documents/AddressHistory.h"

#include <QComboBox>

namespace documents {

AddressHistory::AddressHistory(QComboBox& box)
    : box_(box)
{
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

} // namespace documents
