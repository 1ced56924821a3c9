#pragma once
// The player as the main program meets it: the rules' messages, questions
// and prompts go to the modal dialog, their choices to the selection box.
#include "core/Player.h"
#include "core/Settings.h"

namespace kv {

class Dialogs;
class Pickers;

class DialogPlayer : public Player {
  public:
    // config, when given, holds the message speed the player chose.
    DialogPlayer(Dialogs& dialogs, Pickers& pickers, const Settings* config = nullptr)
        : dialogs_(dialogs), pickers_(pickers), config_(config) {}

    void Message(std::string_view text) override;
    bool Ask(std::string_view question) override;
    std::string Input(std::string_view prompt, std::string_view defaultText = "") override;
    int ChooseMember(std::string_view prompt, bool withItems = false) override;
    int ChooseItem(int rosterSlot) override;
    int ChooseFromList(const std::vector<std::string>& texts, const std::vector<int32_t>& values,
                       std::string_view prompt, int startRow = -1) override;

  private:
    Dialogs& dialogs_;
    Pickers& pickers_;
    const Settings* config_;
};

}  // namespace kv
