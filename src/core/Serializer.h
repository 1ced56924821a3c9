#pragma once
// The one codec of the game files. Each record has a single Sync routine that
// names its fields in stored order; the same routine loads, saves, or
// describes the layout, so reading and writing can never drift apart.
//
// Everything is little-endian, assembled byte by byte, with no padding. A
// String is a 16-bit length followed by that many CP932 bytes; in memory it is
// UTF-8. Loading past the end of the input gives zeros (the files may be short
// or missing) and marks the serializer Short; it never reads out of bounds.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// One field of a described layout. Offsets count from where the serializer
// started; a String's size includes its length word and its text.
struct FieldInfo {
    std::string Name;  // "Items[3].ItemFlags" for fields of nested records
    size_t Offset = 0;
    size_t Size = 0;        // bytes in the file
    std::string_view Type;  // "Byte", "Integer", "Long", "Single", "Double", "String", "Bytes"
    size_t Count = 1;       // elements, for arrays; 1 otherwise
};
using Layout = std::vector<FieldInfo>;

class Serializer {
  public:
    enum class Mode { Load, Save, Describe };

    static Serializer Loading(std::span<const uint8_t> bytes);
    static Serializer Loading(std::string_view bytes);
    // The serializer only looks at the bytes: a temporary would be gone
    // before the first field is read.
    static Serializer Loading(std::string&& bytes) = delete;
    // expectedBytes: room made for the output at once (a whole file's size)
    // rather than grown by doubling.
    static Serializer Saving(size_t expectedBytes = 0);
    static Serializer Describing();

    Mode GetMode() const { return mode_; }
    bool IsLoading() const { return mode_ == Mode::Load; }
    bool IsSaving() const { return mode_ == Mode::Save; }
    bool IsDescribing() const { return mode_ == Mode::Describe; }

    void Byte(uint8_t& value, const char* name);
    void Integer(int16_t& value, const char* name);
    void Long(int32_t& value, const char* name);
    void Single(float& value, const char* name);
    void Double(double& value, const char* name);
    // Texts longer than 65535 CP932 bytes are cut to fit the length word.
    void String(std::string& value, const char* name);
    // Bytes kept exactly as stored (spare fields and records nobody reads).
    void Bytes(std::span<uint8_t> bytes, const char* name);

    // Fixed arrays, element 0 first (multi-dimensional tables are flattened
    // with their first index fastest before they get here).
    void Array(std::span<uint8_t> items, const char* name);
    void Array(std::span<int16_t> items, const char* name);
    void Array(std::span<int32_t> items, const char* name);
    void Array(std::span<float> items, const char* name);
    void Array(std::span<double> items, const char* name);
    template <class T, size_t N>
    void Array(std::array<T, N>& items, const char* name) {
        Array(std::span<T>(items), name);
    }

    // A table of records, each through its own Sync(Serializer&, R&); while
    // describing, their fields are named "name[i].Field".
    template <class R, size_t N>
    void Records(std::span<R, N> rows, const char* name) {
        for (size_t i = 0; i < rows.size(); ++i) {
            Scope scope(*this, name, i);
            Sync(*this, rows[i]);
            if (onRecord_ != nullptr) onRecord_(recordContext_, read_);
        }
    }

    // Loading: called after each record of a table with the bytes taken so
    // far, so whoever holds the input can let go of what lies behind.
    using RecordRead = void (*)(void* context, size_t bytesRead);
    void OnRecordRead(RecordRead call, void* context) {
        onRecord_ = call;
        recordContext_ = context;
    }
    template <class R, size_t N>
    void Records(std::array<R, N>& rows, const char* name) {
        Records(std::span<R, N>(rows), name);
    }

    // Prefixes the names described while it lives with "name[index]." (only
    // while describing; free otherwise).
    class Scope {
      public:
        Scope(Serializer& serializer, const char* name, size_t index);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        Serializer& serializer_;
        size_t restoreLength_;
    };

    // Bytes the layout has covered so far (read, written or described).
    size_t Position() const { return pos_; }
    // Loading: true once the input ran out before the layout did.
    bool Short() const { return short_; }
    // Loading: the bytes really taken from the input (less than Position()
    // exactly when Short()).
    size_t BytesRead() const { return read_; }

    // Saving: the bytes written so far.
    const std::string& Output() const { return output_; }
    std::string TakeOutput() { return std::move(output_); }

    // Describing: the fields seen so far.
    const Layout& Fields() const { return layout_; }

  private:
    explicit Serializer(Mode mode) : mode_(mode) {}

    template <class T>
    void Scalar(T& value, const char* name, std::string_view type);
    template <class T>
    void Elements(std::span<T> items, const char* name, std::string_view type);
    template <class T>
    void Value(T& value);
    uint64_t ReadUnsigned(size_t size);
    void WriteUnsigned(uint64_t value, size_t size);
    void Note(const char* name, std::string_view type, size_t size, size_t count);

    Mode mode_;
    std::span<const uint8_t> input_;
    std::string output_;
    Layout layout_;
    std::string prefix_;
    size_t pos_ = 0;
    size_t read_ = 0;
    bool short_ = false;
    RecordRead onRecord_ = nullptr;
    void* recordContext_ = nullptr;
};

// Whole-record helpers; each needs the record's Sync in scope (found by ADL).
template <class R>
std::string SaveRecord(const R& record) {
    R copy = record;  // Sync takes a mutable record because it also loads
    Serializer s = Serializer::Saving();
    Sync(s, copy);
    return s.TakeOutput();
}

// Returns false when the bytes ended before the record did (the rest reads 0).
template <class R>
bool LoadRecord(std::string_view bytes, R& record) {
    Serializer s = Serializer::Loading(bytes);
    Sync(s, record);
    return !s.Short();
}

// The layout of this record as it would be stored; with the default (all
// strings empty) it is the fixed layout the files use.
template <class R>
Layout DescribeRecord(const R& record = R{}) {
    R copy = record;
    Serializer s = Serializer::Describing();
    Sync(s, copy);
    return s.Fields();
}

// The stored size of a record.
template <class R>
size_t StoredSize(const R& record = R{}) {
    return SaveRecord(record).size();
}

// A text table of the layout, one field a line: offset, size, type, name.
std::string FormatLayout(const Layout& layout);

// The field (or array element) covering byte offset, or nullptr.
const FieldInfo* FieldAt(const Layout& layout, size_t offset);
const FieldInfo* FindField(const Layout& layout, std::string_view name);

// Where two stored images first differ, naming the field and element from
// layout, e.g. "byte 22: 0x12 vs 0x13 in NameCodes[7] (Integer[51] at 8)".
// Empty when they are identical.
std::string FirstDifference(std::string_view a, std::string_view b, const Layout& layout);

}  // namespace kv
