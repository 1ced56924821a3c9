#pragma once
// The display the rules see in the main program. The party panel, the
// music, the save and the clock are the main window's own; the maze view,
// its move arrow, the battle's picture and the castle belong to the screens
// of their subsystems, which fill in their parts as they are installed (a
// part left empty shows nothing).
#include <functional>

#include "core/GameDisplay.h"

namespace kv {

struct ScreenContext;

class ScreenDisplay final : public GameDisplay {
  public:
    explicit ScreenDisplay(ScreenContext& context) : context_(context) {}

    void Redraw() override;
    void RefreshParty() override;
    void PlayScene(int scene) override;
    void ShowMove(MoveKind kind) override;
    void Save() override;
    void ShowCastle() override;
    void ShowPartyWindow(bool shown) override;
    void HideMonsterPicture() override;
    double SecondsRunning() override;
    void ShowSacrifice(bool shown) override;
    void OpenPersonPanel(std::string_view greeting) override;

    // Filled by the maze screen.
    std::function<void()> RedrawMaze;
    std::function<void(MoveKind)> ShowMoveArrow;
    std::function<void(std::string_view)> MeetPerson;
    // Filled by the castle screen.
    std::function<void()> ShowCastleMenu;
    // Filled by the battle screen.
    std::function<void()> HideBattlePicture;

  private:
    ScreenContext& context_;
};

}  // namespace kv
