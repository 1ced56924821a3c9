// Start-up reads only what the first screen shows: the title's picture; the
// town's comes with the castle, the maze's walls and doors with its first view.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "flow/FlowHarness.h"

namespace kv::test {
namespace {

// Notes the name of each picture the game reads, then reads it.
class ReadLog : public ImageCodec {
  public:
    ReadLog(std::unique_ptr<ImageCodec> inner, std::vector<std::string>& names)
        : inner_(std::move(inner)), names_(names) {}
    std::optional<Image> Load(const std::string& path) override {
        names_.push_back(fs::path(path).filename().string());
        return inner_->Load(path);
    }
    bool SavePng(const Image& image, const std::string& path) override {
        return inner_->SavePng(image, path);
    }

  private:
    std::unique_ptr<ImageCodec> inner_;
    std::vector<std::string>& names_;
};

std::vector<std::string> PicturesRead(Flow& flow, const std::string& keys) {
    std::vector<std::string> names;
    flow.WrapImages = [&names](std::unique_ptr<ImageCodec> inner) {
        return std::make_unique<ReadLog>(std::move(inner), names);
    };
    EXPECT_TRUE(flow.Run(keys)) << flow.Error();
    return names;
}

TEST(LazyStartFlow, PicturesAreReadWhenFirstShown) {
    Flow flow;
    for (int slot : {1, 2}) {
        Creature& c = flow.Scenario().Roster[static_cast<size_t>(slot)];
        c.Id = slot;
        c.Name = slot == 1 ? "アリア" : "ベル";
        c.Alignment = 2;
        c.Level = 3;
        c.HP = c.MaxHP = 20;
        c.Skills[14] = 1;  // no monsters on the way in
    }

    EXPECT_EQ(PicturesRead(flow, ""), std::vector<std::string>{"title.jpg"});
    EXPECT_EQ(PicturesRead(flow, "Enter  Down Down Up"),
              (std::vector<std::string>{"title.jpg", "town.jpg"}));
    // Title, the tavern, two join, the edge of town, the first maze: the
    // view reads its pictures once, however many times it is drawn.
    const std::vector<std::string> maze = PicturesRead(
        flow,
        "Enter  G Enter  A Enter  Enter Enter Enter  C Enter  E Enter  D Enter  Enter  "
        "Right Right Left");
    ASSERT_FALSE(flow.Lines("where").empty());
    EXPECT_EQ(flow.Lines("where").back()["floor"], 1);
    ASSERT_GE(maze.size(), 3u);
    EXPECT_EQ(maze[2], "w0.jpg");
    EXPECT_EQ(std::count(maze.begin(), maze.end(), "w0.jpg"), 1);
    EXPECT_EQ(std::count(maze.begin(), maze.end(), "town.jpg"), 1);
}

}  // namespace
}  // namespace kv::test
