// kvrdata: the scenario compiler, decompiler and checker.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "Checker.h"
#include "Layouts.h"
#include "Scenario.h"

namespace {

namespace fs = std::filesystem;
using namespace kv::kvrdata;

constexpr const char* Usage =
    "usage: kvrdata compile SOURCE_DIR DATA_DIR\n"
    "       kvrdata decompile DATA_DIR SOURCE_DIR   (SOURCE_DIR new or empty)\n"
    "       kvrdata check DATA_DIR\n"
    "       kvrdata layout RECORD\n";

int Print(const Diagnostics& diag) {
    for (const std::string& line : diag.Warnings) std::cerr << "warning: " << line << '\n';
    for (const std::string& line : diag.Errors) std::cerr << "error: " << line << '\n';
    return diag.Ok() ? 0 : 1;
}

int Compile(const fs::path& source, const fs::path& data) {
    Diagnostics diag;
    const SourceFiles files = LoadSourceFolder(source, diag);
    ScenarioData scenario;
    if (diag.Ok()) ReadSources(files, scenario, diag);
    if (diag.Ok()) SaveFiles(DataFileBytes(scenario), data, diag);
    if (Print(diag) != 0) return 1;
    std::cout << "compiled " << files.size() << " source files from " << source.string() << " into "
              << data.string() << '\n';
    return 0;
}

int Decompile(const fs::path& data, const fs::path& source) {
    Diagnostics diag;
    std::error_code ec;
    if (fs::exists(source, ec) && !fs::is_empty(source, ec)) {
        std::cerr << "error: " << source.string()
                  << " is not empty; decompile writes into a new or empty folder\n";
        return 1;
    }
    ScenarioData scenario;
    const auto bytes = LoadDataFolder(data, diag);
    if (diag.Ok()) ReadDataFiles(bytes, scenario, diag);
    SourceFiles files;
    if (diag.Ok()) files = WriteSources(scenario);
    if (diag.Ok()) SaveFiles(files, source, diag);
    if (Print(diag) != 0) return 1;
    std::cout << "wrote " << files.size() << " source files into " << source.string() << '\n';
    return 0;
}

int Check(const fs::path& data) {
    const CheckReport report = CheckDataFolder(data);
    for (const std::string& line : report.Problems) std::cout << line << '\n';
    std::cout << report.Summary << '\n';
    return report.Ok() ? 0 : 1;
}

int ShowLayout(const std::string& record) {
    if (auto text = RecordLayout(record)) {
        std::cout << *text;
        return 0;
    }
    std::cerr << "error: unknown record " << record << "; one of:";
    for (std::string_view name : LayoutNames()) std::cerr << ' ' << name;
    std::cerr << '\n';
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "compile" && argc == 4) return Compile(argv[2], argv[3]);
    if (command == "decompile" && argc == 4) return Decompile(argv[2], argv[3]);
    if (command == "check" && argc == 3) return Check(argv[2]);
    if (command == "layout" && argc == 3) return ShowLayout(argv[2]);
    std::cerr << Usage;
    return 2;
}
