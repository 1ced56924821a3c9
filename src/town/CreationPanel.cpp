#include "town/CreationPanel.h"

#include <algorithm>

#include "character/Roster.h"
#include "core/Names.h"
#include "core/StringTable.h"
#include "platform/Keys.h"
#include "ui/MainWindow.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

struct Choice {
    const char* Text;
    int32_t Value;
};
constexpr std::array<Choice, 10> Races = {{
    {"人間", 1},
    {"エルフ", 2},
    {"ドワーフ", 4},
    {"ノーム", 8},
    {"ホビット", 16},
    {"フェアリー", 32},
    {"ドラゴン", 64},
    {"悪魔", 128},
    {"天使", 256},
    {"シルヴァ", 1024},
}};
constexpr std::array<Choice, 3> Alignments = {{{"秩序", 1}, {"中立", 2}, {"混沌", 4}}};
constexpr std::array<Choice, 2> Sexes = {{{"男", 1}, {"女", 2}}};
constexpr std::array<Choice, 2> Confirm = {{{"はい", 1}, {"いいえ", 0}}};
constexpr std::array<const char*, 8> StatNames = {"力",     "知恵",   "信仰心", "生命力",
                                                  "器用さ", "素早さ", "運",     "魅力"};

constexpr const char* NamePrompt = "名前を入力してください";
constexpr const char* RosterFull = "これ以上作れませんよ";
constexpr const char* NameTooLong = "名前は５０文字までです";

template <size_t N>
void Fill(ListEx& list, std::string_view caption, const std::array<Choice, N>& rows) {
    list.Clear();
    list.SetCaption(caption);
    for (const Choice& row : rows) {
        list.AddItem(row.Text);
        list.SetItemData(list.NewIndex(), row.Value);
    }
    list.SetListIndex(0);
}

std::vector<std::string> Rows(const ListEx& list) {
    std::vector<std::string> rows;
    for (int i = 0; i < list.ListCount(); ++i) rows.push_back(list.List(i));
    return rows;
}

std::string WithoutLineBreaks(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

}  // namespace

CreationPanel::CreationPanel(ScreenContext& context) : context_(context) {
    MainWindow& main = context.Main;
    StyleInfoLabel(lbl);
    lbl.Move(16, 16, 608, 72);
    lbl.Visible = false;
    main.Add(lbl);

    StyleMenuList(lstMaking);
    lstMaking.Move(main.lstCommandList.Left, 96, main.lstCommandList.Width, 184);
    lstMaking.Visible = false;
    // Only Enter acts on the step menus; there is no way back but "いいえ".
    lstMaking.OnEnter = [this] { MakingEnter(); };
    main.Add(lstMaking);

    StyleDialogFrame(fraBounas, 6);
    fraBounas.Move(96, 96, 448, 184);
    fraBounas.Visible = false;
    main.Add(fraBounas);
    StyleMenuList(lstStatus);
    lstStatus.Move(12, 12, 136, 144);
    lstStatus.AccessKeyOn = false;
    lstStatus.OnKeyDown = [this](int& keyCode, int) { StatusKey(keyCode); };
    fraBounas.Add(lstStatus);
    for (size_t k = 0; k < lblPoint.size(); ++k) {
        Label& point = lblPoint[k];
        point.Name = "lblPoint(" + std::to_string(k) + ")";
        point.BackStyle = BackMode::Transparent;
        point.Alignment = Align::Right;
        point.ForeColor = Rgb(236, 236, 236);
        // Beside its row of the statistics list.
        const double rowTop = lstStatus.ListTop() + static_cast<double>(k) * lstStatus.RowHeight();
        point.Move(152, lstStatus.Top + static_cast<int>(rowTop), 40, 16);
        fraBounas.Add(point);
    }
    lblBounasPoint.BackStyle = BackMode::Transparent;
    lblBounasPoint.ForeColor = Rgb(255, 224, 128);
    lblBounasPoint.Move(16, 160, 180, 16);
    fraBounas.Add(lblBounasPoint);
    StyleMenuList(lstClass);
    lstClass.Move(204, 12, 232, 144);
    lstClass.AccessKeyOn = false;
    lstClass.OnGotFocus = [this] { ClassFocused(); };
    lstClass.OnKeyDown = [this](int& keyCode, int) { ClassKey(keyCode); };
    lstClass.OnEnter = [this] { ClassEnter(); };
    fraBounas.Add(lstClass);
}

void CreationPanel::Start(std::function<void()> onDone) {
    onDone_ = std::move(onDone);
    Game& game = context_.TheGame;
    MainWindow& main = context_.Main;
    if (CountRoster(game) > MaxCharacters - 1) {
        context_.ThePlayer.Message(RosterFull);
        return;
    }
    main.lstCommandList.Visible = false;
    const std::string name = WithoutLineBreaks(context_.ThePlayer.Input(NamePrompt));
    if (name.empty()) {
        main.lstCommandList.Visible = true;
        main.lstCommandList.SetFocus();
        return;
    }
    if (NameLength(name) > MaxNameLength) {
        context_.ThePlayer.Message(NameTooLong);
        main.lstCommandList.Visible = true;
        main.lstCommandList.SetFocus();
        return;
    }
    // A name is never given twice: the one who has it is shown instead.
    if (const int slot = FindCharacterByName(game, name); slot != 0) {
        game.CurrentChar = static_cast<int16_t>(slot);
        if (context_.ShowStatus) context_.ShowStatus(slot, true);
        lbl.SetCaption("");
        main.lstCommandList.Visible = true;
        main.lstCommandList.SetFocus();
        return;
    }
    made_ = NewCharacter{};
    made_.Name = name;
    lbl.SetCaption("名前：" + name);
    lbl.Visible = true;
    ShowStep(Step::Race);
}

void CreationPanel::ShowStep(Step step) {
    step_ = step;
    switch (step) {
        case Step::Race:
            Fill(lstMaking, "種族を選んでください", Races);
            break;
        case Step::Alignment:
            Fill(lstMaking, "属性を選んでください", Alignments);
            break;
        case Step::Sex:
            Fill(lstMaking, "性別を選んでください", Sexes);
            break;
        case Step::Confirm:
            Fill(lstMaking, "このキャラクターを使いますか？", Confirm);
            break;
    }
    lstMaking.Visible = true;
    lstMaking.SetFocus();
    context_.Windows.Log().List(lstMaking.Name, lstMaking.Caption(), Rows(lstMaking),
                                lstMaking.ListIndex());
}

void CreationPanel::AddSummary(std::string_view text) {
    lbl.SetCaption(lbl.Caption() + std::string(text));
}

void CreationPanel::MakingEnter() {
    const int row = lstMaking.ListIndex();
    if (row < 0) return;
    const int32_t value = lstMaking.ItemData(row);
    const std::string text = lstMaking.List(row);
    switch (step_) {
        case Step::Race:
            made_.Race = value;
            AddSummary("\n種族：" + RaceName(value, context_.TheGame.Races));
            made_.Alignment = FixedAlignment(value);
            ShowStep(made_.Alignment != 0 ? Step::Sex : Step::Alignment);
            break;
        case Step::Alignment:
            made_.Alignment = value;
            AddSummary("　　属性：" + text);
            ShowStep(Step::Sex);
            break;
        case Step::Sex:
            made_.Sex = value;
            AddSummary("　　性別：" + text);
            lstMaking.Visible = false;
            RollBonus(context_.TheGame, made_);
            lstStatus.Clear();
            for (const char* stat : StatNames) lstStatus.AddItem(stat);
            fraBounas.Visible = true;
            ShowPoints();
            lstStatus.SetListIndex(0);
            lstStatus.SetFocus();
            break;
        case Step::Confirm:
            Finish(row == 0);
            break;
    }
}

void CreationPanel::ShowPoints() {
    for (size_t k = 0; k < lblPoint.size(); ++k)
        lblPoint[k].SetCaption(std::to_string(made_.Stats[k]));
    lblBounasPoint.SetCaption("ボーナス " + std::to_string(made_.Bonus));
    // The classes follow every change of the points.
    lstClass.Clear();
    for (const int32_t bit :
         ClassesOpen(context_.TheGame, made_.Stats, made_.Alignment, made_.Sex)) {
        lstClass.AddItem(context_.TheGame.Classes[static_cast<size_t>(BitIndex(bit))].ClassTitle);
        lstClass.SetItemData(lstClass.NewIndex(), bit);
    }
    std::vector<std::string> points;
    for (size_t k = 0; k < lblPoint.size(); ++k) {
        points.push_back(std::string(StatNames[k]) + " " + std::to_string(made_.Stats[k]));
    }
    Transcript& log = context_.Windows.Log();
    log.List(lstStatus.Name, lblBounasPoint.Caption(), points, lstStatus.ListIndex());
    log.List(lstClass.Name, "", Rows(lstClass), -1);
}

void CreationPanel::StatusKey(int& keyCode) {
    const int k = lstStatus.ListIndex();
    if (keyCode == Key::Left || keyCode == Key::Right) {
        const bool changed =
            keyCode == Key::Left ? LowerStat(made_, k) : RaiseStat(context_.TheGame, made_, k);
        if (changed) ShowPoints();
        keyCode = 0;
    } else if (keyCode == Key::Return) {
        if (made_.Bonus == 0) lstClass.SetFocus();
        keyCode = 0;
    }
}

void CreationPanel::ClassFocused() {
    // Every point must be spent before a class can be chosen.
    if (made_.Bonus == 0 && lstClass.ListCount() > 0) {
        lstClass.SetListIndex(0);
    } else {
        lstStatus.SetFocus();
    }
}

void CreationPanel::ClassKey(int& keyCode) {
    if (keyCode == Key::Left || keyCode == Key::Right) {
        lstStatus.SetFocus();
        keyCode = 0;
    }
}

void CreationPanel::ClassEnter() {
    const int row = lstClass.ListIndex();
    if (row < 0 || made_.Bonus != 0) return;
    made_.Class = lstClass.ItemData(row);
    fraBounas.Visible = false;
    AddSummary("　　職業：" + lstClass.List(row));
    ShowStep(Step::Confirm);
}

void CreationPanel::Finish(bool keep) {
    if (keep && FinishCharacter(context_.TheGame, made_) != 0) context_.Save();
    lstMaking.Visible = false;
    fraBounas.Visible = false;
    lbl.SetCaption("");
    lbl.Visible = false;
    context_.Main.lstCommandList.Visible = true;
    if (onDone_) onDone_();
}

}  // namespace kv
