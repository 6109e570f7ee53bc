// tarnwick generate as a user runs it: one line by the options, usage errors exit 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/cli_runner.h"

namespace tarnwick {
namespace {

using testing::RunCli;

TEST(GenerateCli, PrintsOnePasswordOrPassphraseByTheOptions) {
    const auto defaults = RunCli("generate");
    ASSERT_EQ(defaults.exitCode, 0);
    EXPECT_EQ(defaults.out.size(), 21u);  // 20 characters and the line feed
    const auto digits = RunCli("generate --length 9 --classes digits --no-lookalikes");
    ASSERT_EQ(digits.exitCode, 0);
    EXPECT_EQ(digits.out.size(), 10u);
    EXPECT_EQ(digits.out.find_first_not_of("23456789"), 9u) << digits.out;
    const auto words = RunCli("generate --words 3");
    ASSERT_EQ(words.exitCode, 0);
    EXPECT_EQ(std::count(words.out.begin(), words.out.end(), '-'), 2) << words.out;
}

TEST(GenerateCli, BadArgumentsAreUsageErrors) {
    for (const char* arguments :
         {"generate --length 0", "generate --length 1025", "generate --length x", "generate --classes lower,bogus",
          "generate --classes digits --length 1 --words 0", "generate --length 3", "generate extra"}) {
        EXPECT_EQ(RunCli(arguments).exitCode, 2) << arguments;
    }
}

}  // namespace
}  // namespace tarnwick
