#include "ui/ScreenDisplay.h"

#include "core/Settings.h"
#include "ui/MainWindow.h"
#include "ui/Music.h"
#include "ui/ScreenContext.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr double SecondsPerDay = 24 * 60 * 60;
constexpr uint32_t SacrificeBack = Rgb(128, 0, 0);  // dark red

void CallPart(const std::function<void()>& part) {
    if (part) part();
}

}  // namespace

void ScreenDisplay::Redraw() {
    CallPart(RedrawMaze);
}

void ScreenDisplay::RefreshParty() {
    context_.Main.RefreshPartyPanel();
}

void ScreenDisplay::PlayScene(int scene) {
    context_.Music.PlayScene(scene);
}

void ScreenDisplay::ShowMove(MoveKind kind) {
    if (ShowMoveArrow) ShowMoveArrow(kind);
}

void ScreenDisplay::Save() {
    context_.Save();
}

void ScreenDisplay::ShowCastle() {
    CallPart(ShowCastleMenu);
}

void ScreenDisplay::ShowPartyWindow(bool shown) {
    MainWindow& main = context_.Main;
    main.fraParty.Visible = shown;
    if (!shown) return;
    main.EndPartySelection();
    context_.Music.PlayScene(SceneCastle);
}

void ScreenDisplay::HideMonsterPicture() {
    CallPart(HideBattlePicture);
}

double ScreenDisplay::SecondsRunning() {
    // The clock counts from midnight: a run across it wraps once.
    const double s =
        context_.Windows.Host().Time().SecondsSinceMidnight() - context_.TheGame.StartTime;
    return s < 0 ? s + SecondsPerDay : s;
}

void ScreenDisplay::ShowSacrifice(bool shown) {
    context_.Main.BackColor = shown ? SacrificeBack : ColourBlack;
    context_.Windows.Invalidate();
}

void ScreenDisplay::OpenPersonPanel(std::string_view greeting) {
    if (MeetPerson) MeetPerson(greeting);
}

}  // namespace kv
