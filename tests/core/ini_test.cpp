#include "core/IniFile.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

using Strings = std::vector<std::string>;

// --- Reading -------------------------------------------------------------

TEST(IniRead, FindsKeysBySectionWithValuesAsWritten) {
    IniFile ini = IniFile::Parse(
        "top=1\n"
        "[Options]\n"
        "  Speed = 3 \n"
        "Name=\n"
        "Path=C:\\a=b\n"
        "[Other]\n"
        "Speed=9\n");
    EXPECT_EQ(ini.Get("", "top"), "1");
    EXPECT_EQ(ini.Get("Options", "Speed"), " 3 ");  // blanks in values are the caller's business
    EXPECT_EQ(ini.Get("Options", "Name"), "");
    EXPECT_EQ(ini.Get("Options", "Path"), "C:\\a=b");
    EXPECT_EQ(ini.Get("Other", "Speed"), "9");
    EXPECT_EQ(ini.Get("Other", "top"), std::nullopt);
    EXPECT_EQ(ini.Get("Missing", "Speed"), std::nullopt);
    EXPECT_EQ(ini.GetOr("Options", "Nope", "dflt"), "dflt");
    EXPECT_EQ(ini.GetOr("Options", "Name", "dflt"), "");
    EXPECT_EQ(ini.Sections(), (Strings{"", "Options", "Other"}));
}

TEST(IniRead, NamesIgnoreAsciiCaseAndSurroundingBlanks) {
    IniFile ini = IniFile::Parse("[ Sound ]\r\n\tMidi Volume\t=80\r\n");
    EXPECT_EQ(ini.Get("sound", "MIDI VOLUME"), "80");
    EXPECT_EQ(ini.Get(" SOUND ", " midi volume "), "80");
    EXPECT_EQ(ini.Get("Sound", "MidiVolume"), std::nullopt);
}

TEST(IniRead, DoubleByteNamesCompareExactly) {
    // CP932 0x83 0x41 and 0x83 0x61 are different characters whose second
    // bytes happen to be 'A' and 'a'.
    IniFile ini = IniFile::Parse("[\x83\x41]\nk=upper\n[\x83\x61]\nk=lower\n");
    EXPECT_EQ(ini.Get("\x83\x41", "k"), "upper");
    EXPECT_EQ(ini.Get("\x83\x61", "k"), "lower");
    // UTF-8 names pass through untouched.
    IniFile utf8 = IniFile::Parse("[設定]\n名前=太郎\n");
    EXPECT_EQ(utf8.Get("設定", "名前"), "太郎");
}

TEST(IniRead, FirstOfDuplicateKeysWinsAcrossRepeatedSections) {
    IniFile ini = IniFile::Parse("[A]\nk=first\nK=second\nj=1\n[B]\n[a]\nk=third\nm=2\n");
    EXPECT_EQ(ini.Get("A", "k"), "first");
    EXPECT_EQ(ini.Get("A", "m"), "2");  // a repeated header continues the section
    EXPECT_EQ(ini.Keys("a"), (Strings{"k", "j", "m"}));
    EXPECT_EQ(ini.Keys("B"), Strings{});
}

TEST(IniRead, CommentsAndOddLinesAreNotKeys) {
    IniFile ini = IniFile::Parse(
        "; note=not a key\n"
        "   ;indented=comment\n"
        "just some words\n"
        "=no key\n"
        "[unclosed\n"
        "real=yes\n");
    EXPECT_EQ(ini.Keys(""), Strings{"real"});
    EXPECT_EQ(ini.Sections(), Strings{""});
}

// --- Byte-exact round trips ----------------------------------------------

class IniRoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(IniRoundTrip, UnchangedFileSerialisesToTheSameBytes) {
    EXPECT_EQ(IniFile::Parse(GetParam()).Serialize(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniRoundTrip,
    ::testing::Values(std::string(),
                      std::string("[Main]\r\nName=Hero\r\n\r\n; comment\r\n[Other]\r\nx = 1 \r\n"),
                      std::string("[Main]\nName=Hero\n"),
                      std::string("\xEF\xBB\xBF[Main]\r\nName=\xE5\x8B\x87\xE8\x80\x85\r\n"),
                      std::string("\xEF\xBB\xBF"), std::string("no final newline=1"),
                      std::string("[A]\r\nmixed=1\nendings=2\r\n\n\n"),
                      std::string("[\x96\xBC\x91\x4F]\r\n\x83\x5C=\x95\x5C\x8E\xA6\r\n"),  // CP932
                      std::string("lone\rCR=1\r\n  \t\n;;\n[  spaced  ]  trailing\nk==v=\n"),
                      std::string("[A]\r\nx=1\r"),  // a line break cut off after its CR
                      std::string("\x00\xFF\n=x\n[", 7)));

// --- Editing ---------------------------------------------------------------

TEST(IniEdit, SetReplacesInPlaceKeepingLayout) {
    IniFile ini = IniFile::Parse("[A]\r\n  one = 1\r\ntwo=2\r\n; c\r\n");
    ASSERT_TRUE(ini.Set("a", "ONE", "uno"));
    EXPECT_EQ(ini.Serialize(), "[A]\r\n  one =uno\r\ntwo=2\r\n; c\r\n");
}

TEST(IniEdit, NewKeysGoAfterTheLastKeyOfTheirSection) {
    IniFile ini = IniFile::Parse("[A]\nx=1\n\n[B]\ny=2\n");
    ASSERT_TRUE(ini.Set("A", "z", "3"));
    ASSERT_TRUE(ini.Set("B", "w", "4"));
    EXPECT_EQ(ini.Serialize(), "[A]\nx=1\nz=3\n\n[B]\ny=2\nw=4\n");
}

TEST(IniEdit, NewSectionsGoAtTheEndInTheFilesLineEndings) {
    IniFile lf = IniFile::Parse("[A]\nx=1");  // unterminated last line
    ASSERT_TRUE(lf.Set("B", "y", "2"));
    EXPECT_EQ(lf.Serialize(), "[A]\nx=1\n[B]\ny=2\n");

    // A file cut off after a carriage return: the CR is no part of the value,
    // before or after a section is added behind it.
    IniFile cut = IniFile::Parse("[A]\r\nx=1\r");
    EXPECT_EQ(cut.Get("A", "x"), "1");
    ASSERT_TRUE(cut.Set("B", "y", "2"));
    EXPECT_EQ(cut.Serialize(), "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
    EXPECT_EQ(IniFile::Parse(cut.Serialize()).Get("A", "x"), "1");

    IniFile fresh;
    ASSERT_TRUE(fresh.Set("Main", "k", "v"));
    ASSERT_TRUE(fresh.Set("Main", "l", "w"));
    EXPECT_EQ(fresh.Serialize(), "[Main]\r\nk=v\r\nl=w\r\n");

    IniFile empty = IniFile::Parse("[Empty]\r\n; nothing yet\r\n");
    ASSERT_TRUE(empty.Set("empty", "k", "v"));
    EXPECT_EQ(empty.Serialize(), "[Empty]\r\nk=v\r\n; nothing yet\r\n");
}

TEST(IniEdit, KeysWithoutSectionGoBeforeTheFirstHeader) {
    IniFile ini = IniFile::Parse("; header comment\n[A]\nx=1\n");
    ASSERT_TRUE(ini.Set("", "g", "1"));
    ASSERT_TRUE(ini.Set("", "h", "2"));
    EXPECT_EQ(ini.Serialize(), "; header comment\ng=1\nh=2\n[A]\nx=1\n");
}

TEST(IniEdit, BomIsKeptAfterEdits) {
    IniFile ini = IniFile::Parse("\xEF\xBB\xBF[A]\nx=1\n");
    EXPECT_TRUE(ini.HasBom());
    EXPECT_FALSE(ini.UsesCrlf());
    ini.Set("A", "x", "2");
    EXPECT_EQ(ini.Serialize(), "\xEF\xBB\xBF[A]\nx=2\n");
}

TEST(IniEdit, RemoveDropsEveryCopySoNoShadowedValueReappears) {
    IniFile ini = IniFile::Parse("[A]\nk=1\nk=2\nkeep=3\n[B]\nk=4\n");
    ini.Remove("A", "K");
    EXPECT_EQ(ini.Get("A", "k"), std::nullopt);
    EXPECT_EQ(ini.Get("B", "k"), "4");
    EXPECT_EQ(ini.Serialize(), "[A]\nkeep=3\n[B]\nk=4\n");
    ini.Remove("Nowhere", "k");
    EXPECT_EQ(ini.Keys("A"), Strings{"keep"});
}

TEST(IniEdit, UnwritableNamesAreRefusedAndValuesStayOnOneLine) {
    IniFile ini;
    EXPECT_FALSE(ini.Set("A", "", "v"));
    EXPECT_FALSE(ini.Set("A", "  ", "v"));
    EXPECT_FALSE(ini.Set("A", "a=b", "v"));
    EXPECT_FALSE(ini.Set("A", "line\nbreak", "v"));
    EXPECT_FALSE(ini.Set("A", "[x]", "v"));
    EXPECT_FALSE(ini.Set("A", ";x", "v"));
    EXPECT_FALSE(ini.Set("A]", "k", "v"));
    EXPECT_EQ(ini.Serialize(), "");

    ASSERT_TRUE(ini.Set("A", "k", "two\r\nlines"));
    EXPECT_EQ(ini.Get("A", "k"), "two  lines");
    EXPECT_EQ(IniFile::Parse(ini.Serialize()).Keys("A"), Strings{"k"});
}

TEST(IniEdit, EditedFileReadsBackTheSame) {
    IniFile ini = IniFile::Parse("[A]\r\nx=1\r\n");
    ini.Set("A", "y", "=2=");
    ini.Set("B", "名前", "値");
    ini.Set("", "top", "");
    IniFile again = IniFile::Parse(ini.Serialize());
    EXPECT_EQ(again.Get("A", "x"), "1");
    EXPECT_EQ(again.Get("A", "y"), "=2=");
    EXPECT_EQ(again.Get("B", "名前"), "値");
    EXPECT_EQ(again.Get("", "top"), "");
    EXPECT_EQ(again.Serialize(), ini.Serialize());
}

}  // namespace
}  // namespace kv
