// The Activity log's conversion into the ANSI code page, run once per code
// page: Wine takes the code page from the locale it is started with, so the
// test is registered under two locales and told which page to expect.
//   qv_log_codepage_tests <code page>
#include <gtest/gtest.h>

#include <cstdlib>

#include "jobs/activity_log.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_util.h"
#include "tests/win/desktop/desktop_support.h"

namespace qv {
namespace {

struct Expected {
  UINT code_page;
  std::string bytes;  // the message as it must land in the file
};

// The message holds German, Russian and the euro sign; each code page lacks
// one of the scripts.
constexpr char kMessage[] =
    "Gr\xC3\xBC\xC3\x9F"
    "e \xD0\x96\xD0\xB8\xD0\xB7\xD0\xBD\xD1\x8C \xE2\x82\xAC";

Expected& Wanted() {
  static Expected expected;
  return expected;
}

class LogCodePageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SetCurrentDirectoryW(temp_.path().c_str()));
  }
  void TearDown() override { SetCurrentDirectoryW(OwnFolder().c_str()); }
  TempFolder temp_;
};

TEST_F(LogCodePageTest, WritesTheLineInTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), Wanted().code_page);
  Win32FileSystem fs;
  Win32Clock clock;
  Win32Text text;
  const std::string before = FormatLogTime(clock.Now());
  WriteLog(fs, clock, text, kLogName, kMessage);
  const std::string after = FormatLogTime(clock.Now());
  std::string log = ReadBytes(temp_.path() + L"Backup.log");
  ASSERT_GT(log.size(), 21u);
  EXPECT_EQ(log.substr(0, log.size() - 21), Wanted().bytes + " ");
  const std::string stamp = log.substr(log.size() - 21, 19);
  EXPECT_TRUE(stamp == before || stamp == after) << stamp;
  EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
}

}  // namespace
}  // namespace qv

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const UINT code_page = argc > 1 ? static_cast<UINT>(std::atoi(argv[1])) : 0;
  // A letter the page lacks comes out as a similar one where the page has
  // it (u for u-umlaut in 1251), else as the default character '?'.
  if (code_page == 1252) {
    qv::Wanted() = {1252,
                    "Gr\xFC\xDF"
                    "e ????? \x80"};
  } else if (code_page == 1251) {
    qv::Wanted() = {1251, "Gru?e \xC6\xE8\xE7\xED\xFC \x88"};
  } else {
    return 2;
  }
  return RUN_ALL_TESTS();
}
