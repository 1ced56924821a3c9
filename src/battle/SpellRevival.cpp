// The revival spells: a raise that may turn the body to ashes, a full
// revival that may leave nothing, the mass revival that costs the caster a
// level, and the song that brings back the fallen.
#include "battle/SpellEffects.h"
#include "character/CharacterRules.h"
#include "core/Dice.h"
#include "core/StringTable.h"

namespace kv {

namespace {

// The mark a revival keeps on a member who bore it.
constexpr int32_t KeptOnRevival = 524288;

std::string Nothing() {
    return std::string(ResString(Str::NothingHappened));
}

void Ashes(Player& player, const SpellCast& cast, Creature& c) {
    c.Status = (c.Status & ~StatusDead) | StatusAshes;
    c.HP = 0;
    player.Message(cast.Prefix + "\n" + c.Name + std::string(ResString(Str::TurnedToAshes)));
}

void Restore(Player& player, const SpellCast& cast, Creature& c) {
    c.Status &= KeptOnRevival;
    c.HP = c.MaxHP;
    player.Message(cast.Prefix + "\n" + c.Name + "は\n生き返った");
}

// One member's full revival: the dead or ashes live on success; a failure
// turns the dead to ashes and ashes to nothing.
void ReviveFully(Game& game, Player& player, const SpellCast& cast, Creature& c, bool succeeded) {
    if ((c.Status & StatusLost) != 0 || (c.Status & (StatusDead | StatusAshes)) == 0) {
        Say(player, cast, Nothing());
        return;
    }
    if (succeeded) {
        Restore(player, cast, c);
    } else if ((c.Status & StatusAshes) != 0) {
        c.Status |= StatusLost | StatusDead;
        Say(player, cast, c.Name + "は\n" + std::string(ResString(Str::Vanished)));
    } else {
        Ashes(player, cast, c);
    }
    (void)game;
}

}  // namespace

void Revive(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    for (Creature* c : SpellMembers(game, cast, false)) {
        if (VoidsSpell(player, cast, *c)) continue;
        if ((c->Status & (StatusAshes | StatusLost)) != 0 || (c->Status & StatusDead) == 0) {
            Say(player, cast, Nothing());
        } else if (Dice(game.Rng, 1, c->Vitality, 0) > 5) {
            c->Status &= ~StatusDead;
            c->HP = 1;
            Say(player, cast, c->Name + "は\n生き返った");
        } else {
            Ashes(player, cast, *c);
        }
    }
}

void FullRevival(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    for (Creature* c : SpellMembers(game, cast, false)) {
        if (VoidsSpell(player, cast, *c)) continue;
        ReviveFully(game, player, cast, *c, Dice(game.Rng, 1, c->Vitality, 0) > 4);
    }
}

void MassRevival(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    constexpr int LevelNeeded = 20;
    if (cast.Caster.Level < LevelNeeded) {
        Say(player, cast, Nothing());
        return;
    }
    DrainLevels(game, cast.Caster, 1);
    for (Creature* c : SpellMembers(game, cast, true)) {
        if (VoidsSpell(player, cast, *c)) continue;
        if ((c->Status & (StatusDead | StatusAshes)) == 0 || (c->Status & StatusLost) != 0)
            continue;  // only the fallen are named
        ReviveFully(game, player, cast, *c, Dice(game.Rng, 1, c->Vitality, 0) >= 5);
    }
}

void SongRevival(Game& game, Player& player, SpellCast& cast, int32_t, int) {
    for (Creature* c : SpellMembers(game, cast, true)) {
        if (VoidsSpell(player, cast, *c)) continue;
        if ((c->Status & StatusLost) == 0 && (c->Status & (StatusDead | StatusAshes)) != 0)
            Restore(player, cast, *c);
        else
            Say(player, cast, c->Name + "は\n効果が無い");
    }
}

}  // namespace kv
