#include "ui/SavePoint.h"

#include "core/SaveFile.h"
#include "ui/Dialogs.h"
#include "ui/WindowManager.h"

namespace kv {

bool SaveAtSavePoint(Game& game, WindowManager& manager, Dialogs* dialogs) {
    // Once the run is ending (the window closed under an open dialog), the
    // unload has written the last save; a handler still unwinding must not
    // write a half-finished action over it.
    if (manager.Quitting()) return false;
    const SaveResult result = SaveGame(game, manager.Now());
    manager.Log().Save((game.SaveFolder / SaveFileName).string(), result.Ok);
    if (result.Ok && result.Message.empty()) {
        game.SaveTroubleTold = false;
    } else if (!game.SaveTroubleTold && dialogs != nullptr) {
        game.SaveTroubleTold = true;
        dialogs->ShowDialog(
            result.Ok
                ? "バックアップを作れませんでした。\nセーブはできています。\n" + result.Message
                : "セーブできませんでした。\n前のセーブはそのまま残っています。\n" + result.Message,
            DialogMessage);
    }
    return result.Ok;
}

}  // namespace kv
