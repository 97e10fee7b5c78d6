#include "settings/pref_store.h"

#include <limits>

#include "base/text.h"

namespace qv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kBlanks = " \t";
constexpr char kTempSuffix[] = ".tmp";

std::string_view TrimEnd(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TrimStart(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

// A line break inside a written key, value or group name would turn the rest
// into lines of their own on the next read.
std::string FirstLine(std::string_view text) {
  return std::string(text.substr(0, text.find_first_of(kLineEnd)));
}

}  // namespace

int64_t ParsePrefNumber(std::string_view value) {
  value = TrimStart(value);
  bool negative = false;
  if (!value.empty() && (value.front() == '+' || value.front() == '-')) {
    negative = value.front() == '-';
    value.remove_prefix(1);
  }
  // The magnitude of INT64_MIN; the negative range is one larger.
  constexpr uint64_t kLimit = uint64_t{1} << 63;
  uint64_t magnitude = 0;
  for (char c : value) {
    if (c < '0' || c > '9') break;
    const auto digit = static_cast<uint64_t>(c - '0');
    magnitude =
        magnitude > (kLimit - digit) / 10 ? kLimit : magnitude * 10 + digit;
  }
  if (negative) {
    return magnitude == kLimit ? std::numeric_limits<int64_t>::min()
                               : -static_cast<int64_t>(magnitude);
  }
  return magnitude >= kLimit ? std::numeric_limits<int64_t>::max()
                             : static_cast<int64_t>(magnitude);
}

std::string PrefTempPath(const std::string& path) { return path + kTempSuffix; }

PrefStore::PrefStore(FileSystem& fs, TextServices& text)
    : fs_(fs), text_(text) {}

PrefStore::~PrefStore() { Close(); }

bool PrefStore::Open(const std::string& path) {
  Close();
  current_ = true;
  path_ = path;
  static constexpr OpenMode kModes[] = {OpenMode::kReadWriteShareRead,
                                        OpenMode::kReadShareRead,
                                        OpenMode::kReadShareReadWrite};
  for (OpenMode mode : kModes) {
    file_ = fs_.Open(path, mode);
    if (file_) {
      read_only_ = mode != OpenMode::kReadWriteShareRead;
      break;
    }
  }
  if (!file_) return false;
  std::string content;
  if (!file_->ReadAll(&content)) {
    // Writing back a list that misses the unread content would destroy it.
    read_only_ = true;
    return false;
  }
  ReadContent(content);
  return true;
}

bool PrefStore::Create(const std::string& path) {
  Close();
  file_ = fs_.Open(path, OpenMode::kCreateAlways);
  if (!file_) return false;
  current_ = true;
  path_ = path;
  changed_ = true;
  return true;
}

void PrefStore::Close() {
  if (current_ && changed_ && !read_only_) WriteBack();
  Forget();
}

void PrefStore::Forget() {
  current_ = false;
  path_.clear();
  file_.reset();
  read_only_ = false;
  changed_ = false;
  entries_.clear();
  group_ = kTop;
  pending_group_.reset();
}

void PrefStore::ReadContent(const std::string& content) {
  const std::string_view bytes = content;
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    // Taken as they are: invalid sequences survive a write-back unchanged.
    entries_ = Parse(bytes.substr(kByteOrderMark.size()));
  } else {
    entries_ = Parse(text_.AnsiToUtf8(bytes));
  }
}

std::vector<PrefStore::Entry> PrefStore::Parse(std::string_view text) {
  std::vector<Entry> entries;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of(kLineEnd, start);
    if (end == std::string_view::npos) end = text.size();
    ParseLine(text.substr(start, end - start), &entries);
    start = end + 1;
  }
  return entries;
}

void PrefStore::ParseLine(std::string_view line, std::vector<Entry>* entries) {
  const size_t first = line.find_first_not_of(kBlanks);
  // An empty or all-blank line carries nothing.
  if (first == std::string_view::npos) return;
  line.remove_prefix(first);
  if (line.front() == ';') {
    line.remove_prefix(1);
    if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    entries->push_back({Kind::kComment, std::string(line), ""});
  } else if (line.front() == '[') {
    line.remove_prefix(1);
    entries->push_back(
        {Kind::kGroup, std::string(line.substr(0, line.find(']'))), ""});
  } else {
    const size_t equals = line.find('=');
    const std::string_view key = TrimEnd(line.substr(0, equals));
    const std::string_view value = equals == std::string_view::npos
                                       ? std::string_view()
                                       : TrimStart(line.substr(equals + 1));
    entries->push_back({Kind::kKey, std::string(key), std::string(value)});
  }
}

std::string PrefStore::WrittenForm(const std::vector<Entry>& entries) {
  std::string out(kByteOrderMark);
  out += kLineEnd;
  for (const Entry& entry : entries) {
    switch (entry.kind) {
      case Kind::kGroup:
        out += "[" + entry.name + "]";
        break;
      case Kind::kComment:
        out += "; " + entry.name;
        break;
      case Kind::kKey:
        out += entry.name + " = " + entry.value;
        break;
    }
    out += kLineEnd;
  }
  return out;
}

bool PrefStore::SelectGroup(const std::string& name) {
  if (!current_) return false;
  if (name.empty()) {
    group_ = kTop;
    pending_group_.reset();
    return true;
  }
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].kind == Kind::kGroup &&
        EqualsIgnoreAsciiCase(entries_[i].name, name)) {
      group_ = i;
      pending_group_.reset();
      return true;
    }
  }
  pending_group_ = name;
  return false;
}

size_t PrefStore::SectionEnd() const {
  size_t i = group_ == kTop ? 0 : group_ + 1;
  while (i < entries_.size() && entries_[i].kind != Kind::kGroup) ++i;
  return i;
}

std::optional<size_t> PrefStore::FindKey(const std::string& key) const {
  if (pending_group_) return std::nullopt;
  const size_t end = SectionEnd();
  for (size_t i = group_ == kTop ? 0 : group_ + 1; i < end; ++i) {
    if (entries_[i].kind == Kind::kKey &&
        EqualsIgnoreAsciiCase(entries_[i].name, key)) {
      return i;
    }
  }
  return std::nullopt;
}

std::string PrefStore::ReadText(const std::string& key,
                                const std::string& default_text) {
  if (!current_) return default_text;
  const std::optional<size_t> found = FindKey(key);
  return found ? entries_[*found].value : default_text;
}

int64_t PrefStore::ReadNumber(const std::string& key, int64_t default_number) {
  if (!current_) return default_number;
  const std::optional<size_t> found = FindKey(key);
  return found ? ParsePrefNumber(entries_[*found].value) : default_number;
}

void PrefStore::WriteText(const std::string& key, const std::string& text) {
  if (!current_) return;
  if (pending_group_) {
    entries_.push_back({Kind::kGroup, FirstLine(*pending_group_), ""});
    group_ = entries_.size() - 1;
    pending_group_.reset();
  }
  const std::string name = FirstLine(key);
  const std::string value = FirstLine(text);
  if (const std::optional<size_t> found = FindKey(name)) {
    entries_[*found].name = name;  // the caller's letter case wins
    entries_[*found].value = value;
  } else {
    const auto at =
        entries_.begin() + static_cast<std::ptrdiff_t>(SectionEnd());
    entries_.insert(at, {Kind::kKey, name, value});
  }
  changed_ = true;
}

void PrefStore::WriteNumber(const std::string& key, int64_t number) {
  WriteText(key, std::to_string(number));
}

// The new content goes to a file beside the original, which then replaces it
// in one step, so an interrupted or failed write never leaves a cut-off file.
void PrefStore::WriteBack() {
  const std::string bytes = WrittenForm(entries_);
  const std::string temp = PrefTempPath(path_);
  if (!WriteTemp(temp, bytes)) {
    fs_.Remove(temp);  // the old file stays as it was
    return;
  }
  const bool existed = file_ != nullptr;
  file_.reset();  // a file held open cannot be replaced
  if (fs_.Replace(temp, path_)) return;
  RewriteInPlace(bytes, existed);
  fs_.Remove(temp);
}

bool PrefStore::WriteTemp(const std::string& temp, const std::string& bytes) {
  std::unique_ptr<File> file = fs_.Open(temp, OpenMode::kCreateAlways);
  return file && file->Rewrite(bytes) && file->Flush();
}

// Used only where the platform refuses the replace (a reader of the original
// without delete sharing, a volume without rename-over).
bool PrefStore::RewriteInPlace(const std::string& bytes, bool existed) {
  const OpenMode mode =
      existed ? OpenMode::kReadWriteExisting : OpenMode::kCreateAlways;
  std::unique_ptr<File> file = fs_.Open(path_, mode);
  return file && file->Rewrite(bytes) && file->Flush();
}

}  // namespace qv
