#include "platform/InputRecorder.h"

#include <algorithm>
#include <string>

#include "platform/KeyScript.h"

namespace kv {

namespace {

constexpr int CanvasWidth = 640;
constexpr int CanvasHeight = 480;
constexpr int64_t MaxWaitMs = 86'400'000;

// The script's spelling of an event, or "" for events a replay does not need
// (key releases, IME composition, window events) or cannot express.
std::string TokenFor(const InputEvent& event) {
    ScriptStep step;
    switch (event.Kind) {
        case InputEvent::Type::KeyDown:
            if (event.FromPad) {
                // A held stick or button does not repeat, so a press is all there is.
                step.Kind = ScriptStep::Type::Pad;
                step.KeyCode = event.KeyCode;
                return FormatStep(step);
            }
            step.Kind = ScriptStep::Type::Key;
            step.KeyCode = event.KeyCode;
            step.Shift = event.Shift;
            step.Repeat = event.Repeat;
            return FormatStep(step);
        case InputEvent::Type::Text:
            // A quoted text ends on its own line; text boxes take no line
            // breaks anyway.
            step.Kind = ScriptStep::Type::Text;
            for (char c : event.Text) {
                if (c != '\n' && c != '\r') step.Text += c;
            }
            return step.Text.empty() ? "" : FormatStep(step);
        case InputEvent::Type::MouseDown:
            if (event.Button != 1 || event.X < 0 || event.Y < 0 || event.X >= CanvasWidth ||
                event.Y >= CanvasHeight) {
                return "";
            }
            step.Kind = ScriptStep::Type::Click;
            step.X = event.X;
            step.Y = event.Y;
            return FormatStep(step);
        case InputEvent::Type::CloseAsked:
            step.Kind = ScriptStep::Type::Close;
            return FormatStep(step);
        default:
            return "";
    }
}

}  // namespace

RecordingEventSource::RecordingEventSource(EventSource& inner, const Clock& clock,
                                           std::ostream& out, uint64_t seed)
    : inner_(inner), clock_(clock), out_(out), lastMs_(clock.NowMs()) {
    ScriptStep seedStep;
    seedStep.Kind = ScriptStep::Type::Seed;
    seedStep.Seed = seed;
    out_ << "# Korvane key script, recorded; replay it with --headless --keys\n"
         << FormatStep(seedStep) << '\n';
    out_.flush();
}

bool RecordingEventSource::WaitEvent(InputEvent& event, int64_t deadlineMs) {
    if (!inner_.WaitEvent(event, deadlineMs)) return false;
    if (event.Kind == InputEvent::Type::KeyDown && !event.FromPad &&
        KeyNameFromCode(event.KeyCode).empty()) {
        // Keys the script has no name for (keypad, Pause) are left out, but
        // said so, so a replay that goes astray can be explained.
        out_ << "# key " << event.KeyCode << " has no name in key scripts\n";
        out_.flush();
        return true;
    }
    std::string token = TokenFor(event);
    if (!token.empty()) Record(token);
    return true;
}

void RecordingEventSource::Record(const std::string& token) {
    int64_t now = clock_.NowMs();
    // A single wait holds at most a day; an idle night takes several.
    while (now > lastMs_) {
        ScriptStep wait;
        wait.Kind = ScriptStep::Type::Wait;
        wait.Ms = std::min(now - lastMs_, MaxWaitMs);
        out_ << FormatStep(wait) << '\n';
        lastMs_ += wait.Ms;
    }
    out_ << token << '\n';
    out_.flush();
}

}  // namespace kv
