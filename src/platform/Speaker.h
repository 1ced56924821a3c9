#pragma once
// A voice for players who cannot see the screen. The real one hands the text
// to the user's speech server with their own synthesiser and voice; a
// headless run has one that writes what would be said to the transcript.
#include <memory>
#include <string>
#include <string_view>

namespace kv {

class Speaker {
  public:
    virtual ~Speaker() = default;
    // interrupt: what is being said is stale (the highlight moved on), so
    // the new text cuts it short instead of waiting behind it.
    virtual void Speak(std::string_view text, bool interrupt) = 0;
};

// speech-dispatcher's connection; nothing, and the reason in error, when
// the program was built without it or the server cannot be reached.
std::unique_ptr<Speaker> CreateSpeechDispatcher(std::string& error);

}  // namespace kv
