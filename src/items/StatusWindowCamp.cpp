// The status window's camp magic: S)呪文を唱える and U)使う, the monster
// panel, the teleport boxes and the wish list.
#include <algorithm>
#include <string>

#include "core/StringTable.h"
#include "items/StatusWindow.h"
#include "platform/Keys.h"
#include "ui/WindowLook.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr int SpellWindowCamp = 2;  // the pickers list the spells cast in camp
constexpr std::string_view MoveAllowed = "0123456789-";
constexpr std::array<std::string_view, 3> MoveLabels = {"地下", "東へ", "南へ"};
constexpr int BoxLeft = 60;
constexpr int BoxWidth = 64;
constexpr int BoxHeight = 22;
constexpr int BoxPitch = 28;

// Only digits and the minus sign stay in a teleport box.
std::string MoveText(std::string_view typed) {
    std::string kept;
    for (char ch : typed)
        if (MoveAllowed.find(ch) != std::string_view::npos) kept += ch;
    return kept;
}

}  // namespace

void StatusWindow::BuildCampPanels() {
    fraMonster.Name = "fraMonster";
    fraMonster.BackColor = BackColor;
    fraMonster.BorderStyle = fraInspect.BorderStyle;
    fraMonster.BorderColor = fraInspect.BorderColor;
    fraMonster.Visible = false;
    fraMonster.Move(fraInspect.Left, fraInspect.Top, fraInspect.Width, fraInspect.Height);
    Add(fraMonster);
    lblMonster.BackStyle = BackMode::Transparent;
    lblMonster.ForeColor = lbl.ForeColor;
    lblMonster.Move(12, 12, fraMonster.Width - 24, fraMonster.Height - 24);
    fraMonster.Add(lblMonster);

    for (PanelEx* panel : {&fraMove, &fraWish}) {
        panel->BackColor = BackColor;
        panel->BorderStyle = fraInspect.BorderStyle;
        panel->BorderColor = fraInspect.BorderColor;
        panel->CaptionColor = fraTitle.CaptionColor;
        panel->Visible = false;
        Add(*panel);
    }
    fraMove.Name = "fraMove";
    fraMove.Caption = "テレポート";
    fraMove.Move(fraTitle.Left, fraTitle.Top, fraTitle.Width, fraTitle.Height);
    for (size_t i = 0; i < txtMove.size(); ++i) {
        TextBox& box = txtMove[i];
        box.MaxLength = 4;
        box.Move(BoxLeft, 24 + static_cast<int>(i) * BoxPitch, BoxWidth, BoxHeight);
        box.OnChange = [&box] {
            const std::string kept = MoveText(box.Text());
            if (kept != box.Text()) box.SetText(kept);
        };
        box.OnKeyDown = [this, i](int& keyCode, int shift) {
            if ((shift & (Key::CtrlMask | Key::AltMask)) == 0) MoveKey(i, keyCode);
        };
        fraMove.Add(box);
        Label& label = lblMove[i];
        label.BackStyle = BackMode::Transparent;
        label.ForeColor = lbl.ForeColor;
        label.SetCaption(MoveLabels[i]);
        label.Move(8, box.Top + 3, BoxLeft - 12, BoxHeight);
        fraMove.Add(label);
    }
    fraWish.Name = "fraWish";
    fraWish.Caption = "願い";
    fraWish.Move(lstItem.Left, lblStatu.Top, lstItem.Width, lstItem.Top + lstItem.Height);
    StyleWindowList(lstWish);
    lstWish.Move(8, 24, fraWish.Width - 16, fraWish.Height - 32);
    for (int row = 0; row < WishRows; ++row) lstWish.AddItem(WishText(row));
    lstWish.OnEnter = [this] { ChooseWish(lstWish.ListIndex()); };
    lstWish.OnKeyDown = [this](int& keyCode, int) {
        if (!Key::IsBack(keyCode)) return;
        keyCode = 0;
        // No wish is granted and none is paid for; the point stays spent.
        CloseWish();
    };
    fraWish.Add(lstWish);
}

void StatusWindow::CastSpell() {
    Game& game = context_.TheGame;
    Player& player = context_.ThePlayer;
    std::string name;
    if (game.Config.SpellEntryMode == 0 || !context_.ChooseSpell) {
        const DialogTitle titled(player, "呪文を唱える");
        name = player.Input(ResString(Str::SpellPrompt), context_.LastCampSpell);
        if (!name.empty()) context_.LastCampSpell = name;
    } else {
        name = context_.ChooseSpell(Current(), SpellWindowCamp);
    }
    if (name.empty()) {
        lstCommand.SetFocus();
        return;
    }
    CampResult result;
    result.Outcome = CastOutsideBattle(game, player, host_, game.CurrentChar, name);
    AfterCamp(result);
}

void StatusWindow::UseItem(int slot) {
    Game& game = context_.TheGame;
    EndOperation();
    AfterCamp(UseItemOutsideBattle(game, context_.ThePlayer, host_, game.CurrentChar, slot));
}

void StatusWindow::AfterCamp(const CampResult& result) {
    Game& game = context_.TheGame;
    // A revival that failed may have taken the current character away.
    if (game.Character(game.CurrentChar) == nullptr || Current().Id == 0) {
        if (game.PartyCount > 0) game.CurrentChar = game.PartyList[1];
    }
    switch (result.Outcome) {
        case CampOutcome::CloseDialog:
            Close();
            return;
        case CampOutcome::OpenTeleport:
            Redraw(lstCommand.ListIndex());
            OpenMove();
            return;
        case CampOutcome::OpenWish:
            Redraw(lstCommand.ListIndex());
            OpenWish();
            return;
        case CampOutcome::OpenAppraisal:
            Redraw(lstCommand.ListIndex());
            if (EmptyHanded("鑑定")) return;
            BeginOperation(Operation::Appraise, "鑑定", "どれを鑑定しますか？", 0);
            return;
        case CampOutcome::Stay:
            break;
    }
    Redraw(std::max(0, lstCommand.ListIndex()));
    if (result.ItemPanel > 0) {
        lbl.SetCaption(ItemDetails(game, game.Items[static_cast<size_t>(result.ItemPanel)]));
        ShowPanel(fraInspect);
    } else if (result.MonsterPanel > 0) {
        lblMonster.SetCaption(MonsterDetails(game, result.MonsterPanel));
        ShowPanel(fraMonster);
    }
}

void StatusWindow::OpenMove() {
    for (TextBox& box : txtMove) box.SetText("0");
    fraMove.Visible = true;
    lstCommand.Enabled = false;
    txtMove[0].SetFocus();
    txtMove[0].SelectAll();
    Manager().Log().List(fraMove.Name, fraMove.Caption, {MoveLabels.begin(), MoveLabels.end()}, 0);
    Manager().Invalidate();
}

void StatusWindow::CloseMove() {
    fraMove.Visible = false;
    lstCommand.Enabled = true;
    lstCommand.SetFocus();
    Manager().Invalidate();
}

void StatusWindow::MoveKey(size_t box, int& keyCode) {
    TextBox& here = txtMove[box];
    switch (keyCode) {
        case Key::Up:
        case Key::Down: {
            const int by = keyCode == Key::Up ? 1 : -1;
            here.SetText(std::to_string(ParseMoveBox(here.Text()) + by));
            keyCode = 0;
            return;
        }
        case Key::Left:
            if (box > 0 && here.CaretPosition() == 0) {
                keyCode = 0;
                txtMove[box - 1].SetFocus();
            }
            return;
        case Key::Right:
            if (box + 1 < txtMove.size() && here.CaretPosition() == here.Length()) {
                keyCode = 0;
                txtMove[box + 1].SetFocus();
            }
            return;
        case Key::Escape:
        case Key::Back:
            if (keyCode == Key::Back && here.Length() > 0) return;  // Backspace edits
            keyCode = 0;
            CloseMove();
            return;
        case Key::Return: {
            keyCode = 0;
            const std::array<std::string, 3> typed = {txtMove[0].Text(), txtMove[1].Text(),
                                                      txtMove[2].Text()};
            fraMove.Visible = false;
            const CampOutcome outcome =
                Teleport(context_.TheGame, context_.ThePlayer, host_, typed);
            AfterCamp(CampResult{outcome, 0, 0});
            return;
        }
        default:
            return;
    }
}

void StatusWindow::OpenWish() {
    fraWish.Visible = true;
    lstCommand.Enabled = false;
    lstWish.Enabled = true;
    lstWish.SetListIndex(0);
    lstWish.SetFocus();
    std::vector<std::string> rows;
    for (int row = 0; row < WishRows; ++row) rows.emplace_back(WishText(row));
    Manager().Log().List(lstWish.Name, fraWish.Caption, rows, 0);
    Manager().Invalidate();
}

void StatusWindow::CloseWish() {
    fraWish.Visible = false;
    lstCommand.Enabled = true;
    lstCommand.SetFocus();
    Manager().Invalidate();
}

void StatusWindow::ChooseWish(int row) {
    Game& game = context_.TheGame;
    const CampOutcome outcome = GrantWish(game, context_.ThePlayer, host_, game.CurrentChar, row);
    CloseWish();
    AfterCamp(CampResult{outcome, 0, 0});
}

}  // namespace kv
