#include "platform/null/NullSpeaker.h"

namespace kv {

void NullSpeaker::Speak(std::string_view text, bool /*interrupt*/) {
    if (text.empty()) return;
    transcript_.Write(JsonLine().Add("t", "speak").Add("text", text));
}

}  // namespace kv
