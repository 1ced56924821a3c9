#include "app/CommandLine.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <charconv>
#include <memory>
#include <string_view>
#include <vector>

#include "app/CellArguments.h"
#include "ui/KeyBindings.h"

#ifndef KORVANE_VERSION_MAJOR
#error "KORVANE_VERSION_MAJOR/MINOR/REVISION come from the build (kv_core)"
#endif

namespace kv {
namespace {

enum class ArgKind { Flag, Text, Number, TextPair };

// --seed is the only number, so it is handled by kind rather than by a member.
struct OptionRule {
    std::string_view Names;  // as CLI11 takes them: "-h,--help"; the last one names it in messages
    ArgKind Kind;
    bool Options::*Flag;
    std::string Options::*Text;
    std::string_view ValueName;  // shown in the help
    std::string_view Needs;      // what a missing value should have been
    std::string_view Help;
};

constexpr std::array Rules = {
    OptionRule{"--data", ArgKind::Text, nullptr, &Options::DataDir, "DIR", "a folder",
               "scenario folder (default: the demo scenario)"},
    OptionRule{"--save-dir", ArgKind::Text, nullptr, &Options::SaveDir, "DIR", "a folder",
               "save folder (default: a per-user folder for the scenario)"},
    OptionRule{"--seed", ArgKind::Number, nullptr, nullptr, "N", "a whole number",
               "seed for the dice, so a run can be repeated (default: the clock)"},
    OptionRule{"--headless", ArgKind::Flag, &Options::Headless, nullptr, "", "",
               "run without a window or sound, driven by the --keys script"},
    OptionRule{"--keys", ArgKind::Text, nullptr, &Options::KeysFile, "FILE", "a file",
               "key script to play in a headless run"},
    OptionRule{"--transcript", ArgKind::Text, nullptr, &Options::TranscriptFile, "FILE", "a file",
               "write everything the player is shown, as JSON Lines"},
    OptionRule{"--screenshot", ArgKind::Text, nullptr, &Options::ScreenshotFile, "FILE", "a file",
               "write a PNG of the screen when the run ends"},
    OptionRule{"--record", ArgKind::Text, nullptr, &Options::RecordFile, "FILE", "a file",
               "save the keys pressed as a key script for --keys"},
    OptionRule{"--soundfont", ArgKind::Text, nullptr, &Options::SoundFont, "FILE", "a file",
               "soundfont for the music (default: the per-user setting, else the GM one)"},
    OptionRule{"--start", ArgKind::Text, nullptr, &Options::Start, "PLACE:FLOOR:X,Y[:FACING]",
               "a cell",
               "enter the maze there with the roster's first living characters, on a "
               "copy of the save folder (for scenario authors)"},
    OptionRule{"--export-map", ArgKind::TextPair, nullptr, &Options::ExportMap,
               "PLACE-FLOOR FILE.png", "a floor and a file",
               "write the floor as walked, with its notes, as a PNG and exit"},
    OptionRule{"--speech", ArgKind::Flag, &Options::Speech, nullptr, "", "",
               "speak menus, messages and moves through speech-dispatcher"},
    OptionRule{"--version", ArgKind::Flag, &Options::ShowVersion, nullptr, "", "",
               "show the version and exit"},
    OptionRule{"-h,--help", ArgKind::Flag, &Options::ShowHelp, nullptr, "", "",
               "show this help and exit"},
};

std::string LongName(const OptionRule& rule) {
    return std::string(rule.Names.substr(rule.Names.rfind(',') + 1));
}

constexpr std::string_view Usage =
    "Usage: korvane [--data DIR] [--save-dir DIR] [--seed N] [--record FILE]\n"
    "               [--soundfont FILE]\n"
    "               [--start PLACE:FLOOR:X,Y[:FACING]] [--speech]\n"
    "       korvane --headless --keys FILE [--data DIR] [--save-dir DIR] [--seed N]\n"
    "               [--transcript FILE] [--screenshot FILE]\n"
    "       korvane --export-map PLACE-FLOOR FILE.png [--data DIR] [--save-dir DIR]\n";

constexpr size_t HelpColumn = 22;

// CLI11's layout with the program's own usage lines and "-h, --help".
class HelpFormatter : public CLI::Formatter {
  public:
    HelpFormatter() { column_width(HelpColumn); }
    std::string make_usage(const CLI::App*, std::string) const override {
        return std::string(Usage);
    }
    std::string make_option_name(const CLI::Option* opt, bool positional) const override {
        std::string name = CLI::Formatter::make_option_name(opt, positional);
        if (size_t comma = name.find(','); comma != name.npos) name.insert(comma + 1, " ");
        return name;
    }
};

// The options as CLI11 sees them. Nothing is bound to a variable: CLI11 only
// splits the line into options and their texts, and the checks below decide
// what the texts mean, so no value is converted by rules other than ours.
// A value option takes zero or one value, so that "--keys --headless" leaves
// --keys empty (a forgotten file name) instead of swallowing the next option.
struct Parser {
    CLI::App App{"", "korvane"};
    std::array<CLI::Option*, Rules.size()> Opts{};

    Parser() {
        App.set_help_flag();  // --help is an ordinary flag: a typing mistake beside it still counts
        App.allow_extras();   // the leftovers are named in our own words
        App.formatter(std::make_shared<HelpFormatter>());
        for (size_t i = 0; i < Rules.size(); ++i) {
            const OptionRule& rule = Rules[i];
            CLI::Option* opt = rule.Kind == ArgKind::Flag
                                   ? App.add_flag(std::string(rule.Names))
                                   : App.add_option(std::string(rule.Names))
                                         ->type_name(std::string(rule.ValueName))
                                         ->expected(0, rule.Kind == ArgKind::TextPair ? 2 : 1);
            opt->description(std::string(rule.Help));
            opt->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
            Opts[i] = opt;
        }
    }
};

constexpr std::string_view Program = "korvane: ";

std::string Fail(std::string message) {
    return std::string(Program) + message;
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

// A leftover as the player typed it. CLI11 reads "-h=1" as the flag -h and
// then "-=1"; the message names the whole word, as typed.
std::string AsTyped(const std::string& leftover, const std::vector<std::string>& args) {
    if (std::find(args.begin(), args.end(), leftover) != args.end()) return leftover;
    for (const std::string& arg : args) {
        if (arg.size() > 2 && arg[0] == '-' && arg[1] != '-' &&
            arg.ends_with(std::string_view(leftover).substr(1))) {
            return arg;
        }
    }
    return leftover;
}

std::string CheckLeftovers(const Parser& parser, const std::vector<std::string>& args) {
    const std::vector<std::string> leftovers = parser.App.remaining();
    if (leftovers.empty()) return {};
    const std::string typed = AsTyped(leftovers.front(), args);
    if (typed.size() > 1 && typed.front() == '-') {
        const size_t equals = typed.starts_with("--") ? typed.find('=') : std::string::npos;
        return Fail("unknown option '" + typed.substr(0, equals) + "'");
    }
    return Fail("unexpected argument '" + typed + "'");
}

// Each option once, with a value when it takes one and none when it does not.
std::string CheckValues(const Parser& parser, Options& opts) {
    for (size_t i = 0; i < Rules.size(); ++i) {
        const OptionRule& rule = Rules[i];
        const std::string name = LongName(rule);
        const std::vector<std::string>& given = parser.Opts[i]->results();
        if (given.empty()) continue;
        if (rule.Kind == ArgKind::TextPair) {
            if (given.size() != 2 || given[0].empty() || given[1].empty()) {
                return Fail(name + " needs " + std::string(rule.Needs));
            }
            opts.*(rule.Text) = given[0];
            opts.ExportFile = given[1];
            continue;
        }
        if (given.size() > 1) return Fail(name + " given more than once");
        const std::string& value = given.front();
        if (rule.Kind == ArgKind::Flag) {
            // A bare flag reads "true"; anything else came after an equals sign.
            if (value != "true") return Fail(name + " takes no value");
            opts.*(rule.Flag) = true;
            continue;
        }
        if (value.empty()) return Fail(name + " needs " + std::string(rule.Needs));
        if (rule.Kind == ArgKind::Text) {
            opts.*(rule.Text) = value;
            continue;
        }
        bool tooLarge = false;
        const std::optional<uint64_t> number = ParseUnsigned(value, tooLarge);
        const std::string got = ", got '" + value + "'";
        if (tooLarge) return Fail(name + " must be at most " + std::to_string(UINT64_MAX) + got);
        if (!number) return Fail(name + " needs " + std::string(rule.Needs) + got);
        opts.Seed = *number;
    }
    return {};
}

// The checks between options, once every option has been read.
std::string CheckCombination(const Options& opts) {
    if (opts.ShowHelp || opts.ShowVersion) return {};
    if (!opts.RecordFile.empty() && opts.Headless) {
        return Fail("--record cannot be used with --headless");
    }
    if (!opts.KeysFile.empty() && !opts.Headless) return Fail("--keys needs --headless");
    if (opts.Headless && opts.KeysFile.empty()) return Fail("--headless needs --keys FILE");
    std::string error;
    if (!opts.Start.empty() && !ParseStartCell(opts.Start, error)) return Fail(error);
    if (!opts.ExportMap.empty() && !ParseMapFloor(opts.ExportMap, error)) return Fail(error);
    if (!opts.ExportMap.empty() && (opts.Headless || !opts.Start.empty())) {
        return Fail("--export-map stands alone (with --data and --save-dir)");
    }
    return {};
}

}  // namespace

ParseResult ParseCommandLine(int argc, const char* const* argv) {
    ParseResult result;
    std::vector<std::string> args;
    for (int i = 1; i < argc && argv && argv[i]; ++i) args.emplace_back(argv[i]);

    Parser parser;
    try {
        // CLI11 takes the words last first.
        parser.App.parse(std::vector<std::string>(args.rbegin(), args.rend()));
    } catch (const CLI::ParseError& error) {
        result.Error = Fail(error.what());
        return result;
    }
    result.Error = CheckLeftovers(parser, args);
    if (result.Error.empty()) result.Error = CheckValues(parser, result.Opts);
    if (result.Error.empty()) result.Error = CheckCombination(result.Opts);
    return result;
}

std::string HelpText() {
    Parser parser;
    return parser.App.help() + "\n" + KeyBindingsHelp();
}

std::string VersionText() {
    return "korvane " + std::to_string(KORVANE_VERSION_MAJOR) + "." +
           std::to_string(KORVANE_VERSION_MINOR) + "." + std::to_string(KORVANE_VERSION_REVISION);
}

}  // namespace kv
