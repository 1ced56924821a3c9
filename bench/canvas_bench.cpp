// The canvas operations a frame is built from, at the 640x480 size of the
// game's screen: whole-frame composition, a line of text, full-screen blits.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Utf8.h"
#include "platform/sdl/SdlFonts.h"
#include "ui/Canvas.h"

namespace kv {
namespace {

constexpr int ScreenW = 640;
constexpr int ScreenH = 480;

// A busy picture with fixed content (a small hash of the position), so runs
// compare.
Image MakePicture(int w, int h, uint32_t seed) {
    Image image(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint32_t v = (static_cast<uint32_t>(x) * 73856093u) ^
                         (static_cast<uint32_t>(y) * 19349663u) ^ (seed * 83492791u);
            v ^= v >> 13;
            image.At(x, y) = (v * 2654435761u) & 0x00FFFFFFu;
        }
    }
    return image;
}

// A sprite's mask: white (keep the background) outside an ellipse, black
// inside, as the AND pass of a transparent picture expects.
Image MakeMask(int w, int h) {
    Image mask(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double dx = (x + 0.5 - w / 2.0) / (w / 2.0);
            const double dy = (y + 0.5 - h / 2.0) / (h / 2.0);
            mask.At(x, y) = dx * dx + dy * dy <= 1.0 ? 0 : 0x00FFFFFFu;
        }
    }
    return mask;
}

std::unique_ptr<FontLibrary> OpenFonts(benchmark::State& state) {
    std::string error;
    std::unique_ptr<FontLibrary> fonts = CreateSdlFontLibrary(error);
    if (!fonts) state.SkipWithError(("fonts unavailable: " + error).c_str());
    return fonts;
}

// 40 cells of typical interface text: full-width Japanese with some ASCII.
const std::string TextLine =
    "\xE5\x86\x92\xE9\x99\xBA\xE8\x80\x85\xE3\x81\xAF\xE5\xAE\x9D\xE7\xAE\xB1\xE3\x82\x92"
    "\xE9\x96\x8B\xE3\x81\x91\xE3\x81\x9F\xEF\xBC\x81 Gold 1234 HP 5/78";

void BM_ComposeFrame(benchmark::State& state) {
    std::unique_ptr<FontLibrary> fonts = OpenFonts(state);
    if (!fonts) return;
    GlyphCache glyphs(*fonts);
    Image screen(ScreenW, ScreenH);
    Canvas canvas(screen);
    const Image mask = MakeMask(200, 150);
    std::vector<Image> pictures;
    for (uint32_t i = 0; i < 4; ++i) {
        Image picture = MakePicture(200, 150, i + 1);
        for (size_t p = 0; p < picture.Pixels.size(); ++p)
            if (mask.Pixels[p] != 0) picture.Pixels[p] = 0;  // black where transparent
        pictures.push_back(std::move(picture));
    }
    // The walls of a corridor view: floor, ceiling and the side panels.
    const std::array<std::array<Point, 4>, 6> walls = {{
        {{{0, 0}, {160, 120}, {160, 360}, {0, 480}}},
        {{{640, 0}, {480, 120}, {480, 360}, {640, 480}}},
        {{{0, 0}, {640, 0}, {480, 120}, {160, 120}}},
        {{{0, 480}, {160, 360}, {480, 360}, {640, 480}}},
        {{{160, 120}, {240, 180}, {240, 300}, {160, 360}}},
        {{{480, 120}, {400, 180}, {400, 300}, {480, 360}}},
    }};
    canvas.DrawText(glyphs, 0, 0, TextLine, 0x00FFFFFF);  // warm the cache
    for (auto _ : state) {
        canvas.Fill(0x00202020);
        for (size_t i = 0; i < walls.size(); ++i) {
            const uint32_t shade = 0x00303030u + 0x00101010u * static_cast<uint32_t>(i);
            canvas.Polygon(walls[i], shade, 0x00FFFFFF);
        }
        for (size_t i = 0; i < pictures.size(); ++i) {
            const int x = 20 + 150 * static_cast<int>(i);
            const int y = 60 + 40 * static_cast<int>(i % 2);
            canvas.Blit(x, y, mask, RasterOp::And);
            canvas.Blit(x, y, pictures[i], RasterOp::Or);
        }
        for (int line = 0; line < 20; ++line)
            canvas.DrawText(glyphs, 8, 8 + line * 20, TextLine, 0x00FFFF80);
        benchmark::DoNotOptimize(screen.Pixels.data());
        benchmark::ClobberMemory();
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMicrosecond);

void BM_TextLine(benchmark::State& state) {
    std::unique_ptr<FontLibrary> fonts = OpenFonts(state);
    if (!fonts) return;
    GlyphCache glyphs(*fonts);
    Image screen(ScreenW, ScreenH, 0x00000080);
    Canvas canvas(screen);
    canvas.DrawText(glyphs, 0, 0, TextLine, 0x00FFFFFF);
    if (CellWidth(TextLine) != 40) state.SkipWithError("the line should be 40 cells");
    const uint64_t rendered = fonts->RenderCount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(canvas.DrawText(glyphs, 16, 200, TextLine, 0x00FFFFFF));
        benchmark::ClobberMemory();
    }
    if (fonts->RenderCount() != rendered) state.SkipWithError("the warm cache rendered glyphs");
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(DecodeUtf8(TextLine).size()));
}
BENCHMARK(BM_TextLine)->Unit(benchmark::kMicrosecond);

void BM_TextWidth(benchmark::State& state) {
    std::unique_ptr<FontLibrary> fonts = OpenFonts(state);
    if (!fonts) return;
    GlyphCache glyphs(*fonts);
    glyphs.TextWidth(TextLine);
    for (auto _ : state) benchmark::DoNotOptimize(glyphs.TextWidth(TextLine));
}
BENCHMARK(BM_TextWidth);

void BM_FullScreenBlit(benchmark::State& state) {
    const auto op = static_cast<RasterOp>(state.range(0));
    const Image picture = MakePicture(ScreenW, ScreenH, 7);
    Image screen = MakePicture(ScreenW, ScreenH, 9);
    Canvas canvas(screen);
    for (auto _ : state) {
        canvas.Blit(0, 0, picture, op);
        benchmark::DoNotOptimize(screen.Pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * ScreenW * ScreenH * 4);
}
BENCHMARK(BM_FullScreenBlit)
    ->ArgName("op")
    ->Arg(static_cast<int>(RasterOp::Copy))
    ->Arg(static_cast<int>(RasterOp::And))
    ->Arg(static_cast<int>(RasterOp::Xor))
    ->Unit(benchmark::kMicrosecond);

void BM_StretchToScreen(benchmark::State& state) {
    const Image picture = MakePicture(320, 240, 3);
    Image screen(ScreenW, ScreenH);
    Canvas canvas(screen);
    for (auto _ : state) {
        canvas.StretchBlit({0, 0, ScreenW, ScreenH}, picture, {0, 0, 320, 240});
        benchmark::DoNotOptimize(screen.Pixels.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StretchToScreen)->Unit(benchmark::kMicrosecond);

void BM_DarkenPattern(benchmark::State& state) {
    Image pattern(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) pattern.At(x, y) = (x + y) % 2 ? 0x00FFFFFFu : 0x00808080u;
    Image screen = MakePicture(ScreenW, ScreenH, 5);
    Canvas canvas(screen);
    for (auto _ : state) {
        canvas.AndPattern({0, 0, ScreenW, ScreenH}, pattern);
        benchmark::DoNotOptimize(screen.Pixels.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DarkenPattern)->Unit(benchmark::kMicrosecond);

void BM_FillPolygon(benchmark::State& state) {
    Image screen(ScreenW, ScreenH);
    Canvas canvas(screen);
    const Point star[] = {{320, 20}, {450, 460}, {80, 170}, {560, 170}, {190, 460}};
    for (auto _ : state) {
        canvas.FillPolygon(star, 0x00C0C0C0);
        benchmark::DoNotOptimize(screen.Pixels.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FillPolygon)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kv
