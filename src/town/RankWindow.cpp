#include "town/RankWindow.h"

#include "core/CapitalName.h"
#include "platform/Keys.h"
#include "ui/PanelArt.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr uint32_t Back = Rgb(6, 8, 22);
constexpr uint32_t TextColour = Rgb(236, 232, 220);
constexpr int Margin = 8;
constexpr int SummaryHeight = 28;

}  // namespace

RankWindow::RankWindow(ScreenContext& context) : Window(context.Windows), context_(context) {
    Name = "fdlgRank";
    Visible = false;
    BackColor = Back;
    Move(0, 0, WindowManager::CanvasWidth, WindowManager::CanvasHeight);

    lstRanking.Name = "lstRanking";
    lstRanking.BackColor = Back;
    lstRanking.ForeColor = TextColour;
    lstRanking.FontSize = 12;
    lstRanking.BorderStyle = 2;
    lstRanking.SetFrame(GoldFrame(6));
    lstRanking.SelectStyle = 2;
    lstRanking.GradationColor = Rgb(24, 40, 120);
    lstRanking.SelectBackColor = Rgb(64, 96, 200);
    lstRanking.TabStop = true;
    lstRanking.SetCaption(StarReaderName());
    lstRanking.Move(Margin, Margin, Width - 2 * Margin, Height - SummaryHeight - 3 * Margin);
    // Any of the closing keys, or a press on the list, puts the window away.
    lstRanking.OnKeyDown = [this](int& keyCode, int) {
        if (keyCode == Key::Escape || keyCode == Key::Back || keyCode == Key::Return) {
            keyCode = 0;
            Hide();
        }
    };
    lstRanking.OnEnter = [this] { Hide(); };
    lstRanking.OnMouseDown = [this](int, int, int) { Hide(); };
    Add(lstRanking);

    lbl1.Name = "lbl1";
    lbl1.BackStyle = BackMode::Transparent;
    lbl1.ForeColor = TextColour;
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
