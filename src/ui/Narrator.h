#pragma once
// Play by ear: what the player is shown, said aloud. The narrator listens to
// the transcript (every message and question, each menu and list with its
// highlighted row, the party's place after each move) and to the highlight
// moving in a list, and gives the speaker sentences: the party's place,
// floor, cell and facing with what stands ahead (a wall, a door, the way
// open), a battle member's turn by the command list captioned with the name.
#include <string>
#include <string_view>

#include "core/Game.h"
#include "core/Transcript.h"
#include "platform/Speaker.h"

namespace kv {

class WindowManager;

class Narrator {
  public:
    Narrator(Speaker& speaker, const Game& game) : speaker_(speaker), game_(game) {}
    ~Narrator();
    Narrator(const Narrator&) = delete;
    Narrator& operator=(const Narrator&) = delete;

    // Hooks the narrator to the window manager's transcript and lists.
    void Attach(WindowManager& windows);

    // What a transcript line sounds like; "" for lines that say nothing new.
    std::string Sentence(const JsonLine& line) const;
    // "迷宮21、3階、東4、南7、北を向いています。前は壁"
    std::string WhereSentence(int place, int floor, int x, int y, int facing) const;

  private:
    void Heard(const JsonLine& line);

    Speaker& speaker_;
    const Game& game_;
    WindowManager* windows_ = nullptr;
};

}  // namespace kv
