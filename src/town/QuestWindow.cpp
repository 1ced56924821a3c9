#include "town/QuestWindow.h"

#include <string>
#include <vector>

#include "platform/Keys.h"
#include "ui/MainWindow.h"
#include "ui/PanelArt.h"
#include "ui/Pickers.h"
#include "ui/WindowLook.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr int WindowWidth = 560;
constexpr int WindowHeight = 380;
constexpr int Margin = 8;
constexpr int ListHeight = 180;
constexpr int RewardHeight = 20;

const std::vector<std::string> ListChoices = {"オファー中クエスト", "新しいクエスト",
                                              "コンプリート済クエスト", "戻る"};
const std::vector<int32_t> ListChoiceValues = {1, 2, 3, 4};

}  // namespace

QuestWindow::QuestWindow(ScreenContext& context) : Window(context.Windows), context_(context) {
    Name = "frmQuest";
    Visible = false;
    BackColor = WindowBack;
    CentreOnCanvas(WindowWidth, WindowHeight);

    StyleWindowList(lst);
    lst.AccessKeyOn = false;
    lst.Move(Margin, Margin, Width - 2 * Margin, ListHeight);
    lst.OnClick = [this] { ShowQuest(); };
    lst.OnEnter = [this] { CarryOut(); };
    lst.OnKeyDown = [this](int& keyCode, int) {
        if (keyCode != Key::Escape && keyCode != Key::Back) return;
        keyCode = 0;
        context_.Choices.frmSelectBox.SelectedValue = -1;
        Hide();
    };
    Add(lst);

    const int textTop = lst.Top + lst.Height + Margin;
    lblComment.BackStyle = BackMode::Transparent;
    lblComment.ForeColor = WindowText;
    lblComment.Move(Margin, textTop, Width - 2 * Margin,
                    Height - textTop - RewardHeight - 2 * Margin);
    Add(lblComment);
    lblReward.BackStyle = BackMode::Transparent;
    lblReward.ForeColor = WindowText;
    lblReward.Move(Margin, Height - RewardHeight - Margin, Width - 2 * Margin, RewardHeight);
    Add(lblReward);
    // Each time the window comes up, the first quest is the one shown.
    OnActivate = [this] {
        if (lst.ListCount() > 0 && lst.ListIndex() < 0) lst.SetListIndex(0);
    };
}

void QuestWindow::Paint(PaintContext& context) {
    PaintBackground(context, *this);
}

bool QuestWindow::Fill(QuestListMode mode) {
    mode_ = mode;
    const std::vector<QuestRow> rows = QuestList(context_.TheGame, mode);
    lst.SetRedraw(false);
    lst.Clear();
    std::vector<std::string> texts;
    for (const QuestRow& row : rows) {
        lst.AddItem(row.Title);
        lst.SetItemData(lst.NewIndex(), row.Quest);
        texts.push_back(row.Title);
    }
    lst.SetRedraw(true);
    lblComment.SetCaption("");
    lblReward.SetCaption("");
    if (!rows.empty()) lst.SetListIndex(0);
    Manager().Log().List(Name, "", texts, lst.ListIndex());
    if (rows.empty()) context_.ThePlayer.Message(EmptyListText(mode));
    return !rows.empty();
}

void QuestWindow::Run() {
    lst.SetFocus();
    ShowModal();
}

void QuestWindow::ShowQuest() {
    const int row = lst.ListIndex();
    if (row < 0) return;
    const int quest = lst.ItemData(row);
    lblComment.SetCaption(QuestDescription(context_.TheGame, quest));
    lblReward.SetCaption(RewardLine(context_.TheGame, quest));
}

void QuestWindow::CarryOut() {
    const int row = lst.ListIndex();
    if (row < 0) return;
    Game& game = context_.TheGame;
    Player& player = context_.ThePlayer;
    const int quest = lst.ItemData(row);
    if (mode_ == QuestListMode::Accepted) {
        switch (ReportQuest(game, player, quest)) {
            case ReportResult::Completed:
                context_.Save();
                // The list is rebuilt in place; an emptied one stays open.
                Fill(QuestListMode::Accepted);
                break;
            case ReportResult::NoRoom:
                context_.Save();
                break;
            case ReportResult::Declined:
                context_.Save();
                Hide();
                break;
            default:
                break;
        }
    } else if (mode_ == QuestListMode::NewOffers) {
        if (AcceptQuest(game, player, quest)) {
            context_.Save();
            Hide();
        }
    }
}

void OpenQuests(ScreenContext& context) {
    Game& game = context.TheGame;
    Player& player = context.ThePlayer;
    const auto mode =
        static_cast<QuestListMode>(player.ChooseFromList(ListChoices, ListChoiceValues, ""));
    if (mode != QuestListMode::Accepted && mode != QuestListMode::NewOffers &&
        mode != QuestListMode::Completed)
        return;
    if (mode == QuestListMode::NewOffers && AcceptedCount(game) >= MostAccepted) {
        player.Message(TooManyAcceptedText);
        return;
    }
    QuestWindow window(context);
    if (!window.Fill(mode)) return;
    if (mode == QuestListMode::Completed && GiveAllQuestsItem(game, player)) context.Save();
    window.Run();
    context.Main.RefreshPartyPanel();
}

}  // namespace kv
