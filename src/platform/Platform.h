#pragma once
// The platform seen from above: a display, a source of input events, a clock,
// a MIDI player, fonts and picture files. Two implementations exist: SDL2 for
// players, and a null twin for tests and headless runs (scripted keys, fake
// clock, silent audio that records what it was told), which shares the SDL
// font rasteriser and picture decoder so headless pictures are true.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Events.h"
#include "platform/Image.h"

namespace kv {

struct Point {
    int X = 0;
    int Y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int X = 0;
    int Y = 0;
    int W = 0;
    int H = 0;
    bool Contains(int x, int y) const { return x >= X && y >= Y && x < X + W && y < Y + H; }
    bool operator==(const Rect&) const = default;
};

enum class WindowState { Normal, Minimised, Maximised, Fullscreen };

// The one main window. The game draws into a 640x480 canvas; the display shows
// it scaled by a whole number, letterboxed, in a resizable window.
class Display {
  public:
    virtual ~Display() = default;
    virtual void Present(const Image& canvas) = 0;
    virtual void SetCaption(const std::string& utf8) = 0;
    virtual std::string Caption() const = 0;
    virtual void SetFullscreen(bool on) = 0;
    virtual void Minimise() = 0;
    virtual void ToggleMaximise() = 0;
    virtual WindowState State() const = 0;
    virtual Point Position() const = 0;
    virtual void SetPosition(Point topLeft) = 0;
    // Text input (and the IME) is on only while a text box has the focus;
    // the caret rectangle (canvas pixels) places the IME's candidate window.
    virtual void SetTextInput(bool on, Rect caret) = 0;
};

// Input in arrival order. WaitEvent blocks until an event arrives or the clock
// reaches deadlineMs (a negative deadline waits without limit); it returns
// false on reaching the deadline with no event.
class EventSource {
  public:
    virtual ~EventSource() = default;
    virtual bool WaitEvent(InputEvent& event, int64_t deadlineMs) = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual int64_t NowMs() const = 0;                // monotonic, from an arbitrary start
    virtual double SecondsSinceMidnight() const = 0;  // local wall clock
    virtual uint64_t Entropy() const = 0;             // a seed for the default RNG
};

// MIDI music: exactly what the scene player needs. A file or a soundfont that
// is missing leaves silence; nothing here ever fails loudly.
class MidiPlayer {
  public:
    virtual ~MidiPlayer() = default;
    virtual bool Open(const std::string& path) = 0;
    virtual void Play() = 0;  // from the start
    virtual bool IsPlaying() const = 0;
    virtual void Stop() = 0;
    virtual void Close() = 0;
};

enum class FontFace { Gothic, PGothic };  // monospaced and proportional Gothic

struct FontMetrics {
    int LineSkip = 0;  // distance between two lines' tops
    int Ascent = 0;
    int Height = 0;  // height of one glyph cell
};

// One rendered character: an alpha (coverage) cell of Width x Height whose
// top-left sits at the pen position on the line's top; the pen then moves by
// Advance.
struct Glyph {
    int Width = 0;
    int Height = 0;
    int Advance = 0;
    std::vector<uint8_t> Alpha;
};

class FontLibrary {
  public:
    virtual ~FontLibrary() = default;
    virtual FontMetrics Metrics(FontFace face, int sizePx) = 0;
    virtual Glyph RenderGlyph(FontFace face, int sizePx, char32_t codePoint) = 0;
    virtual uint64_t RenderCount() const = 0;  // glyphs rendered so far (cache checks)
};

class ImageCodec {
  public:
    virtual ~ImageCodec() = default;
    // BMP, JPEG, GIF and PNG; nothing on a missing or broken file.
    virtual std::optional<Image> Load(const std::string& path) = 0;
    virtual bool SavePng(const Image& image, const std::string& path) = 0;
};

class Platform {
  public:
    virtual ~Platform() = default;
    virtual Display& Screen() = 0;
    virtual EventSource& Events() = 0;
    virtual Clock& Time() = 0;
    virtual MidiPlayer& Midi() = 0;
    virtual FontLibrary& Fonts() = 0;
    virtual ImageCodec& Images() = 0;
};

}  // namespace kv
