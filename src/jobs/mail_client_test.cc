#include "jobs/mail_client.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace qv {
namespace {

TEST(IsProcessRunningTest, MatchesTheWholeFileNameIgnoringCase) {
  struct Case {
    std::vector<std::string> executables;
    bool expected;
  };
  const Case cases[] = {
      {{"explorer.exe", "Thunderbird.exe"}, true},
      {{"THUNDERBIRD.EXE"}, true},
      {{"thunderbird.exe"}, true},
      {{"C:\\Program Files\\Mozilla Thunderbird\\thunderbird.exe"}, true},
      {{"C:/apps/Thunderbird.exe"}, true},
      {{"Thunderbird.exe.bak"}, false},
      {{"MyThunderbird.exe"}, false},
      {{"Thunderbird"}, false},
      {{"C:\\Thunderbird.exe\\other.exe"}, false},
      {{}, false},
  };
  for (const Case& c : cases) {
    FakePlatform fake;
    fake.processes.executables = c.executables;
    EXPECT_EQ(IsProcessRunning(fake.processes, fake.text, kMailClientExe),
              c.expected)
        << ::testing::PrintToString(c.executables);
  }
}

TEST(IsProcessRunningTest, UsesFullUnicodeUpperCasing) {
  FakePlatform fake;
  fake.processes.executables = {"\xC3\x96L.EXE"};  // "ÖL.EXE"
  EXPECT_TRUE(IsProcessRunning(fake.processes, fake.text, "\xC3\xB6l.exe"));
}

TEST(IsProcessRunningTest, AnswersFalseWithoutAProcessList) {
  FakePlatform fake;
  fake.processes.executables = {"Thunderbird.exe"};
  fake.processes.available = false;
  EXPECT_FALSE(IsProcessRunning(fake.processes, fake.text, kMailClientExe));
  EXPECT_EQ(fake.processes.snapshots, 1);
  fake.processes.available = true;
  EXPECT_FALSE(IsProcessRunning(fake.processes, fake.text, ""));
}

TEST(IsWindowTitlePresentTest, FindsTheTextAnywhereInTheTitle) {
  const std::string padding(248, 'x');
  struct Case {
    std::vector<std::string> titles;
    WindowId expected;
    int probes;
  };
  const Case cases[] = {
      {{"", "Inbox - Mozilla Thunderbird"}, 2, 2},
      {{"a", "b", "THUNDERBIRD"}, 3, 3},
      {{"thunderbird backups - File Manager"}, 1, 1},
      {{"Thunder bird", "Thunderbir"}, 0, kTitleProbes},
      // The word ends at unit 259: still read.
      {{padding + "Thunderbird"}, 1, 1},
      // One unit later it runs past the 259 units that are read.
      {{padding + "xThunderbird"}, 0, kTitleProbes},
      {{}, 0, kTitleProbes},
  };
  for (const Case& c : cases) {
    FakeWindowList windows;
    windows.titles = c.titles;
    FakeText text;
    EXPECT_EQ(IsWindowTitlePresent(windows, text, kMailClientTitle), c.expected)
        << ::testing::PrintToString(c.titles);
    EXPECT_EQ(windows.probes, c.probes);
  }
}

TEST(IsWindowTitlePresentTest, EmptyTextNeverMatches) {
  FakeWindowList windows;
  windows.titles = {"Thunderbird", ""};
  FakeText text;
  EXPECT_EQ(IsWindowTitlePresent(windows, text, ""), 0u);
  EXPECT_EQ(windows.probes, kTitleProbes);
}

// A window that appears while the list is walked is found on a later round.
class GrowingWindowList : public FakeWindowList {
 public:
  WindowId Next(WindowId after) override {
    if (probes == 500) titles.push_back("Mozilla Thunderbird");
    return FakeWindowList::Next(after);
  }
};

TEST(IsWindowTitlePresentTest, WalksTheListRoundAgain) {
  GrowingWindowList windows;
  windows.titles = {"one", "two"};
  FakeText text;
  EXPECT_EQ(IsWindowTitlePresent(windows, text, "thunderBIRD"), 3u);
  EXPECT_GT(windows.probes, 500);
  EXPECT_LT(windows.probes, kTitleProbes);
}

TEST(MailClientTest, EndsAndRestartsWithTheFixedCommandLines) {
  FakePlatform fake;
  EndMailClient(fake.launcher, false);
  EndMailClient(fake.launcher, true);
  RestartMailClient(fake.launcher, kRestartUnattended);
  ASSERT_EQ(fake.launcher.starts.size(), 3u);
  for (int i = 0; i < 2; ++i) {
    const RecordedStart& s = fake.launcher.starts[static_cast<size_t>(i)];
    EXPECT_EQ(s.file, "taskkill");
    EXPECT_EQ(s.parameters, "/f /im thunderbird.exe");
    EXPECT_EQ(s.folder, "");
    EXPECT_TRUE(s.options.hidden);
    EXPECT_EQ(s.options.wait, i == 1);
    EXPECT_FALSE(s.options.keep_handle);
  }
  const RecordedStart& restart = fake.launcher.starts[2];
  EXPECT_EQ(restart.file, "thunderbird.exe");
  EXPECT_EQ(restart.parameters, "");
  EXPECT_EQ(restart.folder, "");
  EXPECT_FALSE(restart.options.hidden || restart.options.wait ||
               restart.options.keep_handle || restart.options.read_output);
}

}  // namespace
}  // namespace qv
