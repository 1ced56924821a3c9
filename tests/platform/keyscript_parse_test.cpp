// The key-script grammar: names, modifiers, quoted text, numbers and errors.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/KeyScript.h"

namespace kv {
namespace {

using Type = ScriptStep::Type;

ScriptStep OnlyStep(std::string_view text) {
    KeyScript script = ParseKeyScript(text);
    EXPECT_EQ(script.Error, "") << text;
    EXPECT_EQ(script.Steps.size(), 1u) << text;
    return script.Steps.empty() ? ScriptStep{} : script.Steps[0];
}

std::string ErrorOf(std::string_view text) {
    return ParseKeyScript(text).Error;
}

TEST(KeyScriptNames, EveryNamedKeyHasItsGameCode) {
    const std::vector<std::pair<std::string, int>> names = {
        {"Enter", 13}, {"Esc", 27},    {"Backspace", 8}, {"Space", 32},  {"Tab", 9},
        {"Up", 38},    {"Down", 40},   {"Left", 37},     {"Right", 39},  {"Home", 36},
        {"End", 35},   {"PageUp", 33}, {"PageDown", 34}, {"Insert", 45}, {"Delete", 46},
        {"Ctrl", 17},  {"Shift", 16},  {"Alt", 18},      {"F1", 112},    {"F2", 113},
        {"F3", 114},   {"F4", 115},    {"F5", 116},      {"F6", 117},    {"F7", 118},
        {"F8", 119},   {"F9", 120},    {"F10", 121},     {"F11", 122},   {"F12", 123},
    };
    for (const auto& [name, code] : names) {
        EXPECT_EQ(KeyCodeFromName(name), code) << name;
        EXPECT_EQ(KeyNameFromCode(code), name) << code;
        ScriptStep step = OnlyStep(name);
        EXPECT_EQ(step.Kind, Type::Key) << name;
        EXPECT_EQ(step.KeyCode, code) << name;
        EXPECT_EQ(step.Shift, 0) << name;
    }
}

TEST(KeyScriptNames, LettersAndDigits) {
    for (char c = 'A'; c <= 'Z'; ++c) {
        EXPECT_EQ(KeyCodeFromName(std::string(1, c)), 65 + (c - 'A'));
        EXPECT_EQ(KeyNameFromCode(65 + (c - 'A')), std::string(1, c));
        // Lower case is accepted and means the same key (upper-case code).
        char lower = static_cast<char>(c - 'A' + 'a');
        EXPECT_EQ(OnlyStep(std::string(1, lower)).KeyCode, 65 + (c - 'A'));
    }
    for (char c = '0'; c <= '9'; ++c) {
        EXPECT_EQ(KeyCodeFromName(std::string(1, c)), 48 + (c - '0'));
        EXPECT_EQ(KeyNameFromCode(48 + (c - '0')), std::string(1, c));
    }
}

TEST(KeyScriptNames, UnknownNamesAndCodes) {
    for (const char* name : {"", "enter", "ENTER", "esc", "f1", "F0", "F13", "AB", "Return",
                             "Escape", "Numpad0", "+", "a1", "!"}) {
        EXPECT_FALSE(KeyCodeFromName(name).has_value()) << name;
    }
    // Keys with a code but no name in the grammar (keypad, Pause) and nonsense.
    for (int code : {0, 19, 96, 105, 124, 64, 91, 47, 58, -1, 1000}) {
        EXPECT_EQ(KeyNameFromCode(code), "") << code;
    }
}

TEST(KeyScriptModifiers, CombineInAnyOrder) {
    ScriptStep step = OnlyStep("Ctrl+Shift+S");
    EXPECT_EQ(step.KeyCode, 'S');
    EXPECT_EQ(step.Shift, 1 | 2);
    EXPECT_EQ(OnlyStep("Shift+Ctrl+S").Shift, 3);
    EXPECT_EQ(OnlyStep("Alt+F4").Shift, 4);
    EXPECT_EQ(OnlyStep("Alt+F4").KeyCode, 115);
    EXPECT_EQ(OnlyStep("Shift+Alt+Ctrl+Enter").Shift, 7);
    EXPECT_EQ(OnlyStep("Ctrl+s").KeyCode, 'S');
    // A modifier key itself may carry modifiers.
    step = OnlyStep("Ctrl+Shift");
    EXPECT_EQ(step.KeyCode, 16);
    EXPECT_EQ(step.Shift, 2);
    EXPECT_FALSE(step.Repeat);
    // A held key's repeat, with or among the modifiers.
    for (const char* token : {"Repeat+Ctrl+S", "Ctrl+Repeat+S"}) {
        step = OnlyStep(token);
        EXPECT_TRUE(step.Repeat) << token;
        EXPECT_EQ(step.KeyCode, 'S') << token;
        EXPECT_EQ(step.Shift, 2) << token;
    }
    EXPECT_EQ(OnlyStep("Repeat+Ctrl").KeyCode, 17);
}

TEST(KeyScriptModifiers, IncompleteOrMisspelt) {
    EXPECT_EQ(ErrorOf("Shift+"), "line 1: unknown token 'Shift+'");
    EXPECT_EQ(ErrorOf("Ctrl+Bogus"), "line 1: unknown token 'Ctrl+Bogus'");
    EXPECT_EQ(ErrorOf("ctrl+S"), "line 1: unknown token 'ctrl+S'");
    EXPECT_EQ(ErrorOf("Ctrl-S"), "line 1: unknown token 'Ctrl-S'");
    EXPECT_EQ(ErrorOf("Repeat+"), "line 1: unknown token 'Repeat+'");
    EXPECT_EQ(ErrorOf("repeat+S"), "line 1: unknown token 'repeat+S'");
}

TEST(KeyScriptText, QuotesKeepSpacesHashesAndEscapes) {
    ScriptStep step = OnlyStep(R"("hello world # not a comment")");
    EXPECT_EQ(step.Kind, Type::Text);
    EXPECT_EQ(step.Text, "hello world # not a comment");
    EXPECT_EQ(OnlyStep(R"("say \"hi\" \\ back\\")").Text, R"(say "hi" \ back\)");
    EXPECT_EQ(OnlyStep(R"("")").Text, "");
    EXPECT_EQ(OnlyStep("\"\xE5\x86\x92\xE9\x99\xBA\xE8\x80\x85\"").Text,
              "\xE5\x86\x92\xE9\x99\xBA\xE8\x80\x85");
}

TEST(KeyScriptText, QuoteErrors) {
    KeyScript script = ParseKeyScript("Enter\n\"abc\nEsc");
    EXPECT_EQ(script.Error, "line 2: unterminated quote '\"abc'");
    ASSERT_EQ(script.Steps.size(), 1u);
    EXPECT_EQ(ErrorOf("\"abc\\\""), "line 1: unterminated quote '\"abc\\\"'");
    EXPECT_EQ(ErrorOf("\"abc\r\n"), "line 1: unterminated quote '\"abc'");
    EXPECT_EQ(ErrorOf(R"("a\nb")"), R"(line 1: bad escape '"a\n')");
    EXPECT_EQ(ErrorOf(R"("ab"Enter)"), R"(line 1: no space after quote '"ab"Enter')");
}

TEST(KeyScriptLayout, CommentsLinesAndWhiteSpace) {
    KeyScript script = ParseKeyScript(
        "# a whole-line comment\r\n"
        "Enter   # pressed first\r\n"
        "\n"
        "\tUp Down\t\"x # y\"  # after text\n"
        "shot:a#b.png\n");
    ASSERT_EQ(script.Error, "");
    ASSERT_EQ(script.Steps.size(), 5u);
    EXPECT_EQ(script.Steps[0].KeyCode, 13);
    EXPECT_EQ(script.Steps[0].Line, 2);
    EXPECT_EQ(script.Steps[1].KeyCode, 38);
    EXPECT_EQ(script.Steps[1].Line, 4);
    EXPECT_EQ(script.Steps[2].Line, 4);
    EXPECT_EQ(script.Steps[3].Text, "x # y");
    // '#' starts a comment only where a token would start.
    EXPECT_EQ(script.Steps[4].Kind, Type::Shot);
    EXPECT_EQ(script.Steps[4].Text, "a#b.png");
    EXPECT_EQ(script.Steps[4].Line, 5);

    EXPECT_TRUE(ParseKeyScript("").Steps.empty());
    EXPECT_EQ(ParseKeyScript("  \n# only\n").Error, "");
}

TEST(KeyScriptErrors, StopAtTheFirstAndNameItsLine) {
    KeyScript script = ParseKeyScript("Enter Up\n\nwait:10 Bogus Esc\nAlso");
    EXPECT_EQ(script.Error, "line 3: unknown token 'Bogus'");
    ASSERT_EQ(script.Steps.size(), 3u);
    EXPECT_EQ(script.Steps[2].Kind, Type::Wait);
    EXPECT_EQ(ErrorOf("Wait:10"), "line 1: unknown token 'Wait:10'");
    EXPECT_EQ(ErrorOf("wait"), "line 1: unknown token 'wait'");
}

TEST(KeyScriptNumbers, Waits) {
    EXPECT_EQ(OnlyStep("wait:0").Ms, 0);
    EXPECT_EQ(OnlyStep("wait:007").Ms, 7);
    EXPECT_EQ(OnlyStep("wait:86400000").Ms, 86400000);
    EXPECT_EQ(ErrorOf("wait:86400001"), "line 1: number out of range 'wait:86400001'");
    EXPECT_EQ(ErrorOf("wait:99999999999999999999999"),
              "line 1: number out of range 'wait:99999999999999999999999'");
    EXPECT_EQ(ErrorOf("wait:-1"), "line 1: bad number 'wait:-1'");
    EXPECT_EQ(ErrorOf("wait:+1"), "line 1: bad number 'wait:+1'");
    EXPECT_EQ(ErrorOf("wait:"), "line 1: bad number 'wait:'");
    EXPECT_EQ(ErrorOf("wait:1s"), "line 1: bad number 'wait:1s'");
    EXPECT_EQ(ErrorOf("wait:0x10"), "line 1: bad number 'wait:0x10'");
}

TEST(KeyScriptNumbers, Clicks) {
    ScriptStep step = OnlyStep("click:639,479");
    EXPECT_EQ(step.Kind, Type::Click);
    EXPECT_EQ(step.X, 639);
    EXPECT_EQ(step.Y, 479);
    EXPECT_EQ(OnlyStep("click:0,0").X, 0);
    EXPECT_EQ(ErrorOf("click:640,0"), "line 1: number out of range 'click:640,0'");
    EXPECT_EQ(ErrorOf("click:0,480"), "line 1: number out of range 'click:0,480'");
    EXPECT_EQ(ErrorOf("click:-1,0"), "line 1: bad number 'click:-1,0'");
    EXPECT_EQ(ErrorOf("click:1"), "line 1: bad number 'click:1'");
    EXPECT_EQ(ErrorOf("click:1,2,3"), "line 1: bad number 'click:1,2,3'");
    EXPECT_EQ(ErrorOf("click:,2"), "line 1: bad number 'click:,2'");
    EXPECT_EQ(ErrorOf("click:1,"), "line 1: bad number 'click:1,'");
}

TEST(KeyScriptNumbers, SeedsAndShots) {
    EXPECT_EQ(OnlyStep("seed:0").Seed, 0u);
    EXPECT_EQ(OnlyStep("seed:18446744073709551615").Seed, UINT64_MAX);
    EXPECT_EQ(ErrorOf("seed:18446744073709551616"),
              "line 1: number out of range 'seed:18446744073709551616'");
    EXPECT_EQ(ErrorOf("seed:abc"), "line 1: bad number 'seed:abc'");
    // The file ends at the first space; "1.png" is then a bad token.
    KeyScript two = ParseKeyScript("shot:out/town 1.png");
    EXPECT_EQ(two.Error, "line 1: unknown token '1.png'");
    ASSERT_EQ(two.Steps.size(), 1u);
    EXPECT_EQ(two.Steps[0].Text, "out/town");
    EXPECT_EQ(OnlyStep("shot:\"q\".png").Text, "\"q\".png");
    EXPECT_EQ(ErrorOf("shot:"), "line 1: missing file name 'shot:'");
}

}  // namespace
}  // namespace kv
