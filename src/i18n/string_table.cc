#include "i18n/string_table.h"

#include <algorithm>
#include <utility>

#include "base/text.h"
#include "i18n/language.h"

namespace qv {
namespace {

constexpr std::string_view kGroupMarker = "_GROUP_";
constexpr std::string_view kEndMarker = "_END_";

bool IsGroupMarker(std::string_view name) {
  return EqualsIgnoreAsciiCase(name, kGroupMarker);
}
bool IsEndMarker(std::string_view name) {
  return EqualsIgnoreAsciiCase(name, kEndMarker);
}

uint8_t FirstByte(std::string_view key) {
  return key.empty() ? 0 : static_cast<uint8_t>(key[0]);
}

}  // namespace

std::vector<BuiltInKey> BuiltInKeys() {
  std::vector<BuiltInKey> keys;
  std::string_view group;
  for (const TextDefault& pair : BuiltInTexts()) {
    if (IsEndMarker(pair.name)) break;
    if (IsGroupMarker(pair.name)) {
      group = pair.value;
    } else {
      keys.push_back({group, pair.name, pair.value});
    }
  }
  return keys;
}

bool StringTable::LoadLanguage(const std::string& path, PrefStore& prefs) {
  BuildDefaults();
  if (!path.empty()) ApplyLanguageFile(path, prefs, *this);
  return true;
}

void StringTable::BuildDefaults() {
  Clear();
  CountDefaults();
  groups_.resize(static_cast<size_t>(group_count_) + 1);
  keys_.resize(static_cast<size_t>(entry_count_) + 1);
  texts_.resize(static_cast<size_t>(entry_count_) + 1);
  FillFromDefaults();
  for (size_t g = 1; g < groups_.size(); ++g) {
    if (groups_[g].first <= groups_[g].last) SortAndIndex(groups_[g]);
  }
}

void StringTable::Clear() {
  group_count_ = 0;
  entry_count_ = 0;
  groups_.clear();
  keys_.clear();
  texts_.clear();
}

void StringTable::CountDefaults() {
  for (const TextDefault& pair : BuiltInTexts()) {
    if (IsEndMarker(pair.name)) break;
    if (IsGroupMarker(pair.name)) {
      ++group_count_;
    } else {
      ++entry_count_;
    }
  }
}

void StringTable::FillFromDefaults() {
  int32_t g = 0;
  int32_t n = 0;
  for (const TextDefault& pair : BuiltInTexts()) {
    if (IsEndMarker(pair.name)) break;
    if (IsGroupMarker(pair.name)) {
      groups_[static_cast<size_t>(g)].last = n;
      ++g;
      Group& group = groups_[static_cast<size_t>(g)];
      group.name = AsciiUpper(pair.value);
      group.first = n + 1;
      group.first_letter.fill(0);
    } else {
      ++n;
      keys_[static_cast<size_t>(n)] = AsciiUpper(pair.name);
      texts_[static_cast<size_t>(n)] = std::string(pair.value);
    }
  }
  groups_[static_cast<size_t>(g)].last = n;
}

void StringTable::SortAndIndex(Group& group) {
  const auto first = static_cast<size_t>(group.first);
  const auto end = static_cast<size_t>(group.last) + 1;
  // Ordered by key, then text, comparing bytes as unsigned values. Keys are
  // ASCII, so this is also the order of their UTF-16 code units.
  std::vector<std::pair<std::string, std::string>> entries;
  for (size_t i = first; i < end; ++i) {
    entries.emplace_back(std::move(keys_[i]), std::move(texts_[i]));
  }
  std::sort(entries.begin(), entries.end());
  uint8_t previous = 0;
  for (size_t i = first; i < end; ++i) {
    keys_[i] = std::move(entries[i - first].first);
    texts_[i] = std::move(entries[i - first].second);
    const uint8_t code = FirstByte(keys_[i]);
    if (code != previous) {
      previous = code;
      group.first_letter[code] = static_cast<int32_t>(i);
    }
  }
}

int StringTable::FindGroup(const std::string& upper_name) {
  const auto remembered = static_cast<size_t>(remembered_group_);
  if (remembered < groups_.size() && groups_[remembered].name == upper_name) {
    return remembered_group_;
  }
  remembered_group_ = 0;
  for (size_t g = 1; g < groups_.size(); ++g) {
    if (groups_[g].name == upper_name) {
      remembered_group_ = static_cast<int32_t>(g);
      break;
    }
  }
  return remembered_group_;
}

std::string StringTable::GetText(std::string_view group, std::string_view key) {
  const int g = FindGroup(AsciiUpper(group));
  // Every key is ASCII; a key that starts outside it cannot be in the table.
  if (g == 0 || key.empty() || FirstByte(key) >= 0x80) {
    return std::string(kTextNotFound);
  }
  const std::string upper_key = AsciiUpper(key);
  const Group& found = groups_[static_cast<size_t>(g)];
  for (int32_t i = found.first_letter[FirstByte(upper_key)];
       i != 0 && i <= found.last; ++i) {
    const int order = upper_key.compare(keys_[static_cast<size_t>(i)]);
    if (order == 0) return texts_[static_cast<size_t>(i)];
    if (order < 0) break;
  }
  return std::string(kTextNotFound);
}

const std::string& StringTable::GroupName(int group) const {
  return groups_[static_cast<size_t>(group)].name;
}
int StringTable::FirstEntry(int group) const {
  return groups_[static_cast<size_t>(group)].first;
}
int StringTable::LastEntry(int group) const {
  return groups_[static_cast<size_t>(group)].last;
}
const std::string& StringTable::Key(int entry) const {
  return keys_[static_cast<size_t>(entry)];
}
const std::string& StringTable::Text(int entry) const {
  return texts_[static_cast<size_t>(entry)];
}
void StringTable::SetText(int entry, std::string text) {
  texts_[static_cast<size_t>(entry)] = std::move(text);
}

}  // namespace qv
