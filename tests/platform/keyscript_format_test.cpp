// FormatStep writes what ParseKeyScript reads back as the very same step.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/KeyScript.h"

namespace kv {
namespace {

using Type = ScriptStep::Type;

void ExpectSameStep(const ScriptStep& a, const ScriptStep& b, const std::string& context) {
    EXPECT_EQ(a.Kind, b.Kind) << context;
    EXPECT_EQ(a.KeyCode, b.KeyCode) << context;
    EXPECT_EQ(a.Shift, b.Shift) << context;
    EXPECT_EQ(a.Repeat, b.Repeat) << context;
    EXPECT_EQ(a.Text, b.Text) << context;
    EXPECT_EQ(a.Ms, b.Ms) << context;
    EXPECT_EQ(a.X, b.X) << context;
    EXPECT_EQ(a.Y, b.Y) << context;
    EXPECT_EQ(a.Seed, b.Seed) << context;
    EXPECT_EQ(a.Line, b.Line) << context;
}

// Every step the grammar can express, drawn at random but repeatably.
class StepGenerator {
  public:
    ScriptStep Next() {
        ScriptStep step;
        step.Line = 1;
        switch (Below(6)) {
            case 0: {
                step.Kind = Type::Key;
                step.KeyCode = KeyCodes()[Below(KeyCodes().size())];
                step.Shift = static_cast<int>(Below(8));
                step.Repeat = Below(4) == 0;
                break;
            }
            case 1: {
                step.Kind = Type::Text;
                static const std::vector<std::string> pieces = {
                    "a",   "Z",  " ",      "#", "\"",           "\\",           "\\\"",
                    "\t",  "\r", "wait:5", "+", "\xE3\x81\x82", "\xE5\x86\x92", "\xEF\xBD\x9E",
                    "\xFF"};
                size_t count = Below(8);
                for (size_t i = 0; i < count; ++i) step.Text += pieces[Below(pieces.size())];
                break;
            }
            case 2:
                step.Kind = Type::Wait;
                step.Ms = static_cast<int64_t>(Below(86400001));
                break;
            case 3: {
                step.Kind = Type::Shot;
                static const std::string chars = "abcXYZ019._-/#\"\\:+";
                size_t length = 1 + Below(12);
                for (size_t i = 0; i < length; ++i) step.Text += chars[Below(chars.size())];
                break;
            }
            case 4:
                step.Kind = Type::Click;
                step.X = static_cast<int>(Below(640));
                step.Y = static_cast<int>(Below(480));
                break;
            default:
                step.Kind = Type::Seed;
                step.Seed = Below(4) == 0 ? UINT64_MAX - Below(3) : random_();
                break;
        }
        return step;
    }

  private:
    static const std::vector<int>& KeyCodes() {
        static const std::vector<int> codes = [] {
            std::vector<int> all;
            for (int code = 0; code < 256; ++code) {
                if (!KeyNameFromCode(code).empty()) all.push_back(code);
            }
            return all;
        }();
        return codes;
    }
    uint64_t Below(uint64_t n) { return random_() % n; }

    std::mt19937_64 random_{20240611};
};

TEST(KeyScriptFormat, CanonicalSpellings) {
    ScriptStep key;
    key.KeyCode = 'S';
    key.Shift = 1 | 2 | 4;
    EXPECT_EQ(FormatStep(key), "Ctrl+Alt+Shift+S");
    key.Repeat = true;
    EXPECT_EQ(FormatStep(key), "Repeat+Ctrl+Alt+Shift+S");
    key.KeyCode = 13;
    key.Shift = 0;
    EXPECT_EQ(FormatStep(key), "Repeat+Enter");
    key.Repeat = false;
    EXPECT_EQ(FormatStep(key), "Enter");
    key.KeyCode = 96;  // no name: nothing to write
    EXPECT_EQ(FormatStep(key), "");

    ScriptStep text;
    text.Kind = Type::Text;
    text.Text = R"(a "b" \c)";
    EXPECT_EQ(FormatStep(text), R"("a \"b\" \\c")");

    ScriptStep click;
    click.Kind = Type::Click;
    click.X = 12;
    click.Y = 345;
    EXPECT_EQ(FormatStep(click), "click:12,345");

    ScriptStep seed;
    seed.Kind = Type::Seed;
    seed.Seed = UINT64_MAX;
    EXPECT_EQ(FormatStep(seed), "seed:18446744073709551615");
}

TEST(KeyScriptFormat, EveryGeneratedStepReadsBackTheSame) {
    StepGenerator generator;
    for (int i = 0; i < 5000; ++i) {
        ScriptStep step = generator.Next();
        std::string text = FormatStep(step);
        KeyScript parsed = ParseKeyScript(text);
        ASSERT_EQ(parsed.Error, "") << text;
        ASSERT_EQ(parsed.Steps.size(), 1u) << text;
        ExpectSameStep(parsed.Steps[0], step, text);
    }
}

TEST(KeyScriptFormat, AWholeScriptReadsBackLineByLine) {
    StepGenerator generator;
    std::vector<ScriptStep> steps;
    std::string text;
    for (int i = 0; i < 500; ++i) {
        steps.push_back(generator.Next());
        steps.back().Line = i + 1;
        text += FormatStep(steps.back()) + (i % 2 ? "  # comment \"\n" : "\n");
    }
    KeyScript parsed = ParseKeyScript(text);
    ASSERT_EQ(parsed.Error, "");
    ASSERT_EQ(parsed.Steps.size(), steps.size());
    for (size_t i = 0; i < steps.size(); ++i) {
        ExpectSameStep(parsed.Steps[i], steps[i], "step " + std::to_string(i));
    }
}

}  // namespace
}  // namespace kv
