// Any bytes as a database file: reading never fails badly, and whatever was
// read whole writes back as exactly the bytes it came from.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "core/Database.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static auto db = std::make_unique<kv::Database>();
    const auto& files = kv::DatabaseFiles();
    const kv::DatabaseFile& file = files[data[0] % files.size()];
    std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    kv::Serializer in = kv::Serializer::Loading(bytes);
    file.Sync(in, *db);
    if (in.Short()) return 0;
    kv::Serializer out = kv::Serializer::Saving();
    file.Sync(out, *db);
    if (out.Output() != bytes.substr(0, in.Position())) std::abort();
    return 0;
}
