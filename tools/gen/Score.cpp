#include "Score.h"

#include <array>
#include <cctype>
#include <charconv>

namespace kv::gen {
namespace {

constexpr std::array<int, 7> LetterPitch = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g

struct Quality {
    std::string_view Name;
    std::array<int, 5> Steps;
    int Count;
};

constexpr std::array<Quality, 16> Qualities = {{
    {"", {0, 4, 7}, 3},
    {"m", {0, 3, 7}, 3},
    {"7", {0, 4, 7, 10}, 4},
    {"m7", {0, 3, 7, 10}, 4},
    {"maj7", {0, 4, 7, 11}, 4},
    {"dim", {0, 3, 6}, 3},
    {"dim7", {0, 3, 6, 9}, 4},
    {"m7b5", {0, 3, 6, 10}, 4},
    {"aug", {0, 4, 8}, 3},
    {"sus2", {0, 2, 7}, 3},
    {"sus4", {0, 5, 7}, 3},
    {"add9", {0, 4, 7, 14}, 4},
    {"m9", {0, 3, 7, 10, 14}, 5},
    {"6", {0, 4, 7, 9}, 4},
    {"m6", {0, 3, 7, 9}, 4},
    {"5", {0, 7}, 2},
}};

struct BaseLength {
    char Letter;
    uint32_t Ticks;
};

constexpr std::array<BaseLength, 6> BaseLengths = {{
    {'w', TicksPerQuarter * 4},
    {'h', TicksPerQuarter * 2},
    {'q', TicksPerQuarter},
    {'e', TicksPerQuarter / 2},
    {'s', TicksPerQuarter / 4},
    {'t', TicksPerQuarter / 8},
}};

[[noreturn]] void Fail(std::string_view what, std::string_view token) {
    throw NotationError(std::string(what) + ": \"" + std::string(token) + "\"");
}

// Letter and accidentals: the pitch class, and how many characters it took.
int PitchClass(std::string_view text, size_t& used) {
    if (text.empty()) Fail("missing note letter", text);
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    if (letter < 'a' || letter > 'g') Fail("not a note letter", text);
    int pc = LetterPitch[static_cast<size_t>(letter - 'a')];
    used = 1;
    while (used < text.size() && (text[used] == '#' || text[used] == 'b')) {
        pc += text[used] == '#' ? 1 : -1;
        ++used;
    }
    return ((pc % 12) + 12) % 12;
}

void CheckBar(uint32_t position, uint32_t barLength) {
    if (barLength != 0 && position % barLength != 0) {
        throw NotationError("bar line " + std::to_string(position % barLength) +
                            " ticks into a bar at tick " + std::to_string(position));
    }
}

// Splits "body:len" (the length part may be absent).
void SplitLength(std::string_view token, std::string_view& body, std::string_view& length) {
    const size_t colon = token.find(':');
    body = token.substr(0, colon);
    length = colon == std::string_view::npos ? std::string_view{} : token.substr(colon + 1);
}

}  // namespace

int ParsePitch(std::string_view text) {
    size_t used = 0;
    const int pc = PitchClass(text, used);
    // Accidentals may move the pitch class across C (cb4 is B3, b#3 is C4).
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    int shift = 0;
    for (size_t i = 1; i < used; ++i) shift += text[i] == '#' ? 1 : -1;
    const int natural = LetterPitch[static_cast<size_t>(letter - 'a')];
    const int octaveCarry = (natural + shift < 0) ? -1 : (natural + shift > 11 ? 1 : 0);
    int octave = 0;
    const std::string_view digits = text.substr(used);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), octave);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) {
        Fail("bad octave", text);
    }
    const int key = (octave + 1 + octaveCarry) * 12 + pc;
    if (key < 0 || key > 127) Fail("note out of range", text);
    return key;
}

uint32_t ParseDuration(std::string_view text) {
    const std::string_view original = text;
    uint32_t count = 1;
    size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) {
        ++digits;
    }
    if (digits > 0) {
        std::from_chars(text.data(), text.data() + digits, count);
        if (count == 0 || count > 64) Fail("bad length count", original);
        text.remove_prefix(digits);
    }
    if (text.empty()) Fail("missing length letter", original);
    uint32_t ticks = 0;
    for (const BaseLength& base : BaseLengths) {
        if (base.Letter == text[0]) ticks = base.Ticks;
    }
    if (ticks == 0) Fail("unknown length", original);
    text.remove_prefix(1);
    if (!text.empty() && text[0] == '.') {
        ticks += ticks / 2;
        text.remove_prefix(1);
    }
    if (!text.empty() && text[0] == '3') {
        ticks = ticks * 2 / 3;
        text.remove_prefix(1);
    }
    if (!text.empty()) Fail("junk after length", original);
    return ticks * count;
}

std::vector<std::string> ExpandTokens(std::string_view text) {
    // Bar lines and braces are tokens of their own even when written against a note.
    std::vector<std::string> raw;
    std::string current;
    auto flush = [&] {
        if (!current.empty()) raw.push_back(std::move(current));
        current.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            flush();
        } else if (c == '|' || c == '{') {
            flush();
            raw.emplace_back(1, c);
        } else if (c == '}') {
            // "}" with its "*N" is one token whatever follows.
            flush();
            current.push_back(c);
            while (i + 1 < text.size() &&
                   (text[i + 1] == '*' || std::isdigit(static_cast<unsigned char>(text[i + 1])))) {
                current.push_back(text[++i]);
            }
            flush();
        } else {
            current.push_back(c);
        }
    }
    flush();
    // Expand from the innermost group outwards with an explicit stack.
    std::vector<std::vector<std::string>> stack(1);
    for (const std::string& token : raw) {
        if (token == "{") {
            stack.emplace_back();
        } else if (token.rfind("}*", 0) == 0) {
            if (stack.size() < 2) Fail("'}' without '{'", token);
            int times = 0;
            const auto [end, error] =
                std::from_chars(token.data() + 2, token.data() + token.size(), times);
            if (error != std::errc{} || end != token.data() + token.size() || times < 1 ||
                times > 64) {
                Fail("bad repeat count", token);
            }
            std::vector<std::string> group = std::move(stack.back());
            stack.pop_back();
            for (int n = 0; n < times; ++n) {
                stack.back().insert(stack.back().end(), group.begin(), group.end());
            }
        } else if (token == "}") {
            Fail("repeat needs a count", token);
        } else {
            stack.back().push_back(token);
        }
    }
    if (stack.size() != 1) throw NotationError("'{' without '}'");
    return std::move(stack.front());
}

Phrase ParsePhrase(std::string_view text, uint32_t barLength, int velocity) {
    Phrase phrase;
    uint32_t length = TicksPerQuarter;
    for (const std::string& token : ExpandTokens(text)) {
        if (token == "|") {
            CheckBar(phrase.Length, barLength);
            continue;
        }
        std::string_view rest = token;
        int loudness = velocity;
        while (!rest.empty() && (rest[0] == '>' || rest[0] == '^' || rest[0] == '_')) {
            loudness += rest[0] == '>' ? 15 : (rest[0] == '^' ? 25 : -20);
            rest.remove_prefix(1);
        }
        Articulation style = Articulation::Normal;
        if (!rest.empty() && (rest.back() == '\'' || rest.back() == '~')) {
            style = rest.back() == '\'' ? Articulation::Staccato : Articulation::Held;
            rest.remove_suffix(1);
        }
        std::string_view body;
        std::string_view lengthText;
        SplitLength(rest, body, lengthText);
        if (!lengthText.empty()) length = ParseDuration(lengthText);
        if (body.empty()) Fail("missing note", token);
        if (body != "r") {
            size_t from = 0;
            while (from <= body.size()) {
                const size_t plus = body.find('+', from);
                const std::string_view pitch = body.substr(from, plus - from);
                phrase.Notes.push_back(
                    Note{phrase.Length, length, ParsePitch(pitch), loudness, style});
                if (plus == std::string_view::npos) break;
                from = plus + 1;
            }
        }
        phrase.Length += length;
    }
    return phrase;
}

std::vector<ChordSpan> ParseChords(std::string_view text, uint32_t barLength) {
    std::vector<ChordSpan> chords;
    uint32_t position = 0;
    for (const std::string& token : ExpandTokens(text)) {
        if (token == "|") {
            CheckBar(position, barLength);
            continue;
        }
        std::string_view body;
        std::string_view lengthText;
        SplitLength(token, body, lengthText);
        ChordSpan chord;
        chord.Start = position;
        chord.Length = lengthText.empty() ? barLength : ParseDuration(lengthText);
        if (chord.Length == 0) Fail("a chord needs a length", token);
        if (body != "r") {
            size_t used = 0;
            chord.Root = PitchClass(body, used);
            chord.Bass = chord.Root;
            std::string_view quality = body.substr(used);
            const size_t slash = quality.find('/');
            if (slash != std::string_view::npos) {
                size_t bassUsed = 0;
                const std::string_view bass = quality.substr(slash + 1);
                chord.Bass = PitchClass(bass, bassUsed);
                if (bassUsed != bass.size()) Fail("bad bass note", token);
                quality = quality.substr(0, slash);
            }
            bool known = false;
            for (const Quality& q : Qualities) {
                if (q.Name == quality) {
                    chord.Intervals.assign(q.Steps.begin(), q.Steps.begin() + q.Count);
                    known = true;
                }
            }
            if (!known) Fail("unknown chord quality", token);
        }
        position += chord.Length;
        chords.push_back(std::move(chord));
    }
    return chords;
}

}  // namespace kv::gen
