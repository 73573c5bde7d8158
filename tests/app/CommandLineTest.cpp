// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

CommandLine read(QStringList arguments)
{
    arguments.prepend(QStringLiteral("lectorix"));
    return readCommandLine(arguments);
}

} // namespace

TEST(CommandLine, TakesALanguageAndQtsOwnOptionsAndAnswersHelpVersionAndMistakes)
{
    EXPECT_EQ(read({QStringLiteral("--language"), QStringLiteral("German")}).language,
              QStringLiteral("German"));
    const CommandLine withQtOptions = read(
        {QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("-reverse")});
    EXPECT_FALSE(withQtOptions.exitStatus);
    EXPECT_TRUE(withQtOptions.language.isEmpty());
    EXPECT_EQ(read({QStringLiteral("--help")}).exitStatus, 0);
    EXPECT_EQ(read({QStringLiteral("--version")}).exitStatus, 0);
    EXPECT_EQ(read({QStringLiteral("--languag")}).exitStatus, 1);
    EXPECT_EQ(read({QStringLiteral("--language")}).exitStatus, 1) << "the name is missing";
}
