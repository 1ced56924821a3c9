// The battle screen. A battle is a menu state of its own rather than a mode
// of the maze: the maze screen hands over through context.StartBattle and
// gets the keys back in context.BattleOver, so neither screen looks inside
// the other, and the main window's key preview brings every key of a
// battle here while the battle's two lists hold the focus. The rounds run
// in the lists' Enter handlers; what is offered and written comes from the
// command rules, what happens from the battle rules.
#include "battle/BattleScreen.h"

#include <algorithm>
#include <string>
#include <vector>

#include "battle/BattleCommands.h"
#include "battle/BattleRules.h"
#include "battle/SpellInput.h"
#include "battle/SpellPickerWindow.h"
#include "character/CharacterRules.h"
#include "core/CommandMenus.h"
#include "core/StringTable.h"
#include "platform/Keys.h"
#include "ui/Dialogs.h"
#include "ui/Label.h"
#include "ui/MainWindow.h"
#include "ui/MonsterPicture.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

// Where the battle's controls sit: the monster list across the top, the
// command list at the left, the picture below the monster list.
constexpr int MonsterListLeft = 8;
constexpr int MonsterListTop = 0;
constexpr int MonsterListWidth = 624;
constexpr int MonsterListHeight = 92;
constexpr int CommandListLeft = 8;
constexpr int CommandListTop = 100;
constexpr int CommandListWidth = 168;
constexpr int CommandListHeight = 252;
constexpr int SpellWindowBattle = 1;  // the pickers list the spells cast in battle
// The summon panel's line sits right under the monster list, beside the
// commands and above the help panel, over the picture's top.
constexpr int SummonLeft = 184;
constexpr int SummonTop = 94;
constexpr int SummonWidth = 448;
constexpr int SummonHeight = 18;

class BattleScreen : public Screen {
  public:
    // The spell pickers are the battle's; the camp borrows them.
    SpellPickers& Pickers() { return spellPickers_; }
    explicit BattleScreen(ScreenContext& context)
        : context_(context), player_(context.ThePlayer), display_(context.TheDisplay) {
        MainWindow& main = context_.Main;
        picMonster.SetAutoSize(true);
        picMonster.Visible = false;
        main.Add(picMonster);

        for (ListEx* list : {&lstMonster, &lstBattleCommand}) {
            StyleMenuList(*list);
            list->AccessKeyOn = false;  // the letters pick entries by their own table
            list->Visible = false;
            main.Add(*list);
        }
        lblSummon.Visible = false;
        lblSummon.Move(SummonLeft, SummonTop, SummonWidth, SummonHeight);
        main.Add(lblSummon);
        lstMonster.Move(MonsterListLeft, MonsterListTop, MonsterListWidth, MonsterListHeight);
        lstMonster.OnEnter = [this] { GroupChosen(lstMonster.ListIndex()); };
        // A press on a row chooses it as Enter does.
        lstMonster.OnMouseDown = [this](int button, int x, int y) {
            if (button == 1 && lstMonster.Enabled && lstMonster.RowAt(x, y) >= 0)
                GroupChosen(lstMonster.ListIndex());
        };
        lstMonster.OnKeyDown = [this](int& keyCode, int) {
            if (!Key::IsBack(keyCode)) return;
            keyCode = 0;
            LeaveMonsterList();
        };
        lstBattleCommand.Move(CommandListLeft, CommandListTop, CommandListWidth, CommandListHeight);
        lstBattleCommand.OnEnter = [this] { EntryChosen(lstBattleCommand.ListIndex()); };
        lstBattleCommand.OnMouseDown = [this](int button, int x, int y) {
            if (button == 1 && lstBattleCommand.Enabled && lstBattleCommand.RowAt(x, y) >= 0)
                EntryChosen(lstBattleCommand.ListIndex());
        };
        lstBattleCommand.OnKeyDown = [this](int& keyCode, int shift) {
            CommandKey(keyCode, shift);
        };
        // The items or instruments to use lie over the command list.
        StyleMenuList(lstUseItem);
        lstUseItem.AccessKeyOn = false;
        lstUseItem.Visible = false;
        main.Add(lstUseItem);
        lstUseItem.Move(CommandListLeft, CommandListTop, CommandListWidth, CommandListHeight);
        lstUseItem.OnEnter = [this] { UseChosen(lstUseItem.ListIndex()); };
        lstUseItem.OnMouseDown = [this](int button, int x, int y) {
            if (button == 1 && lstUseItem.RowAt(x, y) >= 0) UseChosen(lstUseItem.ListIndex());
        };
        lstUseItem.OnKeyDown = [this](int& keyCode, int) {
            if (!Key::IsBack(keyCode)) return;
            keyCode = 0;
            CloseUseList();
        };
        context.TheDisplay.HideBattlePicture = [this] {
            pictureGone_ = true;
            HidePicture();
        };
        // Every message of the rules is read over the battle as it stands.
        context.Messages.BeforeShow = [this] {
            if (active_) Sync();
        };
    }

    ~BattleScreen() override { context_.Messages.BeforeShow = nullptr; }
    BattleScreen(const BattleScreen&) = delete;
    BattleScreen& operator=(const BattleScreen&) = delete;

    // The maze asks for a battle.
    void Start(int encounter) {
        Game& game = context_.TheGame;
        MainWindow& main = context_.Main;
        // One battle at a time: a call while one is on is refused. The
        // maze may ask for the next one from inside BattleOver (a follow-up
        // event), when this one is already over.
        if (active_) return;
        if (game.PartyCount <= 0) {
            Over(BattleEnd::NoBattle);
            return;
        }
        active_ = true;
        SetScreenState(BattlePhase::Round);
        pictureGone_ = false;
        main.SetCommandMenu(MenuStates::Battle);
        // Asked again from inside BattleOver the state is already this one
        // and does not enter anew.
        SetStage();
        const BattleEnd end = StartBattle(game, player_, display_, encounter);
        Carry(end);
    }

    void Enter() override { SetStage(); }

    void Leave() override {
        MainWindow& main = context_.Main;
        for (Control* c : std::initializer_list<Control*>{&lstMonster, &lstBattleCommand,
                                                          &lstUseItem, &picMonster, &lblSummon}) {
            c->Visible = false;
        }
        main.ShowBattleHelp(nullptr);
        main.lstCommandList.Visible = true;
        context_.Windows.Invalidate();
    }

    // The battle's keys go to its own lists.
    void CarryOut(int) override {}

    // A member was picked in the party window as a spell's target.
    void MemberChosen() override {
        Game& game = G();
        Creature* c = game.Member(game.Battle.InputIndex);
        context_.Main.EndPartySelection();
        if (c == nullptr) return;
        c->TargetGroup = game.CurrentChar;
        Next();
    }

    void PartySelectionLeft() override {
        context_.Main.EndPartySelection();
        lstBattleCommand.Enabled = true;
        lstBattleCommand.SetFocus();
    }

    void ReorderClosed() override {
        context_.Main.RefreshPartyPanel();
        context_.TheGame.Battle.InputIndex = 1;
        BuildCommandList(1);
    }

    // Brings the monster list and the party panel up to date with the
    // battle: called before every dialog opens over it.
    void Sync() {
        ShowMonsterList();
        ShowSummons();
        context_.Main.RedrawPartyPanel();
    }

  private:
    Game& G() { return context_.TheGame; }

    void SetStage() {
        MainWindow& main = context_.Main;
        main.lstCommandList.Visible = false;
        main.fraParty.Visible = true;
        shownRows_.clear();
    }

    void HidePicture() {
        picMonster.ClearPicture();
        picMonster.Visible = false;
        context_.Windows.Invalidate();
    }

    // The picture of the first listed group, over the middle of the maze.
    void ShowPicture() {
        const BattleState& b = G().Battle;
        const int group = b.Rows[1];
        if (group < 1) {
            HidePicture();
            return;
        }
        ShowMonsterPicture(picMonster, b.Monster(group, 0).Name, G(), context_.Windows);
        // Centred across the window, and in the space between the monster
        // list and the party panel so neither hides the monster's head or
        // feet; a taller one stands on the panel and its black margin goes
        // under the list.
        const int above = MonsterListTop + MonsterListHeight;
        const int space = context_.Main.fraParty.Top - above;
        const int left = std::max(0, (context_.Main.Width - picMonster.Width) / 2);
        const int top = picMonster.Height <= space ? above + (space - picMonster.Height) / 2
                                                   : std::max(0, above + space - picMonster.Height);
        picMonster.Move(left, top, picMonster.Width, picMonster.Height);
        shownGroup_ = group;
    }

    // The monster list as the battle holds it; a new look goes to the
    // transcript.
    void ShowMonsterList() {
        const BattleState& b = G().Battle;
        lstMonster.Visible = b.ListShown;
        if (!b.ListShown) return;
        std::vector<std::string> rows;
        for (int r = 1; r <= b.GroupCount && r <= BattleGroupCount; ++r)
            rows.push_back(b.RowTexts[static_cast<size_t>(r)]);
        if (rows != shownRows_) {
            const int index = lstMonster.ListIndex();
            lstMonster.Clear();
            lstMonster.AddItems(0, rows);
            for (int r = 0; r < static_cast<int>(rows.size()); ++r)
                lstMonster.SetItemData(r, b.Rows[static_cast<size_t>(r + 1)]);
            if (index >= 0 && index < lstMonster.ListCount()) lstMonster.SetListIndex(index);
            shownRows_ = rows;
            LogMonsterList();
        }
        if (b.Rows[1] != shownGroup_ && b.GroupCount > 0 && !pictureGone_) ShowPicture();
    }

    // The summons' line while any summon stands; a new look goes to the
    // transcript.
    void ShowSummons() {
        const BattleState& b = G().Battle;
        const std::string line = b.ListShown ? b.SummonLine : std::string();
        lblSummon.Visible = !line.empty();
        // The picture may have been put up after it: the line stays on top.
        if (lblSummon.Visible) lblSummon.BringToFront();
        if (line == shownSummons_) return;
        shownSummons_ = line;
        lblSummon.SetCaption(line);
        if (!line.empty()) context_.Windows.Log().List(lblSummon.Name, "", {line}, -1);
    }

    void LogMonsterList() {
        context_.Windows.Log().List(lstMonster.Name, "", shownRows_, lstMonster.ListIndex());
    }

    // What a call into the rules left: the next command phase or the end.
    void Carry(BattleEnd end) {
        if (end == BattleEnd::Ongoing) {
            BeginCommands();
        } else {
            Finish(end);
        }
    }

    // The maze reads whose the keys are from ScreenState: 1 while commands
    // are entered, 2 while a round runs, back to 0 when the battle is over.
    void SetScreenState(BattlePhase phase) { G().ScreenState = static_cast<int16_t>(phase); }

    void BeginCommands() {
        SetScreenState(BattlePhase::Commands);
        MainWindow& main = context_.Main;
        main.RefreshPartyPanel();
        shownGroup_ = 0;
        ShowMonsterList();
        ShowSummons();
        lstMonster.Enabled = false;
        lstMonster.SetListIndex(-1);
        G().Battle.InputIndex = 1;
        BuildCommandList(1);
    }

    // The command list for the member at the input index, or the
    // confirmation once every member has his command.
    void BuildCommandList(int direction) {
        Game& game = G();
        MainWindow& main = context_.Main;
        lstBattleCommand.SetRedraw(false);
        lstBattleCommand.Clear();
        const bool member = SettleInputIndex(game, direction);
        const Creature* c = member ? game.Member(game.Battle.InputIndex) : nullptr;
        entries_ =
            c != nullptr ? MemberEntries(game, *c, game.Battle.InputIndex) : ConfirmationEntries();
        std::vector<std::string> rows;
        for (BattleEntry e : entries_) rows.emplace_back(ResString(EntryDef(e).Text));
        lstBattleCommand.AddItems(0, rows);
        lstBattleCommand.SetCaption(c != nullptr ? c->Name : "");
        lstBattleCommand.SetListIndex(0);
        if (c != nullptr) StateLabel(game.Battle.InputIndex, StateWord(*c));
        main.ShowBattleHelp(game.Config.ShowBattleHelp != 0 ? c : nullptr);
        lstBattleCommand.Visible = true;
        lstBattleCommand.Enabled = true;
        lstBattleCommand.SetRedraw(true);
        lstBattleCommand.SetFocus();
        context_.Windows.Log().List(lstBattleCommand.Name, lstBattleCommand.Caption(), rows,
                                    lstBattleCommand.ListIndex());
    }

    void StateLabel(int position, std::string_view word) {
        if (position < 1 || position > MainWindow::PartyRows) return;
        context_.Main.lblState[static_cast<size_t>(position - 1)].SetCaption(word);
    }

    void Next() {
        G().Battle.InputIndex += 1;
        BuildCommandList(1);
    }

    void HideCommandInput() {
        SetScreenState(BattlePhase::Round);
        lstBattleCommand.Visible = false;
        context_.Main.ShowBattleHelp(nullptr);
    }

    void CommandKey(int& keyCode, int shift) {
        if ((shift & (Key::CtrlMask | Key::AltMask)) != 0) return;
        if (Key::IsBack(keyCode)) {
            keyCode = 0;
            Back();
            return;
        }
        if (keyCode < Key::A || keyCode > Key::A + 25) return;
        const std::optional<BattleEntry> entry = EntryForKey(keyCode);
        keyCode = 0;
        if (!entry) return;
        const auto at = std::find(entries_.begin(), entries_.end(), *entry);
        if (at == entries_.end()) return;
        const int row = static_cast<int>(at - entries_.begin());
        lstBattleCommand.SetListIndex(row);
        EntryChosen(row);
    }

    void Back() {
        int16_t& index = G().Battle.InputIndex;
        index = static_cast<int16_t>(std::max(1, index - 1));
        BuildCommandList(-1);
    }

    void EntryChosen(int row) {
        if (row < 0 || row >= static_cast<int>(entries_.size())) return;
        Game& game = G();
        BattleState& b = game.Battle;
        const BattleEntry entry = entries_[static_cast<size_t>(row)];
        const BattleEntryDef& def = EntryDef(entry);
        Creature* c = game.Member(b.InputIndex);
        switch (entry) {
            case BattleEntry::Start:
                HideCommandInput();
                Carry(StartRound(game, player_, display_));
                return;
            case BattleEntry::Back:
                Back();
                return;
            case BattleEntry::Redo:
                context_.Main.RedrawPartyPanel();
                b.InputIndex = 1;
                BuildCommandList(1);
                return;
            case BattleEntry::Escape:
                HideCommandInput();
                Carry(Escape(game, player_, display_));
                return;
            case BattleEntry::Status:
                if (c != nullptr && context_.ShowStatus)
                    context_.ShowStatus(game.PartyList[static_cast<size_t>(b.InputIndex)], true);
                lstBattleCommand.SetFocus();
                return;
            case BattleEntry::Reorder:
                lstBattleCommand.Enabled = false;
                context_.Main.OpenReorder();
                return;
            case BattleEntry::Auto:
                AutoCommands(game);
                for (int i = 1; i <= game.PartyCount; ++i) {
                    const Creature* m = game.Member(i);
                    if (m == nullptr || !CanAct(*m)) continue;
                    const bool ambush = (m->Status & StatusHidden) != 0;
                    StateLabel(i, m->Command == CommandParry ? "身を守る"
                                  : ambush                   ? "奇襲"
                                                             : "戦う");
                }
                HideCommandInput();
                Carry(StartRound(game, player_, display_));
                return;
            case BattleEntry::Spell:
                if (c != nullptr) ChooseSpell(*c);
                return;
            case BattleEntry::Item:
            case BattleEntry::Song:
                if (c != nullptr) OpenUseList(*c, entry);
                return;
            default:
                break;
        }
        if (c == nullptr) return;
        c->Command = def.Command;
        StateLabel(b.InputIndex, def.Label);
        if (def.Target == EntryTarget::Level) AskSummonLevel(player_, *c);
        if (def.Target == EntryTarget::MonsterGroup) {
            pending_ = entry;
            lstMonster.Enabled = true;
            lstMonster.SetListIndex(lstMonster.ListCount() > 0 ? 0 : -1);
            lstBattleCommand.Enabled = false;
            lstMonster.SetFocus();
            LogMonsterList();
            return;
        }
        c->TargetGroup = 0;
        Next();
    }

    // "S)呪文を唱える": the name typed or picked, then the spell's target.
    void ChooseSpell(Creature& c) {
        Game& game = G();
        c.Command = HasSkill(c, Skill::ChainSpell) ? CommandChainSpell : CommandSpell;
        std::string name;
        if (game.Config.SpellEntryMode == 0) {
            name = player_.Input("呪文を入力してください", lastTypedSpell_);
            if (!name.empty()) lastTypedSpell_ = name;
        } else {
            name = spellPickers_.ChooseSpellFromWindow(c, SpellWindowBattle,
                                                       game.Config.SpellEntryMode);
        }
        if (name.empty()) {
            lstBattleCommand.SetListIndex(0);
            lstBattleCommand.SetFocus();
            return;
        }
        SpellTarget target = SpellTarget::None;
        StateLabel(game.Battle.InputIndex, EnterSpellByName(game, c, name, target));
        AskTarget(c, BattleEntry::Spell, target);
    }

    void AskTarget(Creature& c, BattleEntry entry, SpellTarget target) {
        switch (target) {
            case SpellTarget::MonsterGroup:
                pending_ = entry;
                lstMonster.Enabled = true;
                lstMonster.SetListIndex(lstMonster.ListCount() > 0 ? 0 : -1);
                lstBattleCommand.Enabled = false;
                lstMonster.SetFocus();
                LogMonsterList();
                return;
            case SpellTarget::Member:
                lstBattleCommand.Enabled = false;
                context_.Main.BeginPartySelection(1);
                return;
            case SpellTarget::None:
            default:
                c.TargetGroup = 0;
                Next();
                return;
        }
    }

    // "U)アイテムを使う" and "V)歌": the member's items or instruments.
    void OpenUseList(Creature& c, BattleEntry entry) {
        const std::vector<UsableRow> rows =
            entry == BattleEntry::Item ? UsableItems(G(), c) : Instruments(G(), c);
        if (rows.empty()) {
            player_.Message(entry == BattleEntry::Item ? "使えるアイテムをもっていません"
                                                       : "使える楽器をもっていません");
            lstBattleCommand.SetFocus();
            return;
        }
        c.Command = EntryDef(entry).Command;
        useEntry_ = entry;
        std::vector<std::string> texts;
        lstUseItem.Clear();
        for (const UsableRow& row : rows) texts.push_back(row.Text);
        lstUseItem.AddItems(0, texts);
        for (size_t r = 0; r < rows.size(); ++r)
            lstUseItem.SetItemData(static_cast<int>(r), rows[r].Slot);
        lstUseItem.SetListIndex(0);
        lstUseItem.Visible = true;
        lstUseItem.BringToFront();
        lstBattleCommand.Enabled = false;
        lstUseItem.SetFocus();
        context_.Windows.Log().List(lstUseItem.Name, "", texts, 0);
    }

    void UseChosen(int row) {
        Game& game = G();
        Creature* c = game.Member(game.Battle.InputIndex);
        if (c == nullptr || row < 0 || row >= lstUseItem.ListCount()) return;
        const int slot = lstUseItem.ItemData(row);
        const SpellTarget target = ChooseItemForCommand(game, *c, slot);
        const std::string text = lstUseItem.List(row);
        // The item word, or the instrument's name after its "n:".
        StateLabel(game.Battle.InputIndex, useEntry_ == BattleEntry::Item
                                               ? std::string(EntryDef(useEntry_).Label)
                                               : text.substr(std::min<size_t>(2, text.size())));
        lstUseItem.Visible = false;
        lstBattleCommand.Enabled = true;
        AskTarget(*c, useEntry_, target);
    }

    void CloseUseList() {
        lstUseItem.Visible = false;
        lstBattleCommand.Enabled = true;
        lstBattleCommand.SetFocus();
        context_.Windows.Invalidate();
    }

    void GroupChosen(int row) {
        Game& game = G();
        BattleState& b = game.Battle;
        Creature* c = game.Member(b.InputIndex);
        if (c == nullptr || row < 0 || row >= lstMonster.ListCount()) return;
        if (pending_ == BattleEntry::Fight && !ReachesRow(game, *c, b.InputIndex, row)) {
            player_.Message(ResString(Str::OutOfReach));
            lstMonster.SetListIndex(0);
            return;
        }
        c->TargetGroup = static_cast<int16_t>(lstMonster.ItemData(row));
        CloseMonsterList();
        Next();
    }

    void LeaveMonsterList() {
        CloseMonsterList();
        lstBattleCommand.Enabled = true;
        lstBattleCommand.SetFocus();
    }

    void CloseMonsterList() {
        lstMonster.Enabled = false;
        lstMonster.SetListIndex(-1);
    }

    // The battle is over: the displays go and the maze takes the party back.
    void Finish(BattleEnd end) {
        HideCommandInput();
        HidePicture();
        lstMonster.Visible = false;
        lblSummon.Visible = false;
        shownSummons_.clear();
        context_.Main.RefreshPartyPanel();
        // The end of a battle is a save point; a wiped-out party's was saved
        // as it fell.
        if (end != BattleEnd::NoBattle && end != BattleEnd::Defeat) context_.Save();
        Over(end);
    }

    void Over(BattleEnd end) {
        active_ = false;
        SetScreenState(BattlePhase::None);
        pictureGone_ = false;
        shownRows_.clear();
        shownGroup_ = 0;
        // A fallen party is home already: the rules brought the castle back.
        if (context_.BattleOver) context_.BattleOver(end);
    }

    ScreenContext& context_;
    Player& player_;
    GameDisplay& display_;
    PictureBox picMonster{"picMonster"};
    ListEx lstMonster{"lstMonster"};
    ListEx lstBattleCommand{"lstBattleCommand"};
    ListEx lstUseItem{"lstUseItem"};
    SpellPickers spellPickers_{context_.Windows, context_.TheGame};
    std::string lastTypedSpell_;  // the name typed last in battle, offered again
    BattleEntry useEntry_ = BattleEntry::Item;
    Label lblSummon{"lblSummon"};
    std::string shownSummons_;
    std::vector<BattleEntry> entries_;
    BattleEntry pending_ = BattleEntry::Fight;
    std::vector<std::string> shownRows_;
    int shownGroup_ = 0;
    // The rules took the picture away (the battle is won or lost).
    bool pictureGone_ = false;
    bool active_ = false;
};

}  // namespace

void InstallBattleScreen(ScreenContext& context) {
    BattleScreen& screen = context.Install<BattleScreen>(MenuStates::Battle, context);
    context.StartBattle = [&screen](int encounter) { screen.Start(encounter); };
    context.ChooseSpell = [&screen, &context](const Creature& caster, int mode) {
        return screen.Pickers().ChooseSpellFromWindow(caster, mode,
                                                      context.TheGame.Config.SpellEntryMode);
    };
}

}  // namespace kv
