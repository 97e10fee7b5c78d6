#include "settings/pref_store.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/fake/fake_platform.h"

namespace qv {
namespace {

constexpr char kPath[] = "C:\\w\\a.prefs";
constexpr char kTemp[] = "C:\\w\\a.prefs.tmp";
constexpr char kMissing[] = "<default>";
const std::string kBom = "\xEF\xBB\xBF";

// What a write-back produces for the given entry lines.
std::string Written(const std::string& lines) { return kBom + "\r\n" + lines; }

class PrefStoreTest : public ::testing::Test {
 protected:
  FakeFileSystem fs_;
  FakeText text_;
  PrefStore store_{fs_, text_};
};

TEST(ParsePrefNumber, ReadsLeadingDecimalAndSaturates) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  const struct {
    const char* value;
    int64_t number;
  } cases[] = {
      {"", 0},
      {"abc", 0},
      {"42", 42},
      {"42abc", 42},
      {"-7", -7},
      {"+7", 7},
      {" \t-12x", -12},
      {"007", 7},
      {"1 2", 1},
      {"--5", 0},
      {"- 5", 0},
      {"-", 0},
      {"9223372036854775807", kMax},
      {"9223372036854775808", kMax},
      {"99999999999999999999999999", kMax},
      {"-9223372036854775807", kMin + 1},
      {"-9223372036854775808", kMin},
      {"-9223372036854775809", kMin},
      {"-99999999999999999999999999x", kMin},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParsePrefNumber(c.value), c.number) << '"' << c.value << '"';
  }
}

TEST_F(PrefStoreTest, ReadingRules) {
  const struct {
    std::string content;
    const char* group;
    const char* key;
    std::string value;  // kMissing: the default came back
  } cases[] = {
      {"k=v", "", "k", "v"},
      {"k = v", "", "k", "v"},
      {" \t k \t= \t v  ", "", "k", "v  "},
      {"key = v", "", "KeY", "v"},
      {"k =", "", "k", ""},
      {"k = a = b ; c", "", "k", "a = b ; c"},
      {"lone   \r\nk = 2", "", "lone", ""},
      {"lone   \r\nk = 2", "", "k", "2"},
      {"k = 1\nk = 2", "", "k", "1"},
      {"; k = 1", "", "k", kMissing},
      {"=v", "", "", "v"},
      {"a=1\r\nk=2", "", "k", "2"},
      {"a=1\nk=2", "", "k", "2"},
      {"a=1\rk=2", "", "k", "2"},
      {"a=1\r\r\n\n\r\nk=2\r\n\r\n", "", "k", "2"},
      {"[G]\nk = 1", "", "k", kMissing},
      {"[G]\nk = 1", "G", "k", "1"},
      {"[g]\nk = 1", "G", "k", "1"},
      {"k = 0\n[G]\nk = 1\n[H]\nk = 2", "H", "k", "2"},
      {"[G]\nk = 1\n[H]\n", "H", "k", kMissing},
      {"[ G ]\nk = 1", "G", "k", kMissing},
      {"[ G ]\nk = 1", " G ", "k", "1"},
      {"[G] tail\nk = 1", "G", "k", "1"},
      {"[G\nk = 1", "G", "k", "1"},
      {"[G]\nk = 1\n[G]\nk = 2\nj = 3", "G", "j", kMissing},
      {"[G]\nk = 1", "Nope", "k", kMissing},
      // Without the mark each byte is an ANSI character.
      {"k = \xC3\xA4", "", "k", "\xC3\x83\xC2\xA4"},
      {kBom + "k = \xC3\xA4", "", "k", "\xC3\xA4"},
  };
  for (const auto& c : cases) {
    fs_.AddFile(kPath, c.content);
    ASSERT_TRUE(store_.Open(kPath));
    store_.SelectGroup(c.group);
    EXPECT_EQ(store_.ReadText(c.key, kMissing), c.value)
        << '"' << c.content << "\" [" << c.group << "] " << c.key;
    store_.Close();
  }
}

TEST_F(PrefStoreTest, NumbersFallBackToDefaultOnlyWhenKeyIsMissing) {
  fs_.AddFile(kPath, "empty =\nword = abc\nneg = -12abc\n[G]\nn = 5");
  ASSERT_TRUE(store_.Open(kPath));
  EXPECT_EQ(store_.ReadNumber("empty", 9), 0);
  EXPECT_EQ(store_.ReadNumber("word", 9), 0);
  EXPECT_EQ(store_.ReadNumber("neg", 9), -12);
  EXPECT_EQ(store_.ReadNumber("n", 9), 9);
  EXPECT_FALSE(store_.SelectGroup("Missing"));
  EXPECT_EQ(store_.ReadNumber("neg", 9), 9);
  EXPECT_TRUE(store_.SelectGroup("g"));
  EXPECT_EQ(store_.ReadNumber("N", 9), 5);
  EXPECT_TRUE(store_.SelectGroup(""));
  EXPECT_EQ(store_.ReadNumber("neg", 9), -12);
}

TEST_F(PrefStoreTest, WritingRules) {
  const struct {
    std::string content;
    const char* group;
    const char* key;
    std::string value;
    std::string lines;  // the file after Close, mark and first line aside
  } cases[] = {
      {"bkupdir = x", "", "BkUpDir", "y", "BkUpDir = y\r\n"},
      {"k=1", "", "k", "", "k = \r\n"},
      {";c\n;  d\nk=1", "", "k", "2", "; c\r\n;  d\r\nk = 2\r\n"},
      {"k = 1\nk = 2", "", "k", "9", "k = 9\r\nk = 2\r\n"},
      {"a=1\n;x\n[G]\nb=2", "", "c", "3",
       "a = 1\r\n; x\r\nc = 3\r\n[G]\r\nb = 2\r\n"},
      {"[G]\nb=2", "", "c", "3", "c = 3\r\n[G]\r\nb = 2\r\n"},
      {"", "", "c", "3", "c = 3\r\n"},
      {"[G]\nb=2\n[H]\nd=4", "g", "c", "3",
       "[G]\r\nb = 2\r\nc = 3\r\n[H]\r\nd = 4\r\n"},
      {"[G]\nc=1\n[G]\nc=2", "G", "C", "3", "[G]\r\nC = 3\r\n[G]\r\nc = 2\r\n"},
      {"a=1\n[G]\nb=2", "New", "k", "3",
       "a = 1\r\n[G]\r\nb = 2\r\n[New]\r\nk = 3\r\n"},
      {"  a=1  \n\n\t[G]  tail\n  ", "", "a", "2", "a = 2\r\n[G]\r\n"},
      // A line break would split the entry; the value is cut before it.
      {"", "", "k", "one\r\ntwo = 2", "k = one\r\n"},
      {"", "", "k\nx = 1", "v", "k = v\r\n"},
  };
  for (const auto& c : cases) {
    fs_.AddFile(kPath, c.content);
    ASSERT_TRUE(store_.Open(kPath));
    store_.SelectGroup(c.group);
    store_.WriteText(c.key, c.value);
    store_.Close();
    EXPECT_EQ(fs_.Content(kPath), Written(c.lines))
        << '"' << c.content << "\" [" << c.group << "] " << c.key;
  }
}

TEST_F(PrefStoreTest, WrittenKeyIsReadBackBeforeClose) {
  ASSERT_FALSE(store_.Open(kPath));
  store_.SelectGroup("G");
  store_.WriteNumber("n", -5);
  store_.WriteText("t", "x");
  EXPECT_EQ(store_.ReadNumber("N", 0), -5);
  EXPECT_EQ(store_.ReadText("T", ""), "x");
  store_.SelectGroup("");
  EXPECT_EQ(store_.ReadNumber("n", 7), 7);
}

TEST_F(PrefStoreTest, MissingFileIsCreatedByTheFirstWrite) {
  ASSERT_FALSE(store_.Open(kPath));
  EXPECT_EQ(store_.ReadText("k", kMissing), kMissing);
  EXPECT_FALSE(fs_.HasFile(kPath));
  store_.WriteNumber("Language", -9223372036854775807 - 1);
  store_.Close();
  EXPECT_EQ(fs_.Content(kPath),
            "\xEF\xBB\xBF\r\nLanguage = -9223372036854775808\r\n");
  EXPECT_FALSE(fs_.HasFile(kTemp));
}

TEST_F(PrefStoreTest, MissingFileStaysMissingWithoutWrite) {
  ASSERT_FALSE(store_.Open(kPath));
  store_.Close();
  EXPECT_FALSE(fs_.HasFile(kPath));
  EXPECT_TRUE(fs_.writes_opened.empty());
}

TEST_F(PrefStoreTest, OpenReadCloseLeavesFileUntouched) {
  const std::string contents[] = {
      "",
      kBom,
      kBom + "\r\n",
      "  a=1 \n\n;c\n[G] x\r\nk\tv\r",
      kBom + "bad = \xFF\xC3x\r\n",
      std::string("nul = a\0b", 9),
      "\xEF\xBB",
      "k = \r\r\r",
      "k = " + std::string(1 << 20, 'x'),
  };
  for (const std::string& content : contents) {
    fs_.writes_opened.clear();
    fs_.AddFile(kPath, content);
    ASSERT_TRUE(store_.Open(kPath));
    store_.SelectGroup("G");
    store_.ReadText("k", "");
    store_.ReadNumber("a", 0);
    store_.Close();
    EXPECT_EQ(fs_.Content(kPath), content);
    // The one writing mode is the open that holds the file; nothing rewrote it.
    EXPECT_EQ(fs_.writes_opened, std::vector<std::string>{kPath});
    EXPECT_TRUE(fs_.replaces.empty());
    EXPECT_EQ(fs_.OpenHandles(kPath), 0);
  }
}

TEST_F(PrefStoreTest, BadInputGivesDefinedValues) {
  const struct {
    std::string content;
    std::string key;
    std::string value;
  } cases[] = {
      {"", "k", kMissing},
      {kBom, "k", kMissing},
      {kBom + "\r\n\r\n", "k", kMissing},
      {"a = 1\rk = 2\r", "k", "2"},
      {kBom + "k = " + std::string(1 << 20, 'x') + "\nj = 1", "j", "1"},
      {kBom + std::string("k = a\0b\n", 8), "k", std::string("a\0b", 3)},
      {std::string("k\0 = v", 6), std::string("k\0", 2), "v"},
      {std::string("k\0 = v", 6), "k", kMissing},
      {kBom + "k = \xFF\xFE\xC3", "k", "\xFF\xFE\xC3"},
      {"k = \x81", "k", "\xEF\xBF\xBD"},  // a byte the code page lacks
      {"\xEF\xBB"
       "k = 1",
       "\xC3\xAF\xC2\xBBk", "1"},
  };
  for (const auto& c : cases) {
    fs_.writes_opened.clear();
    fs_.AddFile(kPath, c.content);
    ASSERT_TRUE(store_.Open(kPath));
    EXPECT_EQ(store_.ReadText(c.key, kMissing), c.value)
        << c.content.substr(0, 40);
    store_.Close();
    EXPECT_EQ(fs_.Content(kPath), c.content);
    EXPECT_EQ(fs_.writes_opened.size(), 1u);
  }
}

TEST_F(PrefStoreTest, LongLineSurvivesWriteBack) {
  const std::string value(1 << 20, 'x');
  fs_.AddFile(kPath, "k = " + value + "\n");
  ASSERT_TRUE(store_.Open(kPath));
  store_.WriteNumber("j", 1);
  store_.Close();
  EXPECT_EQ(fs_.Content(kPath), Written("k = " + value + "\r\nj = 1\r\n"));
}

TEST_F(PrefStoreTest, InvalidUtf8ValueRoundTripsThroughWriteBack) {
  fs_.AddFile(kPath, kBom + "bad = \xFF\xC3x\xED\xA0\x80\r\nk = 1\r\n");
  ASSERT_TRUE(store_.Open(kPath));
  EXPECT_EQ(store_.ReadText("bad", ""), "\xFF\xC3x\xED\xA0\x80");
  store_.WriteNumber("k", 2);
  store_.Close();
  EXPECT_EQ(fs_.Content(kPath),
            Written("bad = \xFF\xC3x\xED\xA0\x80\r\nk = 2\r\n"));
}

TEST_F(PrefStoreTest, FolderWhereFileShouldBe) {
  fs_.AddFolder(kPath);
  EXPECT_FALSE(store_.Open(kPath));
  EXPECT_EQ(store_.ReadNumber("k", 3), 3);
  store_.WriteNumber("k", 1);
  store_.Close();
  EXPECT_EQ(fs_.Stat(kPath), PathKind::kFolder);
  EXPECT_FALSE(fs_.HasFile(kTemp));
}

TEST_F(PrefStoreTest, WriteBackReplacesThroughTempFile) {
  fs_.AddFile(kPath, "k = 1\r\n");
  fs_.AddFile(kTemp, "left over from a crash");
  ASSERT_TRUE(store_.Open(kPath));
  store_.WriteNumber("k", 2);
  EXPECT_EQ(fs_.Content(kPath), "k = 1\r\n");  // nothing before Close
  store_.Close();
  EXPECT_EQ(fs_.Content(kPath), Written("k = 2\r\n"));
  EXPECT_EQ(fs_.replaces,
            std::vector<std::string>{std::string(kTemp) + " -> " + kPath});
  EXPECT_EQ(fs_.writes_opened, (std::vector<std::string>{kPath, kTemp}));
  EXPECT_FALSE(fs_.HasFile(kTemp));
  EXPECT_EQ(fs_.OpenHandles(kPath), 0);
}

TEST_F(PrefStoreTest, FullMediumKeepsOldFile) {
  fs_.AddFile(kPath, "k = 1\r\nother = x\r\n");
  ASSERT_TRUE(store_.Open(kPath));
  store_.WriteNumber("k", 2);
  fs_.space_left = 10;
  store_.Close();
  EXPECT_EQ(fs_.Content(kPath), "k = 1\r\nother = x\r\n");
  EXPECT_FALSE(fs_.HasFile(kTemp));
  EXPECT_TRUE(fs_.replaces.empty());
}

TEST_F(PrefStoreTest, RefusedReplaceFallsBackToRewriteInPlace) {
  fs_.AddFile(kPath, "k = 1\r\n");
  fs_.refuse_replace = true;
  ASSERT_TRUE(store_.Open(kPath));
  store_.WriteNumber("k", 2);
  store_.Close();
  EXPECT_EQ(fs_.Content(kPath), Written("k = 2\r\n"));
  EXPECT_FALSE(fs_.HasFile(kTemp));
  EXPECT_EQ(fs_.writes_opened, (std::vector<std::string>{kPath, kTemp, kPath}));
}

TEST_F(PrefStoreTest, RefusedReplaceStillCreatesMissingFile) {
  fs_.refuse_replace = true;
  EXPECT_FALSE(store_.Open(kPath));
  store_.WriteText("k", "v");
  store_.Close();
  EXPECT_EQ(fs_.Content(kPath), Written("k = v\r\n"));
  EXPECT_FALSE(fs_.HasFile(kTemp));
}

TEST_F(PrefStoreTest, UnwritableFolderDropsWrites) {
  fs_.unwritable_folders.insert("C:\\w\\");
  EXPECT_FALSE(store_.Open(kPath));
  store_.WriteText("k", "v");
  store_.Close();
  EXPECT_FALSE(fs_.HasFile(kPath));
  EXPECT_FALSE(fs_.HasFile(kTemp));
}

TEST_F(PrefStoreTest, ReadOnlyFileIsReadAndNeverWritten) {
  fs_.AddFile(kPath, "k = 1");
  fs_.read_only.insert(kPath);
  ASSERT_TRUE(store_.Open(kPath));
  EXPECT_EQ(store_.ReadNumber("k", 0), 1);
  store_.WriteNumber("k", 2);
  store_.Close();
  EXPECT_EQ(fs_.Content(kPath), "k = 1");
  EXPECT_TRUE(fs_.writes_opened.empty());
  EXPECT_TRUE(fs_.replaces.empty());
}

TEST_F(PrefStoreTest, FileHeldByAnotherWriterIsReadOnly) {
  fs_.AddFile(kPath, "k = 1");
  auto other = fs_.Open(kPath, OpenMode::kAppendShareAll);
  ASSERT_TRUE(other);
  fs_.writes_opened.clear();
  ASSERT_TRUE(store_.Open(kPath));
  EXPECT_EQ(store_.ReadNumber("k", 0), 1);
  store_.WriteNumber("k", 2);
  store_.Close();
  EXPECT_EQ(fs_.Content(kPath), "k = 1");
  EXPECT_TRUE(fs_.writes_opened.empty());
}

TEST_F(PrefStoreTest, OpenFileKeepsOthersToReading) {
  fs_.AddFile(kPath, "k = 1");
  ASSERT_TRUE(store_.Open(kPath));
  EXPECT_FALSE(fs_.Open(kPath, OpenMode::kReadWriteShareRead));
  EXPECT_TRUE(fs_.Open(kPath, OpenMode::kReadShareReadWrite));
  store_.Close();
  EXPECT_EQ(fs_.OpenHandles(kPath), 0);
}

TEST_F(PrefStoreTest, CreateEmptiesAtOnceAndWritesMarkAtClose) {
  fs_.AddFile(kPath, "k = 1");
  ASSERT_TRUE(store_.Create(kPath));
  EXPECT_EQ(fs_.Content(kPath), "");
  EXPECT_EQ(store_.ReadText("k", kMissing), kMissing);
  store_.Close();
  EXPECT_EQ(fs_.Content(kPath), Written(""));
}

TEST_F(PrefStoreTest, FailedCreateDropsWrites) {
  fs_.unwritable_folders.insert("C:\\w");
  EXPECT_FALSE(store_.Create(kPath));
  store_.WriteText("k", "v");
  EXPECT_EQ(store_.ReadText("k", kMissing), kMissing);
  store_.Close();
  EXPECT_FALSE(fs_.HasFile(kPath));
  EXPECT_TRUE(fs_.writes_opened.empty());
}

TEST_F(PrefStoreTest, NextOpenAndDestructionWriteBack) {
  const std::string other = "C:\\w\\b.prefs";
  fs_.AddFile(other, "x = 1");
  {
    PrefStore store(fs_, text_);
    store.Open(kPath);
    store.WriteNumber("a", 1);
    ASSERT_TRUE(store.Open(other));
    EXPECT_EQ(fs_.Content(kPath), Written("a = 1\r\n"));
    EXPECT_EQ(store.ReadNumber("a", 7), 7);
    store.WriteNumber("b", 2);
  }
  EXPECT_EQ(fs_.Content(other), Written("x = 1\r\nb = 2\r\n"));
}

TEST_F(PrefStoreTest, WithoutCurrentFileReadsDefaultAndWritesNothing) {
  EXPECT_FALSE(store_.SelectGroup(""));
  EXPECT_EQ(store_.ReadText("k", kMissing), kMissing);
  EXPECT_EQ(store_.ReadNumber("k", 4), 4);
  store_.WriteText("k", "v");
  store_.Close();
  EXPECT_TRUE(fs_.nodes_.empty());
}

}  // namespace
}  // namespace qv
