#include "platform/fake/fake_platform.h"

#include <algorithm>

#include "base/text.h"

namespace qv {

std::string FakeEnvironment::GetVar(const std::string& name) {
  for (const auto& [key, value] : vars) {
    if (EqualsIgnoreAsciiCase(key, name)) return value;
  }
  return "";
}

namespace {
void Note(Trace* trace, std::string entry) {
  if (trace != nullptr) trace->push_back(std::move(entry));
}
}  // namespace

void FakeClock::SleepMs(uint32_t ms) {
  Note(trace, "sleep " + std::to_string(ms));
  sleeps.push_back(ms);
  if (on_sleep) on_sleep(ms);
}

// ---------------------------------------------------------------------------

FakeText::FakeText() : ansi_to_unicode(256) {
  // Windows-1252: Latin-1 with typographic characters in 0x80..0x9F.
  static constexpr char32_t k80[32] = {
      0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
      0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
  for (int b = 0; b < 256; ++b) {
    ansi_to_unicode[static_cast<size_t>(b)] =
        (b >= 0x80 && b < 0xA0) ? k80[b - 0x80] : static_cast<char32_t>(b);
  }
}

std::string FakeText::AnsiToUtf8(std::string_view ansi) {
  std::string out;
  for (char c : ansi) {
    AppendUtf8(ansi_to_unicode[static_cast<unsigned char>(c)], &out);
  }
  return out;
}

std::string FakeText::Utf8ToAnsi(std::string_view utf8) {
  std::string out;
  for (char32_t cp : DecodeUtf8(utf8)) {
    auto it = std::find(ansi_to_unicode.begin(), ansi_to_unicode.end(), cp);
    out.push_back(it == ansi_to_unicode.end() || cp == 0xFFFD
                      ? default_char
                      : static_cast<char>(it - ansi_to_unicode.begin()));
  }
  return out;
}

std::string FakeText::ToUpper(std::string_view utf8) {
  std::u32string text = DecodeUtf8(utf8);
  for (char32_t& cp : text) {
    if ((cp >= 'a' && cp <= 'z') || (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)) {
      cp -= 0x20;  // ASCII and Latin-1
    } else if (cp >= 0x430 && cp <= 0x44F) {
      cp -= 0x20;  // basic Cyrillic
    } else if (cp >= 0x450 && cp <= 0x45F) {
      cp -= 0x50;
    }
  }
  return EncodeUtf8(text);
}

// ---------------------------------------------------------------------------

std::string FakeFileSystem::Key(const std::string& path) const {
  std::string full = path;
  const bool absolute = (path.size() >= 2 && path[1] == ':') ||
                        (!path.empty() && (path[0] == '\\' || path[0] == '/'));
  if (!absolute && current_directory != nullptr) {
    full = *current_directory + "\\" +
           (path.rfind(".\\", 0) == 0 ? path.substr(2) : path);
  }
  std::string key = AsciiUpper(full);
  std::replace(key.begin(), key.end(), '/', '\\');
  // Windows collapses doubled separators inside a path.
  std::string collapsed;
  for (char c : key) {
    if (c == '\\' && collapsed.size() > 1 && collapsed.back() == '\\') continue;
    collapsed.push_back(c);
  }
  while (collapsed.size() > 3 && collapsed.back() == '\\') collapsed.pop_back();
  return collapsed;
}

namespace {

std::string ParentKey(const std::string& key) {
  const size_t slash = key.rfind('\\');
  return slash == std::string::npos ? "" : key.substr(0, slash);
}

bool WritesIn(OpenMode mode) {
  return mode == OpenMode::kReadWriteShareRead ||
         mode == OpenMode::kReadWriteExisting ||
         mode == OpenMode::kCreateAlways || mode == OpenMode::kAppendShareAll;
}

bool SharesWrite(OpenMode mode) {
  return mode == OpenMode::kReadShareReadWrite ||
         mode == OpenMode::kAppendShareAll;
}

bool Creates(OpenMode mode) {
  return mode == OpenMode::kCreateAlways || mode == OpenMode::kAppendShareAll;
}

}  // namespace

class FakeFile : public File {
 public:
  FakeFile(FakeFileSystem* fs, std::string key, bool write, bool share_write)
      : fs_(fs), key_(std::move(key)), handle_{write, share_write} {
    node().handles.push_back(&handle_);
  }
  ~FakeFile() override {
    auto it = fs_->nodes_.find(key_);
    if (it == fs_->nodes_.end()) return;
    auto& handles = it->second.handles;
    handles.erase(std::remove(handles.begin(), handles.end(), &handle_),
                  handles.end());
  }
  bool ReadAll(std::string* content) override {
    *content = node().content;
    return true;
  }
  bool Rewrite(std::string_view bytes) override {
    if (!handle_.write) return false;
    node().content.clear();
    return Write(bytes);
  }
  bool Append(std::string_view bytes) override {
    if (!handle_.write) return false;
    return Write(bytes);
  }
  bool Flush() override { return true; }

 private:
  FakeFileSystem::Node& node() { return fs_->nodes_[key_]; }
  bool Write(std::string_view bytes) {
    if (fs_->space_left >= 0 &&
        static_cast<long long>(bytes.size()) > fs_->space_left) {
      node().content.append(
          bytes.substr(0, static_cast<size_t>(fs_->space_left)));
      fs_->space_left = 0;
      return false;
    }
    if (fs_->space_left >= 0)
      fs_->space_left -= static_cast<long long>(bytes.size());
    node().content.append(bytes);
    return true;
  }

  FakeFileSystem* fs_;
  std::string key_;
  FakeFileSystem::Handle handle_;
};

PathKind FakeFileSystem::Stat(const std::string& path) {
  auto it = nodes_.find(Key(path));
  if (it == nodes_.end()) return PathKind::kNone;
  return it->second.folder ? PathKind::kFolder : PathKind::kFile;
}

bool FakeFileSystem::CanCreateIn(const std::string& key) const {
  const std::string parent = ParentKey(key);
  for (const auto& folder : unwritable_folders) {
    if (Key(folder) == parent) return false;
  }
  return true;
}

std::unique_ptr<File> FakeFileSystem::Open(const std::string& path,
                                           OpenMode mode) {
  const std::string key = Key(path);
  const bool write = WritesIn(mode);
  const bool share_write = SharesWrite(mode);
  auto it = nodes_.find(key);
  if (it != nodes_.end() && it->second.folder) return nullptr;
  if (it == nodes_.end()) {
    if (!Creates(mode) || !CanCreateIn(key)) return nullptr;
  }
  if (write) {
    for (const auto& ro : read_only) {
      if (Key(ro) == key) return nullptr;
    }
  }
  if (it != nodes_.end()) {
    for (const Handle* h : it->second.handles) {
      if ((write && !h->share_write) || (h->write && !share_write)) {
        return nullptr;
      }
    }
  }
  Note(trace, std::string(write ? "open-write " : "open-read ") + path);
  Node& node = nodes_[key];
  if (it == nodes_.end()) node.name = path;
  if (mode == OpenMode::kCreateAlways) node.content.clear();
  if (write) writes_opened.push_back(path);
  return std::make_unique<FakeFile>(this, key, write, share_write);
}

bool FakeFileSystem::Replace(const std::string& from, const std::string& to) {
  replaces.push_back(from + " -> " + to);
  Note(trace, "replace " + from + " -> " + to);
  if (refuse_replace) return false;
  auto src = nodes_.find(Key(from));
  if (src == nodes_.end() || src->second.folder ||
      !src->second.handles.empty()) {
    return false;
  }
  auto dst = nodes_.find(Key(to));
  if (dst != nodes_.end() &&
      (dst->second.folder || !dst->second.handles.empty())) {
    return false;
  }
  for (const auto& ro : read_only) {
    if (Key(ro) == Key(to)) return false;
  }
  Node moved = std::move(src->second);
  nodes_.erase(src);
  moved.name = dst != nodes_.end() ? dst->second.name : to;
  nodes_[Key(to)] = std::move(moved);
  return true;
}

bool FakeFileSystem::Remove(const std::string& path) {
  auto it = nodes_.find(Key(path));
  if (it == nodes_.end() || !it->second.handles.empty()) return false;
  nodes_.erase(it);
  return true;
}

namespace {

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*') {
    for (size_t i = 0; i <= name.size(); ++i) {
      if (WildcardMatch(pattern.substr(1), name.substr(i))) return true;
    }
    return false;
  }
  if (name.empty()) return false;
  if (pattern[0] != '?' &&
      !EqualsIgnoreAsciiCase(pattern.substr(0, 1), name.substr(0, 1))) {
    return false;
  }
  return WildcardMatch(pattern.substr(1), name.substr(1));
}

}  // namespace

std::vector<std::string> FakeFileSystem::ListFiles(const std::string& folder,
                                                   const std::string& pattern) {
  const std::string parent = Key(folder);
  std::vector<std::string> names;
  for (const auto& [key, node] : nodes_) {
    if (node.folder || ParentKey(key) != parent) continue;
    const std::string name =
        node.name.substr(node.name.find_last_of("\\/") + 1);
    if (WildcardMatch(pattern, name)) names.push_back(name);
  }
  return names;
}

void FakeFileSystem::AddFile(const std::string& path, std::string content) {
  Node& node = nodes_[Key(path)];
  node.folder = false;
  node.name = path;
  node.content = std::move(content);
}

void FakeFileSystem::AddFolder(const std::string& path) {
  Node& node = nodes_[Key(path)];
  node.folder = true;
  node.name = path;
}

bool FakeFileSystem::HasFile(const std::string& path) const {
  auto it = nodes_.find(Key(path));
  return it != nodes_.end() && !it->second.folder;
}

std::string FakeFileSystem::Content(const std::string& path) const {
  auto it = nodes_.find(Key(path));
  return it == nodes_.end() ? "" : it->second.content;
}

int FakeFileSystem::OpenHandles(const std::string& path) const {
  auto it = nodes_.find(Key(path));
  return it == nodes_.end() ? 0 : static_cast<int>(it->second.handles.size());
}

// ---------------------------------------------------------------------------

namespace {

class FakeProgram : public Program {
 public:
  explicit FakeProgram(const FakeProgramScript& script) : script_(script) {}
  bool StillRunning() override {
    if (script_.running_polls > 0) {
      --script_.running_polls;
      return true;
    }
    return next_line_ < script_.output.size();
  }
  bool ReadOutputLine(std::string* line) override {
    if (next_line_ >= script_.output.size()) return false;
    *line = script_.output[next_line_++];
    return true;
  }
  void WaitForExit() override { script_.running_polls = 0; }
  bool ExitCode(int* code) override {
    if (script_.running_polls > 0) return false;
    *code = script_.exit_code;
    return true;
  }

 private:
  FakeProgramScript script_;
  size_t next_line_ = 0;
};

}  // namespace

StartResult FakeLauncher::StartProgram(const std::string& file,
                                       const std::string& parameters,
                                       const std::string& folder,
                                       const StartOptions& options) {
  starts.push_back({file, parameters, folder, options});
  Note(trace, "start " + file + (parameters.empty() ? "" : " " + parameters));
  if (on_start) on_start(starts.back());
  FakeProgramScript script;
  for (const auto& [name, s] : scripts) {
    if (EqualsIgnoreAsciiCase(name, file)) script = s;
  }
  StartResult result;
  if (script.start_fails) return result;
  if (script.on_start) script.on_start();
  result.started = true;
  if (options.wait) {
    script.running_polls = 0;
    result.exit_code = script.exit_code;
  }
  if (options.keep_handle)
    result.program = std::make_unique<FakeProgram>(script);
  return result;
}

bool FakeProcessList::Snapshot(std::vector<std::string>* out) {
  ++snapshots;
  Note(trace, "process-list");
  if (!available) return false;
  *out = executables;
  return true;
}

WindowId FakeWindowList::Next(WindowId after) {
  ++probes;
  const WindowId next = after + 1;
  return next <= titles.size() ? next : 0;
}

std::string FakeWindowList::Title(WindowId window, std::size_t max_units) {
  if (window == 0 || window > titles.size()) return "";
  // Titles in tests are ASCII, so code units and bytes agree.
  return titles[window - 1].substr(0, max_units);
}

BoxAnswer FakeDialogs::ShowMessage(const std::string& title,
                                   const std::string& text, BoxIcon icon,
                                   BoxButtons buttons) {
  boxes.push_back({title, text, icon, buttons});
  Note(trace, "box " + title + ": " + text);
  if (on_box) on_box(boxes.back());
  if (!answers.empty()) {
    const BoxAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return buttons == BoxButtons::kOk ? BoxAnswer::kOk : BoxAnswer::kYes;
}

uint32_t FakeSystem::RegisterMessage(const std::string& name) {
  registered.push_back(name);
  Note(trace, "register " + name);
  return 0xC0F0;
}

uint32_t FakeSystem::CreateOwnedMutex(const std::string& name) {
  mutexes_created.push_back(name);
  Note(trace, "mutex " + name);
  if (existing_mutexes.count(name)) return 183;  // ERROR_ALREADY_EXISTS
  existing_mutexes.insert(name);
  return 0;
}

std::string_view FakeSystem::PayloadData(Payload which) {
  return which == Payload::kSevenZipExe ? exe_payload : dll_payload;
}

}  // namespace qv
