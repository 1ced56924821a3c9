#pragma once
// The list control every menu and selectable list of the game is built from:
// command menus, battle commands, roster, items, spells. The keyboard moves one
// current row; a typed letter or digit jumps to the row that begins with it;
// Enter (or a click) tells the host to carry out the current row. It knows
// nothing of the game: hosts fill it, read ListIndex / Text / ItemData and react
// to OnEnter and OnClick.
//
// Event order for a key: OnKeyDown (the host may change or cancel the key),
// then the move, then OnEnter (only for an access-key jump with AccessKeyEnter
// on), then OnClick -- after every key but Enter, whether the row moved or not.
// Enter raises OnEnter, then OnClick only when EnterOn is set.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Image.h"
#include "ui/Control.h"
#include "ui/PanelArt.h"

namespace kv {

class ListEx : public Control {
  public:
    ListEx();
    explicit ListEx(std::string name) : ListEx() { Name = std::move(name); }

    // Behaviour.
    bool CursorLoop = false;      // moving past either end wraps to the other
    bool AccessKeyOn = true;      // a typed key jumps to the row starting with it
    bool AccessKeyEnter = false;  // ... and that jump also counts as Enter
    bool EnterOn = false;         // Enter raises OnClick after OnEnter

    // Layout. Row height is the font size plus ListHeight.
    float ListHeight = 0;
    int BorderWidth = 1;
    int ListBorderWidth = 1;  // outline of the highlight box
    int Indent = 2;           // text margin inside the border (not with frame pictures)
    int BorderStyle = 0;      // 0 none, 1 a line BorderWidth thick, 2 the eight frame pictures
    int BackStyle = 0;        // 0 none, n: cell n-1 of BackStrip ANDed over the body
    int Alignment = 0;        // 0 left, 1 right, 2 centred
    int SelectStyle = 0;      // 0 outlined box, 1 rounded box, 2 gradient over a shadow

    // Colours (0x00RRGGBB). The body uses Control::BackColor and ForeColor.
    uint32_t SelectBackColor = ColourHighlight;
    uint32_t SelectForeColor = ColourWhite;
    uint32_t SelectBorderColor = Rgb(112, 144, 232);
    uint32_t GradationColor = 0;
    int GradationPoint = 0;  // percent of the row width where the gradient starts
    uint32_t ShadowColor = 0;

    // The current row's font; unset means the rows' own (Face, FontSize).
    std::optional<FontFace> SelectionFace;
    int SelectionFontSize = 0;

    // Background picture, laid once at the top-left, tiled or stretched.
    Image Picture;
    bool Tile = false;
    bool Stertch = false;  // the name keeps the spelling saved window designs use
    // A strip of 32x32 cells; BackStyle picks the one ANDed over the body.
    Image BackStrip;
    // The frame pieces drawn when BorderStyle is 2; the side pieces repeat.
    Image FrameTopLeft;
    Image FrameTopCenter;
    Image FrameTopRight;
    Image FrameMiddleLeft;
    Image FrameMiddleRight;
    Image FrameBottomLeft;
    Image FrameBottomCenter;
    Image FrameBottomRight;
    // Takes all eight edge pictures at once.
    void SetFrame(const FramePictures& frame);

    // Events besides the inherited OnClick, OnKeyDown, OnKeyPress, OnKeyUp,
    // OnMouseDown. The second press of a double click raises OnDblClick only.
    std::function<void()> OnEnter;
    std::function<void()> OnDblClick;
    static constexpr int64_t DoubleClickMs = 500;
    static constexpr int DoubleClickSlop = 4;  // pixels the second press may stray

    // Rows. Reading a row that does not exist gives "" or 0 and writing one
    // is ignored: a wrong index from a host never brings the game down.
    int ListCount() const { return static_cast<int>(rows_.size()); }
    const std::string& List(int row) const;
    void SetList(int row, std::string_view text);
    int ItemData(int row) const;
    void SetItemData(int row, int32_t value);
    int NewIndex() const { return newIndex_; }  // read-only: the row last added

    // index is 1-based: 1 <= index < ListCount inserts before row index-1,
    // anything else appends.
    void AddItem(std::string_view text, int index = 0);
    // Each text in turn by AddItem's rule, so texts inserted at one position
    // end up in reverse order; one repaint at the end.
    void AddItems(int index, std::initializer_list<std::string_view> texts);
    void AddItems(int index, const std::vector<std::string>& texts);
    void RemoveItem(int row);  // no event; a removed last current row leaves none (-1)
    void Clear();
    // Every change repaints by itself, so there is nothing left to do here.
    void Refresh() {}

    int ListIndex() const { return index_; }
    // A value >= ListCount is ignored; anything else (below -1 counts as -1)
    // is taken, and raises OnClick.
    void SetListIndex(int index);
    // The current row's text, brought up to date on every repaint of a
    // non-empty list ("0" until then).
    const std::string& Text() const { return text_; }
    // Makes the first row with exactly this text current; no event.
    void SetText(std::string_view text);
    bool Redraw() const { return redraw_; }
    void SetRedraw(bool on);  // false freezes the picture; true repaints at once
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption);

    // Layout as the properties stand now, in pixels inside the control.
    double RowHeight() const;
    double ListTop() const;  // below the border and the caption line
    int RowsPerPage() const;
    int FirstVisibleRow() const;
    Rect RowBounds(int row) const;  // empty when the row is not on view
    // The row under a point inside the control; -1 on the caption, the frame
    // or below the last row.
    int RowAt(int x, int y) const;
    bool MoreAbove() const { return FirstVisibleRow() > 0; }
    bool MoreBelow() const { return FirstVisibleRow() + RowsPerPage() < ListCount(); }

    void Paint(PaintContext& context) override;
    void KeyDown(int& keyCode, int shift) override;
    void MouseDown(int button, int x, int y) override;
    bool CanFocus() const override { return true; }
    void FocusChanged(bool focused) override;

  private:
    struct Row {
        std::string Text;
        int32_t Data = 0;
    };
    struct Insets {
        int Left = 0;
        int Top = 0;
        int Right = 0;
        int Bottom = 0;
        int Margin = 0;  // text margin inside them
    };

    void Insert(std::string_view text, int index);
    void Repaint();  // the synchronous part of drawing: Text follows the current row
    int MovedIndex(int keyCode) const;
    int AccessRow(int keyCode) const;
    Insets BorderInsets() const;

    // Drawing (ListExDraw.cpp).
    void Render(GlyphCache& glyphs);
    void DrawBody(Canvas& canvas) const;
    void DrawBorder(Canvas& canvas) const;
    void DrawHighlight(Canvas& canvas, Rect row) const;
    void DrawRows(Canvas& canvas, GlyphCache& glyphs) const;

    std::vector<Row> rows_;
    int index_ = 0;
    int newIndex_ = 0;
    std::string text_ = "0";
    std::string caption_;
    bool redraw_ = true;
    Image buffer_;  // the last picture drawn, shown as it is while Redraw is off
    int64_t lastPressAt_ = -1;
    int lastPressX_ = 0;
    int lastPressY_ = 0;
};

}  // namespace kv
