#include "platform/sdl/SdlJpeg.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <memory>

#include "platform/sdl/SdlInit.h"

namespace kv {
namespace {

struct SurfaceFreer {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFreer>;

}  // namespace

bool SaveJpeg(const Image& image, const std::string& path, int quality) {
    if (image.Empty() || image.Pixels.size() < static_cast<size_t>(image.Width) * image.Height) {
        return false;
    }
    std::string error;
    const SdlLease lease = SdlLease::Acquire(SdlPart::Images, error);
    // SDL only reads through this pointer while converting.
    SurfacePtr view(SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(image.Pixels.data()), image.Width, image.Height, 32,
        image.Width * static_cast<int>(sizeof(uint32_t)), SDL_PIXELFORMAT_RGB888));
    if (view == nullptr) return false;
    SurfacePtr rgb(SDL_ConvertSurfaceFormat(view.get(), SDL_PIXELFORMAT_RGB24, 0));
    return rgb != nullptr && IMG_SaveJPG(rgb.get(), path.c_str(), std::clamp(quality, 1, 100)) == 0;
}

}  // namespace kv
