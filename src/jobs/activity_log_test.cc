#include "jobs/activity_log.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace qv {
namespace {

TEST(ActivityLogTest, FormatsTheTimeWithEveryFieldPadded) {
  struct Case {
    LocalTime time;
    const char* expected;
  };
  const Case cases[] = {
      {{2025, 3, 7, 14, 5, 9}, "03/07/2025 14:05:09"},
      {{2024, 12, 31, 23, 59, 59}, "12/31/2024 23:59:59"},
      {{2026, 1, 1, 0, 0, 0}, "01/01/2026 00:00:00"},
      {{999, 10, 10, 10, 10, 10}, "10/10/0999 10:10:10"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatLogTime(c.time), c.expected);
}

class WriteLogTest : public ::testing::Test {
 protected:
  void Write(const std::string& message) {
    WriteLog(fake_.platform, kLogName, message);
  }
  std::string Log() { return fake_.fs.Content("C:\\app\\Backup.log"); }
  FakePlatform fake_;
};

TEST_F(WriteLogTest, AppendsDatedLinesInTheAnsiCodePage) {
  EXPECT_EQ(LogFileName(kLogName), "Backup.log");
  Write("Database backup successfully saved to \"D:\\My Backups\\\"");
  fake_.clock.now = {2025, 3, 7, 14, 5, 10};
  // U+00FC is in the code page; U+0416 is not and gets the default char.
  Write(
      "R\xC3\xBC"
      "ck \xD0\x96!");
  EXPECT_EQ(Log(),
            "Database backup successfully saved to \"D:\\My Backups\\\" "
            "03/07/2025 14:05:09\r\n"
            "R\xFC"
            "ck ?! 03/07/2025 14:05:10\r\n");
  // The file is created and closed again for each line.
  EXPECT_EQ(fake_.fs.writes_opened,
            (std::vector<std::string>{"Backup.log", "Backup.log"}));
  EXPECT_EQ(fake_.fs.OpenHandles("Backup.log"), 0);
}

TEST_F(WriteLogTest, KeepsWhatTheFileHeldAndSharesIt) {
  fake_.fs.AddFile("C:\\app\\backup.log", "old line\r\n");
  // Another process holds the file open for writing with full sharing.
  auto other = fake_.fs.Open("backup.log", OpenMode::kAppendShareAll);
  ASSERT_NE(other, nullptr);
  Write("Restore Successful.");
  EXPECT_EQ(Log(), "old line\r\nRestore Successful. 03/07/2025 14:05:09\r\n");
}

TEST_F(WriteLogTest, DropsTheLineSilentlyWhenTheFileCannotBeOpened) {
  fake_.fs.unwritable_folders.insert("C:\\app\\");
  Write("lost");
  EXPECT_FALSE(fake_.fs.HasFile("C:\\app\\Backup.log"));

  FakePlatform folder_case;
  folder_case.fs.AddFolder("C:\\app\\Backup.log");
  WriteLog(folder_case.platform, kLogName, "lost too");
  EXPECT_EQ(folder_case.fs.Stat("C:\\app\\Backup.log"), PathKind::kFolder);
}

}  // namespace
}  // namespace qv
