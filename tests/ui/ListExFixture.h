#pragma once
// A window holding one list with the focus, every event it raises written
// into a log ("KeyDown 40", "Enter 2", "Click 2", ...; the number after
// Enter, Click, MouseDown and DblClick is ListIndex at that moment).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "UiFixture.h"
#include "ui/ListEx.h"

namespace kv::test {

class ListExTest : public UiTest {
  protected:
    static constexpr int FixtureLeft = 40;
    static constexpr int FixtureTop = 60;
    static constexpr int FixtureWidth = 240;
    // Border 1 above and below plus one pixel: exactly eight 16-pixel rows.
    static constexpr int EightRows = 8 * 16 + 3;

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Start());
        window_ = std::make_unique<Window>(Manager());
        List.Move(FixtureLeft, FixtureTop, FixtureWidth, EightRows);
        window_->Add(List);
        auto at = [this] { return std::string(" ").append(std::to_string(List.ListIndex())); };
        List.OnKeyDown = [this](int& keyCode, int) {
            Log.push_back("KeyDown " + std::to_string(keyCode));
            if (ChangeKey) ChangeKey(keyCode);
        };
        List.OnKeyPress = [this](int& ascii) {
            Log.push_back("KeyPress " + std::to_string(ascii));
        };
        List.OnKeyUp = [this](int& keyCode, int) {
            Log.push_back("KeyUp " + std::to_string(keyCode));
        };
        List.OnEnter = [this, at] { Log.push_back("Enter" + at()); };
        List.OnClick = [this, at] { Log.push_back("Click" + at()); };
        List.OnDblClick = [this, at] { Log.push_back("DblClick" + at()); };
        List.OnMouseDown = [this, at](int, int, int) { Log.push_back("MouseDown" + at()); };
        List.SetFocus();
        window_->Show();
    }
    void TearDown() override { window_.reset(); }

    // Rows "A)row0", "B)row1", ... so each has its own access letter; row 0 current.
    void FillLettered(int count) {
        List.Clear();
        for (int i = 0; i < count; ++i) {
            List.AddItem(std::string(1, static_cast<char>('A' + i % 26)) + ")row" +
                         std::to_string(i));
        }
        Select(0);
    }
    // Puts the current row somewhere without leaving its Click in the log.
    void Select(int row) {
        List.SetListIndex(row);
        Log.clear();
    }
    // One key stroke (down and up) with the log cleared first.
    std::vector<std::string> Stroke(int keyCode, int shift = 0) {
        Log.clear();
        Tap(keyCode, shift);
        return Log;
    }
    int Count(const std::string& entry) const {
        int n = 0;
        for (const std::string& e : Log) n += e == entry ? 1 : 0;
        return n;
    }
    // The canvas point in the middle of a row on view.
    Point RowCentre(int row) const {
        const Rect r = List.RowBounds(row);
        return Point{FixtureLeft + r.X + r.W / 2, FixtureTop + r.Y + r.H / 2};
    }
    void ClickAt(Point p) {
        Log.clear();
        Deliver(ClickEvent(p.X, p.Y));
    }
    const Image& Frame() {
        Manager().Redraw();
        return Manager().Frame();
    }

    ListEx List;
    std::vector<std::string> Log;
    std::function<void(int& keyCode)> ChangeKey;
    std::unique_ptr<Window> window_;
};

}  // namespace kv::test
