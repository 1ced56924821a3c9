#include "ui/WindowManager.h"

#include <algorithm>
#include <iostream>

#include "platform/Keys.h"
#include "platform/Screenshots.h"
#include "ui/Timer.h"
#include "ui/Window.h"

namespace kv {

WindowManager::WindowManager(Platform& platform, Transcript& transcript)
    : platform_(platform),
      transcript_(transcript),
      glyphs_(platform.Fonts()),
      frame_(CanvasWidth, CanvasHeight) {}

WindowManager::~WindowManager() {
    for (Timer* timer : timers_) {
        timer->manager_ = nullptr;
        timer->dueAt_ = -1;
    }
}

int64_t WindowManager::Now() const {
    return platform_.Time().NowMs();
}

void WindowManager::Show(Window& window) {
    auto it = std::find(stack_.begin(), stack_.end(), &window);
    if (it != stack_.end()) stack_.erase(it);
    stack_.push_back(&window);
    window.Visible = true;
    if (window.OnActivate) window.OnActivate();
    CaptionChanged();
    FocusMoved();
    dirty_ = true;
}

void WindowManager::Hide(Window& window) {
    auto it = std::find(stack_.begin(), stack_.end(), &window);
    window.Visible = false;
    if (it == stack_.end()) return;
    stack_.erase(it);
    CaptionChanged();
    FocusMoved();
    dirty_ = true;
}

bool WindowManager::IsOpen(const Window& window) const {
    return std::find(stack_.begin(), stack_.end(), &window) != stack_.end();
}

Window* WindowManager::Top() const {
    return stack_.empty() ? nullptr : stack_.back();
}

int WindowManager::RunModal(Window& window) {
    window.ModalResult = 0;
    Show(window);
    ++modalDepth_;
    // The loop belongs to this window: it ends when the window is hidden,
    // however deep the loops opened above it went meanwhile.
    while (IsOpen(window) && Step()) {
    }
    --modalDepth_;
    if (Quitting()) Hide(window);
    return window.ModalResult;
}

void WindowManager::Run() {
    while (!stack_.empty() && Step()) {
    }
}

bool WindowManager::Step() {
    if (Quitting()) return false;
    if (dirty_) Redraw();
    InputEvent event;
    if (platform_.Events().WaitEvent(event, NextTimerDue()) && Dispatch(event)) dirty_ = true;
    if (FireDueTimers() > 0) dirty_ = true;
    return !Quitting();
}

void WindowManager::Quit(QuitReason reason) {
    if (quit_ == QuitReason::None) quit_ = reason;
}

bool WindowManager::Dispatch(const InputEvent& event) {
    Window* top = Top();
    switch (event.Kind) {
        case InputEvent::Type::Quit:
            Quit(QuitReason::ScriptEnded);
            return true;
        case InputEvent::Type::CloseAsked: {
            // The topmost window that has a say answers: a message box over
            // the main window passes the question down, so closing the game
            // under an open dialog still runs the main window's unload.
            for (auto at = stack_.rbegin(); at != stack_.rend(); ++at) {
                if ((*at)->OnCloseAsked) {
                    if ((*at)->OnCloseAsked()) Quit();
                    return true;
                }
            }
            Quit();
            return true;
        }
        case InputEvent::Type::Screenshot:
            SaveScreenshot(event.Text);
            return true;
        case InputEvent::Type::Expose:
            return true;
        default:
            break;
    }
    // F12 belongs to the program, not to the game: it works under any window,
    // and its release is not passed on either.
    if ((event.Kind == InputEvent::Type::KeyDown || event.Kind == InputEvent::Type::KeyUp) &&
        event.KeyCode == Key::F12) {
        if (event.Kind == InputEvent::Type::KeyDown && !event.Repeat) TakeScreenshot();
        return false;
    }
    if (top == nullptr || !top->Enabled) return true;
    switch (event.Kind) {
        case InputEvent::Type::KeyDown: {
            // A handler may run a modal loop that handles keys of its own;
            // afterwards its own key is what it was.
            const bool outer = keyRepeating_;
            const bool outerPad = keyFromPad_;
            keyRepeating_ = event.Repeat;
            keyFromPad_ = event.FromPad;
            top->DispatchKeyDown(event.KeyCode, event.Shift);
            keyRepeating_ = outer;
            keyFromPad_ = outerPad;
            break;
        }
        case InputEvent::Type::KeyUp:
            // Most key-ups reach no handler: the frame stays as the key-down left it.
            return top->DispatchKeyUp(event.KeyCode, event.Shift);
        case InputEvent::Type::Text:
            top->DispatchText(event.Text);
            break;
        case InputEvent::Type::Editing:
            top->DispatchEditing(event.Text, event.Cursor);
            break;
        case InputEvent::Type::MouseDown:
            top->DispatchMouseDown(event.Button, event.X, event.Y);
            break;
        default:
            break;
    }
    return true;
}

void WindowManager::Register(Timer& timer) {
    if (std::find(timers_.begin(), timers_.end(), &timer) == timers_.end()) {
        timers_.push_back(&timer);
    }
}

void WindowManager::Unregister(Timer& timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), &timer), timers_.end());
}

int64_t WindowManager::NextTimerDue() const {
    int64_t due = -1;
    for (const Timer* timer : timers_) {
        // A timer whose handler is still running (it opened a modal window)
        // cannot fire, so its overdue time must not cut every wait short.
        if (timer->running_) continue;
        if (timer->dueAt_ >= 0 && (due < 0 || timer->dueAt_ < due)) due = timer->dueAt_;
    }
    return due;
}

int WindowManager::FireDueTimers() {
    // A handler may open a modal window (whose loop fires timers itself) or
    // attach and detach timers, so walk a copy and re-check membership.
    const int64_t now = Now();
    std::vector<Timer*> due;
    for (Timer* timer : timers_) {
        if (timer->dueAt_ >= 0 && timer->dueAt_ <= now && !timer->running_) due.push_back(timer);
    }
    std::sort(due.begin(), due.end(),
              [](const Timer* a, const Timer* b) { return a->dueAt_ < b->dueAt_; });
    int fired = 0;
    for (Timer* timer : due) {
        if (Quitting()) break;
        if (std::find(timers_.begin(), timers_.end(), timer) == timers_.end()) continue;
        if (timer->dueAt_ < 0 || timer->dueAt_ > now) continue;
        timer->Fire(Now());
        ++fired;
    }
    return fired;
}

void WindowManager::Redraw() {
    Canvas canvas(frame_);
    // Clearing the canvas is wasted when the lowest window covers all of it
    // with its background, as the title and the main window do: that is a
    // full-screen fill saved on every repaint.
    const auto lowest = std::find_if(stack_.begin(), stack_.end(),
                                     [](const Window* window) { return window->Visible; });
    const Window* bottom = lowest != stack_.end() ? *lowest : nullptr;
    const bool covered = bottom != nullptr && bottom->PaintedBackground() && bottom->Left <= 0 &&
                         bottom->Top <= 0 &&
                         int64_t{bottom->Left} + bottom->Width >= frame_.Width &&
                         int64_t{bottom->Top} + bottom->Height >= frame_.Height;
    if (!covered) canvas.Fill(0);
    for (Window* window : stack_) {
        if (window->Visible) window->PaintTree(canvas, glyphs_);
    }
    platform_.Screen().Present(frame_);
    dirty_ = false;
}

bool WindowManager::SaveScreenshot(const std::string& path) {
    Redraw();
    return platform_.Images().SavePng(frame_, path);
}

std::string WindowManager::TakeScreenshot() {
    std::string error;
    const std::filesystem::path path = NewScreenshotPath(error);
    if (path.empty()) {
        std::cerr << "korvane: no screenshot: " << error << "\n";
        return {};
    }
    if (!SaveScreenshot(path.string())) {
        std::cerr << "korvane: cannot write the screenshot " << path.string() << "\n";
        return {};
    }
    std::cerr << "korvane: screenshot saved as " << path.string() << "\n";
    return path.string();
}

void WindowManager::FocusMoved() {
    Window* top = Top();
    Control* focused = top != nullptr ? top->Focused() : nullptr;
    const bool wantText = focused != nullptr && focused->WantsTextInput() && focused->IsUsable();
    if (wantText || textInputOn_) {
        platform_.Screen().SetTextInput(wantText, wantText ? focused->CanvasBounds() : Rect{});
    }
    textInputOn_ = wantText;
}

void WindowManager::CaptionChanged() {
    // The real window shows the caption of the topmost window that names the program.
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
        if (!(*it)->OwnsCaption) continue;
        if ((*it)->Caption() != shownCaption_) {
            shownCaption_ = (*it)->Caption();
            platform_.Screen().SetCaption(shownCaption_);
            transcript_.Caption(shownCaption_);
        }
        return;
    }
}

void WindowManager::Forget(Window& window) {
    auto it = std::find(stack_.begin(), stack_.end(), &window);
    if (it == stack_.end()) return;
    stack_.erase(it);
    CaptionChanged();
    FocusMoved();
    dirty_ = true;
}

}  // namespace kv
