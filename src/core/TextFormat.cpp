#include "core/TextFormat.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/Utf8.h"

namespace kv {

namespace {

constexpr char32_t IdeographicSpace = 0x3000;
constexpr char32_t FullWidthOffset = 0xFF01 - 0x21;
constexpr char32_t HalfKanaFirst = 0xFF61;
constexpr char32_t HalfKanaLast = 0xFF9F;
constexpr char32_t HalfVoicedMark = 0xFF9E;
constexpr char32_t HalfSemiVoicedMark = 0xFF9F;

// Full-width form of each half-width katakana (U+FF61..U+FF9F), with the
// single characters it forms with a following voiced / semi-voiced mark (0 =
// the mark stays separate). ヷ and ヺ are left out: the code page has no code
// for them, so the mark stays a character of its own.
struct KanaForm {
    char32_t Full;
    char32_t Voiced;
    char32_t SemiVoiced;
};

constexpr std::array<KanaForm, HalfKanaLast - HalfKanaFirst + 1> KanaForms = {{
    {0x3002, 0x0000, 0x0000},  // ｡
    {0x300C, 0x0000, 0x0000},  // ｢
    {0x300D, 0x0000, 0x0000},  // ｣
    {0x3001, 0x0000, 0x0000},  // ､
    {0x30FB, 0x0000, 0x0000},  // ･
    {0x30F2, 0x0000, 0x0000},  // ｦ
    {0x30A1, 0x0000, 0x0000},  // ｧ
    {0x30A3, 0x0000, 0x0000},  // ｨ
    {0x30A5, 0x0000, 0x0000},  // ｩ
    {0x30A7, 0x0000, 0x0000},  // ｪ
    {0x30A9, 0x0000, 0x0000},  // ｫ
    {0x30E3, 0x0000, 0x0000},  // ｬ
    {0x30E5, 0x0000, 0x0000},  // ｭ
    {0x30E7, 0x0000, 0x0000},  // ｮ
    {0x30C3, 0x0000, 0x0000},  // ｯ
    {0x30FC, 0x0000, 0x0000},  // ｰ
    {0x30A2, 0x0000, 0x0000},  // ｱ
    {0x30A4, 0x0000, 0x0000},  // ｲ
    {0x30A6, 0x30F4, 0x0000},  // ｳ
    {0x30A8, 0x0000, 0x0000},  // ｴ
    {0x30AA, 0x0000, 0x0000},  // ｵ
    {0x30AB, 0x30AC, 0x0000},  // ｶ
    {0x30AD, 0x30AE, 0x0000},  // ｷ
    {0x30AF, 0x30B0, 0x0000},  // ｸ
    {0x30B1, 0x30B2, 0x0000},  // ｹ
    {0x30B3, 0x30B4, 0x0000},  // ｺ
    {0x30B5, 0x30B6, 0x0000},  // ｻ
    {0x30B7, 0x30B8, 0x0000},  // ｼ
    {0x30B9, 0x30BA, 0x0000},  // ｽ
    {0x30BB, 0x30BC, 0x0000},  // ｾ
    {0x30BD, 0x30BE, 0x0000},  // ｿ
    {0x30BF, 0x30C0, 0x0000},  // ﾀ
    {0x30C1, 0x30C2, 0x0000},  // ﾁ
    {0x30C4, 0x30C5, 0x0000},  // ﾂ
    {0x30C6, 0x30C7, 0x0000},  // ﾃ
    {0x30C8, 0x30C9, 0x0000},  // ﾄ
    {0x30CA, 0x0000, 0x0000},  // ﾅ
    {0x30CB, 0x0000, 0x0000},  // ﾆ
    {0x30CC, 0x0000, 0x0000},  // ﾇ
    {0x30CD, 0x0000, 0x0000},  // ﾈ
    {0x30CE, 0x0000, 0x0000},  // ﾉ
    {0x30CF, 0x30D0, 0x30D1},  // ﾊ
    {0x30D2, 0x30D3, 0x30D4},  // ﾋ
    {0x30D5, 0x30D6, 0x30D7},  // ﾌ
    {0x30D8, 0x30D9, 0x30DA},  // ﾍ
    {0x30DB, 0x30DC, 0x30DD},  // ﾎ
    {0x30DE, 0x0000, 0x0000},  // ﾏ
    {0x30DF, 0x0000, 0x0000},  // ﾐ
    {0x30E0, 0x0000, 0x0000},  // ﾑ
    {0x30E1, 0x0000, 0x0000},  // ﾒ
    {0x30E2, 0x0000, 0x0000},  // ﾓ
    {0x30E4, 0x0000, 0x0000},  // ﾔ
    {0x30E6, 0x0000, 0x0000},  // ﾕ
    {0x30E8, 0x0000, 0x0000},  // ﾖ
    {0x30E9, 0x0000, 0x0000},  // ﾗ
    {0x30EA, 0x0000, 0x0000},  // ﾘ
    {0x30EB, 0x0000, 0x0000},  // ﾙ
    {0x30EC, 0x0000, 0x0000},  // ﾚ
    {0x30ED, 0x0000, 0x0000},  // ﾛ
    {0x30EF, 0x0000, 0x0000},  // ﾜ
    {0x30F3, 0x0000, 0x0000},  // ﾝ
    {0x309B, 0x0000, 0x0000},  // ﾞ
    {0x309C, 0x0000, 0x0000},  // ﾟ
}};

// The characters of a text as byte slices, so anything passed through keeps
// its exact bytes.
std::vector<std::string_view> SplitCharacters(std::string_view text) {
    std::vector<std::string_view> out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = pos;
        NextCodePoint(text, pos);
        out.push_back(text.substr(start, pos - start));
    }
    return out;
}

}  // namespace

std::string Wide(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = pos;
        const char32_t c = NextCodePoint(text, pos);
        if (c == U' ') {
            out += EncodeUtf8(IdeographicSpace);
        } else if (c >= 0x21 && c <= 0x7E) {
            out += EncodeUtf8(c + FullWidthOffset);
        } else if (c >= HalfKanaFirst && c <= HalfKanaLast) {
            const KanaForm& form = KanaForms[c - HalfKanaFirst];
            char32_t full = form.Full;
            size_t next = pos;
            const char32_t mark = next < text.size() ? NextCodePoint(text, next) : 0;
            if (mark == HalfVoicedMark && form.Voiced != 0) {
                full = form.Voiced;
                pos = next;
            } else if (mark == HalfSemiVoicedMark && form.SemiVoiced != 0) {
                full = form.SemiVoiced;
                pos = next;
            }
            out += EncodeUtf8(full);
        } else {
            out.append(text.substr(start, pos - start));
        }
    }
    return out;
}

std::string WideNumber(int64_t value) {
    return Wide(std::to_string(value));
}

std::string FormatMask(std::string_view value, std::string_view mask) {
    const bool leftToRight = !mask.empty() && mask.front() == '!';
    if (leftToRight) mask.remove_prefix(1);
    const std::vector<std::string_view> chars = SplitCharacters(value);
    const std::vector<std::string_view> slots = SplitCharacters(mask);

    std::string out;
    out.reserve(value.size() + mask.size());
    if (leftToRight) {
        size_t next = 0;
        for (std::string_view slot : slots) {
            if (slot == "@") {
                out.append(next < chars.size() ? chars[next++] : std::string_view(" "));
            } else {
                out.append(slot);
            }
        }
        for (; next < chars.size(); ++next) out.append(chars[next]);
        return out;
    }

    // Right to left: the last characters of the value land in the last
    // positions; whatever is left over goes in front.
    const size_t positions = static_cast<size_t>(std::count(slots.begin(), slots.end(), "@"));
    const size_t overflow = chars.size() > positions ? chars.size() - positions : 0;
    for (size_t i = 0; i < overflow; ++i) out.append(chars[i]);
    // The k-th position (from 0) takes character k + chars.size() - positions,
    // or a blank when that falls before the value's start.
    size_t k = 0;
    for (std::string_view slot : slots) {
        if (slot != "@") {
            out.append(slot);
            continue;
        }
        const size_t shift = positions - (chars.size() - overflow);
        out.append(k >= shift ? chars[overflow + k - shift] : std::string_view(" "));
        ++k;
    }
    return out;
}

}  // namespace kv
