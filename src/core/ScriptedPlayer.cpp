#include "core/ScriptedPlayer.h"

namespace kv {

ScriptedPlayer& ScriptedPlayer::Push(Answer answer) {
    answers_.push_back(std::move(answer));
    return *this;
}

template <typename T>
bool ScriptedPlayer::Next(T& out) {
    if (answers_.empty()) return false;
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    if (const T* value = std::get_if<T>(&answer)) {
        out = *value;
        return true;
    }
    return false;
}

void ScriptedPlayer::Note(Shown kind, std::string_view text) {
    if (Keep) log_.push_back(Entry{kind, std::string(text), Title()});
}

void ScriptedPlayer::Message(std::string_view text) {
    Note(Shown::Message, text);
}

bool ScriptedPlayer::Ask(std::string_view question) {
    Note(Shown::Question, question);
    bool yes = false;
    return Next(yes) && yes;
}

std::string ScriptedPlayer::Input(std::string_view prompt, std::string_view defaultText) {
    Note(Shown::Input, prompt);
    std::string text(defaultText);
    Next(text);
    return text;
}

int ScriptedPlayer::ChooseMember(std::string_view prompt, bool) {
    Note(Shown::Member, prompt);
    int slot = -1;
    return Next(slot) ? slot : -1;
}

int ScriptedPlayer::ChooseItem(int) {
    Note(Shown::Item, "");
    int slot = -1;
    return Next(slot) ? slot : -1;
}

int ScriptedPlayer::ChooseFromList(const std::vector<std::string>&, const std::vector<int32_t>&,
                                   std::string_view prompt, int) {
    Note(Shown::List, prompt);
    int value = -1;
    return Next(value) ? value : -1;
}

std::vector<std::string> ScriptedPlayer::Messages() const {
    std::vector<std::string> texts;
    for (const Entry& entry : log_) {
        if (entry.Kind == Shown::Message) texts.push_back(entry.Text);
    }
    return texts;
}

bool ScriptedPlayer::Saw(std::string_view text) const {
    for (const Entry& entry : log_) {
        if (entry.Kind == Shown::Message && entry.Text.find(text) != std::string::npos) return true;
    }
    return false;
}

}  // namespace kv
