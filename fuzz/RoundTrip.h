#pragma once
// What every file reader's fuzz target checks: reading never fails badly, and
// whatever was read whole writes back as exactly the bytes it came from.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/Serializer.h"

namespace kv::fuzz {

inline void Check(bool ok) {
    if (!ok) std::abort();
}

// Reads the thing from the bytes with sync (a record's Sync or a file's
// layout) and, when the bytes held all of it, writes it back and compares.
template <class Thing, class SyncFn>
void CheckRoundTrip(std::string_view bytes, Thing& thing, SyncFn sync) {
    Serializer in = Serializer::Loading(bytes);
    sync(in, thing);
    if (in.Short()) return;
    Serializer out = Serializer::Saving();
    sync(out, thing);
    Check(out.Output() == bytes.substr(0, in.Position()));
}

// One record of type R, kept between inputs (loading sets every field).
template <class R>
void CheckRecord(std::string_view bytes) {
    static R record;
    CheckRoundTrip(bytes, record, [](Serializer& s, R& r) { Sync(s, r); });
}

// The input split into the byte that chooses what it is and the rest.
struct Choice {
    uint8_t Selector = 0;
    std::string_view Bytes;
};

inline Choice Split(const uint8_t* data, size_t size) {
    if (size == 0) return {};
    return {data[0], std::string_view(reinterpret_cast<const char*>(data + 1), size - 1)};
}

}  // namespace kv::fuzz
