#include "i18n/language.h"

#include "i18n/string_table.h"
#include "settings/pref_store.h"
#include "settings/settings.h"

namespace qv {
namespace {

// Shown before the String table exists, so they cannot come from it.
constexpr char kFolderMissingTitle[] = "Error";
constexpr char kFolderMissingText[] =
    "Language folder missing, defaulting to English.";
constexpr char kLocaleUnknownTitle[] = "Warning";
constexpr char kLocaleUnknownText[] =
    "Language not found, defaulting to English.";

void WarnInEnglish(Dialogs& dialogs, const char* title, const char* text) {
  dialogs.ShowMessage(title, text, BoxIcon::kWarning, BoxButtons::kOk);
}

}  // namespace

std::string LanguageFilePath(const std::string& current_directory,
                             int64_t language) {
  const char* file = nullptr;
  switch (language) {
    case kLanguageDutch:
      file = "dutch.lng";
      break;
    case kLanguageGerman:
      file = "german.lng";
      break;
    case kLanguageRussian:
      file = "russian.lng";
      break;
    default:
      return "";
  }
  // The current directory ends with a backslash already; Windows reads the
  // doubled separator as one.
  return current_directory + "\\" + kLanguageFolder + "\\" + file;
}

void ApplyLanguageFile(const std::string& path, PrefStore& prefs,
                       StringTable& table) {
  if (path.empty()) return;
  if (prefs.Open(path)) {
    for (int g = 1; g <= table.group_count(); ++g) {
      if (table.FirstEntry(g) > table.LastEntry(g)) continue;
      if (!prefs.SelectGroup(table.GroupName(g))) continue;
      for (int i = table.FirstEntry(g); i <= table.LastEntry(g); ++i) {
        table.SetText(i, prefs.ReadText(table.Key(i), table.Text(i)));
      }
    }
  }
  prefs.Close();  // nothing was written, so the file stays as it is
}

void SelectStartupLanguage(Platform& platform, PrefStore& prefs,
                           StringTable& table, int64_t language) {
  const std::string directory = platform.env.CurrentDirectory();
  if (platform.fs.Stat(directory + kLanguageFolder) == PathKind::kNone) {
    WarnInEnglish(platform.dialogs, kFolderMissingTitle, kFolderMissingText);
  }
  table.LoadLanguage(LanguageFilePath(directory, language), prefs);
}

void DetectLanguage(Platform& platform, PrefStore& prefs, StringTable& table) {
  const std::string name = platform.system.UserLanguageName();
  const std::string directory = platform.env.CurrentDirectory();
  if (name == "Deutsch (Deutschland)" || name == "German (Germany)") {
    table.LoadLanguage(LanguageFilePath(directory, kLanguageGerman), prefs);
    SaveSetting(prefs, kKeyLanguage, kLanguageGerman);
  } else if (name == "Dutch (Netherlands)" ||
             name == "Nederlands (Nederland)") {
    table.LoadLanguage(LanguageFilePath(directory, kLanguageDutch), prefs);
    SaveSetting(prefs, kKeyLanguage, kLanguageDutch);
  } else if (name == "English (United States)") {
    SaveSetting(prefs, kKeyLanguage, kLanguageEnglish);
    table.LoadLanguage("", prefs);
  } else {
    WarnInEnglish(platform.dialogs, kLocaleUnknownTitle, kLocaleUnknownText);
    table.LoadLanguage("", prefs);
  }
}

std::vector<std::string> LanguageComboItems(FileSystem& fs) {
  std::vector<std::string> items = {kComboPrompt};
  for (std::string& name :
       fs.ListFiles(std::string(".\\") + kLanguageFolder, "*.lng")) {
    items.push_back(std::move(name));
  }
  return items;
}

void OnLanguageSelected(PrefStore& prefs, int position) {
  if (position < 1 || position > 4) return;
  SaveSetting(prefs, kKeyLanguage, position - 1);
}

}  // namespace qv
