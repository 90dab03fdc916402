#include <gtest/gtest.h>

#include "model/Codec.h"
#include "model/Errors.h"
#include "model/IniFile.h"
#include "support/TempDir.h"

namespace orv {
namespace {

TEST(IniFile, NamesCompareWithoutCaseAndValuesAreTrimmed) {
    const IniFile ini = IniFile::Parse("[calender]\nsizex = 90 \r\n\r\n[Style]\rYearFont=  ＭＳ 明朝\r");
    EXPECT_EQ(ini.ReadString("Calender", "SizeX"), "90");
    EXPECT_EQ(ini.ReadString("STYLE", "yearfont"), "ＭＳ 明朝");
    EXPECT_EQ(ini.ReadString("Style", "Missing"), std::nullopt);
    EXPECT_EQ(ini.ReadInteger("Calender", "SizeX", 5), 90);
    EXPECT_EQ(ini.ReadInteger("Calender", "SizeY", 5), 5);
}

TEST(IniFile, WritesKeysAfterTheLastKeyOfAnExistingSection) {
    IniFile ini;
    ini.WriteString("A", "one", "1");
    ini.WriteString("B", "two", "2");
    ini.WriteString("a", "three", "3");
    ini.WriteString("A", "ONE", "uno");
    EXPECT_EQ(ini.Serialize(), "[A]\r\none=uno\r\nthree=3\r\n[B]\r\ntwo=2\r\n");
}

TEST(IniFile, SectionLinesComeBackInFileOrderWithTheFirstValueOfARepeatedKey) {
    const IniFile ini = IniFile::Parse("[M]\nb=2\na=1\nB=3\nlonely\n=x\n");
    EXPECT_EQ(ini.ReadSectionValues("m"), (std::vector<std::string>{"b=2", "a=1", "B=2", "lonely", "=x"}));
    EXPECT_TRUE(ini.ReadSectionValues("none").empty());
    EXPECT_EQ(ini.SectionEntries("M").size(), 5u);
}

TEST(IniFile, LinesBeforeAnySectionAreIgnored) {
    const IniFile ini = IniFile::Parse("x=1\n=\n[S]\nk=v");
    EXPECT_EQ(ini.Serialize(), "[S]\r\nk=v\r\n");
}

TEST(IniFile, SectionHeadersAreTrimmedAndEachSectionKeepsItsOwnLines) {
    const IniFile ini =
        IniFile::Parse("stray=1\r\n[ A ]\r\na=1\r\n\r\n[B\r\nb=2\r\nc=3\r\n[]\r\nd=4\r\n[C] x\r\n");
    EXPECT_EQ(ini.ReadSectionValues("A"), (std::vector<std::string>{"a=1"}));
    EXPECT_EQ(ini.ReadSectionValues("B"), (std::vector<std::string>{"b=2", "c=3"}));
    EXPECT_EQ(ini.ReadSectionValues(""), (std::vector<std::string>{"d=4"}));
    EXPECT_TRUE(ini.HasSection("C"));
    EXPECT_TRUE(ini.SectionEntries("C").empty());
}

TEST(IniFile, SavesInCodePage932AndLoadsBack) {
    test::TempDir dir;
    IniFile ini;
    ini.WriteString("六曜", "2016/01/06", "大安");
    ini.Save(dir.File("x.ini"));
    EXPECT_EQ(test::TempDir::Read(dir.File("x.ini")), Utf8ToCp932("[六曜]\r\n2016/01/06=大安\r\n"));
    EXPECT_EQ(IniFile::Load(dir.File("x.ini")).ReadString("六曜", "2016/1/6"), std::nullopt);
    EXPECT_EQ(IniFile::Load(dir.File("x.ini")).ReadString("六曜", "2016/01/06"), "大安");
    EXPECT_FALSE(IniFile::Load(dir.File("missing.ini")).HasSection("六曜"));
    EXPECT_THROW(IniFile::Load(dir.Path()), IoError);
}

TEST(IniFile, RefusesValuesThatWouldBreakTheLineStructure) {
    test::TempDir dir;
    IniFile ini;
    ini.WriteString("S", "k", "two\nlines");
    EXPECT_THROW(ini.Save(dir.File("x.ini")), EncodingError);
    EXPECT_TRUE(dir.Entries().empty());
}

}  // namespace
}  // namespace orv
