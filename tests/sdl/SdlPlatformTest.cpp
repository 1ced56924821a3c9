#include "platform/sdl/SdlPlatform.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>

#include "platform/Keys.h"
#include "platform/sdl/SdlFonts.h"
#include "platform/sdl/SdlWindow.h"

namespace kv {
namespace {

using Type = InputEvent::Type;

class SdlPlatformTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        platform_ = CreateSdlPlatform(error);
        ASSERT_NE(platform_, nullptr) << error;
        display_ = dynamic_cast<SdlDisplay*>(&platform_->Screen());
        ASSERT_NE(display_, nullptr);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    void PushKey(Uint32 type, SDL_Keycode sym, int mod = KMOD_NONE, int repeat = 0) {
        SDL_Event event{};
        event.type = type;
        event.key.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = static_cast<Uint8>(repeat);
        event.key.keysym.sym = sym;
        event.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
        event.key.keysym.mod = static_cast<Uint16>(mod);
        event.key.windowID = display_->WindowId();
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }

    void PushClick(int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
        SDL_Event event{};
        event.type = SDL_MOUSEBUTTONDOWN;
        event.button.windowID = display_->WindowId();
        event.button.button = button;
        event.button.state = SDL_PRESSED;
        event.button.clicks = 1;
        event.button.x = x;
        event.button.y = y;
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }

    void PushWindowEvent(Uint8 what) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = display_->WindowId();
        event.window.event = what;
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }

    // The next event, or a failure when none is waiting.
    InputEvent Next() {
        InputEvent event;
        EXPECT_TRUE(platform_->Events().WaitEvent(event, platform_->Time().NowMs()))
            << "no event waiting";
        return event;
    }

    bool NothingWaiting() {
        InputEvent event;
        return !platform_->Events().WaitEvent(event, platform_->Time().NowMs());
    }

    void Resize(int w, int h) {
        SDL_SetWindowSize(display_->Window(), w, h);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }

    std::unique_ptr<Platform> platform_;
    SdlDisplay* display_ = nullptr;
};

TEST_F(SdlPlatformTest, KeysArriveAsGameCodesWithShiftStates) {
    PushKey(SDL_KEYDOWN, SDLK_UP);
    PushKey(SDL_KEYDOWN, SDLK_UP, KMOD_NONE, 1);  // held: repeats come as marked presses
    PushKey(SDL_KEYUP, SDLK_UP);
    PushKey(SDL_KEYDOWN, SDLK_m, KMOD_LSHIFT | KMOD_RCTRL);

    InputEvent e = Next();
    EXPECT_EQ(e.Kind, Type::KeyDown);
    EXPECT_EQ(e.KeyCode, Key::Up);
    EXPECT_EQ(e.Shift, 0);
    EXPECT_FALSE(e.Repeat);
    e = Next();
    EXPECT_EQ(e.Kind, Type::KeyDown);
    EXPECT_EQ(e.KeyCode, Key::Up);
    EXPECT_TRUE(e.Repeat);
    e = Next();
    EXPECT_EQ(e.Kind, Type::KeyUp);
    EXPECT_EQ(e.KeyCode, Key::Up);
    EXPECT_FALSE(e.Repeat);
    e = Next();
    EXPECT_EQ(e.Kind, Type::KeyDown);
    EXPECT_EQ(e.KeyCode, 'M');
    EXPECT_EQ(e.Shift, Key::ShiftMask | Key::CtrlMask);
    EXPECT_FALSE(e.Repeat);
    EXPECT_TRUE(NothingWaiting());
}

TEST_F(SdlPlatformTest, KeysTheGameDoesNotKnowAreDropped) {
    PushKey(SDL_KEYDOWN, SDLK_MUTE);
    PushKey(SDL_KEYUP, SDLK_MUTE);
    EXPECT_TRUE(NothingWaiting());
}

TEST_F(SdlPlatformTest, AltEnterAndF11ToggleFullscreenAndNeverReachTheGame) {
    ASSERT_EQ(display_->State(), WindowState::Normal);
    PushKey(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT);
    PushKey(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT, 1);  // a held key toggles once
    PushKey(SDL_KEYUP, SDLK_RETURN);                  // Alt already let go: still taken
    PushKey(SDL_KEYDOWN, SDLK_a);
    InputEvent e = Next();
    EXPECT_EQ(e.Kind, Type::KeyDown);
    EXPECT_EQ(e.KeyCode, Key::A);
    EXPECT_EQ(display_->State(), WindowState::Fullscreen);

    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    PushKey(SDL_KEYDOWN, SDLK_F11);
    PushKey(SDL_KEYUP, SDLK_F11);
    PushKey(SDL_KEYDOWN, SDLK_RETURN);  // Enter alone is the game's
    e = Next();
    while (e.Kind == Type::Expose) e = Next();
    EXPECT_EQ(e.Kind, Type::KeyDown);
    EXPECT_EQ(e.KeyCode, Key::Return);
    EXPECT_EQ(display_->State(), WindowState::Normal);
}

TEST_F(SdlPlatformTest, TextAndCompositionArriveWhileTextInputIsOn) {
    display_->SetTextInput(true, Rect{100, 200, 8, 16});
    EXPECT_TRUE(SDL_IsTextInputActive());

    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    std::strcpy(text.text.text, "漢字");
    ASSERT_EQ(SDL_PushEvent(&text), 1);
    SDL_Event editing{};
    editing.type = SDL_TEXTEDITING;
    std::strcpy(editing.edit.text, "かな");
    editing.edit.start = 1;
    ASSERT_EQ(SDL_PushEvent(&editing), 1);

    InputEvent e = Next();
    EXPECT_EQ(e.Kind, Type::Text);
    EXPECT_EQ(e.Text, "漢字");
    e = Next();
    EXPECT_EQ(e.Kind, Type::Editing);
    EXPECT_EQ(e.Text, "かな");
    EXPECT_EQ(e.Cursor, 1);

    display_->SetTextInput(false, Rect{});
    EXPECT_FALSE(SDL_IsTextInputActive());
}

TEST_F(SdlPlatformTest, ClicksMapThroughTheLetterboxAndMissesAreDropped) {
    Resize(1300, 1000);  // x2, picture at (10, 20)
    PushClick(5, 5);     // on the black border
    PushClick(10 + 2 * 100 + 1, 20 + 2 * 50 + 1);
    PushClick(1289, 979, SDL_BUTTON_RIGHT);
    PushClick(500, 500, SDL_BUTTON_X1);  // a button the game has no use for
    PushClick(500, 500, SDL_BUTTON_MIDDLE);

    InputEvent e = Next();
    EXPECT_EQ(e.Kind, Type::MouseDown);
    EXPECT_EQ(e.X, 100);
    EXPECT_EQ(e.Y, 50);
    EXPECT_EQ(e.Button, 1);
    e = Next();
    EXPECT_EQ(e.X, 639);
    EXPECT_EQ(e.Y, 479);
    EXPECT_EQ(e.Button, 2);
    e = Next();
    EXPECT_EQ(e.Button, 3);
    EXPECT_TRUE(NothingWaiting());

    Resize(320, 240);  // smaller than the canvas: shrunk to half
    PushClick(160, 120);
    e = Next();
    EXPECT_EQ(e.X, 320);
    EXPECT_EQ(e.Y, 240);
}

TEST_F(SdlPlatformTest, PresentScalesTheCanvasIntoTheLetterbox) {
    Resize(1300, 1000);
    Image canvas(640, 480, Rgb(0, 0, 255));
    canvas.At(0, 0) = Rgb(255, 0, 0);
    canvas.At(1, 0) = Rgb(0, 255, 0);
    canvas.At(639, 479) = Rgb(255, 255, 0);
    display_->Present(canvas);

    SDL_Renderer* renderer = SDL_GetRenderer(display_->Window());
    ASSERT_NE(renderer, nullptr);
    int w = 0;
    int h = 0;
    ASSERT_EQ(SDL_GetRendererOutputSize(renderer, &w, &h), 0);
    ASSERT_EQ(w, 1300);
    ASSERT_EQ(h, 1000);
    std::vector<uint32_t> shown(static_cast<size_t>(w) * h);
    ASSERT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB888, shown.data(), w * 4),
              0)
        << SDL_GetError();
    auto at = [&](int x, int y) { return shown[static_cast<size_t>(y) * w + x] & 0xFFFFFF; };
    EXPECT_EQ(at(9, 20), 0u);
    EXPECT_EQ(at(10, 19), 0u);
    EXPECT_EQ(at(10, 20), Rgb(255, 0, 0));
    EXPECT_EQ(at(11, 21), Rgb(255, 0, 0));
    EXPECT_EQ(at(12, 20), Rgb(0, 255, 0));
    EXPECT_EQ(at(14, 20), Rgb(0, 0, 255));
    EXPECT_EQ(at(1289, 979), Rgb(255, 255, 0));
    EXPECT_EQ(at(1288, 978), Rgb(255, 255, 0));
    EXPECT_EQ(at(1290, 979), 0u);
    EXPECT_EQ(at(1289, 980), 0u);

    // A canvas of another size, and an empty one, are shown or ignored safely.
    display_->Present(Image(320, 200, Rgb(1, 2, 3)));
    display_->Present(Image());
}

TEST_F(SdlPlatformTest, WindowEventsBecomeCloseAndExpose) {
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
    PushWindowEvent(SDL_WINDOWEVENT_RESTORED);
    PushWindowEvent(SDL_WINDOWEVENT_MOVED);  // nothing to repaint
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);

    EXPECT_EQ(Next().Kind, Type::CloseAsked);
    EXPECT_EQ(Next().Kind, Type::Expose);
    EXPECT_EQ(Next().Kind, Type::Expose);
    EXPECT_EQ(Next().Kind, Type::CloseAsked);
    EXPECT_TRUE(NothingWaiting());
}

TEST_F(SdlPlatformTest, WaitEventReturnsFalseOnlyOnceTheDeadlineHasCome) {
    InputEvent e;
    const int64_t deadline = platform_->Time().NowMs() + 30;
    EXPECT_FALSE(platform_->Events().WaitEvent(e, deadline));
    EXPECT_GE(platform_->Time().NowMs(), deadline);

    // A deadline already past still hands over what is waiting.
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    ASSERT_TRUE(platform_->Events().WaitEvent(e, 0));
    EXPECT_EQ(e.KeyCode, Key::Escape);
    EXPECT_FALSE(platform_->Events().WaitEvent(e, 0));
}

TEST_F(SdlPlatformTest, WindowChoresKeepTheirValues) {
    EXPECT_EQ(display_->Caption(), "コルヴァーネ");
    display_->SetCaption("迷宮 — 地下1階");
    EXPECT_EQ(display_->Caption(), "迷宮 — 地下1階");

    display_->SetPosition(Point{100, 50});
    EXPECT_EQ(display_->Position(), (Point{100, 50}));
    // A place on no display (a monitor since removed) centres the window.
    display_->SetPosition(Point{-5000, -5000});
    const Point centred = display_->Position();
    SDL_Rect bounds;
    ASSERT_EQ(SDL_GetDisplayBounds(0, &bounds), 0);
    EXPECT_GE(centred.X, bounds.x);
    EXPECT_GE(centred.Y, bounds.y);
    EXPECT_LT(centred.X, bounds.x + bounds.w);
    EXPECT_LT(centred.Y, bounds.y + bounds.h);

    display_->SetFullscreen(true);
    EXPECT_EQ(display_->State(), WindowState::Fullscreen);
    display_->SetFullscreen(false);
    EXPECT_EQ(display_->State(), WindowState::Normal);
}

TEST_F(SdlPlatformTest, ClockRunsForwardAndTellsTheTimeOfDay) {
    Clock& clock = platform_->Time();
    const int64_t before = clock.NowMs();
    SDL_Delay(2);
    EXPECT_GT(clock.NowMs(), before);
    const double seconds = clock.SecondsSinceMidnight();
    EXPECT_GE(seconds, 0.0);
    EXPECT_LT(seconds, 86400.0);
    EXPECT_NE(clock.Entropy(), clock.Entropy());
}

TEST(SdlPlatformLifetime, PlatformsComeAndGoBesideAFontLibrary) {
    std::string error;
    std::unique_ptr<FontLibrary> fonts = CreateSdlFontLibrary(error);
    ASSERT_NE(fonts, nullptr) << error;
    for (int round = 0; round < 2; ++round) {
        std::unique_ptr<Platform> platform = CreateSdlPlatform(error);
        ASSERT_NE(platform, nullptr) << error;
        EXPECT_EQ(platform->Fonts().RenderGlyph(FontFace::Gothic, 16, U'A').Advance, 8);
        platform->Screen().Present(Image(640, 480, Rgb(10, 20, 30)));
    }
    // The platforms are gone; the font renderer they shared is not.
    EXPECT_EQ(fonts->RenderGlyph(FontFace::Gothic, 16, U'漢').Advance, 16);
}

}  // namespace
}  // namespace kv
