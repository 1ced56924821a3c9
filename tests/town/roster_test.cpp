// Roster rows as the roster list shows them, and erasing and counting
// characters.
#include <gtest/gtest.h>

#include "character/Roster.h"
#include "core/Serializer.h"
#include "town/CharacterFixture.h"

namespace kv {
namespace {

using namespace kv::testing;

std::string Blanks(int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += "　";
    return out;
}

TEST(RosterRowText, ColumnsAndMarks) {
    // Number, name (12 columns and a blank), level (5, right-aligned), class
    // with its alignment, race, all full-width.
    const std::string columns = "１" + Blanks(1) + "）Ａｌｉｃｅ" + Blanks(8) + "ＬＶ" + Blanks(3) +
                                "１２" + Blanks(1) + "Ｌ－戦士" + Blanks(2) + "人間" + Blanks(2);
    struct Case {
        const char* What;
        int32_t Status;
        uint8_t Floor;
        std::string Expected;
    };
    const Case cases[] = {
        {"in town", 0, 0, columns},
        {"dead", StatusDead, 0, columns + "Ｄｅａｄ．"},
        {"ashes win over dead", StatusAshes | StatusDead, 0, columns + "Ａｓｈｅｓ．"},
        {"ashes alone", StatusAshes, 0, columns + "Ａｓｈｅｓ．"},
        {"out in the maze", StatusPoison, 3, columns + "Ｏｕｔ"},
        {"dead and out", StatusDead, 1, columns + "Ｄｅａｄ．Ｏｕｔ"},
        {"lost but not dead is unmarked", StatusLost, 0, columns},
    };
    for (const Case& k : cases) {
        CharacterFixture f;
        Creature& c = f.Make(7, Fighter);
        c.Name = "Alice";
        c.Level = 12;
        c.Alignment = 1;
        c.Status = k.Status;
        c.Floor = k.Floor;
        EXPECT_EQ(RosterRowText(f.G(), 7, 1), k.Expected) << k.What;
    }
}

TEST(RosterRowText, LongValuesWidenTheirColumnsWithoutBreakingThem) {
    CharacterFixture f;
    Creature& c = f.Make(3, Samurai);
    c.Name = "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮ";  // 14 characters in 12 columns
    c.Level = 1234567;
    c.Alignment = 8;  // no alignment prefix
    c.Race = 4096;    // no race: the columns stay blank
    EXPECT_EQ(RosterRowText(f.G(), 3, 12), "１２）ＡＢＣＤＥＦＧＨＩＪＫＬＭＮ" + Blanks(1) +
                                               "ＬＶ１２３４５６７" + Blanks(1) + "侍" + Blanks(9));
    c.Race = 512;
    c.Name = "Bo";
    c.Level = 3;
    EXPECT_EQ(RosterRowText(f.G(), 3, 4), "４" + Blanks(1) + "）Ｂｏ" + Blanks(11) + "ＬＶ" +
                                              Blanks(4) + "３" + Blanks(1) + "侍" + Blanks(5) +
                                              "ミュータント" + Blanks(1));
    EXPECT_EQ(RosterRowText(f.G(), 0, 1), "");
    EXPECT_EQ(RosterRowText(f.G(), 51, 1), "");
}

TEST(Roster, EraseCountAndFind) {
    CharacterFixture f;
    f.Make(2, Fighter).Name = "Bob";
    f.Make(4, Wizard).Name = "Cid";
    f.Make(5, Priest).Name = "Dee";
    // A slot whose Id was lost but whose fields linger is no character.
    Creature& ghost = f.Make(9, Thief);
    ghost.Id = 0;
    ghost.Name = "Ghost";

    EXPECT_EQ(FirstFreeSlot(f.G()), 1);
    EXPECT_EQ(FindCharacterByName(f.G(), "Cid"), 4);
    EXPECT_EQ(FindCharacterByName(f.G(), "cid"), 0);
    EXPECT_EQ(FindCharacterByName(f.G(), ""), 0);

    EXPECT_EQ(CountRoster(f.G()), 3);
    const std::string blank = SaveRecord(Creature{});
    EXPECT_EQ(SaveRecord(f.G().Roster[9]), blank);
    EXPECT_EQ(FindCharacterByName(f.G(), "Ghost"), 0);

    EraseCharacter(f.G(), 4);
    EXPECT_EQ(SaveRecord(f.G().Roster[4]), blank);
    EXPECT_EQ(CountRoster(f.G()), 2);
    EraseCharacter(f.G(), 0);   // slot 0 is never a character
    EraseCharacter(f.G(), 77);  // nor anything past the roster
    EXPECT_EQ(CountRoster(f.G()), 2);

    for (int slot = 1; slot <= 50; ++slot) f.Make(slot, Fighter);
    EXPECT_EQ(FirstFreeSlot(f.G()), 0);
    EXPECT_EQ(CountRoster(f.G()), 50);
}

}  // namespace
}  // namespace kv
