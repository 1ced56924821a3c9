#pragma once
// The command line. Parsing only checks the shape of what was typed; whether
// the named folders and files exist is for the caller to find out.
#include <cstdint>
#include <optional>
#include <string>

namespace kv {

struct Options {
    bool Headless = false;
    std::string DataDir;         // --data
    std::string SaveDir;         // --save-dir
    std::string KeysFile;        // --keys
    std::string TranscriptFile;  // --transcript
    std::string ScreenshotFile;  // --screenshot
    std::string RecordFile;      // --record
    std::string SoundFont;       // --soundfont
    std::optional<uint64_t> Seed;
    std::string Start;       // --start PLACE:FLOOR:X,Y[:FACING]
    std::string ExportMap;   // --export-map PLACE-FLOOR FILE.png: the floor
    std::string ExportFile;  //   and the picture's file
    bool Speech = false;     // --speech
    bool ShowVersion = false;
    bool ShowHelp = false;
};

struct ParseResult {
    Options Opts;
    std::string Error;  // one line, "korvane: ..."; empty when the line was fine
    bool Ok() const { return Error.empty(); }
};

// Takes "--opt VALUE" and "--opt=VALUE". Stops at the first problem.
ParseResult ParseCommandLine(int argc, const char* const* argv);

std::string HelpText();     // usage and one line per option
std::string VersionText();  // "korvane X.Y.Z"

}  // namespace kv
