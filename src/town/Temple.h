#pragma once
// The temple: characters in town who are dead, in ashes, stoned, paralysed,
// diseased or turned into a fly or a carrot are cured for a fee a party
// member pays. Revival can fail: the dead may turn to ashes, ashes may be
// destroyed for good.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/Player.h"

namespace kv {

// The fee is the patient's level times the rate of the first condition of
// this table he has.
struct TempleRate {
    int32_t Condition;
    int32_t Rate;
};
inline constexpr std::array<TempleRate, 7> TempleRates = {{
    {2, 100},       // paralysis
    {8192, 500},    // stone
    {16384, 250},   // dead
    {32768, 1000},  // ashes
    {4096, 500},    // disease
    {1024, 1000},   // fly
    {2048, 700},    // carrot
}};

// The conditions rest cannot heal, cured in the order the temple tries them
// on the living.
inline constexpr std::array<int32_t, 5> TempleCures = {8192, 2, 4096, 2048, 1024};

int32_t TempleFee(const Creature& patient);

struct TemplePatient {
    std::string Text;  // name, class, condition and fee, full-width
    int Slot = 0;
    int32_t Fee = 0;
};
// Every character in town the temple can help, in roster order.
std::vector<TemplePatient> TemplePatients(const Game& game);

enum class TreatResult {
    NoOne,      // no such patient or payer: nothing happens
    CannotPay,  // the payer was told so; nothing changes
    Treated,    // paid and treated, whatever came of it
};

// The payer pays the fee and the patient is treated. The caller saves.
TreatResult Treat(Game& game, Player& player, int patient, int payer, int32_t fee);

}  // namespace kv
