// The Preference file store: reads a line-oriented key file (the Settings file
// and the Language files share the format) into an ordered list of entries,
// answers reads from it, applies writes to it and writes the whole file back
// at Close when something was written.
//
// Reading: a file that starts with EF BB BF is UTF-8 (the mark is dropped,
// the bytes are kept as they are); any other file is ANSI text. Lines end at
// CR or LF; blank lines carry nothing. After leading blanks, ";" starts a
// comment, "[" a group line, anything else a key line "key = value" (blanks
// around the key and after "=" dropped, blanks at the end of the value kept).
// Keys and group names match ignoring the case of A-Z; the first match wins.
//
// Written form: EF BB BF CR LF, then one line per entry ended by CR LF:
// "[name]", "; text" or "key = value".
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports.h"

namespace qv {

/// The decimal number at the start of a value (blanks and one sign allowed
/// before the digits, stops at the first other char, 0 when no number);
/// saturates at INT64 limits.
int64_t ParsePrefNumber(std::string_view value);

/// Name of the file a write-back builds before it replaces the original.
std::string PrefTempPath(const std::string& path);

/// One file is current at a time. Open/Create end the previous one as Close
/// does. Nothing here reports errors: failures leave neutral values.
class PrefStore {
 public:
  PrefStore(FileSystem& fs, TextServices& text);
  ~PrefStore();
  PrefStore(const PrefStore&) = delete;
  PrefStore& operator=(const PrefStore&) = delete;

  /// Reads the file and holds it open (others may only read) until Close.
  /// False when it cannot be opened; the store then holds an empty file that
  /// remembers the path, so that a later write creates it. A file that can
  /// only be opened for reading is read, and writes to it are discarded.
  bool Open(const std::string& path);
  /// Creates the file, or empties it, at once; the empty list counts as
  /// changed. False when that fails; later writes are then dropped.
  bool Create(const std::string& path);
  /// Writes the file back when something changed, then forgets it.
  void Close();

  /// An empty name selects the top section. False when the group is missing:
  /// reads then give their defaults and the first write appends the group.
  bool SelectGroup(const std::string& name);
  /// The value of the key in the current group; the default when the key is
  /// missing, a selected group is missing or no file is current.
  std::string ReadText(const std::string& key, const std::string& default_text);
  /// ParsePrefNumber of the value; the default only when the key is not
  /// found (a present empty or non-numeric value reads as 0).
  int64_t ReadNumber(const std::string& key, int64_t default_number);
  /// Sets the key in the current group, adding it when missing. A key or
  /// value holding CR or LF is cut at the first of them, so that a value can
  /// never break the file into extra lines.
  void WriteText(const std::string& key, const std::string& text);
  void WriteNumber(const std::string& key, int64_t number);

 private:
  enum class Kind { kGroup, kComment, kKey };
  struct Entry {
    Kind kind;
    std::string name;  // group name, comment text or key
    std::string value;
  };
  static constexpr size_t kTop = static_cast<size_t>(-1);

  static std::vector<Entry> Parse(std::string_view text);
  static void ParseLine(std::string_view line, std::vector<Entry>* entries);
  static std::string WrittenForm(const std::vector<Entry>& entries);

  void ReadContent(const std::string& content);
  size_t SectionEnd() const;
  std::optional<size_t> FindKey(const std::string& key) const;
  void WriteBack();
  bool WriteTemp(const std::string& temp, const std::string& bytes);
  bool RewriteInPlace(const std::string& bytes, bool existed);
  void Forget();

  FileSystem& fs_;
  TextServices& text_;

  bool current_ = false;  // a file is current (possibly not opened)
  std::string path_;
  std::unique_ptr<File> file_;  // held from Open/Create until Close
  bool read_only_ = false;
  bool changed_ = false;
  std::vector<Entry> entries_;
  size_t group_ = kTop;  // index of the current group line
  std::optional<std::string> pending_group_;
};

}  // namespace qv
