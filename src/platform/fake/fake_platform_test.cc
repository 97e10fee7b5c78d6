// The fakes stand in for Windows in every core test, so the Windows rules
// they model (sharing, case-insensitive names) are checked here.
#include "platform/fake/fake_platform.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(FakeFileSystem, NamesIgnoreCaseAndKeepFirstSpelling) {
  FakeFileSystem fs;
  {
    auto f = fs.Open("C:\\w\\Backup.log", OpenMode::kAppendShareAll);
    ASSERT_TRUE(f);
    f->Append("x");
  }
  EXPECT_EQ(fs.Content("c:\\W\\backup.LOG"), "x");
  EXPECT_EQ(fs.ListFiles("C:\\w\\", "*.log"),
            std::vector<std::string>{"Backup.log"});
}

TEST(FakeFileSystem, SharingFollowsWindowsRules) {
  FakeFileSystem fs;
  fs.AddFile("C:\\a.prefs", "x");
  auto holder = fs.Open("C:\\a.prefs", OpenMode::kReadWriteShareRead);
  ASSERT_TRUE(holder);
  EXPECT_FALSE(fs.Open("C:\\a.prefs", OpenMode::kReadWriteShareRead));
  // A reader must let the holder go on writing.
  EXPECT_FALSE(fs.Open("C:\\a.prefs", OpenMode::kReadShareRead));
  EXPECT_TRUE(fs.Open("C:\\a.prefs", OpenMode::kReadShareReadWrite));
  EXPECT_FALSE(fs.Remove("C:\\a.prefs"));
  holder.reset();
  EXPECT_TRUE(fs.Open("C:\\a.prefs", OpenMode::kReadWriteShareRead));
}

TEST(FakeFileSystem, FullMediumStopsShort) {
  FakeFileSystem fs;
  fs.space_left = 3;
  auto f = fs.Open("C:\\f", OpenMode::kCreateAlways);
  ASSERT_TRUE(f);
  EXPECT_FALSE(f->Rewrite("abcdef"));
  EXPECT_EQ(fs.Content("C:\\f"), "abc");
}

TEST(FakeText, Windows1252ByDefault) {
  FakeText text;
  EXPECT_EQ(text.AnsiToUtf8("\x80\xE4"), "\xE2\x82\xAC\xC3\xA4");
  EXPECT_EQ(text.Utf8ToAnsi("\xE2\x82\xAC\xD0\x96"), "\x80?");
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

TEST(FakePlatform, RelativePathsResolveAgainstCurrentDirectory) {
  FakePlatform fake;
  fake.env.current_directory = "C:\\app\\";
  fake.fs.AddFile("quillvault.prefs", "x");
  EXPECT_TRUE(fake.fs.HasFile("C:\\app\\quillvault.prefs"));
  fake.fs.AddFile("C:\\app\\Lang\\dutch.lng", "y");
  EXPECT_EQ(fake.fs.Content("C:\\app\\\\Lang\\dutch.lng"), "y");
  EXPECT_EQ(fake.fs.ListFiles(".\\Lang", "*.lng"),
            std::vector<std::string>{"dutch.lng"});
}

}  // namespace
}  // namespace qv
