#include "app/startup.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/fake/fake_platform.h"

namespace qv {
namespace {

class RecordingShell : public InteractiveShell {
 public:
  int Run(AppState& app) override {
    ++runs;
    profile = app.profile_folder_path;
    return EndProgram(app);
  }
  int runs = 0;
  std::string profile;
};

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() {
    fake_.env.vars["USERPROFILE"] = "C:\\Users\\ann";
    fake_.fs.AddFolder("C:\\Users\\ann\\AppData\\Roaming\\Thunderbird");
    fake_.fs.AddFolder("C:\\app\\Lang");
  }
  int Start(const std::string& command_line) {
    fake_.system.command_line = command_line;
    AppState app(fake_.platform);
    return RunStartup(app, &shell_);
  }
  size_t IndexOf(const std::string& prefix) const {
    auto it = std::find_if(
        fake_.trace.begin(), fake_.trace.end(),
        [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
    return static_cast<size_t>(it - fake_.trace.begin());
  }
  bool Traced(const std::string& prefix) const {
    return IndexOf(prefix) < fake_.trace.size();
  }

  FakePlatform fake_;
  RecordingShell shell_;
};

TEST_F(StartupTest, InteractiveStartRunsTheStepsInOrder) {
  EXPECT_EQ(Start("quillvault.exe"), 0);
  ASSERT_FALSE(fake_.trace.empty());
  EXPECT_EQ(fake_.trace.front(), "register TaskbarCreated");
  const size_t prefs = IndexOf("open-write quillvault.prefs");
  const size_t archiver = IndexOf("open-write 7z.exe");
  const size_t mutex = IndexOf("mutex Quillvault");
  EXPECT_LT(prefs, archiver);
  EXPECT_LT(archiver, mutex);
  EXPECT_LT(mutex, fake_.trace.size());
  EXPECT_TRUE(fake_.dialogs.boxes.empty());
  EXPECT_EQ(shell_.runs, 1);
  EXPECT_EQ(shell_.profile, "C:\\Users\\ann\\AppData\\Roaming\\Thunderbird");
  EXPECT_TRUE(fake_.fs.HasFile("C:\\app\\quillvault.prefs"));
  EXPECT_TRUE(fake_.fs.HasFile("C:\\app\\7z.dll"));
}

TEST_F(StartupTest, UnattendedSwitchSkipsTheInteractiveSteps) {
  for (const char* line : {"q.exe /b", "q.exe /backup", "q.exe \"/b x\""}) {
    fake_.trace.clear();
    EXPECT_EQ(Start(line), 0) << line;
    EXPECT_FALSE(Traced("mutex")) << line;
    EXPECT_TRUE(Traced("open-write 7z.exe") || fake_.fs.HasFile("7z.exe"))
        << line;
  }
  EXPECT_EQ(shell_.runs, 0);
}

TEST_F(StartupTest, OtherFirstParametersStartInteractively) {
  for (const char* line : {"q.exe /B", "q.exe x /b", "q.exe -b", "q.exe /"}) {
    fake_.system.existing_mutexes.clear();  // the previous run has ended
    EXPECT_EQ(Start(line), 0) << line;
  }
  EXPECT_EQ(shell_.runs, 4);
}

TEST_F(StartupTest, SecondInstanceShowsAppRunningAndEndsWithZero) {
  fake_.system.existing_mutexes.insert("Quillvault");
  EXPECT_EQ(Start("q.exe"), 0);
  ASSERT_EQ(fake_.dialogs.boxes.size(), 1u);
  EXPECT_EQ(fake_.dialogs.boxes[0].title, "Error");
  EXPECT_EQ(
      fake_.dialogs.boxes[0].text,
      "Application is already running!!! Please check the system tray!!!");
  EXPECT_EQ(fake_.dialogs.boxes[0].icon, BoxIcon::kWarning);
  EXPECT_EQ(shell_.runs, 0);
}

TEST_F(StartupTest, MissingProfileShowsTBPathMsgAfterFilesAreMade) {
  fake_.fs.Remove("C:\\Users\\ann\\AppData\\Roaming\\Thunderbird");
  EXPECT_EQ(Start("q.exe"), 0);
  ASSERT_EQ(fake_.dialogs.boxes.size(), 1u);
  EXPECT_EQ(fake_.dialogs.boxes[0].text, "Thunderbird path not found!!!");
  EXPECT_EQ(fake_.dialogs.boxes[0].icon, BoxIcon::kError);
  EXPECT_EQ(shell_.runs, 0);
  EXPECT_TRUE(fake_.fs.HasFile("quillvault.prefs"));
  EXPECT_TRUE(fake_.fs.HasFile("7z.exe"));
  EXPECT_TRUE(Traced("mutex Quillvault"));
}

TEST_F(StartupTest, AFileAtTheProfilePathPassesTheCheck) {
  fake_.fs.Remove("C:\\Users\\ann\\AppData\\Roaming\\Thunderbird");
  fake_.fs.AddFile("C:\\Users\\ann\\AppData\\Roaming\\Thunderbird", "");
  EXPECT_EQ(Start("q.exe"), 0);
  EXPECT_EQ(shell_.runs, 1);
}

TEST_F(StartupTest, MissingLangFolderWarnsAndGoesOn) {
  fake_.fs.Remove("C:\\app\\Lang");
  EXPECT_EQ(Start("q.exe"), 0);
  ASSERT_EQ(fake_.dialogs.boxes.size(), 1u);
  EXPECT_EQ(fake_.dialogs.boxes[0].text,
            "Language folder missing, defaulting to English.");
  EXPECT_EQ(shell_.runs, 1);
}

TEST_F(StartupTest, ExistingSettingsAreReadNotRewritten) {
  const std::string prefs =
      "\xEF\xBB\xBF\r\nLanguage = 1\r\nBkUpDir = D:\\B\\\r\n";
  fake_.fs.AddFile("quillvault.prefs", prefs);
  EXPECT_EQ(Start("q.exe"), 0);
  EXPECT_EQ(fake_.fs.Content("quillvault.prefs"), prefs);
}

}  // namespace
}  // namespace qv
