// Any bytes as a save file: loading never fails badly, the state saves to at
// least a whole save, and loading that again gives the same save.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "core/SaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto game = std::make_unique<kv::Game>();
    static auto again = std::make_unique<kv::Game>();
    kv::LoadSaveBytes(*game, std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string first = kv::SaveBytes(*game);
    if (first.size() < kv::SaveFileSize) std::abort();
    if (!kv::LoadSaveBytes(*again, first)) std::abort();
    if (kv::SaveBytes(*again) != first) std::abort();
    return 0;
}
