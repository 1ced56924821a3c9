// Rebirth by keys alone: a character of each earlier scenario's save file,
// found in the save folder, comes over into the roster and the save.
#include <fstream>

#include "flow/FlowHarness.h"
#include "transfer/OldSaveImage.h"

namespace kv::test {
namespace {

TEST(RebirthFlow, EachEarlierScenarioGivesACharacterByKeys) {
    for (int source = 1; source <= TransferSourceCount; ++source) {
        Flow flow;
        const TransferSource& from = TransferSources[static_cast<size_t>(source - 1)];
        kv::testing::OldRecordValues old;
        old.Name = "ミナ";
        old.Class = 4;
        old.Alignment = 1;
        old.Exp = 500;
        std::ofstream(flow.SaveFolder() / std::string(from.FileName), std::ios::binary)
            << kv::testing::OldSaveFile(from, {old});
        // Title, edge of town, training grounds, T; the scenario's row; its
        // first character; the message.
        std::string keys = "Enter  E Enter  T Enter  T Enter  ";
        for (int row = 1; row < source; ++row) keys += "Down ";
        keys += "Enter  Enter  Enter";
        ASSERT_TRUE(flow.Run(keys)) << flow.Error();
        const auto saved = flow.SavedGame();
        const Creature& c = saved->Roster[1];
        EXPECT_EQ(c.Id, 1) << from.FileName;
        EXPECT_EQ(c.Name, "ミナ") << from.FileName;
        EXPECT_EQ(c.Class, 4) << from.FileName;
        EXPECT_EQ(c.Level, 1) << from.FileName;
        EXPECT_EQ(c.Exp, 500) << from.FileName;
    }
}

}  // namespace
}  // namespace kv::test
