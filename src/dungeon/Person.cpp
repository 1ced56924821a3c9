#include "dungeon/Person.h"

#include <array>
#include <charconv>

#include "character/Equipment.h"
#include "character/Inventory.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr std::string_view PageBreak = "||";
constexpr std::string_view ChooseText = "キャラクターを選んでください";
constexpr std::string_view CursedText = "呪われている！";
constexpr std::string_view WornText = "装備している";
constexpr std::string_view NotInterestedText = "興味を示さない";
constexpr std::string_view ThanksText = "ありがとう";
constexpr std::string_view SoldText = "アイテムを売った";
constexpr std::string_view WareMask = "!@@@@@@@@@@@@@@ ";
constexpr int FirstTalkRow = 1;

// The two gifts that open the hidden mazes: who takes what, what he says,
// and the flag it sets. They work every time the item is given again.
struct HandOver {
    int Person;
    int32_t Item;
    int Flag;
    std::array<std::string_view, 10> Lines;  // said in order; empty lines end it
};

constexpr std::array<HandOver, 2> HandOvers = {{
    {1,
     253,
     21,
     {"「おぉ、コイツは上物のルビーだな！\nでは約束どおり情報をやろう」",
      "「お前たちの言う神秘の術は\n『コルヴァーネストーン』に記されている。」",
      "「『コルヴァーネの中心』ってところに向かえ。\nコルヴァーネストーンはそこで見つかるだろう。"
      "\nコルヴァーネへの道順はこうだ。\nせいぜい、死なないようにな。」",
      "\n『コルヴァーネの中心』への道が開かれた"}},
    {6,
     250,
     22,
     {"「驚いたな。\n本当に持ってくるとは｡」", "「どれ解読してやろう。」",
      "「ふむふむ・・・なるほど・・・。」", "\n「・・・」", "\n\n「・・・・・・」",
      "「できたぜ。」", "「それは『シャングリラ』と呼ばれる場所にある。」",
      "「そこの地下を流れる泉の水が、\n不老不死の力を授けるだろう。」",
      "シャングリラへの地図も記されているな。\nわかりやすく書き換えて、\nお前たちに渡してやろう｡",
      "\n『シャングリラ』への道が開かれた"}},
}};

// The current person's trade row, or nullptr for a person out of the table.
const NpcTradeDef* TradeOf(const Game& game) {
    if (game.CurrentPerson < 0 || game.CurrentPerson >= static_cast<int>(game.NpcTrades.size()))
        return nullptr;
    return &game.NpcTrades[static_cast<size_t>(game.CurrentPerson)];
}

std::vector<std::string> SplitPages(std::string_view text) {
    std::vector<std::string> pages;
    for (size_t at = text.find(PageBreak); at != std::string_view::npos;
         at = text.find(PageBreak)) {
        pages.emplace_back(text.substr(0, at));
        text.remove_prefix(at + PageBreak.size());
    }
    pages.emplace_back(text);
    return pages;
}

// The member and slot of an item the player hands over or sells; false when
// the choice was cancelled or the item is cursed or worn (the player is told).
bool ChooseFreeItem(Game& game, Player& player, Creature*& member, int& slot) {
    const int rosterSlot = player.ChooseMember(ChooseText);
    member = game.Character(rosterSlot);
    if (member == nullptr) return false;
    slot = player.ChooseItem(rosterSlot);
    if (slot < FirstInventorySlot || slot > LastInventorySlot) return false;
    const InventorySlot& held = member->Items[static_cast<size_t>(slot)];
    if (held.ItemId == 0) return false;
    if ((held.ItemFlags & CursedEquipped) != 0) {
        player.Message(CursedText);
        return false;
    }
    if ((held.ItemFlags & ItemPositionMask) != 0) {
        player.Message(WornText);
        return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> TalkPages(const Game& game, std::string_view topic) {
    for (size_t i = FirstTalkRow; i < game.Talks.size(); ++i) {
        const TalkDef& talk = game.Talks[i];
        // Byte for byte: width, case and every character count.
        if (talk.TalkPerson == game.CurrentPerson && talk.TalkTopic == topic)
            return SplitPages(talk.TalkText);
    }
    return {};
}

int16_t TalkAbout(Game& game, Player& player, std::string_view topic) {
    // No topic (the question cancelled) asks nothing: an unused row's empty
    // topic must not answer it.
    if (topic.empty()) return 0;
    const std::vector<std::string> pages = TalkPages(game, topic);
    if (pages.empty()) {
        player.Message("「" + std::string(topic) + "」については\n何も知らないようだ");
    }
    for (const std::string& page : pages) player.Message(page);
    return 0;
}

void PersonReceives(Game& game, Player& player, int32_t itemId) {
    for (const HandOver& handOver : HandOvers) {
        if (handOver.Person != game.CurrentPerson || handOver.Item != itemId) continue;
        // The flag first: a save made during the lines (Ctrl) must not
        // hold the item gone and the way still shut.
        game.EventFlags[static_cast<size_t>(handOver.Flag)] = 1;
        for (std::string_view line : handOver.Lines) {
            if (!line.empty()) player.Message(line);
        }
        return;
    }
    player.Message(ThanksText);
}

void GiveToPerson(Game& game, Player& player) {
    Creature* member = nullptr;
    int slot = 0;
    if (!ChooseFreeItem(game, player, member, slot)) return;
    const int32_t itemId = member->Items[static_cast<size_t>(slot)].ItemId;
    // The slot is left where it is: the list closes up only on a sale.
    RemoveItemCount(*member, slot, 1);
    PersonReceives(game, player, itemId);
}

std::vector<Ware> DrawWares(Game& game) {
    const NpcTradeDef* trade = TradeOf(game);
    if (trade == nullptr) return {};
    std::vector<Ware> wares;
    for (int n = 1; n <= WaresOffered; ++n) {
        const int k = Dice(game.Rng, 1, WaresHeld, 0);
        const int32_t itemId = trade->TradeItems[static_cast<size_t>(k)];
        const ItemDef* item = FindItem(game, itemId);
        const std::string name = item == nullptr ? "" : item->UnidentifiedName;
        wares.push_back({Wide(std::to_string(n) + " " + FormatMask(name, WareMask)), itemId});
    }
    return wares;
}

bool RoomToBuy(Game& game, Player& player) {
    if (FindPartyMemberWithFreeSlot(game) >= 0) return true;
    player.Message(ResString(Str::InventoryFull));
    return false;
}

bool BuyWare(Game& game, Player& player, int32_t itemId) {
    // A row left empty by the person's list sells nothing.
    const ItemDef* item = FindItem(game, itemId);
    if (item == nullptr) return false;
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* payer = game.Member(i);
        if (payer == nullptr || payer->Gold < item->Price) continue;
        if (!RoomToBuy(game, player)) return false;
        // Paid for only once it is in a pack.
        if (AddItemToInventory(game, itemId, game.Roster[static_cast<size_t>(game.CurrentChar)],
                               false, 1) != 0)
            return false;
        payer->Gold -= item->Price;
        player.Message(ThanksText);
        return true;
    }
    player.Message(ResString(Str::NotEnoughGold));
    return false;
}

double PersonSellPrice(const Game& game, int32_t itemId, bool unidentified) {
    if (unidentified) return 1;
    const ItemDef* item = FindItem(game, itemId);
    const NpcTradeDef* trade = TradeOf(game);
    if (item == nullptr || trade == nullptr) return 0;
    const double price = static_cast<double>(item->Price) * trade->TradeSellFactor;
    // The purse is credited what the product reads as in decimal.
    std::array<char, 32> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), price,
                                       std::chars_format::general, 15);
    double credited = price;
    std::from_chars(text.data(), written.ptr, credited);
    return credited;
}

void SellToPerson(Game& game, Player& player) {
    Creature* member = nullptr;
    int slot = 0;
    if (!ChooseFreeItem(game, player, member, slot)) return;
    const InventorySlot held = member->Items[static_cast<size_t>(slot)];
    const ItemDef* item = FindItem(game, held.ItemId);
    // A story item is never sold; a person out of the trade table buys nothing.
    if ((item != nullptr && KindOf(*item) == ItemKind::EventItem) || TradeOf(game) == nullptr) {
        player.Message(NotInterestedText);
        return;
    }
    const double price = PersonSellPrice(game, held.ItemId, (held.ItemFlags & Unidentified) != 0);
    RemoveItemCount(*member, slot, 1);
    CompactInventory(*member);
    MarkAllEquippable(game, *member);
    member->Gold += price;
    player.Message(SoldText);
}

}  // namespace kv
