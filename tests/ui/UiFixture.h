#pragma once
// The window manager on the headless platform: real fonts, a fake clock and
// input from a key script, or pushed one event at a time and handled with
// Deliver so a test can look at the state between events.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Transcript.h"
#include "platform/KeyScript.h"
#include "platform/Keys.h"
#include "platform/null/NullPlatform.h"
#include "ui/Control.h"
#include "ui/Window.h"
#include "ui/WindowManager.h"

namespace kv::test {

inline InputEvent KeyEvent(int keyCode, int shift = 0, bool down = true) {
    InputEvent event;
    event.Kind = down ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
    event.KeyCode = keyCode;
    event.Shift = shift;
    return event;
}

inline InputEvent TextEvent(std::string text) {
    InputEvent event;
    event.Kind = InputEvent::Type::Text;
    event.Text = std::move(text);
    return event;
}

inline InputEvent EditingEvent(std::string text, int cursor) {
    InputEvent event;
    event.Kind = InputEvent::Type::Editing;
    event.Text = std::move(text);
    event.Cursor = cursor;
    return event;
}

inline InputEvent ClickEvent(int x, int y, int button = 1) {
    InputEvent event;
    event.Kind = InputEvent::Type::MouseDown;
    event.X = x;
    event.Y = y;
    event.Button = button;
    return event;
}

// A focusable control that writes what reaches it into a log.
class Probe : public Control {
  public:
    Probe(std::string name, std::vector<std::string>& log) : log_(log) {
        Name = std::move(name);
        TabStop = true;
    }
    bool CanFocus() const override { return true; }
    void KeyDown(int& keyCode, int shift) override {
        log_.push_back(Name + ":down:" + std::to_string(keyCode));
        Control::KeyDown(keyCode, shift);
    }
    void KeyPress(int& keyAscii) override {
        log_.push_back(Name + ":press:" + std::to_string(keyAscii));
        Control::KeyPress(keyAscii);
    }
    void MouseDown(int button, int x, int y) override {
        log_.push_back(Name + ":mouse:" + std::to_string(x) + "," + std::to_string(y));
        Control::MouseDown(button, x, y);
    }

  private:
    std::vector<std::string>& log_;
};

class UiTest : public ::testing::Test {
  protected:
    // Call as ASSERT_NO_FATAL_FAILURE(Start("...")).
    void Start(std::string_view script = "") {
        KeyScript parsed = ParseKeyScript(script);
        ASSERT_EQ(parsed.Error, "") << script;
        std::string error;
        platform_ = CreateNullPlatform(std::move(parsed.Steps), error);
        ASSERT_TRUE(platform_) << error;
        transcriptPath_ = TempPath("transcript.jsonl");
        ASSERT_TRUE(transcript_.Open(transcriptPath_));
        manager_ = std::make_unique<WindowManager>(*platform_, transcript_);
    }

    WindowManager& Manager() { return *manager_; }
    NullPlatform& Host() { return *platform_; }

    // Handles exactly this one event (and any timers then due).
    void Deliver(const InputEvent& event) {
        platform_->Events().Push(event);
        manager_->Step();
    }
    void Tap(int keyCode, int shift = 0) {
        Deliver(KeyEvent(keyCode, shift, true));
        Deliver(KeyEvent(keyCode, shift, false));
    }

    std::string TempPath(std::string_view name) const {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        return ::testing::TempDir() + "ui_" + info->test_suite_name() + "_" + info->name() + "_" +
               std::string(name);
    }

    std::vector<std::string> TranscriptLines() const {
        std::ifstream in(transcriptPath_);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

  private:
    std::unique_ptr<NullPlatform> platform_;
    Transcript transcript_;
    std::string transcriptPath_;
    std::unique_ptr<WindowManager> manager_;
};

// Pixels that differ between two frames inside and outside a rectangle.
struct FrameDiff {
    int Inside = 0;
    int Outside = 0;
};

inline FrameDiff CompareFrames(const Image& a, const Image& b, Rect r) {
    FrameDiff diff;
    if (a.Width != b.Width || a.Height != b.Height) {
        diff.Outside = -1;
        return diff;
    }
    for (int y = 0; y < a.Height; ++y) {
        for (int x = 0; x < a.Width; ++x) {
            if ((a.At(x, y) & 0xFFFFFF) == (b.At(x, y) & 0xFFFFFF)) continue;
            (r.Contains(x, y) ? diff.Inside : diff.Outside) += 1;
        }
    }
    return diff;
}

}  // namespace kv::test
