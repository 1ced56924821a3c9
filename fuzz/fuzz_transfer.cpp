// Any bytes as an earlier scenario's roster: the first byte picks the
// scenario, the rest follows the tables before the roster. Reading never
// fails badly, never offers more than 50 characters, and every character it
// offers either is refused or arrives as a sound level-1 character.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/ClassRaceTables.h"
#include "transfer/TransferCharacter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static auto game = std::make_unique<kv::Game>();
    const kv::TransferSource& source = kv::TransferSources[data[0] % kv::TransferSourceCount];
    std::string file(source.RosterOffset, '\0');
    file.append(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::vector<kv::OldCharacter> roster = kv::ReadOldRoster(file, source);
    if (roster.size() != kv::OldRosterRows) std::abort();
    const std::vector<std::string> names = kv::TransferCandidates(roster);
    if (names.size() > 50) std::abort();
    for (size_t i = 1; i <= names.size(); ++i) {
        if (kv::TransferRefusal(*game, source, roster[i])) continue;
        kv::BuildTransferredCharacter(*game, 1, source, roster[i]);
        const kv::Creature& c = game->Roster[1];
        const int race = kv::BitIndex(c.Race);
        if (c.Id != 1 || c.Level != 1 || c.Name.empty()) std::abort();
        if (race < 0 || race >= kv::RaceRows) std::abort();
        if (!(c.Exp >= 0 && c.Exp <= kv::TransferExpCap)) std::abort();
        if (!std::isfinite(c.Marks) || c.Marks < 0 || !std::isfinite(c.Walk) || c.Walk < 0)
            std::abort();
        if (c.MaxHP < 1 || c.HP != c.MaxHP || c.AC != c.BaseAC) std::abort();
    }
    return 0;
}
