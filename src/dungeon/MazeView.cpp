#include "dungeon/MazeView.h"

#include <array>
#include <string>
#include <string_view>

#include "core/StringTable.h"
#include "dungeon/ViewLayout.h"

namespace kv {

namespace {

constexpr uint32_t Black = Rgb(0, 0, 0);
constexpr uint32_t White = Rgb(255, 255, 255);
constexpr int TextHeight = 16;
constexpr std::string_view DarknessText = "≪まっくらやみだ≫";
constexpr std::array<std::string_view, 2> HelpLines = {
    "Ｅ)再編成　Ｉ）調べる　Ｓ）仲間を探す Ｕ）アイテムを使う",
    "Ｆ）何かを探す　Ｗ）ウィンドウ　Ｑ）冒険の中断　",
};
constexpr std::array<std::string_view, 4> CompassLines = {"≪Ｎ≫", "≪Ｅ≫", "≪Ｓ≫", "≪Ｗ≫"};

// The party's spells the display names, in the order it names them.
struct EffectTag {
    int32_t Bits;
    std::string_view Text;
};
constexpr std::array<EffectTag, 3> EffectTags = {{
    {PartyEffectIdentify, "【識別】"},
    {PartyEffectLevitation, "【浮遊】"},
    {PartyEffectProtection | PartyEffectProtection2, "【保護】"},
}};

// One row of the line drawing: its view cells, their distance and the grey
// its faces are filled with in the polygon style.
struct LineRow {
    int First, Last;
    int Distance;
    int Grey;
    int DoorMargin;  // the door's inset inside a face, in drawing units
};
constexpr std::array<LineRow, 4> LineRows = {{
    {1, 5, 3, 17, 5},
    {6, 10, 2, 51, 10},
    {11, 13, 1, 85, 18},
    {14, 16, 0, 119, 30},
}};

constexpr int LunaPhaseSteps = 30;
constexpr int ArtemisPhaseSteps = 40;
constexpr int MoonTile = 32;

// The 220 x 220 drawing space stretched over the target.
struct Scale {
    int Width, Height;
    Point operator()(int x, int y) const {
        return {x * Width / LineViewSize, y * Height / LineViewSize};
    }
};

using Face = std::array<Point, 4>;

// A face shrunk towards its middle: the door drawn inside a wall.
Face Inset(const Face& face, int margin, const Scale& scale, bool side) {
    Face door = face;
    if (!side) {
        const Point a = scale(0, 0);
        const Point b = scale(margin, margin);
        const int mx = b.X - a.X;
        const int my = b.Y - a.Y;
        door[0] = {face[0].X + mx, face[0].Y + my};
        door[1] = {face[1].X - mx, face[1].Y + my};
        door[2] = {face[2].X - mx, face[2].Y - my};
        door[3] = {face[3].X + mx, face[3].Y - my};
        return door;
    }
    // A side wall runs from its near edge (points 0, 3) to its far edge
    // (1, 2): the door takes its middle part, a little shorter than the wall.
    auto along = [](Point p, Point q, int num, int den) {
        return Point{p.X + (q.X - p.X) * num / den, p.Y + (q.Y - p.Y) * num / den};
    };
    const Point nearTop = along(face[0], face[1], 1, 5);
    const Point farTop = along(face[0], face[1], 4, 5);
    const Point nearBottom = along(face[3], face[2], 1, 5);
    const Point farBottom = along(face[3], face[2], 4, 5);
    door[0] = along(nearTop, nearBottom, 1, 8);
    door[1] = along(farTop, farBottom, 1, 8);
    door[2] = along(farBottom, farTop, 1, 8);
    door[3] = along(nearBottom, nearTop, 1, 8);
    return door;
}

void Outline(Canvas& canvas, const Face& face, uint32_t colour) {
    for (size_t i = 0; i < face.size(); ++i) {
        const Point a = face[i];
        const Point b = face[(i + 1) % face.size()];
        canvas.Line(a.X, a.Y, b.X, b.Y, colour);
    }
    // Line leaves out its end point; close the last corner too.
    canvas.SetPixel(face[0].X, face[0].Y, colour);
}

void DrawFace(Canvas& canvas, const Face& face, bool dark, bool door, int grey, bool filled,
              int margin, const Scale& scale, bool side) {
    canvas.FillPolygon(face, dark || !filled ? Black : Rgb(grey, grey, grey));
    if (dark) return;
    Outline(canvas, face, White);
    if (!door) return;
    const Face inner = Inset(face, margin, scale, side);
    if (filled) {
        canvas.FillPolygon(inner, Black);
        Outline(canvas, inner, White);
    } else {
        Outline(canvas, inner, White);
    }
}

void DrawHud(Canvas& canvas, GlyphCache& glyphs, const Game& game, const MazeArt& art,
             bool partyWindowShown) {
    const int luna = game.LunaCount / LunaPhaseSteps;
    const int artemis = game.ArtemisCount / ArtemisPhaseSteps;
    auto tile = [](int phase) {
        return phase <= 8 ? Rect{MoonTile * phase, 0, MoonTile, MoonTile}
                          : Rect{MoonTile * (phase - 8), MoonTile, MoonTile, MoonTile};
    };
    if (!art.Luna.Empty()) canvas.Blit(2, 2, art.Luna, tile(luna));
    if (!art.Artemis.Empty()) canvas.Blit(canvas.Width() - 34, 2, art.Artemis, tile(artemis));
    if (!partyWindowShown) return;

    std::string effects;
    for (const EffectTag& tag : EffectTags) {
        if ((game.PartyEffects & tag.Bits) != 0) effects += tag.Text;
    }
    std::vector<std::string> lines{
        std::string(HelpLines[0]), std::string(HelpLines[1]), effects,
        std::string(ResString(Str::PlaceStoneAbyss, game.CurrentPlace - FirstMazePlace - 1))};
    if ((game.PartyEffects & PartyEffectCompass) != 0) {
        lines.emplace_back(CompassLines[static_cast<size_t>(game.PartyFacing & 3)]);
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        const int y = i == 0 ? 1 : static_cast<int>(i) * TextHeight;
        const int x = (canvas.Width() - glyphs.TextWidth(lines[i])) / 2;
        canvas.DrawText(glyphs, x, y, lines[i], White);
    }
}

}  // namespace

MazeArt LoadMazeArt(ImageCodec& images, const std::filesystem::path& folder) {
    MazeArt art;
    auto load = [&](const char* name, Image& into) {
        std::optional<Image> picture = images.Load((folder / name).string());
        if (!picture) return false;
        into = std::move(*picture);
        return true;
    };
    static constexpr std::array<const char*, ViewLayers> WallNames = {"w0.jpg", "w1.jpg", "w2.jpg",
                                                                      "w3.jpg", "w4.jpg"};
    static constexpr std::array<const char*, ViewLayers> DoorNames = {"d0.jpg", "d1.jpg", "d2.jpg",
                                                                      "d3.jpg", "d4.jpg"};
    bool loaded = true;
    for (size_t i = 0; i < ViewLayers && loaded; ++i)
        loaded = load(WallNames[i], art.Pictures.Walls[i]);
    for (size_t i = 0; i < ViewLayers && loaded; ++i)
        loaded = load(DoorNames[i], art.Pictures.Doors[i]);
    loaded = loaded && load("b1.jpg", art.Pictures.Ceiling) && load("b2.jpg", art.Pictures.Floor);
    art.PicturesMissing = !loaded;
    load("moon_luna.png", art.Luna);
    load("moon_artemis.png", art.Artemis);
    return art;
}

ViewStyle ChooseViewStyle(int viewMode, bool picturesMissing) {
    if (viewMode == 0) return ViewStyle::Lines;
    return picturesMissing ? ViewStyle::Polygons : ViewStyle::Pictures;
}

void DrawLineView(Canvas& canvas, const ViewCells& cells, bool filled) {
    canvas.Fill(Black);
    const Scale scale{canvas.Width(), canvas.Height()};
    for (const LineRow& row : LineRows) {
        auto faceOf = [&](int cell, int bit) -> Face {
            const int dx = ViewCellOffsets[static_cast<size_t>(cell)].Dx;
            const PlaneRect n = CellOnPlane(row.Distance, dx);
            const PlaneRect f = CellOnPlane(row.Distance + 1, dx);
            if (bit == EdgeNorth) {
                return {scale(f.Left, f.Top), scale(f.Right, f.Top), scale(f.Right, f.Bottom),
                        scale(f.Left, f.Bottom)};
            }
            if (bit == EdgeWest) {
                return {scale(n.Left, n.Top), scale(f.Left, f.Top), scale(f.Left, f.Bottom),
                        scale(n.Left, n.Bottom)};
            }
            return {scale(n.Right, n.Top), scale(f.Right, f.Top), scale(f.Right, f.Bottom),
                    scale(n.Right, n.Bottom)};
        };
        auto draw = [&](int cell, int bit) {
            const auto k = static_cast<size_t>(cell);
            const int walls = cells.ViewWalls[k];
            const int doors = cells.ViewDoors[k];
            if ((walls & bit) == 0 && (doors & bit) == 0) return;
            const bool dark = (cells.ViewFlags[k] & DarkCell) != 0;
            const bool door = (walls & bit) != 0 && (doors & bit) != 0;
            DrawFace(canvas, faceOf(cell, bit), dark, door, row.Grey, filled, row.DoorMargin, scale,
                     bit != EdgeNorth);
        };
        // Front walls of the whole row first, then the side walls, from the
        // outermost cells in: a wall two cells share shows the side that
        // faces the middle of the view.
        for (int cell = row.First; cell <= row.Last; ++cell) draw(cell, EdgeNorth);
        for (int side = 2; side >= 0; --side) {
            for (int cell = row.First; cell <= row.Last; ++cell) {
                const int dx = ViewCellOffsets[static_cast<size_t>(cell)].Dx;
                if (dx != -side && dx != side) continue;
                draw(cell, EdgeWest);
                draw(cell, EdgeEast);
            }
        }
    }
}

void DrawMazeView(Image& target, GlyphCache& glyphs, const Game& game, const MazeArt& art,
                  ViewStyle style, bool partyWindowShown) {
    Canvas canvas(target);
    const ViewCells cells = SampleViewCells(game, game.Layers);
    if ((cells.ViewFlags[PartyViewCell] & DarkCell) != 0) {
        canvas.Fill(Black);
        const int x = (canvas.Width() - glyphs.TextWidth(DarknessText)) / 2;
        canvas.DrawText(glyphs, x, canvas.Height() / 2 - 2 * TextHeight, DarknessText, White);
    } else if (style == ViewStyle::Pictures) {
        const Image view = ComposeView(art.Pictures, cells);
        canvas.StretchBlit(Rect{0, 0, canvas.Width(), canvas.Height()}, view,
                           Rect{0, 0, ViewWidth, ViewHeight - 16});
    } else {
        DrawLineView(canvas, cells, style == ViewStyle::Polygons);
    }
    DrawHud(canvas, glyphs, game, art, partyWindowShown);
}

}  // namespace kv
