#include "platform/sdl/SdlFonts.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <utility>

#include "platform/sdl/SdlInit.h"

namespace kv {
namespace {

constexpr std::array<const char*, 2> FaceFiles = {"ipag.ttf", "ipagp.ttf"};  // by FontFace
constexpr int MinSize = 1;
constexpr int MaxSize = 256;
constexpr int ProbeSize = 16;
constexpr char32_t Replacement = 0xFFFD;

struct FontCloser {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};
using FontPtr = std::unique_ptr<TTF_Font, FontCloser>;

struct SurfaceFreer {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFreer>;

std::string FontFolder() {
    const char* fromEnv = std::getenv("KORVANE_FONT_DIR");
    if (fromEnv != nullptr && *fromEnv != '\0') return fromEnv;
    return KORVANE_FONT_DIR;
}

class SdlFontLibrary final : public FontLibrary {
  public:
    SdlFontLibrary(SdlLease lease, std::array<std::string, 2> paths)
        : paths_(std::move(paths)), lease_(std::move(lease)) {}

    FontMetrics Metrics(FontFace face, int sizePx) override {
        TTF_Font* font = Get(face, sizePx);
        if (font == nullptr) return FontMetrics{};
        return FontMetrics{TTF_FontLineSkip(font), TTF_FontAscent(font), TTF_FontHeight(font)};
    }

    Glyph RenderGlyph(FontFace face, int sizePx, char32_t codePoint) override;

    uint64_t RenderCount() const override { return renders_; }

  private:
    TTF_Font* Get(FontFace face, int sizePx) {
        const int size = std::clamp(sizePx, MinSize, MaxSize);
        const auto key = std::make_pair(static_cast<int>(face), size);
        auto found = fonts_.find(key);
        if (found != fonts_.end()) return found->second.get();
        const size_t index =
            static_cast<size_t>(face) < paths_.size() ? static_cast<size_t>(face) : 0;
        FontPtr font(TTF_OpenFont(paths_[index].c_str(), size));
        TTF_Font* raw = font.get();
        // A failure is remembered too, so it is not retried for every glyph.
        fonts_.emplace(key, std::move(font));
        return raw;
    }

    std::array<std::string, 2> paths_;
    SdlLease lease_;
    std::map<std::pair<int, int>, FontPtr> fonts_;  // after lease_: closed before TTF stops
    uint64_t renders_ = 0;
};

Glyph SdlFontLibrary::RenderGlyph(FontFace face, int sizePx, char32_t codePoint) {
    ++renders_;
    Glyph glyph;
    TTF_Font* font = Get(face, sizePx);
    if (font == nullptr) return glyph;
    if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        codePoint = Replacement;
    }
    int minX = 0;
    int maxX = 0;
    int minY = 0;
    int maxY = 0;
    int advance = 0;
    if (TTF_GlyphMetrics32(font, codePoint, &minX, &maxX, &minY, &maxY, &advance) != 0) {
        return glyph;
    }
    const int ascent = TTF_FontAscent(font);
    glyph.Advance = advance;
    glyph.Width = std::max(advance, 0);
    glyph.Height = TTF_FontHeight(font);

    SurfacePtr rendered(TTF_RenderGlyph32_Blended(font, codePoint, SDL_Color{255, 255, 255, 255}));
    SurfacePtr argb;
    if (rendered != nullptr) {
        argb.reset(SDL_ConvertSurfaceFormat(rendered.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    }
    if (argb == nullptr) {
        glyph.Alpha.assign(static_cast<size_t>(glyph.Width) * glyph.Height, 0);
        return glyph;
    }
    // SDL_ttf widens the surface on the left for ink left of the pen and on
    // top for ink above the ascent; the cell starts at the pen on the line's
    // top, so those strips are cut. Ink right of the advance or below the
    // line stays: the cell grows to hold it.
    const int skipX = std::clamp(-minX, 0, argb->w);
    const int skipY = std::clamp(maxY - ascent, 0, argb->h);
    glyph.Width = std::max(glyph.Width, argb->w - skipX);
    glyph.Height = std::max(glyph.Height, argb->h - skipY);
    glyph.Alpha.assign(static_cast<size_t>(glyph.Width) * glyph.Height, 0);
    if (SDL_LockSurface(argb.get()) != 0) return glyph;
    const auto* pixels = static_cast<const uint8_t*>(argb->pixels);
    for (int y = 0; y + skipY < argb->h && y < glyph.Height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(pixels + (y + skipY) * argb->pitch);
        for (int x = 0; x + skipX < argb->w && x < glyph.Width; ++x) {
            glyph.Alpha[static_cast<size_t>(y) * glyph.Width + x] =
                static_cast<uint8_t>(row[x + skipX] >> 24);
        }
    }
    SDL_UnlockSurface(argb.get());
    return glyph;
}

}  // namespace

std::unique_ptr<FontLibrary> CreateSdlFontLibrary(std::string& error) {
    const std::filesystem::path folder = FontFolder();
    std::array<std::string, 2> paths;
    for (size_t i = 0; i < FaceFiles.size(); ++i) {
        paths[i] = (folder / FaceFiles[i]).string();
        std::error_code ec;
        if (!std::filesystem::is_regular_file(paths[i], ec)) {
            error = "font not found: " + paths[i];
            return nullptr;
        }
    }
    SdlLease lease = SdlLease::Acquire(SdlPart::Fonts, error);
    if (!lease.Held()) return nullptr;
    // Open each face once now, so a file that is there but unreadable is
    // reported at start rather than as blank text later.
    for (const std::string& path : paths) {
        FontPtr probe(TTF_OpenFont(path.c_str(), ProbeSize));
        if (probe == nullptr) {
            error = "font unreadable: " + path + ": " + TTF_GetError();
            return nullptr;
        }
    }
    return std::make_unique<SdlFontLibrary>(std::move(lease), std::move(paths));
}

}  // namespace kv
