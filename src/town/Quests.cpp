#include "town/Quests.h"

#include <algorithm>

#include "character/Inventory.h"
#include "core/StringTable.h"
#include "town/QuestConditions.h"

namespace kv {

namespace {

constexpr const char* AcceptQuestion = "このクエストを受けますか？";
constexpr const char* AcceptedText = "クエストを受けました";
constexpr const char* AlreadyCompletedText = "コンプリートしています";
constexpr const char* CompletedText = "クエストをコンプリートしました！";
constexpr const char* DeclineQuestion =
    "このクエストは達成されていません\nこのクエストを断りますか？";
constexpr const char* DeclinedText = "クエストを断りました";
constexpr const char* AllCompletedText = "すべてのクエストをコンプリートしました！";
constexpr const char* RewardPrefix = "報酬：";
constexpr int RewardElement = 201;
constexpr int FirstQuest = 1;

bool IsQuest(const Game& game, int quest) {
    return quest >= FirstQuest && quest < static_cast<int>(game.Quests.size()) &&
           quest < static_cast<int>(game.QuestState.size());
}

void SetStatus(Game& game, int quest, QuestStatus status) {
    if (IsQuest(game, quest))
        game.QuestState[static_cast<size_t>(quest)] = static_cast<int32_t>(status);
}

int LastQuestRow(const Game& game) {
    return static_cast<int>(std::min(game.Quests.size(), game.QuestState.size())) - 1;
}

}  // namespace

QuestStatus StatusOf(const Game& game, int quest) {
    if (!IsQuest(game, quest)) return QuestStatus::NotTaken;
    const int32_t state = game.QuestState[static_cast<size_t>(quest)];
    if (state == static_cast<int32_t>(QuestStatus::Accepted)) return QuestStatus::Accepted;
    if (state == static_cast<int32_t>(QuestStatus::Completed)) return QuestStatus::Completed;
    return QuestStatus::NotTaken;
}

int AcceptedCount(const Game& game) {
    int accepted = 0;
    for (int q = FirstQuest; q <= LastQuestRow(game); ++q) {
        if (StatusOf(game, q) == QuestStatus::Accepted) ++accepted;
    }
    return accepted;
}

std::vector<QuestRow> QuestList(const Game& game, QuestListMode mode) {
    std::vector<QuestRow> rows;
    const int accepted = AcceptedCount(game);
    if (mode == QuestListMode::NewOffers && accepted >= MostAccepted) return rows;
    for (int q = FirstQuest; q <= LastQuestRow(game); ++q) {
        const QuestStatus status = StatusOf(game, q);
        const std::string& title = game.Quests[static_cast<size_t>(q)].QuestTitle;
        bool listed = false;
        if (mode == QuestListMode::Accepted) listed = status == QuestStatus::Accepted;
        if (mode == QuestListMode::Completed) listed = status == QuestStatus::Completed;
        // A row without a title is no quest.
        if (mode == QuestListMode::NewOffers)
            listed = status == QuestStatus::NotTaken && !title.empty();
        if (!listed) continue;
        rows.push_back({title, q});
        if (mode == QuestListMode::NewOffers &&
            accepted + static_cast<int>(rows.size()) >= MostAccepted)
            break;
    }
    return rows;
}

std::string EmptyListText(QuestListMode mode) {
    switch (mode) {
        case QuestListMode::Accepted:
            return "オファーしているクエストはありません";
        case QuestListMode::NewOffers:
            return "新しいクエストはありません";
        case QuestListMode::Completed:
            return "コンプリートしているクエストはありません";
        default:
            return "";
    }
}

int32_t QuestReward(const Game& game, int quest) {
    if (!IsQuest(game, quest)) return 0;
    return game.Quests[static_cast<size_t>(quest)].QuestTextCodes[RewardElement];
}

std::string RewardLine(const Game& game, int quest) {
    const ItemDef* item = FindItem(game, QuestReward(game, quest));
    return RewardPrefix + (item == nullptr ? std::string() : item->Name);
}

const std::string& QuestDescription(const Game& game, int quest) {
    static const std::string none;
    return IsQuest(game, quest) ? game.Quests[static_cast<size_t>(quest)].QuestText : none;
}

bool AcceptQuest(Game& game, Player& player, int quest) {
    if (!IsQuest(game, quest) || !player.Ask(AcceptQuestion)) return false;
    SetStatus(game, quest, QuestStatus::Accepted);
    player.Message(AcceptedText);
    // The maze's events know the last quest has been taken on.
    if (quest == LastQuest) game.EventFlags[LastQuestFlag] = 1;
    return true;
}

ReportResult ReportQuest(Game& game, Player& player, int quest) {
    if (StatusOf(game, quest) == QuestStatus::Completed) {
        player.Message(AlreadyCompletedText);
        return ReportResult::AlreadyCompleted;
    }
    if (QuestConditionHolds(game, quest)) {
        // A quest whose reward names no item is done with nothing to hand
        // over; a real reward needs room before anything is taken, so a full
        // party keeps its pieces and the quest.
        const bool rewarded = FindItem(game, QuestReward(game, quest)) != nullptr;
        if (rewarded && FindPartyMemberWithFreeSlot(game) < 0) {
            player.Message(ResString(Str::InventoryFull));
            return ReportResult::NoRoom;
        }
        QuestConditionMet(game, quest);
        player.Message(CompletedText);
        if (rewarded)
            GiveFoundItem(game, player, QuestReward(game, quest), false, FoundMessage::Named, true);
        SetStatus(game, quest, QuestStatus::Completed);
        return ReportResult::Completed;
    }
    if (!player.Ask(DeclineQuestion)) return ReportResult::Kept;
    SetStatus(game, quest, QuestStatus::NotTaken);
    player.Message(DeclinedText);
    return ReportResult::Declined;
}

bool GiveAllQuestsItem(Game& game, Player& player) {
    if (game.EventFlags[AllQuestsFlag] != 0) return false;
    if (static_cast<int>(QuestList(game, QuestListMode::Completed).size()) < AllQuestsCount)
        return false;
    player.Message(AllCompletedText);
    // A party without room gets it on a later visit.
    if (GiveFoundItem(game, player, AllQuestsItem, false, FoundMessage::Named, true) < 0)
        return false;
    game.EventFlags[AllQuestsFlag] = 1;
    return true;
}

}  // namespace kv
