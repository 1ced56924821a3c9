#pragma once
// One of the two message / question / input dialog windows. It is a framed
// dark panel sized to its text: the message, then either an input box or the
// two answer labels. What the keys and clicks do is wired by the dialog
// service (Dialogs.h); this class only holds the controls and lays them out.
#include <string>
#include <string_view>

#include "core/Player.h"
#include "ui/AccessLabel.h"
#include "ui/MessageLabel.h"
#include "ui/PanelEx.h"
#include "ui/TextBox.h"
#include "ui/Window.h"

namespace kv {

// The three kinds of dialog, by the names the windows use.
inline constexpr DialogKind DialogInput = DialogKind::Input;
inline constexpr DialogKind DialogMessage = DialogKind::Message;
inline constexpr DialogKind DialogYesNo = DialogKind::YesNo;

class DialogWindow : public Window {
  public:
    DialogWindow(WindowManager& manager, std::string name);

    PanelEx fraBack;                    // the whole window: frame and background
    MessageLabel lblTitle{"lblTitle"};  // who speaks, or what is done; hidden when empty
    MessageLabel lblMsg{"lblMsg"};
    TextBox txtMsg{"txtMsg"};
    AccessLabel lblYes{"lblYes"};
    AccessLabel lblNo{"lblNo"};
    DialogKind Kind = DialogMessage;  // what the window is showing now

    // Takes the kind, and sizes the window for it, the title and the text
    // (already set in lblTitle and lblMsg),
    // shows the controls the kind uses and hides the others. Leaves the
    // window's position alone.
    void Arrange(DialogKind kind);
    // Centred across the canvas, and down (or at this top).
    void PlaceCentred();
    void PlaceAtTop(int top);

    // The dialog draws nothing of its own: its panel covers it and must see
    // what lies beneath the window.
    void Paint(PaintContext&) override {}
};

}  // namespace kv
