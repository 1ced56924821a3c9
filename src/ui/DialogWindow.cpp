#include "ui/DialogWindow.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr int FrameBand = 8;
constexpr int PadX = 20;  // air between the frame and the contents
constexpr int PadY = 16;
constexpr int MaxWidth = 600;
constexpr int MinWidth = 384;
constexpr int InputGap = 14;
constexpr int InputHeight = 26;
constexpr int AnswerGap = 18;
constexpr int AnswerWidth = 156;
constexpr int AnswerHeight = 26;
constexpr int AnswerSpacing = 24;
constexpr int TitleGap = 10;  // between the title's rule and the message

constexpr uint32_t TextColour = Rgb(240, 236, 224);
constexpr uint32_t AnswerText = Rgb(250, 226, 160);
constexpr uint32_t AnswerFill = Rgb(30, 24, 12);
constexpr uint32_t AnswerEdge = Rgb(170, 136, 64);
constexpr uint32_t InputFill = Rgb(12, 12, 28);
constexpr uint32_t TitleText = Rgb(250, 226, 160);

}  // namespace

DialogWindow::DialogWindow(WindowManager& manager, std::string name) : Window(manager) {
    Name = std::move(name);
    KeyPreview = true;
    Visible = false;

    StyleDialogFrame(fraBack, FrameBand);
    Add(fraBack);

    lblTitle.BackStyle = BackMode::Transparent;
    lblTitle.ForeColor = TitleText;
    lblTitle.Visible = false;
    fraBack.Add(lblTitle);

    lblMsg.BackStyle = BackMode::Transparent;
    lblMsg.ForeColor = TextColour;
    fraBack.Add(lblMsg);

    txtMsg.BackColor = InputFill;
    txtMsg.ForeColor = TextColour;
    fraBack.Add(txtMsg);

    for (AccessLabel* answer : {&lblYes, &lblNo}) {
        answer->BackStyle = BackMode::Opaque;
        answer->BackColor = AnswerFill;
        answer->ForeColor = AnswerText;
        answer->OutlineColor = AnswerEdge;
        fraBack.Add(*answer);
    }
    lblYes.SetCaption("&Y)ES [Enter]");
    lblNo.SetCaption("&N)O [ESC or BS]");
}

void DialogWindow::Arrange(DialogKind kind) {
    Kind = kind;
    GlyphCache& glyphs = Manager().Glyphs();
    const int inset = FrameBand + PadX;
    const int wrapWidth = MaxWidth - 2 * inset;
    int textWidth = 0;
    const auto lines = WrapText(glyphs, lblMsg.Caption(), wrapWidth, lblMsg.Face, lblMsg.FontSize);
    for (const std::string& line : lines) {
        textWidth = std::max(textWidth, glyphs.TextWidth(line, lblMsg.Face, lblMsg.FontSize));
    }
    const bool titled = !lblTitle.Caption().empty();
    const auto titleLines =
        titled ? WrapText(glyphs, lblTitle.Caption(), wrapWidth, lblTitle.Face, lblTitle.FontSize)
               : std::vector<std::string>{};
    int titleWidth = 0;
    for (const std::string& line : titleLines) {
        titleWidth = std::max(titleWidth, glyphs.TextWidth(line, lblTitle.Face, lblTitle.FontSize));
    }
    const int width = std::clamp(std::max(textWidth, titleWidth) + 2 * inset, MinWidth, MaxWidth);
    const int contentWidth = width - 2 * inset;
    const int pitch = lblMsg.LinePitch(glyphs);
    const int textHeight = static_cast<int>(lines.size()) * pitch - std::max(0, lblMsg.LineGap);

    int y = FrameBand + PadY;
    // The title heads the window at the left, above the message.
    lblTitle.Visible = titled;
    if (titled) {
        const int titleHeight = static_cast<int>(titleLines.size()) * lblTitle.LinePitch(glyphs);
        lblTitle.Move(inset, y, contentWidth, titleHeight);
        y += titleHeight - std::max(0, lblTitle.LineGap) + TitleGap;
    }
    // The message block is centred; its lines stay left-aligned with each other.
    lblMsg.Move(inset + (contentWidth - textWidth) / 2, y, std::max(textWidth, 1),
                static_cast<int>(lines.size()) * pitch);
    y += textHeight;

    txtMsg.Visible = kind == DialogInput;
    lblYes.Visible = kind == DialogYesNo;
    lblNo.Visible = kind == DialogYesNo;
    if (kind == DialogInput) {
        y += InputGap;
        txtMsg.Move(inset, y, contentWidth, InputHeight);
        y += InputHeight;
    } else if (kind == DialogYesNo) {
        y += AnswerGap;
        const int left = (width - (2 * AnswerWidth + AnswerSpacing)) / 2;
        lblYes.Move(left, y, AnswerWidth, AnswerHeight);
        lblNo.Move(left + AnswerWidth + AnswerSpacing, y, AnswerWidth, AnswerHeight);
        y += AnswerHeight;
    }
    const int height = y + PadY + FrameBand;
    Move(Left, Top, width, height);
    fraBack.Move(0, 0, width, height);
}

void DialogWindow::PlaceCentred() {
    // A message too long for the screen keeps its top (and its first lines) on it.
    Move((WindowManager::CanvasWidth - Width) / 2,
         std::max(0, (WindowManager::CanvasHeight - Height) / 2), Width, Height);
}

void DialogWindow::PlaceAtTop(int top) {
    Move((WindowManager::CanvasWidth - Width) / 2, top, Width, Height);
}

}  // namespace kv
