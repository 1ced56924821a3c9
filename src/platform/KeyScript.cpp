#include "platform/KeyScript.h"

#include <array>
#include <charconv>

#include "platform/Keys.h"
#include "platform/PadButtons.h"

namespace kv {

namespace {

struct NamedKey {
    std::string_view Name;
    int Code;
};

// Each code has exactly one name here, so the table reads both ways.
constexpr std::array<NamedKey, 30> NamedKeys{{
    {"Enter", Key::Return},
    {"Esc", Key::Escape},
    {"Backspace", Key::Back},
    {"Space", Key::Space},
    {"Tab", Key::Tab},
    {"Up", Key::Up},
    {"Down", Key::Down},
    {"Left", Key::Left},
    {"Right", Key::Right},
    {"Home", Key::Home},
    {"End", Key::End},
    {"PageUp", Key::PageUp},
    {"PageDown", Key::PageDown},
    {"Insert", Key::Insert},
    {"Delete", Key::Delete},
    {"Ctrl", Key::Control},
    {"Shift", Key::Shift},
    {"Alt", Key::Menu},
    {"F1", Key::F1},
    {"F2", Key::F1 + 1},
    {"F3", Key::F1 + 2},
    {"F4", Key::F1 + 3},
    {"F5", Key::F1 + 4},
    {"F6", Key::F1 + 5},
    {"F7", Key::F1 + 6},
    {"F8", Key::F1 + 7},
    {"F9", Key::F1 + 8},
    {"F10", Key::F1 + 9},
    {"F11", Key::F11},
    {"F12", Key::F12},
}};

struct Modifier {
    std::string_view Prefix;
    int Mask;
};

// In the order FormatStep writes them.
constexpr std::array<Modifier, 3> Modifiers{{
    {"Ctrl+", Key::CtrlMask},
    {"Alt+", Key::AltMask},
    {"Shift+", Key::ShiftMask},
}};

// A held key's repeated press: a key-down alone, marked as a repeat.
constexpr std::string_view RepeatPrefix = "Repeat+";
constexpr std::string_view WaitPrefix = "wait:";
constexpr std::string_view ShotPrefix = "shot:";
constexpr std::string_view ClickPrefix = "click:";
constexpr std::string_view SeedPrefix = "seed:";
constexpr std::string_view CloseWord = "close";
constexpr std::string_view PadPrefix = "pad:";

constexpr uint64_t MaxWaitMs = 86'400'000;  // one day
constexpr uint64_t CanvasWidth = 640;
constexpr uint64_t CanvasHeight = 480;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

enum class NumberResult { Ok, Bad, OutOfRange };

// Plain decimal digits only: no sign, no spaces, no hex.
NumberResult ParseNumber(std::string_view digits, uint64_t max, uint64_t& value) {
    if (digits.empty()) return NumberResult::Bad;
    for (char c : digits) {
        if (c < '0' || c > '9') return NumberResult::Bad;
    }
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec == std::errc::result_out_of_range) return NumberResult::OutOfRange;
    if (ec != std::errc() || end != digits.data() + digits.size()) return NumberResult::Bad;
    return value > max ? NumberResult::OutOfRange : NumberResult::Ok;
}

std::string NumberError(NumberResult result) {
    return result == NumberResult::Bad ? "bad number" : "number out of range";
}

// Fills step from a bare (unquoted) token; returns the error's "what" or "".
std::string ParseWord(std::string_view token, ScriptStep& step) {
    uint64_t value = 0;
    if (token.starts_with(WaitPrefix)) {
        auto result = ParseNumber(token.substr(WaitPrefix.size()), MaxWaitMs, value);
        if (result != NumberResult::Ok) return NumberError(result);
        step.Kind = ScriptStep::Type::Wait;
        step.Ms = static_cast<int64_t>(value);
        return "";
    }
    if (token.starts_with(ShotPrefix)) {
        std::string_view file = token.substr(ShotPrefix.size());
        if (file.empty()) return "missing file name";
        step.Kind = ScriptStep::Type::Shot;
        step.Text = std::string(file);
        return "";
    }
    if (token.starts_with(ClickPrefix)) {
        std::string_view rest = token.substr(ClickPrefix.size());
        size_t comma = rest.find(',');
        if (comma == std::string_view::npos) return "bad number";
        uint64_t x = 0;
        uint64_t y = 0;
        auto result = ParseNumber(rest.substr(0, comma), CanvasWidth - 1, x);
        if (result == NumberResult::Ok) {
            result = ParseNumber(rest.substr(comma + 1), CanvasHeight - 1, y);
        }
        if (result != NumberResult::Ok) return NumberError(result);
        step.Kind = ScriptStep::Type::Click;
        step.X = static_cast<int>(x);
        step.Y = static_cast<int>(y);
        return "";
    }
    if (token.starts_with(PadPrefix)) {
        const std::optional<PadButtonRow> button = PadButtonNamed(token.substr(PadPrefix.size()));
        if (!button) return "unknown controller button";
        step.Kind = ScriptStep::Type::Pad;
        step.KeyCode = button->KeyCode;
        return "";
    }
    if (token == CloseWord) {
        step.Kind = ScriptStep::Type::Close;
        return "";
    }
    if (token.starts_with(SeedPrefix)) {
        auto result = ParseNumber(token.substr(SeedPrefix.size()), UINT64_MAX, value);
        if (result != NumberResult::Ok) return NumberError(result);
        step.Kind = ScriptStep::Type::Seed;
        step.Seed = value;
        return "";
    }

    // A key, after any number of modifier prefixes in any order.
    int shift = 0;
    bool repeat = false;
    for (bool stripped = true; stripped;) {
        stripped = false;
        if (token.starts_with(RepeatPrefix)) {
            repeat = true;
            token.remove_prefix(RepeatPrefix.size());
            stripped = true;
        }
        for (const Modifier& modifier : Modifiers) {
            if (token.starts_with(modifier.Prefix)) {
                shift |= modifier.Mask;
                token.remove_prefix(modifier.Prefix.size());
                stripped = true;
            }
        }
    }
    auto code = KeyCodeFromName(token);
    if (!code) return "unknown token";
    step.Kind = ScriptStep::Type::Key;
    step.KeyCode = *code;
    step.Shift = shift;
    step.Repeat = repeat;
    return "";
}

// Reads "..." starting at text[pos] == '"'; quotes close on their own line.
// On success pos is just past the closing quote.
std::string ParseQuoted(std::string_view text, size_t& pos, ScriptStep& step) {
    std::string value;
    size_t i = pos + 1;
    while (true) {
        if (i >= text.size() || text[i] == '\n') {
            pos = i;
            return "unterminated quote";
        }
        char c = text[i];
        if (c == '"') break;
        if (c == '\\') {
            if (i + 1 >= text.size() || text[i + 1] == '\n') {
                pos = i + 1;
                return "unterminated quote";
            }
            char escaped = text[i + 1];
            if (escaped != '"' && escaped != '\\') {
                pos = i + 2;
                return "bad escape";
            }
            value += escaped;
            i += 2;
            continue;
        }
        value += c;
        ++i;
    }
    pos = i + 1;
    if (pos < text.size() && !IsSpace(text[pos])) {
        while (pos < text.size() && !IsSpace(text[pos])) ++pos;
        return "no space after quote";
    }
    step.Kind = ScriptStep::Type::Text;
    step.Text = std::move(value);
    return "";
}

}  // namespace

KeyScript ParseKeyScript(std::string_view text) {
    KeyScript script;
    int line = 1;
    size_t pos = 0;
    while (pos < text.size()) {
        char c = text[pos];
        if (c == '\n') {
            ++line;
            ++pos;
            continue;
        }
        if (IsSpace(c)) {
            ++pos;
            continue;
        }
        if (c == '#') {
            while (pos < text.size() && text[pos] != '\n') ++pos;
            continue;
        }
        ScriptStep step;
        step.Line = line;
        size_t start = pos;
        std::string what;
        if (c == '"') {
            what = ParseQuoted(text, pos, step);
        } else {
            while (pos < text.size() && !IsSpace(text[pos])) ++pos;
            what = ParseWord(text.substr(start, pos - start), step);
        }
        if (!what.empty()) {
            std::string_view token = text.substr(start, pos - start);
            if (token.ends_with('\r')) token.remove_suffix(1);
            script.Error =
                "line " + std::to_string(line) + ": " + what + " '" + std::string(token) + "'";
            return script;
        }
        script.Steps.push_back(std::move(step));
    }
    return script;
}

std::string FormatStep(const ScriptStep& step) {
    switch (step.Kind) {
        case ScriptStep::Type::Key: {
            std::string name = KeyNameFromCode(step.KeyCode);
            if (name.empty()) return "";
            std::string out(step.Repeat ? RepeatPrefix : "");
            for (const Modifier& modifier : Modifiers) {
                if (step.Shift & modifier.Mask) out += modifier.Prefix;
            }
            return out + name;
        }
        case ScriptStep::Type::Text: {
            std::string out = "\"";
            for (char c : step.Text) {
                if (c == '"' || c == '\\') out += '\\';
                out += c;
            }
            return out + "\"";
        }
        case ScriptStep::Type::Wait:
            return std::string(WaitPrefix) + std::to_string(step.Ms);
        case ScriptStep::Type::Shot:
            return std::string(ShotPrefix) + step.Text;
        case ScriptStep::Type::Click:
            return std::string(ClickPrefix) + std::to_string(step.X) + "," + std::to_string(step.Y);
        case ScriptStep::Type::Seed:
            return std::string(SeedPrefix) + std::to_string(step.Seed);
        case ScriptStep::Type::Close:
            return std::string(CloseWord);
        case ScriptStep::Type::Pad: {
            const std::optional<PadButtonRow> button = PadButtonForKey(step.KeyCode);
            return button ? std::string(PadPrefix) + std::string(button->Name) : "";
        }
    }
    return "";
}

std::optional<int> KeyCodeFromName(std::string_view name) {
    if (name.empty()) return std::nullopt;
    for (const NamedKey& key : NamedKeys) {
        if (key.Name == name) return key.Code;
    }
    if (name.size() == 1) {
        char c = name[0];
        if (c >= 'A' && c <= 'Z') return Key::A + (c - 'A');
        if (c >= 'a' && c <= 'z') return Key::A + (c - 'a');
        if (c >= '0' && c <= '9') return Key::Digit0 + (c - '0');
    }
    return std::nullopt;
}

std::string KeyNameFromCode(int keyCode) {
    for (const NamedKey& key : NamedKeys) {
        if (key.Code == keyCode) return std::string(key.Name);
    }
    if (keyCode >= Key::A && keyCode < Key::A + 26)
        return std::string(1, static_cast<char>(keyCode));
    if (keyCode >= Key::Digit0 && keyCode < Key::Digit0 + 10) {
        return std::string(1, static_cast<char>(keyCode));
    }
    return "";
}

}  // namespace kv
