// The menu list control's behaviour: rows and their positions, the current
// row, the key table, access keys, paging, the order of its events and mouse
// presses, driven through the real window manager.
#include <string>
#include <vector>

#include "ListExFixture.h"

namespace kv::test {
namespace {

using Strings = std::vector<std::string>;

Strings Rows(const ListEx& list) {
    Strings rows;
    for (int i = 0; i < list.ListCount(); ++i) rows.push_back(list.List(i));
    return rows;
}

// --- rows, current row, text -------------------------------------------------

TEST_F(ListExTest, StartsWithRowZeroCurrentAndTextZero) {
    EXPECT_EQ(List.ListCount(), 0);
    EXPECT_EQ(List.ListIndex(), 0);
    EXPECT_EQ(List.NewIndex(), 0);
    EXPECT_EQ(List.Text(), "0");
    EXPECT_TRUE(List.CanFocus());
    EXPECT_TRUE(List.TabStop);
    EXPECT_TRUE(List.AccessKeyOn);
    EXPECT_FALSE(List.CursorLoop || List.AccessKeyEnter || List.EnterOn);
    // The first row added is current at once, and Text says so.
    List.AddItem("B)買う");
    EXPECT_EQ(List.ListIndex(), 0);
    EXPECT_EQ(List.Text(), "B)買う");
}

TEST_F(ListExTest, AddItemPositionIsOneBasedAndJudgedAgainstTheRowsThereAre) {
    auto three = [this] {
        List.Clear();
        List.AddItems(0, {"A", "B", "C"});
        for (int i = 0; i < 3; ++i) List.SetItemData(i, 10 * (i + 1));
    };
    three();
    List.AddItem("x", 1);
    EXPECT_EQ(Rows(List), (Strings{"x", "A", "B", "C"}));
    EXPECT_EQ(List.NewIndex(), 0);
    EXPECT_EQ(List.ItemData(0), 0);  // a new row's data is 0; the others moved with their rows
    EXPECT_EQ(List.ItemData(1), 10);
    EXPECT_EQ(List.ItemData(3), 30);

    three();
    List.AddItem("x", 3);  // 3 is not below ListCount: appended
    EXPECT_EQ(Rows(List), (Strings{"A", "B", "C", "x"}));
    EXPECT_EQ(List.NewIndex(), 3);

    three();
    List.AddItem("x", 2);
    EXPECT_EQ(Rows(List), (Strings{"A", "x", "B", "C"}));
    EXPECT_EQ(List.NewIndex(), 1);
    EXPECT_EQ(List.ItemData(2), 20);

    for (int index : {0, -4, 99}) {
        three();
        List.AddItem("x", index);
        EXPECT_EQ(Rows(List).back(), "x") << index;
    }
    // Inserting does not move the current row's number.
    three();
    Select(2);
    List.AddItem("x", 1);
    EXPECT_EQ(List.ListIndex(), 2);
    EXPECT_EQ(List.Text(), "B");
}

TEST_F(ListExTest, AddItemsAddsEachTextByTheSameRule) {
    List.Clear();
    List.AddItems(0, {"B)買う", "S)売る", "L)戻る"});
    EXPECT_EQ(Rows(List), (Strings{"B)買う", "S)売る", "L)戻る"}));

    // Several rows at one position end up in reverse order.
    List.AddItems(1, std::vector<std::string>{"x", "y"});
    EXPECT_EQ(Rows(List), (Strings{"y", "x", "B)買う", "S)売る", "L)戻る"}));

    // The rule is applied row by row, so on an empty list the first rows
    // append until there are enough to insert before.
    List.Clear();
    List.AddItems(1, {"A", "B", "C"});
    EXPECT_EQ(Rows(List), (Strings{"C", "A", "B"}));
    EXPECT_EQ(List.NewIndex(), 0);
}

TEST_F(ListExTest, RemoveItemLosesTheCurrentRowOnlyWhenItWasTheLast) {
    List.AddItems(0, {"A", "B", "C", "D"});
    for (int i = 0; i < 4; ++i) List.SetItemData(i, i + 1);
    Select(3);
    List.RemoveItem(1);
    EXPECT_EQ(Rows(List), (Strings{"A", "C", "D"}));
    EXPECT_EQ(List.ItemData(1), 3);
    EXPECT_EQ(List.ListIndex(), -1);
    EXPECT_EQ(List.Text(), "");

    Select(1);
    List.RemoveItem(0);  // keeps its number, which is now another row
    EXPECT_EQ(List.ListIndex(), 1);
    EXPECT_EQ(List.Text(), "D");
    List.RemoveItem(7);  // no such row
    List.RemoveItem(-1);
    EXPECT_EQ(List.ListCount(), 2);
    EXPECT_TRUE(Log.empty()) << "RemoveItem raises no event";
}

TEST_F(ListExTest, ClearLeavesNoRowsAndNoCurrentRow) {
    List.AddItems(0, {"A", "B"});
    Select(1);
    List.Clear();
    EXPECT_EQ(List.ListCount(), 0);
    EXPECT_EQ(List.ListIndex(), -1);
    // Text follows the current row only while there are rows.
    EXPECT_EQ(List.Text(), "B");
    List.AddItem("C");
    EXPECT_EQ(List.Text(), "");
}

TEST_F(ListExTest, SettingListIndexRaisesClickWithTextAlreadyUpToDate) {
    List.AddItems(0, {"A", "B", "C"});
    std::string seen;
    List.OnClick = [&] { seen = List.Text(); };
    List.SetListIndex(2);
    EXPECT_EQ(seen, "C");
    List.SetListIndex(-1);
    EXPECT_EQ(List.ListIndex(), -1);
    EXPECT_EQ(seen, "");

    seen = "none";
    List.SetListIndex(3);  // too high: ignored, no event
    EXPECT_EQ(List.ListIndex(), -1);
    EXPECT_EQ(seen, "none");
    List.SetListIndex(-7);
    EXPECT_EQ(List.ListIndex(), -1);
    EXPECT_EQ(seen, "");
}

TEST_F(ListExTest, SettingTextSelectsTheFirstExactMatchWithoutAnEvent) {
    List.AddItems(0, {"A)剣", "a)剣", "A)剣", "B)盾"});
    Select(3);
    List.SetText("A)剣");
    EXPECT_EQ(List.ListIndex(), 0);
    List.SetText("a)剣");
    EXPECT_EQ(List.ListIndex(), 1);
    List.SetText("B)");  // only whole texts match
    EXPECT_EQ(List.ListIndex(), 1);
    EXPECT_EQ(List.Text(), "a)剣");
    EXPECT_TRUE(Log.empty());
}

TEST_F(ListExTest, ReplacingARowsTextUpdatesTextWhenItIsCurrent) {
    List.AddItems(0, {"A", "B"});
    Select(1);
    List.SetList(1, "B)戻る");
    EXPECT_EQ(List.Text(), "B)戻る");
    List.SetList(0, "A)買う");
    EXPECT_EQ(List.List(0), "A)買う");
    EXPECT_EQ(List.Text(), "B)戻る");
}

TEST_F(ListExTest, RowsThatDoNotExistReadAsEmptyAndIgnoreWrites) {
    List.AddItem("A");
    List.SetItemData(0, 42);
    EXPECT_EQ(List.ItemData(-1), 0);
    EXPECT_EQ(List.ItemData(1), 0);
    EXPECT_EQ(List.List(1), "");
    EXPECT_EQ(List.List(-1), "");
    List.SetList(5, "x");
    List.SetItemData(-1, 7);
    EXPECT_EQ(Rows(List), (Strings{"A"}));
    EXPECT_EQ(List.ItemData(0), 42);
}

TEST_F(ListExTest, RedrawOffFreezesTextAndPictureUntilSwitchedBackOn) {
    FillLettered(4);
    const Image before = Frame();
    List.SetRedraw(false);
    Tap(Key::Down);
    Tap(Key::Down);
    EXPECT_EQ(List.ListIndex(), 2);
    EXPECT_EQ(List.Text(), "A)row0");
    EXPECT_EQ(CompareFrames(before, Frame(), Rect{}).Outside, 0);
    List.SetRedraw(true);
    EXPECT_EQ(List.Text(), "C)row2");
    const Rect box{FixtureLeft, FixtureTop, FixtureWidth, EightRows};
    EXPECT_GT(CompareFrames(before, Frame(), box).Inside, 0);
}

// --- keys --------------------------------------------------------------------

struct KeyCase {
    int Start;
    int KeyCode;
    bool Loop;
    int Expected;
};

TEST_F(ListExTest, KeyTableEntryByEntry) {
    // Twenty rows, eight on view: a page moves seven.
    constexpr KeyCase cases[] = {
        {5, Key::Up, false, 4},         {0, Key::Up, false, 0},
        {0, Key::Up, true, 19},         {-1, Key::Up, false, -1},
        {-1, Key::Up, true, 19},        {5, Key::Down, false, 6},
        {19, Key::Down, false, 19},     {19, Key::Down, true, 0},
        {-1, Key::Down, false, 0},      {3, Key::End, false, 19},
        {-1, Key::End, false, 19},      {12, Key::Home, false, 0},
        {-1, Key::Home, false, 0},      {19, Key::PageUp, false, 12},
        {5, Key::PageUp, false, 0},     {0, Key::PageUp, false, 0},
        {0, Key::PageUp, true, 19},     {-1, Key::PageUp, false, 0},
        {0, Key::PageDown, false, 7},   {15, Key::PageDown, false, 19},
        {19, Key::PageDown, false, 19}, {19, Key::PageDown, true, 0},
        {-1, Key::PageDown, false, 6},  {4, Key::Left, false, 4},
        {4, Key::Right, true, 4},       {4, Key::Escape, false, 4},
    };
    FillLettered(20);
    for (const KeyCase& c : cases) {
        List.CursorLoop = c.Loop;
        Select(c.Start);
        const Strings log = Stroke(c.KeyCode);
        const std::string what = "key " + std::to_string(c.KeyCode) + " from " +
                                 std::to_string(c.Start) + (c.Loop ? " looping" : "");
        EXPECT_EQ(List.ListIndex(), c.Expected) << what;
        EXPECT_EQ(List.Text(), List.List(c.Expected)) << what;
        // Exactly one Click, whether or not the row moved, and no Enter.
        EXPECT_EQ(Count("Click " + std::to_string(c.Expected)), 1) << what;
        EXPECT_EQ(Count("Enter " + std::to_string(c.Expected)), 0) << what;
    }
}

TEST_F(ListExTest, PagingScrollsSoTheCurrentRowIsTheLastOnView) {
    FillLettered(20);
    Select(0);
    EXPECT_EQ(List.RowsPerPage(), 8);
    const int downs[] = {7, 14, 19, 19};
    const int firsts[] = {0, 7, 12, 12};
    for (int i = 0; i < 4; ++i) {
        Tap(Key::PageDown);
        EXPECT_EQ(List.ListIndex(), downs[i]);
        EXPECT_EQ(List.FirstVisibleRow(), firsts[i]);
    }
    // Going back up keeps the current row last on view until it is on the first page.
    const int ups[] = {12, 5, 0, 0};
    const int upFirsts[] = {5, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        Tap(Key::PageUp);
        EXPECT_EQ(List.ListIndex(), ups[i]);
        EXPECT_EQ(List.FirstVisibleRow(), upFirsts[i]);
    }
    Tap(Key::End);
    EXPECT_TRUE(List.MoreAbove());
    EXPECT_FALSE(List.MoreBelow());
    Tap(Key::Home);
    EXPECT_FALSE(List.MoreAbove());
    EXPECT_TRUE(List.MoreBelow());
    // A caption takes one row's room.
    List.SetCaption("商店");
    EXPECT_EQ(List.RowsPerPage(), 7);
    Tap(Key::PageDown);
    EXPECT_EQ(List.ListIndex(), 6);
    // Rows per page is never more than there are rows.
    FillLettered(3);
    EXPECT_EQ(List.RowsPerPage(), 3);
}

TEST_F(ListExTest, EnterRaisesEnterAndClickOnlyWithEnterOn) {
    FillLettered(3);
    Select(2);
    EXPECT_EQ(Stroke(Key::Return), (Strings{"KeyDown 13", "Enter 2", "KeyPress 13", "KeyUp 13"}));
    List.EnterOn = true;
    EXPECT_EQ(Stroke(Key::Return),
              (Strings{"KeyDown 13", "Enter 2", "Click 2", "KeyPress 13", "KeyUp 13"}));
    EXPECT_EQ(List.ListIndex(), 2);
}

TEST_F(ListExTest, EventsComeInOrderForEachKindOfKey) {
    FillLettered(4);
    Select(0);
    EXPECT_EQ(Stroke(Key::Down), (Strings{"KeyDown 40", "Click 1", "KeyUp 40"}));
    EXPECT_EQ(Stroke('C'), (Strings{"KeyDown 67", "Click 2", "KeyPress 99", "KeyUp 67"}));
    List.AccessKeyEnter = true;
    EXPECT_EQ(Stroke('D'),
              (Strings{"KeyDown 68", "Enter 3", "Click 3", "KeyPress 100", "KeyUp 68"}));
    // A key that matches no row is still followed by Click, never by Enter.
    EXPECT_EQ(Stroke('Z'), (Strings{"KeyDown 90", "Click 3", "KeyPress 122", "KeyUp 90"}));
}

TEST_F(ListExTest, HostCanCancelOrChangeTheKeyInKeyDown) {
    FillLettered(5);
    Select(1);
    ChangeKey = [](int& keyCode) { keyCode = 0; };
    EXPECT_EQ(Stroke(Key::Down), (Strings{"KeyDown 40", "Click 1", "KeyUp 40"}));
    Stroke('C');
    Stroke(Key::Return);
    EXPECT_EQ(List.ListIndex(), 1);
    // The way menus send Esc to their last row, the way back.
    ChangeKey = [](int& keyCode) {
        if (keyCode == Key::Escape || keyCode == Key::Back) keyCode = Key::End;
    };
    Stroke(Key::Escape);
    EXPECT_EQ(List.ListIndex(), 4);
    List.EnterOn = true;
    ChangeKey = [](int& keyCode) {
        if (keyCode == Key::Space) keyCode = Key::Return;
    };
    EXPECT_EQ(Count("Enter 4"), 0);
    Stroke(Key::Space);
    EXPECT_EQ(Count("Enter 4"), 1);
    EXPECT_EQ(Count("Click 4"), 1);
}

// --- access keys -------------------------------------------------------------

TEST_F(ListExTest, AccessKeysJumpToTheFirstRowBeginningWithTheKey) {
    List.AddItems(0, {"1)ダガー", "2)剣", "A)盾", "B)兜", "b)小手", "Ｃ)鎧", "B)指輪", "F)薬"});
    Select(0);
    Stroke(Key::A);
    EXPECT_EQ(List.ListIndex(), 2);
    Stroke(Key::Digit0 + 2);
    EXPECT_EQ(List.ListIndex(), 1);
    // A repeated letter always lands on the first row that has it.
    Stroke('B');
    EXPECT_EQ(List.ListIndex(), 3);
    Stroke('B');
    EXPECT_EQ(List.ListIndex(), 3);
    EXPECT_EQ(Count("Click 3"), 1);
    // Shift does not change the key code, and lower-case or full-width rows have no key.
    Stroke('B', Key::ShiftMask);
    EXPECT_EQ(List.ListIndex(), 3);
    Stroke('C');
    EXPECT_EQ(List.ListIndex(), 3);
    // Keypad and function keys are not the digit or letter keys.
    Stroke(Key::Numpad0 + 1);
    Stroke(Key::F1 + 5);  // F6 shares its code with 'u'
    EXPECT_EQ(List.ListIndex(), 3);
    Stroke('F');
    EXPECT_EQ(List.ListIndex(), 7);

    List.AccessKeyOn = false;
    Stroke(Key::A);
    EXPECT_EQ(List.ListIndex(), 7);
    EXPECT_EQ(Count("Click 7"), 1);
}

TEST_F(ListExTest, AccessKeyEnterNeedsAMatchAndAccessKeyOn) {
    FillLettered(6);
    Select(0);
    List.AccessKeyEnter = true;
    Stroke('E');
    EXPECT_EQ(Log, (Strings{"KeyDown 69", "Enter 4", "Click 4", "KeyPress 101", "KeyUp 69"}));
    Stroke(Key::Down);  // a move is not a match
    EXPECT_EQ(Count("Enter 5"), 0);
    Stroke('Q');
    EXPECT_EQ(Count("Enter 5"), 0);
    List.AccessKeyOn = false;
    Stroke(Key::A);
    EXPECT_EQ(List.ListIndex(), 5);
    EXPECT_EQ(Count("Enter 5"), 0);
    EXPECT_EQ(Count("Click 5"), 1);
}

// --- an empty list -----------------------------------------------------------

TEST_F(ListExTest, AnEmptyListTakesEveryKeyAndStillClicks) {
    constexpr int keys[] = {Key::Up,       Key::Down,        Key::Home,   Key::PageUp,
                            Key::PageDown, Key::A,           Key::Digit0, Key::Space,
                            Key::Escape,   Key::Back,        Key::Tab,    Key::Left,
                            Key::F1,       Key::Numpad0 + 5, Key::Insert, Key::Delete};
    for (bool loop : {false, true}) {
        List.Clear();
        List.SetListIndex(0);  // too high for no rows: ignored
        List.CursorLoop = loop;
        List.AccessKeyEnter = loop;
        ASSERT_EQ(List.ListIndex(), -1);
        for (int key : keys) {
            Stroke(key);
            EXPECT_EQ(List.ListIndex(), -1) << key;
            EXPECT_EQ(Count("Click -1"), 1) << key;
            EXPECT_EQ(Count("Enter -1"), 0) << key;
        }
        Stroke(Key::Return);
        EXPECT_EQ(Count("Enter -1"), 1);
        Stroke(Key::End);
        EXPECT_EQ(List.ListIndex(), -1);
        EXPECT_EQ(Count("Click -1"), 1);
        Host().Time().Advance(1000);
        ClickAt(Point{FixtureLeft + 10, FixtureTop + 10});
        EXPECT_EQ(Log, (Strings{"MouseDown -1", "Click -1"}));
        EXPECT_EQ(List.Text(), "0");
        Manager().Redraw();
    }
}

TEST(ListExAlone, AFreshEmptyListKeepsRowZeroExceptForEnd) {
    // Not in any window: the created state, ListIndex 0 with no rows.
    ListEx list;
    int clicks = 0;
    list.OnClick = [&] { ++clicks; };
    for (int key : {Key::Up, Key::Down, Key::Home, Key::PageUp, Key::PageDown, Key::A}) {
        int code = key;
        list.KeyDown(code, 0);
        EXPECT_EQ(list.ListIndex(), 0) << key;
    }
    list.CursorLoop = true;
    for (int key : {Key::Up, Key::Down, Key::PageUp, Key::PageDown}) {
        int code = key;
        list.KeyDown(code, 0);
        EXPECT_EQ(list.ListIndex(), 0) << key;
    }
    EXPECT_EQ(clicks, 10);
    EXPECT_EQ(list.Text(), "0");
    EXPECT_FALSE(list.MoreAbove() || list.MoreBelow());
    int end = Key::End;
    list.KeyDown(end, 0);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.FirstVisibleRow(), 0);
    EXPECT_FALSE(list.MoreAbove() || list.MoreBelow());
}

// --- mouse, focus, enabled ---------------------------------------------------

TEST_F(ListExTest, PressingOnARowMakesItCurrentBeforeMouseDownAndClick) {
    FillLettered(3);
    Select(0);
    ClickAt(RowCentre(2));
    EXPECT_EQ(Log, (Strings{"MouseDown 2", "Click 2"}));
    EXPECT_EQ(List.Text(), "C)row2");
    // Below the last row: nothing changes, but the events still come.
    Host().Time().Advance(1000);
    ClickAt(Point{FixtureLeft + 20, FixtureTop + EightRows - 8});
    EXPECT_EQ(Log, (Strings{"MouseDown 2", "Click 2"}));
    // A right press chooses the row too, but it is no click.
    Log.clear();
    Deliver(ClickEvent(RowCentre(1).X, RowCentre(1).Y, 3));
    EXPECT_EQ(Log, (Strings{"MouseDown 1"}));
}

TEST_F(ListExTest, ThePressPositionCountsTheCaptionLineAndTheScroll) {
    FillLettered(20);
    List.SetCaption("道具");
    Select(0);
    ClickAt(Point{FixtureLeft + 30, FixtureTop + 2 + 8});  // on the caption
    EXPECT_EQ(List.ListIndex(), 0);
    ClickAt(
        Point{FixtureLeft + 30, FixtureTop + 2 + 16 + 16 + 3});  // the second row under the caption
    EXPECT_EQ(List.ListIndex(), 1);
    Select(19);
    const int first = List.FirstVisibleRow();
    ASSERT_EQ(first, 13);
    Host().Time().Advance(1000);
    ClickAt(RowCentre(first));
    EXPECT_EQ(List.ListIndex(), first);
    EXPECT_EQ(Log, (Strings{"MouseDown 13", "Click 13"}));
}

TEST_F(ListExTest, ASecondQuickPressOnTheSameSpotIsADoubleClick) {
    FillLettered(4);
    const Point p = RowCentre(1);
    ClickAt(p);
    ClickAt(p);
    EXPECT_EQ(Log, (Strings{"DblClick 1"}));
    // A third press starts over.
    ClickAt(p);
    EXPECT_EQ(Log, (Strings{"MouseDown 1", "Click 1"}));
    Host().Time().Advance(ListEx::DoubleClickMs + 1);
    ClickAt(p);
    EXPECT_EQ(Log, (Strings{"MouseDown 1", "Click 1"}));
    ClickAt(RowCentre(3));  // quick, but elsewhere
    EXPECT_EQ(Log, (Strings{"MouseDown 3", "Click 3"}));
}

TEST_F(ListExTest, ADisabledListTakesNoKeysOrPressesAndKeepsItsRow) {
    FillLettered(4);
    Select(2);
    List.Enabled = false;
    Stroke(Key::Down);
    ClickAt(RowCentre(0));
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(List.ListIndex(), 2);
    List.Enabled = true;
    Stroke(Key::Down);
    EXPECT_EQ(List.ListIndex(), 3);
}

TEST_F(ListExTest, TwoListsOnOneWindowTakeTheFocusByPressOrTab) {
    ListEx second;
    second.Move(FixtureLeft + FixtureWidth + 20, FixtureTop, 120, EightRows);
    second.AddItems(0, {"1)戦う", "2)逃げる"});
    window_->Add(second);
    FillLettered(3);
    Deliver(ClickEvent(FixtureLeft + FixtureWidth + 40, FixtureTop + 4));
    EXPECT_TRUE(second.HasFocus());
    Tap(Key::Digit0 + 2);
    EXPECT_EQ(second.ListIndex(), 1);
    EXPECT_EQ(List.ListIndex(), 0);
    Tap(Key::Tab);
    EXPECT_TRUE(List.HasFocus());
    window_->Remove(second);
}

}  // namespace
}  // namespace kv::test
