// How a ListEx draws itself: body, border or picture frame, caption, rows,
// the current row's highlight and the scroll marks. Everything is drawn into
// the control's own picture, which stays as it is while Redraw is off.
#include <algorithm>
#include <cmath>
#include <string>

#include "ui/ListEx.h"

namespace kv {

namespace {

constexpr int BackCell = 32;           // the background strip's cell size
constexpr int RoundRadius = 10;        // corner of the rounded highlight
constexpr int RoundShortOf = 13;       // the rounded highlight stops this far from the right edge
constexpr int ShadowOffset = 5;        // the gradient highlight's shadow box, right and down
constexpr char MoreAboveMark[] = "▲";  // rows hidden above the first row on view
constexpr char MoreBelowMark[] = "▼";  // rows hidden below the last

uint32_t Mix(uint32_t a, uint32_t b, double t) {
    auto channel = [&](int shift) {
        const double from = (a >> shift) & 255;
        const double to = (b >> shift) & 255;
        return static_cast<uint32_t>(std::lround(from + (to - from) * t)) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

// Repeats the picture over the area, starting at its top-left corner.
void TilePicture(Canvas& canvas, Rect area, const Image& picture, RasterOp op = RasterOp::Copy) {
    if (picture.Empty() || area.W <= 0 || area.H <= 0) return;
    const Rect saved = canvas.Clip();
    canvas.SetClip(area);
    for (int y = area.Y; y < area.Y + area.H; y += picture.Height) {
        for (int x = area.X; x < area.X + area.W; x += picture.Width) {
            canvas.Blit(x, y, picture, op);
        }
    }
    canvas.SetClip(saved);
}

}  // namespace

void ListEx::Paint(PaintContext& context) {
    if (redraw_) Render(context.Glyphs);
    if (!buffer_.Empty()) context.Surface.Blit(context.X, context.Y, buffer_);
}

void ListEx::Render(GlyphCache& glyphs) {
    if (buffer_.Width != Width || buffer_.Height != Height) buffer_ = Image(Width, Height);
    if (buffer_.Empty()) return;
    Canvas canvas(buffer_);
    DrawBody(canvas);
    DrawBorder(canvas);
    DrawRows(canvas, glyphs);
}

void ListEx::DrawBody(Canvas& canvas) const {
    const Rect body{0, 0, Width, Height};
    canvas.FillRect(body, BackColor);
    if (!Picture.Empty()) {
        if (Stertch) {
            canvas.StretchBlit(body, Picture, Rect{0, 0, Picture.Width, Picture.Height});
        } else if (Tile) {
            TilePicture(canvas, body, Picture);
        } else {
            canvas.Blit(0, 0, Picture);
        }
    }
    // One cell of the strip darkens the body in a repeating pattern.
    const int cell = BackStyle - 1;
    if (cell >= 0 && (cell + 1) * BackCell <= BackStrip.Width && BackStrip.Height >= BackCell) {
        const Rect source{cell * BackCell, 0, BackCell, BackCell};
        for (int y = 0; y < Height; y += BackCell) {
            for (int x = 0; x < Width; x += BackCell)
                canvas.Blit(x, y, BackStrip, source, RasterOp::And);
        }
    }
}

void ListEx::DrawBorder(Canvas& canvas) const {
    if (BorderStyle == 1) {
        for (int i = 0; i < BorderWidth && 2 * i < std::min(Width, Height); ++i) {
            canvas.FrameRect(Rect{i, i, Width - 2 * i, Height - 2 * i}, ForeColor);
        }
        return;
    }
    if (BorderStyle != 2) return;
    // The edges repeat between the corners; the corners go on top.
    const int right = Width - FrameMiddleRight.Width;
    const int bottom = Height - FrameBottomCenter.Height;
    TilePicture(canvas,
                Rect{FrameTopLeft.Width, 0, Width - FrameTopLeft.Width - FrameTopRight.Width,
                     FrameTopCenter.Height},
                FrameTopCenter);
    TilePicture(
        canvas,
        Rect{FrameBottomLeft.Width, bottom, Width - FrameBottomLeft.Width - FrameBottomRight.Width,
             FrameBottomCenter.Height},
        FrameBottomCenter);
    TilePicture(canvas,
                Rect{0, FrameTopLeft.Height, FrameMiddleLeft.Width,
                     Height - FrameTopLeft.Height - FrameBottomLeft.Height},
                FrameMiddleLeft);
    TilePicture(canvas,
                Rect{right, FrameTopRight.Height, FrameMiddleRight.Width,
                     Height - FrameTopRight.Height - FrameBottomRight.Height},
                FrameMiddleRight);
    canvas.Blit(0, 0, FrameTopLeft);
    canvas.Blit(Width - FrameTopRight.Width, 0, FrameTopRight);
    canvas.Blit(0, Height - FrameBottomLeft.Height, FrameBottomLeft);
    canvas.Blit(Width - FrameBottomRight.Width, Height - FrameBottomRight.Height, FrameBottomRight);
}

void ListEx::DrawHighlight(Canvas& canvas, Rect row) const {
    const int outline = std::max(0, ListBorderWidth);
    if (SelectStyle == 1) {
        Rect box{row.X, row.Y, std::max(0, Width - RoundShortOf - row.X), row.H};
        const int corner = 2 * RoundRadius;
        for (int i = 0; i < outline && box.W > 0 && box.H > 0; ++i) {
            canvas.RoundRect(box, corner, corner, SelectBorderColor, SelectBorderColor);
            box = Rect{box.X + 1, box.Y + 1, box.W - 2, box.H - 2};
        }
        if (box.W > 0 && box.H > 0) {
            canvas.RoundRect(box, corner, corner, SelectBackColor, SelectBackColor);
        }
        return;
    }
    if (SelectStyle == 2) {
        const Rect box{row.X, row.Y, std::max(0, row.W - ShadowOffset), row.H};
        canvas.FillRect(Rect{box.X + ShadowOffset, box.Y + ShadowOffset, box.W, box.H},
                        ShadowColor);
        const uint32_t from = SelectBackColor & 0xFFFFFF;
        const uint32_t to = GradationColor & 0xFFFFFF;
        const int start = box.X + box.W * std::clamp(GradationPoint, 0, 100) / 100;
        const int end = box.X + box.W;
        canvas.FillRect(Rect{box.X, box.Y, start - box.X, box.H}, from);
        for (int x = start; x < end; ++x) {
            const double t =
                end - start > 1 ? static_cast<double>(x - start) / (end - start - 1) : 1.0;
            canvas.FillRect(Rect{x, box.Y, 1, box.H}, Mix(from, to, t));
        }
        return;
    }
    canvas.FillRect(row, SelectBackColor);
    for (int i = 0; i < outline && 2 * i < std::min(row.W, row.H); ++i) {
        canvas.FrameRect(Rect{row.X + i, row.Y + i, row.W - 2 * i, row.H - 2 * i},
                         SelectBorderColor);
    }
}

void ListEx::DrawRows(Canvas& canvas, GlyphCache& glyphs) const {
    const Insets insets = BorderInsets();
    const Rect inner{insets.Left, insets.Top, Width - insets.Left - insets.Right,
                     Height - insets.Top - insets.Bottom};
    if (inner.W <= 0 || inner.H <= 0) return;
    canvas.SetClip(inner);
    const int textLeft = inner.X + insets.Margin;
    const int textRight = inner.X + inner.W - insets.Margin;
    const int lineSkip = glyphs.Metrics(Face, FontSize).LineSkip;
    const int rowHeight = static_cast<int>(std::lround(RowHeight()));
    // Extra row height is shared above and below the text.
    const int textDrop = std::max(0, rowHeight - lineSkip) / 2;

    if (!caption_.empty()) {
        const int top = static_cast<int>(std::lround(ListTop() - RowHeight()));
        canvas.DrawText(glyphs, textLeft, top + textDrop, caption_, ForeColor, Face, FontSize);
        // A faint rule sets the heading off from the rows.
        const int ruleY = static_cast<int>(std::lround(ListTop())) - 1;
        canvas.FillRect(Rect{textLeft, ruleY, textRight - textLeft, 1},
                        Mix(BackColor, ForeColor, 0.4));
    }

    const int first = FirstVisibleRow();
    const int last = first + RowsPerPage() - 1;
    // The highlight goes down first so the gradient's shadow lies under the next row's text.
    if (index_ >= first && index_ <= last) {
        Rect box = RowBounds(index_);
        // Keep a pixel of body between a drawn border line and the highlight.
        if (BorderStyle == 1) box = Rect{box.X + 1, box.Y, box.W - 2, box.H};
        DrawHighlight(canvas, box);
    }

    const FontFace selectFace = SelectionFace.value_or(Face);
    const int selectSize = SelectionFontSize > 0 ? SelectionFontSize : FontSize;
    for (int row = first; row <= last; ++row) {
        const Rect bounds = RowBounds(row);
        const bool current = row == index_;
        const FontFace face = current ? selectFace : Face;
        const int size = current ? selectSize : FontSize;
        const uint32_t colour = current ? SelectForeColor : ForeColor;
        const std::string& text = List(row);
        int x = textLeft;
        if (Alignment == 1 || Alignment == 2) {
            const int room = textRight - textLeft - glyphs.TextWidth(text, face, size);
            x += Alignment == 1 ? room : room / 2;
        }
        const int y = bounds.Y + textDrop;
        if (current && SelectStyle == 2)
            canvas.DrawText(glyphs, x + 1, y + 1, text, ShadowColor, face, size);
        canvas.DrawText(glyphs, x, y, text, colour, face, size);

        // A one-row view can need both marks on the same row.
        std::string mark;
        if (row == first && first > 0) mark += MoreAboveMark;
        if (row == last && last < ListCount() - 1) mark += MoreBelowMark;
        if (!mark.empty()) {
            const int markX = textRight - glyphs.TextWidth(mark, Face, FontSize);
            canvas.DrawText(glyphs, markX, y, mark, colour, Face, FontSize);
        }
    }
    canvas.ResetClip();
}

}  // namespace kv
