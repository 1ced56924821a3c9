#include "items/StatusWindow.h"

#include "character/Equipment.h"
#include "character/Inventory.h"
#include "core/StringTable.h"
#include "items/Alchemy.h"
#include "items/EquipWindow.h"
#include "items/HiddenPowers.h"
#include "items/SkillWindow.h"
#include "items/StatusSheet.h"
#include "platform/Keys.h"
#include "ui/PanelArt.h"
#include "ui/WindowLook.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr uint32_t Back = WindowBack;
constexpr uint32_t TextColour = WindowText;
constexpr uint32_t LineColour = Rgb(176, 188, 220);
constexpr int Margin = 8;
constexpr int SheetWidth = 372;
constexpr int SheetHeight = 262;
constexpr int MenuLeft = SheetWidth + 2 * Margin;
constexpr int MenuHeight = 268;

constexpr std::string_view NothingHeld = "アイテムを持ってません";
constexpr std::string_view EscToStop = "ＥＳＣでやめる";

// The command rows, known by their string-table entries.
constexpr std::array<Str, 14> CommandIds = {
    Str::RowCast, Str::RowEquip,    Str::RowTrade,     Str::RowUse,      Str::RowGatherGold,
    Str::RowDrop, Str::RowSkills,   Str::RowIdentify,  Str::RowAppraise, Str::RowAlchemy,
    Str::RowNext, Str::RowPrevious, Str::RowSpellbook, Str::RowBack};

Str CommandOf(std::string_view text) {
    for (Str id : CommandIds) {
        if (ResString(id) == text) return id;
    }
    return Str{};
}

void StylePanel(PanelEx& panel) {
    panel.BackColor = Back;
    panel.BorderStyle = PanelEx::BorderLine;
    panel.BorderColor = LineColour;
    panel.CaptionColor = TextColour;
}

void StyleLabel(Label& label) {
    label.BackStyle = BackMode::Transparent;
    label.ForeColor = TextColour;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

}  // namespace

StatusWindow::StatusWindow(ScreenContext& context, StatusMode mode, CampHost* host)
    : Window(context.Windows),
      context_(context),
      mode_(mode),
      host_(host != nullptr ? *host : static_cast<CampHost&>(noMaze_)) {
    Name = "dfrmStatus";
    Visible = false;
    BackColor = Back;
    KeyPreview = true;
    CentreOnCanvas(WindowWidth, WindowHeight);
    // An open panel closes on Esc, Backspace or Enter, wherever the focus is.
    OnKeyDown = [this](int& keyCode, int) {
        if (openPanel_ == nullptr) return;
        if (Key::IsBack(keyCode) || keyCode == Key::Return) {
            keyCode = 0;
            ClosePanel();
        }
    };

    StyleLabel(lblStatu);
    lblStatu.FontSize = 13;
    lblStatu.Move(Margin, Margin, SheetWidth, SheetHeight);
    Add(lblStatu);

    StyleWindowList(lstCommand);
    lstCommand.Move(MenuLeft, Margin, WindowWidth - MenuLeft - Margin, MenuHeight);
    lstCommand.OnKeyDown = [this](int& keyCode, int shift) {
        if ((shift & (Key::CtrlMask | Key::AltMask)) != 0) return;
        if (Key::IsBack(keyCode)) {
            keyCode = 0;
            Close();
        }
    };
    lstCommand.OnEnter = [this] { CarryOut(); };
    Add(lstCommand);

    StyleWindowList(lstItem);
    lstItem.Move(Margin, SheetHeight + 2 * Margin, SheetWidth,
                 WindowHeight - SheetHeight - 3 * Margin);
    lstItem.Enabled = false;
    lstItem.OnKeyDown = [this](int& keyCode, int shift) {
        if ((shift & (Key::CtrlMask | Key::AltMask)) != 0) return;
        if (Key::IsBack(keyCode)) {
            keyCode = 0;
            EndOperation();
        }
    };
    lstItem.OnEnter = [this] { ActOnItem(); };
    Add(lstItem);

    StylePanel(fraTitle);
    fraTitle.Visible = false;
    fraTitle.Move(MenuLeft, MenuHeight + 2 * Margin, WindowWidth - MenuLeft - Margin,
                  WindowHeight - MenuHeight - 3 * Margin);
    Add(fraTitle);
    StyleLabel(lblMsg1);
    lblMsg1.Move(8, 28, fraTitle.Width - 16, 60);
    fraTitle.Add(lblMsg1);
    StyleLabel(lblMsg2);
    lblMsg2.Move(8, 96, fraTitle.Width - 16, 24);
    fraTitle.Add(lblMsg2);

    for (auto [panel, text, name] : {std::tuple{&picSpell, &lblSpells, "picSpell"},
                                     std::tuple{&fraInspect, &lbl, "fraInspect"}}) {
        panel->Name = name;
        StylePanel(*panel);
        panel->Visible = false;
        panel->Move(Margin, Margin, WindowWidth - 2 * Margin, WindowHeight - 2 * Margin);
        Add(*panel);
        StyleLabel(*text);
        text->Move(12, 12, panel->Width - 24, panel->Height - 24);
        panel->Add(*text);
    }
    BuildCampPanels();
}

void StatusWindow::Paint(PaintContext& context) {
    PaintBackground(context, *this);
}

Creature& StatusWindow::Current() {
    return context_.TheGame.Roster[static_cast<size_t>(context_.TheGame.CurrentChar)];
}

void StatusWindow::Redraw(int commandRow) {
    lblStatu.SetCaption(Joined(StatusSheetLines(context_.TheGame, context_.TheGame.CurrentChar)));
    FillItems(-1);
    FillCommands(commandRow);
}

void StatusWindow::FillCommands(int row) {
    const std::vector<std::string> rows = StatusCommands(Current(), mode_);
    lstCommand.Clear();
    for (const std::string& text : rows) lstCommand.AddItem(text);
    lstCommand.SetListIndex(std::min(row, lstCommand.ListCount() - 1));
    lstCommand.Enabled = true;
    lstCommand.SetFocus();
    Manager().Log().List(lstCommand.Name, Current().Name, rows, lstCommand.ListIndex());
}

void StatusWindow::FillItems(int row) {
    lstItem.Clear();
    std::vector<std::string> texts;
    for (const InventoryRow& item : InventoryRows(context_.TheGame, Current())) {
        lstItem.AddItem(item.Text);
        lstItem.SetItemData(lstItem.NewIndex(), item.Slot);
        texts.push_back(item.Text);
    }
    lstItem.SetListIndex(std::min(row, lstItem.ListCount() - 1));
    Manager().Log().List(lstItem.Name, fraTitle.Caption, texts, lstItem.ListIndex());
}

bool StatusWindow::EmptyHanded(std::string_view title) {
    if (lstItem.ListCount() > 0) return false;
    fraTitle.Caption = std::string(title);
    const DialogTitle titled(context_.ThePlayer, title);
    context_.ThePlayer.Message(NothingHeld);
    return true;
}

void StatusWindow::BeginOperation(Operation op, std::string_view title, std::string_view prompt,
                                  int startRow) {
    operation_ = op;
    fraTitle.Caption = std::string(title);
    lblMsg1.SetCaption(prompt);
    lblMsg2.SetCaption(EscToStop);
    fraTitle.Visible = true;
    lstCommand.Enabled = false;
    lstItem.Enabled = true;
    FillItems(startRow);
    lstItem.SetFocus();
}

void StatusWindow::EndOperation() {
    operation_ = Operation::None;
    lstItem.SetListIndex(-1);
    lstItem.Enabled = false;
    fraTitle.Visible = false;
    lstCommand.Enabled = true;
    lstCommand.SetListIndex(0);
    lstCommand.SetFocus();
}

void StatusWindow::ShowPanel(PanelEx& panel) {
    openPanel_ = &panel;
    panel.Visible = true;
    lstCommand.Enabled = false;
    lstItem.Enabled = false;
    Manager().Invalidate();
}

void StatusWindow::ClosePanel() {
    if (openPanel_ != nullptr) openPanel_->Visible = false;
    openPanel_ = nullptr;
    operation_ = Operation::None;
    fraTitle.Visible = false;
    lstCommand.Enabled = true;
    lstCommand.SetListIndex(0);
    lstCommand.SetFocus();
    Manager().Invalidate();
}

void StatusWindow::Close() {
    context_.Save();
    Hide();
}

void StatusWindow::Equip() {
    Game& game = context_.TheGame;
    const int slot = game.CurrentChar;
    {
        EquipWindow window(context_, slot);
        window.Run();
    }
    OfferItemPowers(game, context_.ThePlayer, slot);
    // The skill window follows, for skills the new equipment grants or takes.
    OpenSkillWindow(context_, slot);
    ApplyEquipment(game, Current());
    Redraw(lstCommand.ListIndex());
}

void StatusWindow::Step(int by) {
    Game& game = context_.TheGame;
    if (game.PartyCount <= 0) return;
    int at = 0;
    for (int i = 1; i <= game.PartyCount; ++i) {
        if (game.PartyList[static_cast<size_t>(i)] == game.CurrentChar) at = i;
    }
    if (at == 0) return;
    at = (at - 1 + by + game.PartyCount) % game.PartyCount + 1;
    // The marching position is the dialog's own: CurrentPartyNo names the
    // party itself, and the panel and the maze find the members by it.
    game.CurrentChar = game.PartyList[static_cast<size_t>(at)];
    Redraw(lstCommand.ListIndex());
}

void StatusWindow::CarryOut() {
    Game& game = context_.TheGame;
    Player& player = context_.ThePlayer;
    switch (CommandOf(lstCommand.Text())) {
        case Str::RowEquip:
            Equip();
            break;
        case Str::RowTrade: {
            if (EmptyHanded("渡す")) break;
            const int target = player.ChooseMember("キャラクターを選んでください");
            if (target < 1 || target >= RosterRows) break;
            tradeTarget_ = target;
            BeginOperation(Operation::Trade, "アイテムを渡す", "どれを渡しますか？", 0);
            break;
        }
        case Str::RowGatherGold:
            CollectGold(game, Current());
            fraTitle.Caption = "お金を集める";
            {
                const DialogTitle titled(player, fraTitle.Caption);
                player.Message("お金を集めました");
            }
            lblStatu.SetCaption(Joined(StatusSheetLines(game, game.CurrentChar)));
            break;
        case Str::RowDrop:
            if (EmptyHanded("捨てる")) break;
            BeginOperation(Operation::Drop, "アイテムを捨てる", ResString(Str::DropPrompt), 0);
            break;
        case Str::RowIdentify: {
            if (EmptyHanded("識別")) break;
            int first = 0;
            const std::vector<InventoryRow> rows = InventoryRows(game, Current());
            for (size_t i = 0; i < rows.size(); ++i) {
                if (Current().Items[static_cast<size_t>(rows[i].Slot)].ItemFlags & Unidentified) {
                    first = static_cast<int>(i);
                    break;
                }
            }
            BeginOperation(Operation::Identify, "識別", ResString(Str::IdentifyPrompt), first);
            break;
        }
        case Str::RowAppraise:
            if (EmptyHanded("鑑定")) break;
            BeginOperation(Operation::Appraise, "鑑定", "どれを鑑定しますか？", 0);
            break;
        case Str::RowSpellbook:
            lblSpells.SetCaption(Joined(SpellbookLines(game, Current())));
            ShowPanel(picSpell);
            break;
        case Str::RowNext:
            Step(1);
            break;
        case Str::RowPrevious:
            Step(-1);
            break;
        case Str::RowSkills:
            // The equipment is not worked out again here: only a change of
            // equipment does that.
            OpenSkillWindow(context_, game.CurrentChar);
            Redraw(0);
            break;
        case Str::RowBack:
            Close();
            break;
        case Str::RowAlchemy:
            MakeByAlchemy(game, player, game.CurrentChar);
            Redraw(lstCommand.ListIndex());
            break;
        case Str::RowCast:
            CastSpell();
            break;
        case Str::RowUse:
            if (EmptyHanded("使う")) break;
            BeginOperation(Operation::Use, "アイテムを使う", ResString(Str::UsePrompt), 0);
            break;
        default:
            break;
    }
}

void StatusWindow::ActOnItem() {
    Game& game = context_.TheGame;
    Player& player = context_.ThePlayer;
    const int row = lstItem.ListIndex();
    if (row < 0) return;
    const int slot = lstItem.ItemData(row);
    switch (operation_) {
        case Operation::Trade: {
            Creature& target = game.Roster[static_cast<size_t>(tradeTarget_)];
            const TradeOutcome outcome = TradeItem(game, player, Current(), slot, target);
            if (outcome == TradeOutcome::NothingFitted) {
                FillItems(-1);
                EndOperation();
                return;
            }
            FillItems(row);
            if (lstItem.ListCount() == 0) EndOperation();
            return;
        }
        case Operation::Drop: {
            const std::string shown = DropItem(game, player, Current(), slot);
            if (!shown.empty()) lblMsg1.SetCaption(shown);
            FillItems(row);
            if (lstItem.ListCount() == 0) EndOperation();
            return;
        }
        case Operation::Identify: {
            const IdentifyOutcome outcome = IdentifyItem(game, player, Current(), slot);
            FillItems(row);
            if (outcome == IdentifyOutcome::Identified || outcome == IdentifyOutcome::NotNeeded) {
                return;
            }
            lblStatu.SetCaption(Joined(StatusSheetLines(game, game.CurrentChar)));
            EndOperation();
            FillCommands(0);
            return;
        }
        case Operation::Appraise: {
            const std::string details = AppraiseItem(game, player, Current(), slot);
            if (details.empty()) return;
            lbl.SetCaption(details);
            ShowPanel(fraInspect);
            return;
        }
        case Operation::Use:
            UseItem(slot);
            return;
        case Operation::None:
            return;
    }
}

void StatusWindow::Run(int slot) {
    context_.TheGame.CurrentChar = static_cast<int16_t>(slot);
    Redraw(0);
    ShowModal();
}

void ShowStatusWindow(ScreenContext& context, int slot, StatusMode mode, CampHost* host) {
    if (slot < 1 || slot >= RosterRows) return;
    StatusWindow window(context, mode, host);
    window.Run(slot);
}

void InstallStatusWindow(ScreenContext& context) {
    context.ShowStatus = [&context](int slot, bool viewOnly) {
        ShowStatusWindow(context, slot, viewOnly ? StatusMode::ViewOnly : StatusMode::Town);
    };
}

}  // namespace kv
