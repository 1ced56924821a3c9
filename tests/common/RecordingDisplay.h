#pragma once
// A display that shows nothing and remembers what the rules asked of it:
// the music scenes in order, the saves, the castle and the picture.
#include <string>
#include <string_view>
#include <vector>

#include "core/GameDisplay.h"

namespace kv::testing {

struct RecordingDisplay : NullGameDisplay {
    std::vector<int> Scenes;
    int Saves = 0;
    int CastleShown = 0;
    int PictureHidden = 0;
    std::vector<bool> PartyWindow;
    double Seconds = 0;                  // what SecondsRunning answers
    std::vector<std::string> Greetings;  // of the people met, in order
    std::vector<bool> Sacrifice;         // the dark-red background on and off

    void PlayScene(int scene) override { Scenes.push_back(scene); }
    void Save() override { ++Saves; }
    void ShowCastle() override { ++CastleShown; }
    void ShowPartyWindow(bool shown) override { PartyWindow.push_back(shown); }
    void HideMonsterPicture() override { ++PictureHidden; }
    double SecondsRunning() override { return Seconds; }
    void ShowSacrifice(bool shown) override { Sacrifice.push_back(shown); }
    void OpenPersonPanel(std::string_view greeting) override { Greetings.emplace_back(greeting); }

    // The scene last asked for, -1 before any.
    int Scene() const { return Scenes.empty() ? -1 : Scenes.back(); }
};

}  // namespace kv::testing
