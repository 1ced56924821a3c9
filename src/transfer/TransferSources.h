#pragma once
// The save files of the eight earlier scenarios a character can be brought
// over from, and how to read their rosters. Each file holds some tables, the
// roster (51 records, slot 0 never used), and more tables after it; only the
// roster is read. The earlier games stored five different record types (A
// to E) and the latest one this game's own creature record (F).
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

enum class RecordType { A, B, C, D, E, F };

// A bit of the old record's flags byte that marks a finished scenario, and
// the insignia (1..10) it becomes.
struct CompletionMark {
    uint8_t FlagBit = 0;  // 0 = no mark
    uint8_t Insignia = 0;
};

struct TransferSource {
    std::string_view MenuText;
    std::string_view FileName;
    size_t RosterOffset;  // bytes of the tables before the roster
    RecordType Type;
    bool MutantBecomesHuman;  // these scenarios used race bit 512 for humans
    std::array<CompletionMark, 4> Marks;
    uint8_t FirstInsigniaBecomes;  // a badge-1 holder gets this insignia; 0 = none
};

inline constexpr int TransferSourceCount = 8;
inline constexpr int OldRosterRows = 51;

// In the order the scenario menu lists them (menu row n = element n - 1).
extern const std::array<TransferSource, TransferSourceCount> TransferSources;

// One roster record of an earlier scenario, as stored: values are kept at
// the width they had, so values this game cannot hold can be told apart.
struct OldCharacter {
    std::string Name;
    int32_t Race = 0;
    int32_t Class = 0;
    int32_t Sex = 0;
    int32_t Alignment = 0;
    double Exp = 0;
    double Marks = 0;
    // Str, IQ, Piety, Vitality, Dexterity, Luck.
    std::array<int32_t, 6> Stats{};
    uint8_t Flags = 0;
    double Walk = 0;  // types D, E and F
    // This game's own record carries the rest as well.
    bool HasAgilityAndCharm = false;
    int32_t Agility = 0;
    int32_t Charm = 0;
    double Escapes = 0;
    double Victories = 0;
    double StepCycles = 0;
    bool FirstInsignia = false;  // insignia 1 was earned
};

// The 51 roster records of a source file's bytes. Bytes that run out leave
// the remaining records blank (empty names); nothing is ever read past the
// end of the bytes.
std::vector<OldCharacter> ReadOldRoster(std::string_view fileBytes, const TransferSource& source);

// The records that can be offered: 1, 2, ... up to the first with an empty
// name (at most 50). Record numbers are the element index + 1.
std::vector<std::string> TransferCandidates(const std::vector<OldCharacter>& roster);

// Where a source's file is: the save folder first, then the scenario
// folder, the name matched exactly or else ignoring the letter case. An
// empty path when neither has it.
std::filesystem::path FindSourceFile(const TransferSource& source,
                                     const std::filesystem::path& saveFolder,
                                     const std::filesystem::path& dataFolder);

// The part of the file that can hold the roster (the rest is never needed);
// "" for a file that is missing or cannot be read.
std::string ReadSourceBytes(const std::filesystem::path& path, const TransferSource& source);

}  // namespace kv
