#include "ui/WindowManager.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string_view>

#include "platform/Keys.h"
#include "platform/Screenshots.h"
#include "ui/Timer.h"
#include "ui/Window.h"

namespace kv {

namespace {

bool IsEmpty(Rect r) {
    return r.W <= 0 || r.H <= 0;
}

}  // namespace

WindowManager::WindowManager(Platform& platform, Transcript& transcript)
    : platform_(platform),
      transcript_(transcript),
      glyphs_(platform.Fonts()),
      frame_(CanvasWidth, CanvasHeight) {
    const char* check = std::getenv("KORVANE_CHECK_REPAINTS");
    checkRepaints_ = check != nullptr && std::string_view(check) == "1";
}

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
    wholeFrame_ = true;
}

void WindowManager::Hide(Window& window) {
    auto it = std::find(stack_.begin(), stack_.end(), &window);
    window.Visible = false;
    if (it == stack_.end()) return;
    stack_.erase(it);
    CaptionChanged();
    FocusMoved();
    wholeFrame_ = true;
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
    if (wholeFrame_ || !IsEmpty(damage_)) Redraw();
    InputEvent event;
    // An event handled without any control reporting what it changed may
    // have changed anything: the whole frame is repainted, as is the frame
    // after a timer.
    if (platform_.Events().WaitEvent(event, NextTimerDue()) && Dispatch(event) &&
        IsEmpty(damage_)) {
        wholeFrame_ = true;
    }
    if (FireDueTimers() > 0) wholeFrame_ = true;
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

void WindowManager::Invalidate(Rect area) {
    if (IsEmpty(area)) return;
    if (IsEmpty(damage_)) {
        damage_ = area;
        return;
    }
    const int left = std::min(damage_.X, area.X);
    const int top = std::min(damage_.Y, area.Y);
    const int right = std::max(damage_.X + damage_.W, area.X + area.W);
    const int bottom = std::max(damage_.Y + damage_.H, area.Y + area.H);
    damage_ = Rect{left, top, right - left, bottom - top};
}

void WindowManager::PaintWindows(Image& target, Rect area) {
    Canvas canvas(target);
    // Clearing the canvas is wasted when the lowest window covers all of it
    // with its background, as the title and the main window do: that is a
    // full-screen fill saved on every repaint.
    const auto lowest = std::find_if(stack_.begin(), stack_.end(),
                                     [](const Window* window) { return window->Visible; });
    const Window* bottom = lowest != stack_.end() ? *lowest : nullptr;
    const bool covered = bottom != nullptr && bottom->PaintedBackground() && bottom->Left <= 0 &&
                         bottom->Top <= 0 &&
                         int64_t{bottom->Left} + bottom->Width >= target.Width &&
                         int64_t{bottom->Top} + bottom->Height >= target.Height;
    if (!covered) canvas.FillRect(area, 0);
    for (Window* window : stack_) {
        if (window->Visible) window->PaintTree(canvas, glyphs_, area);
    }
}

void WindowManager::Redraw() {
    const Rect whole{0, 0, frame_.Width, frame_.Height};
    for (Window* window : stack_) window->NoteUnreportedChanges(0, 0, true, true, *this);
    const bool partial = !wholeFrame_ && !IsEmpty(damage_);
    PaintWindows(frame_, partial ? damage_ : whole);
    if (partial && checkRepaints_) CheckPartialRepaint();
    platform_.Screen().Present(frame_);
    wholeFrame_ = false;
    damage_ = Rect{};
}

void WindowManager::CheckPartialRepaint() {
    Image full(frame_.Width, frame_.Height);
    PaintWindows(full, Rect{0, 0, full.Width, full.Height});
    for (int y = 0; y < full.Height; ++y) {
        for (int x = 0; x < full.Width; ++x) {
            if (full.At(x, y) == frame_.At(x, y)) continue;
            std::cerr << "korvane: a repaint of " << damage_.W << "x" << damage_.H << " at "
                      << damage_.X << "," << damage_.Y << " left pixel " << x << "," << y
                      << " stale: a change no control reported\n";
            std::abort();
        }
    }
}

bool WindowManager::SaveScreenshot(const std::string& path) {
    wholeFrame_ = true;
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
    wholeFrame_ = true;
}

}  // namespace kv
