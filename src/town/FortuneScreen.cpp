#include "town/FortuneScreen.h"

#include <array>

#include "character/Party.h"
#include "core/CommandMenus.h"
#include "core/Settings.h"
#include "core/StringTable.h"
#include "items/Fusion.h"
#include "town/CastleScreen.h"
#include "town/RankWindow.h"
#include "town/TownScreen.h"
#include "ui/MainWindow.h"
#include "ui/Music.h"

namespace kv {

namespace {

// The rankings of the menu's rows in order; fusion and the way back follow.
constexpr std::array<RankingKind, 9> RowRankings = {
    RankingKind::Level,          RankingKind::MaxHP,     RankingKind::Marks,
    RankingKind::Revivals,       RankingKind::Criticals, RankingKind::ItemsFound,
    RankingKind::MonstersKilled, RankingKind::ItemList,  RankingKind::MonsterList};
constexpr int FusionRow = 9;

class FortuneScreen : public Screen {
  public:
    explicit FortuneScreen(ScreenContext& context) : context_(context) {}

    // The star reader has a tune of its own; her menu then shows as it is.
    bool Open() override {
        context_.Music.PlayScene(SceneStarReader);
        return false;
    }

    void CarryOut(int row) override {
        if (context_.TheGame.MenuState == MenuStates::Fusion) {
            Fuse(row);
            return;
        }
        if (row >= 0 && row < static_cast<int>(RowRankings.size())) {
            ShowRanking(context_, RowRankings[static_cast<size_t>(row)]);
        } else if (row == FusionRow) {
            if (!RefuseEmptyParty(context_.TheGame, context_.ThePlayer)) ShowFusion(0);
        } else {
            SetTownLabel(context_.Main, "");
            ShowCastle(context_);
        }
    }

  private:
    void ShowFusion(int row) {
        CommandMenu menu;
        menu.Rows = FusionRows(context_.TheGame);
        SetTownLabel(context_.Main, ResString(Str::FusionPrompt));
        context_.Main.SetCommandMenu(MenuStates::Fusion, menu, row);
    }

    void Fuse(int row) {
        if (row < 0 || row >= FusionRecipeCount) {
            SetTownLabel(context_.Main, "");
            context_.Main.SetCommandMenu(MenuStates::FortuneTeller, FusionRow);
            return;
        }
        const FusionOutcome outcome = FuseItems(context_.TheGame, context_.ThePlayer, row + 1);
        if (outcome == FusionOutcome::Lost || outcome == FusionOutcome::Made ||
            outcome == FusionOutcome::NoRoom) {
            context_.Main.RefreshPartyPanel();
            context_.Save();
        }
        ShowFusion(row);
    }

    ScreenContext& context_;
};

}  // namespace

void InstallFortuneScreen(ScreenContext& context) {
    FortuneScreen& fortune = context.Install<FortuneScreen>(MenuStates::FortuneTeller, context);
    context.Register(MenuStates::Fusion, fortune);
}

}  // namespace kv
