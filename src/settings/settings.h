// The Settings file: the user's choices, kept in a Preference file in the
// current directory. Only the top section is used; no group is selected.
#pragma once

#include <cstdint>
#include <string>

#include "settings/pref_store.h"

namespace qv {

inline constexpr char kSettingsFile[] = "quillvault.prefs";

inline constexpr char kKeyBkUpDir[] = "BkUpDir";
inline constexpr char kKeyCloseToTray[] = "CloseToTray";
inline constexpr char kKeyCompression[] = "Compression";
inline constexpr char kKeyOpenToTray[] = "OpenToTray";
inline constexpr char kKeyReopenTB[] = "ReopenTB";
inline constexpr char kKeyStayOnTop[] = "StayOnTop";
inline constexpr char kKeyLanguage[] = "Language";

/// A new file starts in English; a file without the key reads as Dutch.
inline constexpr int64_t kLanguageAtCreation = 1;
inline constexpr int64_t kLanguageReadDefault = 0;

/// The values read once at start-up, each with its read default.
struct StartupSettings {
  std::string bkupdir;
  int64_t close_to_tray = 0;
  int64_t compression = 0;
  int64_t open_to_tray = 0;
  int64_t reopen_tb = 0;
  int64_t stay_on_top = 0;
  int64_t language = kLanguageReadDefault;
};

/// Start-up step: opens the file and leaves it current, unchanged; when it
/// cannot be opened, creates it holding the seven keys with their creation
/// values. An existing file is never completed.
void PrepareSettings(PrefStore& prefs);
StartupSettings LoadSettings(PrefStore& prefs);
/// Opens the file, writes the one key and closes it, which writes it back.
/// Other keys and comments stay; a missing file is created with this key.
void SaveSetting(PrefStore& prefs, const std::string& key,
                 const std::string& text);
void SaveSetting(PrefStore& prefs, const std::string& key, int64_t number);
/// Open, read one key, close.
std::string ReadSettingText(PrefStore& prefs, const std::string& key,
                            const std::string& default_text);
int64_t ReadSettingNumber(PrefStore& prefs, const std::string& key,
                          int64_t default_number);

}  // namespace qv
