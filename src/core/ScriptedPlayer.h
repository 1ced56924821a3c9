#pragma once
// The player of tests and simulations: everything shown is collected in
// order, and answers come from a queue. With the queue empty every question
// is answered no, every prompt with its default, every choice cancelled: the
// cautious player, so a simulation never hangs waiting for a key.
#include <deque>
#include <string>
#include <variant>
#include <vector>

#include "core/Player.h"

namespace kv {

class ScriptedPlayer : public Player {
  public:
    enum class Shown { Message, Question, Input, Member, Item, List };
    struct Entry {
        Shown Kind;
        std::string Text;   // the message, question or prompt
        std::string Title;  // the title it carried, "" for none
    };

    // Queue answers in the order the rule will ask for them.
    ScriptedPlayer& Yes() { return Push(true); }
    ScriptedPlayer& No() { return Push(false); }
    ScriptedPlayer& Type(std::string text) { return Push(std::move(text)); }
    ScriptedPlayer& Pick(int value) { return Push(value); }

    void Message(std::string_view text) override;
    bool Ask(std::string_view question) override;
    std::string Input(std::string_view prompt, std::string_view defaultText = "") override;
    int ChooseMember(std::string_view prompt, bool withItems = false) override;
    int ChooseItem(int rosterSlot) override;
    int ChooseFromList(const std::vector<std::string>& texts, const std::vector<int32_t>& values,
                       std::string_view prompt, int startRow = -1) override;

    // The texts of every message shown, in order (questions and prompts left out).
    std::vector<std::string> Messages() const;
    // Everything shown, messages and the rest, in order.
    const std::vector<Entry>& Log() const { return log_; }
    // Whether some message contained the text.
    bool Saw(std::string_view text) const;
    void Clear() { log_.clear(); }
    size_t PendingAnswers() const { return answers_.size(); }

    // Simulations that run thousands of battles keep nothing.
    bool Keep = true;

  private:
    using Answer = std::variant<bool, std::string, int>;
    // Out of line: inlined into a caller, GCC 12 wrongly warns that the
    // variant's string may be used uninitialised.
    ScriptedPlayer& Push(Answer answer);
    void Note(Shown kind, std::string_view text);
    // The next answer when it has the kind asked for; a mismatch is dropped
    // so a script out of step fails its test instead of hanging.
    template <typename T>
    bool Next(T& out);

    std::deque<Answer> answers_;
    std::vector<Entry> log_;
};

}  // namespace kv
