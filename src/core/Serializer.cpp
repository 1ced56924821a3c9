#include "core/Serializer.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <iomanip>
#include <limits>
#include <sstream>
#include <type_traits>

#include "core/Cp932.h"

namespace kv {

namespace {

constexpr size_t MaxStringBytes = std::numeric_limits<uint16_t>::max();

template <size_t Size>
struct UnsignedOf;
template <>
struct UnsignedOf<1> {
    using Type = uint8_t;
};
template <>
struct UnsignedOf<2> {
    using Type = uint16_t;
};
template <>
struct UnsignedOf<4> {
    using Type = uint32_t;
};
template <>
struct UnsignedOf<8> {
    using Type = uint64_t;
};

std::string EncodeForFile(std::string_view utf8) {
    std::string bytes = Utf8ToCp932(utf8);
    if (bytes.size() > MaxStringBytes) bytes.resize(MaxStringBytes);
    return bytes;
}

std::string Hex(uint8_t byte) {
    std::ostringstream out;
    out << "0x" << std::hex << std::uppercase << std::setw(2) << std::setfill('0')
        << static_cast<int>(byte);
    return out.str();
}

// "Integer[51]" for arrays and raw bytes, the plain type otherwise.
std::string TypeText(const FieldInfo& field) {
    std::string text(field.Type);
    if (field.Count > 1 || field.Type == "Bytes") {
        text += '[';
        text += std::to_string(field.Count);
        text += ']';
    }
    return text;
}

// "NameCodes[7] (Integer[51] at 8)" for the element of field covering offset.
std::string DescribeFieldAt(const FieldInfo& field, size_t offset) {
    std::ostringstream out;
    out << field.Name;
    if (field.Count > 1) out << '[' << (offset - field.Offset) / (field.Size / field.Count) << ']';
    out << " (" << TypeText(field) << " at " << field.Offset << ')';
    return out.str();
}

}  // namespace

Serializer Serializer::Loading(std::span<const uint8_t> bytes) {
    Serializer s(Mode::Load);
    s.input_ = bytes;
    return s;
}

Serializer Serializer::Loading(std::string_view bytes) {
    return Loading(
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

Serializer Serializer::Saving(size_t expectedBytes) {
    Serializer s(Mode::Save);
    s.output_.reserve(expectedBytes);
    return s;
}

Serializer Serializer::Describing() {
    return Serializer(Mode::Describe);
}

Serializer::Scope::Scope(Serializer& serializer, const char* name, size_t index)
    : serializer_(serializer), restoreLength_(serializer.prefix_.size()) {
    if (!serializer_.IsDescribing()) return;
    serializer_.prefix_ += name;
    serializer_.prefix_ += '[';
    serializer_.prefix_ += std::to_string(index);
    serializer_.prefix_ += "].";
}

Serializer::Scope::~Scope() {
    serializer_.prefix_.resize(restoreLength_);
}

uint64_t Serializer::ReadUnsigned(size_t size) {
    uint64_t value = 0;
    for (size_t i = 0; i < size; ++i) {
        if (read_ < input_.size() && read_ == pos_ + i) {
            value |= static_cast<uint64_t>(input_[read_]) << (8 * i);
            ++read_;
        } else {
            short_ = true;
        }
    }
    pos_ += size;
    return value;
}

void Serializer::WriteUnsigned(uint64_t value, size_t size) {
    for (size_t i = 0; i < size; ++i) output_.push_back(static_cast<char>(value >> (8 * i)));
    pos_ += size;
}

void Serializer::Note(const char* name, std::string_view type, size_t size, size_t count) {
    layout_.push_back(FieldInfo{prefix_ + name, pos_, size, type, count});
    pos_ += size;
}

template <class T>
void Serializer::Value(T& value) {
    using U = typename UnsignedOf<sizeof(T)>::Type;
    if (mode_ == Mode::Load) {
        value = std::bit_cast<T>(static_cast<U>(ReadUnsigned(sizeof(T))));
    } else {
        WriteUnsigned(std::bit_cast<U>(value), sizeof(T));
    }
}

template <class T>
void Serializer::Scalar(T& value, const char* name, std::string_view type) {
    if (mode_ == Mode::Describe) {
        Note(name, type, sizeof(T), 1);
    } else {
        Value(value);
    }
}

template <class T>
void Serializer::Elements(std::span<T> items, const char* name, std::string_view type) {
    if (mode_ == Mode::Describe) {
        Note(name, type, sizeof(T) * items.size(), items.size());
        return;
    }
    // On a little-endian machine the stored bytes are the values' own bytes,
    // so a whole array moves in one copy (the maps and tables are hundreds of
    // kilobytes; byte by byte they were most of the cost of loading).
    static_assert(std::is_trivially_copyable_v<T>);
    if constexpr (std::endian::native == std::endian::little) {
        const size_t bytes = sizeof(T) * items.size();
        if (mode_ == Mode::Save) {
            output_.append(reinterpret_cast<const char*>(items.data()), bytes);
            pos_ += bytes;
            return;
        }
        const size_t left = read_ == pos_ ? input_.size() - std::min(read_, input_.size()) : 0;
        if (left >= bytes) {
            if (bytes > 0) std::memcpy(items.data(), input_.data() + read_, bytes);
            read_ += bytes;
            pos_ += bytes;
            return;
        }
        if (left == 0) {  // past the end: all zeros
            if (bytes > 0) std::memset(static_cast<void*>(items.data()), 0, bytes);
            short_ = true;
            pos_ += bytes;
            return;
        }
    }
    for (T& item : items) Value(item);
}

void Serializer::Byte(uint8_t& value, const char* name) {
    Scalar(value, name, "Byte");
}
void Serializer::Integer(int16_t& value, const char* name) {
    Scalar(value, name, "Integer");
}
void Serializer::Long(int32_t& value, const char* name) {
    Scalar(value, name, "Long");
}
void Serializer::Single(float& value, const char* name) {
    Scalar(value, name, "Single");
}
void Serializer::Double(double& value, const char* name) {
    Scalar(value, name, "Double");
}

void Serializer::String(std::string& value, const char* name) {
    switch (mode_) {
        case Mode::Describe:
            Note(name, "String", 2 + EncodeForFile(value).size(), 1);
            return;
        case Mode::Save: {
            const std::string bytes = EncodeForFile(value);
            WriteUnsigned(bytes.size(), 2);
            output_ += bytes;
            pos_ += bytes.size();
            return;
        }
        case Mode::Load: {
            const auto length = static_cast<size_t>(ReadUnsigned(2));
            // A length running past the end takes what is there; the rest of
            // the layout then reads as zeros.
            const size_t start = std::min(read_, input_.size());
            const size_t available = read_ == pos_ ? std::min(length, input_.size() - start) : 0;
            if (available < length) short_ = true;
            value = Cp932ToUtf8(
                std::string_view(reinterpret_cast<const char*>(input_.data()) + start, available));
            read_ += available;
            pos_ += length;
            return;
        }
    }
}

void Serializer::Bytes(std::span<uint8_t> bytes, const char* name) {
    Elements(bytes, name, "Bytes");
}

void Serializer::Array(std::span<uint8_t> items, const char* name) {
    Elements(items, name, "Byte");
}
void Serializer::Array(std::span<int16_t> items, const char* name) {
    Elements(items, name, "Integer");
}
void Serializer::Array(std::span<int32_t> items, const char* name) {
    Elements(items, name, "Long");
}
void Serializer::Array(std::span<float> items, const char* name) {
    Elements(items, name, "Single");
}
void Serializer::Array(std::span<double> items, const char* name) {
    Elements(items, name, "Double");
}

std::string FormatLayout(const Layout& layout) {
    std::ostringstream out;
    out << std::setw(8) << "offset" << std::setw(7) << "size"
        << "  " << std::left << std::setw(14) << "type"
        << "name\n"
        << std::right;
    for (const FieldInfo& field : layout) {
        out << std::setw(8) << field.Offset << std::setw(7) << field.Size << "  " << std::left
            << std::setw(14) << TypeText(field) << field.Name << '\n'
            << std::right;
    }
    return out.str();
}

const FieldInfo* FieldAt(const Layout& layout, size_t offset) {
    for (const FieldInfo& field : layout) {
        if (offset >= field.Offset && offset < field.Offset + field.Size) return &field;
    }
    return nullptr;
}

const FieldInfo* FindField(const Layout& layout, std::string_view name) {
    for (const FieldInfo& field : layout) {
        if (field.Name == name) return &field;
    }
    return nullptr;
}

std::string FirstDifference(std::string_view a, std::string_view b, const Layout& layout) {
    const size_t common = std::min(a.size(), b.size());
    size_t at = 0;
    while (at < common && a[at] == b[at]) ++at;
    if (at == common && a.size() == b.size()) return {};

    std::ostringstream out;
    out << "byte " << at << ": ";
    if (at < common) {
        out << Hex(static_cast<uint8_t>(a[at])) << " vs " << Hex(static_cast<uint8_t>(b[at]));
    } else {
        out << "lengths " << a.size() << " vs " << b.size();
    }
    if (const FieldInfo* field = FieldAt(layout, at)) {
        out << " in " << DescribeFieldAt(*field, at);
    } else {
        out << " outside the layout";
    }
    return out.str();
}

}  // namespace kv
