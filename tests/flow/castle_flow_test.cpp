// The castle and the edge of town played through the real session.
#include <fstream>
#include <sstream>

#include "core/CommandMenus.h"
#include "flow/FlowHarness.h"

namespace kv::test {
namespace {

std::vector<int> MenuStatesShown(const Flow& flow) {
    std::vector<int> states;
    for (const nlohmann::json& line : flow.Lines("menu")) states.push_back(line["state"]);
    return states;
}

TEST(CastleFlow, WalksBetweenTheCastleAndTheEdgeOfTown) {
    Flow flow;
    // The title's key, E to the edge of town, Esc to its way back, and home.
    ASSERT_TRUE(flow.Run("Enter  E Enter  Esc Enter  T Enter Enter")) << flow.Error();
    EXPECT_EQ(MenuStatesShown(flow),
              (std::vector<int>{MenuStates::Castle, MenuStates::EdgeOfTown, MenuStates::Castle}));
    EXPECT_EQ(flow.State().MenuState, MenuStates::Castle);
    EXPECT_EQ(flow.Lines("menu")[1]["caption"], "町外れ");
    // The inn needs a party first.
    EXPECT_EQ(flow.Dialogs(), std::vector<std::string>{"パーティーを組んでいません"});
}

TEST(CastleFlow, ClosingTheWindowUnderAnOpenMessageStillUnloads) {
    Flow flow;
    Creature& member = flow.Scenario().Roster[3];
    member.Id = 3;
    member.Name = "アリア";
    member.Place = 1;
    member.PartyNo = 2;
    // The tavern shares the gold and says so in a message.
    ASSERT_TRUE(flow.Run("Enter  G Enter  G Enter  close  Enter")) << flow.Error();
    // The message was up when the window closed; the unload still saved after it...
    const std::vector<nlohmann::json> all = flow.Lines();
    size_t lastDialog = 0;
    size_t lastSave = 0;
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i]["t"] == "dialog") lastDialog = i;
        if (all[i]["t"] == "save") lastSave = i;
    }
    ASSERT_GT(lastSave, lastDialog);
    EXPECT_EQ(all[lastSave]["ok"], true);
    // ...with the party dissolved in town, and the placement was stored.
    EXPECT_EQ(flow.SavedGame()->Roster[3].PartyNo, 0);
    EXPECT_EQ(flow.SavedGame()->Roster[3].Place, 0);
    std::ifstream store(flow.SaveFolder().parent_path() / "config" / "TLM.ini");
    std::stringstream text;
    text << store.rdbuf();
    EXPECT_NE(text.str().find("Left"), std::string::npos) << text.str();
}

}  // namespace
}  // namespace kv::test
