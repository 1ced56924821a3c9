// The file chooser played by keys: the caller's pattern, moving between
// folders, typing a name, cancelling, and the folder kept from one use to
// the next.
#include <nlohmann/json.hpp>

#include "common/TestFiles.h"
#include "ui/FileOpenWindow.h"
#include "ui/FolderListing.h"
#include "ui/UiFixture.h"

namespace kv::test {
namespace {

namespace fs = std::filesystem;

TEST(FilePattern, MatchesAnyGlobOfTheListIgnoringLetterCase) {
    struct Case {
        std::string_view Name;
        std::string_view Pattern;
        bool Matches;
    };
    constexpr Case Cases[] = {
        {"castle.mid", "*.mid", true},
        {"CASTLE.MID", "*.mid", true},
        {"castle.midi", "*.mid", false},
        {"mid", "*.mid", false},
        {".mid", "*.mid", true},
        {"slime.JPG", "*.bmp;*.jpg;*.gif", true},
        {"slime.gif", "*.bmp; *.jpg; *.gif", true},
        {"slime.png", "*.bmp;*.jpg;*.gif", false},
        {"bgm01.mid", "bgm??.mid", true},
        {"bgm1.mid", "bgm??.mid", false},
        {"a.b.mid", "*.*.mid", true},
        {"anything", "", false},
    };
    for (const Case& c : Cases) {
        EXPECT_EQ(MatchesPattern(c.Name, c.Pattern), c.Matches) << c.Name << " ~ " << c.Pattern;
    }
}

class FileChooserTest : public UiTest {
  protected:
    void SetUp() override {
        for (const char* folder : {"sub", "zeta", ".hidden"}) fs::create_directory(root_ / folder);
        for (const char* file : {"a.mid", "B.MID", "pic.JPG", "x.txt", "sub/c.mid"}) {
            testing::WriteBytes(root_ / file, "x");
        }
    }

    // The file lists the chooser showed, one per folder it filled them for.
    std::vector<std::vector<std::string>> FileLists() const {
        std::vector<std::vector<std::string>> lists;
        for (const std::string& text : TranscriptLines()) {
            const nlohmann::json line = nlohmann::json::parse(text);
            if (line["t"] == "list" && line["name"] == "fll") lists.push_back(line["rows"]);
        }
        return lists;
    }

    testing::TempFolder folder_{"kv-chooser"};
    const fs::path root_ = fs::canonical(folder_.Path());
};

TEST_F(FileChooserTest, KeysChooseFilesAndMoveBetweenFolders) {
    ASSERT_NO_FATAL_FAILURE(Start(
        // 1: the second MIDI file.
        "Down Enter "
        // 2: pictures; to the folder list, into "sub", Backspace back up,
        // into "zeta" (the hidden folder is not listed), then cancel.
        "Shift+Tab Down Enter Backspace Down Down Enter Esc "
        // 3: opens in "zeta"; a folder typed as the name opens it, a file
        // typed is chosen.
        "Alt+N \"../sub\" Enter \"c.mid\" Enter"));
    FileOpenWindow chooser(Manager());

    EXPECT_EQ(ChooseMusicFile(chooser, root_), (root_ / "B.MID").string());
    EXPECT_EQ(ChoosePictureFile(chooser, root_), "");
    EXPECT_EQ(chooser.Folder(), root_ / "zeta");
    EXPECT_EQ(ChooseMusicFile(chooser, root_), (root_ / "sub" / "c.mid").string());

    using Rows = std::vector<std::string>;
    EXPECT_EQ(FileLists(), (std::vector<Rows>{{"a.mid", "B.MID"},  // 1
                                              {"pic.JPG"},
                                              {},  // sub
                                              {"pic.JPG"},
                                              {},  // zeta
                                              {},  // 3, in zeta
                                              {"c.mid"}}));
    // The folder list: the way down from the root, each folder a step
    // further in; "sub" is the last, as it has no folders inside.
    const fs::path way = root_.relative_path();
    const auto depth = static_cast<size_t>(std::distance(way.begin(), way.end()));
    EXPECT_EQ(chooser.drl.List(0), "/");
    EXPECT_EQ(chooser.drl.ListIndex(), chooser.drl.ListCount() - 1);
    EXPECT_EQ(chooser.drl.List(chooser.drl.ListIndex()),
              std::string(2 * (depth + 1), ' ') + "sub/");
}

TEST_F(FileChooserTest, AMissingFolderListsNothingAndOkWithoutANameWaits) {
    // Enter with no name leaves the window up for the name typed next.
    ASSERT_NO_FATAL_FAILURE(Start("Alt+N Enter \"new.mid\" Enter"));
    FileOpenWindow chooser(Manager());
    EXPECT_EQ(ChooseMusicFile(chooser, root_ / "gone"), (root_ / "gone" / "new.mid").string());
    EXPECT_EQ(FileLists(), (std::vector<std::vector<std::string>>{{}}));
    EXPECT_EQ(chooser.drl.List(chooser.drl.ListIndex()).find("gone/") != std::string::npos, true);
}

}  // namespace
}  // namespace kv::test
