#include "town/RankWindow.h"

#include "core/CapitalName.h"
#include "ui/PanelArt.h"
#include "ui/WindowLook.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr int Margin = 8;
constexpr int SummaryHeight = 28;

}  // namespace

RankWindow::RankWindow(ScreenContext& context) : Window(context.Windows), context_(context) {
    Name = "fdlgRank";
    Visible = false;
    BackColor = WindowBack;
    Move(0, 0, WindowManager::CanvasWidth, WindowManager::CanvasHeight);

    StyleWindowList(lstRanking, 12);
    lstRanking.SetCaption(StarReaderName());
    lstRanking.Move(Margin, Margin, Width - 2 * Margin, Height - SummaryHeight - 3 * Margin);
    // Any of the closing keys, or a press on the list, puts the window away.
    CloseOnBackOrEnter(lstRanking);
    lstRanking.OnEnter = [this] { Hide(); };
    lstRanking.OnMouseDown = [this](int, int, int) { Hide(); };
    Add(lstRanking);

    lbl1.BackStyle = BackMode::Transparent;
    lbl1.ForeColor = WindowText;
    lbl1.Move(Margin, Height - SummaryHeight - Margin, Width - 2 * Margin, SummaryHeight);
    Add(lbl1);
}

void RankWindow::Paint(PaintContext& context) {
    PaintBackground(context, *this);
}

void RankWindow::Show(RankingKind kind) {
    const Ranking ranking = BuildRanking(context_.TheGame, kind);
    lstRanking.SetRedraw(false);
    lstRanking.Clear();
    lstRanking.AddItems(0, ranking.Rows);
    lstRanking.SetRedraw(true);
    if (lstRanking.ListCount() > 0) lstRanking.SetListIndex(0);
    lbl1.SetCaption(ranking.Summary);
    Manager().Log().List(Name, ranking.Summary, ranking.Rows, lstRanking.ListIndex());
    lstRanking.SetFocus();
    ShowModal();
}

void ShowRanking(ScreenContext& context, RankingKind kind) {
    RankWindow window(context);
    window.Show(kind);
}

}  // namespace kv
