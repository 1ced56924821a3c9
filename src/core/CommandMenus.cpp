#include "core/CommandMenus.h"

#include <array>
#include <string_view>
#include <utility>

#include "core/CapitalName.h"
#include "core/StringTable.h"

namespace kv {

namespace {

// A '$' in a caption or a row stands for the capital's name.
struct MenuRows {
    int State;
    std::string_view Caption;
    std::array<std::string_view, 14> Rows;  // unused rows stay empty
};

constexpr std::string_view BuyCaption = "どれをお求めになりますか？";

constexpr std::array<MenuRows, 9> Menus = {{
    {MenuStates::Tavern,
     "ゴルドランの酒場",
     {"A)仲間に入れる", "R)仲間からはずす", "I)調べる", "G)お金を山分けする", "Q)クエストの確認",
      "C)城へ戻る"}},
    {MenuStates::Shop,
     "メルヴィック商店 ",
     {"B)買う", "S)売る", "D)呪いを解く", "I)識別する", "P)お金を集める", "L)店から出る"}},
    // The shop's categories and weapon types and the inn's rooms are the
    // town's rule tables: their screens build those rows.
    {MenuStates::ShopBuy, BuyCaption, {}},
    {MenuStates::ShopWeapons, BuyCaption, {}},
    {MenuStates::Inn, "冒険者の宿", {}},
    {MenuStates::FortuneTeller,
     "$星占所",
     {"L)ＬＶランキング", "H)ＭＡＸ　Ｈ・Ｐランク", "M)Ｍａｒｋｓランク", "R)Ｒｉｐランク",
      "K)クリティカルヒットランク", "I)獲得アイテムランク", "D)倒打モンスターランク",
      "G)獲得アイテムリスト", "G)倒打モンスターリスト", "U)武具合体", "C)城に戻る"}},
    {MenuStates::Castle,
     "$帝都",
     {"G)ゴルドランの酒場", "T)冒険者の宿", "M)メルヴィック商店", "A)アルセア寺院", "B)$星占所",
      "E)町外れ"}},
    {MenuStates::EdgeOfTown,
     "町外れ",
     {"T)訓練場", "O)冒険の再開", "D)ダンジョンへ", "F)設定", "E)ゲームの終了", "C)城へ戻る"}},
    {MenuStates::TrainingGrounds,
     "訓練場",
     {"C)キャラクターを作る", "I)キャラクターを見る", "D)キャラクターを消す", "T)転生させる",
      "R)並び替える", "N)名前を変える", "G)職業を変える", "L)町外れ"}},
}};

constexpr std::string_view MazeChoiceBack = "L)町外れ";

// The place menu in its order. A row with a flag is offered only while that
// progress flag is 1; the others always are.
struct PlaceEntry {
    std::string_view Key;
    int Place;
    int Flag;  // 0: always offered
};
constexpr std::array<PlaceEntry, 5> PlaceEntries{{
    {"S)", 25, 22},
    {"A)", 24, 21},
    {"1)", 21, 0},
    {"2)", 22, 0},
    {"3)", 23, 0},
}};

}  // namespace

CommandMenu CommandMenuFor(int state, const Game& game) {
    CommandMenu menu;
    if (state == MenuStates::MazeChoice) {
        for (PlaceRow& row : MazeEntryRows(game)) menu.Rows.push_back(std::move(row.Text));
        return menu;
    }
    for (const MenuRows& entry : Menus) {
        if (entry.State != state) continue;
        menu.Caption = WithCapitalName(entry.Caption);
        for (std::string_view row : entry.Rows) {
            if (!row.empty()) menu.Rows.push_back(WithCapitalName(row));
        }
        break;
    }
    return menu;
}

std::vector<PlaceRow> MazeEntryRows(const Game& game) {
    std::vector<PlaceRow> rows;
    for (const PlaceEntry& entry : PlaceEntries) {
        if (entry.Flag != 0 && game.EventFlags[static_cast<size_t>(entry.Flag)] != 1) continue;
        rows.push_back({std::string(entry.Key) +
                            std::string(ResString(Str::PlaceStoneAbyss, entry.Place - 21)),
                        entry.Place});
    }
    rows.push_back({std::string(MazeChoiceBack), 0});
    return rows;
}

}  // namespace kv
