// Reading the earlier scenarios' rosters: every record type from laid-out
// bytes, names coded and plain, and files that are short or garbage.
#include "transfer/TransferSources.h"

#include <gtest/gtest.h>

#include <random>

#include "transfer/OldSaveImage.h"
#include "transfer/TransferCharacter.h"

namespace kv {
namespace {

using namespace kv::testing;

std::vector<OldRecordValues> ThreeCharacters() {
    std::vector<OldRecordValues> records(3);
    records[0].Name = "アベル";
    records[1].Name = "Bianca";
    records[2].Name = "長い名前を持つ者ＡＢＣ";
    return records;
}

TEST(ReadOldRoster, CodedNamesFollowWhateverTheStringHolds) {
    for (const TransferSource& source : TransferSources) {
        if (source.Type == RecordType::A || source.Type == RecordType::B) continue;
        ByteImage file(source.RosterOffset);
        file.Append(OldRecordBytes(source.Type, OldRecordValues{}));
        OldRecordValues v;
        v.Name = "ミナ";
        file.Append(OldRecordBytes(source.Type, v, "前"));
        const std::vector<OldCharacter> roster = ReadOldRoster(file.Bytes(), source);
        EXPECT_EQ(roster[1].Name, "前ミナ") << source.FileName;
    }
}

TEST(ReadOldRoster, WholeRecordsInOrderAndNeverRecordZero) {
    for (const TransferSource& source : TransferSources) {
        const std::string file = OldSaveFile(source, ThreeCharacters());
        // Cuts around the ends of records 0, 1 and 2.
        const size_t recordStart = source.RosterOffset;
        struct Cut {
            size_t Keep;
            size_t Candidates;
        };
        OldRecordValues zero;
        zero.Name = "ゼロ";
        const size_t one = OldRecordBytes(source.Type, zero).size();
        const size_t first = OldRecordBytes(source.Type, ThreeCharacters()[0]).size();
        const size_t second = OldRecordBytes(source.Type, ThreeCharacters()[1]).size();
        const Cut cuts[] = {
            {0, 0},
            {recordStart / 2, 0},
            {recordStart + one + 5, 0},
            {recordStart + one + first - 1, 0},
            {recordStart + one + first, 1},
            {recordStart + one + first + second - 1, 1},
            {recordStart + one + first + second, 2},
            {file.size(), 3},
        };
        for (const Cut& cut : cuts) {
            const std::vector<OldCharacter> roster =
                ReadOldRoster(std::string_view(file).substr(0, cut.Keep), source);
            ASSERT_EQ(roster.size(), 51u);
            const std::vector<std::string> names = TransferCandidates(roster);
            const std::vector<std::string> all = {"アベル", "Bianca", "長い名前を持つ者ＡＢＣ"};
            EXPECT_EQ(names, std::vector<std::string>(all.begin(), all.begin() + cut.Candidates))
                << source.FileName << " cut at " << cut.Keep;
        }
    }
}

TEST(ReadOldRoster, GarbageNeverBreaksTheReaderOrTheRoster) {
    std::mt19937 rng(2024);
    Game game;
    for (const TransferSource& source : TransferSources) {
        for (size_t size : {1u, 300u, 5000u, 60000u, 200000u}) {
            std::string bytes(size, '\0');
            for (char& b : bytes) b = static_cast<char>(rng() & 0xFF);
            const std::vector<OldCharacter> roster = ReadOldRoster(bytes, source);
            ASSERT_EQ(roster.size(), 51u);
            const std::vector<std::string> names = TransferCandidates(roster);
            ASSERT_LE(names.size(), 50u);
            for (size_t i = 1; i <= names.size(); ++i) {
                if (TransferRefusal(game, source, roster[i])) continue;
                BuildTransferredCharacter(game, 1, source, roster[i]);
                const Creature& c = game.Roster[1];
                EXPECT_EQ(c.Level, 1);
                EXPECT_GE(c.Exp, 0);
                EXPECT_LE(c.Exp, TransferExpCap);
                EXPECT_GE(c.Marks, 0);
                EXPECT_TRUE(c.Sex == 1 || c.Sex == 2);
                EXPECT_GE(c.MaxHP, 1);
            }
        }
    }
    // Lengths that point past the end, in a record of every kind.
    for (const TransferSource& source : TransferSources) {
        ByteImage file(source.RosterOffset, 0xFF);
        file.Append(std::string(3000, '\xFF'));
        EXPECT_TRUE(TransferCandidates(ReadOldRoster(file.Bytes(), source)).empty())
            << source.FileName;
    }
}

}  // namespace
}  // namespace kv
