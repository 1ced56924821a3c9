#include "platform/Speaker.h"

#include <cstdlib>

#ifdef KORVANE_HAVE_SPEECHD
#include <libspeechd.h>
#endif

namespace kv {

#ifdef KORVANE_HAVE_SPEECHD

namespace {

class SpeechDispatcherSpeaker : public Speaker {
  public:
    explicit SpeechDispatcherSpeaker(SPDConnection* connection) : connection_(connection) {}
    ~SpeechDispatcherSpeaker() override { spd_close(connection_); }
    SpeechDispatcherSpeaker(const SpeechDispatcherSpeaker&) = delete;
    SpeechDispatcherSpeaker& operator=(const SpeechDispatcherSpeaker&) = delete;

    void Speak(std::string_view text, bool interrupt) override {
        if (text.empty()) return;
        if (interrupt) spd_cancel(connection_);
        const std::string line(text);
        spd_say(connection_, SPD_TEXT, line.c_str());
    }

  private:
    SPDConnection* connection_;
};

}  // namespace

std::unique_ptr<Speaker> CreateSpeechDispatcher(std::string& error) {
    char* why = nullptr;
    SPDConnection* connection =
        spd_open2("korvane", "main", nullptr, SPD_MODE_SINGLE, nullptr, 0, &why);
    if (connection == nullptr) {
        error = why != nullptr ? why : "speech-dispatcher cannot be reached";
        free(why);
        return nullptr;
    }
    // The game's texts are Japanese; the user's own voice for that language.
    spd_set_language(connection, "ja");
    return std::make_unique<SpeechDispatcherSpeaker>(connection);
}

#else

std::unique_ptr<Speaker> CreateSpeechDispatcher(std::string& error) {
    error = "this program was built without speech-dispatcher";
    return nullptr;
}

#endif

}  // namespace kv
