#include "dungeon/ChestScreen.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/Transcript.h"
#include "dungeon/Chest.h"
#include "platform/Keys.h"
#include "ui/Label.h"
#include "ui/ListEx.h"
#include "ui/MainWindow.h"
#include "ui/PanelArt.h"
#include "ui/PanelEx.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

// The chest's lines; the first is dropped once the chest has been inspected.
enum class ChestLine { Inspect, Identify, Disarm, Open, Leave };
struct LineText {
    ChestLine Line;
    char Key;
    std::string_view Text;
};
constexpr std::array<LineText, 5> Lines = {{
    {ChestLine::Inspect, 'I', "I)調べる"},
    {ChestLine::Identify, 'D', "D)ＤＩＳＢＡ"},
    {ChestLine::Disarm, 'P', "P)罠を外す"},
    {ChestLine::Open, 'O', "O)開ける"},
    {ChestLine::Leave, 'L', "L)立ち去る"},
}};

constexpr int PanelWidth = 200;
constexpr int ListHeight = 120;
constexpr int LabelHeight = 24;

}  // namespace

struct ChestScreen::Parts {
    Parts(ScreenContext& context, std::function<void(const MoveResult&)> then)
        : Context(context), Then(std::move(then)) {}

    ScreenContext& Context;
    std::function<void(const MoveResult&)> Then;
    PanelEx fraTreasure{"fraTreasure"};
    ListEx lstTreasure{"lstTreasure"};
    Label lblTreasure{"lblTreasure"};
    ChestLine pending = ChestLine::Leave;

    Game& G() { return Context.TheGame; }
    MainWindow& Main() { return Context.Main; }

    void Build() {
        MainWindow& main = Main();
        fraTreasure.BackStyle = PanelEx::BackSeeThrough;
        fraTreasure.Visible = false;
        fraTreasure.Move(main.Width / 5, main.Height / 4, PanelWidth, ListHeight + LabelHeight);
        main.Add(fraTreasure);
        StyleMenuList(lstTreasure);
        lstTreasure.Move(0, 0, PanelWidth, ListHeight);
        lstTreasure.OnEnter = [this] { Act(LineAt(lstTreasure.ListIndex())); };
        fraTreasure.Add(lstTreasure);
        StyleInfoLabel(lblTreasure);
        lblTreasure.Alignment = Align::Centre;
        lblTreasure.Move(0, ListHeight, PanelWidth, LabelHeight);
        lblTreasure.Visible = false;
        fraTreasure.Add(lblTreasure);
    }

    ChestLine LineAt(int row) const {
        if (row < 0 || row >= lstTreasure.ListCount()) return ChestLine::Leave;
        for (const LineText& line : Lines)
            if (lstTreasure.List(row) == line.Text) return line.Line;
        return ChestLine::Leave;
    }

    int RowOf(ChestLine wanted) const {
        for (int row = 0; row < lstTreasure.ListCount(); ++row)
            if (LineAt(row) == wanted) return row;
        return -1;
    }

    void Note() {
        std::vector<std::string> rows;
        for (int row = 0; row < lstTreasure.ListCount(); ++row)
            rows.push_back(lstTreasure.List(row));
        Context.Windows.Log().List(lstTreasure.Name, "", rows, lstTreasure.ListIndex());
    }

    // The panel up with every line, inspection first, and the keys on it.
    void Show() {
        MainWindow& main = Main();
        G().ScreenState = ScreenStates::Chest;
        if (lstTreasure.ListCount() == 0) {
            for (const LineText& line : Lines)
                lstTreasure.AddItem(line.Text, lstTreasure.ListCount());
        } else if (RowOf(ChestLine::Inspect) < 0) {
            lstTreasure.AddItem(Lines[0].Text, 0);
        }
        lstTreasure.SetListIndex(0);
        lblTreasure.Visible = false;
        lblTreasure.SetCaption("");
        fraTreasure.Visible = true;
        fraTreasure.Enabled = true;
        fraTreasure.BringToFront();
        main.fraParty.Visible = true;
        main.RefreshPartyPanel();
        lstTreasure.SetFocus();
        Note();
    }

    void Hide() {
        Main().tmrTreasure.SetEnabled(false);
        fraTreasure.Visible = false;
        lblTreasure.Visible = false;
        lblTreasure.SetCaption("");
        Main().EndPartySelection();
    }

    // The keys back on the list.
    void Resume() {
        fraTreasure.Enabled = true;
        lstTreasure.SetFocus();
    }

    void Act(ChestLine line) {
        if (line == ChestLine::Leave) {
            Hide();
            Then(LeaveChest(G(), Context.ThePlayer, Context.TheDisplay));
            return;
        }
        // The member who does it is picked in the party window.
        pending = line;
        fraTreasure.Enabled = false;
        Main().BeginPartySelection();
    }

    // A trap's name in the label for two seconds; the list waits meanwhile.
    void ShowName(const std::string& name) {
        lblTreasure.SetCaption(name);
        lblTreasure.Visible = true;
        JsonLine line;
        line.Add("t", "label").Add("name", lblTreasure.Name).Add("text", name);
        Context.Windows.Log().Write(line);
        Main().tmrTreasure.SetEnabled(true);
    }

    void Finish(const MoveResult& result) {
        Hide();
        Then(result);
    }

    void Open(int slot, bool sprung) {
        Finish(OpenChest(G(), Context.ThePlayer, Context.TheDisplay, slot, sprung,
                         [this] { Hide(); }));
    }

    void Carry(int slot) {
        Player& player = Context.ThePlayer;
        Creature* member = G().Character(slot);
        if (member == nullptr || !CanWorkChest(player, *member)) {
            Resume();
            return;
        }
        switch (pending) {
            case ChestLine::Inspect: {
                // One look per chest.
                if (const int row = RowOf(ChestLine::Inspect); row >= 0) {
                    lstTreasure.RemoveItem(row);
                    lstTreasure.SetListIndex(0);
                }
                const TrapReading reading = InspectChest(G(), *member);
                if (reading.Sprung) {
                    Open(slot, true);
                    return;
                }
                ShowName(reading.Name);
                return;
            }
            case ChestLine::Identify: {
                const std::string name = CastTrapIdentify(G(), player, *member);
                if (name.empty()) {
                    Resume();
                } else {
                    ShowName(name);
                }
                return;
            }
            case ChestLine::Disarm: {
                const std::string answer = NameTheTrap(G(), player);
                switch (TryDisarm(G(), player, *member, answer)) {
                    case DisarmResult::Failed:
                        Resume();
                        return;
                    case DisarmResult::Disarmed:
                        Open(slot, false);
                        return;
                    case DisarmResult::Sprung:
                        Open(slot, true);
                        return;
                }
                return;
            }
            case ChestLine::Open:
                Open(slot, true);
                return;
            case ChestLine::Leave:
                Resume();
                return;
        }
    }
};

ChestScreen::ChestScreen(ScreenContext& context, std::function<void(const MoveResult&)> then)
    : parts_(std::make_unique<Parts>(context, std::move(then))) {
    parts_->Build();
}

ChestScreen::~ChestScreen() = default;

void ChestScreen::ShowBattleChest() {
    PrepareBattleChest(parts_->G());
    parts_->Show();
}

void ChestScreen::ShowHiddenChest(int level) {
    PrepareHiddenChest(parts_->G(), level);
    parts_->Show();
}

bool ChestScreen::KeyDown(int keyCode, int shift) {
    Parts& p = *parts_;
    if ((shift & (Key::CtrlMask | Key::AltMask)) != 0) return true;
    // While a name is shown the chest waits for the timer.
    if (!p.fraTreasure.Enabled) return true;
    if (Key::IsBack(keyCode)) {
        p.Act(ChestLine::Leave);
        return true;
    }
    if (keyCode == Key::Return) {
        p.Act(p.LineAt(p.lstTreasure.ListIndex()));
        return true;
    }
    for (const LineText& line : Lines) {
        if (keyCode != Key::Letter(line.Key)) continue;
        const int row = p.RowOf(line.Line);
        if (row < 0) return true;
        p.lstTreasure.SetListIndex(row);
        p.Act(line.Line);
        return true;
    }
    // The arrows move the highlight on the list.
    return false;
}

void ChestScreen::Timer(MainTimer timer) {
    if (timer != MainTimer::Treasure) return;
    Parts& p = *parts_;
    p.Context.Main.tmrTreasure.SetEnabled(false);
    p.lblTreasure.Visible = false;
    p.lblTreasure.SetCaption("");
    if (p.fraTreasure.Visible) p.Resume();
}

void ChestScreen::MemberChosen() {
    parts_->Context.Main.EndPartySelection();
    parts_->Carry(parts_->G().CurrentChar);
}

void ChestScreen::PartySelectionLeft() {
    parts_->Context.Main.EndPartySelection();
    parts_->Resume();
}

}  // namespace kv
