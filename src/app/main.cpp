// korvane: the program's entry point.
#include <iostream>

#include "app/App.h"
#include "app/CommandLine.h"

int main(int argc, char** argv) {
    const kv::ParseResult parsed = kv::ParseCommandLine(argc, argv);
    if (!parsed.Error.empty()) {
        std::cerr << parsed.Error << "\n";
        return 2;
    }
    if (parsed.Opts.ShowHelp) {
        std::cout << kv::HelpText();
        return 0;
    }
    if (parsed.Opts.ShowVersion) {
        std::cout << kv::VersionText() << "\n";
        return 0;
    }
    return kv::RunProgram(parsed.Opts, std::cerr);
}
