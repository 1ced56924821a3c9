// The title when the game's data cannot be loaded: why, in full, inside the
// window.
#include <algorithm>
#include <string>

#include "UiFixture.h"
#include "core/Game.h"
#include "ui/TitleWindow.h"

namespace kv::test {
namespace {

constexpr uint32_t FailureColour = Rgb(255, 160, 120);

// Where the text of the failure is drawn: the box around every pixel in its
// colour (antialiased edges aside).
struct Ink {
    int Left = 640;
    int Right = -1;
    int Top = 480;
    int Bottom = -1;
};

Ink FailureInk(const Image& frame) {
    Ink ink;
    for (int y = 0; y < frame.Height; ++y) {
        for (int x = 0; x < frame.Width; ++x) {
            if ((frame.At(x, y) & 0xFFFFFF) != (FailureColour & 0xFFFFFF)) continue;
            ink.Left = std::min(ink.Left, x);
            ink.Right = std::max(ink.Right, x);
            ink.Top = std::min(ink.Top, y);
            ink.Bottom = std::max(ink.Bottom, y);
        }
    }
    return ink;
}

std::string ManyLines(int count) {
    std::string text = "データを読み込めません";
    for (int i = 1; i <= count; ++i) text += "\nKVR" + std::to_string(i) + ".DAT is missing";
    return text;
}

class TitleTest : public UiTest {};

TEST_F(TitleTest, AFailedLoadWrapsItsLinesInsideTheWindow) {
    const std::string path = "/home/player/.local/share/korvane/saves/" + std::string(60, 'x');
    // The lines as the game builds them: a heading, then one line a file.
    struct Case {
        const char* What;
        std::string Why;
        int AtLeastLines;  // the text's lines once wrapped
    };
    const Case cases[] = {
        {"two lines a file",
         "データを読み込めません\nKVR5.DAT is missing (4 116 741 bytes expected): cannot open '" +
             path +
             "/KVR5.DAT': No such file or directory\nKVR3.DAT is too short: 10 bytes, at "
             "least 562 485 expected",
         4},
        {"one long word", "データを読み込めません\n" + std::string(300, 'W'), 4},
        {"more than fits", ManyLines(40), 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        ASSERT_NO_FATAL_FAILURE(Start());
        auto game = std::make_unique<Game>();
        TitleWindow title(Manager(), *game);
        title.Show();
        title.FailLoading(c.Why);
        EXPECT_FALSE(title.Loaded());
        Manager().Redraw();
        const Ink ink = FailureInk(Manager().Frame());
        ASSERT_GE(ink.Right, 0) << "nothing drawn";
        // Nothing runs off either edge: a margin stays on both sides.
        EXPECT_GE(ink.Left, 8);
        EXPECT_LE(ink.Right, 640 - 8);
        EXPECT_GE(ink.Top, 0);
        EXPECT_LE(ink.Bottom, 480 - 8);
        const int lineSkip = Manager().Glyphs().Metrics(FontFace::Gothic, 16).LineSkip;
        EXPECT_GE(ink.Bottom - ink.Top, (c.AtLeastLines - 1) * lineSkip)
            << "the lines too long for the window go on below";
    }
}

TEST_F(TitleTest, AShortFailureStaysWhereTheLoadingLineWas) {
    ASSERT_NO_FATAL_FAILURE(Start());
    auto game = std::make_unique<Game>();
    TitleWindow title(Manager(), *game);
    title.Show();
    title.FailLoading("KVR4.DAT is missing");
    Manager().Redraw();
    const Ink ink = FailureInk(Manager().Frame());
    ASSERT_GE(ink.Right, 0);
    EXPECT_NEAR((ink.Left + ink.Right) / 2, 320, 8) << "centred";
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 360, 16) << "at three quarters of the height";
}

}  // namespace
}  // namespace kv::test
