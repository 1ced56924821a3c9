#pragma once
// The framed panel the game's windows are built from: a container painted
// with a flat colour, what lies beneath it (plain or darkened by a dither
// mask) or a picture, with an optional line or picture frame and a caption
// with a rule under it. It has no behaviour of its own: clicks and keys go to
// the event procedures its holder sets (OnClick, OnMouseDown, OnKeyDown...).
//
// Properties are plain fields: setting one only stores it, and the panel
// shows it at the next repaint (the window manager repaints after every
// event; Refresh asks for one now).
#include <optional>
#include <string>
#include <utility>

#include "platform/Image.h"
#include "ui/Control.h"
#include "ui/PanelArt.h"

namespace kv {

class PanelEx : public Control {
  public:
    // Background kinds.
    static constexpr int BackFlat = 0;         // BackColor
    static constexpr int BackDarkenFirst = 1;  // 1..5: beneath, ANDed with pattern n
    static constexpr int BackDarkenLast = 5;
    static constexpr int BackSeeThrough = 6;  // beneath, unchanged
    static constexpr int BackPicture = 7;     // Picture
    // Border kinds.
    static constexpr int BorderNone = 0;
    static constexpr int BorderLine = 1;
    static constexpr int BorderPictures = 2;

    // A font choice; unset means the font of the panel itself (Face, FontSize).
    struct FontChoice {
        FontFace Face = FontFace::Gothic;
        int SizePx = 16;
    };

    PanelEx();
    explicit PanelEx(std::string name) : PanelEx() { Name = std::move(name); }

    int BackStyle = BackFlat;
    int BorderStyle = BorderNone;
    Image FrameTopLeft;
    Image FrameTopCenter;
    Image FrameTopRight;
    Image FrameMiddleLeft;
    Image FrameMiddleRight;
    Image FrameBottomLeft;
    Image FrameBottomCenter;
    Image FrameBottomRight;
    bool Tile = true;
    bool Stertch = false;  // the property's own spelling; wins over Tile
    Image Picture;

    std::string Caption;
    std::optional<FontChoice> CaptionFont;
    uint32_t CaptionColor = 0;
    // Kept with the panel for the windows that set them; never drawn.
    std::string Message;
    std::optional<FontChoice> MessageFont;
    uint32_t MessageColor = 0;
    int CaptionAlignment = 0;
    int MessageAlignment = 0;

    int Indent = 0;       // left inset of the content when no frame pictures are used
    int BorderWidth = 1;  // line width; also the caption's distance below the top
    uint32_t BorderColor = 0;

    // The content's coordinate system, as a window's: ScaleMode 0 is the
    // user scale (ScaleLeft..ScaleLeft+ScaleWidth across the panel), 1 the
    // fine unit (a fifteenth of a pixel), 2 points, 3 pixels, 4 characters,
    // 5 inches, 6 millimetres, 7 centimetres.
    int ScaleMode = 1;
    double ScaleLeft = 0;
    double ScaleTop = 0;
    double ScaleWidth = 234;
    double ScaleHeight = 2025;

    // Puts all eight frame pictures at once.
    void SetFrame(const FramePictures& frame);

    // The content area inside the frame bands (or from Indent), in the
    // panel's own pixels.
    Rect ContentArea() const;
    // The panel's drawing surface as last painted.
    const Image& Surface() const { return surface_; }

    void Refresh() { Invalidate(); }
    // A user scale with (x1, y1) at the top-left and (x2, y2) at the
    // bottom-right; Scale() with no corners goes back to mode 1.
    void Scale(double x1, double y1, double x2, double y2);
    void Scale();
    // Converts a width (height) between scale modes; mode 0 is the user
    // scale. An unknown mode converts as pixels.
    double ScaleX(double value, int fromMode, int toMode) const;
    double ScaleY(double value, int fromMode, int toMode) const;

    void Paint(PaintContext& context) override;

  private:
    struct Bands {
        int Top = 0;
        int Bottom = 0;
        int Left = 0;
        int Right = 0;
    };
    Bands FrameBands() const;
    void PaintBack(Canvas& surface, const Image& beneath, int x, int y);
    void PaintBorder(Canvas& surface);
    void PaintCaption(Canvas& surface, GlyphCache& glyphs);
    double UnitsPerPixel(int mode, bool horizontal) const;

    Image surface_;
};

}  // namespace kv
