#include "items/SkillWindow.h"

#include "platform/Keys.h"
#include "ui/PanelArt.h"
#include "ui/WindowLook.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr int FormWidth = 420;
constexpr int FormHeight = 400;
constexpr int Margin = 8;
constexpr int LabelHeight = 56;
constexpr std::string_view CheckedMark = "■ ";
constexpr std::string_view UncheckedMark = "□ ";
constexpr std::string_view ListCaption = "スキル";
// With nothing on offer there is nothing to describe: the label tells how
// to leave instead, as only Enter closes the window.
constexpr std::string_view NothingOffered = "選べるスキルはありません\nＥｎｔｅｒで閉じる";

}  // namespace

SkillWindow::SkillWindow(ScreenContext& context, int slot)
    : Window(context.Windows), context_(context), slot_(slot) {
    Name = "frmSkill";
    Visible = false;
    BackColor = WindowBack;
    CentreOnCanvas(FormWidth, FormHeight);

    StyleWindowList(lstSkill);
    // Rows begin with their check mark, not an access letter.
    lstSkill.AccessKeyOn = false;
    lstSkill.Move(Margin, Margin, Width - 2 * Margin, Height - 3 * Margin - LabelHeight);
    lstSkill.OnKeyDown = [this](int& keyCode, int shift) {
        if ((shift & (Key::CtrlMask | Key::AltMask)) != 0) return;
        if (keyCode == Key::Space) {
            keyCode = 0;
            Toggle();
        } else if (Key::IsBack(keyCode)) {
            // Only Enter closes the window.
            keyCode = 0;
        }
    };
    lstSkill.OnEnter = [this] { Confirm(); };
    lstSkill.OnClick = [this] { Describe(); };
    Add(lstSkill);

    lblLabel.BackStyle = BackMode::Transparent;
    lblLabel.ForeColor = WindowText;
    lblLabel.Move(Margin + 4, Height - Margin - LabelHeight, Width - 2 * Margin - 8, LabelHeight);
    Add(lblLabel);
}

void SkillWindow::Paint(PaintContext& context) {
    PaintBackground(context, *this);
}

void SkillWindow::ShowRow(int row) {
    const SkillRow& skill = rows_[static_cast<size_t>(row)];
    lstSkill.SetList(row, std::string(skill.On ? CheckedMark : UncheckedMark) + skill.Name);
}

void SkillWindow::Describe() {
    const int row = lstSkill.ListIndex();
    if (rows_.empty()) {
        lblLabel.SetCaption(NothingOffered);
        return;
    }
    if (row < 0 || row >= static_cast<int>(rows_.size())) {
        lblLabel.SetCaption("");
        return;
    }
    lblLabel.SetCaption(SkillDescription(context_.TheGame, rows_[static_cast<size_t>(row)].Code));
}

void SkillWindow::Toggle() {
    const int row = lstSkill.ListIndex();
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    SkillRow& skill = rows_[static_cast<size_t>(row)];
    if (skill.On) {
        const Creature& c = context_.TheGame.Roster[static_cast<size_t>(slot_)];
        const std::string refusal = CheckSkillOff(context_.TheGame, c, skill.Code);
        if (!refusal.empty()) {
            context_.ThePlayer.Message(refusal);
            return;
        }
    }
    skill.On = !skill.On;
    ShowRow(row);
}

void SkillWindow::Confirm() {
    const Creature& c = context_.TheGame.Roster[static_cast<size_t>(slot_)];
    const std::string refusal = CheckSkillCount(context_.TheGame, c, rows_);
    if (!refusal.empty()) {
        context_.ThePlayer.Message(refusal);
        return;
    }
    lblLabel.SetCaption("");
    Hide();
}

void SkillWindow::Run() {
    Creature& c = context_.TheGame.Roster[static_cast<size_t>(slot_)];
    rows_ = OfferedSkills(context_.TheGame, c);
    lstSkill.Clear();
    std::vector<std::string> texts;
    for (size_t i = 0; i < rows_.size(); ++i) {
        lstSkill.AddItem("");
        ShowRow(static_cast<int>(i));
        texts.push_back(lstSkill.List(static_cast<int>(i)));
    }
    lstSkill.SetListIndex(rows_.empty() ? -1 : 0);
    Describe();
    Manager().Log().List(Name, rows_.empty() ? NothingOffered : ListCaption, texts,
                         lstSkill.ListIndex());
    lstSkill.SetFocus();
    ShowModal();
    WriteBackSkills(c, rows_);
}

void OpenSkillWindow(ScreenContext& context, int slot) {
    if (slot < 1 || slot >= RosterRows) return;
    SkillWindow window(context, slot);
    window.Run();
}

}  // namespace kv
