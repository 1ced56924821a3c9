// These tests need no screen and no sound card: unless the caller chose
// drivers, SDL gets its dummy ones before any test starts.
#include <cstdlib>

namespace {

[[maybe_unused]] const bool DummyDrivers = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    return true;
}();

}  // namespace
