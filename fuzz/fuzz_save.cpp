// Any bytes as a save, or as one character of its roster.
//
// The first byte chooses what the rest is. Most inputs are one roster
// record: it must write back as the bytes it came from, and its coded name
// must decode, encode and decode to the same name. Some are a whole save laid
// out with its tables cut to a few rows (the layout code is the same, every
// table being as long as its vector). A few go through the real reader and
// writer of the whole 400 KB save: loading never fails badly, the state saves
// to at least a whole save, and loading that again gives the same save.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "RoundTrip.h"
#include "core/NameCoding.h"
#include "core/SaveFile.h"

namespace kv::fuzz {
namespace {

constexpr size_t NameFirst = 1;
constexpr size_t NameLast = 50;

void CheckRosterRecord(std::string_view bytes) {
    static Creature character;
    CheckRoundTrip(bytes, character, [](Serializer& s, Creature& c) { Sync(s, c); });
    const std::string name = DecodeName(character.NameCodes, NameFirst, NameLast);
    std::array<int16_t, 51> codes{};
    EncodeName(name, codes, NameFirst, NameLast);
    Check(DecodeName(codes, NameFirst, NameLast) == name);
}

SavedState MakeMiniature() {
    SavedState state;
    state.MonsterKillCount.resize(3);
    state.ItemFound.resize(3);
    state.Stock.resize(3);
    state.SeenWalls.resize(5);
    state.SeenDoors.resize(5);
    state.Roster.resize(3);
    return state;
}

void CheckMiniatureSave(std::string_view bytes) {
    static SavedState miniature = MakeMiniature();
    CheckRoundTrip(bytes, miniature, SyncSaveFile);
}

void CheckWholeSave(std::string_view bytes) {
    static auto game = std::make_unique<Game>();
    static auto again = std::make_unique<Game>();
    LoadSaveBytes(*game, bytes);
    const std::string first = SaveBytes(*game);
    Check(first.size() >= SaveFileSize);
    Check(LoadSaveBytes(*again, first));
    Check(SaveBytes(*again) == first);
}

// What each value of the first byte means: the real save is slow (its
// tables are most of a megabyte), so one value of the 256 asks for it.
void (*Choose(uint8_t selector))(std::string_view) {
    if (selector == 255) return CheckWholeSave;
    if (selector % 4 == 3) return CheckMiniatureSave;
    return CheckRosterRecord;
}

}  // namespace
}  // namespace kv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const kv::fuzz::Choice input = kv::fuzz::Split(data, size);
    kv::fuzz::Choose(input.Selector)(input.Bytes);
    return 0;
}
