#include "Catalogue.h"

#include <fstream>
#include <ostream>
#include <stdexcept>

#include "Monsters.h"
#include "Moons.h"
#include "Panels.h"
#include "Song.h"
#include "Title.h"
#include "Town.h"
#include "Tunes.h"
#include "ViewSheets.h"
#include "platform/Platform.h"
#include "platform/sdl/SdlJpeg.h"

namespace kv::gen {
namespace {

constexpr int SheetQuality = 100;  // masks must come back near black and white
constexpr int PictureQuality = 95;
constexpr int MonsterQuality = 92;

MediaItem Jpeg(std::string name, int quality, std::function<Image()> picture) {
    return MediaItem{std::move(name), MediaKind::Jpeg, quality, std::move(picture), {}};
}

MediaItem Png(std::string name, std::function<Image()> picture) {
    return MediaItem{std::move(name), MediaKind::Png, 0, std::move(picture), {}};
}

bool WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

}  // namespace

std::vector<MediaItem> MediaPlan(GlyphCache* glyphs) {
    std::vector<MediaItem> plan;
    for (int layer = 0; layer < ViewLayers; ++layer) {
        plan.push_back(Jpeg("w" + std::to_string(layer) + ".jpg", SheetQuality,
                            [layer] { return RenderSheet(layer, false); }));
    }
    for (int layer = 0; layer < ViewLayers; ++layer) {
        plan.push_back(Jpeg("d" + std::to_string(layer) + ".jpg", SheetQuality,
                            [layer] { return RenderSheet(layer, true); }));
    }
    plan.push_back(Jpeg("b1.jpg", PictureQuality, RenderCeiling));
    plan.push_back(Jpeg("b2.jpg", PictureQuality, RenderFloor));
    plan.push_back(Png("moon_luna.png", [] { return RenderMoonSheet(Moon::Luna); }));
    plan.push_back(Png("moon_artemis.png", [] { return RenderMoonSheet(Moon::Artemis); }));
    plan.push_back(Jpeg("title.jpg", PictureQuality, [glyphs] {
        if (glyphs == nullptr) throw std::runtime_error("the title needs the fonts");
        return RenderTitle(*glyphs);
    }));
    plan.push_back(Jpeg("town.jpg", PictureQuality, RenderTown));
    plan.push_back(Png("panel_dark.png", RenderDarkStrip));
    for (const FramePieceName& piece : FramePieces) {
        const FramePiece which = piece.Piece;
        plan.push_back(Png(std::string(piece.File), [which] { return RenderFramePiece(which); }));
    }
    for (const MonsterArt& art : MonsterArts) {
        plan.push_back(Jpeg(std::string(art.File), MonsterQuality, art.Render));
    }
    for (const Song& song : AllSongs()) {
        const std::string file = song.File;
        const int scene = song.Scene;
        plan.push_back(MediaItem{file, MediaKind::Midi, 0, {}, [scene] {
                                     for (const Song& s : AllSongs()) {
                                         if (s.Scene != scene) continue;
                                         const std::vector<std::string> problems = CheckSong(s);
                                         if (!problems.empty())
                                             throw std::runtime_error(problems.front());
                                         return RenderSong(s);
                                     }
                                     throw std::runtime_error("no tune for scene " +
                                                              std::to_string(scene));
                                 }});
    }
    return plan;
}

std::vector<std::string> MediaFileNames() {
    std::vector<std::string> names;
    for (const MediaItem& item : MediaPlan(nullptr)) names.push_back(item.Name);
    return names;
}

bool WriteMedia(const std::filesystem::path& folder, const std::vector<MediaItem>& plan,
                ImageCodec& codec, std::ostream& log, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        error = "cannot create " + folder.string() + ": " + ec.message();
        return false;
    }
    for (const MediaItem& item : plan) {
        const std::filesystem::path path = folder / item.Name;
        bool ok = false;
        try {
            switch (item.Kind) {
                case MediaKind::Jpeg:
                    ok = SaveJpeg(item.Picture(), path.string(), item.Quality);
                    break;
                case MediaKind::Png:
                    ok = codec.SavePng(item.Picture(), path.string());
                    break;
                case MediaKind::Midi:
                    ok = WriteBytes(path, item.Bytes());
                    break;
            }
        } catch (const std::exception& e) {
            error = item.Name + ": " + e.what();
            return false;
        }
        if (!ok) {
            error = "cannot write " + path.string();
            return false;
        }
        log << item.Name << '\n';
    }
    return true;
}

}  // namespace kv::gen
