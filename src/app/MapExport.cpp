#include "app/MapExport.h"

#include <ostream>

#include "app/CellArguments.h"
#include "core/AtomicFile.h"
#include "core/Database.h"
#include "core/SaveFile.h"
#include "core/Transcript.h"
#include "dungeon/AutoMapWindow.h"
#include "platform/null/NullPlatform.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr int ExitOk = 0;
constexpr int ExitUsage = 2;
constexpr int ExitData = 3;

// The save as it stands, else the scenario's new-game save (nothing walked).
bool LoadSaveReadOnly(Game& game, std::ostream& errors) {
    for (const auto& folder : {game.SaveFolder, game.DataFolder}) {
        std::string error;
        const std::optional<std::string> bytes = ReadFileBytes(folder / SaveFileName, error);
        if (bytes && LoadSaveBytes(game, *bytes)) return true;
    }
    errors << "korvane: no save to draw the map from in " << game.SaveFolder.string() << "\n";
    return false;
}

}  // namespace

int ExportMapPicture(const Options& options, Game& game, std::ostream& errors) {
    std::string error;
    const std::optional<std::array<int, 2>> floor = ParseMapFloor(options.ExportMap, error);
    if (!floor) {
        errors << "korvane: " << error << "\n";
        return ExitUsage;
    }
    if (!LoadSaveReadOnly(game, errors)) return ExitData;
    const DatabaseReport report = LoadDatabase(game, game.DataFolder, false);
    if (!report.Ok()) {
        errors << "korvane: " << report.Problems.front() << "\n";
        return ExitData;
    }
    std::string problem;
    ReadNotes(game.SaveFolder, problem);
    if (!problem.empty()) errors << "korvane: " << problem << "\n";

    std::unique_ptr<NullPlatform> platform = CreateNullPlatform({}, error);
    if (!platform) {
        errors << "korvane: " << error << "\n";
        return ExitData;
    }
    Transcript quiet;
    WindowManager windows(*platform, quiet);
    if (!ExportFloorPicture(windows, game, (*floor)[0], (*floor)[1], options.ExportFile, error)) {
        errors << "korvane: " << error << "\n";
        return ExitUsage;
    }
    return ExitOk;
}

}  // namespace kv
