// The real quillvault.exe under Wine: what a first start leaves behind, how
// the command line routes, and the two start-up refusals.
#include <gtest/gtest.h>

#include "e2e_support.h"

namespace qv::e2e {
namespace {

const char kFreshSettings[] =
    "\xEF\xBB\xBF\r\n"
    "BkUpDir = \r\n"
    "CloseToTray = 0\r\n"
    "Compression = 0\r\n"
    "OpenToTray = 0\r\n"
    "ReopenTB = 0\r\n"
    "StayOnTop = 0\r\n"
    "Language = 1\r\n";

class StartupE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = MakeTempFolder("startup");
    home_ = MakeTempFolder("home");
    ASSERT_TRUE(MakeFolders(home_ + "\\AppData\\Roaming\\Thunderbird"));
  }
  void TearDown() override {
    RemoveTree(work_);
    RemoveTree(home_);
  }
  RunResult Start(const std::string& parameters) {
    RunRequest request;
    request.program = BuildPath(QV_BIN_DIR "/quillvault.exe");
    request.parameters = parameters;
    request.folder = work_;
    request.set_env["USERPROFILE"] = home_;
    request.set_env["LANG"] = "en_US.UTF-8";
    return RunProgram(request);
  }
  static std::string Payload(const char* name) {
    std::string bytes;
    EXPECT_TRUE(
        ReadBytes(BuildPath(std::string(QV_PAYLOAD_DIR) + "/" + name), &bytes));
    return bytes;
  }
  bool SawBox(const RunResult& r, const std::string& text) {
    for (const auto& box : r.boxes) {
      if (box.text == text) return true;
    }
    return false;
  }

  std::string work_;
  std::string home_;
};

TEST_F(StartupE2E, FirstStartCreatesSettingsAndArchiverFiles) {
  const RunResult r = Start("");
  ASSERT_TRUE(r.started);
  EXPECT_FALSE(r.timed_out);
  EXPECT_EQ(r.exit_code, 0u);
  std::string settings;
  ASSERT_TRUE(ReadBytes(work_ + "\\quillvault.prefs", &settings));
  EXPECT_EQ(settings, kFreshSettings);
  std::string exe, dll;
  ASSERT_TRUE(ReadBytes(work_ + "\\7z.exe", &exe));
  ASSERT_TRUE(ReadBytes(work_ + "\\7z.dll", &dll));
  EXPECT_EQ(exe.size(), 575488u);
  EXPECT_EQ(dll.size(), 1906176u);
  EXPECT_TRUE(exe == Payload("7z.exe"));
  EXPECT_TRUE(dll == Payload("7z.dll"));
  // Nothing else is left in the folder (no temporary files).
  EXPECT_EQ(ListFolder(work_),
            (std::vector<std::string>{"7z.dll", "7z.exe", "quillvault.prefs"}));
}

TEST_F(StartupE2E, ExistingArchiverNamesAreLeftAlone) {
  ASSERT_TRUE(WriteBytes(work_ + "\\7z.exe", "mine"));
  ASSERT_TRUE(MakeFolders(work_ + "\\7z.dll"));
  const RunResult r = Start("");
  EXPECT_EQ(r.exit_code, 0u);
  std::string exe;
  ASSERT_TRUE(ReadBytes(work_ + "\\7z.exe", &exe));
  EXPECT_EQ(exe, "mine");
  EXPECT_TRUE(IsFolder(work_ + "\\7z.dll"));
}

TEST_F(StartupE2E, LowerCaseBSelectsUnattendedModeOnly) {
  // Only the interactive start looks for the Lang folder, so its box tells
  // the two routes apart.
  const RunResult interactive = Start("/B");
  EXPECT_EQ(interactive.exit_code, 0u);
  EXPECT_TRUE(
      SawBox(interactive, "Language folder missing, defaulting to English."));

  const RunResult unattended = Start("/b");
  EXPECT_EQ(unattended.exit_code, 0u);
  EXPECT_FALSE(
      SawBox(unattended, "Language folder missing, defaulting to English."));
  EXPECT_TRUE(Exists(work_ + "\\7z.exe"));
}

TEST_F(StartupE2E, SecondInstanceShowsAppRunningAndEndsWithZero) {
  // This process holds the instance mutex as a running instance would.
  HANDLE mutex = CreateMutexW(nullptr, TRUE, L"Quillvault");
  ASSERT_NE(mutex, nullptr);
  const RunResult r = Start("");
  CloseHandle(mutex);
  EXPECT_EQ(r.exit_code, 0u);
  ASSERT_FALSE(r.boxes.empty());
  EXPECT_EQ(r.boxes.back().title, "Error");
  EXPECT_EQ(
      r.boxes.back().text,
      "Application is already running!!! Please check the system tray!!!");
}

TEST_F(StartupE2E, MissingProfileFolderShowsTBPathMsgAndEndsWithZero) {
  RemoveTree(home_ + "\\AppData");
  const RunResult r = Start("");
  EXPECT_EQ(r.exit_code, 0u);
  ASSERT_FALSE(r.boxes.empty());
  EXPECT_EQ(r.boxes.back().title, "Error");
  EXPECT_EQ(r.boxes.back().text, "Thunderbird path not found!!!");
  EXPECT_TRUE(Exists(work_ + "\\quillvault.prefs"));
  EXPECT_TRUE(Exists(work_ + "\\7z.dll"));
}

}  // namespace
}  // namespace qv::e2e
