// A member's turn: fighting with one or more weapons, parrying and hiding,
// the senseless acts of a confused fighter, and the dispatch to the special
// commands.
#include <algorithm>
#include <cmath>

#include "battle/BattleRules.h"
#include "battle/SpellEngine.h"
#include "battle/MonsterActions.h"
#include "character/CharacterRules.h"
#include "character/Equipment.h"
#include "core/Dice.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int ClassNinja = 1024;
constexpr int ClassMonk = 16384;
constexpr int ItemKindWeapon = 1;

int MainHandSlot(const Creature& c) {
    for (size_t s = 1; s < c.Items.size(); ++s)
        if (c.Items[s].ItemId != 0 && (c.Items[s].ItemFlags & 7) == 1) return static_cast<int>(s);
    return 0;
}

int OffHandSlot(const Game& game, const Creature& c) {
    for (size_t s = 1; s < c.Items.size(); ++s) {
        const InventorySlot& slot = c.Items[s];
        if (slot.ItemId == 0 || (slot.ItemFlags & 31) != 2) continue;
        const ItemDef* item = WeaponIn(game, c, static_cast<int>(s));
        if (item != nullptr && (item->Kind & 255) == ItemKindWeapon) return static_cast<int>(s);
    }
    return 0;
}

bool Bewildered(const Creature& c) {
    return (c.Status & (StatusConfusion | StatusCharm)) != 0;
}

// A confused or charmed fighter strikes a random member of his own party.
Creature* RandomPartyVictim(Game& game) {
    for (int tries = 0; tries < 51 && game.PartyCount > 0; ++tries) {
        Creature* c = game.Member(Dice(game.Rng, 1, game.PartyCount, 0));
        if (c != nullptr && (c->Status & AbsentMask) == 0) return c;
    }
    return nullptr;
}

void Strike(Game& game, Player& player, Creature& actor, int slot) {
    if (Bewildered(actor)) {
        if (Creature* victim = RandomPartyVictim(game))
            PhysicalAttack(game, player, actor, *victim, slot);
        return;
    }
    const int group = actor.TargetGroup;
    const int member = FirstLivingMember(game, group);
    if (member == 0) return;
    PhysicalAttack(game, player, actor, game.Battle.Monster(group, member), slot);
}

void Senseless(Game& game, Player& player, Creature& actor) {
    switch (Dice(game.Rng, 1, 4, 0)) {
        case 1:
            player.Message(actor.Name + "は\n混乱して意味不明な言葉を発した");
            break;
        case 2: {
            const int64_t thrown = static_cast<int64_t>(std::nearbyint(actor.Gold)) / 5;
            actor.Gold -= static_cast<double>(thrown);
            player.Message(actor.Name + "は\n" + WideNumber(thrown) + "のお金を投げ捨てた");
            break;
        }
        case 3:
            UnequipAll(game, actor);
            player.Message(actor.Name + "は\n装備をすべて脱ぎ始めた");
            break;
        default:
            player.Message(actor.Name + "は\nぼんやりしている");
            break;
    }
}

void Fight(Game& game, Player& player, Creature& actor) {
    if ((actor.Status & StatusConfusion) != 0 && Dice(game.Rng, 1, 2, 0) == 1) {
        Senseless(game, player, actor);
        return;
    }
    int rounds = 1;
    if (HasSkill(actor, Skill::DoubleRound)) {
        rounds = Dice(game.Rng, 1, actor.Agility, 0) > 10 ? 2 : 1;
    } else if (HasSkill(actor, Skill::TripleRound)) {
        if (Dice(game.Rng, 1, actor.Agility, 0) >= 13)
            rounds = 3;
        else if (Dice(game.Rng, 1, actor.Agility, 0) >= 19)
            rounds = 2;
    }
    const bool manyBlows = HasSkill(actor, Skill::ManyBlows);
    for (int r = 0; r < rounds; ++r) {
        const int mainHand = MainHandSlot(actor);
        Strike(game, player, actor, mainHand);
        if (manyBlows) {
            const int extra = std::min(actor.Level / 7, 8);
            const int needed = HasSkill(actor, Skill::EasyExtraBlows) ? 5 : 10;
            for (int k = 2; k <= extra && CanAct(actor); ++k)
                if (Dice(game.Rng, 1, actor.Agility, 0) > needed)
                    Strike(game, player, actor, mainHand);
        }
        if (!CanAct(actor)) continue;
        const int offHand = OffHandSlot(game, actor);
        if (manyBlows && actor.Class == ClassMonk)
            Strike(game, player, actor, offHand);
        else if (offHand != 0)
            Strike(game, player, actor, offHand);
    }
}

void Hide(Game& game, Player& player, Creature& actor) {
    const int bonus = actor.Class == ClassNinja ? 15 : 5;
    if (Dice(game.Rng, 1, 100, 0) <
        Dice(game.Rng, 1, actor.Level + actor.Agility + actor.Luck, 0) + bonus) {
        actor.Status |= StatusHidden;
        player.Message(actor.Name + "は影に隠れた");
    } else {
        player.Message(actor.Name + "は隠れることが出来なかった");
    }
}

}  // namespace

void RunPartyAction(Game& game, Player& player, Creature& actor) {
    if (!CanAct(actor)) return;
    const int command = Bewildered(actor) ? int{CommandFight} : int{actor.Command};
    switch (command) {
        case CommandFight:
            Fight(game, player, actor);
            break;
        case CommandHide:
            Hide(game, player, actor);
            break;
        case CommandSteal:
            Steal(game, player, actor);
            // A cutpurse follows the theft with a blow.
            if (HasSkill(actor, Skill::StealAndStrike) && actor.TargetGroup != 0 && CanAct(actor))
                Strike(game, player, actor, MainHandSlot(actor));
            break;
        case CommandProbe:
            Probe(game, player, actor);
            break;
        case CommandInspect:
            Inspect(game, player, actor);
            break;
        case CommandCoins:
            ThrowCoins(game, player, actor);
            break;
        case CommandDispel:
            Dispel(game, player, actor);
            break;
        case CommandBreath:
            Breathe(game, player, actor);
            break;
        case CommandSpell:
            CastSpell(game, player, actor);
            break;
        case CommandChainSpell:
            CastSpellTwice(game, player, actor);
            break;
        case CommandItem:
            UseItemInBattle(game, player, actor);
            break;
        case CommandSong:
            PlaySong(game, player, actor);
            break;
        case CommandSummon:
            SummonMonsters(game, player, actor);
            break;
        // Parrying changes only how the monsters choose whom to strike.
        case CommandParry:
        default:
            break;
    }
    actor.Command = 0;
    actor.Initiative = 0;
}

}  // namespace kv
