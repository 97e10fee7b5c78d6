#include "i18n/string_table.h"

#include <gtest/gtest.h>

#include <set>

#include "base/text.h"

namespace qv {
namespace {

const std::string kNotFound(kTextNotFound);

class StringTableTest : public testing::Test {
 protected:
  void SetUp() override { table_.BuildDefaults(); }
  StringTable table_;
};

// 79 keys, plus the two failure lines of a backup whose archiver failed.
TEST(BuiltInTexts, HoldNineGroupsAndEightyOneKeys) {
  std::set<std::string_view> groups;
  for (const BuiltInKey& k : BuiltInKeys()) groups.insert(k.group);
  EXPECT_EQ(groups.size(), 9u);
  EXPECT_EQ(BuiltInKeys().size(), 81u);
  EXPECT_EQ(BuiltInTexts().back().name, "_END_");
}

TEST(BuiltInTexts, KeysAreAsciiAndUniqueWithinTheirGroup) {
  std::set<std::pair<std::string_view, std::string>> seen;
  for (const BuiltInKey& k : BuiltInKeys()) {
    for (char c : k.key)
      EXPECT_LT(static_cast<unsigned char>(c), 0x80) << k.key;
    EXPECT_TRUE(seen.insert({k.group, AsciiUpper(k.key)}).second)
        << k.group << "/" << k.key;
  }
}

TEST_F(StringTableTest, BuildSizesAndSortsEveryGroup) {
  EXPECT_EQ(table_.group_count(), 9);
  EXPECT_EQ(table_.entry_count(), 81);
  EXPECT_EQ(table_.GroupName(1), "MAINWINDOW");
  EXPECT_EQ(table_.GroupName(2), "7-ZIP");
  EXPECT_EQ(table_.FirstEntry(1), 1);
  EXPECT_EQ(table_.LastEntry(table_.group_count()), table_.entry_count());
  for (int g = 1; g <= table_.group_count(); ++g) {
    if (g > 1) {
      EXPECT_EQ(table_.FirstEntry(g), table_.LastEntry(g - 1) + 1);
    }
    for (int i = table_.FirstEntry(g); i < table_.LastEntry(g); ++i) {
      EXPECT_LT(table_.Key(i), table_.Key(i + 1)) << table_.GroupName(g);
    }
  }
}

TEST_F(StringTableTest, EveryBuiltInKeyFindsItsOwnText) {
  for (const BuiltInKey& k : BuiltInKeys()) {
    EXPECT_EQ(table_.GetText(k.group, k.key), k.text)
        << k.group << "/" << k.key;
  }
}

TEST_F(StringTableTest, LookupRules) {
  struct Case {
    std::string_view group, key, text;
  } cases[] = {
      {"MESSAGES", "error", "Error"},
      {"messages", "ERROR", "Error"},
      {"RestoreMsgs", "Warning", "Warning"},
      {"RestoreMsgs", "Warning1",
       "This will overwrite your current Thunderbird Data. Are you sure you "
       "wish to continue?"},
      {"RestoreMsgs", "Cancelled", "Cancelled"},
      {"RestoreMsgs", "Cancelled2", "Your restore request has been cancelled."},
      {"LogMessages", "LogFailure",
       "Backup failed, Thunderbird was not closed."},
      {"LogMessages", "LogFailure2",
       "Restore failed, Thunderbird was not closed."},
      {"LogMessages", "LogSuccess", "Database backup successfully saved to "},
      {"LogMessages", "LogSuccess2", "Restore Successful."},
      {"TaskWindow", "OptionLast", "Last"},
      {"TaskWindow", "OptionLastDay", "Last Day"},
      {"PopUpMenu", "Restore", "Restore Database"},
      {"RestoreMsgs", "Restore", "Restore"},
      {"TaskWindow", "TaskName", "Quillvault"},
      {"Misc", "TaskName", "Quillvault"},
      {"7-zip", "TextUltra", "Ultra"},
      // Not in the table.
      {"MainWindow", "Error", kNotFound},  // only in another group
      {"MainWindow", "Warning", kNotFound},
      {"RestoreMsgs", "Warning2", kNotFound},  // past a prefix key
      {"RestoreMsgs", "Warn", kNotFound},      // a prefix of a key
      {"RestoreMsgs", "Zzz", kNotFound},       // after the group's last key
      {"LogMessages", "LogSuccess ", kNotFound},
      {"NoSuchGroup", "Error", kNotFound},
      {"", "Error", kNotFound},
      {"Messages", "", kNotFound},
      {"", "", kNotFound},
      {"Messages ", "Error", kNotFound},
      {"Messages", "\xC3\x89rror", kNotFound},
      {"Messages", "\xFF", kNotFound},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(table_.GetText(c.group, c.key), c.text)
        << "[" << c.group << "] " << c.key;
  }
}

TEST_F(StringTableTest, SwitchingGroupsBackAndForth) {
  // Same key in different groups, so a stale remembered group shows.
  EXPECT_EQ(table_.GetText("PopUpMenu", "Restore"), "Restore Database");
  EXPECT_EQ(table_.GetText("RestoreMsgs", "Restore"), "Restore");
  EXPECT_EQ(table_.GetText("PopUpMenu", "Restore"), "Restore Database");
  EXPECT_EQ(table_.GetText("NoSuchGroup", "Restore"), kNotFound);
  EXPECT_EQ(table_.GetText("RestoreMsgs", "Restore"), "Restore");
  EXPECT_EQ(table_.GetText("", "Restore"), kNotFound);
  EXPECT_EQ(table_.GetText("PopUpMenu", "Restore"), "Restore Database");
}

TEST(StringTable, EveryLookupBeforeTheFirstBuildFails) {
  StringTable table;
  EXPECT_EQ(table.GetText("Messages", "Error"), kNotFound);
  EXPECT_EQ(table.GetText("", ""), kNotFound);
  EXPECT_EQ(table.group_count(), 0);
}

TEST_F(StringTableTest, RebuildRestoresTextsAndKeepsLookupsWorking) {
  EXPECT_EQ(table_.GetText("Misc", "TaskName"), "Quillvault");
  int entry = table_.FirstEntry(1);
  table_.SetText(entry, "changed");
  EXPECT_EQ(table_.GetText("MainWindow", table_.Key(entry)), "changed");
  table_.BuildDefaults();
  EXPECT_EQ(table_.GetText("MainWindow", "BackupClearTip"),
            "Click to clear backup path");
  EXPECT_EQ(table_.GetText("Misc", "AppRunning"),
            "Application is already running!!! Please check the system "
            "tray!!!");
}

}  // namespace
}  // namespace qv
