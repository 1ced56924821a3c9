#pragma once
// The small choices the game asks for through the selection box: a party
// member, an item of a character, a row of a list, one of a few options.
// Each fills the box, shows it modally and returns SelectedValue: the data of
// the row chosen, or -1 when the player cancelled.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "ui/SelectBox.h"

namespace kv {

class Dialogs;
struct Game;

class Pickers {
  public:
    Pickers(WindowManager& manager, Dialogs& dialogs, const Game& game);

    // The party in marching order (row data = roster slot); mode 1 opens the
    // wide form that also lists the highlighted member's items.
    int ChooseMember(int mode, std::string_view prompt);
    // The character's items (row data = inventory slot). A character with no
    // items gets a message instead, and the result -1.
    int ChooseItem(int charIndex);
    // One row per non-empty text (row data = the matching value, 0 when
    // values runs short); row startRow is current when it is 0 or more.
    int ChooseFromList(const std::vector<std::string>& texts, const std::vector<int32_t>& values,
                       std::string_view prompt, int startRow);
    // The options in order, with row data 1, 2, ...
    int ChooseOption(std::string_view prompt, std::initializer_list<std::string_view> options);
    int ChooseOption(std::string_view prompt, const std::vector<std::string>& options);

    int SelectedValue() const { return frmSelectBox.SelectedValue; }

    SelectBox frmSelectBox;

  private:
    void Fill(const std::vector<std::string>& texts, const std::vector<int32_t>& values);

    Dialogs& dialogs_;
    const Game& game_;
};

}  // namespace kv
