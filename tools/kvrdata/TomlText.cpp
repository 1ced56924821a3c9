#include "TomlText.h"

#include <charconv>
#include <cmath>

namespace kv::kvrdata {

std::string QuoteToml(std::string_view utf8) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char ch : utf8) {
        const auto byte = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    out += "\\u00";
                    out += Hex[byte >> 4];
                    out += Hex[byte & 15];
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

std::string FormatTomlFloat(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    // TOML wants a fraction or an exponent in every float.
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

std::string FormatBits(uint64_t bits, int hexDigits) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out = "\"0x";
    for (int i = hexDigits - 1; i >= 0; --i) out += Hex[(bits >> (4 * i)) & 15];
    out += '"';
    return out;
}

std::string FormatIntArray(std::span<const int64_t> values, int64_t blank) {
    size_t length = values.size();
    while (length > 0 && values[length - 1] == blank) --length;
    size_t set = 0;
    for (size_t i = 0; i < length; ++i) set += values[i] != blank;

    std::string list = "[";
    for (size_t i = 0; i < length; ++i) {
        if (i > 0) list += ", ";
        list += std::to_string(values[i]);
    }
    list += "]";
    if (set * 3 >= length) return list;

    std::string indexed = "{ ";
    bool first = true;
    for (size_t i = 0; i < length; ++i) {
        if (values[i] == blank) continue;
        if (!first) indexed += ", ";
        first = false;
        indexed += std::to_string(i) + " = " + std::to_string(values[i]);
    }
    indexed += " }";
    return indexed.size() < list.size() ? indexed : list;
}

void AppendLines(std::string& out, const TomlLines& lines, std::string_view indent) {
    for (const TomlLine& line : lines) {
        out += indent;
        out += line.Key;
        out += " = ";
        out += line.Value;
        out += '\n';
    }
}

}  // namespace kv::kvrdata
