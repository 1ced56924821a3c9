// The transcript: strict JSON, one object a line, stable kinds and fields.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Transcript.h"

namespace kv {
namespace {

// A small JSON checker: enough to prove each line is one well-formed object
// (strings, numbers, true/false, arrays, objects) with valid escapes and
// valid UTF-8.
class JsonChecker {
  public:
    explicit JsonChecker(std::string_view text) : text_(text) {}
    bool WholeObject() {
        if (!Object()) return false;
        return pos_ == text_.size();
    }

  private:
    bool Value() {
        if (pos_ >= text_.size()) return false;
        char c = text_[pos_];
        if (c == '{') return Object();
        if (c == '[') return Array();
        if (c == '"') return String();
        if (Word("true") || Word("false")) return true;
        return Number();
    }
    bool Object() {
        if (!Eat('{')) return false;
        if (Eat('}')) return true;
        do {
            if (!String() || !Eat(':') || !Value()) return false;
        } while (Eat(','));
        return Eat('}');
    }
    bool Array() {
        if (!Eat('[')) return false;
        if (Eat(']')) return true;
        do {
            if (!Value()) return false;
        } while (Eat(','));
        return Eat(']');
    }
    bool String() {
        if (!Eat('"')) return false;
        while (pos_ < text_.size()) {
            auto c = static_cast<unsigned char>(text_[pos_]);
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (c < 0x20) return false;
            if (c == '\\') {
                if (++pos_ >= text_.size()) return false;
                char e = text_[pos_++];
                if (e == 'u') {
                    for (int i = 0; i < 4; ++i) {
                        if (pos_ >= text_.size() ||
                            !std::isxdigit(static_cast<unsigned char>(text_[pos_++])))
                            return false;
                    }
                } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
                    return false;
                }
                continue;
            }
            if (c < 0x80) {
                ++pos_;
                continue;
            }
            int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
            if (length == 0 || c > 0xF4 || pos_ + length > text_.size()) return false;
            for (int i = 1; i < length; ++i) {
                if ((static_cast<unsigned char>(text_[pos_ + i]) & 0xC0) != 0x80) return false;
            }
            pos_ += length;
        }
        return false;
    }
    bool Number() {
        size_t start = pos_;
        if (pos_ < text_.size() && text_[pos_] == '-') ++pos_;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        return pos_ > start && std::isdigit(static_cast<unsigned char>(text_[pos_ - 1]));
    }
    bool Word(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }
    bool Eat(char c) {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

TEST(JsonQuote, EscapesStrictly) {
    EXPECT_EQ(JsonQuote(""), "\"\"");
    EXPECT_EQ(JsonQuote("say \"hi\""), R"("say \"hi\"")");
    EXPECT_EQ(JsonQuote("C:\\dir\\"), R"("C:\\dir\\")");
    EXPECT_EQ(JsonQuote("a\nb\rc\td"), R"("a\nb\rc\td")");
    EXPECT_EQ(JsonQuote(std::string("\0\x01\x08\x0c\x1f", 5)),
              R"("\u0000\u0001\u0008\u000c\u001f")");
    EXPECT_EQ(JsonQuote("/ ' \x7f"), "\"/ ' \x7f\"");
}

TEST(JsonQuote, Utf8PassesThroughAndBrokenBytesBecomeReplacements) {
    const std::string japanese = "\xE5\x86\x92\xE9\x99\xBA\xE8\x80\x85\xEF\xBD\x9E\xF0\x9F\x97\xA1";
    EXPECT_EQ(JsonQuote(japanese), "\"" + japanese + "\"");
    const std::string bad = "\xEF\xBF\xBD";
    // A lone continuation byte, a truncated sequence, a CP932 pair.
    EXPECT_EQ(JsonQuote("a\x80z"), "\"a" + bad + "z\"");
    EXPECT_EQ(JsonQuote("\xE5\x86"), "\"" + bad + bad + "\"");
    EXPECT_EQ(JsonQuote("\x96\xBC"), "\"" + bad + bad + "\"");
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    EXPECT_EQ(JsonQuote("\xC0\xA2"), "\"" + bad + bad + "\"");
    EXPECT_EQ(JsonQuote("\xE0\x80\xA2"), "\"" + bad + bad + bad + "\"");
    EXPECT_EQ(JsonQuote("\xED\xA0\x80"), "\"" + bad + bad + bad + "\"");
    EXPECT_EQ(JsonQuote("\xF4\x90\x80\x80"), "\"" + bad + bad + bad + bad + "\"");
    EXPECT_EQ(JsonQuote("\xFF\""), "\"" + bad + "\\\"\"");
}

TEST(JsonQuote, EveryByteStringGivesAValidJsonString) {
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    all += all.substr(0x80) + "\xE3\x81" + "\xF0\x9F";
    JsonLine line;
    line.Add("s", all);
    EXPECT_TRUE(JsonChecker(line.Str()).WholeObject()) << line.Str();
}

TEST(JsonLine, KeepsInsertionOrderAndValueTypes) {
    JsonLine line;
    line.Add("t", "x").Add("n", -12).Add("big", 1LL << 40).Add("yes", true).Add("no", false);
    line.Add("list", std::vector<std::string>{"a", "\""}).Add("empty", std::vector<std::string>{});
    line.Add("grid", std::vector<std::vector<std::string>>{{"1", "2"}, {}, {"3"}});
    EXPECT_EQ(line.Str(), R"({"t":"x","n":-12,"big":1099511627776,"yes":true,"no":false,)"
                          R"("list":["a","\""],"empty":[],"grid":[["1","2"],[],["3"]]})");
    EXPECT_EQ(JsonLine().Str(), "{}");
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

    std::filesystem::path path_;
};

TEST_F(TranscriptFile, EachKindWritesItsExactLine) {
    Transcript transcript;
    ASSERT_TRUE(transcript.Open(path_.string()));
    EXPECT_TRUE(transcript.IsOpen());
    transcript.Dialog(2, "\xE5\xAE\x9D\xE7\xAE\xB1\xE3\x81\x8C\n\"\xE3\x81\x82\"");
    transcript.Menu(8, "\xE5\xBA\x97", {"buy", "sell"}, 1);
    transcript.List("lstItem", "Items", {}, -1);
    transcript.Party({{"1", "Aki", "12/12"}, {"2", "Ren", "0/9"}});
    transcript.Music(3, "TOWN.MID");
    transcript.Caption("Korvane - B1");
    transcript.Save("KVR1.DAT", true);
    transcript.Save("KVR1.DAT", false);
    transcript.Write(JsonLine().Add("t", "battle").Add("text", "hit"));

    // Each line reaches the file at once, before any close.
    std::vector<std::string> lines = Lines();
    const std::vector<std::string> expected = {
        "{\"t\":\"dialog\",\"kind\":2,\"text\":\"\xE5\xAE\x9D\xE7\xAE\xB1\xE3\x81\x8C\\n\\\""
        "\xE3\x81\x82\\\"\"}",
        "{\"t\":\"menu\",\"state\":8,\"caption\":\"\xE5\xBA\x97\",\"rows\":[\"buy\",\"sell\"],"
        "\"index\":1}",
        R"({"t":"list","name":"lstItem","caption":"Items","rows":[],"index":-1})",
        R"({"t":"party","rows":[["1","Aki","12/12"],["2","Ren","0/9"]]})",
        R"({"t":"music","scene":3,"file":"TOWN.MID"})",
        R"({"t":"caption","text":"Korvane - B1"})",
        R"({"t":"save","file":"KVR1.DAT","ok":true})",
        R"({"t":"save","file":"KVR1.DAT","ok":false})",
        R"({"t":"battle","text":"hit"})",
    };
    EXPECT_EQ(lines, expected);
    for (const std::string& line : lines) EXPECT_TRUE(JsonChecker(line).WholeObject()) << line;
}

TEST_F(TranscriptFile, BrokenTextStillGivesValidLines) {
    Transcript transcript;
    ASSERT_TRUE(transcript.Open(path_.string()));
    transcript.Dialog(1, std::string("\x82\xA0\0\x1b[0m\xFF", 8));
    transcript.Menu(0, "\xE3", {"\xC3", "\t"}, 0);
    transcript.Party({{"\x80\x80"}});
    transcript.Close();
    std::vector<std::string> lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    for (const std::string& line : lines) EXPECT_TRUE(JsonChecker(line).WholeObject()) << line;
    EXPECT_EQ(lines[0],
              "{\"t\":\"dialog\",\"kind\":1,\"text\":\"\xEF\xBF\xBD\xEF\xBF\xBD\\u0000\\u001b[0m"
              "\xEF\xBF\xBD\"}");
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
    EXPECT_EQ(Lines(), std::vector<std::string>{R"({"t":"caption","text":"kept"})"});
}

TEST_F(TranscriptFile, ReopeningStartsAfreshAndBadPathsFail) {
    Transcript transcript;
    ASSERT_TRUE(transcript.Open(path_.string()));
    transcript.Caption("one");
    ASSERT_TRUE(transcript.Open(path_.string()));
    transcript.Caption("two");
    EXPECT_EQ(Lines(), std::vector<std::string>{R"({"t":"caption","text":"two"})"});
    EXPECT_FALSE(transcript.Open((path_.parent_path() / "kv_no_such_dir" / "t.jsonl").string()));
    EXPECT_FALSE(transcript.IsOpen());
    transcript.Caption("nowhere");
}

}  // namespace
}  // namespace kv
