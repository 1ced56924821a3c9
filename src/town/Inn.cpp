#include "town/Inn.h"

#include <cmath>

#include "character/CharacterRules.h"
#include "character/Roster.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int32_t NoStayMask = 16384 | 32768 | 65536 | 4096;  // dead, ashes, lost, disease
constexpr int KennelDays = 1;
constexpr int DaysPerWeek = 7;
constexpr int DaysPerYear = 365;

// Full-width digits, signs and the point as their ASCII forms.
std::string Narrow(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        // U+FF01..U+FF5E are EF BC 81..EF BD 9E.
        if (c == 0xEF && i + 2 < text.size()) {
            const auto b1 = static_cast<unsigned char>(text[i + 1]);
            const auto b2 = static_cast<unsigned char>(text[i + 2]);
            if (b1 == 0xBC && b2 >= 0x81 && b2 <= 0xBF) {
                out += static_cast<char>(b2 - 0x81 + 0x21);
                i += 3;
                continue;
            }
        }
        out += static_cast<char>(c);
        ++i;
    }
    return out;
}

}  // namespace

std::string InnRoomRow(int room) {
    const InnRoom& r = InnRooms[static_cast<size_t>(room)];
    std::string row = std::to_string(room + 1) + ")" + std::string(r.Title) + std::string(r.Pad);
    if (r.PricePerWeek == 0) return row + "タダ！";
    return row + "１Ｗ／" + WideNumber(r.PricePerWeek) + std::string(r.Gap) + "ＨＰ＋" +
           WideNumber(r.HPPerWeek);
}

bool MayStay(Player& player, const Creature& guest) {
    if ((guest.Status & NoStayMask) == 0) return true;
    const DialogTitle innkeeper(player, ResString(Str::InnkeeperTitle));
    player.Message("その人は泊まれませんよ");
    return false;
}

double WeeksAsked(std::string_view text) {
    // A plain decimal number at the start (spaces before it allowed); no
    // exponent, hexadecimal or other forms, and anything after it ignored.
    const std::string narrow = Narrow(text);
    size_t at = narrow.find_first_not_of(' ');
    if (at == std::string::npos) return 0;
    bool negative = false;
    if (narrow[at] == '+' || narrow[at] == '-') negative = narrow[at++] == '-';
    double value = 0;
    double scale = 0;  // 0 before the point, then 0.1, 0.01, ...
    for (; at < narrow.size(); ++at) {
        const char c = narrow[at];
        if (c == '.' && scale == 0) {
            scale = 0.1;
        } else if (c >= '0' && c <= '9') {
            if (scale == 0) {
                value = value * 10 + (c - '0');
            } else {
                value += scale * (c - '0');
                scale /= 10;
            }
            if (value > MaxWeeks) return value;  // refused however long the text goes on
        } else {
            break;
        }
    }
    if (negative || value < 1) return 0;
    return std::nearbyint(value);
}

StayResult Stay(Game& game, Player& player, int slot, int room) {
    if (room < 0 || room >= static_cast<int>(InnRooms.size())) return StayResult::Left;
    if (slot < 1 || slot >= RosterRows) return StayResult::Left;
    Creature& guest = game.Roster[static_cast<size_t>(slot)];
    const InnRoom& r = InnRooms[static_cast<size_t>(room)];
    // The innkeeper speaks, except where the room is named.
    const DialogTitle innkeeper(player, ResString(Str::InnkeeperTitle));
    if (r.PricePerWeek == 0) {
        const DialogTitle inRoom(player, r.Title);
        player.Message(guest.Name + "は\n" + std::string(r.SleepMessage));
        guest.AgeDays = static_cast<int16_t>(guest.AgeDays + KennelDays);
    } else {
        std::string asked;
        {
            const DialogTitle inRoom(player, r.Title);
            asked = player.Input(ResString(Str::InnWeeksPrompt));
        }
        const double weeks = WeeksAsked(asked);
        if (weeks > MaxWeeks) {
            player.Message(r.TooLong);
            return StayResult::Left;
        }
        if (weeks < 1) return StayResult::Left;
        const double price = weeks * r.PricePerWeek;
        if (guest.Gold < price) {
            player.Message(ResString(Str::NotEnoughGold));
            return StayResult::Left;
        }
        {
            const DialogTitle inRoom(player, r.Title);
            player.Message(guest.Name + "は\n" + std::string(r.SleepMessage));
        }
        HealCreature(guest, static_cast<int32_t>(weeks) * r.HPPerWeek, true);
        guest.Gold -= price;
        // At most 3000 weeks: the day counter (16 bits) holds them all.
        guest.AgeDays =
            static_cast<int16_t>(guest.AgeDays + DaysPerWeek * static_cast<int32_t>(weeks));
    }

    if (Dice(game.Rng, 1, 3, 0) == 1 && guest.Age > OldAge && !HasSkill(guest, Skill::LongLife)) {
        player.Message("・・・・・・・・");
        player.Message("どうやら私はここまでのようだ・・・");
        player.Message(guest.Name + "は\n静かに息を引き取った");
        EraseCharacter(game, slot);
        return StayResult::Died;
    }

    if (guest.AgeDays > DaysPerYear) {
        if (!HasSkill(guest, Skill::NoAging)) {
            player.Message("ハッピーバースデー\r＼(^o^)／\r" + guest.Name +
                           "は\n誕生日を迎えました");
            guest.Age = static_cast<int16_t>(guest.Age + guest.AgeDays / DaysPerYear);
        }
        guest.AgeDays = static_cast<int16_t>(guest.AgeDays % DaysPerYear);
    }

    StayResult result = StayResult::LevelledUp;
    const double needed = ExpForLevel(guest.Level, guest.Class, guest.Race) - guest.Exp;
    if (needed >= 1) {
        player.Message("次のＬＶまであと" + WideNumber(static_cast<int64_t>(needed)) +
                       "ポイントです");
        result = StayResult::NextLevel;
    } else {
        LevelUp(game, player, slot);
    }
    if (guest.HP > guest.MaxHP) guest.HP = guest.MaxHP;
    // A night's sleep, even in the kennel, brings every spell point back,
    // those a new level gave included: without it a caster's points were
    // spent for good.
    guest.MP = guest.MaxMP;
    return result;
}

}  // namespace kv
