// The spell pickers' windows: the list of school, level and spell, and the
// grid of every known spell with the current one drawn grey.
#include "battle/SpellPickerWindow.h"

#include <vector>

#include "platform/Keys.h"
#include "ui/MainWindow.h"
#include "ui/PanelArt.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr int FrameBand = 8;
constexpr int ListWidth = 260;
constexpr int ListWindowHeight = 330;
constexpr int ColumnWidth = 150;
constexpr int LabelHeight = 16;
constexpr int GridLeft = 16;
constexpr int GridTop = 12;
constexpr uint32_t CurrentBack = Rgb(128, 128, 128);
constexpr int SpellListSetting = 2;

}  // namespace

SpellSelectWindow::SpellSelectWindow(WindowManager& manager, const Game& game)
    : Window(manager), game_(game) {
    Name = "frmSpellSelect";
    KeyPreview = true;
    Visible = false;
    StyleDialogFrame(fraBack, FrameBand);
    Add(fraBack);
    for (MessageLabel* label : {&lblMsg, &lblHelp}) {
        label->BackStyle = BackMode::Transparent;
        fraBack.Add(*label);
    }
    StyleMenuList(lst);
    fraBack.Add(lst);
    lst.OnEnter = [this] { Chosen(lst.ListIndex()); };
    lst.OnMouseDown = [this](int button, int x, int y) {
        const int row = lst.ListIndex();
        if (button == 1 && row >= 0 && lst.RowBounds(row).Contains(x, y)) Chosen(row);
    };
    OnKeyDown = [this](int& keyCode, int) {
        if (!Key::IsBack(keyCode) || !picker_) return;
        keyCode = 0;
        picker_->Cancel();
        Hide();
    };
    const int width = ListWidth + 2 * 24;
    CentreOnCanvas(width, ListWindowHeight);
    fraBack.Move(0, 0, width, ListWindowHeight);
    lblMsg.Move(24, 16, ListWidth, 20);
    lst.Move(24, 40, ListWidth, 220);
    lblHelp.Move(24, 266, ListWidth, 48);
}

void SpellSelectWindow::ShowRows() {
    lblMsg.SetCaption(picker_->Prompt());
    lst.Clear();
    lst.AddItems(0, picker_->Rows());
    lst.SetListIndex(0);
    Manager().Log().List(Name, picker_->Prompt(), picker_->Rows(), 0);
}

void SpellSelectWindow::Chosen(int row) {
    if (!picker_) return;
    const int stage = picker_->Stage();
    picker_->Choose(row);
    if (stage == 2) lblHelp.SetCaption(row < 9 ? picker_->LevelHelp(row) : "");
    if (picker_->Done()) {
        Hide();
        return;
    }
    ShowRows();
}

std::string SpellSelectWindow::Run(const Creature& caster, int mode) {
    picker_ = std::make_unique<SpellListPicker>(game_, caster, mode);
    picker_->Open();
    lblHelp.SetCaption("");
    ShowRows();
    lst.SetFocus();
    ShowModal();
    std::string chosen = picker_->Done() ? picker_->Chosen() : "";
    picker_.reset();
    return chosen;
}

SpellSelect2Window::SpellSelect2Window(WindowManager& manager, const Game& game)
    : Window(manager), game_(game) {
    Name = "frmSpellSelect2";
    KeyPreview = true;
    Visible = false;
    StyleDialogFrame(fraBack, FrameBand);
    Add(fraBack);
    for (int j = 1; j <= SpellGridLabels; ++j) {
        Label& label = lblSpell[static_cast<size_t>(j)];
        label.Name = "lblSpell" + std::to_string(j);
        label.BackStyle = BackMode::Transparent;
        label.Move(GridLeft + (j - 1) / SpellGridRows * ColumnWidth,
                   GridTop + (j - 1) % SpellGridRows * LabelHeight, ColumnWidth - 8, LabelHeight);
        fraBack.Add(label);
    }
    const int width = 2 * GridLeft + 4 * ColumnWidth - 8;
    const int height = 2 * GridTop + SpellGridRows * LabelHeight;
    CentreOnCanvas(width, height);
    fraBack.Move(0, 0, width, height);
    OnKeyDown = [this](int& keyCode, int) {
        const int key = keyCode;
        keyCode = 0;
        switch (key) {
            case Key::Up:
                return Highlight(MoveInSpellGrid(grid_, GridMove::Up));
            case Key::Down:
                return Highlight(MoveInSpellGrid(grid_, GridMove::Down));
            case Key::Left:
                return Highlight(MoveInSpellGrid(grid_, GridMove::Left));
            case Key::Right:
                return Highlight(MoveInSpellGrid(grid_, GridMove::Right));
            case Key::Return:
                chosen_ =
                    grid_.Current > 0 ? grid_.Caption[static_cast<size_t>(grid_.Current)] : "";
                Hide();
                return;
            case Key::Escape:
                chosen_.clear();
                Hide();
                return;
            default:
                keyCode = key;
                return;
        }
    };
}

void SpellSelect2Window::Highlight(int label) {
    if (grid_.Current > 0)
        lblSpell[static_cast<size_t>(grid_.Current)].BackStyle = BackMode::Transparent;
    grid_.Current = label;
    if (label > 0) {
        Label& now = lblSpell[static_cast<size_t>(label)];
        now.BackStyle = BackMode::Opaque;
        now.BackColor = CurrentBack;
    }
    Invalidate();
    Log();
}

void SpellSelect2Window::Log() {
    std::vector<std::string> rows;
    int index = -1;
    for (int j = 1; j <= SpellGridLabels; ++j) {
        if (!grid_.Shown[static_cast<size_t>(j)]) continue;
        if (j == grid_.Current) index = static_cast<int>(rows.size());
        rows.push_back(grid_.Caption[static_cast<size_t>(j)]);
    }
    Manager().Log().List(Name, "", rows, index);
}

std::string SpellSelect2Window::Run(const Creature& caster) {
    grid_ = BuildSpellGrid(game_, caster);
    chosen_.clear();
    for (int j = 1; j <= SpellGridLabels; ++j) {
        Label& label = lblSpell[static_cast<size_t>(j)];
        label.SetCaption(grid_.Caption[static_cast<size_t>(j)]);
        label.Visible = grid_.Shown[static_cast<size_t>(j)];
        label.BackStyle = BackMode::Transparent;
    }
    const int current = grid_.Current;
    grid_.Current = -1;
    Highlight(current);
    ShowModal();
    return chosen_;
}

std::string SpellPickers::ChooseSpellFromWindow(const Creature& caster, int mode, int setting) {
    if (setting == SpellListSetting) {
        if (!list_) list_ = std::make_unique<SpellSelectWindow>(manager_, game_);
        return list_->Run(caster, mode);
    }
    if (!grid_) grid_ = std::make_unique<SpellSelect2Window>(manager_, game_);
    return grid_->Run(caster);
}

}  // namespace kv
