#include "ui/Control.h"

#include <algorithm>

#include "ui/Window.h"
#include "ui/WindowManager.h"

namespace kv {

Control::~Control() {
    // A control going away loses the focus without telling its owner, whose
    // other members may already be gone (a window is torn down member by member).
    OnGotFocus = nullptr;
    OnLostFocus = nullptr;
    if (parent_ != nullptr) parent_->Remove(*this);
    for (Control* child : children_) child->parent_ = nullptr;
}

void Control::Move(int left, int top, int width, int height) {
    Invalidate();  // where it was must be repainted as well as where it goes
    Left = left;
    Top = top;
    Width = std::max(0, width);
    Height = std::max(0, height);
    Invalidate();
}

void Control::Add(Control& child) {
    if (child.parent_ != nullptr) child.parent_->Remove(child);
    child.parent_ = this;
    children_.push_back(&child);
    Invalidate();
}

void Control::Remove(Control& child) {
    auto it = std::find(children_.begin(), children_.end(), &child);
    if (it == children_.end()) return;
    children_.erase(it);
    child.parent_ = nullptr;
    if (Window* window = OwnerWindow(); window != nullptr && window->Focused() == &child) {
        window->FocusControl(nullptr);
    }
    Invalidate();
}

void Control::BringToFront() {
    if (parent_ == nullptr) return;
    auto& siblings = parent_->children_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), this));
    siblings.push_back(this);
    Invalidate();
}

Window* Control::OwnerWindow() {
    Control* c = this;
    while (c->parent_ != nullptr) c = c->parent_;
    return dynamic_cast<Window*>(c);
}

bool Control::IsShown() const {
    for (const Control* c = this; c != nullptr; c = c->parent_) {
        if (!c->Visible) return false;
    }
    return true;
}

bool Control::IsUsable() const {
    for (const Control* c = this; c != nullptr; c = c->parent_) {
        if (!c->Visible || !c->Enabled) return false;
    }
    return true;
}

Rect Control::CanvasBounds() const {
    Rect r{Left, Top, Width, Height};
    for (const Control* c = parent_; c != nullptr; c = c->parent_) {
        r.X += c->Left;
        r.Y += c->Top;
    }
    return r;
}

void Control::SetFocus() {
    if (Window* window = OwnerWindow()) window->FocusControl(this);
}

bool Control::HasFocus() {
    Window* window = OwnerWindow();
    return window != nullptr && window->Focused() == this;
}

void Control::Paint(PaintContext& context) {
    PaintBackground(context, *this);
}

void Control::KeyDown(int& keyCode, int shift) {
    if (OnKeyDown) OnKeyDown(keyCode, shift);
}

void Control::KeyUp(int& keyCode, int shift) {
    if (OnKeyUp) OnKeyUp(keyCode, shift);
}

void Control::KeyPress(int& keyAscii) {
    if (OnKeyPress) OnKeyPress(keyAscii);
}

void Control::TextInput(const std::string&) {}

void Control::TextEditing(const std::string&, int) {}

void Control::MouseDown(int button, int x, int y) {
    if (OnMouseDown) OnMouseDown(button, x, y);
    if (button == 1 && OnClick) OnClick();
}

void Control::FocusChanged(bool focused) {
    Invalidate();
    if (focused && OnGotFocus) OnGotFocus();
    if (!focused && OnLostFocus) OnLostFocus();
}

void Control::Invalidate() {
    if (WindowManager* manager = Manager()) manager->Invalidate(CanvasBounds());
}

void Control::NoteUnreportedChanges(int originX, int originY, bool shown, bool usable,
                                    WindowManager& manager) {
    shown = shown && Visible;
    usable = usable && Enabled;
    const Look now{Rect{originX + Left, originY + Top, Width, Height},
                   shown,
                   usable,
                   BackColor,
                   ForeColor,
                   Face,
                   FontSize};
    if (!(now == look_)) {
        if (look_.Shown) manager.Invalidate(look_.Box);
        if (now.Shown) manager.Invalidate(now.Box);
        look_ = now;
    }
    for (Control* child : children_) {
        child->NoteUnreportedChanges(now.Box.X, now.Box.Y, shown, usable, manager);
    }
}

WindowManager* Control::Manager() {
    Window* window = OwnerWindow();
    return window != nullptr ? &window->Manager() : nullptr;
}

void PaintBackground(PaintContext& context, const Control& control) {
    context.Surface.FillRect(Rect{context.X, context.Y, control.Width, control.Height},
                             control.BackColor);
}

void PaintBevel(Canvas& canvas, Rect r, bool raised) {
    if (r.W < 2 || r.H < 2) return;
    const uint32_t light = raised ? ColourWhite : ColourShadow;
    const uint32_t dark = raised ? ColourShadow : ColourWhite;
    canvas.FillRect(Rect{r.X, r.Y, r.W - 1, 1}, light);
    canvas.FillRect(Rect{r.X, r.Y, 1, r.H - 1}, light);
    canvas.FillRect(Rect{r.X, r.Y + r.H - 1, r.W, 1}, dark);
    canvas.FillRect(Rect{r.X + r.W - 1, r.Y, 1, r.H}, dark);
}

}  // namespace kv
