// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/AddressHistory.h"

#include <gtest/gtest.h>
#include <QComboBox>

using documents::AddressHistory;

namespace {

QStringList listed(const QComboBox& box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

} // namespace

// Only an equal entry is the same address: one that is part of another, or differs in case, is
// an address of its own.
TEST(AddressHistory, AnAddressGoesFirstOnceAndTheElevenNewestAreKept)
{
    QComboBox box;
    box.setEditable(true);
    AddressHistory history(box);
    box.setEditText(QStringLiteral("typed"));
    for (const char* entry : {"/a.txt.bak", "/a.txt", "/A.txt", "/a.txt.bak", "", "/b\nc", "/b\rc"})
        history.add(QString::fromLatin1(entry));
    EXPECT_EQ(listed(box), (QStringList{"/a.txt.bak", "/A.txt", "/a.txt"}));
    EXPECT_EQ(box.currentText(), QStringLiteral("typed"));

    for (int i = 1; i <= 12; ++i)
        history.add(QStringLiteral("/docs/%1.txt").arg(i));
    ASSERT_EQ(box.count(), AddressHistory::MaxEntries);
    EXPECT_EQ(box.itemText(0), QStringLiteral("/docs/12.txt"));
    EXPECT_EQ(box.itemText(10), QStringLiteral("/docs/2.txt"));
    EXPECT_EQ(history.entries(), listed(box));
}
