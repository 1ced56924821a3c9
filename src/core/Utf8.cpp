#include "core/Utf8.h"

#include <cstdint>

namespace kv {

namespace {

constexpr char32_t Replacement = 0xFFFD;
constexpr char32_t MaxCodePoint = 0x10FFFF;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}
bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// How a lead byte opens a sequence: its length, the payload bits it carries and
// the smallest code point that length may encode (anything less is overlong).
struct LeadForm {
    unsigned char Mask;
    unsigned char Value;
    int Length;
    char32_t Minimum;
};

constexpr LeadForm LeadForms[] = {
    {0xE0, 0xC0, 2, 0x80},
    {0xF0, 0xE0, 3, 0x800},
    {0xF8, 0xF0, 4, 0x10000},
};

}  // namespace

char32_t NextCodePoint(std::string_view utf8, size_t& pos) {
    if (pos >= utf8.size()) {
        pos = utf8.size();
        return 0;
    }
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    for (const LeadForm& form : LeadForms) {
        if ((lead & form.Mask) != form.Value) continue;
        if (pos + form.Length > utf8.size()) break;  // truncated
        char32_t code = lead & static_cast<unsigned char>(~form.Mask & 0x7F);
        for (int i = 1; i < form.Length; ++i) {
            const auto byte = static_cast<unsigned char>(utf8[pos + i]);
            if (!IsContinuation(byte)) {
                ++pos;
                return Replacement;
            }
            code = (code << 6) | (byte & 0x3F);
        }
        if (code < form.Minimum || code > MaxCodePoint || IsSurrogate(code)) break;
        pos += form.Length;
        return code;
    }
    ++pos;
    return Replacement;
}

std::u32string DecodeUtf8(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) out.push_back(NextCodePoint(utf8, pos));
    return out;
}

std::string EncodeUtf8(char32_t codePoint) {
    if (codePoint > MaxCodePoint || IsSurrogate(codePoint)) codePoint = Replacement;
    std::string out;
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
    return out;
}

std::string EncodeUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (char32_t c : text) out += EncodeUtf8(c);
    return out;
}

bool IsHalfWidth(char32_t codePoint) {
    // The single-byte half of the code page: ASCII (controls included, they
    // take one cell so columns stay countable) and the half-width katakana.
    return codePoint < 0x80 || (codePoint >= 0xFF61 && codePoint <= 0xFF9F);
}

int CellWidth(std::string_view utf8) {
    int cells = 0;
    size_t pos = 0;
    while (pos < utf8.size()) cells += IsHalfWidth(NextCodePoint(utf8, pos)) ? 1 : 2;
    return cells;
}

void PopCodePoint(std::string& utf8) {
    if (utf8.empty()) return;
    // Step back over continuation bytes to the nearest possible start, then
    // check that it really decodes to the whole tail; if not, the last byte is
    // a stray one and goes alone (it decoded as one U+FFFD).
    size_t start = utf8.size() - 1;
    const size_t limit = utf8.size() >= 4 ? utf8.size() - 4 : 0;
    while (start > limit && IsContinuation(static_cast<unsigned char>(utf8[start]))) --start;
    size_t pos = start;
    NextCodePoint(utf8, pos);
    if (pos == utf8.size()) {
        utf8.resize(start);
    } else {
        utf8.pop_back();
    }
}

}  // namespace kv
