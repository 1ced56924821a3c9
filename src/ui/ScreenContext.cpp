#include "ui/ScreenContext.h"

#include <iostream>
#include <string>

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
        NotInstalled("the screen of menu state " + std::to_string(state));
        return;
    }
    if (!screen->Open()) Main.SetCommandMenu(state);
}

void ScreenContext::NotInstalled(std::string_view what) {
    std::cerr << "korvane: " << what << " is not installed\n";
}

}  // namespace kv
