// Mail-client control against real processes and windows: the stand-in
// client copied under several names, the real process and window lists and
// the system's own taskkill.
#include <gtest/gtest.h>

#include "jobs/mail_client.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_util.h"
#include "tests/win/desktop/desktop_support.h"

namespace qv {
namespace {

// Counts the probes of a search over the real window list.
class CountingWindowList : public WindowList {
 public:
  WindowId Next(WindowId after) override {
    ++probes;
    return real_.Next(after);
  }
  std::string Title(WindowId window, std::size_t max_units) override {
    return real_.Title(window, max_units);
  }
  int probes = 0;

 private:
  Win32WindowList real_;
};

const std::vector<std::wstring> kStandInNames = {
    L"Thunderbird.exe", L"THUNDERBIRD.EXE", L"Thunderbird.exe.bak",
    L"MyThunderbird.exe", L"qv_fake_mail.exe"};

class MailClientWinTest : public ::testing::Test {
 protected:
  void TearDown() override { EndProcessesNamed(kStandInNames); }

  // Starts the stand-in client as `name`, with a window titled `title`, and
  // waits until that window exists.
  void StartStandIn(const std::wstring& name, const std::string& title,
                    bool hidden = false) {
    // A folder for each copy: names that differ only in case are one name.
    const std::wstring folder =
        temp_.path() + std::to_wstring(++stand_ins_) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring copy = folder + name;
    ASSERT_TRUE(CopyHelper(L"qv_fake_mail.exe", copy));
    StartOptions options;
    options.hidden = hidden;
    ASSERT_TRUE(
        launcher_
            .StartProgram(Narrow(copy), "\"" + title + "\" 120000", "", options)
            .started);
    ASSERT_TRUE(WaitUntil([&] {
      return FindWindowW(nullptr, Widen(title).c_str());
    })) << title;
  }

  bool Running(const std::string& name) {
    return IsProcessRunning(processes_, text_, name);
  }

  Win32Launcher launcher_;
  Win32ProcessList processes_;
  Win32WindowList windows_;
  Win32Text text_;
  TempFolder temp_;
  int stand_ins_ = 0;
};

TEST_F(MailClientWinTest, ProcessListMatchesTheWholeNameInAnyCase) {
  StartStandIn(L"Thunderbird.exe.bak", "stand-in one");
  StartStandIn(L"MyThunderbird.exe", "stand-in two");
  std::vector<std::string> executables;
  ASSERT_TRUE(processes_.Snapshot(&executables));
  EXPECT_NE(
      std::find(executables.begin(), executables.end(), "MyThunderbird.exe"),
      executables.end());
  EXPECT_FALSE(Running(kMailClientExe));

  StartStandIn(L"THUNDERBIRD.EXE", "stand-in three");
  EXPECT_TRUE(Running(kMailClientExe));
  EXPECT_TRUE(Running("thunderbird.exe"));
  EXPECT_FALSE(Running("Thunderbird"));
}

TEST_F(MailClientWinTest, FindsATitleContainingTheWordInAnyCase) {
  // Hidden windows count too; the stand-in really starts hidden.
  StartStandIn(L"qv_fake_mail.exe", "Inbox - mOZILLA tHUNDERbird", true);
  const WindowId window =
      IsWindowTitlePresent(windows_, text_, kMailClientTitle);
  ASSERT_NE(window, 0u);
  EXPECT_EQ(windows_.Title(window, kTitleUnits), "Inbox - mOZILLA tHUNDERbird");
  EXPECT_FALSE(IsWindowVisible(reinterpret_cast<HWND>(window)));
}

TEST_F(MailClientWinTest, ReadsNoMoreThan259UnitsOfATitle) {
  // The word begins at unit 260 and is not seen.
  const std::string late = std::string(259, 'x') + "Thunderbird";
  StartStandIn(L"qv_fake_mail.exe", late);
  EXPECT_EQ(IsWindowTitlePresent(windows_, text_, kMailClientTitle), 0u);
  // Ending at unit 259 it is.
  const std::string in_time = std::string(248, 'y') + "Thunderbird tail";
  StartStandIn(L"Thunderbird.exe.bak", in_time);
  const WindowId window =
      IsWindowTitlePresent(windows_, text_, kMailClientTitle);
  ASSERT_NE(window, 0u);
  EXPECT_EQ(windows_.Title(window, 400), in_time);
}

TEST_F(MailClientWinTest, GivesUpAfterExactly1001Probes) {
  StartStandIn(L"qv_fake_mail.exe", "Inbox");
  CountingWindowList counting;
  EXPECT_EQ(IsWindowTitlePresent(counting, text_, "qv no such title"), 0u);
  EXPECT_EQ(counting.probes, 1001);
}

TEST_F(MailClientWinTest, TaskkillEndsTheClient) {
  StartStandIn(L"Thunderbird.exe", "Mozilla Thunderbird");
  StartStandIn(L"THUNDERBIRD.EXE", "second client");
  StartStandIn(L"MyThunderbird.exe", "bystander");
  ASSERT_TRUE(Running(kMailClientExe));
  EndMailClient(launcher_, true);
  // taskkill has ended; the client goes with it or very soon after.
  EXPECT_TRUE(WaitUntil([&] { return !Running(kMailClientExe); }, 10000));
  EXPECT_EQ(IsWindowTitlePresent(windows_, text_, kMailClientTitle), 0u);
  EXPECT_FALSE(FindWindowW(nullptr, L"second client"));
  // A process whose name only contains the client's name is left alone.
  EXPECT_TRUE(Running("MyThunderbird.exe"));
}

TEST_F(MailClientWinTest, RestartStartsTheClientFromTheCurrentFolder) {
  ASSERT_TRUE(
      CopyHelper(L"qv_fake_mail.exe", temp_.path() + L"Thunderbird.exe"));
  ASSERT_TRUE(SetCurrentDirectoryW(temp_.path().c_str()));
  RestartMailClient(launcher_, kRestartUnattended);
  const bool started = WaitUntil([&] {
    return IsWindowTitlePresent(windows_, text_, kMailClientTitle) != 0;
  });
  SetCurrentDirectoryW(OwnFolder().c_str());
  EXPECT_TRUE(started);
  EXPECT_TRUE(Running(kMailClientExe));
}

}  // namespace
}  // namespace qv
