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

// Both directions, filled from glibc's CP932 a row of 256 at a time when a
// row is first used: a start-up that reads a few hundred names touches a few
// dozen rows, not all 65536 codes and characters. Each row is built once, so
// no conversion calls iconv per character after its row is in.
class Tables {
  public:
    Tables() : encoder_("CP932", "UTF-32LE"), decoder_("UTF-32LE", "CP932") {
        withIconv_ = encoder_.Ok() && decoder_.Ok();
    }

    char32_t Decode(uint16_t code) {
        std::unique_ptr<DecodeRow>& row = decode_[code >> 8];
        if (!row) row = BuildDecodeRow(static_cast<uint8_t>(code >> 8));
        return (*row)[code & 0xFF];
    }

    // NoCode when CP932 cannot hold the character.
    uint16_t Encode(char32_t c) {
        std::unique_ptr<EncodeRow>& row = encode_[c >> 8];
        if (!row) row = BuildEncodeRow(static_cast<uint8_t>(c >> 8));
        return (*row)[c & 0xFF];
    }

  private:
    using DecodeRow = std::array<char32_t, 0x100>;  // by code, one lead byte (0: single bytes)
    using EncodeRow = std::array<uint16_t, 0x100>;  // by BMP code point

    std::unique_ptr<DecodeRow> BuildDecodeRow(uint8_t lead) {
        auto row = std::make_unique<DecodeRow>();
        for (uint32_t trail = 0; trail < 0x100; ++trail) {
            const auto code = static_cast<uint16_t>(lead << 8 | trail);
            (*row)[trail] = RawCodeBase + code;
            // Only a character that encodes back to this very code stands for
            // it; the duplicates keep their raw form.
            const char32_t c = withIconv_ ? DecodeOne(code) : MinimalDecode(code);
            if (c < BmpEnd && EncodeOne(c) == code) (*row)[trail] = c;
        }
        return row;
    }

    std::unique_ptr<EncodeRow> BuildEncodeRow(uint8_t high) {
        auto row = std::make_unique<EncodeRow>();
        for (uint32_t low = 0; low < 0x100; ++low) {
            (*row)[low] = EncodeOne(static_cast<char32_t>(high << 8 | low));
        }
        return row;
    }

    // The character iconv reads for one code; BmpEnd when it reads none.
    char32_t DecodeOne(uint16_t code) {
        const auto lead = static_cast<uint8_t>(code >> 8);
        const auto trail = static_cast<uint8_t>(code & 0xFF);
        char in[2];
        size_t inSize = 0;
        if (code < 0x100) {
            if (IsCp932LeadByte(trail)) return BmpEnd;  // a lead byte alone is incomplete
            in[inSize++] = static_cast<char>(trail);
        } else {
            if (!IsCp932LeadByte(lead) || !IsCp932TrailByte(trail)) return BmpEnd;
            in[inSize++] = static_cast<char>(lead);
            in[inSize++] = static_cast<char>(trail);
        }
        unsigned char out[8];
        if (decoder_.Run(in, inSize, reinterpret_cast<char*>(out), sizeof out) != 4) return BmpEnd;
        return static_cast<char32_t>(out[0]) | static_cast<char32_t>(out[1]) << 8 |
               static_cast<char32_t>(out[2]) << 16 | static_cast<char32_t>(out[3]) << 24;
    }

    uint16_t EncodeOne(char32_t c) {
        if (c >= BmpEnd || IsSurrogate(c)) return NoCode;
        if (!withIconv_) return MinimalEncode(c);
        unsigned char in[4];
        for (int i = 0; i < 4; ++i) in[i] = static_cast<unsigned char>(c >> (8 * i));
        unsigned char out[8];
        const int n = encoder_.Run(reinterpret_cast<const char*>(in), sizeof in,
                                   reinterpret_cast<char*>(out), sizeof out);
        if (n == 1) return out[0];
        if (n == 2) return static_cast<uint16_t>(out[0] << 8 | out[1]);
        return NoCode;
    }

    // Without iconv's tables (no gconv modules) ASCII and the half-width
    // katakana still read and write; everything else travels as raw codes.
    static char32_t MinimalDecode(uint16_t code) {
        if (code < 0x80) return code;
        if (code >= 0xA1 && code <= 0xDF) return 0xFF61 + (code - 0xA1);
        return BmpEnd;
    }
    static uint16_t MinimalEncode(char32_t c) {
        if (c < 0x80) return static_cast<uint16_t>(c);
        if (c >= 0xFF61 && c <= 0xFF9F) return static_cast<uint16_t>(0xA1 + (c - 0xFF61));
        return NoCode;
    }

    Converter encoder_;
    Converter decoder_;
    bool withIconv_ = false;
    std::array<std::unique_ptr<DecodeRow>, 0x100> decode_;
    std::array<std::unique_ptr<EncodeRow>, 0x100> encode_;
};

Tables& GetTables() {
    static Tables tables;
    return tables;
}

void AppendCode(std::string& out, uint16_t code) {
    if (code >= 0x100) out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
}

}  // namespace

char32_t Cp932CodeToUnicode(uint16_t code) {
    return GetTables().Decode(code);
}

std::optional<uint16_t> UnicodeToCp932Code(char32_t character) {
    if (character >= RawCodeBase && character < RawCodeEnd) {
        return static_cast<uint16_t>(character - RawCodeBase);
    }
    if (character >= BmpEnd) return std::nullopt;
    const uint16_t code = GetTables().Encode(character);
    if (code == NoCode) return std::nullopt;
    return code;
}

std::string Cp932ToUtf8(std::string_view bytes) {
    Tables& tables = GetTables();
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
        out += EncodeUtf8(tables.Decode(code));
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
