// A file seen in place gives exactly the bytes a plain read gives, and the
// same words when it cannot be read.
#include "core/MappedFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "common/TestFiles.h"
#include "core/AtomicFile.h"

namespace kv {
namespace {

TEST(MappedFile, SeesWhatAPlainReadSees) {
    testing::TempFolder folder("kv-map");
    std::string big(300000, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 4096);
    testing::WriteBytes(folder / "big.dat", big);
    testing::WriteBytes(folder / "empty.dat", "");
    testing::WriteBytes(folder / "text.dat", std::string("a\0b", 3));
    std::filesystem::create_directory(folder / "sub");

    for (const char* name : {"big.dat", "empty.dat", "text.dat", "missing.dat", "sub"}) {
        std::string readError;
        std::string mapError;
        const std::optional<std::string> read = ReadFileBytes(folder / name, readError);
        std::optional<MappedFile> mapped = MappedFile::Open(folder / name, mapError);
        ASSERT_EQ(mapped.has_value(), read.has_value()) << name;
        EXPECT_EQ(mapError, readError) << name;
        if (!read) continue;
        EXPECT_EQ(mapped->Bytes(), *read) << name;
        // Pages let go of behind a reader still read back the same bytes.
        mapped->ReleaseBefore(read->size() - 1000);
        EXPECT_EQ(mapped->Bytes(), *read) << name;
        // A moved file keeps its bytes; the one it came from is left empty.
        MappedFile moved = std::move(*mapped);
        EXPECT_EQ(moved.Bytes(), *read) << name;
        EXPECT_TRUE(mapped->Bytes().empty()) << name;
    }
    EXPECT_EQ(testing::ReadBytes(folder / "big.dat"), big) << "mapping never writes back";
}

}  // namespace
}  // namespace kv
