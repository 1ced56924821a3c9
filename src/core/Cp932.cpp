#include "core/Cp932.h"

#include <iconv.h>

#include <array>
#include <cstring>
#include <memory>

#include "core/Utf8.h"

namespace kv {

namespace {

constexpr uint16_t NoCode = 0xFFFF;  // FF is never a lead byte, so no character has it
constexpr uint16_t QuestionMark = 0x3F;
constexpr char32_t BmpEnd = 0x10000;
constexpr char32_t RawCodeEnd = RawCodeBase + 0x10000;

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// An iconv descriptor that closes itself.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (Ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts a whole input; returns the number of output bytes, or -1 when
    // iconv rejects or cannot finish the input.
    int Run(const char* in, size_t inSize, char* out, size_t outSize) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // initial shift state
        char* inPtr = const_cast<char*>(in);
        char* outPtr = out;
        size_t inLeft = inSize;
        size_t outLeft = outSize;
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return -1;
        if (inLeft != 0) return -1;
        return static_cast<int>(outSize - outLeft);
    }

  private:
    iconv_t cd_;
};

// Both directions for every code and every BMP character, built once from
// glibc's CP932 so that no conversion ever calls iconv per character.
struct Tables {
    std::array<char32_t, 0x10000> Decode;  // by code
    std::array<uint16_t, 0x10000> Encode;  // by BMP code point; NoCode = not representable

    Tables() {
        Encode.fill(NoCode);
        for (uint32_t code = 0; code < 0x10000; ++code) Decode[code] = RawCodeBase + code;
        Converter encoder("CP932", "UTF-32LE");
        Converter decoder("UTF-32LE", "CP932");
        if (encoder.Ok() && decoder.Ok()) {
            FillFromIconv(encoder, decoder);
        } else {
            FillMinimal();
        }
    }

    void FillFromIconv(Converter& encoder, Converter& decoder) {
        for (char32_t c = 0; c < BmpEnd; ++c) {
            if (IsSurrogate(c)) continue;
            unsigned char in[4];
            for (int i = 0; i < 4; ++i) in[i] = static_cast<unsigned char>(c >> (8 * i));
            unsigned char out[8];
            const int n = encoder.Run(reinterpret_cast<const char*>(in), sizeof in,
                                      reinterpret_cast<char*>(out), sizeof out);
            if (n == 1) {
                Encode[c] = out[0];
            } else if (n == 2) {
                Encode[c] = static_cast<uint16_t>(out[0] << 8 | out[1]);
            }
        }
        for (uint32_t code = 0; code < 0x10000; ++code) {
            const auto lead = static_cast<uint8_t>(code >> 8);
            const auto trail = static_cast<uint8_t>(code & 0xFF);
            char in[2];
            size_t inSize = 0;
            if (code < 0x100) {
                if (IsCp932LeadByte(trail)) continue;  // a lead byte alone is incomplete
                in[inSize++] = static_cast<char>(trail);
            } else {
                if (!IsCp932LeadByte(lead) || !IsCp932TrailByte(trail)) continue;
                in[inSize++] = static_cast<char>(lead);
                in[inSize++] = static_cast<char>(trail);
            }
            unsigned char out[8];
            if (decoder.Run(in, inSize, reinterpret_cast<char*>(out), sizeof out) != 4) continue;
            const char32_t c = static_cast<char32_t>(out[0]) | static_cast<char32_t>(out[1]) << 8 |
                               static_cast<char32_t>(out[2]) << 16 |
                               static_cast<char32_t>(out[3]) << 24;
            // Only a character that encodes back to this very code stands for
            // it; the duplicates keep their raw form.
            if (c < BmpEnd && Encode[c] == code) Decode[code] = c;
        }
    }

    // Without iconv's tables (no gconv modules) ASCII and the half-width
    // katakana still read and write; everything else travels as raw codes.
    void FillMinimal() {
        for (uint16_t code = 0; code < 0x80; ++code) {
            Decode[code] = code;
            Encode[code] = code;
        }
        for (uint16_t code = 0xA1; code <= 0xDF; ++code) {
            const char32_t c = 0xFF61 + (code - 0xA1);
            Decode[code] = c;
            Encode[c] = code;
        }
    }
};

const Tables& GetTables() {
    static const std::unique_ptr<const Tables> tables = std::make_unique<const Tables>();
    return *tables;
}

void AppendCode(std::string& out, uint16_t code) {
    if (code >= 0x100) out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
}

}  // namespace

char32_t Cp932CodeToUnicode(uint16_t code) {
    return GetTables().Decode[code];
}

std::optional<uint16_t> UnicodeToCp932Code(char32_t character) {
    if (character >= RawCodeBase && character < RawCodeEnd) {
        return static_cast<uint16_t>(character - RawCodeBase);
    }
    if (character >= BmpEnd) return std::nullopt;
    const uint16_t code = GetTables().Encode[character];
    if (code == NoCode) return std::nullopt;
    return code;
}

std::string Cp932ToUtf8(std::string_view bytes) {
    const Tables& tables = GetTables();
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    size_t pos = 0;
    while (pos < bytes.size()) {
        const auto lead = static_cast<uint8_t>(bytes[pos]);
        uint16_t code = lead;
        ++pos;
        // A lead byte at the end or before a byte that cannot trail stands
        // alone (as a raw code) and the next byte starts afresh.
        if (IsCp932LeadByte(lead) && pos < bytes.size() &&
            IsCp932TrailByte(static_cast<uint8_t>(bytes[pos]))) {
            code = static_cast<uint16_t>(lead << 8 | static_cast<uint8_t>(bytes[pos]));
            ++pos;
        }
        out += EncodeUtf8(tables.Decode[code]);
    }
    return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = NextCodePoint(utf8, pos);
        AppendCode(out, UnicodeToCp932Code(c).value_or(QuestionMark));
    }
    return out;
}

}  // namespace kv
