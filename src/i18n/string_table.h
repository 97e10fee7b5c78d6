// The String table: every user-visible text by group and key, built from the
// English texts compiled into the program and optionally overlaid by a
// Language file.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class PrefStore;

/// One pair of the built-in sequence. ("_GROUP_", G) opens group G,
/// ("_END_", "") ends the sequence, any other pair is a key and its text.
struct TextDefault {
  std::string_view name;
  std::string_view value;
};

/// The built-in English texts, in table order, "_END_" pair included.
std::span<const TextDefault> BuiltInTexts();

/// One key of the built-in sequence, spelled as the sequence spells it.
struct BuiltInKey {
  std::string_view group;
  std::string_view key;
  std::string_view text;
};

/// Every key of the built-in sequence, group by group, in sequence order.
std::vector<BuiltInKey> BuiltInKeys();

inline constexpr std::string_view kTextNotFound =
    "##### String not found! #####";

class StringTable {
 public:
  /// Rebuilds the table from the built-in texts, then applies the Language
  /// file at `path` when it is not empty. Always true: a missing or unreadable
  /// file leaves the English texts.
  bool LoadLanguage(const std::string& path, PrefStore& prefs);
  /// Rebuilds the table from the built-in texts alone.
  void BuildDefaults();

  /// The text of `key` in `group`, both matched ignoring ASCII case;
  /// kTextNotFound for anything the table does not hold.
  std::string GetText(std::string_view group, std::string_view key);

  // The built table: groups 1..group_count(), entries 1..entry_count(). Names
  // and keys are upper case; the entries of a group are sorted by key.
  int group_count() const { return group_count_; }
  int entry_count() const { return entry_count_; }
  const std::string& GroupName(int group) const;
  int FirstEntry(int group) const;
  int LastEntry(int group) const;  // FirstEntry - 1 for a group without keys
  const std::string& Key(int entry) const;
  const std::string& Text(int entry) const;
  void SetText(int entry, std::string text);

 private:
  struct Group {
    std::string name;
    int32_t first = 0;
    int32_t last = -1;
    /// Slot c: first sorted entry whose key begins with byte c; 0 for none.
    std::array<int32_t, 256> first_letter{};
  };

  void Clear();
  void CountDefaults();
  void FillFromDefaults();
  void SortAndIndex(Group& group);
  int FindGroup(const std::string& upper_name);

  int32_t group_count_ = 0;
  int32_t entry_count_ = 0;
  std::vector<Group> groups_;       // slot 0 is an unreachable placeholder
  std::vector<std::string> keys_;   // slot 0 unused
  std::vector<std::string> texts_;  // parallel to keys_
  /// The group of the previous lookup; kept across rebuilds, so its name is
  /// always checked before use.
  int32_t remembered_group_ = 0;
};

}  // namespace qv
