#include "town/RosterPreviewView.h"

#include <array>
#include <charconv>

#include "core/Names.h"
#include "core/TextFormat.h"
#include "ui/CharacterItems.h"
#include "ui/PictureBox.h"

namespace kv {

namespace {

constexpr int FontPx = 10;  // the race name fits before the sex at x 240
constexpr uint32_t TextColour = Rgb(236, 232, 220);
constexpr int ItemsLeft = 280;
constexpr int ItemsSecondLeft = 450;
constexpr int ItemPitch = 13;
constexpr int ItemsPerColumn = 7;
constexpr int StatsLeft = 160;
constexpr int RowPitch = 15;
// Kinds counted by the piece (shown with " × " and the count).
constexpr int KindCounted1 = 8;
constexpr int KindCounted2 = 10;
constexpr int KindMask = 255;  // 256 marks an item that cannot be dropped

std::string Whole(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 0);
    return std::string(buffer.data(), result.ptr);
}

std::string HexDigit(int n) {
    constexpr std::string_view Digits = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), Digits[static_cast<size_t>(n % 16)]);
        n /= 16;
    } while (n > 0);
    return text;
}

}  // namespace

std::vector<PreviewText> RosterPreviewTexts(const Game& game, int slot) {
    std::vector<PreviewText> texts;
    if (slot < 1 || slot >= static_cast<int>(game.Roster.size())) return texts;
    const Creature& c = game.Roster[static_cast<size_t>(slot)];
    constexpr std::string_view Wide18 = "@@@@@@@@@@@@@@@@@@";
    texts.push_back({5, 5, "LV   " + FormatMask(std::to_string(c.Level), "@@@@@@")});
    texts.push_back({120, 5, ClassLabel(c.Alignment, c.Class, game.Classes)});
    texts.push_back({200, 5, RaceName(c.Race, game.Races)});
    texts.push_back({240, 5, c.Sex == 1 ? "男" : "女"});
    texts.push_back({5, 20, "EXP  " + FormatMask(Whole(c.Exp), Wide18)});
    texts.push_back({5, 35, "Gold " + FormatMask(Whole(c.Gold), Wide18)});
    texts.push_back({5, 50, "Walk " + FormatMask(Whole(c.Walk), Wide18)});
    texts.push_back({5, 65, "Marks" + FormatMask(Whole(c.Marks), Wide18)});
    const std::array<std::pair<std::string_view, int>, 8> stats = {{
        {"力　　　　", c.Str},
        {"知恵　　　", c.IQ},
        {"信仰心　　", c.Piety},
        {"生命力　　", c.Vitality},
        {"器用さ　　", c.Dexterity},
        {"素早さ　　", c.Agility},
        {"運　　　　", c.Luck},
        {"魅力　　　", c.Charm},
    }};
    for (size_t k = 0; k < stats.size(); ++k) {
        texts.push_back(
            {StatsLeft, 20 + RowPitch * static_cast<int>(k),
             std::string(stats[k].first) + FormatMask(std::to_string(stats[k].second), "@@@")});
    }
    int n = 0;
    for (int item = FirstItemSlot; item <= LastItemSlot; ++item) {
        const InventorySlot& held = c.Items[static_cast<size_t>(item)];
        if (held.ItemId == 0) continue;
        ++n;
        std::string text = FormatMask(HexDigit(n), "@ ") + ":" + std::string(ItemRowMarker(held)) +
                           ItemRowName(game, held);
        if (held.ItemId > 0 && held.ItemId < static_cast<int32_t>(game.Items.size())) {
            const int kind = game.Items[static_cast<size_t>(held.ItemId)].Kind & KindMask;
            if (kind == KindCounted1 || kind == KindCounted2) {
                text += " × " + std::to_string(held.ItemCount);
            }
        }
        const bool first = n <= ItemsPerColumn;
        texts.push_back({first ? ItemsLeft : ItemsSecondLeft,
                         ItemPitch * (first ? n - 1 : n - 1 - ItemsPerColumn), text});
    }
    return texts;
}

void DrawRosterPreview(PictureBox& box, GlyphCache& glyphs, const Game& game, int slot) {
    box.ClearPicture();
    Canvas canvas(box.Surface());
    canvas.Fill(box.BackColor);
    for (const PreviewText& text : RosterPreviewTexts(game, slot)) {
        canvas.DrawText(glyphs, text.X, text.Y, text.Text, TextColour, FontFace::Gothic, FontPx);
    }
    box.Refresh();
}

}  // namespace kv
