#include "ui/Window.h"

#include <algorithm>

#include "platform/Keys.h"
#include "ui/Button.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

// Every control that can take the focus, in the order it was added.
void CollectFocusable(Control& control, std::vector<Control*>& out) {
    for (Control* child : control.Children()) {
        if (child->CanFocus() && child->TabStop && child->IsUsable()) out.push_back(child);
        CollectFocusable(*child, out);
    }
}

// The topmost usable control under a point, searching children last-added first.
Control* HitTest(Control& control, int x, int y) {
    const auto& children = control.Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        Control* child = *it;
        if (!child->Visible) continue;
        if (!Rect{child->Left, child->Top, child->Width, child->Height}.Contains(x, y)) continue;
        // A disabled control takes no clicks, nor does anything inside it.
        if (!child->Enabled) return nullptr;
        if (Control* inner = HitTest(*child, x - child->Left, y - child->Top)) return inner;
        return child;
    }
    return nullptr;
}

// The first usable control, in the order added, that passes the test.
template <typename Test>
Control* FindUsable(Control& control, const Test& test) {
    for (Control* child : control.Children()) {
        if (!child->IsUsable()) continue;
        if (test(*child)) return child;
        if (Control* inner = FindUsable(*child, test)) return inner;
    }
    return nullptr;
}

// The button Enter (Default) or Esc (Cancel) presses on this window, if any.
Button* RoutedButton(Window& window, int keyCode, int shift) {
    if ((shift & (Key::CtrlMask | Key::AltMask)) != 0) return nullptr;
    if (keyCode != Key::Return && keyCode != Key::Escape) return nullptr;
    const bool enter = keyCode == Key::Return;
    return static_cast<Button*>(FindUsable(window, [enter](Control& c) {
        const auto* button = dynamic_cast<const Button*>(&c);
        return button != nullptr && (enter ? button->Default : button->Cancel);
    }));
}

void PaintChildren(Control& control, Canvas& canvas, GlyphCache& glyphs, int originX, int originY,
                   Rect clip) {
    for (Control* child : control.Children()) {
        if (!child->Visible) continue;
        const int x = originX + child->Left;
        const int y = originY + child->Top;
        // A child is clipped to itself and to every parent around it.
        const int left = std::max(clip.X, x);
        const int top = std::max(clip.Y, y);
        const int right = std::min(clip.X + clip.W, x + child->Width);
        const int bottom = std::min(clip.Y + clip.H, y + child->Height);
        if (right <= left || bottom <= top) continue;
        const Rect childClip{left, top, right - left, bottom - top};
        canvas.SetClip(childClip);
        PaintContext context{canvas, glyphs, x, y};
        child->Paint(context);
        PaintChildren(*child, canvas, glyphs, x, y, childClip);
    }
}

}  // namespace

Window::Window(WindowManager& manager) : manager_(manager) {
    Width = WindowManager::CanvasWidth;
    Height = WindowManager::CanvasHeight;
}

Window::~Window() {
    manager_.Forget(*this);
}

void Window::SetCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    manager_.CaptionChanged();
    Invalidate();
}

void Window::CentreOnCanvas(int width, int height) {
    Move((WindowManager::CanvasWidth - width) / 2, (WindowManager::CanvasHeight - height) / 2,
         width, height);
}

void Window::CloseOnBackOrEnter(Control& control) {
    control.OnKeyDown = [this](int& keyCode, int) {
        if (Key::IsBack(keyCode) || keyCode == Key::Return) {
            keyCode = 0;
            Hide();
        }
    };
}

void Window::Show() {
    manager_.Show(*this);
}

int Window::ShowModal() {
    return manager_.RunModal(*this);
}

void Window::Hide() {
    manager_.Hide(*this);
}

bool Window::IsOpen() const {
    return manager_.IsOpen(*this);
}

void Window::FocusControl(Control* control) {
    if (control == focused_) return;
    Control* old = focused_;
    focused_ = control;
    if (old != nullptr) old->FocusChanged(false);
    if (control != nullptr) control->FocusChanged(true);
    manager_.FocusMoved();
}

void Window::FocusNext(bool backwards) {
    std::vector<Control*> order;
    CollectFocusable(*this, order);
    if (order.empty()) return;
    auto it = std::find(order.begin(), order.end(), focused_);
    size_t index = 0;
    if (it != order.end()) {
        const size_t at = static_cast<size_t>(it - order.begin());
        index = backwards ? (at + order.size() - 1) % order.size() : (at + 1) % order.size();
    } else if (backwards) {
        index = order.size() - 1;
    }
    FocusControl(order[index]);
}

Control* Window::KeyTarget() const {
    return focused_ != nullptr && focused_->IsUsable() ? focused_ : nullptr;
}

void Window::DispatchKeyDown(int keyCode, int shift) {
    // Enter and Esc go straight to the window's Default and Cancel buttons; a
    // focused button takes Enter itself.
    if (Button* routed = RoutedButton(*this, keyCode, shift)) {
        auto* focusedButton = dynamic_cast<Button*>(KeyTarget());
        (keyCode == Key::Return && focusedButton != nullptr ? focusedButton : routed)->Press();
        return;
    }
    // The window sees the key first when it previews keys, and instead of a
    // control when nothing has the focus.
    Control* target = KeyTarget();
    if (KeyPreview || target == nullptr) Control::KeyDown(keyCode, shift);
    if (keyCode != 0 && (shift & Key::AltMask) != 0) {
        const int wanted = keyCode;
        if (Control* keyed =
                FindUsable(*this, [wanted](Control& c) { return c.AccessKey() == wanted; })) {
            keyed->AccessKeyPressed();
            return;
        }
    }
    target = KeyTarget();  // the window's handler may have moved the focus
    if (keyCode != 0 && target != nullptr) target->KeyDown(keyCode, shift);
    if (keyCode == 0) return;
    target = KeyTarget();
    if (keyCode == Key::Tab && (target == nullptr || !target->WantsTab()) &&
        (shift & (Key::CtrlMask | Key::AltMask)) == 0) {
        FocusNext((shift & Key::ShiftMask) != 0);
        return;
    }
    int ascii = KeyAsciiFor(keyCode, shift);
    if (ascii == 0) return;
    if (KeyPreview || target == nullptr) Control::KeyPress(ascii);
    target = KeyTarget();
    if (ascii != 0 && target != nullptr) target->KeyPress(ascii);
}

bool Window::DispatchKeyUp(int keyCode, int shift) {
    // Keys the buttons took on the way down are not seen coming up either.
    if (RoutedButton(*this, keyCode, shift) != nullptr) return false;
    bool heard = false;
    Control* target = KeyTarget();
    if (KeyPreview || target == nullptr) {
        heard = HearsKeyUp();
        Control::KeyUp(keyCode, shift);
    }
    target = KeyTarget();
    if (keyCode != 0 && target != nullptr) {
        heard = heard || target->HearsKeyUp();
        target->KeyUp(keyCode, shift);
    }
    return heard;
}

void Window::DispatchText(const std::string& utf8) {
    if (Control* target = KeyTarget()) target->TextInput(utf8);
}

void Window::DispatchEditing(const std::string& utf8, int cursor) {
    if (Control* target = KeyTarget()) target->TextEditing(utf8, cursor);
}

void Window::DispatchMouseDown(int button, int canvasX, int canvasY) {
    const int x = canvasX - Left;
    const int y = canvasY - Top;
    if (x < 0 || y < 0 || x >= Width || y >= Height) return;
    Control* hit = HitTest(*this, x, y);
    if (hit == nullptr) {
        Control::MouseDown(button, x, y);
        return;
    }
    const Rect bounds = hit->CanvasBounds();
    if (hit->CanFocus() && hit->TabStop) hit->SetFocus();
    hit->MouseDown(button, canvasX - bounds.X, canvasY - bounds.Y);
}

void Window::Paint(PaintContext& context) {
    // A picture laid over the whole window (the town behind the menus) hides
    // the background: filling it first would be a full-screen fill a frame.
    const auto& children = Children();
    const bool covered = std::any_of(children.begin(), children.end(), [this](const Control* c) {
        return c->Visible && c->Left <= 0 && c->Top <= 0 && int64_t{c->Left} + c->Width >= Width &&
               int64_t{c->Top} + c->Height >= Height && c->PaintsWholeBox();
    });
    if (!covered) PaintBackground(context, *this);
    paintedBackground_ = true;
}

void Window::PaintTree(Canvas& canvas, GlyphCache& glyphs, Rect area) {
    const int left = std::max({0, Left, area.X});
    const int top = std::max({0, Top, area.Y});
    const int right = std::min({canvas.Width(), Left + Width, area.X + area.W});
    const int bottom = std::min({canvas.Height(), Top + Height, area.Y + area.H});
    if (right <= left || bottom <= top) return;
    const Rect clip{left, top, right - left, bottom - top};
    canvas.SetClip(clip);
    PaintContext context{canvas, glyphs, Left, Top};
    paintedBackground_ = false;
    Paint(context);
    PaintChildren(*this, canvas, glyphs, Left, Top, clip);
    canvas.ResetClip();
}

int KeyAsciiFor(int keyCode, int shift) {
    if ((shift & (Key::CtrlMask | Key::AltMask)) != 0) return 0;
    switch (keyCode) {
        case Key::Back:
        case Key::Tab:
        case Key::Return:
        case Key::Escape:
        case Key::Space:
            return keyCode;
        default:
            break;
    }
    if (keyCode >= Key::Digit0 && keyCode <= Key::Digit0 + 9) return keyCode;
    if (keyCode >= Key::Numpad0 && keyCode <= Key::Numpad0 + 9) return '0' + keyCode - Key::Numpad0;
    if (keyCode >= Key::A && keyCode < Key::A + 26) {
        return (shift & Key::ShiftMask) != 0 ? keyCode : keyCode + ('a' - 'A');
    }
    return 0;
}

}  // namespace kv
