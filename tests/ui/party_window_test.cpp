// The party window's selection bar and the reorder panel on the main window.
#include <memory>
#include <string>
#include <vector>

#include "core/CommandMenus.h"
#include "core/Game.h"
#include "core/PartyPanel.h"
#include "ui/MainWindow.h"
#include "ui/UiFixture.h"

namespace kv::test {
namespace {

class Recorder : public Screen {
  public:
    explicit Recorder(Game& game) : game_(game) {}
    void CarryOut(int) override {}
    void MemberChosen() override { log.push_back("chose:" + std::to_string(game_.CurrentChar)); }
    void PartySelectionLeft() override { log.push_back("left"); }
    void ReorderClosed() override { log.push_back("reorder closed"); }
    std::vector<std::string> log;

  private:
    Game& game_;
};

class PartyWindowTest : public UiTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Start());
        game_ = std::make_unique<Game>();
        // Three members in town, in slots 4, 9, 2 (marching order).
        int pos = 1;
        for (int slot : {4, 9, 2}) {
            Creature& c = game_->Roster[static_cast<size_t>(slot)];
            c.Id = slot;
            c.Name = "M" + std::to_string(slot);
            c.Place = 1;
            c.PartyPos = static_cast<uint8_t>(pos++);
        }
        main_ = std::make_unique<MainWindow>(Manager(), *game_);
        recorder_ = std::make_unique<Recorder>(*game_);
        main_->Register(MenuStates::Tavern, *recorder_);
        main_->Show();
        main_->SetCommandMenu(MenuStates::Tavern);
        main_->RefreshPartyPanel();
    }
    void SetSavedOrder() {
        SetMarchingOrder(*game_, {4, 9, 2});
        main_->RefreshPartyPanel();
    }
    std::vector<int> Order() const {
        return {game_->PartyList[1], game_->PartyList[2], game_->PartyList[3]};
    }

    std::unique_ptr<Game> game_;
    std::unique_ptr<Recorder> recorder_;
    std::unique_ptr<MainWindow> main_;
};

TEST_F(PartyWindowTest, TheBarFollowsTheCursorKeys) {
    struct Case {
        int key;
        int cursor;
    };
    // From member 1 of three.
    const std::vector<Case> cases = {
        {Key::Up, 3},   {Key::Up, 2},  {Key::Down, 3},   {Key::Right, 1},    {Key::Left, 3},
        {Key::Home, 1}, {Key::End, 3}, {Key::PageUp, 1}, {Key::PageDown, 3},
    };
    EXPECT_FALSE(main_->shpPartyBar.Visible);
    main_->BeginPartySelection();
    EXPECT_TRUE(main_->shpPartyBar.Visible);
    EXPECT_FALSE(main_->lstCommandList.Enabled);
    for (const Case& test : cases) {
        Tap(test.key);
        EXPECT_EQ(game_->PartyCursor, test.cursor) << test.key;
        EXPECT_EQ(main_->shpPartyBar.Left, MainWindow::PartyBarLeft);
        EXPECT_EQ(main_->shpPartyBar.Top, 16 * test.cursor) << test.key;
    }
    Tap(Key::Home);
    Tap(Key::Return);
    Tap(Key::Digit0 + 5);  // past the last member: the last one
    Tap(Key::Escape);
    EXPECT_EQ(recorder_->log, (std::vector<std::string>{"chose:4", "chose:2", "left"}));
    main_->EndPartySelection();
    EXPECT_FALSE(main_->shpPartyBar.Visible);
    EXPECT_FALSE(main_->fraParty.Enabled);
}

TEST_F(PartyWindowTest, TheReorderPanelTurnsRowsRoundAndTakesTheOrder) {
    struct Case {
        std::vector<int> keys;
        std::vector<int> order;  // the marching order afterwards
    };
    constexpr int F = Key::A + ('F' - 'A');
    constexpr int B = Key::A + ('B' - 'A');
    constexpr int O = Key::A + ('O' - 'A');
    const std::vector<Case> cases = {
        // The top row moved up goes to the bottom.
        {{F, O}, {9, 2, 4}},
        // The bottom row moved down comes to the top.
        {{Key::End, B, Key::Return}, {2, 4, 9}},
        // The current row stays current as it moves.
        {{B, B, O}, {9, 2, 4}},
        {{Key::Down, F, Key::Return}, {9, 4, 2}},
        // Esc keeps the order.
        {{F, B, Key::Down, F, Key::Escape}, {4, 9, 2}},
    };
    for (const Case& test : cases) {
        SetSavedOrder();
        main_->OpenReorder();
        ASSERT_TRUE(main_->fraReorder.Visible);
        ASSERT_TRUE(main_->fraReorder.lstReorder.HasFocus());
        for (int key : test.keys) Tap(key);
        EXPECT_FALSE(main_->fraReorder.Visible);
        EXPECT_EQ(Order(), test.order);
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(game_->Roster[static_cast<size_t>(game_->PartyList[i])].PartyPos, i);
        }
    }
    EXPECT_EQ(recorder_->log.size(), cases.size()) << "each close tells the screen";
}

}  // namespace
}  // namespace kv::test
