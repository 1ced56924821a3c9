#include "platform/null/NullPlatform.h"

#include "platform/sdl/SdlFonts.h"
#include "platform/sdl/SdlImages.h"

namespace kv {

NullPlatform::NullPlatform(std::vector<ScriptStep> script, std::unique_ptr<FontLibrary> fonts,
                           std::unique_ptr<ImageCodec> images)
    : events_(std::move(script), clock_), fonts_(std::move(fonts)), images_(std::move(images)) {}

std::unique_ptr<NullPlatform> CreateNullPlatform(std::vector<ScriptStep> script,
                                                 std::string& error) {
    std::unique_ptr<FontLibrary> fonts = CreateSdlFontLibrary(error);
    if (!fonts) {
        if (error.empty()) error = "the fonts could not be loaded";
        return nullptr;
    }
    std::unique_ptr<ImageCodec> images = CreateSdlImageCodec();
    if (!images) {
        error = "the picture decoder could not be started";
        return nullptr;
    }
    auto platform =
        std::make_unique<NullPlatform>(std::move(script), std::move(fonts), std::move(images));
    // Screenshots and tests read the window manager's own frame.
    platform->Screen().KeepFrames(false);
    return platform;
}

}  // namespace kv
