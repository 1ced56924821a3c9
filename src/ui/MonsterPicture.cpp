#include "ui/MonsterPicture.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "core/DataFileLookup.h"
#include "core/Game.h"
#include "core/Settings.h"
#include "ui/Window.h"
#include "ui/WindowManager.h"

namespace kv {

Point CentredPosition(int clientWidth, int clientHeight, int boxWidth, int boxHeight) {
    return Point{clientWidth / 2 - boxWidth / 2, clientHeight / 2 - boxHeight / 2};
}

void ShowMonsterPicture(PictureBox& box, std::string_view name, const Game& game,
                        WindowManager& manager) {
    const std::string file = PictureFile(game, name);
    const std::filesystem::path found =
        file.empty() ? std::filesystem::path() : ResolveDataFile(file, game.DataFolder);
    if (found.empty()) {
        box.Visible = false;
        manager.Invalidate();
        return;
    }

    int clientWidth = WindowManager::CanvasWidth;
    int clientHeight = WindowManager::CanvasHeight;
    if (const Window* window = box.OwnerWindow(); window != nullptr) {
        clientWidth = window->Width;
        clientHeight = window->Height;
    }
    const Point at = CentredPosition(clientWidth, clientHeight, box.Width, box.Height);
    box.Move(at.X, at.Y, box.Width, box.Height);

    // A file that is there but will not decode shows nothing rather than the
    // previous monster's picture.
    std::optional<Image> picture = manager.Host().Images().Load(found.string());
    if (!picture) {
        box.ClearPicture();
        box.Visible = false;
        manager.Invalidate();
        return;
    }
    box.Visible = true;
    box.SetPicture(std::move(*picture));
    manager.Invalidate();
}

}  // namespace kv
