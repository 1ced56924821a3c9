#include "ui/ScreenContext.h"

#include "ui/MainWindow.h"
#include "ui/SavePoint.h"

namespace kv {

void ScreenContext::Register(int state, Screen& screen) {
    Main.Register(state, screen);
}

bool ScreenContext::Save() {
    return SaveAtSavePoint(TheGame, Windows, &Messages);
}

void ScreenContext::Open(int state) {
    Screen* screen = Main.ScreenFor(state);
    if (screen == nullptr) {
        NotBuiltYet();
        return;
    }
    if (!screen->Open()) Main.SetCommandMenu(state);
}

void ScreenContext::NotBuiltYet() {
    ThePlayer.Message("ここはまだ準備中です。");
}

}  // namespace kv
