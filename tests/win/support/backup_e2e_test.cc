// Unattended backups by the real quillvault.exe under Wine, with the genuine
// 7-Zip it deploys. The archives that should be good are checked afterwards,
// independently, by verify-archives.sh with Debian's 7-Zip.
#include "e2e_support.h"
// After <windows.h>, which it builds on.
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <regex>

#include "sample_profile.h"

namespace qv::e2e {
namespace {

const char kStamp[] = " \\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d\r\n";

std::string Today() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char text[16];
  std::snprintf(text, sizeof text, "%04u%02u%02u", t.wYear, t.wMonth, t.wDay);
  return text;
}

std::vector<DWORD> ProcessesNamed(const std::wstring& name) {
  std::vector<DWORD> pids;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snap, &entry); more;
       more = Process32NextW(snap, &entry)) {
    if (_wcsicmp(entry.szExeFile, name.c_str()) == 0)
      pids.push_back(entry.th32ProcessID);
  }
  CloseHandle(snap);
  return pids;
}

void EndProcessesNamed(const std::wstring& name) {
  for (DWORD pid : ProcessesNamed(name)) {
    HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (h == nullptr) continue;
    TerminateProcess(h, 0);
    WaitForSingleObject(h, 10000);
    CloseHandle(h);
  }
}

class BackupE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name =
        ::testing::UnitTest::GetInstance()->current_test_info()->name();
    root_ = BuildPath(QV_E2E_OUT) + "\\" + name;
    RemoveTree(root_);
    work_ = root_ + "\\app";
    home_ = root_ + "\\home";
    profile_ = home_ + "\\AppData\\Roaming\\Thunderbird";
    ASSERT_TRUE(MakeFolders(work_));
    ASSERT_TRUE(MakeFolders(profile_));
  }
  void TearDown() override { RemoveTree(work_); }

  void Settings(const std::string& folder, int level, int reopen) {
    ASSERT_TRUE(WriteBytes(work_ + "\\quillvault.prefs",
                           "\xEF\xBB\xBF\r\nBkUpDir = " + folder +
                               "\r\nCompression = " + std::to_string(level) +
                               "\r\nReopenTB = " + std::to_string(reopen) +
                               "\r\nLanguage = 1\r\n"));
  }
  RunResult Backup() {
    RunRequest request;
    request.program = BuildPath(QV_BIN_DIR "/quillvault.exe");
    request.parameters = "/b";
    request.folder = work_;
    request.set_env = {{"USERPROFILE", home_},
                       {"COMPUTERNAME", "QV-TEST-PC"},
                       {"USERNAME", "tester"}};
    RunResult r = RunProgram(request);
    EXPECT_TRUE(r.started);
    EXPECT_FALSE(r.timed_out);
    return r;
  }
  std::string Log() {
    std::string log;
    ReadBytes(work_ + "\\Backup.log", &log);
    return log;
  }
  std::string ArchiveName() const {
    return "Quillvault_QV-TEST-PC_tester_" + Today() + ".7z";
  }
  void ExpectGoodArchivesChecked() {
    ASSERT_TRUE(WriteBytes(root_ + "\\verify", ""));
  }

  std::string root_, work_, home_, profile_;
};

TEST_F(BackupE2E, MakesTheNamedArchiveLogsSuccessAndAddsToItTheSameDay) {
  ASSERT_TRUE(MakeSampleProfile(profile_));
  const std::string backups = root_ + "\\backups\\";
  ASSERT_TRUE(MakeFolders(backups));
  Settings(backups, 5, 0);

  RunResult r = Backup();
  EXPECT_EQ(r.exit_code, 0u);
  EXPECT_TRUE(r.boxes.empty());
  EXPECT_EQ(ListFolder(backups), std::vector<std::string>{ArchiveName()});
  const std::string line =
      "Database backup successfully saved to \"" + backups + "\"";
  EXPECT_TRUE(std::regex_match(
      Log(),
      std::regex(std::regex_replace(line, std::regex(R"([\\^$.|?*+()\[\]{}])"),
                                    R"(\$&)") +
                 kStamp)))
      << Log();

  // The same day again: the add command updates the same archive.
  ASSERT_TRUE(WriteBytes(
      profile_ + "\\Profiles\\k3x9a1.default-release\\new-today.txt", "later"));
  r = Backup();
  EXPECT_EQ(r.exit_code, 0u);
  EXPECT_EQ(ListFolder(backups), std::vector<std::string>{ArchiveName()});
  const std::string log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2) << log;
  ExpectGoodArchivesChecked();
}

TEST_F(BackupE2E, BackupFolderWithABlank) {
  ASSERT_TRUE(MakeSampleProfile(profile_, {64u << 10, 1u << 20}));
  const std::string backups = root_ + "\\backups\\My Backups\\";
  ASSERT_TRUE(MakeFolders(backups));
  Settings(backups, 1, 0);
  const RunResult r = Backup();
  EXPECT_EQ(r.exit_code, 0u);
  EXPECT_EQ(ListFolder(backups), std::vector<std::string>{ArchiveName()});
  EXPECT_NE(Log().find("\"" + backups + "\""), std::string::npos) << Log();
  ExpectGoodArchivesChecked();
}

TEST_F(BackupE2E, RunningClientIsEndedAndRestartedWithReopenTB) {
  ASSERT_TRUE(MakeSampleProfile(profile_, {64u << 10, 1u << 20}));
  const std::string backups = root_ + "\\backups\\";
  ASSERT_TRUE(MakeFolders(backups));
  Settings(backups, 1, 1);
  // The stand-in client under the name the job restarts, found in the
  // current folder. It holds its inbox without sharing: had the archiver
  // run before the client was ended, it could not have read the inbox and
  // would have failed.
  ASSERT_TRUE(CopyFileW(W(BuildPath(QV_FAKE_MAIL)).c_str(),
                        W(work_ + "\\thunderbird.exe").c_str(), FALSE));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const std::string inbox =
      profile_ +
      "\\Profiles\\k3x9a1.default-release\\Mail\\Local Folders\\Inbox";
  std::wstring command =
      L"\"" + W(work_) +
      L"\\thunderbird.exe\" \"Inbox - Mozilla Thunderbird\" 120000 \"" +
      W(inbox) + L"\"";
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE,
                             0, nullptr, W(work_).c_str(), &si, &pi));
  // Wait for its window, which is what the job looks for.
  for (int i = 0;
       i < 100 &&
       FindWindowW(nullptr, L"Inbox - Mozilla Thunderbird") == nullptr;
       ++i) {
    Sleep(100);
  }
  ASSERT_NE(FindWindowW(nullptr, L"Inbox - Mozilla Thunderbird"), nullptr);
  std::string unreadable;
  ASSERT_FALSE(ReadBytes(inbox, &unreadable))
      << "the stand-in does not hold its inbox";

  const RunResult r = Backup();
  EXPECT_EQ(r.exit_code, 0u) << Log();
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 0), WAIT_OBJECT_0)
      << "the client was not ended";
  const std::vector<DWORD> now = ProcessesNamed(L"thunderbird.exe");
  EXPECT_EQ(now.size(), 1u) << "the client was not started again";
  if (!now.empty()) {
    EXPECT_NE(now[0], pi.dwProcessId);
  }
  EXPECT_EQ(ListFolder(backups), std::vector<std::string>{ArchiveName()});
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  EndProcessesNamed(L"thunderbird.exe");
  ExpectGoodArchivesChecked();
}

TEST_F(BackupE2E, GermanLocaleWritesGermanLogTextAndStoresLanguage) {
  ASSERT_TRUE(MakeSampleProfile(profile_, {64u << 10, 1u << 20}));
  const std::string backups = root_ + "\\backups\\";
  ASSERT_TRUE(MakeFolders(backups));
  ASSERT_TRUE(MakeFolders(work_ + "\\Lang"));
  std::string german;
  ASSERT_TRUE(ReadBytes(BuildPath(QV_SOURCE_DIR "/lang/german.lng"), &german));
  ASSERT_TRUE(WriteBytes(work_ + "\\Lang\\german.lng", german));
  Settings(backups, 1, 0);
  // Runs with LANG=de_DE.UTF-8 (see CMakeLists.txt).
  const RunResult r = Backup();
  EXPECT_EQ(r.exit_code, 0u);
  EXPECT_TRUE(r.boxes.empty());
  EXPECT_EQ(Log().rfind("Datenbanksicherung erfolgreich gespeichert in \"" +
                            backups + "\"",
                        0),
            0u)
      << Log();
  std::string prefs;
  ASSERT_TRUE(ReadBytes(work_ + "\\quillvault.prefs", &prefs));
  EXPECT_NE(prefs.find("\r\nLanguage = 2\r\n"), std::string::npos) << prefs;
}

// Each failure must show up as one: no success line, a failure line naming
// the archive, an error box and a non-zero exit code for the scheduler.
void ExpectFailure(const RunResult& r, const std::string& log,
                   const std::string& archive, const std::string& detail) {
  EXPECT_NE(r.exit_code, 0u);
  EXPECT_EQ(log.find("successfully"), std::string::npos) << log;
  EXPECT_NE(log.find("\"" + archive + "\""), std::string::npos) << log;
  EXPECT_NE(log.find(detail), std::string::npos) << log;
  ASSERT_EQ(r.boxes.size(), 1u);
  EXPECT_EQ(r.boxes[0].title, "Error");
  EXPECT_NE(r.boxes[0].text.find(detail), std::string::npos) << r.boxes[0].text;
}

TEST_F(BackupE2E, UnwritableBackupFolderIsAFailure) {
  ASSERT_TRUE(MakeSampleProfile(profile_, {4096, 4096}));
  // A "folder" that is really a file: nothing can be created inside it.
  ASSERT_TRUE(WriteBytes(work_ + "\\blocker", "x"));
  const std::string backups = work_ + "\\blocker\\";
  Settings(backups, 1, 0);
  const RunResult r = Backup();
  ExpectFailure(r, Log(), backups + ArchiveName(), "exit code");
}

TEST_F(BackupE2E, FailingArchiverIsAFailure) {
  ASSERT_TRUE(MakeSampleProfile(profile_, {4096, 4096}));
  ASSERT_TRUE(CopyFileW(W(BuildPath(QV_FAILING_ARCHIVER)).c_str(),
                        W(work_ + "\\7z.exe").c_str(), FALSE));
  const std::string backups = root_ + "\\backups\\";
  ASSERT_TRUE(MakeFolders(backups));
  Settings(backups, 1, 0);
  const RunResult r = Backup();
  EXPECT_EQ(r.exit_code, 2u);
  ExpectFailure(r, Log(), backups + ArchiveName(), "exit code 2");
  EXPECT_TRUE(ListFolder(backups).empty());
}

TEST_F(BackupE2E, ArchiverThatCannotStartIsAFailure) {
  ASSERT_TRUE(MakeSampleProfile(profile_, {4096, 4096}));
  ASSERT_TRUE(WriteBytes(work_ + "\\7z.exe", "this is not a program"));
  const std::string backups = root_ + "\\backups\\";
  ASSERT_TRUE(MakeFolders(backups));
  Settings(backups, 1, 0);
  const RunResult r = Backup();
  EXPECT_EQ(r.exit_code, 9009u);
  ExpectFailure(r, Log(), backups + ArchiveName(), "could not be started");
}

}  // namespace
}  // namespace qv::e2e
