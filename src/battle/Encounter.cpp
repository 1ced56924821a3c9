// The start of a battle: the encounter drawn, its monster groups created,
// and the opening roll that decides who strikes first.
#include <algorithm>
#include <cmath>
#include <vector>

#include "battle/BattleRules.h"
#include "character/CharacterRules.h"
#include "core/Dice.h"

namespace kv {

namespace {

constexpr int EncounterRowCount = 2001;
constexpr int FloorListLimit = 350;
constexpr int AlignLawful = 1;
constexpr int AlignChaotic = 4;
constexpr int RaceAngel = 256;
constexpr int RaceFallen = 128;

int16_t EncounterCell(const Game& game, int column, int row) {
    return game.EncounterTable[static_cast<size_t>(column * EncounterRowCount + row)];
}

// The encounter numbers met on the party's floor.
std::vector<int> FloorEncounters(const Game& game) {
    std::vector<int> list;
    for (int r = 1; r < EncounterRowCount && static_cast<int>(list.size()) < FloorListLimit; ++r)
        if (EncounterCell(game, 1, r) + 20 == game.CurrentPlace &&
            EncounterCell(game, 2, r) == game.CurrentFloor)
            list.push_back(EncounterCell(game, 0, r));
    return list;
}

// The moons change monsters of some kinds as the party walks.
void ApplyMoons(const Game& game, Creature& m) {
    const int a = game.LunaCount / 30;
    const int b = game.ArtemisCount / 40;
    const bool full = a == 8 || b == 8;
    const bool dark = a == 0 || b == 0;
    const auto setResist = [&](int index, int value) {
        m.Resist[static_cast<size_t>(index)] = static_cast<uint8_t>(value);
    };
    bool asKind512 = (m.Class & 512) != 0;
    if ((m.Class & 128) != 0) {
        if (full) {
            m.HP = 1;
        } else if (dark) {
            m.DamageDice[0] *= 2;
            m.Agility = m.Agility >= 100 ? 200 : static_cast<uint8_t>(m.Agility * 2);
            m.Skills[SkillIndex(Skill::CounterAttack)] = 1;
            setResist(2, 100);
            setResist(1, 255);
            setResist(35, 100);
            m.Regen = static_cast<int16_t>(std::min<int32_t>(m.HP, INT16_MAX));
        } else {
            asKind512 = true;
        }
    }
    if ((m.Class & 8192) != 0) m.DamageDice[0] += a;
    if ((m.Class & 1024) != 0 && dark) {
        m.DamageDice[0] *= 2;
        setResist(2, 100);
    }
    if ((m.Class & 131072) != 0 && full) setResist(1, 255);
    if ((m.Class & 8) != 0)
        m.MaxHP = static_cast<int32_t>(std::nearbyint(m.MaxHP * (1 + b * 0.05)));
    if ((m.Class & 2) != 0 && a == 8 && b == 8) setResist(12, 0);
    if (asKind512) {
        m.Str = static_cast<uint8_t>(std::min(255, m.Str + a));
        m.Agility = static_cast<uint8_t>(std::min(255, m.Agility + b));
    }
}

void ResetBattle(Game& game) {
    BattleState& b = game.Battle;
    for (Creature& s : b.Summons) {
        s = Creature{};
        s.Status = StatusDead;
    }
    b.GoldPool = b.ExpPool = b.TreasureSum = b.KillCount = b.DropItemId = 0;
    b.BreathShield = b.MonsterMagicShield = b.PartyMagicShield = b.PartyBreathShield = 0;
    b.SummonLine.clear();
    b.GroupCount = 0;
    b.RoundNo = 0;
    b.Rows = {};
    b.RowTexts = {};
    b.Phase = BattlePhase::Commands;
    b.PartyFirstStrike = false;
    b.InputIndex = 1;
    b.ChestLeft = false;
    for (int i = 1; i <= game.PartyCount; ++i) {
        if (Creature* c = game.Member(i)) {
            c->Status &= ~StatusFear;
            c->Initiative = 0;
            c->Command = 0;
            c->BreathCount = 0;
        }
    }
}

// Reverses the marching order (the monsters came from behind).
void ReverseMarchingOrder(Game& game) {
    const int n = game.PartyCount;
    std::reverse(game.PartyList.begin() + 1, game.PartyList.begin() + 1 + n);
    for (int i = 1; i <= n; ++i)
        if (Creature* c = game.Member(i)) c->PartyPos = static_cast<uint8_t>(i);
}

// The battle's own music: the scene the encounter chose.
void BattleMusic(Game& game, GameDisplay& display) {
    display.PlayScene(game.Config.BattleScene);
}

// The monsters act alone before the party gives any command.
BattleEnd MonstersFreeRound(Game& game, Player& player, GameDisplay& display) {
    RollMonsterInitiative(game);
    game.Battle.Phase = BattlePhase::Round;
    return RunRound(game, player, display);
}

BattleEnd FriendlyGroup(Game& game, Player& player, GameDisplay& display) {
    const Creature& templ = game.Battle.Monster(1, 0);
    const bool fight = player.Ask("友好的な\n" + templ.Name + "\n戦いますか？");
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* c = game.Member(i);
        if (c == nullptr || Dice(game.Rng, 1, 20, 0) != 2 || HasSkill(*c, Skill::SteadyAlignment))
            continue;
        if (!fight && c->Alignment == AlignChaotic) {
            c->Alignment = AlignLawful;
        } else if (fight && c->Alignment == AlignLawful) {
            c->Alignment = AlignChaotic;
            if (c->Race == RaceAngel) {
                c->Race = RaceFallen;
                c->Resist[12] = 0;
                c->Resist[2] = 0;
                c->Resist[13] = 100;
                player.Message(c->Name + "は\n堕天しました");
            }
        }
    }
    if (!fight) {
        display.PlayScene(game.Config.MazeScene);
        game.Battle.Phase = BattlePhase::None;
        game.Battle.PartyFirstStrike = false;
        EndBattle(game);
        return BattleEnd::LeftAlone;
    }
    BattleMusic(game, display);
    game.Battle.PartyFirstStrike = true;
    return BattleEnd::Ongoing;
}

BattleEnd Opening(Game& game, Player& player, GameDisplay& display) {
    BattleState& b = game.Battle;
    const int roll = Dice(game.Rng, 1, 30, 0);
    if (roll == 1) {
        player.Message("モンスターの先制攻撃");
        BattleMusic(game, display);
        return MonstersFreeRound(game, player, display);
    }
    if (roll == 2) {
        player.Message("パーティーの先制攻撃");
        BattleMusic(game, display);
        b.PartyFirstStrike = true;
        return BattleEnd::Ongoing;
    }
    if (roll == 3) {
        bool weak = true;
        for (int g = 1; g <= BattleGroupCount; ++g) {
            const Creature& m = b.Monster(g, 1);
            if (m.Id > 0 && m.Level > 29) weak = false;
        }
        if (weak) return FriendlyGroup(game, player, display);
        BattleMusic(game, display);
        return BattleEnd::Ongoing;
    }
    if (roll == 4 && !PartyHasSkill(game, Skill::NeverSurprised)) {
        player.Message("モンスターのバックアタック");
        BattleMusic(game, display);
        ReverseMarchingOrder(game);
        for (int i = 1; i <= game.PartyCount; ++i)
            if (Creature* c = game.Member(i)) c->Status &= ~StatusFear;
        const BattleEnd end = MonstersFreeRound(game, player, display);
        if (end != BattleEnd::Defeat) ReverseMarchingOrder(game);
        return end;
    }
    if (roll >= 5 && PartyHasSkill(game, Skill::FirstStrike) && Dice(game.Rng, 1, 20, 0) == 1) {
        player.Message("パーティーの先制攻撃");
        b.PartyFirstStrike = true;
    }
    BattleMusic(game, display);
    return BattleEnd::Ongoing;
}

}  // namespace

int FindEncounterRow(const Game& game, int encounter) {
    if (encounter <= 0) return 0;
    for (int r = 1; r < EncounterRowCount; ++r)
        if (EncounterCell(game, 0, r) == encounter) return r;
    return 0;
}

void CreateGroups(Game& game, Player& player, GameDisplay& display, int row) {
    BattleState& b = game.Battle;
    display.PlayScene(SceneEncounter);
    player.Message("モンスターが現れた");
    for (Creature& m : b.Monsters) m = Creature{};
    b.GroupCount = 0;
    int rows = 0;
    for (int g = 1; g <= BattleGroupCount; ++g) {
        for (int k = 0; k <= GroupMemberCount; ++k) b.Monster(g, k).Status = StatusDead;
        const int d = row > 0 ? EncounterCell(game, 2 + g, row) : 0;
        if (d <= 0 || d >= static_cast<int>(game.Monsters.size())) continue;
        const Creature& def = game.Monsters[static_cast<size_t>(d)];
        int add = def.GroupDice[2];
        if (PartyHasSkill(game, Skill::FewerMonsters) && add >= 2) --add;
        // A group holds nine at most, whatever the data says.
        const int n = std::clamp(Dice(game.Rng, def.GroupDice[0], def.GroupDice[1], add), 0,
                                 GroupMemberCount);
        for (int k = 0; k <= n; ++k) {
            Creature& m = b.Monster(g, k);
            m = def;
            m.Sex = 4;
            m.PartyPos = static_cast<uint8_t>(g);
            // The guardian of the third floor's centre.
            if (d == 218 && game.CurrentFloor == 3 && game.PartyX == 8 && game.PartyY == 8 &&
                game.PartyFacing == 0) {
                m.HPDice[2] += 100000;
                m.Regen = 1000;
                m.DamageDice[2] += 200;
            }
            m.HP = Dice(game.Rng, m.HPDice[0], m.HPDice[1], m.HPDice[2]);
            if (PartyHasSkill(game, Skill::PoisonedMonsters)) m.Status |= StatusPoison;
            if (PartyHasSkill(game, Skill::WeakerMonsters))
                m.HP = static_cast<int32_t>(
                    std::nearbyint(m.HP * (80.0 + Dice(game.Rng, 1, 19, 0)) / 100));
            m.MaxHP = m.HP;
        }
        b.Monster(g, 0).Status = StatusDead;
        const bool known =
            (game.PartyEffects & PartyEffectIdentify) != 0 || Dice(game.Rng, 1, 2, 0) == 1;
        b.Monster(g, 0).Identified = known ? -1 : 0;
        for (int k = 0; k <= n; ++k) ApplyMoons(game, b.Monster(g, k));
        ++rows;
        b.Rows[static_cast<size_t>(rows)] = static_cast<int16_t>(g);
        b.RowTexts[static_cast<size_t>(rows)] = BuildGroupLine(game, g);
    }
    b.GroupCount = static_cast<int16_t>(rows);
}

BattleEnd StartBattle(Game& game, Player& player, GameDisplay& display, int encounter) {
    ResetBattle(game);
    if (encounter == 0) {
        const std::vector<int> list = FloorEncounters(game);
        if (list.empty())
            encounter = 0;
        else
            encounter =
                list[static_cast<size_t>(Dice(game.Rng, 1, static_cast<int>(list.size()), -1))];
        if (encounter == 0) {
            game.Battle.Phase = BattlePhase::None;
            return BattleEnd::NoBattle;
        }
    }
    const int row = FindEncounterRow(game, encounter);
    if (row == 0) {
        game.Battle.Phase = BattlePhase::None;
        return BattleEnd::NoBattle;
    }
    CreateGroups(game, player, display, row);
    game.Battle.ListShown = true;
    BattleEnd end = Opening(game, player, display);
    if (end == BattleEnd::Ongoing) {
        game.Battle.Phase = BattlePhase::Commands;
        game.Battle.InputIndex = 1;
    }
    return end;
}

}  // namespace kv
