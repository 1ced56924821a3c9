// The party's special commands: stealing and probing a monster's pockets,
// seeing through a group, throwing coins, dispelling and a dragon's breath.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "battle/BattleRules.h"
#include "character/CharacterRules.h"
#include "character/Inventory.h"
#include "core/Dice.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int AttributeBreath = 3;

// Skills of the special commands.

// The kinds a dispel works on, and the skill each one needs.
struct DispelKind {
    int32_t Kind;
    Skill Needs;
};
constexpr std::array<DispelKind, 3> DispelKinds = {
    {{65536, Skill::DispelSpirits}, {1024, Skill::DispelDemons}, {2, Skill::DispelUndead}}};

// A dragon's breath by its skills: the word and the attribute it carries.
struct BreathKind {
    Skill Needs;  // None: the breath without a skill
    std::string_view Word;
    int Attribute;
};
constexpr std::array<BreathKind, 3> BreathKinds = {{{Skill::ColdBreath, "吹雪の", 8},
                                                    {Skill::LightningBreath, "稲妻の", 9},
                                                    {Skill::None, "炎の", 4}}};

std::string ItemName(const Game& game, int32_t id) {
    if (id <= 0 || id >= static_cast<int32_t>(game.Items.size())) return {};
    return game.Items[static_cast<size_t>(id)].Name;
}

// The common opening of probing and stealing.
std::string PocketOpening(const Creature& actor, const Creature& monster) {
    return actor.Name + "は\n" + monster.Name + "の\nふところを探った\n";
}

std::string Dice3(const std::array<int32_t, 3>& dice) {
    return std::to_string(dice[0]) + "Ｄ" + std::to_string(dice[1]) + "＋" +
           std::to_string(dice[2]);
}

}  // namespace

void Probe(Game& game, Player& player, Creature& actor) {
    const int group = actor.TargetGroup;
    if (FirstLivingMember(game, group) == 0) return;
    const Creature& m = game.Battle.Monster(group, 1);
    std::string text = PocketOpening(actor, m);
    const bool carriesTwo = m.Items[1].ItemId > 0 && m.Items[2].ItemId > 0;
    if (Dice(game.Rng, 1, actor.Agility, 0) < 13 || !carriesTwo)
        text += "しかし何も探ることが出来なかった";
    else
        text += ItemName(game, m.Items[1].ItemId) + "か\n" + ItemName(game, m.Items[2].ItemId) +
                "\nを持っている可能性がある";
    player.Message(text);
}

void Steal(Game& game, Player& player, Creature& actor) {
    const int group = actor.TargetGroup;
    if (FirstLivingMember(game, group) == 0) return;
    const Creature& m = game.Battle.Monster(group, 1);
    std::string text = PocketOpening(actor, m);
    const int32_t first = m.Items[1].ItemId;
    const int32_t second = m.Items[2].ItemId;
    bool stolen = false;
    if (first > 0 && FirstFreeInventorySlot(actor) != 0) {
        int needed = HasSkill(actor, Skill::EasyTheft) ? 5 : 10;
        if ((game.PartyBlessings & BlessingTheft) != 0) needed -= 3;
        if (Dice(game.Rng, 1, actor.Dexterity, 0) > needed) {
            const int sides = HasSkill(actor, Skill::TakesTheBetterItem) ? 5 : 10;
            int32_t taken = Dice(game.Rng, 1, sides, 0) == 2 ? second : first;
            if (taken <= 0) taken = first;  // nothing in the second pocket
            if (AddItemToInventory(game, taken, actor, true, 1) == 0) {
                if (static_cast<size_t>(taken) < game.ItemFound.size())
                    game.ItemFound[static_cast<size_t>(taken)] += 1;
                stolen = true;
            }
        }
    }
    text += stolen ? "そしてアイテムを盗んだ！" : "しかし何も持っていなかった";
    // One attempt empties every pocket of the group.
    for (int k = 0; k <= GroupMemberCount; ++k) {
        Creature& c = game.Battle.Monster(group, k);
        c.Items[1].ItemId = 0;
        c.Items[2].ItemId = 0;
    }
    actor.Status &= ~StatusHidden;
    player.Message(text);
}

void Inspect(Game& game, Player& player, Creature& actor) {
    const int group = actor.TargetGroup;
    if (group < 1 || group > BattleGroupCount) return;
    if (Dice(game.Rng, 1, actor.IQ, 0) <= 7) {
        player.Message(actor.Name + "はみぬくことが出来なかった");
        return;
    }
    // The template shows the truth even of a group not yet identified.
    const Creature& t = game.Battle.Monster(group, 0);
    player.Message(actor.Name + "はみぬいた\n名前：" + t.Name + "\n攻撃：" + Dice3(t.DamageDice) +
                   "\nＨＰ：" + Dice3(t.HPDice) + "\nＥＸＰ：" +
                   std::to_string(static_cast<int64_t>(std::nearbyint(t.Exp))) + "\n");
    player.Message(actor.Name + "はみぬいた\n力：" + std::to_string(t.Str) + "\n知恵：" +
                   std::to_string(t.IQ) + "\n素早さ：" + std::to_string(t.Agility) + "\n運：" +
                   std::to_string(t.Luck) + "\n");
}

void ThrowCoins(Game& game, Player& player, Creature& actor) {
    const int group = actor.TargetGroup;
    if (group < 1 || group > BattleGroupCount) return;
    for (int k = 1; k <= GroupMemberCount; ++k) {
        Creature& m = game.Battle.Monster(group, k);
        if (m.Id == 0 || (m.Status & StatusDead) != 0) continue;
        int32_t c = Dice(game.Rng, 3, actor.Level, 0);
        // Too little gold left: the throw misses its mark and costs nothing.
        if (static_cast<double>(c) * 10 >= actor.Gold)
            c = 0;
        else
            actor.Gold -= static_cast<double>(c) * 10;
        m.HP -= c;
        std::string text = actor.Name + "はぜにを投げた！\n" + m.Name + "は\n" + WideNumber(c) +
                           "のダメージをうけた";
        if (m.HP < 1) text += "\n" + MonsterKilled(game, m, &actor, true);
        actor.Status &= ~StatusHidden;
        player.Message(text);
    }
}

void Dispel(Game& game, Player& player, Creature& actor) {
    const int group = actor.TargetGroup;
    if (group < 1 || group > BattleGroupCount) return;
    const Creature& t = game.Battle.Monster(group, 0);
    const bool kindMatches = std::any_of(DispelKinds.begin(), DispelKinds.end(), [&](auto& d) {
        return (t.Class & d.Kind) != 0 && HasSkill(actor, d.Needs);
    });
    if (actor.Level < t.Level || t.Identified != -1 || !kindMatches) {
        player.Message(actor.Name + "は呪いを解けなかった");
        return;
    }
    int removed = 0;
    for (int k = 1; k <= GroupMemberCount; ++k) {
        Creature& m = game.Battle.Monster(group, k);
        if (m.Id == 0 || (m.Status & StatusDead) != 0) continue;
        if (Dice(game.Rng, 1, actor.Piety, 0) + 1 <= 6) continue;
        // Sent away, not slain: nothing is earned for it.
        m.Status = StatusDead;
        ++removed;
    }
    player.Message(actor.Name + "は\n" + WideNumber(removed) + "体のモンスターをディスペルした");
}

void Breathe(Game& game, Player& player, Creature& actor) {
    const int group = actor.TargetGroup;
    if (FirstLivingMember(game, group) == 0) return;
    const BreathKind* kind = &BreathKinds.back();
    for (const BreathKind& k : BreathKinds) {
        if (k.Needs != Skill::None && HasSkill(actor, k.Needs)) {
            kind = &k;
            break;
        }
    }
    const int limit = std::min<int>(actor.Level, 10);
    actor.BreathCount += 1;
    const int number = actor.BreathCount;
    const std::string prefix = actor.Name + "は\n" + std::string(kind->Word) + "ブレスを吐いた";
    const int cap = HasSkill(actor, Skill::HottestBreath) ? 450
                    : HasSkill(actor, Skill::HotBreath)   ? 300
                                                          : 150;
    for (int k = 1; k <= GroupMemberCount; ++k) {
        Creature& m = game.Battle.Monster(group, k);
        if (m.Id == 0 || (m.Status & StatusDead) != 0) continue;
        double damage = 0;
        if (number - 1 < limit) {
            damage = (Dice(game.Rng, 1, actor.HP / 4, 0) + actor.Vitality) /
                     static_cast<double>(number) * (1 - 0.2 * game.Battle.BreathShield);
            damage = std::nearbyint(damage);
        }
        if (Dice(game.Rng, 1, m.Luck, 0) > 10) damage = std::nearbyint(damage / 2);
        damage = std::clamp(damage, 0.0, static_cast<double>(cap));
        ApplyAttributeDamage(game, player, prefix, static_cast<int32_t>(damage), actor, m,
                             AttributeBreath, kind->Attribute, 0, false);
        // A young dragon's breath reaches only the first of the group.
        if (actor.Level < 15) break;
    }
}

}  // namespace kv
