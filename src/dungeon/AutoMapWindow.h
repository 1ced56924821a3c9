#pragma once
// frmAutoMap: the current floor from above as far as the party knows it,
// its position and facing on the line below. Enter, Esc or Backspace
// closes it.
#include <string>
#include <vector>

#include "core/Game.h"
#include "ui/Window.h"

namespace kv {

class AutoMapWindow : public Window {
  public:
    AutoMapWindow(WindowManager& windows, const Game& game);

    void Paint(PaintContext& context) override;

    // One text row a map row: "?" never seen, "-" dark, "." known, "@" the
    // party; what the transcript records when the window opens.
    std::vector<std::string> Rows() const;
    // Writes what the window shows to the transcript.
    void Announce();
    // Announces the window and puts it on top without waiting for it.
    void Open();

  private:
    void PaintCell(PaintContext& context, int x, int y);

    const Game& game_;
};

// Shows the automap modally until it is closed.
void ShowAutomap(WindowManager& windows, const Game& game);

}  // namespace kv
