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

}  // namespace kv
