#include "settings/settings.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace qv {
namespace {

constexpr char kFreshFile[] =
    "\xEF\xBB\xBF\r\n"
    "BkUpDir = \r\n"
    "CloseToTray = 0\r\n"
    "Compression = 0\r\n"
    "OpenToTray = 0\r\n"
    "ReopenTB = 0\r\n"
    "StayOnTop = 0\r\n"
    "Language = 1\r\n";

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() { fake_.env.current_directory = "C:\\Tools\\Quillvault\\"; }
  std::string Content() { return fake_.fs.Content(kSettingsFile); }

  FakePlatform fake_;
  PrefStore prefs_{fake_.fs, fake_.text};
};

TEST_F(SettingsTest, FileLivesInCurrentDirectory) {
  SaveSetting(prefs_, kKeyCompression, 5);
  EXPECT_TRUE(fake_.fs.HasFile("C:\\Tools\\Quillvault\\quillvault.prefs"));
}

TEST_F(SettingsTest, PrepareCreatesFreshFileWhenMissing) {
  PrepareSettings(prefs_);
  EXPECT_EQ(Content(), kFreshFile);
  EXPECT_EQ(fake_.fs.OpenHandles(kSettingsFile), 0);
  EXPECT_FALSE(fake_.fs.HasFile(PrefTempPath(kSettingsFile)));
}

TEST_F(SettingsTest, PrepareLeavesExistingFileCurrentAndUnchanged) {
  const std::string files[] = {"", "Language = 2", "; only a comment\n"};
  for (const std::string& file : files) {
    fake_.fs.AddFile(kSettingsFile, file);
    PrepareSettings(prefs_);
    EXPECT_EQ(fake_.fs.OpenHandles(kSettingsFile), 1);
    LoadSettings(prefs_);  // the next open ends it without a write-back
    EXPECT_EQ(fake_.fs.OpenHandles(kSettingsFile), 0);
    EXPECT_EQ(Content(), file);
    EXPECT_TRUE(fake_.fs.replaces.empty());
  }
}

TEST_F(SettingsTest, PrepareInUnwritableFolderLeavesReadDefaults) {
  fake_.fs.unwritable_folders.insert(fake_.env.current_directory);
  PrepareSettings(prefs_);
  EXPECT_FALSE(fake_.fs.HasFile(kSettingsFile));
  EXPECT_EQ(LoadSettings(prefs_).language, 0);
  SaveSetting(prefs_, kKeyStayOnTop, 1);
  EXPECT_FALSE(fake_.fs.HasFile(kSettingsFile));
}

TEST_F(SettingsTest, LoadReadsEveryKeyWithItsReadDefault) {
  const struct {
    std::string file;  // "-": no file
    StartupSettings want;
  } cases[] = {
      {"-", {"", 0, 0, 0, 0, 0, 0}},
      {kFreshFile, {"", 0, 0, 0, 0, 0, 1}},
      {"Language = 2", {"", 0, 0, 0, 0, 0, 2}},
      {"BkUpDir = D:\\Backups\nCompression = 12\nOpenToTray = 2\n",
       {"D:\\Backups", 0, 12, 2, 0, 0, 0}},
      {"closetotray=1\nREOPENTB = 1\nStayOnTop = 1\nLanguage = x\n",
       {"", 1, 0, 0, 1, 1, 0}},
      {"Compression =\n[Other]\nLanguage = 3\n", {"", 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    fake_.fs.nodes_.clear();
    if (c.file != "-") fake_.fs.AddFile(kSettingsFile, c.file);
    const StartupSettings got = LoadSettings(prefs_);
    EXPECT_EQ(got.bkupdir, c.want.bkupdir) << c.file;
    EXPECT_EQ(got.close_to_tray, c.want.close_to_tray) << c.file;
    EXPECT_EQ(got.compression, c.want.compression) << c.file;
    EXPECT_EQ(got.open_to_tray, c.want.open_to_tray) << c.file;
    EXPECT_EQ(got.reopen_tb, c.want.reopen_tb) << c.file;
    EXPECT_EQ(got.stay_on_top, c.want.stay_on_top) << c.file;
    EXPECT_EQ(got.language, c.want.language) << c.file;
    EXPECT_EQ(fake_.fs.OpenHandles(kSettingsFile), 0);
  }
}

TEST_F(SettingsTest, SaveKeepsUnknownKeysAndComments) {
  fake_.fs.AddFile(
      kSettingsFile,
      ";mine\r\nFoo = bar  \r\ncompression = 3\r\n[X]\r\ny = 1\r\n");
  SaveSetting(prefs_, kKeyCompression, 7);
  SaveSetting(prefs_, kKeyBkUpDir, "E:\\Mail backups\\");
  EXPECT_EQ(Content(),
            "\xEF\xBB\xBF\r\n"
            "; mine\r\n"
            "Foo = bar  \r\n"
            "Compression = 7\r\n"
            "BkUpDir = E:\\Mail backups\\\r\n"
            "[X]\r\n"
            "y = 1\r\n");
}

TEST_F(SettingsTest, SaveToDeletedFileCreatesItWithThatKeyOnly) {
  PrepareSettings(prefs_);
  fake_.fs.Remove(kSettingsFile);
  SaveSetting(prefs_, kKeyStayOnTop, 1);
  EXPECT_EQ(Content(), "\xEF\xBB\xBF\r\nStayOnTop = 1\r\n");
}

TEST_F(SettingsTest, FlippingTwiceRestoresTheValue) {
  PrepareSettings(prefs_);
  SaveSetting(prefs_, kKeyCloseToTray, 1);
  EXPECT_EQ(ReadSettingNumber(prefs_, kKeyCloseToTray, 9), 1);
  SaveSetting(prefs_, kKeyCloseToTray, 0);
  EXPECT_EQ(Content(), kFreshFile);
}

TEST_F(SettingsTest, SaveToFileHeldByAnotherProcessIsDropped) {
  fake_.fs.AddFile(kSettingsFile, "Compression = 3\r\n");
  auto other = fake_.fs.Open(kSettingsFile, OpenMode::kReadWriteShareRead);
  ASSERT_TRUE(other);
  SaveSetting(prefs_, kKeyCompression, 9);
  other.reset();
  EXPECT_EQ(Content(), "Compression = 3\r\n");
}

TEST_F(SettingsTest, SingleReadsOpenAndClose) {
  fake_.fs.AddFile(kSettingsFile, "BkUpDir = \\\\server\\share\nReopenTB = 1");
  EXPECT_EQ(ReadSettingText(prefs_, kKeyBkUpDir, "-"), "\\\\server\\share");
  EXPECT_EQ(ReadSettingNumber(prefs_, kKeyReopenTB, 0), 1);
  EXPECT_EQ(ReadSettingNumber(prefs_, kKeyCompression, 4), 4);
  EXPECT_EQ(ReadSettingText(prefs_, kKeyLanguage, "-"), "-");
  EXPECT_EQ(fake_.fs.OpenHandles(kSettingsFile), 0);
  EXPECT_EQ(fake_.fs.writes_opened.size(), 4u);  // the holding opens only
  EXPECT_TRUE(fake_.fs.replaces.empty());
}

}  // namespace
}  // namespace qv
