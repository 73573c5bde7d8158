#pragma once

#include <QStringList>

class QComboBox;

namespace documents {

// The address box's list: the addresses last gone to, newest first.
class AddressHistory {
public:
    static constexpr int MaxEntries = 11;

    explicit AddressHistory(QComboBox& box);

    // Puts the entry first, taking an equal one out of its place. An empty entry, or one holding a
    // line break, which the history file would give back as two, is refused.
    void add(const QString& entry);
    QStringList entries() const;
    // The list as read at start, kept whole; the box shows no entry.
    void replace(const QStringList& entries);

private:
    QComboBox& box_;
};

} // namespace documents
