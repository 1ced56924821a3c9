// The battle's magic on the built demo, by keys alone: a party of six walks
// into the fools' hall and opens the cage in its corner. The mage burns the
// rats with a spell picked from the grid window, the priest heals the
// wounded fighter and then cures the blind bard, the thief throws a fire
// bottle at the lizard, the bard plays her lute, and the summoner calls bears
// that fight on the party's side; the lizard breathes fire and drains
// strength, and the party wins. The save after the battle holds every change.
#include <algorithm>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "flow/DemoFlow.h"

namespace kv::test {
namespace {

// Classes as the roster stores them (one bit each).
constexpr int32_t Wizard = 2;
constexpr int32_t Priest = 4;
constexpr int32_t Bard = 32;
constexpr int32_t Summoner = 64;

// The demo's rows the flow uses.
constexpr int FireBottle = 147;
constexpr int Lute = 112;
constexpr int Lizard = 23;
constexpr int Rat = 24;
constexpr int Bear = 25;
constexpr int CageFlag = 47;
constexpr int SongSkill = 47;
constexpr int BeastSummonSkill = 179;
constexpr int LoyalSummonSkill = 208;

// A caster made from ロラン's record: bare-handed, knowing only the spells
// the flow gives.
Creature& Caster(Game& g, int slot, const char* name, int32_t job, int level) {
    Creature& c = g.Roster[static_cast<size_t>(slot)];
    c = g.Roster[1];
    c.Id = slot;
    c.Name = name;
    c.Class = job;
    c.Level = level;
    for (InventorySlot& item : c.Items) item = {};
    return c;
}

// ロラン and シーラ as the demo has them, tougher, and four casters of the
// classes a new player can make; statistics differ member by member, so a
// wrong member's value read shows.
void PrepareCage(Flow& flow, int& randomBattles) {
    ASSERT_TRUE(flow.LoadScenario(KORVANE_DEMO_DIR)) << flow.Error();
    Game& g = flow.Scenario();
    Creature& roland = g.Roster[1];
    roland.MaxHP = 70;
    roland.HP = 31;  // wounded: the priest's heal shows
    Creature& sheila = g.Roster[2];
    sheila.MaxHP = sheila.HP = 64;
    for (InventorySlot& item : sheila.Items) item = {};
    sheila.Items[1] = {FireBottle, 0, 2};

    Creature& maria = Caster(g, 3, "マリア", Priest, 4);
    maria.MaxHP = maria.HP = 58;
    maria.Piety = 16;
    maria.Str = 11;
    maria.Spell(1, 1, 1) = -1;  // IYASU
    maria.Spell(1, 4, 3) = -1;  // SHIZUME
    maria.MPAt(1, 1) = maria.MaxMPAt(1, 1) = 3;
    maria.MPAt(1, 4) = maria.MaxMPAt(1, 4) = 1;
    Creature& zeno = Caster(g, 4, "ゼノ", Wizard, 6);
    zeno.MaxHP = zeno.HP = 52;
    zeno.IQ = 17;
    zeno.Str = 9;
    zeno.Spell(0, 1, 1) = -1;  // HIBANA
    zeno.Spell(0, 3, 1) = -1;  // HOMURA
    zeno.MPAt(0, 1) = zeno.MaxMPAt(0, 1) = 4;
    zeno.MPAt(0, 3) = zeno.MaxMPAt(0, 3) = 2;
    Creature& lira = Caster(g, 5, "リラ", Bard, 4);
    lira.MaxHP = lira.HP = 55;
    lira.Charm = 15;
    lira.Str = 10;
    lira.Skills[SongSkill] = 1;
    lira.Items[1] = {Lute, 0, 1};
    lira.Status = StatusBlind;  // came in blind: the priest's calming cures her
    Creature& cain = Caster(g, 6, "カイン", Summoner, 5);
    cain.MaxHP = cain.HP = 60;
    cain.Charm = 14;
    cain.Str = 12;
    cain.Skills[SkillIndex(Skill::Summon)] = 1;
    cain.Skills[BeastSummonSkill] = 1;
    cain.Skills[LoyalSummonSkill] = 1;
    g.MonsterKillCount[Bear] = 1;  // a bear once beaten can be called
    for (int slot = 1; slot <= 6; ++slot)
        g.Roster[static_cast<size_t>(slot)].Skills[NoEncounterSkill] = 1;
    EscapeRandomBattles(flow, randomBattles);
}

// The party's hit points as the messages tell them, member by member: each
// wound, heal and full recovery the transcript shows, in order, from the
// hit points the party set out with; the summoner pays a twelfth of his
// maximum silently as his bears appear.
std::map<std::string, int> HPByTheMessages(const Game& start,
                                           const std::vector<std::string>& texts) {
    std::map<std::string, int> hp;
    std::map<std::string, int> most;
    for (int slot = 1; slot <= 6; ++slot) {
        const Creature& c = start.Roster[static_cast<size_t>(slot)];
        hp[c.Name] = c.HP;
        most[c.Name] = c.MaxHP;
    }
    const auto number = [](const std::string& wide) {
        int value = 0;
        for (size_t i = 0; i + 2 < wide.size(); i += 3)  // ０..９: EF BC 90..99
            value = value * 10 + (static_cast<unsigned char>(wide[i + 2]) - 0x90);
        return value;
    };
    const std::string digits = "((?:\xEF\xBC[\x90-\x99])+)";
    const std::regex wound("([^\n]+)は\n" + digits + "のダメージをうけた");
    const std::regex blow("\n([^\n]+)に　" + digits + "あたり" + digits + "のダメージ");
    const std::regex heal("([^\n]+)は\n" + digits + "ポイント回復した");
    const std::regex whole("([^\n]+)は\n全快した");
    const std::regex summoned("([^\n]+)は\n[^\n]+を\n" + digits + "体召喚した");
    for (const std::string& text : texts) {
        std::smatch m;
        if (std::regex_search(text, m, wound) && hp.count(m[1]))
            hp[m[1]] -= number(m[2]);
        else if (std::regex_search(text, m, blow) && hp.count(m[1]))
            hp[m[1]] -= number(m[3]);
        else if (std::regex_search(text, m, heal) && hp.count(m[1]))
            hp[m[1]] = std::min(hp[m[1]] + number(m[2]), most[m[1]]);
        else if (std::regex_search(text, m, whole) && hp.count(m[1]))
            hp[m[1]] = most[m[1]];
        else if (std::regex_search(text, m, summoned) && hp.count(m[1]))
            hp[m[1]] -= most[m[1]] / 12;
    }
    return hp;
}

size_t Seen(const std::vector<std::string>& texts, const std::string& start) {
    size_t n = 0;
    for (const std::string& text : texts) n += text.rfind(start, 0) == 0 ? 1 : 0;
    return n;
}

TEST(DemoBattleMagicFlow, TheCageIsOpenedAndItsLizardFoughtWithMagicSongAndSummonedBears) {
    if (!fs::exists(fs::path(KORVANE_DEMO_DIR) / "KVR4.DAT")) GTEST_SKIP() << "no demo";
    Flow flow;
    int randomBattles = 0;
    PrepareCage(flow, randomBattles);
    // All six join; the fools' hall from the place menu; two steps south to
    // the cage, opened.
    std::string keys =
        "Enter  G Enter  A Enter  Enter Enter Enter Enter Enter Enter  C Enter  E Enter  D "
        "Enter  Down Enter  Up Up  Y  " +
        Reads(4);
    // Round 1: ロラン parries; シーラ throws a fire bottle at the lizard;
    // マリア picks her heal in the grid and gives it to ロラン; ゼノ moves
    // the grid's highlight down to his fireball and burns the rats; リラ
    // plays the lute; カイン parries. Round 2: マリア moves the grid down to
    // her calming and cures the blind リラ; カイン calls level-5 beasts.
    // Then the automatic command until the fight is won in round 10; the
    // reads after it leave the chest the rats dropped unopened.
    keys += "  P  U Enter Enter  S Enter 1  S Down Enter Down Enter  V Enter  P  G" + Reads(30);
    keys += "  P  P  S Down Enter 5  P  P  M \"5\" Enter  G" + Reads(30);
    for (int round = 0; round < 8; ++round) keys += "  O" + Reads(30);
    const Game before = flow.Scenario();
    ASSERT_TRUE(flow.Run(keys, DemoSeed)) << flow.Error();
    const std::vector<std::string> texts = flow.Dialogs();
    const auto saw = [&texts](const std::string& text) { return Count(texts, text); };

    // The grid window: マリア's two spells, the first taken; ゼノ's two,
    // the second picked; マリア's again in round 2, opened on the heal she
    // cast last and moved down to her calming.
    const std::vector<nlohmann::json> grids = ListLines(flow, "frmSpellSelect2");
    ASSERT_EQ(grids.size(), 5u);
    EXPECT_EQ(grids[0]["rows"], (std::vector<std::string>{"癒し", "鎮め"}));
    EXPECT_EQ(grids[0]["index"], 0);
    EXPECT_EQ(grids[1]["rows"], (std::vector<std::string>{"火花の矢", "火炎球"}));
    EXPECT_EQ(grids[2]["index"], 1);
    EXPECT_EQ(grids[3]["index"], 0);
    EXPECT_EQ(grids[4]["index"], 1);

    // The item, the song and the healing spell.
    EXPECT_EQ(saw("シーラは\n火炎瓶の呪文を唱えた\n檻の火蜥蜴は\n８のダメージをうけた"), 1u);
    EXPECT_EQ(saw("リラは\n癒しの調べの曲を奏でた\nロランは\n３ポイント回復した"), 1u);
    EXPECT_EQ(saw("リラは\n癒しの調べの曲を奏でた\nシーラは\n全快した"), 1u);
    EXPECT_EQ(saw("リラは\n癒しの調べの曲を奏でた\nマリアは\n全快した"), 1u)
        << "the lute heals the front three only";
    EXPECT_EQ(Seen(texts, "リラは\n癒しの調べの曲を奏でた\nゼノ"), 0u);
    EXPECT_EQ(saw("マリアは\n癒しの呪文を唱えた\nロランは\n２ポイント回復した"), 1u);
    EXPECT_EQ(saw("マリアは\n鎮めの呪文を唱えた\nリラは\n回復した"), 1u);
    // The fireball takes each rat of the group, each by its own roll.
    EXPECT_EQ(Seen(texts, "ゼノは\n火炎球の呪文を唱えた\n見世物の大ネズミは\n"), 4u);
    EXPECT_EQ(Seen(texts, "ゼノは\n火炎球の呪文を唱えた\n檻の火蜥蜴"), 0u);

    // The breath: half the lizard's hit points left after the bottle,
    // (40 - 8) / 2, on every member.
    for (const char* name : {"ロラン", "シーラ", "マリア", "ゼノ", "リラ", "カイン"})
        EXPECT_EQ(saw(std::string("檻の火蜥蜴は\n炎のブレスを吐いた\n") + name +
                      "は\n１６のダメージをうけた"),
                  1u)
            << name;
    // The special attack: a blow by the lizard's dice, then a point of strength.
    EXPECT_EQ(saw("檻の火蜥蜴はストレングスドレインを行った\nゼノは力を失った"), 3u);
    EXPECT_EQ(saw("檻の火蜥蜴はストレングスドレインを行った\nロランは力を失った"), 1u);
    EXPECT_EQ(saw("檻の火蜥蜴はストレングスドレインを行った\nリラは力を失った"), 1u);

    // The bears: called for a twelfth of カイン's hit points, shown in the
    // summon panel, fighting the lizard; two die of its breath.
    EXPECT_EQ(saw("カインは\n森の大熊を\n２体召喚した"), 1u);
    bool panel = false;
    for (const nlohmann::json& line : ListLines(flow, "lblSummon"))
        panel = panel || line["rows"][0] == "　森の大熊　　　　　　　　　　　　　　２（２）";
    EXPECT_TRUE(panel);
    EXPECT_EQ(saw("森の大熊の攻撃！！\n檻の火蜥蜴に　１あたり５のダメージ"), 1u);
    EXPECT_EQ(Seen(texts, "檻の火蜥蜴は\n炎のブレスを吐いた\n森の大熊は"), 3u);
    EXPECT_EQ(saw("檻の火蜥蜴は\n死んだ・・・"), 1u);
    EXPECT_EQ(saw("モンスターを倒した\n経験値１７３ＥＸＰ獲得"), 1u);

    // The save after the battle: every hit point as the messages said, a
    // spell point less for each cast, the strength lost, the bottle thrown,
    // the lizard and four rats booked and the bears not.
    const auto saved = flow.SavedGame();
    const std::map<std::string, int> hp = HPByTheMessages(before, texts);
    for (int slot = 1; slot <= 6; ++slot) {
        const Creature& was = before.Roster[static_cast<size_t>(slot)];
        const Creature& c = saved->Roster[static_cast<size_t>(slot)];
        EXPECT_EQ(c.HP, hp.at(c.Name)) << c.Name;
        EXPECT_GT(c.HP, 0) << c.Name << " survived";
        EXPECT_EQ(c.Status, 0) << c.Name;
        EXPECT_EQ(c.Exp, was.Exp + 173) << c.Name;
        EXPECT_EQ(c.Gold, was.Gold + 20) << c.Name;
        EXPECT_EQ(c.Victories, was.Victories + 1) << c.Name;
    }
    // Two of the stories spelt out: the lute, the breath, the heal and the
    // drain's blow for ロラン; the breath and the summoning for カイン.
    EXPECT_EQ(saved->Roster[1].HP, 31 + 3 - 16 + 2 - 2);
    EXPECT_EQ(saved->Roster[6].HP, 60 - 16 - 60 / 12);
    EXPECT_EQ(saved->Roster[3].MPAt(1, 1), 2);
    EXPECT_EQ(saved->Roster[3].MPAt(1, 4), 0);
    EXPECT_EQ(before.Roster[5].Status, StatusBlind) << "and cured, as the loop above saw";
    EXPECT_EQ(saved->Roster[4].MPAt(0, 3), 1);
    EXPECT_EQ(saved->Roster[4].MPAt(0, 1), 4) << "HIBANA was shown, not cast";
    EXPECT_EQ(saved->Roster[4].Str, before.Roster[4].Str - 3);
    EXPECT_EQ(saved->Roster[1].Str, before.Roster[1].Str - 1);
    EXPECT_EQ(saved->Roster[5].Str, before.Roster[5].Str - 1);
    EXPECT_EQ(saved->Roster[2].Items[1].ItemId, FireBottle);
    EXPECT_EQ(saved->Roster[2].Items[1].ItemCount, 1);
    EXPECT_EQ(saved->Roster[5].Items[1].ItemId, Lute);
    EXPECT_EQ(saved->MonsterKillCount[Lizard], 1);
    EXPECT_EQ(saved->MonsterKillCount[Rat], 4);
    EXPECT_EQ(saved->MonsterKillCount[Bear], 1) << "summons that die are no kills";
    EXPECT_EQ(saved->EventFlags[CageFlag], 1);
    EXPECT_EQ(randomBattles, 0);
}

}  // namespace
}  // namespace kv::test
