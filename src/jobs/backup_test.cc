#include "jobs/backup.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/fake/fake_platform.h"

namespace qv {
namespace {

TEST(BackupParameters, QuotesOnlyABackupFolderWithABlank) {
  struct Case {
    BackupInputs in;
    const char* expected;
  } cases[] = {
      {{"D:\\Backups\\", 5, "OFFICE-PC", "user1", "20250307",
        "C:\\Users\\user1\\AppData\\Roaming\\Thunderbird"},
       "a -mmt -mx=5 -slp -y "
       "D:\\Backups\\Quillvault_OFFICE-PC_user1_20250307.7z "
       "C:\\Users\\user1\\AppData\\Roaming\\Thunderbird"},
      {{"D:\\My Backups\\", 5, "OFFICE-PC", "user1", "20250307",
        "C:\\Users\\user1\\AppData\\Roaming\\Thunderbird"},
       "a -mmt -mx=5 -slp -y \"D:\\My "
       "Backups\\\"Quillvault_OFFICE-PC_user1_20250307.7z "
       "C:\\Users\\user1\\AppData\\Roaming\\Thunderbird"},
      // Blanks elsewhere never lead to quoting.
      {{"D:\\B\\", 0, "PC", "Ann Lee", "20250307",
        "C:\\Users\\Ann Lee\\AppData\\Roaming\\Thunderbird"},
       "a -mmt -mx=0 -slp -y D:\\B\\Quillvault_PC_Ann Lee_20250307.7z "
       "C:\\Users\\Ann Lee\\AppData\\Roaming\\Thunderbird"},
      // Hand-edited levels pass unchanged.
      {{"D:\\B\\", 12, "PC", "u", "20250307", "P"},
       "a -mmt -mx=12 -slp -y D:\\B\\Quillvault_PC_u_20250307.7z P"},
      {{"D:\\B\\", -1, "PC", "u", "20250307", "P"},
       "a -mmt -mx=-1 -slp -y D:\\B\\Quillvault_PC_u_20250307.7z P"},
      // Missing environment variables give empty pieces.
      {{"D:\\B\\", 5, "", "user1", "20250307",
        "\\AppData\\Roaming\\Thunderbird"},
       "a -mmt -mx=5 -slp -y D:\\B\\Quillvault__user1_20250307.7z "
       "\\AppData\\Roaming\\Thunderbird"},
      // A folder without its trailing separator is used as it stands.
      {{"D:\\B", 5, "PC", "u", "20250307", "P"},
       "a -mmt -mx=5 -slp -y D:\\BQuillvault_PC_u_20250307.7z P"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BackupParameters(c.in), c.expected);
  }
}

TEST(ArchiveDate, EightDigitsYearFirst) {
  EXPECT_EQ(ArchiveDate({2025, 3, 7, 23, 59, 59}), "20250307");
  EXPECT_EQ(ArchiveDate({2026, 12, 31, 0, 0, 0}), "20261231");
}

class UnattendedBackupTest : public ::testing::Test {
 protected:
  UnattendedBackupTest() {
    fake_.env.vars = {{"COMPUTERNAME", "OFFICE-PC"},
                      {"USERNAME", "user1"},
                      {"USERPROFILE", "C:\\Users\\user1"}};
    fake_.fs.AddFolder("C:\\app\\Lang");
    Settings("D:\\Backups\\", 5, 0);
  }
  void Settings(const std::string& folder, int level, int reopen) {
    fake_.fs.AddFile("quillvault.prefs",
                     "\xEF\xBB\xBF\r\nBkUpDir = " + folder +
                         "\r\nCompression = " + std::to_string(level) +
                         "\r\nReopenTB = " + std::to_string(reopen) +
                         "\r\nLanguage = 1\r\n");
  }
  int Run() {
    AppState app(fake_.platform);
    PrepareSettings(app.prefs);  // as the start-up leaves it
    return RunUnattendedBackup(app);
  }
  std::vector<std::string> Starts() const {
    std::vector<std::string> out;
    for (const auto& s : fake_.launcher.starts) {
      out.push_back(s.file + (s.parameters.empty() ? "" : " " + s.parameters));
    }
    return out;
  }
  size_t IndexOf(const std::string& prefix, size_t from = 0) const {
    for (size_t i = from; i < fake_.trace.size(); ++i) {
      if (fake_.trace[i].rfind(prefix, 0) == 0) return i;
    }
    return fake_.trace.size();
  }
  std::string Log() const { return fake_.fs.Content("C:\\app\\Backup.log"); }

  FakePlatform fake_;
  const std::string archive_ =
      "D:\\Backups\\Quillvault_OFFICE-PC_user1_20250307.7z";
  const std::string params_ =
      "a -mmt -mx=5 -slp -y " + archive_ +
      " C:\\Users\\user1\\AppData\\Roaming\\Thunderbird";
};

TEST_F(UnattendedBackupTest, RunningClientIsEndedBeforeTheArchiverRuns) {
  fake_.windows.titles = {"Inbox - Mozilla Thunderbird"};
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Starts(),
            (std::vector<std::string>{"taskkill /f /im thunderbird.exe",
                                      "7z.exe " + params_}));
  EXPECT_TRUE(fake_.launcher.starts[0].options.wait);
  EXPECT_TRUE(fake_.launcher.starts[0].options.hidden);
  const auto& archiver = fake_.launcher.starts[1];
  EXPECT_TRUE(archiver.options.hidden);
  EXPECT_TRUE(archiver.options.keep_handle);
  EXPECT_EQ(archiver.folder, "");
  EXPECT_EQ(Log(),
            "Database backup successfully saved to \"D:\\Backups\\\" "
            "03/07/2025 14:05:09\r\n");
  EXPECT_TRUE(fake_.dialogs.boxes.empty());
}

TEST_F(UnattendedBackupTest, SettingsAreReadBeforeAndAfterTheArchiver) {
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Starts(), std::vector<std::string>{"7z.exe " + params_});
  const size_t archiver = IndexOf("start 7z.exe");
  ASSERT_LT(archiver, fake_.trace.size());
  // The folder and level are read before the archiver, ReopenTB after it;
  // those reads never write (only the language detection stores a value).
  const size_t language_written = IndexOf("replace");
  EXPECT_LT(language_written, archiver);
  EXPECT_LT(IndexOf("open-write quillvault.prefs", language_written + 1),
            archiver);
  EXPECT_LT(IndexOf("open-write quillvault.prefs", archiver),
            fake_.trace.size());
  EXPECT_EQ(IndexOf("replace", language_written + 1), fake_.trace.size());
}

TEST_F(UnattendedBackupTest, EmptyBackupFolderLogsShowsBoxAndEnds) {
  Settings("", 5, 1);
  fake_.windows.titles = {"thunderbird"};
  EXPECT_EQ(Run(), 0);
  // The client was ended and is not started again; no archiver ran.
  EXPECT_EQ(Starts(),
            std::vector<std::string>{"taskkill /f /im thunderbird.exe"});
  EXPECT_EQ(Log(), "No backup path defined. 03/07/2025 14:05:09\r\n");
  ASSERT_EQ(fake_.dialogs.boxes.size(), 1u);
  EXPECT_EQ(fake_.dialogs.boxes[0].title, "Error");
  EXPECT_EQ(fake_.dialogs.boxes[0].text, "Thunderbird path not found!!!");
  EXPECT_EQ(fake_.dialogs.boxes[0].icon, BoxIcon::kError);
}

TEST_F(UnattendedBackupTest, ReopenTBOneRestartsTheClientAnyOtherValueDoesNot) {
  for (int reopen : {1, 2, 0}) {
    fake_.launcher.starts.clear();
    Settings("D:\\Backups\\", 5, reopen);
    EXPECT_EQ(Run(), 0);
    const bool restarted = Starts().back() == "thunderbird.exe";
    EXPECT_EQ(restarted, reopen == 1) << reopen;
    if (restarted) {
      EXPECT_FALSE(fake_.launcher.starts.back().options.hidden);
    }
  }
  EXPECT_TRUE(fake_.dialogs.boxes.empty());
}

TEST_F(UnattendedBackupTest, FailedArchiverIsNeverReportedAsSuccess) {
  for (int code : {1, 2, 7, 8}) {
    fake_.fs.Remove("C:\\app\\Backup.log");
    fake_.dialogs.boxes.clear();
    fake_.launcher.starts.clear();
    Settings("D:\\Backups\\", 5, 1);
    fake_.launcher.scripts["7z.exe"].exit_code = code;
    EXPECT_EQ(Run(), code);
    const std::string log = Log();
    EXPECT_EQ(log.find("successfully"), std::string::npos) << log;
    EXPECT_NE(log.find(archive_), std::string::npos) << log;
    EXPECT_NE(log.find("exit code " + std::to_string(code)), std::string::npos)
        << log;
    ASSERT_EQ(fake_.dialogs.boxes.size(), 1u);
    EXPECT_EQ(fake_.dialogs.boxes[0].icon, BoxIcon::kError);
    EXPECT_EQ(fake_.dialogs.boxes[0].text + " 03/07/2025 14:05:09\r\n", log);
    // The job ended nothing here, but ReopenTB 1 still restarts the client.
    EXPECT_EQ(Starts().back(), "thunderbird.exe");
  }
}

TEST_F(UnattendedBackupTest, ArchiverThatCannotStartIsAFailure) {
  fake_.launcher.scripts["7z.exe"].start_fails = true;
  EXPECT_EQ(Run(), kExitArchiverNotStarted);
  const std::string log = Log();
  EXPECT_EQ(log.find("successfully"), std::string::npos);
  EXPECT_NE(log.find("could not be started"), std::string::npos) << log;
  EXPECT_NE(log.find(archive_), std::string::npos) << log;
  EXPECT_EQ(fake_.dialogs.boxes.size(), 1u);
}

TEST_F(UnattendedBackupTest, GermanLocaleWritesGermanLogAndStoresLanguage) {
  fake_.system.language_name = "German (Germany)";
  fake_.fs.AddFile(
      "C:\\app\\Lang\\german.lng",
      "\xEF\xBB\xBF[LogMessages]\r\nLogSuccess = Gesichert nach \r\n");
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Log(), "Gesichert nach \"D:\\Backups\\\" 03/07/2025 14:05:09\r\n");
  EXPECT_NE(fake_.fs.Content("quillvault.prefs").find("Language = 2\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace qv
