#pragma once
// How the rules reach the player. A rule (a payout, an event, a shop price)
// never opens a window: it tells the player something, asks, or lets the
// player choose, through this interface. The main program answers with the
// modal dialogs and the selection box; tests and simulations answer from a
// queue (ScriptedPlayer), so a battle or an event runs on a bare Game.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv {

// The three kinds of the one dialog, as the game numbers them.
enum class DialogKind { Input = 1, Message = 2, YesNo = 3 };

class Player {
  public:
    virtual ~Player() = default;

    // Shows a message and waits until the player has read it.
    virtual void Message(std::string_view text) = 0;
    // A yes/no question: true for yes.
    virtual bool Ask(std::string_view question) = 0;
    // One line of text; an empty string when the player gave none.
    virtual std::string Input(std::string_view prompt, std::string_view defaultText = "") = 0;
    // A member of the party in marching order: the roster slot, or -1 when
    // the player cancelled. withItems opens the wide form that also lists the
    // highlighted member's items.
    virtual int ChooseMember(std::string_view prompt, bool withItems = false) = 0;
    // One of the character's items: the inventory slot, or -1. A character
    // who carries nothing is told so and -1 comes back.
    virtual int ChooseItem(int rosterSlot) = 0;
    // A row of a list (empty texts are left out): the value of the row
    // chosen (0 where values runs short), or -1. startRow, when 0 or more, is
    // the row first highlighted.
    virtual int ChooseFromList(const std::vector<std::string>& texts,
                               const std::vector<int32_t>& values, std::string_view prompt,
                               int startRow = -1) = 0;

    // The title the messages, questions and prompts carry now ("" for
    // none): who speaks, or what is being done. Set for a while through
    // DialogTitle.
    const std::string& Title() const { return title_; }

  private:
    friend class DialogTitle;
    std::string title_;
};

// Titles the player's dialogs while it lives ("宿屋の主人" for everything the
// innkeeper says); the title before it comes back afterwards, so titles nest.
class DialogTitle {
  public:
    DialogTitle(Player& player, std::string_view title)
        : player_(player), before_(std::move(player.title_)) {
        player_.title_ = title;
    }
    ~DialogTitle() { player_.title_ = std::move(before_); }
    DialogTitle(const DialogTitle&) = delete;
    DialogTitle& operator=(const DialogTitle&) = delete;

  private:
    Player& player_;
    std::string before_;
};

}  // namespace kv
