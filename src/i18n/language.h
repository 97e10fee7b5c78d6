// Language files and the choice of language: which file the `Language`
// setting or the user locale selects, and the LanguageCombo's contents and
// handler.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace qv {

class PrefStore;
class StringTable;

// The `Language` values; every other value means the built-in English texts.
inline constexpr int64_t kLanguageDutch = 0;
inline constexpr int64_t kLanguageEnglish = 1;
inline constexpr int64_t kLanguageGerman = 2;
inline constexpr int64_t kLanguageRussian = 3;

inline constexpr char kLanguageFolder[] = "Lang";
inline constexpr char kComboPrompt[] = "Select Language:";

/// The Language file that `language` selects: `current_directory` followed by
/// "\Lang\<name>.lng"; empty for English and for every unknown value.
std::string LanguageFilePath(const std::string& current_directory,
                             int64_t language);

/// Replaces the texts of `table` with those the file at `path` gives for the
/// table's groups and keys; keys the file lacks keep their text. The file is
/// only read. Nothing happens when it cannot be opened.
void ApplyLanguageFile(const std::string& path, PrefStore& prefs,
                       StringTable& table);

/// Interactive start-up: loads the table for the `Language` setting, after a
/// fixed English warning when the folder "Lang" is missing.
void SelectStartupLanguage(Platform& platform, PrefStore& prefs,
                           StringTable& table, int64_t language);

/// Unattended start: loads the table for the user locale's language and
/// stores the matching `Language` value; unknown locales get English after a
/// fixed English warning and leave the setting alone.
void DetectLanguage(Platform& platform, PrefStore& prefs, StringTable& table);

/// Item 0 is the prompt, then the Language files in the folder's listing
/// order.
std::vector<std::string> LanguageComboItems(FileSystem& fs);

/// Items 1 to 4 store `Language` = position - 1 (effective at the next
/// start); any other position stores nothing.
void OnLanguageSelected(PrefStore& prefs, int position);

}  // namespace qv
