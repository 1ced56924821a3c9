#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#ifndef KORVANE_VERSION_MAJOR
#error "KORVANE_VERSION_MAJOR/MINOR/REVISION come from the build (kv_core)"
#endif

namespace kv {
namespace {

enum class ArgKind { Flag, Text, Number };

struct OptionRule {
    std::string_view Name;
    std::string_view Alias;  // a short spelling, or empty
    ArgKind Kind;
    bool Options::*Flag;
    std::string Options::*Text;
    std::string_view ValueName;  // shown in the help
    std::string_view Needs;      // what a missing value should have been
    std::string_view Help;
};

// --seed is the only number, so it is handled by kind rather than by a member.
constexpr std::array kOptions = {
    OptionRule{"--data", "", ArgKind::Text, nullptr, &Options::DataDir, "DIR", "a folder",
               "scenario folder (default: the demo scenario)"},
    OptionRule{"--save-dir", "", ArgKind::Text, nullptr, &Options::SaveDir, "DIR", "a folder",
               "save folder (default: a per-user folder for the scenario)"},
    OptionRule{"--seed", "", ArgKind::Number, nullptr, nullptr, "N", "a whole number",
               "seed for the dice, so a run can be repeated (default: the clock)"},
    OptionRule{"--headless", "", ArgKind::Flag, &Options::Headless, nullptr, "", "",
               "run without a window or sound, driven by the --keys script"},
    OptionRule{"--keys", "", ArgKind::Text, nullptr, &Options::KeysFile, "FILE", "a file",
               "key script to play in a headless run"},
    OptionRule{"--transcript", "", ArgKind::Text, nullptr, &Options::TranscriptFile, "FILE",
               "a file", "write everything the player is shown, as JSON Lines"},
    OptionRule{"--screenshot", "", ArgKind::Text, nullptr, &Options::ScreenshotFile, "FILE",
               "a file", "write a PNG of the screen when the run ends"},
    OptionRule{"--record", "", ArgKind::Text, nullptr, &Options::RecordFile, "FILE", "a file",
               "save the keys pressed as a key script for --keys"},
    OptionRule{"--version", "", ArgKind::Flag, &Options::ShowVersion, nullptr, "", "",
               "show the version and exit"},
    OptionRule{"--help", "-h", ArgKind::Flag, &Options::ShowHelp, nullptr, "", "",
               "show this help and exit"},
};

constexpr std::string_view kProgram = "korvane: ";

const OptionRule* FindOption(std::string_view name) {
    for (const OptionRule& rule : kOptions) {
        if (name == rule.Name || (!rule.Alias.empty() && name == rule.Alias)) return &rule;
    }
    return nullptr;
}

// Something that looks like an option is not taken as the previous option's
// value ("--keys --headless" is a forgotten file name). A value that really
// starts with '-' can still be given as --keys=-file.
bool LooksLikeOption(std::string_view arg) {
    return arg.size() > 1 && arg.front() == '-';
}

// Plain decimal digits only: no sign, blanks or hexadecimal.
std::optional<uint64_t> ParseUnsigned(std::string_view text, bool& tooLarge) {
    uint64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    tooLarge = ec == std::errc::result_out_of_range && end == text.data() + text.size();
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string Fail(std::string message) {
    return std::string(kProgram) + message;
}

// The checks between options, once every option has been read.
std::string CheckCombination(const Options& opts) {
    if (opts.ShowHelp || opts.ShowVersion) return {};
    if (!opts.RecordFile.empty() && opts.Headless) {
        return Fail("--record cannot be used with --headless");
    }
    if (!opts.KeysFile.empty() && !opts.Headless) return Fail("--keys needs --headless");
    if (opts.Headless && opts.KeysFile.empty()) return Fail("--headless needs --keys FILE");
    return {};
}

}  // namespace

ParseResult ParseCommandLine(int argc, const char* const* argv) {
    ParseResult result;
    Options& opts = result.Opts;
    std::array<bool, kOptions.size()> seen{};
    for (int i = 1; i < argc && argv[i]; ++i) {
        const std::string_view arg = argv[i];
        if (!LooksLikeOption(arg)) {
            result.Error = Fail("unexpected argument '" + std::string(arg) + "'");
            return result;
        }
        std::string_view name = arg;
        std::optional<std::string_view> inlineValue;
        if (size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
            name = arg.substr(0, equals);
            inlineValue = arg.substr(equals + 1);
        }
        const OptionRule* rule = FindOption(name);
        if (!rule) {
            result.Error = Fail("unknown option '" + std::string(name) + "'");
            return result;
        }
        const std::string shown(rule->Name);
        bool& wasSeen = seen[static_cast<size_t>(rule - kOptions.data())];
        if (wasSeen) {
            result.Error = Fail(shown + " given more than once");
            return result;
        }
        wasSeen = true;

        if (rule->Kind == ArgKind::Flag) {
            if (inlineValue) {
                result.Error = Fail(shown + " takes no value");
                return result;
            }
            opts.*(rule->Flag) = true;
            continue;
        }
        std::string_view value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 < argc && argv[i + 1] && !LooksLikeOption(argv[i + 1])) {
            value = argv[++i];
        }
        if (value.empty()) {
            result.Error = Fail(shown + " needs " + std::string(rule->Needs));
            return result;
        }
        if (rule->Kind == ArgKind::Text) {
            opts.*(rule->Text) = std::string(value);
        } else if (bool tooLarge = false; auto number = ParseUnsigned(value, tooLarge)) {
            opts.Seed = *number;
        } else {
            const std::string got = ", got '" + std::string(value) + "'";
            result.Error =
                tooLarge ? Fail(shown + " must be at most " + std::to_string(UINT64_MAX) + got)
                         : Fail(shown + " needs " + std::string(rule->Needs) + got);
            return result;
        }
    }
    result.Error = CheckCombination(opts);
    return result;
}

std::string HelpText() {
    constexpr size_t kColumn = 22;
    std::string text =
        "Usage: korvane [--data DIR] [--save-dir DIR] [--seed N] [--record FILE]\n"
        "       korvane --headless --keys FILE [--data DIR] [--save-dir DIR] [--seed N]\n"
        "               [--transcript FILE] [--screenshot FILE]\n"
        "\n";
    for (const OptionRule& rule : kOptions) {
        std::string left = "  ";
        if (!rule.Alias.empty()) left += std::string(rule.Alias) + ", ";
        left += rule.Name;
        if (!rule.ValueName.empty()) left += " " + std::string(rule.ValueName);
        left.resize(std::max(left.size() + 1, kColumn), ' ');
        text += left + std::string(rule.Help) + "\n";
    }
    return text;
}

std::string VersionText() {
    return "korvane " + std::to_string(KORVANE_VERSION_MAJOR) + "." +
           std::to_string(KORVANE_VERSION_MINOR) + "." + std::to_string(KORVANE_VERSION_REVISION);
}

}  // namespace kv
