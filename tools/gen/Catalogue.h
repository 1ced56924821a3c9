#pragma once
// Every file the generator writes into the scenario folder, and the writing.
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/Image.h"

namespace kv {
class GlyphCache;
class ImageCodec;
}  // namespace kv

namespace kv::gen {

enum class MediaKind { Jpeg, Png, Midi };

struct MediaItem {
    std::string Name;
    MediaKind Kind;
    int Quality = 0;                              // JPEG only
    std::function<Image()> Picture;               // pictures
    std::function<std::vector<uint8_t>()> Bytes;  // MIDI
};

// The plan; `glyphs` is only used when the title is rendered (may be null
// for listing).
std::vector<MediaItem> MediaPlan(GlyphCache* glyphs);
std::vector<std::string> MediaFileNames();

// Writes the plan's files into `folder` (created if needed), one line to
// `log` a file. False with `error` set at the first failure.
bool WriteMedia(const std::filesystem::path& folder, const std::vector<MediaItem>& plan,
                ImageCodec& codec, std::ostream& log, std::string& error);

}  // namespace kv::gen
