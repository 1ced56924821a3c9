#include "core/NameCoding.h"

#include "core/Cp932.h"
#include "core/Utf8.h"

namespace kv {

namespace {

constexpr uint16_t QuestionMark = 0x3F;

}  // namespace

std::string DecodeName(std::span<const int16_t> codes, size_t first, size_t last) {
    std::string out;
    if (codes.empty()) return out;
    if (last >= codes.size()) last = codes.size() - 1;
    for (size_t i = first; i <= last; ++i) {
        if (codes[i] == 0) continue;
        const auto code = static_cast<uint16_t>(codes[i] ^ NameCodeKey);
        out += EncodeUtf8(Cp932CodeToUnicode(code));
    }
    return out;
}

void EncodeName(std::string_view utf8, std::span<int16_t> codes, size_t first, size_t last) {
    if (codes.empty()) return;
    if (last >= codes.size()) last = codes.size() - 1;
    if (first > last) return;
    for (size_t i = first; i <= last; ++i) codes[i] = 0;
    size_t pos = 0;
    for (size_t i = first; i <= last && pos < utf8.size(); ++i) {
        const uint16_t code = UnicodeToCp932Code(NextCodePoint(utf8, pos)).value_or(QuestionMark);
        codes[i] = static_cast<int16_t>(static_cast<int16_t>(code) ^ NameCodeKey);
    }
}

}  // namespace kv
