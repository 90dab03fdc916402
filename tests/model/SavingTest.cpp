// The staged-file writer behind every saved file, seen through saving a design.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "model/AtomicFile.h"
#include "model/DataUnit.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace orv {
namespace {

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

class Saving : public testing::Test {
  protected:
    bool Save(const std::string& path, int year = 2030) {
        TData data = NewDesign();
        data.Year = year;
        return data.SaveToFile(path, sink);
    }

    test::TempDir dir;
    test::RecordingSink sink;
};

// Root may write any file, so the permission bits alone must stop the save.
TEST_F(Saving, AReadOnlyFileIsRefusedAndStaysByteForByte) {
    const std::string path = dir.File("design.sav");
    ASSERT_TRUE(Save(path, 2001));
    const std::string before = test::TempDir::Read(path);
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);

    EXPECT_FALSE(Save(path));
    const auto messages = sink.Take();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "ﾃﾞｰﾀﾌｧｲﾙｾｰﾌﾞｴﾗｰ\r\n" + path + ": 読み取り専用のファイルです");
    EXPECT_EQ(test::TempDir::Read(path), before);
    EXPECT_EQ(ModeOf(path), 0444u);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"design.sav"});
}

TEST_F(Saving, AReplacedFileKeepsItsPermissionsAndANewOneFollowsTheUmask) {
    const std::string kept = dir.File("private.sav");
    ASSERT_TRUE(Save(kept));
    ASSERT_EQ(chmod(kept.c_str(), 0600), 0);
    ASSERT_TRUE(Save(kept));
    EXPECT_EQ(ModeOf(kept), 0600u);

    const mode_t previous = umask(027);
    const bool saved = Save(dir.File("new.sav"));
    umask(previous);
    ASSERT_TRUE(saved);
    EXPECT_EQ(ModeOf(dir.File("new.sav")), 0640u);
}

TEST_F(Saving, ThroughASymbolicLinkTheFileItPointsToIsReplaced) {
    ASSERT_EQ(mkdir(dir.File("real").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(dir.File("links").c_str(), 0700), 0);
    ASSERT_TRUE(Save(dir.File("real/design.sav"), 2001));
    // A relative link to a relative link: each resolves from its own folder.
    ASSERT_EQ(symlink("../real/design.sav", dir.File("links/one.sav").c_str()), 0);
    ASSERT_EQ(symlink("one.sav", dir.File("links/two.sav").c_str()), 0);

    ASSERT_TRUE(Save(dir.File("links/two.sav"), 2030)) << sink.Take()[0].text;
    struct stat st {};
    ASSERT_EQ(lstat(dir.File("links/two.sav").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    TData loaded;
    ASSERT_TRUE(loaded.LoadFromFile(dir.File("real/design.sav"), sink));
    EXPECT_EQ(loaded.Year, 2030);
    EXPECT_EQ(test::TempDir::Read(dir.File("real/design.sav")),
              test::TempDir::Read(dir.File("links/one.sav")));

    // A link to a file not yet there creates it.
    ASSERT_EQ(symlink("real/later.sav", dir.File("later.sav").c_str()), 0);
    ASSERT_TRUE(Save(dir.File("later.sav")));
    EXPECT_EQ(lstat(dir.File("later.sav").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_TRUE(FileExists(dir.File("real/later.sav")));
}

// 255 bytes is the longest name the file system takes; a multibyte name is cut whole.
TEST_F(Saving, TheLongestFileNamesSave) {
    std::string kana;
    for (int i = 0; i < 83; ++i) kana += "あ";  // 249 bytes
    for (const std::string& name : {std::string(251, 'a') + ".sav", kana + "x.sav"}) {
        ASSERT_TRUE(Save(dir.File(name))) << name.size();
        ASSERT_TRUE(Save(dir.File(name))) << name.size();
    }
    EXPECT_EQ(dir.Entries().size(), 2u);
}

}  // namespace
}  // namespace orv
