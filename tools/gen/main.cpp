// korvane-gen: draws the demo scenario's pictures and writes its tunes.
//   korvane-gen OUTDIR [--manifest FILE]   write every file (and check the
//                                           build's list of them against ours)
//   korvane-gen --list                      print the file names
//   korvane-gen --preview DIR OUT           maze views put together from the
//                                           sheets in DIR, as PNGs into OUT
//   korvane-gen --icon SIZE FILE            the program's icon, SIZE pixels square
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Catalogue.h"
#include "Icon.h"
#include "ViewScenes.h"
#include "dungeon/ViewCompose.h"
#include "platform/sdl/SdlFonts.h"
#include "platform/sdl/SdlImages.h"
#include "ui/Canvas.h"

namespace {

int Usage() {
    std::cerr << "usage: korvane-gen OUTDIR [--manifest FILE] | --list | --preview DIR OUT"
                 " | --icon SIZE FILE\n";
    return 2;
}

// The build lists the outputs so it knows when to rerun us; the two lists must agree.
bool ManifestMatches(const std::string& file, std::string& error) {
    std::ifstream in(file);
    if (!in) {
        error = "cannot read the manifest " + file;
        return false;
    }
    std::vector<std::string> listed;
    for (std::string line; std::getline(in, line);) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (!line.empty() && line[0] != '#') listed.push_back(line);
    }
    if (listed != kv::gen::MediaFileNames()) {
        error = "the manifest " + file + " does not list the generated files (see --list)";
        return false;
    }
    return true;
}

int Preview(const std::string& folder, const std::string& out) {
    std::unique_ptr<kv::ImageCodec> codec = kv::CreateSdlImageCodec();
    auto load = [&](const std::string& name) {
        std::optional<kv::Image> image = codec->Load(folder + "/" + name);
        if (!image) throw std::runtime_error("cannot read " + folder + "/" + name);
        return *image;
    };
    kv::ViewArt art;
    for (size_t i = 0; i < art.Walls.size(); ++i) {
        const std::string number = std::to_string(i);
        art.Walls[i] = load(std::string("w").append(number).append(".jpg"));
        art.Doors[i] = load(std::string("d").append(number).append(".jpg"));
    }
    art.Ceiling = load("b1.jpg");
    art.Floor = load("b2.jpg");
    for (const kv::gen::ViewScene& scene : kv::gen::SampleScenes()) {
        const std::string path = out + "/view_" + scene.Name + ".png";
        if (!codec->SavePng(kv::ComposeView(art, scene.Cells), path)) {
            std::cerr << "korvane-gen: cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}

// Icons are drawn between 16 and 1024 pixels; anything else is a typing mistake.
int Icon(const std::string& sizeText, const std::string& path) {
    int size = 0;
    try {
        size = std::stoi(sizeText);
    } catch (const std::exception&) {
        return Usage();
    }
    if (size < 16 || size > 1024) return Usage();
    std::unique_ptr<kv::ImageCodec> codec = kv::CreateSdlImageCodec();
    if (!codec->SavePng(kv::gen::RenderIcon(size), path)) {
        std::cerr << "korvane-gen: cannot write " << path << '\n';
        return 1;
    }
    return 0;
}

int Run(const std::vector<std::string>& args) {
    if (args.size() == 3 && args[0] == "--icon") return Icon(args[1], args[2]);
    if (args.size() == 3 && args[0] == "--preview") return Preview(args[1], args[2]);
    if (args.size() == 1 && args[0] == "--list") {
        for (const std::string& name : kv::gen::MediaFileNames()) std::cout << name << '\n';
        return 0;
    }
    if (args.empty() || args[0].empty() || args[0][0] == '-') return Usage();
    const std::string folder = args[0];
    std::string error;
    if (args.size() == 3 && args[1] == "--manifest") {
        if (!ManifestMatches(args[2], error)) {
            std::cerr << "korvane-gen: " << error << '\n';
            return 1;
        }
    } else if (args.size() != 1) {
        return Usage();
    }
    std::unique_ptr<kv::FontLibrary> fonts = kv::CreateSdlFontLibrary(error);
    if (fonts == nullptr) {
        std::cerr << "korvane-gen: " << error << '\n';
        return 1;
    }
    kv::GlyphCache glyphs(*fonts);
    std::unique_ptr<kv::ImageCodec> codec = kv::CreateSdlImageCodec();
    std::ostringstream log;
    if (!kv::gen::WriteMedia(folder, kv::gen::MediaPlan(&glyphs), *codec, log, error)) {
        std::cerr << "korvane-gen: " << error << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        // A mistake in a tune's notation or a drawing: name it and fail the build.
        std::cerr << "korvane-gen: " << e.what() << '\n';
        return 1;
    }
}
