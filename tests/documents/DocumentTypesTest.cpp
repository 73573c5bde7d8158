// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/DocumentTypes.h"

#include <gtest/gtest.h>

using namespace documents;

TEST(DocumentTypes, TheExtensionIsTheLastFullStopOnOfTheLowerCasedPath)
{
    EXPECT_EQ(extensionOf(QStringLiteral("/Docs/Report.TXT")), QStringLiteral(".txt"));
    EXPECT_EQ(extensionOf(QStringLiteral("/docs/archive.tar.txt")), QStringLiteral(".txt"));
    EXPECT_EQ(extensionOf(QStringLiteral("/docs.v2/readme")), QString());
    EXPECT_EQ(extensionOf(QStringLiteral("c:.x:y")), QString());
    EXPECT_EQ(extensionOf(QStringLiteral("noextension")), QString());
    EXPECT_EQ(extensionOf(QStringLiteral("/a/ÄRGER.HTML")), QStringLiteral(".html"));
    EXPECT_EQ(asciiLowerCase(QStringLiteral("ÄBC-Ωx")), QStringLiteral("Äbc-Ωx"));
}

TEST(DocumentTypes, EachExtensionHasItsRow)
{
    EXPECT_EQ(handlingOf(QStringLiteral(".txt")), DocumentHandling::LoadIntoEditor);
    EXPECT_EQ(handlingOf(QStringLiteral(".ini")), DocumentHandling::LoadIntoEditor);
    EXPECT_EQ(handlingOf(QStringLiteral(".html")), DocumentHandling::Browse);
    EXPECT_EQ(handlingOf(QStringLiteral(".mht")), DocumentHandling::Browse);
    EXPECT_EQ(handlingOf(QStringLiteral(".doc")), DocumentHandling::ConvertWordDocument);
    EXPECT_EQ(handlingOf(QStringLiteral(".pdf")), DocumentHandling::ConvertPdf);
    EXPECT_EQ(handlingOf(QStringLiteral(".docx")), DocumentHandling::ConvertWordDocument);
    EXPECT_EQ(handlingOf(QStringLiteral(".odt")), DocumentHandling::ConvertWordDocument);
    EXPECT_EQ(handlingOf(QStringLiteral(".epub")), DocumentHandling::ReadEpub);
    EXPECT_EQ(handlingOf(QStringLiteral(".md")), DocumentHandling::ReadMarkdown);
    EXPECT_EQ(handlingOf(QStringLiteral(".markdown")), DocumentHandling::ReadMarkdown);
    for (const char* other : {".text", ".shtml", ".docm", "", ".TXT"})
        EXPECT_EQ(handlingOf(QLatin1String(other)), DocumentHandling::Nothing) << other;
}
