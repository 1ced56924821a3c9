#include "dungeon/EventContents.h"

#include <algorithm>
#include <string>

#include "character/CharacterRules.h"
#include "character/Inventory.h"
#include "character/PartyMembers.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "core/Utf8.h"
#include "dungeon/Movement.h"
#include "town/CastleReturn.h"

namespace kv {

namespace {

// Who a content acts on.
enum ContentTarget : int { AnyCharacter = 1, Party = 2, PartyToo = 3, ChosenMember = 4 };

constexpr const char* ChooseText = "キャラクターを選んでください";
constexpr const char* StairsDownText = "下る階段がある\r下がりますか？";
constexpr const char* StairsUpText = "上る階段がある\r上がりますか？";
constexpr const char* FloatingText = "トラップの上に浮かんでいる";
constexpr const char* TrapText = "トラップだ！";
constexpr const char* ReturnText = "城へ戻りますか？";
constexpr const char* LockedText = "鍵がかかっている";
constexpr const char* WhoOpensText = "だれが開けますか？";
constexpr const char* OpenedText = "鍵を開けた";
constexpr const char* StayedShutText = "鍵は開かなかった";

constexpr int StairsDown = 1;
constexpr int RandomFacing = 4;
constexpr int FirstConditionAttribute = 15;
constexpr int LastConditionAttribute = 34;
constexpr int LastAttribute = 36;

bool IsParty(int target) {
    return target == Party || target == PartyToo;
}

// A member the player picks; nullptr when cancelled or not a member.
Creature* Choose(Game& game, Player& player, const std::string& prompt) {
    const int slot = player.ChooseMember(prompt.empty() ? ChooseText : prompt);
    for (int i = 1; i <= game.PartyCount; ++i) {
        if (game.PartyList[static_cast<size_t>(i)] == slot && slot > 0) return game.Member(i);
    }
    return nullptr;
}

// Counts beyond these come only from broken data; honouring them would hold
// the game for seconds (a thousand million dice, a gift repeated as often).
// No party could carry more pieces than every roster slot full.
constexpr int MostDice = 1000;
constexpr int MostRepeats = 50 * 15 * 9;

int DiceCount(int32_t count) {
    return std::min<int32_t>(count, MostDice);
}

int Repeats(int32_t count) {
    return std::min<int32_t>(count, MostRepeats);
}

int32_t Roll(Game& game, const DiceClass& dice) {
    return Dice(game.Rng, DiceCount(dice.DA), dice.DB, dice.DC);
}

// The resistance test of a condition: the member shrugs it off when a d100
// falls below its resistance, or always when it absorbs or reflects.
bool Resists(Game& game, int resist) {
    if (resist == 200 || resist == 255) return true;
    return Dice(game.Rng, 1, 100, 0) < resist;
}

// The length of the gift's message picks how the find is announced: none,
// a plain line, the item named, and from three letters on nothing again,
// though a party with no room is then told.
FoundMessage GiftMessage(const std::string& message) {
    const size_t length = DecodeUtf8(message).size();
    if (length == 0) return FoundMessage::None;
    if (length == 1) return FoundMessage::Plain;
    return length == 2 ? FoundMessage::Named : FoundMessage::Unannounced;
}

void Gift(Game& game, Player& player, const Contents& c) {
    if (c.Target != AnyCharacter && c.Target != Party) return;
    const FoundMessage mode = GiftMessage(c.Message);
    for (int n = 0; n < Repeats(c.Dice.DA); ++n) {
        if (c.State != 1 && PartyCarriesItem(game, c.DataID)) return;
        // Nothing makes room while the gift goes on: once a piece finds none
        // (and the party has been told), so would every piece after it.
        if (GiveFoundItem(game, player, c.DataID, c.Dice.DB != 0, mode, c.Dice.DC != 0) < 0) {
            return;
        }
    }
}

void Take(Game& game, Player& player, const Contents& c) {
    for (int n = 0; n < Repeats(c.Dice.DA); ++n) {
        // Once nobody holds a piece, the repetitions left would find none either.
        if (c.Target == AnyCharacter) {
            if (ConsumeItemFromRoster(game, c.DataID) == 0) return;
        } else if (c.Target == ChosenMember) {
            if (Creature* m = Choose(game, player, c.Message)) ConsumeItem(game, c.DataID, *m);
        } else if (IsParty(c.Target)) {
            if (ConsumeItemFromParty(game, c.DataID) == 0) return;
        } else {
            return;
        }
    }
}

// Stairs and teleports move the party and check where it landed.
// A square off the 20 x 20 grid wraps onto it, as a step over the edge does.
void Transfer(Game& game, Player& player, const Contents& c, EventRun& run, GameDisplay& display) {
    auto onGrid = [](int32_t v) { return ((v % FloorSide) + FloorSide) % FloorSide; };
    TransferParty(game, c.Location.Floor, onGrid(c.Location.X), onGrid(c.Location.Y), display);
    if (CheckLanding(game, player, display) < 0) run.PartyGone = true;
}

void FloorTrap(Game& game, Player& player, const Contents& c, GameDisplay& display) {
    if ((game.PartyEffects & PartyEffectLevitation) != 0) {
        player.Message(FloatingText);
        return;
    }
    player.Message(TrapText);
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* m = game.Member(i);
        if (m == nullptr || (m->Status & GoneMask) != 0) continue;
        if (Dice(game.Rng, 1, 20, 0) >= m->Luck) {
            player.Message(m->Name + std::string(ResString(Str::NoEffect)));
            continue;
        }
        player.Message(DamageCreature(*m, Dice(game.Rng, DiceCount(c.Dice.DA), 10, 0)));
        const int attribute = c.State;
        // A member the damage killed still takes the condition.
        if (attribute < FirstConditionAttribute || attribute > LastConditionAttribute) continue;
        if (Resists(game, m->Resist[static_cast<size_t>(attribute)])) continue;
        const std::string text = SetCondition(m->Status, AttackToStatus(attribute));
        if (!text.empty()) player.Message(m->Name + text);
    }
    display.RefreshParty();
}

bool HoldsForTest(Game& game, Player& player, const Contents& c) {
    if (c.Target == AnyCharacter) return RosterCarriesItem(game, c.DataID);
    if (IsParty(c.Target)) return PartyCarriesItem(game, c.DataID);
    if (c.Target == ChosenMember) {
        const Creature* m = Choose(game, player, "");
        return m != nullptr && CarriesItem(*m, c.DataID);
    }
    return false;
}

// A flag number out of range reads as 0 and cannot be written.
int32_t FlagValue(const Game& game, int index) {
    if (index < 0 || index >= EventFlagCount) return 0;
    return game.EventFlags[static_cast<size_t>(index)];
}

void SetFlag(Game& game, int index, int32_t value) {
    if (index < 0 || index >= EventFlagCount) return;
    game.EventFlags[static_cast<size_t>(index)] = value;
}

void HitPoints(Game& game, Player& player, const Contents& c) {
    auto heal = [&](Creature& m) {
        if ((m.Status & NoHealMask) != 0) return;
        const std::string text = HealCreature(m, Roll(game, c.Dice), c.Message.empty());
        if (!text.empty()) player.Message(text);
    };
    if (IsParty(c.Target)) {
        for (int i = 1; i <= game.PartyCount; ++i) {
            if (Creature* m = game.Member(i)) heal(*m);
        }
    } else if (c.Target == ChosenMember) {
        if (Creature* m = Choose(game, player, c.Message)) heal(*m);
    }
}

void Cure(Game& game, Player& player, const Contents& c) {
    if (IsParty(c.Target)) {
        for (int i = 1; i <= game.PartyCount; ++i) {
            if (Creature* m = game.Member(i)) m->Status &= ~c.State;
        }
    } else if (c.Target == ChosenMember) {
        if (Creature* m = Choose(game, player, "")) m->Status &= ~c.State;
    }
}

}  // namespace

bool TryLock(Game& game, Player& player, int difficulty) {
    player.Message(LockedText);
    Creature* m = Choose(game, player, WhoOpensText);
    if (m == nullptr) return false;
    if (HasSkill(*m, Skill::UnlockChests)) {
        const bool opened = difficulty < Dice(game.Rng, 1, m->Dexterity, 0) + m->Level;
        player.Message(opened ? OpenedText : StayedShutText);
        return opened;
    }
    player.Message((m->Status & IdleMask) != 0 ? ResString(Str::Cannot) : StayedShutText);
    return false;
}

int RunContent(Game& game, Player& player, const Contents& c, int position, EventRun& run,
               GameDisplay& display) {
    const int next = position + 1;
    switch (static_cast<ContentKind>(c.Kind)) {
        case ContentKind::Gift:
            Gift(game, player, c);
            return next;
        case ContentKind::Take:
            Take(game, player, c);
            return next;
        case ContentKind::Stairs:
            if (player.Ask(c.State == StairsDown ? StairsDownText : StairsUpText)) {
                Transfer(game, player, c, run, display);
            }
            return next;
        case ContentKind::Message:
            player.Message(c.Message);
            return next;
        case ContentKind::Riddle:
            return player.Input(c.Message) == c.JudgeString ? c.TrueID : c.FalseID;
        case ContentKind::Question:
            return player.Ask(c.Message) ? c.TrueID : c.FalseID;
        case ContentKind::Teleport:
            Transfer(game, player, c, run, display);
            return next;
        case ContentKind::FloorTrap:
            if (c.State < 0 || c.State > LastAttribute) return 0;
            FloorTrap(game, player, c, display);
            return next;
        case ContentKind::ItemTest:
            return HoldsForTest(game, player, c) ? c.TrueID : c.FalseID;
        case ContentKind::FlagTest:
            return FlagValue(game, c.DataID) == 1 ? c.TrueID : c.FalseID;
        case ContentKind::FlagSet:
            SetFlag(game, c.DataID, 1);
            return next;
        case ContentKind::FlagClear:
            SetFlag(game, c.DataID, 0);
            return next;
        case ContentKind::FlagToggle:
            SetFlag(game, c.DataID, FlagValue(game, c.DataID) != 0 ? 0 : 1);
            return next;
        case ContentKind::Battle:
            run.Result = static_cast<int16_t>(c.DataID);
            return next;
        case ContentKind::Person:
            game.CurrentPerson = static_cast<int16_t>(c.DataID);
            display.OpenPersonPanel(c.Message);
            run.Result = -1;
            return next;
        case ContentKind::Return:
            if (player.Ask(ReturnText)) {
                ReturnToCastle(game, player, display);
                run.WentHome = true;
            }
            return next;
        case ContentKind::Barrier:
            run.Blocked = true;
            return next;
        case ContentKind::HitPoints:
            HitPoints(game, player, c);
            return next;
        case ContentKind::Cure:
            Cure(game, player, c);
            return next;
        case ContentKind::Nothing:
            return next;
        case ContentKind::Jump:
            return c.DataID;
        case ContentKind::Spinner:
            game.PartyFacing = static_cast<int16_t>(c.Location.Direction == RandomFacing
                                                        ? Dice(game.Rng, 1, 4, -1)
                                                        : c.Location.Direction & 3);
            display.Redraw();
            return next;
        case ContentKind::Lock:
            run.Blocked = !TryLock(game, player, c.DataID);
            return next;
    }
    return 0;  // a kind the interpreter does not know ends the event
}

}  // namespace kv
