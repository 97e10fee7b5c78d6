#include "platform/launch.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

TEST(CommandLineForTest, QuotesFileAndAppendsParameters) {
  struct Case {
    const char* file;
    const char* parameters;
    const char* expected;
  };
  const Case cases[] = {
      {"7z.exe", "", "\"7z.exe\""},
      {"taskkill", "/f /im thunderbird.exe",
       "\"taskkill\" /f /im thunderbird.exe"},
      {"C:\\Program Files\\x.exe", "a", "\"C:\\Program Files\\x.exe\" a"},
      // A file that already begins with a quote is taken as it is.
      {"\"C:\\a b\\x.exe\"", "", "\"C:\\a b\\x.exe\""},
      {"\"C:\\a b\\x.exe\" -q", "p", "\"C:\\a b\\x.exe\" -q p"},
      // Parameters are passed through untouched, quotes and blanks included.
      {"explorer", "\"D:\\My Backups\\\"", "\"explorer\" \"D:\\My Backups\\\""},
      {"x", " lead  two ", "\"x\"  lead  two "},
      {"", "", "\"\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CommandLineFor(c.file, c.parameters), c.expected)
        << c.file << " | " << c.parameters;
  }
}

TEST(CommandLineForTest, FolderAndQuotesOfFileNames) {
  EXPECT_EQ(FolderPart("C:\\docs\\a.txt"), "C:\\docs\\");
  EXPECT_EQ(FolderPart("sub/a.txt"), "sub/");
  EXPECT_EQ(FolderPart("backup.log"), "");
  EXPECT_EQ(FolderPart("\\\\srv\\share\\"), "\\\\srv\\share\\");
  EXPECT_EQ(UnquotedFile("\"C:\\a b\\x.txt\""), "C:\\a b\\x.txt");
  EXPECT_EQ(UnquotedFile("x.txt"), "x.txt");
  EXPECT_EQ(UnquotedFile("\""), "\"");
}

TEST(CommandLineForTest, RecognisesBatchScripts) {
  for (const char* name :
       {"x.bat", "C:\\a b\\RUN.CMD", "\"y.Bat\"", "z.bat. .", ".cmd"}) {
    EXPECT_TRUE(IsBatchFile(name)) << name;
  }
  for (const char* name :
       {"7z.exe", "taskkill", "backup.log", "bat", "x.bats", "x.bat.exe", ""}) {
    EXPECT_FALSE(IsBatchFile(name)) << name;
  }
}

std::vector<std::string> SplitAll(const std::vector<std::string>& chunks) {
  OutputLines lines;
  std::vector<std::string> out;
  std::string line;
  for (const std::string& chunk : chunks) {
    lines.Feed(chunk);
    while (lines.TakeLine(&line)) out.push_back(line);
  }
  while (lines.TakeRest(&line)) out.push_back(line);
  EXPECT_FALSE(lines.HasPending());
  return out;
}

TEST(OutputLinesTest, SplitsAtLineFeedsAndDropsCarriageReturns) {
  struct Case {
    std::vector<std::string> chunks;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {{"a\r\nb\nc\r\n"}, {"a", "b", "c"}},
      {{"one\r", "\ntwo\n"}, {"one", "two"}},
      {{"no final lf"}, {"no final lf"}},
      {{"x\n", "tail\r"}, {"x", "tail"}},
      {{"\n\r\n"}, {"", ""}},
      {{"a\rb\n"}, {"ab"}},
      {{}, {}},
      {{""}, {}},
      // A multi-byte character split across two reads stays one character.
      {{"gr\xC3", "\xBC\xC3\x9F\n"}, {"gr\xC3\xBC\xC3\x9F"}},
      // Bytes that are not UTF-8 become U+FFFD, one per bad byte.
      {{"a\xFF\xC3z\n"}, {"a\xEF\xBF\xBD\xEF\xBF\xBDz"}},
      {{"\xE2\x82\n"}, {"\xEF\xBF\xBD\xEF\xBF\xBD"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitAll(c.chunks), c.expected)
        << ::testing::PrintToString(c.chunks);
  }
}

TEST(OutputLinesTest, HoldsAPartialLineUntilItsLineFeedArrives) {
  OutputLines lines;
  std::string line = "untouched";
  lines.Feed("par");
  EXPECT_FALSE(lines.TakeLine(&line));
  EXPECT_EQ(line, "untouched");
  EXPECT_TRUE(lines.HasPending());
  lines.Feed("tial\nnext");
  ASSERT_TRUE(lines.TakeLine(&line));
  EXPECT_EQ(line, "partial");
  EXPECT_FALSE(lines.TakeLine(&line));
  ASSERT_TRUE(lines.TakeRest(&line));
  EXPECT_EQ(line, "next");
  EXPECT_FALSE(lines.TakeRest(&line));
}

}  // namespace
}  // namespace qv
