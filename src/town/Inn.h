#pragma once
// The inn: a party member rests by the week in one of five rooms, healing by
// the room's rate, growing older (birthdays, and death of old age), and rising
// a level when his experience allows. Each member pays from his own gold.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Game.h"
#include "core/Player.h"

namespace kv {

struct InnRoom {
    std::string_view Title;  // the dialogs' title and the row's name
    int32_t PricePerWeek;    // 0: the kennel, free for one night
    int32_t HPPerWeek;
    std::string_view SleepMessage;  // after the name and "は\n"
    std::string_view TooLong;       // the innkeeper's answer to more than MaxWeeks
    std::string_view Pad;           // the row's spacing after the title
    std::string_view Gap;           // and between the price and the healing
};

inline constexpr std::array<InnRoom, 5> InnRooms = {{
    {"いぬごや", 0, 0, "寝苦しそうに眠っている・・・", "", "            ", ""},
    {"簡易寝台", 10, 1, "眠っている・・・", "そんな長く寝ると体をこわしますよ", "            ",
     "   "},
    {"シングルルーム", 50, 3, "健やかに眠っている・・・", "最近睡眠不足なのかい？", "   ", "　 "},
    {"スイートルーム", 100, 5, "気持ちよく眠っている・・・", "君の人生に悲しい事でもあったのかい？",
     "   ", " "},
    {"ＶＩＰルーム", 150, 10, "リッチな気分で眠っている・・・",
     "お客様，申し訳ありませんが\rそのような長居は困りますm(_ _)m", "      ", " "},
}};
inline constexpr std::string_view LeaveInnRow = "6)宿から出る";
inline constexpr int MaxWeeks = 3000;
inline constexpr int OldAge = 80;

// The room's row in the inn's menu, built from its price and healing.
std::string InnRoomRow(int room);

// Whether a character may take a room (the dead, ashes, lost and the
// diseased may not); the refusal is shown.
bool MayStay(Player& player, const Creature& guest);

// The number of weeks typed: the leading number of the text (full-width
// digits count), rounded half to even; 0 for anything else. Above MaxWeeks
// it is returned as it stands so the innkeeper can refuse.
double WeeksAsked(std::string_view text);

enum class StayResult {
    Left,        // no stay: back to choosing a member
    Died,        // died of old age and is gone from the roster
    NextLevel,   // not enough experience: the next member is chosen
    LevelledUp,  // rose a level: the room list keeps the keys
};
// One stay of the character of a roster slot in a room (0..4); for the rooms
// the number of weeks is asked. The caller saves.
StayResult Stay(Game& game, Player& player, int slot, int room);

}  // namespace kv
