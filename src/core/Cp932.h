#pragma once
// Code page 932 at the file boundary. In memory every text is UTF-8; the files
// hold CP932 bytes and coded names. The conversion is lossless for any byte
// sequence, so a file that is loaded and saved again comes out byte-identical:
// a byte or byte pair that CP932 does not define, or whose character encodes
// back to a different code (the duplicated NEC/IBM codes), decodes to the
// private-use character U+100000 + code, and that character encodes back to
// the raw byte (code < 0x100) or byte pair. Characters CP932 cannot hold at
// all (an emoji typed by the player) encode as '?'.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// The first of the 65536 private-use characters that carry raw codes.
inline constexpr char32_t RawCodeBase = 0x100000;

// True for the bytes that open a double-byte character (81..9F, E0..FC).
constexpr bool IsCp932LeadByte(uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
// True for the bytes that may follow a lead byte (40..7E, 80..FC).
constexpr bool IsCp932TrailByte(uint8_t byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

std::string Cp932ToUtf8(std::string_view bytes);
std::string Utf8ToCp932(std::string_view utf8);

// code < 0x100 is one byte, otherwise lead * 256 + trail. Never fails: a code
// without a canonical character gives U+100000 + code.
char32_t Cp932CodeToUnicode(uint16_t code);
// The code of a character, or nothing when CP932 cannot hold it. Inverts
// Cp932CodeToUnicode for every code.
std::optional<uint16_t> UnicodeToCp932Code(char32_t character);

}  // namespace kv
