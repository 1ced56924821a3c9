#include "ui/TitleWindow.h"

#include <algorithm>

#include "core/Version.h"
#include "ui/PanelArt.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr const char* GameTitle = "Korvane";
constexpr const char* StartPrompt = "何かキーを押してください";
constexpr int FailureMargin = 16;  // room kept around the text of a failed load

}  // namespace

TitleWindow::TitleWindow(WindowManager& manager, const Game& game) : Window(manager) {
    Name = "frmTitle";
    OwnsCaption = true;
    SetCaption(GameTitle);
    KeyPreview = true;

    picture_.Name = "picTitle";
    picture_.Move(0, 0, Width, Height);
    std::optional<Image> art =
        manager.Host().Images().Load((game.DataFolder / "title.jpg").string());
    if (!art) {
        // Without a title picture the title shows a night sky, dark blue
        // fading to black, which the white lines read well on.
        art = VerticalGradient(Width, Height, Rgb(21, 25, 125), Rgb(0, 0, 40));
        Canvas canvas(*art);
        GlyphCache& glyphs = manager.Glyphs();
        const int size = 48;
        const int x = (Width - glyphs.TextWidth(GameTitle, FontFace::PGothic, size)) / 2;
        canvas.DrawText(glyphs, x, Height / 3, GameTitle, Rgb(230, 200, 120), FontFace::PGothic,
                        size);
    }
    picture_.SetPicture(std::move(*art));
    Add(picture_);

    Label1.Face = FontFace::PGothic;
    Label1.BackStyle = BackMode::Transparent;
    Label1.Alignment = Align::Right;
    Label1.Move(Width - 216, Height - 28, 200, 16);
    Label1.SetCaption("Ver." + VersionString());
    Add(Label1);

    lbl.BackStyle = BackMode::Transparent;
    lbl.Alignment = Align::Centre;
    lbl.Move(0, Height * 3 / 4, Width, 16);
    lbl.SetCaption("Loading...");
    Add(lbl);

    OnKeyPress = [this](int& keyAscii) {
        if (keyAscii != 0) Start();
        keyAscii = 0;
    };
    // A click anywhere on the title starts the game as well.
    for (Control* part : {static_cast<Control*>(this), static_cast<Control*>(&picture_),
                          static_cast<Control*>(&Label1), static_cast<Control*>(&lbl)}) {
        part->OnMouseDown = [this](int, int, int) { Start(); };
    }
}

void TitleWindow::FinishLoading() {
    lbl.SetCaption(StartPrompt);
    loaded_ = true;
}

void TitleWindow::FailLoading(const std::string& why) {
    GlyphCache& glyphs = Manager().Glyphs();
    const int width = Width - 2 * FailureMargin;
    const int pitch = lbl.LinePitch(glyphs);
    // A text taller than the window shows the lines that fit, its first ones.
    const int lines =
        std::min(static_cast<int>(WrapText(glyphs, why, width, lbl.Face, lbl.FontSize).size()),
                 std::max(1, (Height - 2 * FailureMargin) / pitch));
    const int height = lines * pitch;
    // Centred on the loading line's place, moved up as far as it must to fit.
    const int top = std::max(
        FailureMargin, std::min(Height * 3 / 4 - height / 2, Height - FailureMargin - height));
    lbl.ForeColor = Rgb(255, 160, 120);
    lbl.Move(FailureMargin, top, width, height);
    lbl.SetCaption(why);
    loaded_ = false;
}

void TitleWindow::Start() {
    if (!loaded_) return;
    // The title is shown once a run: its picture is let go before the
    // town's is read, so the two are never held together.
    picture_.ClearPicture();
    if (OnStart) OnStart();
}

}  // namespace kv
