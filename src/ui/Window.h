#pragma once
// A top-level window: the main window, the title, every modal dialog. Its
// Left/Top are canvas positions. Keys reach the window first when KeyPreview
// is on (as the game's forms use it), then its focused control.
#include <string>

#include "ui/Control.h"

namespace kv {

class WindowManager;

class Window : public Control {
  public:
    explicit Window(WindowManager& manager);
    ~Window() override;

    bool KeyPreview = false;
    // A window that names the whole program (main window, title) shows its
    // caption on the real window's title bar.
    bool OwnsCaption = false;
    int ModalResult = 0;

    // Asked when the player closes the real window while this window is on
    // top; return false to refuse. The default ends the run.
    std::function<bool()> OnCloseAsked;
    std::function<void()> OnActivate;

    void SetCaption(const std::string& caption);
    const std::string& Caption() const { return caption_; }

    void Show();  // not modal: put on top of the stack
    // Gives the window this size in the middle of the game picture.
    void CentreOnCanvas(int width, int height);
    // A window that only shows something closes on Esc, Backspace or Enter
    // reaching the control (the window itself, or the list that has the keys).
    void CloseOnBackOrEnter(Control& control);
    int ShowModal();  // blocks until the window is hidden; returns ModalResult
    void Hide();
    bool IsOpen() const;  // on the window stack

    Control* Focused() const { return focused_; }
    void FocusControl(Control* control);
    void FocusNext(bool backwards);  // Tab order: the order controls were added

    WindowManager& Manager() const { return manager_; }

    // Routing, called by the window manager.
    void DispatchKeyDown(int keyCode, int shift);
    // False when nothing heard the key-up, so nothing can have changed.
    bool DispatchKeyUp(int keyCode, int shift);
    void DispatchText(const std::string& utf8);
    void DispatchEditing(const std::string& utf8, int cursor);
    void DispatchMouseDown(int button, int canvasX, int canvasY);

    void Paint(PaintContext& context) override;
    // Paints the window and its visible children in z-order, inside area
    // (the whole canvas unless only part of it changed).
    void PaintTree(Canvas& canvas, GlyphCache& glyphs, Rect area);
    void PaintTree(Canvas& canvas, GlyphCache& glyphs) {
        PaintTree(canvas, glyphs, Rect{0, 0, canvas.Width(), canvas.Height()});
    }
    // True when the window's last paint filled its whole bounds with its
    // background (windows that paint nothing of their own are see-through).
    bool PaintedBackground() const { return paintedBackground_; }

  private:
    Control* KeyTarget() const;

    WindowManager& manager_;
    std::string caption_;
    Control* focused_ = nullptr;
    bool paintedBackground_ = false;
};

// The character a key press produces, as the KeyPress event gives it:
// Backspace 8, Tab 9, Enter 13, Esc 27, Space 32, digits, and letters (lower
// case unless Shift is held). 0 for keys that produce none or with Ctrl/Alt.
int KeyAsciiFor(int keyCode, int shift);

}  // namespace kv
