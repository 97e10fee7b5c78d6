// The process-wide state of one run, owned by the entry point and passed by
// reference to the start-up, the jobs and the event handlers.
#pragma once

#include <cstdint>
#include <string>

#include "i18n/string_table.h"
#include "platform/ports.h"
#include "settings/pref_store.h"
#include "settings/settings.h"

namespace qv {

struct AppState {
  explicit AppState(Platform& p) : platform(p), prefs(p.fs, p.text) {}
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

  Platform& platform;
  PrefStore prefs;
  StringTable strings;

  uint32_t taskbar_created_message = 0;
  std::string profile_folder_path;
  /// Values read at start-up; they serve the start-up and the window state.
  StartupSettings startup;
  std::string backup_folder_path;
  int close_to_tray_flag = 0;
  int reopen_flag = 0;
  int open_to_tray_flag = 0;
  int stay_on_top_flag = 0;
  /// Progress dots of the interactive backup; kept across jobs.
  int dot_count = 0;
};

}  // namespace qv
