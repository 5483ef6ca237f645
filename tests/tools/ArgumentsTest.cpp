#include "Arguments.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

std::vector<std::string> words(std::initializer_list<const char*> list)
{
    return {list.begin(), list.end()};
}

TEST(ArgumentsTest, OptionsInEveryFormBetweenPositionalArguments)
{
    const std::vector<std::string> args = words({"a.kdb", "--format=csv", "-o", "out", "--", "-x"});
    const Arguments arguments(args, {"--format", "-o"});
    EXPECT_THAT(arguments.positional({"FILE", "MORE"}), ElementsAre("a.kdb", "-x"));
    EXPECT_EQ(arguments.option("--format"), "csv");
    EXPECT_EQ(arguments.requiredOption("-o"), "out");
    EXPECT_EQ(arguments.option("--seed"), std::nullopt);
}

TEST(ArgumentsTest, ACommandWithoutOptionsTakesEverythingAsItStands)
{
    const std::vector<std::string> args = words({"a.kdb", "cas", "-18-5"});
    EXPECT_THAT(Arguments(args, {}).positional({"FILE", "KIND", "QUERY"}),
                ElementsAre("a.kdb", "cas", "-18-5"));
}

TEST(ArgumentsTest, FlagsAnywhereAndEverythingElseAsItStands)
{
    const std::vector<std::string> args = words({"a.kdb", "--json", "-18-5"});
    const Arguments arguments(args, {}, {"--json"});
    EXPECT_THAT(arguments.positional({"FILE", "QUERY"}), ElementsAre("a.kdb", "-18-5"));
    EXPECT_TRUE(arguments.flag("--json"));
    EXPECT_FALSE(Arguments(words({"a", "--", "--json"}), {}, {"--json"}).flag("--json"));
    EXPECT_THROW(Arguments(words({"--json", "--json"}), {}, {"--json"}), UsageError);
}

TEST(ArgumentsTest, WrongUseIsAUsageError)
{
    const auto parse = [](std::vector<std::string> args) {
        return Arguments(args, {"--count", "-o"});
    };
    EXPECT_THROW(parse(words({"--colour", "red"})), UsageError);
    EXPECT_THROW(parse(words({"--count"})), UsageError);
    EXPECT_THROW(parse(words({"-o", "a", "-o", "b"})), UsageError);

    const std::vector<std::string> two = words({"a", "b"});
    const Arguments arguments(two, {"--count"});
    EXPECT_THROW(arguments.positional({"FILE"}), UsageError);
    EXPECT_THROW(arguments.positional({"FILE", "KIND", "QUERY"}), UsageError);
    EXPECT_THROW(arguments.requiredOption("--count"), UsageError);
}

TEST(ArgumentsTest, NumbersWithinTheirRange)
{
    const auto count = [](const char* text) {
        const std::vector<std::string> args = words({"--count", text});
        return Arguments(args, {"--count"}).numberOption("--count", 7, 0, 100);
    };
    EXPECT_EQ(count("0"), 0u);
    EXPECT_EQ(count("100"), 100u);
    for (const char* bad : {"101", "-1", "+5", "5x", "", " 5", "99999999999999999999"})
        EXPECT_THROW(count(bad), UsageError) << bad;
    EXPECT_EQ(Arguments({}, {"--count"}).numberOption("--count", 7, 0, 100), 7u);
}

} // namespace
