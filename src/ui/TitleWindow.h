#pragma once
// The title: the game's picture with the version line and the loading line.
// Once loading is done the loading line becomes the start prompt, and a key
// that produces a character (or a click) starts the game.
#include <functional>
#include <string>

#include "core/Game.h"
#include "ui/Label.h"
#include "ui/MessageLabel.h"
#include "ui/PictureBox.h"
#include "ui/Window.h"

namespace kv {

class TitleWindow : public Window {
  public:
    TitleWindow(WindowManager& manager, const Game& game);

    // Replaces "Loading..." with the start prompt; from then on keys start the game.
    void FinishLoading();
    // Loading failed: the title says why, wrapped inside the window (a long
    // line, a path, breaks onto the next), and the game cannot be started.
    void FailLoading(const std::string& why);
    bool Loaded() const { return loaded_; }

    std::function<void()> OnStart;

  private:
    void Start();

    PictureBox picture_;
    Label Label1{"Label1"};   // version line
    MessageLabel lbl{"lbl"};  // loading line, then the start prompt or why loading failed
    bool loaded_ = false;
};

}  // namespace kv
