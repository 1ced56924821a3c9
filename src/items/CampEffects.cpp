// The effect codes a spell has outside battle, one routine per kind of
// effect and one table saying which code runs which routine with what.
#include "items/CampEffects.h"

#include <algorithm>
#include <vector>

#include "character/CharacterRules.h"
#include "character/SpellBook.h"
#include "core/Dice.h"
#include "core/MazeMap.h"
#include "core/PartyBits.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int16_t ImmuneRace = 256;  // every spell aimed at the party is void for them
constexpr int32_t KeptOnRevival = 0x80000;
constexpr int ReturnBlockedPlace = 23;  // the return spell fails on floors 3..5 there
constexpr int ReturnBlockedTop = 3;
constexpr int ReturnBlockedBottom = 5;
constexpr int RaiseFailsBelow = 5;
constexpr int ResurrectFailsBelow = 4;
constexpr int GreatProtection = 5;
constexpr std::string_view ChoosePrompt = "キャラクターを選んでください";

// The conditions a full cure clears (disease too with the caster's skill).
constexpr int32_t FullCureBits = StatusSleep | StatusParalysis | StatusFear | StatusConfusion |
                                 StatusFrozen | StatusShock | StatusCharm | StatusPoison |
                                 StatusSilence | StatusBlind | StatusStone | StatusDeadlyPoison;

std::string Word(Str text) {
    return std::string(ResString(text));
}

void Tell(CampCast& cast, std::string_view text) {
    cast.ThePlayer.Message(text);
}

std::vector<Creature*> Members(Game& game) {
    std::vector<Creature*> members;
    for (int i = 1; i <= game.PartyCount; ++i)
        if (Creature* c = game.Member(i)) members.push_back(c);
    return members;
}

std::string HitPoints(const Creature& c) {
    return WideNumber(c.HP) + "/" + WideNumber(c.MaxHP);
}

// A member of the immune race says so and is left alone.
bool Voids(CampCast& cast, const Creature& c, Str text = Str::SpellNullified) {
    if ((c.Race & ImmuneRace) == 0) return false;
    Tell(cast, c.Name + Word(text));
    return true;
}

// The member the player chooses, or nullptr when he cancels (or the
// chosen one is immune, which has been said).
Creature* Chosen(CampCast& cast) {
    const int slot = cast.ThePlayer.ChooseMember(ChoosePrompt);
    Creature* c = cast.TheGame.Character(slot);
    if (c == nullptr || Voids(cast, *c)) return nullptr;
    return c;
}

// One chosen member, or every member when the caster cures the group.
std::vector<Creature*> CureTargets(CampCast& cast) {
    if (HasSkill(cast.Caster, Skill::GroupCaster)) {
        std::vector<Creature*> reached;
        for (Creature* c : Members(cast.TheGame))
            if (!Voids(cast, *c)) reached.push_back(c);
        return reached;
    }
    if (Creature* c = Chosen(cast)) return {c};
    return {};
}

// --- the routines; value is what the table gives each code ---

CampOutcome Raise(CampCast& cast, int32_t) {
    Creature* c = Chosen(cast);
    if (c == nullptr) return CampOutcome::Stay;
    if ((c->Status & (StatusLost | StatusAshes)) != 0 || (c->Status & StatusDead) == 0) {
        Tell(cast, Word(Str::NothingHappened));
    } else if (Dice(cast.TheGame.Rng, 1, c->Vitality, 0) < RaiseFailsBelow) {
        c->Status = StatusAshes;
        Tell(cast, c->Name + Word(Str::TurnedToAshes));
    } else {
        c->Status &= ~StatusDead;
        c->HP = 1;
        ++c->Revivals;
        Tell(cast, Said(*c, Word(Str::Recovered)));
    }
    return CampOutcome::Stay;
}

CampOutcome Resurrect(CampCast& cast, int32_t) {
    Creature* c = Chosen(cast);
    if (c == nullptr) return CampOutcome::Stay;
    if ((c->Status & StatusLost) != 0 || (c->Status & (StatusDead | StatusAshes)) == 0) {
        Tell(cast, Word(Str::NothingHappened));
        return CampOutcome::Stay;
    }
    if (Dice(cast.TheGame.Rng, 1, c->Vitality, 0) >= ResurrectFailsBelow) {
        c->Status &= KeptOnRevival;
        c->HP = c->MaxHP;
        ++c->Revivals;
        Tell(cast, Said(*c, Word(Str::Recovered)));
        return CampOutcome::Stay;
    }
    if ((c->Status & StatusAshes) == 0) {
        c->Status = StatusAshes;
        Tell(cast, c->Name + Word(Str::TurnedToAshes));
        return CampOutcome::Stay;
    }
    // The message is built before the slot is wiped, and the wiped slot
    // leaves the party list at once so no one trades into it.
    Tell(cast, c->Name + Word(Str::Vanished));
    Game& game = cast.TheGame;
    const int slot = static_cast<int>(c - game.Roster.data());
    *c = game.Roster[0];
    int kept = 0;
    for (int i = 1; i <= game.PartyCount; ++i) {
        const int16_t member = game.PartyList[static_cast<size_t>(i)];
        if (member != slot) game.PartyList[static_cast<size_t>(++kept)] = member;
    }
    for (int i = kept + 1; i <= game.PartyCount; ++i) game.PartyList[static_cast<size_t>(i)] = 0;
    game.PartyCount = static_cast<int16_t>(kept);
    return CampOutcome::Stay;
}

CampOutcome FullRevival(CampCast& cast, int32_t) {
    Creature* c = Chosen(cast);
    if (c == nullptr) return CampOutcome::Stay;
    if ((c->Status & StatusLost) != 0 || (c->Status & (StatusDead | StatusAshes)) == 0) {
        Tell(cast, Word(Str::NothingHappened));
        return CampOutcome::Stay;
    }
    c->Status &= KeptOnRevival;
    c->HP = c->MaxHP;
    ++c->Revivals;
    DrainLevels(cast.TheGame, cast.Caster, 1);
    Tell(cast, Said(*c, Word(Str::Recovered)));
    return CampOutcome::Stay;
}

CampOutcome Mapping(CampCast& cast, int32_t) {
    cast.Host.ShowAutomap();
    // Only a point that was spent comes back: an item's cast cost none.
    if (cast.ByCharacter && HasSkill(cast.Caster, Skill::MapRefund) &&
        IsSpellIndex(cast.Spell.School, cast.Spell.SpellLevel, cast.Spell.Slot))
        ++cast.Caster.MPAt(cast.Spell.School, cast.Spell.SpellLevel);
    return CampOutcome::Stay;
}

CampOutcome Protection(CampCast& cast, int32_t) {
    Game& game = cast.TheGame;
    const int amount = cast.Spell.SpellDice[0];
    const int32_t bit = amount == GreatProtection ? PartyEffectProtection2 : PartyEffectProtection;
    if ((game.PartyEffects & bit) != 0) {
        Tell(cast, "すでに効いている");
        return CampOutcome::Stay;
    }
    game.PartyEffects |= bit;
    for (Creature* c : Members(game)) c->AC = c->BaseAC - amount;
    Tell(cast, Word(Str::Cast));
    return CampOutcome::Stay;
}

CampOutcome PartyEffectOn(CampCast& cast, int32_t bit) {
    cast.TheGame.PartyEffects |= bit;
    Tell(cast, bit == PartyEffectLevitation ? "浮かんだ" : Word(Str::Cast));
    return bit == PartyEffectCallMonsters ? CampOutcome::CloseDialog : CampOutcome::Stay;
}

CampOutcome FewerMonsters(CampCast& cast, int32_t) {
    cast.TheGame.PartyBlessings |= BlessingFewerEncounters;
    Tell(cast, "パーティの周囲から魔物の気配が少なくなった");
    return CampOutcome::Stay;
}

CampOutcome HealOne(CampCast& cast, int32_t) {
    Creature* c = Chosen(cast);
    if (c == nullptr) return CampOutcome::Stay;
    const int32_t amount = SpellDamage(cast.TheGame, cast.Caster, *c, cast.Spell, 0);
    const std::string text = HealCreature(*c, amount);
    Tell(cast, text + "\n" + HitPoints(*c));
    return CampOutcome::Stay;
}

CampOutcome HealEvery(CampCast& cast, int32_t withPoints) {
    for (Creature* c : Members(cast.TheGame)) {
        if (Voids(cast, *c, Str::NoEffect)) continue;
        const int32_t amount = SpellDamage(cast.TheGame, cast.Caster, *c, cast.Spell, 0);
        std::string text = HealCreature(*c, amount);
        if (withPoints != 0 && (c->Status & NoHealMask) == 0 && c->HP < c->MaxHP)
            text += "\n" + HitPoints(*c);
        Tell(cast, text);
    }
    return CampOutcome::Stay;
}

CampOutcome Cure(CampCast& cast, int32_t bits) {
    for (Creature* c : CureTargets(cast)) {
        c->Status &= ~bits;
        Tell(cast, Said(*c, Word(Str::Recovered)));
    }
    return CampOutcome::Stay;
}

CampOutcome FullCure(CampCast& cast, int32_t) {
    Creature* c = Chosen(cast);
    if (c == nullptr) return CampOutcome::Stay;
    if ((c->Status & GoneMask) != 0) {
        Tell(cast, c->Name + Word(Str::NoEffect));
        return CampOutcome::Stay;
    }
    int32_t cured = FullCureBits;
    if (HasSkill(cast.Caster, Skill::CureDisease)) cured |= StatusDisease;
    c->Status &= ~cured;
    // "Unlimited" is what is missing: adding a huge number would overflow.
    const std::string text = HealCreature(*c, std::max(0, c->MaxHP - c->HP));
    Tell(cast, text + "\n" + HitPoints(*c));
    return CampOutcome::Stay;
}

CampOutcome CureEvery(CampCast& cast, int32_t) {
    for (Creature* c : Members(cast.TheGame)) {
        if (Voids(cast, *c)) continue;
        if ((c->Status & GoneMask) != 0) {
            Tell(cast, c->Name + Word(Str::NoEffect));
        } else if ((c->Status & StatusDisease) != 0) {
            Tell(cast, Said(*c, "病気なので回復できない"));
        } else {
            c->Status &= ~FullCureBits;
            c->HP = c->MaxHP;
            Tell(cast, c->Name + Word(Str::FullyHealed));
        }
    }
    return CampOutcome::Stay;
}

// Every member with one of the bits is cured; the rest hear it had no effect.
CampOutcome CureAfflicted(CampCast& cast, int32_t bits) {
    for (Creature* c : Members(cast.TheGame)) {
        if (Voids(cast, *c)) continue;
        if ((c->Status & bits) != 0) {
            c->Status &= ~bits;
            Tell(cast, Said(*c, bits == StatusBlind ? Word(Str::Recovered) : "解毒された"));
        } else {
            Tell(cast, Said(*c, "効果が無い"));
        }
    }
    return CampOutcome::Stay;
}

CampOutcome Locate(CampCast& cast, int32_t) {
    Game& game = cast.TheGame;
    std::vector<std::string> names;
    std::vector<int32_t> slots;
    for (int slot = 1; slot < RosterRows; ++slot) {
        const Creature& c = game.Roster[static_cast<size_t>(slot)];
        if (c.Id == 0 || c.Name.empty()) continue;
        names.push_back(c.Name);
        slots.push_back(slot);
    }
    const int slot = cast.ThePlayer.ChooseFromList(names, slots, "だれを探しますか？");
    const Creature* found = game.Character(slot);
    if (found == nullptr || found->Id == 0) {
        Tell(cast, Word(Str::Whoops));
        return CampOutcome::Stay;
    }
    const DialogTitle titled(cast.ThePlayer, ResString(Str::WhereNow));
    if (found->Floor == 0) {
        Tell(cast, found->Name + "は現在\n城内にいます");
    } else if (found == &cast.Caster) {
        Tell(cast, Said(*found, "自分だ！"));
    } else if (found->PartyNo == cast.Caster.PartyNo) {
        Tell(cast, Said(*found, "目の前にいる！"));
    } else {
        Tell(cast, found->Name + "は現在\n城から東に　" + WideNumber(found->PosX) + "南に" +
                       WideNumber(found->PosY) + "\n地下" + WideNumber(found->Floor) +
                       "階にいます");
    }
    return CampOutcome::Stay;
}

CampOutcome ChooseOnly(CampCast& cast, int32_t) {
    Chosen(cast);
    return CampOutcome::Stay;
}

CampOutcome Open(CampCast&, int32_t outcome) {
    return static_cast<CampOutcome>(outcome);
}

CampOutcome ReturnToEntrance(CampCast& cast, int32_t) {
    Game& game = cast.TheGame;
    if (game.CurrentPlace == ReturnBlockedPlace && game.CurrentFloor >= ReturnBlockedTop &&
        game.CurrentFloor <= ReturnBlockedBottom) {
        Tell(cast, "しかし呪文はかき消された");
        return CampOutcome::Stay;
    }
    Tell(cast, Word(Str::Cast));
    if (cast.Host.MoveParty(1, 0, 0)) {
        cast.Host.Save();
        cast.Saved = true;
    }
    return CampOutcome::CloseDialog;
}

CampOutcome ExperienceCheck(CampCast& cast, int32_t) {
    Creature* c = Chosen(cast);
    if (c == nullptr) return CampOutcome::Stay;
    const double next = ExpForLevel(c->Level, c->Class, c->Race);
    // At exactly the experience needed the inn levels him up: nothing to go.
    if (next > c->Exp) {
        Tell(cast, "つぎのＬＶまで\n" + WideNumber(static_cast<int64_t>(next - c->Exp)) + "です");
    } else {
        Tell(cast, c->Name + "はＬＶが上がります");
    }
    return CampOutcome::Stay;
}

CampOutcome LookAhead(CampCast& cast, int32_t) {
    const Game& game = cast.TheGame;
    static constexpr std::array<int, 4> StepX = {0, 1, 0, -1};
    static constexpr std::array<int, 4> StepY = {-1, 0, 1, 0};
    const auto facing = static_cast<size_t>(game.PartyFacing & 3);
    const int x = ((game.PartyX + StepX[facing]) % FloorSide + FloorSide) % FloorSide;
    const int y = ((game.PartyY + StepY[facing]) % FloorSide + FloorSide) % FloorSide;
    const bool rock =
        game.Layers.FloorWalls.At(x, y) == AllEdges && game.Layers.FloorDoors.At(x, y) == 0;
    Tell(cast, rock ? "壁の向こうは石です" : "壁の向こうは空間です");
    return CampOutcome::Stay;
}

CampOutcome RestorePoints(CampCast& cast, int32_t school) {
    Creature* c = Chosen(cast);
    if (c == nullptr) return CampOutcome::Stay;
    bool restored = false;
    for (int level = 0; level < SpellLevels; ++level) {
        int16_t& points = c->MPAt(school, level);
        if (c->MaxMPAt(school, level) >= 1 && points < c->MaxMPAt(school, level)) {
            ++points;
            restored = true;
        }
    }
    Tell(cast, restored ? c->Name + "の魔力が復活した" : Word(Str::Oops));
    return CampOutcome::Stay;
}

using CampRoutine = CampOutcome (*)(CampCast&, int32_t);

struct CampEffectRow {
    int Code;
    CampRoutine Run;
    int32_t Value;
};

// clang-format off
constexpr CampEffectRow CampEffects[] = {
    {1, Raise, 0},
    {3, Mapping, 0},
    {5, Protection, 0},
    {6, PartyEffectOn, PartyEffectLevitation},
    {7, HealOne, 0},
    {8, Locate, 0},
    {9, Resurrect, 0},
    {10, Cure, StatusParalysis},
    {11, PartyEffectOn, PartyEffectIdentify},
    {24, ChooseOnly, 0},
    {43, Cure, StatusPoison | StatusDeadlyPoison},
    {44, Open, static_cast<int32_t>(CampOutcome::OpenTeleport)},
    {45, Open, static_cast<int32_t>(CampOutcome::OpenAppraisal)},
    {49, PartyEffectOn, PartyEffectCompass},
    {52, HealEvery, 1},
    {53, FullCure, 0},
    {54, ReturnToEntrance, 0},
    {57, ExperienceCheck, 0},
    {59, LookAhead, 0},
    {60, Cure, StatusSleep | StatusFear | StatusBlind | StatusConfusion | StatusCharm},
    {64, Open, static_cast<int32_t>(CampOutcome::OpenWish)},
    {66, Open, static_cast<int32_t>(CampOutcome::OpenTeleport)},
    {71, FullRevival, 0},
    {72, RestorePoints, 1},
    {73, Cure, StatusStone},
    {74, CureEvery, 0},
    {77, CureAfflicted, StatusPoison | StatusDeadlyPoison},
    {79, CureAfflicted, StatusBlind},
    {80, ChooseOnly, 0},
    {82, PartyEffectOn, PartyEffectCallMonsters},
    {104, FewerMonsters, 0},
    {106, HealEvery, 0},
    {113, HealEvery, 0},
};
// clang-format on

}  // namespace

std::string Said(const Creature& c, std::string_view text) {
    return c.Name + "は\n" + std::string(text);
}

CampOutcome RunCampEffect(CampCast& cast) {
    for (const CampEffectRow& row : CampEffects)
        if (row.Code == cast.Spell.Effect) return row.Run(cast, row.Value);
    return CampOutcome::Stay;
}

}  // namespace kv
