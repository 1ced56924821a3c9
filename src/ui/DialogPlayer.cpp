#include "ui/DialogPlayer.h"

#include "ui/Dialogs.h"
#include "ui/Pickers.h"

namespace kv {

void DialogPlayer::Message(std::string_view text) {
    // The rules' messages (a battle's, an event's) go by at the player's pace.
    const int pause = config_ ? SpeedRow(config_->Messages).PauseMs : -1;
    dialogs_.ShowPacedMessage(text, Title(), pause);
}

bool DialogPlayer::Ask(std::string_view question) {
    return dialogs_.ShowDialog(question, DialogYesNo, "", Title()) == "-1";
}

std::string DialogPlayer::Input(std::string_view prompt, std::string_view defaultText) {
    return dialogs_.ShowDialog(prompt, DialogInput, defaultText, Title());
}

int DialogPlayer::ChooseMember(std::string_view prompt, bool withItems) {
    return pickers_.ChooseMember(withItems ? 1 : 0, prompt);
}

int DialogPlayer::ChooseItem(int rosterSlot) {
    return pickers_.ChooseItem(rosterSlot);
}

int DialogPlayer::ChooseFromList(const std::vector<std::string>& texts,
                                 const std::vector<int32_t>& values, std::string_view prompt,
                                 int startRow) {
    return pickers_.ChooseFromList(texts, values, prompt, startRow);
}

}  // namespace kv
