// A change a control reports repaints its box alone; a handled key that
// reports nothing repaints the whole frame; either way the frame is what a
// repaint of all of it gives.
#include "ui/ListEx.h"
#include "ui/UiFixture.h"

namespace kv::test {
namespace {

class CountedBox : public Control {
  public:
    int Paints = 0;
    void Paint(PaintContext& context) override {
        ++Paints;
        Control::Paint(context);
    }
};

using PartialRepaintTest = UiTest;

TEST_F(PartialRepaintTest, AMovedHighlightRepaintsItsListAndAnUnreportedChangeEverything) {
    ASSERT_NO_FATAL_FAILURE(Start());
    Manager().CheckRepaints(false);  // its own whole repaints would be counted
    Window window(Manager());
    CountedBox backdrop;
    backdrop.Move(0, 0, 640, 480);
    backdrop.BackColor = Rgb(20, 40, 60);
    CountedBox corner;
    corner.Move(8, 8, 40, 40);
    ListEx list;
    list.Move(100, 300, 200, 80);
    list.AddItems(0, {"A", "B", "C"});
    window.Add(backdrop);
    window.Add(corner);
    window.Add(list);
    window.KeyPreview = true;
    window.OnKeyDown = [&corner](int& keyCode, int) {
        if (keyCode != Key::Space) return;
        corner.BackColor = Rgb(200, 0, 0);  // told to nobody
        keyCode = 0;
    };
    window.Show();
    list.SetFocus();
    Manager().Redraw();

    Tap(Key::Down);
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(backdrop.Paints, 2) << "what lies under the list is painted again";
    EXPECT_EQ(corner.Paints, 1) << "what lies outside the list is not";
    const Image partial = Manager().Frame();
    Manager().Invalidate();
    Manager().Redraw();
    EXPECT_TRUE(partial.Pixels == Manager().Frame().Pixels);

    Tap(Key::Space);
    EXPECT_EQ(corner.Paints, 3);
    EXPECT_EQ(Manager().Frame().At(10, 10), Rgb(200, 0, 0));
}

}  // namespace
}  // namespace kv::test
