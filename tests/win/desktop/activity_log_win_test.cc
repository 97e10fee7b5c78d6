// The Activity log on the real file system: concurrent writers in two
// processes, the time stamp of the real clock, and files that cannot be
// opened.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

#include "jobs/activity_log.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_util.h"
#include "tests/win/desktop/desktop_support.h"

namespace qv {
namespace {

class ActivityLogWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SetCurrentDirectoryW(temp_.path().c_str()));
  }
  void TearDown() override {
    SetCurrentDirectoryW(OwnFolder().c_str());
    EndProcessesNamed({L"qv_log_writer.exe"});
  }
  void Write(const std::string& name, const std::string& message) {
    WriteLog(fs_, clock_, text_, name, message);
  }
  std::string Log() { return ReadBytes(temp_.path() + L"Backup.log"); }

  Win32FileSystem fs_;
  Win32Clock clock_;
  Win32Text text_;
  TempFolder temp_;
};

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST_F(ActivityLogWinTest, TwoProcessesAppendingAtOnceLoseNoLine) {
  Win32Launcher launcher;
  StartOptions options;
  options.hidden = true;
  options.keep_handle = true;
  const std::string writer = Narrow(OwnFolder()) + "qv_log_writer.exe";
  constexpr int kCount = 300;
  StartResult a = launcher.StartProgram(writer, std::to_string(kCount) + " A",
                                        temp_.utf8(), options);
  StartResult b = launcher.StartProgram(writer, std::to_string(kCount) + " B",
                                        temp_.utf8(), options);
  ASSERT_TRUE(a.started && b.started);
  a.program->WaitForExit();
  b.program->WaitForExit();

  const std::regex form(
      "([AB]) ([0-9]+) [0-9]{2}/[0-9]{2}/[0-9]{4} "
      "[0-9]{2}:[0-9]{2}:[0-9]{2}\r");
  std::set<std::string> seen;
  const std::vector<std::string> lines = Lines(Log());
  for (const std::string& line : lines) {
    std::smatch match;
    ASSERT_TRUE(std::regex_match(line, match, form)) << line;
    seen.insert(match[1].str() + match[2].str());
  }
  EXPECT_EQ(lines.size(), 2u * kCount);
  EXPECT_EQ(seen.size(), 2u * kCount);
}

TEST_F(ActivityLogWinTest, LinesOfOneSecondCarryOneTimeStamp) {
  // Retried when the clock turns to the next second in between.
  for (int attempt = 0; attempt < 5; ++attempt) {
    DeleteFileW((temp_.path() + L"Backup.log").c_str());
    const std::string before = FormatLogTime(clock_.Now());
    Write(kLogName, "first");
    Write(kLogName, "second");
    if (FormatLogTime(clock_.Now()) != before) continue;
    EXPECT_EQ(Log(), "first " + before + "\r\nsecond " + before + "\r\n");
    return;
  }
  FAIL() << "the clock never stood still for two lines";
}

TEST_F(ActivityLogWinTest, DropsLinesThatCannotBeWritten) {
  // A folder in the file's place.
  ASSERT_TRUE(
      CreateDirectoryW((temp_.path() + L"Backup.log").c_str(), nullptr));
  Write(kLogName, "lost");
  EXPECT_EQ(GetFileAttributesW((temp_.path() + L"Backup.log").c_str()) &
                FILE_ATTRIBUTE_DIRECTORY,
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  // A folder that does not exist.
  Write("missing\\Backup", "lost");
  EXPECT_EQ(GetFileAttributesW((temp_.path() + L"missing").c_str()),
            INVALID_FILE_ATTRIBUTES);
  // A file another process holds without sharing it keeps what it held.
  const std::wstring held = temp_.path() + L"Held.log";
  ASSERT_TRUE(WriteBytes(held, "kept\r\n"));
  {
    UniqueHandle exclusive(CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                       nullptr));
    ASSERT_TRUE(exclusive.valid());
    Write("Held", "lost");
  }
  EXPECT_EQ(ReadBytes(held), "kept\r\n");
}

}  // namespace
}  // namespace qv
