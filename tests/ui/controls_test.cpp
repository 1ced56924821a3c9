// The concrete controls, driven through the real window manager on the
// headless platform.
#include <string>
#include <vector>

#include "UiFixture.h"
#include "ui/AccessCaption.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Label.h"
#include "ui/OptionButton.h"
#include "ui/PictureBox.h"
#include "ui/TextBox.h"

namespace kv::test {
namespace {

// A window holding one text box with the focus, and a button after it.
class TextBoxTest : public UiTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Start());
        window_ = std::make_unique<Window>(Manager());
        Box.Move(20, 30, 200, 24);
        Other.Move(20, 70, 80, 24);
        window_->Add(Box);
        window_->Add(Other);
        Box.OnChange = [this] { ++Changes; };
        Box.SetFocus();
        window_->Show();
    }
    void TearDown() override { window_.reset(); }

    void Type(const std::string& text) { Deliver(TextEvent(text)); }

    TextBox Box;
    Button Other;
    int Changes = 0;
    std::unique_ptr<Window> window_;
};

TEST_F(TextBoxTest, EditsByCharacterNotByByte) {
    Type("日本語");
    EXPECT_EQ(Box.Text(), "日本語");
    EXPECT_EQ(Box.CaretPosition(), 3);
    Tap(Key::Back);
    EXPECT_EQ(Box.Text(), "日本");
    Tap(Key::Left);
    Type("x");
    EXPECT_EQ(Box.Text(), "日x本");
    Tap(Key::Home);
    Type("é");
    EXPECT_EQ(Box.Text(), "é日x本");
    Tap(Key::Delete);  // the character after the caret
    EXPECT_EQ(Box.Text(), "éx本");
    Tap(Key::End);
    Tap(Key::Delete);  // nothing after the end
    Tap(Key::Right);
    EXPECT_EQ(Box.CaretPosition(), 3);
    Tap(Key::Back);
    Tap(Key::Back);
    Tap(Key::Back);
    Tap(Key::Back);  // nothing before the start
    EXPECT_EQ(Box.Text(), "");
    EXPECT_EQ(Changes, 8);
}

TEST_F(TextBoxTest, MaxLengthCountsCharactersAndControlsAreDropped) {
    Box.MaxLength = 4;
    Type("かきくけこ");
    EXPECT_EQ(Box.Text(), "かきくけ");
    Type("a");
    EXPECT_EQ(Box.Text(), "かきくけ");
    EXPECT_EQ(Changes, 1);
    // Typing over a selection frees its room first.
    Box.SetSelStart(1);
    Box.SetSelLength(2);
    EXPECT_EQ(Box.SelText(), "きく");
    Type("XYZ");
    EXPECT_EQ(Box.Text(), "かXYけ");

    Box.MaxLength = 0;
    Box.SetText("");
    Type(
        "a\tb\x01"
        "c\x7f\r\n");
    EXPECT_EQ(Box.Text(), "abc");
    Box.SetText("ok\xff");  // a broken byte is kept as a replacement character
    EXPECT_EQ(Box.Text(), "ok\xEF\xBF\xBD");
    EXPECT_EQ(Box.Length(), 3);
}

TEST_F(TextBoxTest, LockedBoxMovesItsCaretButKeepsItsText) {
    Box.SetText("固定");
    Box.Locked = true;
    const int changes = Changes;
    Type("x");
    Tap(Key::Back);
    Tap(Key::Home);
    EXPECT_EQ(Box.CaretPosition(), 0);
    Tap(Key::Delete);
    Deliver(EditingEvent("へ", 1));
    EXPECT_EQ(Box.Text(), "固定");
    EXPECT_EQ(Box.Composition(), "");
    EXPECT_EQ(Changes, changes);
}

TEST_F(TextBoxTest, CompositionIsShownButNotPartOfTheTextUntilCommitted) {
    Type("名");
    Manager().Redraw();
    const Image before = Manager().Frame();
    Deliver(EditingEvent("まえ", 2));
    EXPECT_EQ(Box.Composition(), "まえ");
    EXPECT_EQ(Box.Text(), "名");
    Tap(Key::Back);  // the IME's own key while it composes
    EXPECT_EQ(Box.Text(), "名");
    Manager().Redraw();
    const FrameDiff diff = CompareFrames(before, Manager().Frame(), Box.CanvasBounds());
    EXPECT_GT(diff.Inside, 0);
    EXPECT_EQ(diff.Outside, 0);

    Type("前");
    EXPECT_EQ(Box.Text(), "名前");
    EXPECT_EQ(Box.Composition(), "");
    Deliver(EditingEvent("x", 1));
    Deliver(EditingEvent("", 0));  // given up
    EXPECT_EQ(Box.Text(), "名前");
    EXPECT_EQ(Box.Composition(), "");
    Deliver(EditingEvent("y", 1));
    Tap(Key::Tab);  // leaving drops it
    EXPECT_EQ(Box.Composition(), "");
}

TEST_F(TextBoxTest, SelectAllOnFocusLetsTypingReplaceTheText) {
    Box.SetText("古い名前");
    Box.OnGotFocus = [this] { Box.SelectAll(); };
    Other.SetFocus();
    Tap(Key::Tab);
    ASSERT_TRUE(Box.HasFocus());
    EXPECT_EQ(Box.SelStart(), 0);
    EXPECT_EQ(Box.SelLength(), 4);
    Type("新");
    EXPECT_EQ(Box.Text(), "新");

    // Left collapses a selection to its start, Shift extends it.
    Box.SetText("abcd");
    Box.SelectAll();
    Tap(Key::Left);
    EXPECT_EQ(Box.CaretPosition(), 0);
    EXPECT_EQ(Box.SelLength(), 0);
    Tap(Key::Right, Key::ShiftMask);
    Tap(Key::Right, Key::ShiftMask);
    EXPECT_EQ(Box.SelText(), "ab");
    Tap(Key::Back);
    EXPECT_EQ(Box.Text(), "cd");
}

TEST_F(TextBoxTest, TextInputIsOnExactlyWhileATextBoxHasTheFocus) {
    NullDisplay& screen = Host().Screen();
    EXPECT_TRUE(screen.TextInputOn());
    EXPECT_EQ(screen.TextInputCaret(), Box.CanvasBounds());
    Tap(Key::Tab);
    EXPECT_TRUE(Other.HasFocus());
    EXPECT_FALSE(screen.TextInputOn());
    Tap(Key::Tab);
    EXPECT_TRUE(screen.TextInputOn());

    // A dialog on top takes the focus with it, and gives it back on closing.
    Window dialog(Manager());
    Button ok;
    dialog.Add(ok);
    ok.SetFocus();
    dialog.Show();
    EXPECT_FALSE(screen.TextInputOn());
    dialog.Hide();
    EXPECT_TRUE(screen.TextInputOn());
    Box.Enabled = false;
    Other.SetFocus();
    EXPECT_FALSE(screen.TextInputOn());
}

using ToggleTest = UiTest;

TEST_F(ToggleTest, CheckBoxTogglesBySpaceClickAndAccessKey) {
    ASSERT_NO_FATAL_FAILURE(Start());
    Window window(Manager());
    CheckBox wide;
    CheckBox other;
    Button elsewhere;
    wide.Move(10, 10, 150, 20);
    other.Move(10, 40, 150, 20);
    elsewhere.Move(10, 70, 80, 24);
    wide.SetCaption("&Wide view");
    other.SetCaption("&Other");
    window.Add(wide);
    window.Add(other);
    window.Add(elsewhere);
    std::vector<int> clicks;
    wide.OnClick = [&] { clicks.push_back(wide.Value()); };
    EXPECT_EQ(wide.AccessKey(), 'W');
    elsewhere.SetFocus();
    window.Show();

    Tap(Key::Space);  // the focused button's, not the check box's
    Deliver(ClickEvent(15, 15));
    EXPECT_TRUE(wide.HasFocus());
    Tap(Key::Space);
    elsewhere.SetFocus();
    Tap('W', Key::AltMask);
    EXPECT_TRUE(wide.HasFocus());
    Tap('W');  // without Alt a letter is just a key
    EXPECT_EQ(clicks, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(wide.Value(), 1);

    wide.Enabled = false;
    Tap('W', Key::AltMask);
    Deliver(ClickEvent(15, 15));
    EXPECT_EQ(wide.Value(), 1);
    EXPECT_EQ(other.Value(), 0);
    EXPECT_EQ(clicks.size(), 3u);
}

TEST_F(ToggleTest, OptionButtonsAreExclusiveWithinTheirParentAndFollowTheArrows) {
    ASSERT_NO_FATAL_FAILURE(Start());
    Window window(Manager());
    PictureBox groupA;
    PictureBox groupB;
    groupA.Move(0, 0, 200, 100);
    groupB.Move(300, 0, 200, 100);
    OptionButton a1, a2, a3, a4, b1, b2;
    int y = 0;
    for (OptionButton* o : {&a1, &a2, &a3, &a4}) {
        o->Move(5, y += 20, 150, 18);
        groupA.Add(*o);
    }
    y = 0;
    for (OptionButton* o : {&b1, &b2}) {
        o->Move(5, y += 20, 150, 18);
        groupB.Add(*o);
    }
    window.Add(groupA);
    window.Add(groupB);
    int a4Clicks = 0;
    a4.OnClick = [&] { ++a4Clicks; };
    window.Show();
    auto values = [&] {
        std::string out;
        for (OptionButton* o : {&a1, &a2, &a3, &a4, &b1, &b2}) out += o->Value() ? '1' : '0';
        return out;
    };

    a1.SetValue(true);
    b2.SetValue(true);
    EXPECT_EQ(values(), "100001");
    Deliver(ClickEvent(10, 45));  // a2
    EXPECT_EQ(values(), "010001");
    EXPECT_TRUE(a2.HasFocus());

    a3.Enabled = false;
    Tap(Key::Down);  // over the disabled a3
    EXPECT_EQ(values(), "000101");
    EXPECT_TRUE(a4.HasFocus());
    EXPECT_EQ(a4Clicks, 1);
    Tap(Key::Right);  // round to the first
    EXPECT_EQ(values(), "100001");
    Tap(Key::Up);
    EXPECT_EQ(values(), "000101");
    Tap(Key::Left);
    EXPECT_EQ(values(), "010001");

    Deliver(ClickEvent(310, 25));  // b1: the other group is untouched
    EXPECT_EQ(values(), "010010");
    EXPECT_TRUE(b1.HasFocus());
    Tap(Key::Down);
    EXPECT_EQ(values(), "010001");
}

using ButtonTest = UiTest;

// A dialog with a text box, OK (Default) and Cancel (Cancel): Enter and Esc
// answer it from anywhere, and the text box never sees those keys.
class AnswerDialog {
  public:
    AnswerDialog(WindowManager& wm, std::vector<std::string>& log) : Window(wm), log_(log) {
        Name.Move(10, 10, 200, 24);
        Ok.Move(10, 50, 80, 24);
        Cancel.Move(100, 50, 80, 24);
        Ok.SetCaption("&OK");
        Cancel.SetCaption("キャンセル");
        Ok.Default = true;
        Cancel.Cancel = true;
        Window.Add(Name);
        Window.Add(Ok);
        Window.Add(Cancel);
        Name.OnKeyDown = [this](int& keyCode, int) {
            log_.push_back("name " + std::to_string(keyCode));
        };
        Ok.OnClick = [this] { Close(1, "ok"); };
        Cancel.OnClick = [this] { Close(2, "cancel"); };
        Name.SetFocus();
    }

    kv::Window Window;
    TextBox Name;
    Button Ok;
    Button Cancel;

  private:
    void Close(int result, const std::string& what) {
        log_.push_back(what);
        Window.ModalResult = result;
        Window.Hide();
    }
    std::vector<std::string>& log_;
};

TEST_F(ButtonTest, EnterAndEscPressTheDefaultAndCancelButtons) {
    ASSERT_NO_FATAL_FAILURE(Start("\"名\" Enter Esc Tab Tab Enter Tab Space"));
    std::vector<std::string> log;
    AnswerDialog dialog(Manager(), log);
    EXPECT_EQ(dialog.Window.ShowModal(), 1);
    EXPECT_EQ(dialog.Name.Text(), "名");
    EXPECT_EQ(dialog.Window.ShowModal(), 2);
    // Focus on Cancel: Enter presses the focused button, not the default.
    dialog.Name.SetFocus();
    EXPECT_EQ(dialog.Window.ShowModal(), 2);
    // Tab from Cancel wraps to the text box, where Space is an ordinary key;
    // the script then ends with the dialog still open, and the quit answers 0.
    EXPECT_EQ(dialog.Window.ShowModal(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"ok", "cancel", "name 9", "cancel", "name 32"}));
}

TEST_F(ButtonTest, FocusedButtonsTakeSpaceAndEnterAndClicksPress) {
    ASSERT_NO_FATAL_FAILURE(Start());
    std::vector<std::string> log;
    AnswerDialog dialog(Manager(), log);
    dialog.Window.Show();

    dialog.Ok.SetFocus();
    Tap(Key::Space);
    dialog.Window.Show();
    Deliver(ClickEvent(120, 60));
    dialog.Window.Show();
    Tap('O', Key::AltMask);
    EXPECT_TRUE(dialog.Ok.HasFocus());
    EXPECT_EQ(log, (std::vector<std::string>{"ok", "cancel", "ok"}));
    log.clear();

    // Without a usable Default or Cancel button, Enter and Esc are ordinary
    // keys for the focused control.
    dialog.Window.Show();
    dialog.Ok.Enabled = false;
    dialog.Cancel.Visible = false;
    dialog.Name.SetFocus();
    Tap(Key::Return);
    Tap(Key::Escape);
    Deliver(ClickEvent(20, 60));  // the disabled OK
    EXPECT_EQ(log, (std::vector<std::string>{"name 13", "name 27"}));
    EXPECT_TRUE(dialog.Window.IsOpen());
}

TEST(AccessCaptionTest, MarksTheFirstLetterAfterAnAmpersand) {
    const AccessCaption plain = ParseAccessCaption("Save");
    EXPECT_EQ(plain.Text, "Save");
    EXPECT_EQ(plain.Key, 0);
    const AccessCaption marked = ParseAccessCaption("R&&D &as &Big");
    EXPECT_EQ(marked.Text, "R&D as Big");
    EXPECT_EQ(marked.Key, 'A');
    EXPECT_EQ(marked.MarkAt, 4u);
    const AccessCaption kana = ParseAccessCaption("設定(&3)");
    EXPECT_EQ(kana.Text, "設定(3)");
    EXPECT_EQ(kana.Key, '3');
    const AccessCaption wide = ParseAccessCaption("&設定&");
    EXPECT_EQ(wide.Text, "設定");
    EXPECT_EQ(wide.Key, 0);
    EXPECT_EQ(wide.MarkLength, 3u);
}

using PaintTest = UiTest;

TEST_F(PaintTest, LabelDrawsItsLinesInsideItsRectangleOnly) {
    ASSERT_NO_FATAL_FAILURE(Start());
    Window window(Manager());
    window.BackColor = Rgb(0, 0, 90);
    Label label;
    const Rect rect{100, 100, 120, 40};
    label.Move(rect.X, rect.Y, rect.W, rect.H);
    label.BackColor = Rgb(0, 0, 90);
    label.SetCaption("テスト\r\nline two is far too long for the label");
    window.Add(label);
    label.Visible = false;
    window.Show();
    Manager().Redraw();
    const Image empty = Manager().Frame();
    label.Visible = true;
    Manager().Redraw();
    const Image drawn = Manager().Frame();
    const FrameDiff diff = CompareFrames(empty, drawn, rect);
    EXPECT_GT(diff.Inside, 40);
    EXPECT_EQ(diff.Outside, 0);
    // Both lines are there: ink in the top and the bottom half.
    EXPECT_GT(CompareFrames(empty, drawn, Rect{rect.X, rect.Y, rect.W, 16}).Inside, 0);
    EXPECT_GT(CompareFrames(empty, drawn, Rect{rect.X, rect.Y + 16, rect.W, 16}).Inside, 0);

    // Right alignment puts the ink against the right edge, per line.
    auto inkColumns = [&](const Image& frame) {
        int first = 10000;
        int last = -1;
        for (int y = rect.Y; y < rect.Y + rect.H; ++y) {
            for (int x = rect.X; x < rect.X + rect.W; ++x) {
                if ((frame.At(x, y) & 0xFFFFFF) == Rgb(0, 0, 90)) continue;
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
        return std::pair{first, last};
    };
    label.SetCaption("AB");
    Manager().Redraw();
    const auto left = inkColumns(Manager().Frame());
    label.Alignment = Align::Right;
    Manager().Redraw();
    const auto right = inkColumns(Manager().Frame());
    EXPECT_LT(left.first, rect.X + 4);
    EXPECT_GT(right.first, rect.X + rect.W / 2);
    EXPECT_GT(right.second, rect.X + rect.W - 4);
    label.Alignment = Align::Centre;
    Manager().Redraw();
    const auto centre = inkColumns(Manager().Frame());
    EXPECT_NEAR((centre.first + centre.second) / 2.0, rect.X + rect.W / 2.0, 3.0);

    // An opaque label paints its back colour; a transparent one leaves what lies beneath.
    label.BackColor = Rgb(90, 0, 0);
    Manager().Redraw();
    EXPECT_EQ(Manager().Frame().At(rect.X + 1, rect.Y + rect.H - 2) & 0xFFFFFF, Rgb(90, 0, 0));
    label.BackStyle = BackMode::Transparent;
    Manager().Redraw();
    EXPECT_EQ(Manager().Frame().At(rect.X + 1, rect.Y + rect.H - 2) & 0xFFFFFF, Rgb(0, 0, 90));
}

TEST_F(PaintTest, PictureBoxShowsItsPictureExactlyAndCutToItsBox) {
    ASSERT_NO_FATAL_FAILURE(Start());
    Window window(Manager());
    window.BackColor = Rgb(1, 2, 3);
    PictureBox box;
    const uint32_t back = Rgb(0, 0, 200);
    box.BackColor = back;
    box.Move(50, 60, 5, 4);
    Image picture(3, 2);
    for (int i = 0; i < 6; ++i) picture.Pixels[i] = Rgb(10 * i, 100 + i, 200 - i);
    box.SetPicture(picture);
    window.Add(box);
    window.Show();
    Manager().Redraw();
    const Image& frame = Manager().Frame();
    for (int y = -1; y <= 4; ++y) {
        for (int x = -1; x <= 5; ++x) {
            uint32_t want = Rgb(1, 2, 3);
            if (x >= 0 && x < 5 && y >= 0 && y < 4) want = back;
            if (x >= 0 && x < 3 && y >= 0 && y < 2) want = picture.At(x, y);
            EXPECT_EQ(frame.At(50 + x, 60 + y) & 0xFFFFFF, want) << x << "," << y;
        }
    }

    // Cut to the box; AutoSize makes the box fit the picture instead.
    box.Move(50, 60, 2, 1);
    Manager().Redraw();
    EXPECT_EQ(Manager().Frame().At(51, 60) & 0xFFFFFF, picture.At(1, 0));
    EXPECT_EQ(Manager().Frame().At(52, 60) & 0xFFFFFF, Rgb(1, 2, 3));
    EXPECT_EQ(Manager().Frame().At(50, 61) & 0xFFFFFF, Rgb(1, 2, 3));
    box.SetAutoSize(true);
    EXPECT_EQ(box.Width, 3);
    EXPECT_EQ(box.Height, 2);

    // Drawing on the surface grows it to the box and shows on the next paint.
    box.SetAutoSize(false);
    box.Move(50, 60, 8, 8);
    Image& surface = box.Surface();
    EXPECT_EQ(surface.Width, 8);
    EXPECT_EQ(surface.At(0, 0), picture.At(0, 0));
    EXPECT_EQ(surface.At(7, 7), back);
    Canvas(surface).FillRect(Rect{6, 6, 2, 2}, Rgb(0, 255, 0));
    box.Refresh();
    Manager().Redraw();
    EXPECT_EQ(Manager().Frame().At(57, 67) & 0xFFFFFF, Rgb(0, 255, 0));
    EXPECT_EQ(Manager().Frame().At(55, 65) & 0xFFFFFF, back);
    box.ClearPicture();
    Manager().Redraw();
    EXPECT_EQ(Manager().Frame().At(57, 67) & 0xFFFFFF, back);
}

TEST_F(PaintTest, FocusedAndCheckedControlsLookDifferent) {
    ASSERT_NO_FATAL_FAILURE(Start());
    Window window(Manager());
    CheckBox check;
    OptionButton option;
    Button button;
    TextBox text;
    check.Move(10, 10, 120, 20);
    option.Move(10, 40, 120, 20);
    button.Move(10, 70, 80, 24);
    text.Move(10, 100, 120, 24);
    check.SetCaption("&Check");
    option.SetCaption("&Option");
    button.SetCaption("&Button");
    for (Control* c : std::initializer_list<Control*>{&check, &option, &button, &text}) {
        window.Add(*c);
    }
    window.Show();
    for (Control* c : std::initializer_list<Control*>{&check, &option, &button, &text}) {
        window.FocusControl(nullptr);
        Manager().Redraw();
        const Image before = Manager().Frame();
        c->SetFocus();
        Manager().Redraw();
        const FrameDiff focus = CompareFrames(before, Manager().Frame(), c->CanvasBounds());
        EXPECT_GT(focus.Inside, 0) << c->CanvasBounds().Y;
        EXPECT_EQ(focus.Outside, 0) << c->CanvasBounds().Y;
    }
    Manager().Redraw();
    const Image unchecked = Manager().Frame();
    check.SetValue(1);
    option.SetValue(true);
    Manager().Redraw();
    EXPECT_GT(CompareFrames(unchecked, Manager().Frame(), Rect{10, 10, 13, 20}).Inside, 0);
    EXPECT_GT(CompareFrames(unchecked, Manager().Frame(), Rect{10, 40, 13, 20}).Inside, 0);
}

}  // namespace
}  // namespace kv::test
