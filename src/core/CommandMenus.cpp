#include "core/CommandMenus.h"

#include <array>
#include <string_view>

#include "core/CapitalName.h"

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

// Flags 22 and 21 open the two further mazes; each inserts its row first.
constexpr std::array<std::string_view, 4> MazeRows = {"1)石造りの淵", "2)愚者たちの縄張り",
                                                      "3)イシュタルの地下城", "L)町外れ"};

}  // namespace

CommandMenu CommandMenuFor(int state, const Game& game) {
    CommandMenu menu;
    if (state == MenuStates::MazeChoice) {
        if (game.EventFlags[22] == 1) menu.Rows.emplace_back("S)シャングリラ");
        if (game.EventFlags[21] == 1) menu.Rows.push_back(WithCapitalName("A)$の中心"));
        for (std::string_view row : MazeRows) menu.Rows.emplace_back(row);
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

}  // namespace kv
