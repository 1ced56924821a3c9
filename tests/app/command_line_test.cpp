#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <vector>

namespace kv {
namespace {

ParseResult Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "korvane");
    return ParseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CommandLine, NoArgumentsMeansAWindowedRunWithDefaults) {
    ParseResult r = Parse({});
    ASSERT_TRUE(r.Ok()) << r.Error;
    EXPECT_FALSE(r.Opts.Headless);
    EXPECT_TRUE(r.Opts.DataDir.empty());
    EXPECT_FALSE(r.Opts.Seed.has_value());
    EXPECT_FALSE(r.Opts.ShowHelp || r.Opts.ShowVersion);
    EXPECT_TRUE(ParseCommandLine(0, nullptr).Ok());
}

TEST(CommandLine, HeadlessRunWithEveryValueInBothSpellings) {
    ParseResult r = Parse({"--headless", "--data", "scen", "--save-dir=saves", "--seed", "42",
                           "--keys=k.txt", "--transcript", "t.jsonl", "--screenshot=s.png"});
    ASSERT_TRUE(r.Ok()) << r.Error;
    EXPECT_TRUE(r.Opts.Headless);
    EXPECT_EQ(r.Opts.DataDir, "scen");
    EXPECT_EQ(r.Opts.SaveDir, "saves");
    EXPECT_EQ(r.Opts.Seed, 42u);
    EXPECT_EQ(r.Opts.KeysFile, "k.txt");
    EXPECT_EQ(r.Opts.TranscriptFile, "t.jsonl");
    EXPECT_EQ(r.Opts.ScreenshotFile, "s.png");

    ParseResult other = Parse({"--data=scen", "--save-dir", "saves", "--seed=0", "--headless",
                               "--keys", "k.txt", "--transcript=t", "--screenshot", "s"});
    ASSERT_TRUE(other.Ok()) << other.Error;
    EXPECT_EQ(other.Opts.DataDir, "scen");
    EXPECT_EQ(other.Opts.SaveDir, "saves");
    EXPECT_EQ(other.Opts.Seed, 0u);
    EXPECT_EQ(other.Opts.KeysFile, "k.txt");
    EXPECT_EQ(other.Opts.TranscriptFile, "t");
    EXPECT_EQ(other.Opts.ScreenshotFile, "s");
}

TEST(CommandLine, ValuesKeepEverythingAfterTheFirstEquals) {
    ParseResult r = Parse({"--record=a=b c.keys", "--data", "-"});
    ASSERT_TRUE(r.Ok()) << r.Error;
    EXPECT_EQ(r.Opts.RecordFile, "a=b c.keys");
    EXPECT_EQ(r.Opts.DataDir, "-");
    EXPECT_EQ(Parse({"--headless", "--keys=-odd-name"}).Opts.KeysFile, "-odd-name");
    // Brackets and commas are part of a name, not a list.
    EXPECT_EQ(Parse({"--save-dir", "[a,b]"}).Opts.SaveDir, "[a,b]");
    EXPECT_EQ(Parse({"--data", "-5"}).Opts.DataDir, "-5");
}

TEST(CommandLine, SeedCoversTheWholeUnsignedRange) {
    EXPECT_EQ(Parse({"--seed", "18446744073709551615"}).Opts.Seed, UINT64_MAX);
    EXPECT_EQ(Parse({"--seed=007"}).Opts.Seed, 7u);
}

TEST(CommandLine, HelpAndVersionWinOverMissingCombinations) {
    EXPECT_TRUE(Parse({"--help"}).Opts.ShowHelp);
    EXPECT_TRUE(Parse({"-h"}).Opts.ShowHelp);
    ParseResult r = Parse({"--headless", "--version"});
    ASSERT_TRUE(r.Ok()) << r.Error;
    EXPECT_TRUE(r.Opts.ShowVersion);
    EXPECT_FALSE(Parse({"--help", "--bogus"}).Ok());  // still a typing mistake
}

struct BadLine {
    std::vector<const char*> Args;
    const char* Error;
};

// Names each case by its arguments in test listings.
void PrintTo(const BadLine& line, std::ostream* out) {
    for (const char* arg : line.Args) *out << arg << ' ';
}

class CommandLineErrors : public ::testing::TestWithParam<BadLine> {};

TEST_P(CommandLineErrors, StopWithOneClearLine) {
    ParseResult r = Parse(GetParam().Args);
    EXPECT_EQ(r.Error, GetParam().Error);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineErrors,
    ::testing::Values(BadLine{{"--foo"}, "korvane: unknown option '--foo'"},
                      BadLine{{"--foo=1"}, "korvane: unknown option '--foo'"},
                      BadLine{{"-x"}, "korvane: unknown option '-x'"},
                      BadLine{{"-h=1"}, "korvane: unknown option '-h=1'"},
                      BadLine{{"--"}, "korvane: unknown option '--'"},
                      BadLine{{"stray"}, "korvane: unexpected argument 'stray'"},
                      BadLine{{"--data", "a", "b"}, "korvane: unexpected argument 'b'"},
                      BadLine{{"--data"}, "korvane: --data needs a folder"},
                      BadLine{{"--data="}, "korvane: --data needs a folder"},
                      BadLine{{"--save-dir", "--seed", "1"}, "korvane: --save-dir needs a folder"},
                      BadLine{{"--headless", "--keys"}, "korvane: --keys needs a file"},
                      BadLine{{"--transcript"}, "korvane: --transcript needs a file"},
                      BadLine{{"--screenshot="}, "korvane: --screenshot needs a file"},
                      BadLine{{"--record"}, "korvane: --record needs a file"},
                      BadLine{{"--seed"}, "korvane: --seed needs a whole number"},
                      BadLine{{"--seed", "x"}, "korvane: --seed needs a whole number, got 'x'"},
                      BadLine{{"--seed=-1"}, "korvane: --seed needs a whole number, got '-1'"},
                      BadLine{{"--seed=+1"}, "korvane: --seed needs a whole number, got '+1'"},
                      BadLine{{"--seed=1.5"}, "korvane: --seed needs a whole number, got '1.5'"},
                      BadLine{{"--seed= 1"}, "korvane: --seed needs a whole number, got ' 1'"},
                      BadLine{{"--seed=0x10"}, "korvane: --seed needs a whole number, got '0x10'"},
                      BadLine{{"--seed=18446744073709551616"},
                              "korvane: --seed must be at most 18446744073709551615, got "
                              "'18446744073709551616'"},
                      BadLine{{"--headless=yes", "--keys=k"}, "korvane: --headless takes no value"},
                      BadLine{{"--help=all"}, "korvane: --help takes no value"},
                      BadLine{{"--data", "a", "--data=b"}, "korvane: --data given more than once"},
                      BadLine{{"-h", "--help"}, "korvane: --help given more than once"},
                      BadLine{{"-hh"}, "korvane: --help given more than once"},
                      BadLine{{"--seed", "1", "-hx"}, "korvane: unknown option '-hx'"},
                      BadLine{{"--keys", "k"}, "korvane: --keys needs --headless"},
                      BadLine{{"--headless"}, "korvane: --headless needs --keys FILE"},
                      BadLine{{"--headless", "--transcript", "t"},
                              "korvane: --headless needs --keys FILE"},
                      BadLine{{"--headless", "--keys", "k", "--record", "r"},
                              "korvane: --record cannot be used with --headless"}));

TEST(CommandLine, HelpHasOneLinePerOption) {
    const std::string help = HelpText();
    for (const char* option : {"--data DIR", "--save-dir DIR", "--seed N", "--headless",
                               "--keys FILE", "--transcript FILE", "--screenshot FILE",
                               "--record FILE", "--soundfont FILE", "--version", "-h, --help"}) {
        std::istringstream lines(help);
        std::string line;
        int count = 0;
        while (std::getline(lines, line)) {
            if (line.rfind(std::string("  ") + option + " ", 0) == 0) ++count;
        }
        EXPECT_EQ(count, 1) << option << "\n" << help;
    }
}

TEST(CommandLine, VersionNamesTheProgramAndItsNumber) {
    EXPECT_TRUE(std::regex_match(VersionText(), std::regex(R"(korvane \d+\.\d+\.\d+)")))
        << VersionText();
}

}  // namespace
}  // namespace kv
