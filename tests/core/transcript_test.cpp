// The transcript: one JSON object a line, stable kinds and fields, readable
// UTF-8, and valid JSON whatever bytes a text held.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "core/Transcript.h"

namespace kv {
namespace {

using nlohmann::json;

const std::string Replacement = "\xEF\xBF\xBD";  // U+FFFD

json Parse(const std::string& line) {
    return json::parse(line, nullptr, /*allow_exceptions=*/false);
}

struct TextCase {
    std::string Given;
    std::string Read;  // what a JSON reader gets back
};

TEST(JsonLine, AnyTextReadsBackAsValidUtf8) {
    const std::string japanese = "\xE5\x86\x92\xE9\x99\xBA\xE8\x80\x85\xEF\xBD\x9E\xF0\x9F\x97\xA1";
    std::string everyByte;
    for (int i = 0; i < 256; ++i) everyByte += static_cast<char>(i);
    const std::vector<TextCase> cases = {
        {"", ""},
        {"say \"hi\" C:\\dir\\ /", "say \"hi\" C:\\dir\\ /"},
        {"a\nb\rc\td", "a\nb\rc\td"},
        {std::string("\0\x01\x08\x0c\x1f\x7f", 6), std::string("\0\x01\x08\x0c\x1f\x7f", 6)},
        {japanese, japanese},
        // A lone continuation byte, a CP932 pair, a cut-off sequence at the end.
        {"a\x80z", "a" + Replacement + "z"},
        {"\x96\xBC", Replacement + Replacement},
        {"ok\xE5\x86", "ok" + Replacement},
        // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
        {"\xC0\xA2.", Replacement + Replacement + "."},
        {"\xED\xA0\x80.", Replacement + Replacement + Replacement + "."},
        {"\xFF\"", Replacement + "\""},
    };
    for (const TextCase& c : cases) {
        const std::string line = JsonLine().Add("s", c.Given).Str();
        const json read = Parse(line);
        ASSERT_FALSE(read.is_discarded()) << line;
        EXPECT_EQ(read["s"].get<std::string>(), c.Read) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    }
    // Every byte value at once, and the file keeps Japanese as it is.
    EXPECT_FALSE(
        Parse(JsonLine().Add("s", everyByte + everyByte.substr(0x80)).Str()).is_discarded());
    EXPECT_NE(JsonLine().Add("s", japanese).Str().find(japanese), std::string::npos);
}

TEST(JsonLine, KeepsInsertionOrderAndValueTypes) {
    JsonLine line;
    line.Add("t", "x").Add("n", -12).Add("big", 1LL << 40).Add("yes", true).Add("no", false);
    line.Add("list", std::vector<std::string>{"a", "\""}).Add("empty", std::vector<std::string>{});
    line.Add("grid", std::vector<std::vector<std::string>>{{"1", "2"}, {}, {"3"}});
    line.Object()["place"] = {{"floor", 1}, {"x", 3}};
    EXPECT_EQ(line.Str(), R"({"t":"x","n":-12,"big":1099511627776,"yes":true,"no":false,)"
                          R"("list":["a","\""],"empty":[],"grid":[["1","2"],[],["3"]],)"
                          R"("place":{"floor":1,"x":3}})");
    EXPECT_EQ(JsonLine().Str(), "{}");
    JsonLine moved = std::move(line);
    EXPECT_EQ(line.Str(), "{}");  // NOLINT(bugprone-use-after-move): left empty, still usable
    EXPECT_EQ(line.Add("t", "again").Str(), R"({"t":"again"})");
    EXPECT_TRUE(moved.Str().starts_with(R"({"t":"x","n":-12,)"));
}

class TranscriptFile : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("kv_transcript_" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                 ".jsonl");
    }
    void TearDown() override { std::filesystem::remove(path_); }

    std::vector<std::string> Lines() const {
        std::ifstream in(path_, std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    std::vector<json> Objects() const {
        std::vector<json> objects;
        for (const std::string& line : Lines()) objects.push_back(Parse(line));
        return objects;
    }

    std::filesystem::path path_;
};

TEST_F(TranscriptFile, EachKindWritesItsFieldsInOrder) {
    Transcript transcript;
    ASSERT_TRUE(transcript.Open(path_.string()));
    EXPECT_TRUE(transcript.IsOpen());
    const std::string treasure = "\xE5\xAE\x9D\xE7\xAE\xB1\xE3\x81\x8C\n\"\xE3\x81\x82\"";
    transcript.Dialog(2, treasure);
    transcript.Menu(8, "\xE5\xBA\x97", {"buy", "sell"}, 1);
    transcript.List("lstItem", "Items", {}, -1);
    transcript.Party({{"1", "Aki", "12/12"}, {"2", "Ren", "0/9"}});
    transcript.Music(3, "TOWN.MID");
    transcript.Caption("Korvane - B1");
    transcript.Save("KVR1.DAT", true);
    transcript.Save("KVR1.DAT", false);
    transcript.Write(JsonLine().Add("t", "battle").Add("text", "hit"));

    // Each line reaches the file at once, before any close.
    const std::vector<json> expected = {
        {{"t", "dialog"}, {"kind", 2}, {"text", treasure}},
        {{"t", "menu"},
         {"state", 8},
         {"caption", "\xE5\xBA\x97"},
         {"rows", {"buy", "sell"}},
         {"index", 1}},
        {{"t", "list"},
         {"name", "lstItem"},
         {"caption", "Items"},
         {"rows", json::array()},
         {"index", -1}},
        {{"t", "party"}, {"rows", {{"1", "Aki", "12/12"}, {"2", "Ren", "0/9"}}}},
        {{"t", "music"}, {"scene", 3}, {"file", "TOWN.MID"}},
        {{"t", "caption"}, {"text", "Korvane - B1"}},
        {{"t", "save"}, {"file", "KVR1.DAT"}, {"ok", true}},
        {{"t", "save"}, {"file", "KVR1.DAT"}, {"ok", false}},
        {{"t", "battle"}, {"text", "hit"}},
    };
    const std::vector<json> objects = Objects();
    EXPECT_EQ(objects, expected);
    // "t" leads every line, and the fields follow in the documented order.
    const std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), expected.size());
    for (const std::string& line : lines) EXPECT_TRUE(line.starts_with(R"({"t":")")) << line;
    EXPECT_EQ(lines[1],
              "{\"t\":\"menu\",\"state\":8,\"caption\":\"\xE5\xBA\x97\","
              "\"rows\":[\"buy\",\"sell\"],\"index\":1}");
}

TEST_F(TranscriptFile, BrokenTextStillGivesValidLines) {
    Transcript transcript;
    ASSERT_TRUE(transcript.Open(path_.string()));
    transcript.Dialog(1, std::string("\x82\xA0\0\x1b[0m\xFF", 8));
    transcript.Menu(0, "\xE3", {"\xC3", "\t"}, 0);
    transcript.Party({{"\x80\x80"}});
    transcript.Close();
    const std::vector<json> objects = Objects();
    ASSERT_EQ(objects.size(), 3u);
    for (const json& object : objects) EXPECT_FALSE(object.is_discarded());
    EXPECT_EQ(objects[0]["text"],
              Replacement + Replacement + std::string("\0\x1b[0m", 5) + Replacement);
    EXPECT_EQ(objects[1]["rows"], json({Replacement, "\t"}));
    EXPECT_EQ(objects[2]["rows"], json({{Replacement + Replacement}}));
}

TEST_F(TranscriptFile, NotOpenDoesNothing) {
    Transcript transcript;
    EXPECT_FALSE(transcript.IsOpen());
    transcript.Dialog(1, "lost");
    transcript.Caption("lost");
    transcript.Write(JsonLine().Add("t", "x"));
    EXPECT_FALSE(std::filesystem::exists(path_));

    ASSERT_TRUE(transcript.Open(path_.string()));
    transcript.Caption("kept");
    transcript.Close();
    EXPECT_FALSE(transcript.IsOpen());
    transcript.Caption("after close");
    EXPECT_EQ(Objects(), std::vector<json>{json({{"t", "caption"}, {"text", "kept"}})});
}

TEST_F(TranscriptFile, ReopeningStartsAfreshAndBadPathsFail) {
    Transcript transcript;
    ASSERT_TRUE(transcript.Open(path_.string()));
    transcript.Caption("one");
    ASSERT_TRUE(transcript.Open(path_.string()));
    transcript.Caption("two");
    EXPECT_EQ(Objects(), std::vector<json>{json({{"t", "caption"}, {"text", "two"}})});
    EXPECT_FALSE(transcript.Open((path_.parent_path() / "kv_no_such_dir" / "t.jsonl").string()));
    EXPECT_FALSE(transcript.IsOpen());
    transcript.Caption("nowhere");
}

}  // namespace
}  // namespace kv
