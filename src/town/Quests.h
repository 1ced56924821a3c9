#pragma once
// The tavern's quests: what is on offer, what the party has accepted (five
// at most) and what it has completed; accepting, reporting a fulfilled
// quest for its reward, declining, and the item for forty completed quests.
// The states are saved with the game.
#include <cstdint>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/Player.h"

namespace kv {

// QuestState values; anything else counts as not taken.
enum class QuestStatus : int32_t { NotTaken = 0, Accepted = 2, Completed = 3 };

// Which list the quest window shows (the choice box's values).
enum class QuestListMode : int { None = 0, Accepted = 1, NewOffers = 2, Completed = 3 };

inline constexpr int MostAccepted = 5;
inline constexpr int AllQuestsCount = 40;
inline constexpr int32_t AllQuestsItem = 450;
inline constexpr int AllQuestsFlag = 31;  // the item for forty quests was given
inline constexpr int LastQuestFlag = 32;  // set when quest 40 is accepted
inline constexpr int LastQuest = 40;

struct QuestRow {
    std::string Title;
    int Quest = 0;
};

QuestStatus StatusOf(const Game& game, int quest);
int AcceptedCount(const Game& game);

// The rows of a list, in quest order. New offers stop where the accepted
// quests and the offers together make five; none when five are accepted.
std::vector<QuestRow> QuestList(const Game& game, QuestListMode mode);
// The message for a list with no rows.
std::string EmptyListText(QuestListMode mode);
// The refusal shown instead of new offers when five quests are accepted.
inline constexpr const char* TooManyAcceptedText = "同時にオファーできるクエストは\n５つまでです";

// The reward item of a quest and the line the window shows for it.
int32_t QuestReward(const Game& game, int quest);
std::string RewardLine(const Game& game, int quest);
const std::string& QuestDescription(const Game& game, int quest);

// Accepting from the offers: asks, and on yes takes the quest on. True when
// accepted (the window closes then).
bool AcceptQuest(Game& game, Player& player, int quest);

enum class ReportResult {
    AlreadyCompleted,  // told so; nothing changes
    Completed,         // the reward was given; the list is rebuilt
    NoRoom,            // fulfilled, but no room for the reward: nothing taken, still accepted
    Declined,          // not fulfilled and given up (the window closes)
    Kept,              // not fulfilled and kept
};
// Enter on an accepted quest: completes it when fulfilled, else offers to
// decline it.
ReportResult ReportQuest(Game& game, Player& player, int quest);

// Opening the completed list with forty or more completed quests gives the
// party its extra item once. True when it was given now.
bool GiveAllQuestsItem(Game& game, Player& player);

}  // namespace kv
