// Any bytes as a key script: parsing never fails badly, an error names its
// line, and every step that parsed reads back the same from its spelling.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/KeyScript.h"

namespace {

bool SameStep(const kv::ScriptStep& a, const kv::ScriptStep& b) {
    return a.Kind == b.Kind && a.KeyCode == b.KeyCode && a.Shift == b.Shift && a.Text == b.Text &&
           a.Ms == b.Ms && a.X == b.X && a.Y == b.Y && a.Seed == b.Seed;
}

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    kv::KeyScript script = kv::ParseKeyScript(text);
    Check(script.Error.empty() || script.Error.starts_with("line "));

    int lastLine = 1;
    for (const kv::ScriptStep& step : script.Steps) {
        Check(step.Line >= lastLine);
        lastLine = step.Line;
        std::string spelling = kv::FormatStep(step);
        Check(!spelling.empty());
        kv::KeyScript again = kv::ParseKeyScript(spelling);
        Check(again.Error.empty());
        Check(again.Steps.size() == 1);
        Check(again.Steps[0].Line == 1);
        Check(SameStep(again.Steps[0], step));
    }
    return 0;
}
