#include "platform/sdl/SdlImages.h"

#include <SDL.h>
#include <SDL_image.h>

#include "platform/sdl/SdlInit.h"

namespace kv {
namespace {

struct SurfaceFreer {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFreer>;

class SdlImageCodec final : public ImageCodec {
  public:
    explicit SdlImageCodec(SdlLease lease) : lease_(std::move(lease)) {}

    std::optional<Image> Load(const std::string& path) override {
        SurfacePtr loaded(IMG_Load(path.c_str()));
        if (loaded == nullptr || loaded->w <= 0 || loaded->h <= 0) return std::nullopt;
        // JPEG and BMP pictures arrive as three bytes a pixel: they are unpacked
        // straight into the picture, without a converted copy of the whole
        // surface (start-up loads full-screen pictures, and fresh memory is dear).
        const uint32_t format = loaded->format->format;
        if (format == SDL_PIXELFORMAT_RGB24 || format == SDL_PIXELFORMAT_BGR24) {
            return Unpack24(*loaded, format == SDL_PIXELFORMAT_RGB24);
        }
        // Palettes, other layouts and alpha all become plain 0x00RRGGBB.
        SurfacePtr rgb(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB888, 0));
        if (rgb == nullptr || rgb->w <= 0 || rgb->h <= 0) return std::nullopt;
        if (SDL_LockSurface(rgb.get()) != 0) return std::nullopt;
        Image image(rgb->w, rgb->h);
        const auto* pixels = static_cast<const uint8_t*>(rgb->pixels);
        for (int y = 0; y < rgb->h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(pixels + y * rgb->pitch);
            for (int x = 0; x < rgb->w; ++x) image.At(x, y) = row[x] & 0x00FFFFFFu;
        }
        SDL_UnlockSurface(rgb.get());
        return image;
    }

    bool SavePng(const Image& image, const std::string& path) override {
        if (image.Empty() ||
            image.Pixels.size() < static_cast<size_t>(image.Width) * image.Height) {
            return false;
        }
        // SDL only reads through this pointer while converting.
        SurfacePtr view(SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<uint32_t*>(image.Pixels.data()), image.Width, image.Height, 32,
            image.Width * static_cast<int>(sizeof(uint32_t)), SDL_PIXELFORMAT_RGB888));
        if (view == nullptr) return false;
        // Three bytes a pixel: the PNG has no alpha channel.
        SurfacePtr rgb(SDL_ConvertSurfaceFormat(view.get(), SDL_PIXELFORMAT_RGB24, 0));
        return rgb != nullptr && IMG_SavePNG(rgb.get(), path.c_str()) == 0;
    }

  private:
    static std::optional<Image> Unpack24(SDL_Surface& surface, bool redFirst) {
        if (SDL_LockSurface(&surface) != 0) return std::nullopt;
        Image image(surface.w, surface.h);
        const auto* pixels = static_cast<const uint8_t*>(surface.pixels);
        const int red = redFirst ? 0 : 2;
        const int blue = 2 - red;
        for (int y = 0; y < surface.h; ++y) {
            const uint8_t* from = pixels + static_cast<ptrdiff_t>(y) * surface.pitch;
            uint32_t* to = &image.At(0, y);
            for (int x = 0; x < surface.w; ++x, from += 3) {
                to[x] = Rgb(from[red], from[1], from[blue]);
            }
        }
        SDL_UnlockSurface(&surface);
        return image;
    }

    SdlLease lease_;
};

}  // namespace

std::unique_ptr<ImageCodec> CreateSdlImageCodec() {
    std::string error;
    // Starting the image part cannot fail; loaders that are missing fail per file.
    return std::make_unique<SdlImageCodec>(SdlLease::Acquire(SdlPart::Images, error));
}

}  // namespace kv
