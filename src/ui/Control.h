#pragma once
// Retained controls. A window owns its controls as members and adds them in
// z-order; the window manager paints every visible window, bottom to top, into
// the one canvas and routes keys to the focused control of the top window.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "ui/Canvas.h"

namespace kv {

class Window;
class WindowManager;

// Colours the controls start with: the game is light text on black.
constexpr uint32_t ColourBlack = Rgb(0, 0, 0);
constexpr uint32_t ColourWhite = Rgb(255, 255, 255);
constexpr uint32_t ColourGrey = Rgb(128, 128, 128);
constexpr uint32_t ColourLightGrey = Rgb(192, 192, 192);
constexpr uint32_t ColourFace = Rgb(212, 208, 200);   // raised button face
constexpr uint32_t ColourShadow = Rgb(64, 64, 64);    // bevel dark edge
constexpr uint32_t ColourHighlight = Rgb(0, 0, 128);  // selection

struct PaintContext {
    Canvas& Surface;
    GlyphCache& Glyphs;
    int X = 0;  // the control's top-left on the canvas
    int Y = 0;
};

class Control {
  public:
    Control() = default;
    // Named at construction, as the window declares it (lstCommandList{"lstCommandList"}).
    explicit Control(std::string name) : Name(std::move(name)) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    std::string Name;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = true;
    bool Enabled = true;
    bool TabStop = false;
    uint32_t BackColor = ColourBlack;
    uint32_t ForeColor = ColourWhite;
    FontFace Face = FontFace::Gothic;
    int FontSize = 16;

    // Event procedures. A key handler may set keyCode (or keyAscii) to 0 to
    // swallow the key.
    std::function<void(int& keyCode, int shift)> OnKeyDown;
    std::function<void(int& keyCode, int shift)> OnKeyUp;
    std::function<void(int& keyAscii)> OnKeyPress;
    std::function<void(int button, int x, int y)> OnMouseDown;
    std::function<void()> OnClick;
    std::function<void()> OnGotFocus;
    std::function<void()> OnLostFocus;

    void Move(int left, int top, int width, int height);
    void Add(Control& child);  // appended on top of the earlier children
    void Remove(Control& child);
    void BringToFront();
    const std::vector<Control*>& Children() const { return children_; }
    Control* Parent() const { return parent_; }
    Window* OwnerWindow();

    // Visible and enabled, and so are all its parents.
    bool IsShown() const;
    bool IsUsable() const;
    Rect CanvasBounds() const;  // position on the canvas

    void SetFocus();  // gives this control the focus of its window
    bool HasFocus();

    // Overridden by concrete controls; the defaults call the event procedures.
    virtual void Paint(PaintContext& context);
    virtual void KeyDown(int& keyCode, int shift);
    virtual void KeyUp(int& keyCode, int shift);
    // Whether a key-up can change anything here. Key-ups that nothing hears
    // cost no repaint, so a control that overrides KeyUp overrides this too.
    virtual bool HearsKeyUp() const { return static_cast<bool>(OnKeyUp); }
    virtual void KeyPress(int& keyAscii);
    virtual void TextInput(const std::string& utf8);
    virtual void TextEditing(const std::string& utf8, int cursor);
    virtual void MouseDown(int button, int x, int y);  // x, y inside the control
    virtual bool WantsTextInput() const { return false; }
    virtual bool WantsTab() const { return false; }
    virtual bool CanFocus() const { return false; }
    virtual void FocusChanged(bool focused);
    // The key that reaches this control with Alt held (the upper-case letter or
    // digit marked with '&' in its caption), or 0; and what that key does.
    virtual int AccessKey() const { return 0; }
    virtual void AccessKeyPressed() {}
    // True when painting leaves no pixel of the box as it was (a picture
    // that fills it): what lies beneath need not be painted first.
    virtual bool PaintsWholeBox() const { return false; }

    // Before a repaint of part of the frame: every control of the tree whose
    // box, visibility, enablement, colours or font were set directly since
    // the last look (without a word to the window manager) has where it was
    // and where it is now added to the area repainted.
    void NoteUnreportedChanges(int originX, int originY, bool shown, bool usable,
                               WindowManager& manager);

  protected:
    // Asks for a repaint of the control's box on the next turn of the loop.
    void Invalidate();
    WindowManager* Manager();

  private:
    friend class Window;
    // What the last repaint saw of the control.
    struct Look {
        Rect Box;
        bool Shown = false;
        bool Usable = false;
        uint32_t Back = 0;
        uint32_t Fore = 0;
        FontFace Face = FontFace::Gothic;
        int FontSize = 0;
        bool operator==(const Look&) const = default;
    };
    Look look_;
    Control* parent_ = nullptr;
    std::vector<Control*> children_;
};

// Paints a control's own background rectangle.
void PaintBackground(PaintContext& context, const Control& control);
// A raised (button) or sunken (text box) bevel just inside the rectangle.
void PaintBevel(Canvas& canvas, Rect r, bool raised);

}  // namespace kv
