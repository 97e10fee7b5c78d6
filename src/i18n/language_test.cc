#include "i18n/language.h"

#include <gtest/gtest.h>

#include <optional>

#include "i18n/string_table.h"
#include "platform/fake/fake_platform.h"
#include "settings/pref_store.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr char kLangDir[] = "C:\\app\\Lang";
constexpr char kSettings[] = "C:\\app\\quillvault.prefs";
const std::string kNotFound(kTextNotFound);

/// A Language file as an editor saves it: optional mark, CR LF lines.
std::string LanguageFile(std::initializer_list<std::string_view> lines,
                         bool bom = true) {
  std::string content = bom ? kBom : "";
  for (std::string_view line : lines) (content += line) += "\r\n";
  return content;
}

/// The folder "Lang" with the three files, each naming itself in the window
/// title, so a test can tell which one was applied.
void AddLanguageFiles(FakeFileSystem& fs) {
  fs.AddFolder(kLangDir);
  for (auto [name, title] : {std::pair{"dutch.lng", "NL"},
                             {"german.lng", "DE"},
                             {"russian.lng", "RU"}}) {
    fs.AddFile(
        std::string(kLangDir) + "\\" + name,
        LanguageFile({"[MainWindow]", std::string("WinTitle = ") + title}));
  }
}

class LanguageTest : public testing::Test {
 protected:
  std::string Title() { return table_.GetText("MainWindow", "WinTitle"); }
  std::optional<int64_t> StoredLanguage() {
    if (!fake_.fs.HasFile(kSettings)) return std::nullopt;
    PrefStore reader(fake_.fs, fake_.text);
    reader.Open(kSettings);
    return reader.ReadNumber(kKeyLanguage, -99);
  }

  FakePlatform fake_;
  PrefStore prefs_{fake_.fs, fake_.text};
  StringTable table_;
};

TEST(LanguageFilePath, NamesTheFileInsideTheLangFolder) {
  EXPECT_EQ(LanguageFilePath("C:\\app\\", 0), "C:\\app\\\\Lang\\dutch.lng");
  EXPECT_EQ(LanguageFilePath("C:\\app\\", 2), "C:\\app\\\\Lang\\german.lng");
  EXPECT_EQ(LanguageFilePath("C:\\app\\", 3), "C:\\app\\\\Lang\\russian.lng");
  for (int64_t other :
       {int64_t{1}, int64_t{4}, int64_t{5}, int64_t{-1}, int64_t{1} << 40}) {
    EXPECT_EQ(LanguageFilePath("C:\\app\\", other), "") << other;
  }
}

TEST_F(LanguageTest, FileReplacesOnlyTheKeysOfKnownGroups) {
  const std::string path = "C:\\app\\Lang\\test.lng";
  const std::string content = LanguageFile({
      "; translated by hand",
      "WinTitle = top-section keys belong to no group",
      "[messages]",
      "error = Fout",
      "successmsg=Gelukt",
      "NoSuchKey = ignored",
      "[LogMessages]",
      "LogSuccess = Opgeslagen in ",
      "TaskFail =",
      "[NoSuchGroup]",
      "Error = ignored too",
      "[RestoreMsgs]",
      "Warning1 = Overschrijven?",
  });
  fake_.fs.AddFile(path, content);

  EXPECT_TRUE(table_.LoadLanguage(path, prefs_));

  EXPECT_EQ(table_.GetText("Messages", "Error"), "Fout");
  EXPECT_EQ(table_.GetText("Messages", "SuccessMsg"), "Gelukt");
  EXPECT_EQ(table_.GetText("Messages", "CloseError"),
            "Thunderbird must be closed before backing up. Close it now?");
  EXPECT_EQ(table_.GetText("Messages", "NoSuchKey"), kNotFound);
  EXPECT_EQ(table_.GetText("LogMessages", "LogSuccess"), "Opgeslagen in ");
  EXPECT_EQ(table_.GetText("LogMessages", "TaskFail"), "");
  EXPECT_EQ(table_.GetText("RestoreMsgs", "Warning1"), "Overschrijven?");
  EXPECT_EQ(table_.GetText("RestoreMsgs", "Warning"), "Warning");
  EXPECT_EQ(table_.GetText("MainWindow", "WinTitle"), "Quillvault");
  // Only read: no write-back, nothing left open.
  EXPECT_EQ(fake_.fs.Content(path), content);
  EXPECT_TRUE(fake_.fs.replaces.empty());
  EXPECT_EQ(fake_.fs.OpenHandles(path), 0);
}

TEST_F(LanguageTest, FileWithoutMarkIsReadInTheAnsiCodePage) {
  const std::string path = "C:\\app\\Lang\\german.lng";
  // Windows-1252: E4 is a-umlaut, 80 the euro sign.
  fake_.fs.AddFile(path,
                   LanguageFile({"[PopUpMenu]", "QuitApp = Beenden \xE4\x80"},
                                /*bom=*/false));
  table_.LoadLanguage(path, prefs_);
  EXPECT_EQ(table_.GetText("PopUpMenu", "QuitApp"),
            "Beenden \xC3\xA4\xE2\x82\xAC");
}

TEST_F(LanguageTest, FileWithMarkKeepsItsUtf8) {
  const std::string path = "C:\\app\\Lang\\russian.lng";
  fake_.fs.AddFile(
      path,
      LanguageFile({"[PopUpMenu]",
                    "QuitApp = \xD0\x92\xD1\x8B\xD1\x85\xD0\xBE\xD0\xB4"}));
  table_.LoadLanguage(path, prefs_);
  EXPECT_EQ(table_.GetText("PopUpMenu", "QuitApp"),
            "\xD0\x92\xD1\x8B\xD1\x85\xD0\xBE\xD0\xB4");
}

TEST_F(LanguageTest, MissingFileOrEmptyPathLeavesEnglishAndCreatesNothing) {
  for (const std::string path : {"C:\\app\\Lang\\dutch.lng", ""}) {
    table_.LoadLanguage(path, prefs_);
    EXPECT_EQ(Title(), "Quillvault") << path;
    EXPECT_EQ(table_.GetText("Messages", "Error"), "Error") << path;
  }
  EXPECT_TRUE(fake_.fs.nodes_.empty());
}

TEST_F(LanguageTest, EachLoadStartsFromTheEnglishTexts) {
  AddLanguageFiles(fake_.fs);
  table_.LoadLanguage(LanguageFilePath("C:\\app\\", 2), prefs_);
  ASSERT_EQ(Title(), "DE");
  table_.LoadLanguage("", prefs_);
  EXPECT_EQ(Title(), "Quillvault");
}

TEST_F(LanguageTest, StartupSelection) {
  enum class Folder { kMissing, kPresent, kEmpty };
  struct Case {
    int64_t language;
    Folder folder;
    std::string title;  // which file, if any, was applied
    bool box;
  } cases[] = {
      {0, Folder::kPresent, "NL", false},
      {2, Folder::kPresent, "DE", false},
      {3, Folder::kPresent, "RU", false},
      {1, Folder::kPresent, "Quillvault", false},
      {5, Folder::kPresent, "Quillvault", false},
      {-1, Folder::kPresent, "Quillvault", false},
      {0, Folder::kMissing, "Quillvault", true},
      {1, Folder::kMissing, "Quillvault", true},
      {2, Folder::kMissing, "Quillvault", true},
      {3, Folder::kEmpty, "Quillvault", false},
      {0, Folder::kEmpty, "Quillvault", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "Language " << c.language << " folder "
                                    << static_cast<int>(c.folder));
    FakePlatform fake;
    if (c.folder == Folder::kPresent) {
      AddLanguageFiles(fake.fs);
    } else if (c.folder == Folder::kEmpty) {
      fake.fs.AddFolder(kLangDir);
    }
    PrefStore prefs(fake.fs, fake.text);
    StringTable table;

    SelectStartupLanguage(fake.platform, prefs, table, c.language);

    EXPECT_EQ(table.GetText("MainWindow", "WinTitle"), c.title);
    EXPECT_EQ(table.GetText("Messages", "Error"), "Error");  // table built
    if (c.box) {
      ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
      EXPECT_EQ(fake.dialogs.boxes[0].title, "Error");
      EXPECT_EQ(fake.dialogs.boxes[0].text,
                "Language folder missing, defaulting to English.");
      EXPECT_EQ(fake.dialogs.boxes[0].icon, BoxIcon::kWarning);
      EXPECT_EQ(fake.dialogs.boxes[0].buttons, BoxButtons::kOk);
    } else {
      EXPECT_TRUE(fake.dialogs.boxes.empty());
    }
    // Only the selected file is opened, and it is not written back.
    std::vector<std::string> opened;
    for (const std::string& entry : fake.trace) {
      if (entry.rfind("open-", 0) == 0) {
        opened.push_back(entry.substr(entry.find(' ') + 1));
      }
    }
    std::vector<std::string> expected;
    if (c.title != "Quillvault") {
      expected.push_back(LanguageFilePath("C:\\app\\", c.language));
    }
    EXPECT_EQ(opened, expected);
    EXPECT_TRUE(fake.fs.replaces.empty());
  }
}

TEST_F(LanguageTest, DetectLanguageFollowsTheExactLocaleName) {
  struct Case {
    std::string locale;
    std::string title;
    std::optional<int64_t> stored;  // nullopt: the setting is left alone
  } cases[] = {
      {"German (Germany)", "DE", 2},
      {"Deutsch (Deutschland)", "DE", 2},
      {"Dutch (Netherlands)", "NL", 0},
      {"Nederlands (Nederland)", "NL", 0},
      {"English (United States)", "Quillvault", 1},
      {"English (United Kingdom)", "Quillvault", std::nullopt},
      {"Russian (Russia)", "Quillvault", std::nullopt},
      {"\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9 "
       "(\xD0\xA0\xD0\xBE\xD1\x81\xD1\x81\xD0\xB8\xD1\x8F)",
       "Quillvault", std::nullopt},
      {"German (Austria)", "Quillvault", std::nullopt},
      {"german (germany)", "Quillvault", std::nullopt},
      {"German (Germany) ", "Quillvault", std::nullopt},
      {"", "Quillvault", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale);
    FakePlatform fake;
    AddLanguageFiles(fake.fs);
    const std::string settings =
        LanguageFile({"", "BkUpDir = D:\\Backups\\", "Language = 3"});
    fake.fs.AddFile(kSettings, settings);
    fake.system.language_name = c.locale;
    PrefStore prefs(fake.fs, fake.text);
    StringTable table;

    DetectLanguage(fake.platform, prefs, table);

    EXPECT_EQ(table.GetText("MainWindow", "WinTitle"), c.title);
    if (c.stored) {
      EXPECT_EQ(ReadSettingNumber(prefs, kKeyLanguage, -99), *c.stored);
      EXPECT_EQ(ReadSettingText(prefs, kKeyBkUpDir, ""), "D:\\Backups\\");
      EXPECT_TRUE(fake.dialogs.boxes.empty());
    } else {
      EXPECT_EQ(fake.fs.Content(kSettings), settings);
      ASSERT_EQ(fake.dialogs.boxes.size(), 1u);
      EXPECT_EQ(fake.dialogs.boxes[0].title, "Warning");
      EXPECT_EQ(fake.dialogs.boxes[0].text,
                "Language not found, defaulting to English.");
      EXPECT_EQ(fake.dialogs.boxes[0].icon, BoxIcon::kWarning);
      EXPECT_EQ(fake.dialogs.boxes[0].buttons, BoxButtons::kOk);
    }
    // The language file is only read.
    EXPECT_EQ(fake.fs.Content(std::string(kLangDir) + "\\german.lng"),
              LanguageFile({"[MainWindow]", "WinTitle = DE"}));
  }
}

TEST_F(LanguageTest, DetectedLanguageIsStoredEvenWithoutItsFile) {
  fake_.system.language_name = "German (Germany)";
  DetectLanguage(fake_.platform, prefs_, table_);
  EXPECT_EQ(Title(), "Quillvault");
  EXPECT_EQ(StoredLanguage(), 2);
}

TEST_F(LanguageTest, ComboListsThePromptThenTheLanguageFiles) {
  EXPECT_EQ(LanguageComboItems(fake_.fs),
            std::vector<std::string>{"Select Language:"});
  AddLanguageFiles(fake_.fs);
  fake_.fs.AddFile(std::string(kLangDir) + "\\readme.txt", "");
  fake_.fs.AddFolder(std::string(kLangDir) + "\\old.lng");
  fake_.fs.AddFile("C:\\app\\english.lng", "");
  EXPECT_EQ(LanguageComboItems(fake_.fs),
            (std::vector<std::string>{"Select Language:", "dutch.lng",
                                      "german.lng", "russian.lng"}));
}

TEST_F(LanguageTest, ComboPositionsOneToFourStorePositionMinusOne) {
  struct Case {
    int position;
    std::optional<int64_t> stored;
  } cases[] = {{1, 0},
               {2, 1},
               {3, 2},
               {4, 3},
               {0, std::nullopt},
               {5, std::nullopt},
               {-1, std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    fake_.fs.Remove(kSettings);
    OnLanguageSelected(prefs_, c.position);
    EXPECT_EQ(StoredLanguage(), c.stored);
  }
}

}  // namespace
}  // namespace qv
