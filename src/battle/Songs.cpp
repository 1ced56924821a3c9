// Songs: an instrument plays the spell its item names, with the songs' own
// resistance and their own set of effect codes.
#include <array>

#include "battle/SpellEffects.h"
#include "character/CharacterRules.h"
#include "character/Inventory.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int ConditionLost = 33;

// The songs' own codes; a code of the spells' that is not here (a heal by
// 7, a shield) does nothing when played.
// clang-format off
constexpr std::array<EffectRow, 21> SongEffects = {{
    {2, AttackGroups, 0, 0},
    {15, ConditionOnGroups, 15, 100},  // sleep
    {21, ConditionOnGroups, 21, 100},  // charm
    {23, ConditionOnGroups, 23, 100},  // silence
    {33, ConditionOnGroups, ConditionLost, 70},
    {5, PartyArmour, 0, 0},
    {60, SongCure, FullCureBits, 0},
    {74, SongFullHeal, 0, 0},
    {101, SetBlessing, BlessingFearResistance, 0},
    {102, SongDamage, 2, 0},  // by the second moon's steps
    {103, SongDamage, 1, 0},  // by the first moon's steps
    {104, SetBlessing, BlessingFewerEncounters, 0},
    {105, SetBlessing, BlessingRegeneration, 0},
    {106, SongHealFront, 0, 0},
    {113, SongHealAll, 0, 0},
    {107, BaneOfUndead, 0, 0},
    {109, SetBlessing, BlessingSamuraiMight, 0},
    {110, SetBlessing, BlessingLordMight, 0},
    {111, SetBlessing, BlessingTheft, 0},
    {112, SetBlessing, BlessingShield, 0},
    {114, SongRevival, 0, 0},
}};
// clang-format on

std::string TunePrefix(const Creature& player, const SpellDef& spell) {
    return player.Name + "は\n" + Wide(spell.Name) + std::string(ResString(Str::PlayedTune));
}

}  // namespace

bool RunSongEffect(Game& game, Player& player, SpellCast& cast) {
    if (RunEffectRow(SongEffects, game, player, cast)) return true;
    Say(player, cast, std::string(ResString(Str::NothingHappened)));
    return false;
}

void PlaySong(Game& game, Player& player, Creature& actor) {
    if (!ChosenItemStillThere(game, actor)) {
        player.Message(actor.Name + "は\n" + std::string(ResString(Str::NothingHappened)));
        return;
    }
    const int slot = actor.ItemSlot;
    const int32_t id = actor.Items[static_cast<size_t>(slot)].ItemId;
    if (id >= static_cast<int32_t>(game.Items.size())) return;
    const ItemDef& instrument = game.Items[static_cast<size_t>(id)];
    const SpellDef* row = SpellRow(game, FindSpellByCode(game, instrument.SpellNo));
    if (row == nullptr) return;
    if ((row->SpellFlags & SpellInBattle) == 0) {
        player.Message(TunePrefix(actor, *row) + "\n" +
                       std::string(ResString(Str::NothingHappened)));
        return;
    }
    if (ItemBreaks(game, instrument.UseBreakChance)) RemoveItemCount(actor, slot, 1);
    SpellCast cast{actor, *row, TunePrefix(actor, *row), actor.TargetGroup, SongResistance, true};
    RunSongEffect(game, player, cast);
}

}  // namespace kv
