#include "town/Temple.h"

#include "character/Roster.h"
#include "core/Dice.h"
#include "core/Names.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int32_t Dead = 16384;
constexpr int32_t Ashes = 32768;
constexpr int32_t Lost = 65536;
constexpr int32_t KeptThroughRevival = 524288;

int32_t CurableMask() {
    int32_t mask = 0;
    for (const TempleRate& rate : TempleRates) mask |= rate.Condition;
    return mask;
}

// A failed roll of the patient's vitality: one in Vitality.
bool RevivalFails(Game& game, const Creature& patient) {
    return Dice(game.Rng, 1, patient.Vitality, 0) <= 1;
}

}  // namespace

int32_t TempleFee(const Creature& patient) {
    for (const TempleRate& rate : TempleRates) {
        if (patient.Status & rate.Condition) return patient.Level * rate.Rate;
    }
    return 0;
}

std::vector<TemplePatient> TemplePatients(const Game& game) {
    std::vector<TemplePatient> patients;
    const int32_t curable = CurableMask();
    for (int slot = 1; slot < RosterRows; ++slot) {
        const Creature& c = game.Roster[static_cast<size_t>(slot)];
        // The lost are beyond help: they would otherwise be revived for nothing.
        if (c.Id < 1 || c.Floor != 0 || (c.Status & curable) == 0 || (c.Status & Lost)) continue;
        const int32_t fee = TempleFee(c);
        const std::string text =
            FormatMask(c.Name, "!@@@@@@@@@@ ") +
            FormatMask(ClassLabel(c.Alignment, c.Class, game.Classes), "@@@@@ ") +
            FormatMask(StatusName(c.Status), "@@ ") + FormatMask(std::to_string(fee), "@@@@@@@@@@");
        patients.push_back({Wide(text), slot, fee});
    }
    return patients;
}

TreatResult Treat(Game& game, Player& player, int patient, int payer, int32_t fee) {
    if (patient < 1 || patient >= RosterRows || payer < 1 || payer >= RosterRows)
        return TreatResult::NoOne;
    Creature& who = game.Roster[static_cast<size_t>(patient)];
    Creature& pays = game.Roster[static_cast<size_t>(payer)];
    if (pays.Gold < fee) {
        player.Message("貧乏人め！！");
        return TreatResult::CannotPay;
    }
    pays.Gold -= fee;
    if (who.Status & Ashes) {
        if (RevivalFails(game, who)) {
            player.Message(who.Name + "は\n" + std::string(ResString(Str::Vanished)));
            EraseCharacter(game, patient);
            return TreatResult::Treated;
        }
    } else if ((who.Status & Dead) == 0) {
        for (int32_t bit : TempleCures) {
            if (who.Status & bit) {
                player.Message(ResString(Str::Recovered));
                who.Status &= ~bit;
                break;
            }
        }
        return TreatResult::Treated;
    } else if (RevivalFails(game, who)) {
        player.Message(who.Name + std::string(ResString(Str::TurnedToAshes)));
        who.Status = Ashes;
        return TreatResult::Treated;
    }
    player.Message(ResString(Str::Recovered));
    who.Status &= KeptThroughRevival;
    who.HP = who.MaxHP;
    who.Revivals += 1;
    return TreatResult::Treated;
}

}  // namespace kv
