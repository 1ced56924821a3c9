#include "character/Party.h"

#include <array>
#include <charconv>
#include <cmath>
#include <span>

#include "core/Names.h"
#include "core/PartyPanel.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int FirstSlot = 1;
constexpr int LastSlot = 50;

struct JoinRule {
    int PartyMask;
    int FirstOpened;
    int AfterJoin;
};
// Mixed parties hold only while nobody else joins: 秩序 and 混沌 together
// still take 中立 on a fresh list, and nobody once the list is rebuilt.
constexpr std::array<JoinRule, 4> JoinRules = {{
    {AlignNeutral, AlignLawful | AlignNeutral | AlignChaotic,
     AlignLawful | AlignNeutral | AlignChaotic},
    {AlignLawful | AlignNeutral, AlignLawful | AlignNeutral, AlignLawful | AlignNeutral},
    {AlignNeutral | AlignChaotic, AlignNeutral | AlignChaotic, AlignNeutral | AlignChaotic},
    {AlignLawful | AlignNeutral | AlignChaotic, AlignNeutral, AlignNobody},
}};

bool ValidSlot(int slot) {
    return slot >= FirstSlot && slot <= LastSlot;
}

// The whole number in plain digits, nothing at all for zero.
std::string Digits(double value) {
    if (!(value >= 1)) return "";
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 0);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace

int JoinableAlignments(int partyMask, bool rebuiltAfterJoin) {
    for (const JoinRule& rule : JoinRules) {
        if (rule.PartyMask == partyMask)
            return rebuiltAfterJoin ? rule.AfterJoin : rule.FirstOpened;
    }
    // A member with an alignment outside the three bits: the known bits decide.
    return JoinableAlignments((partyMask & (AlignLawful | AlignChaotic)) | AlignNeutral,
                              rebuiltAfterJoin);
}

int CurrentPartyAlignmentMask(const Game& game) {
    std::array<uint8_t, MaxPartySize> alignments{};
    size_t count = 0;
    for (int i = 1; i <= game.PartyCount && count < alignments.size(); ++i) {
        const int slot = game.PartyList[static_cast<size_t>(i)];
        if (ValidSlot(slot)) alignments[count++] = game.Roster[static_cast<size_t>(slot)].Alignment;
    }
    return PartyAlignmentMask(std::span<const uint8_t>(alignments.data(), count));
}

bool JoinParty(Game& game, int id) {
    if (!ValidSlot(id) || game.PartyCount >= MaxPartySize) return game.PartyCount >= MaxPartySize;
    ++game.PartyCount;
    Creature& c = game.Roster[static_cast<size_t>(id)];
    c.Place = 1;
    c.Floor = 0;
    c.PartyNo = static_cast<uint8_t>(game.CurrentPartyNo);
    c.PartyPos = static_cast<uint8_t>(game.PartyCount);
    game.PartyList[static_cast<size_t>(game.PartyCount)] = static_cast<int16_t>(id);
    return game.PartyCount >= MaxPartySize;
}

void LeaveParty(Game& game, int slot) {
    if (!ValidSlot(slot)) return;
    Creature& c = game.Roster[static_cast<size_t>(slot)];
    c.Place = 0;
    c.Floor = 0;
    c.PartyNo = 0;
    c.PartyPos = 0;
    // The others close up at once, so the list never names a leaver.
    RebuildPartyList(game);
}

void DissolveParty(Game& game) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        const int slot = game.PartyList[static_cast<size_t>(i)];
        if (!ValidSlot(slot)) continue;
        Creature& c = game.Roster[static_cast<size_t>(slot)];
        c.Place = 0;
        c.Floor = 0;
        c.PartyNo = 0;
    }
    game.PartyCount = 0;
    game.PartyList.fill(0);
    game.CurrentPlace = 2;
}

bool IsPartyWiped(const Game& game, int partyNo) {
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        const Creature& c = game.Roster[static_cast<size_t>(slot)];
        if (c.PartyNo == partyNo && (c.Status & DownMask) == 0) return false;
    }
    return true;
}

bool RefuseEmptyParty(const Game& game, Player& player) {
    if (game.PartyCount > 0) return false;
    player.Message(ResString(Str::NoParty));
    return true;
}

std::string GoldShareMessage(double share) {
    return "お金を山分けしました\r一人" + Wide(Digits(share)) + "です";
}

double ShareGold(Game& game, Player& player) {
    if (game.PartyCount <= 0) return 0;
    // Summed exactly: a single-precision sum would lose gold past 16 777 216.
    double total = 0;
    for (int i = 1; i <= game.PartyCount; ++i) {
        const int slot = game.PartyList[static_cast<size_t>(i)];
        if (ValidSlot(slot)) total += game.Roster[static_cast<size_t>(slot)].Gold;
    }
    const double share = std::floor(total / game.PartyCount);
    for (int i = 1; i <= game.PartyCount; ++i) {
        const int slot = game.PartyList[static_cast<size_t>(i)];
        if (ValidSlot(slot)) game.Roster[static_cast<size_t>(slot)].Gold = share;
    }
    player.Message(GoldShareMessage(share));
    return share;
}

}  // namespace kv
