#include "settings/settings.h"

namespace qv {

void PrepareSettings(PrefStore& prefs) {
  // The open file stays current until the next open, which closes it
  // without a write-back since nothing changed.
  if (prefs.Open(kSettingsFile)) return;
  prefs.Create(kSettingsFile);
  prefs.Open(kSettingsFile);
  prefs.WriteText(kKeyBkUpDir, "");
  prefs.WriteNumber(kKeyCloseToTray, 0);
  prefs.WriteNumber(kKeyCompression, 0);
  prefs.WriteNumber(kKeyOpenToTray, 0);
  prefs.WriteNumber(kKeyReopenTB, 0);
  prefs.WriteNumber(kKeyStayOnTop, 0);
  prefs.WriteNumber(kKeyLanguage, kLanguageAtCreation);
  prefs.Close();
}

StartupSettings LoadSettings(PrefStore& prefs) {
  prefs.Open(kSettingsFile);  // on failure every read gives its default
  StartupSettings s;
  s.bkupdir = prefs.ReadText(kKeyBkUpDir, "");
  s.close_to_tray = prefs.ReadNumber(kKeyCloseToTray, 0);
  s.compression = prefs.ReadNumber(kKeyCompression, 0);
  s.open_to_tray = prefs.ReadNumber(kKeyOpenToTray, 0);
  s.reopen_tb = prefs.ReadNumber(kKeyReopenTB, 0);
  s.stay_on_top = prefs.ReadNumber(kKeyStayOnTop, 0);
  s.language = prefs.ReadNumber(kKeyLanguage, kLanguageReadDefault);
  prefs.Close();
  return s;
}

void SaveSetting(PrefStore& prefs, const std::string& key,
                 const std::string& text) {
  prefs.Open(kSettingsFile);  // a missing file is created by the write-back
  prefs.WriteText(key, text);
  prefs.Close();
}

void SaveSetting(PrefStore& prefs, const std::string& key, int64_t number) {
  SaveSetting(prefs, key, std::to_string(number));
}

std::string ReadSettingText(PrefStore& prefs, const std::string& key,
                            const std::string& default_text) {
  prefs.Open(kSettingsFile);
  std::string text = prefs.ReadText(key, default_text);
  prefs.Close();
  return text;
}

int64_t ReadSettingNumber(PrefStore& prefs, const std::string& key,
                          int64_t default_number) {
  prefs.Open(kSettingsFile);
  const int64_t number = prefs.ReadNumber(key, default_number);
  prefs.Close();
  return number;
}

}  // namespace qv
