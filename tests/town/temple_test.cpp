// The temple's fees and treatments: the order the conditions are charged and
// cured in, revival with its risks, and who is listed.
#include <gtest/gtest.h>

#include "town/CharacterFixture.h"
#include "town/Temple.h"

namespace kv::testing {

namespace {

constexpr int32_t Paralysed = 2, Diseased = 4096, Stone = 8192, Dead = 16384, Ashes = 32768,
                  Lost = 65536, Kept = 524288;

struct TreatCase {
    const char* Name;
    int32_t Status;
    int Vitality;
    int32_t Fee;          // level 3
    int32_t StatusAfter;  // -1: the character is gone
    int RevivalsAfter;
};

TEST(Temple, FeesAndTreatmentsFollowTheConditionsOrder) {
    const TreatCase cases[] = {
        {"paralysis", Paralysed, 12, 300, 0, 0},
        // Charged at the paralysis rate, revived as the dead.
        {"dead and paralysed", Dead | Paralysed, 12, 300, 0, 1},
        // Stone first: the disease needs a second visit.
        {"stoned and diseased", Stone | Diseased, 12, 1500, Diseased, 0},
        {"a revival keeps the kept mark", Dead | Kept, 12, 750, Kept, 1},
        // A die of one side always shows 1: every revival fails.
        {"the frail dead turn to ashes", Dead, 1, 750, Ashes, 0},
        {"the frail ashes are destroyed", Ashes, 1, 3000, -1, 0},
    };
    for (const TreatCase& c : cases) {
        CharacterFixture f;
        Creature& payer = f.Make(1, Fighter);
        payer.Gold = 5000;
        Creature& patient = f.Make(2, Fighter);
        patient.Level = 3;
        patient.Status = c.Status;
        patient.Vitality = static_cast<uint8_t>(c.Vitality);
        patient.HP = 0;
        EXPECT_EQ(TempleFee(patient), c.Fee) << c.Name;
        ASSERT_EQ(Treat(f.G(), f.Player, 2, 1, c.Fee), TreatResult::Treated) << c.Name;
        EXPECT_EQ(payer.Gold, 5000 - c.Fee) << c.Name;
        const Creature& after = f.G().Roster[2];
        if (c.StatusAfter < 0) {
            EXPECT_EQ(after.Id, 0) << c.Name;
            continue;
        }
        EXPECT_EQ(after.Status, c.StatusAfter) << c.Name;
        EXPECT_EQ(after.Revivals, c.RevivalsAfter) << c.Name;
        if (c.RevivalsAfter > 0) {
            EXPECT_EQ(after.HP, after.MaxHP) << c.Name;
        }
    }
}

TEST(Temple, OnlyThoseInTownAreListedAndThePoorArePaidNoHeed) {
    CharacterFixture f;
    Creature& payer = f.Make(1, Fighter);
    payer.Gold = 10;
    f.Make(2, Fighter).Status = Dead;
    Creature& away = f.Make(3, Fighter);
    away.Status = Dead;
    away.Floor = 2;
    f.Make(4, Fighter).Status = Lost | Dead;
    f.Make(5, Fighter);
    const std::vector<TemplePatient> patients = TemplePatients(f.G());
    ASSERT_EQ(patients.size(), 1u);
    EXPECT_EQ(patients[0].Slot, 2);
    EXPECT_EQ(patients[0].Fee, 250);
    EXPECT_EQ(Treat(f.G(), f.Player, 2, 1, patients[0].Fee), TreatResult::CannotPay);
    EXPECT_EQ(f.Player.Messages(), std::vector<std::string>{"貧乏人め！！"});
    EXPECT_EQ(f.G().Roster[2].Status, Dead);
    EXPECT_EQ(payer.Gold, 10);
}

}  // namespace
}  // namespace kv::testing
