#pragma once
// The program from its options to its exit status: locate the scenario and
// save folders, keep to one copy per save folder, pick the platform (a real
// window, or the headless twin driven by a key script), and run.
#include <iosfwd>

#include "app/CommandLine.h"

namespace kv {

// Exit statuses: 0 a normal end (also a second copy that steps aside),
// 1 the platform could not start, 2 bad options, folders or files, 3 the
// scenario or the save could not be loaded (the title said why).
int RunProgram(const Options& options, std::ostream& errors);

}  // namespace kv
