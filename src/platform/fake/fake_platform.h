// Recording test doubles for every port. A test sets the environment, files,
// processes, windows and message-box answers, runs the code, and asserts on
// what was recorded.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace qv {

/// One list of what every fake was asked, in call order, so tests can check
/// the order of steps across ports. Fakes append only when it is set.
using Trace = std::vector<std::string>;

class FakeEnvironment : public Environment {
 public:
  std::string GetVar(const std::string& name) override;
  std::string CurrentDirectory() override { return current_directory; }

  std::map<std::string, std::string> vars;  // names matched ignoring case
  std::string current_directory = "C:\\app\\";
};

class FakeClock : public Clock {
 public:
  LocalTime Now() override { return now; }
  void SleepMs(uint32_t ms) override;

  LocalTime now{2025, 3, 7, 14, 5, 9};
  std::vector<uint32_t> sleeps;
  std::function<void(uint32_t)> on_sleep;  // lets a test advance the world
  Trace* trace = nullptr;
};

/// Windows-1252 as the ANSI code page unless `ansi_to_unicode` is replaced.
class FakeText : public TextServices {
 public:
  FakeText();
  std::string AnsiToUtf8(std::string_view ansi) override;
  std::string Utf8ToAnsi(std::string_view utf8) override;
  std::string ToUpper(std::string_view utf8) override;

  /// Code point of each byte value; 0xFFFD for an unmapped byte.
  std::vector<char32_t> ansi_to_unicode;
  char default_char = '?';
};

/// An in-memory, case-insensitive file system with Windows sharing rules.
class FakeFileSystem : public FileSystem {
 public:
  PathKind Stat(const std::string& path) override;
  std::unique_ptr<File> Open(const std::string& path, OpenMode mode) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder,
                                     const std::string& pattern) override;

  // Test set-up and inspection.
  void AddFile(const std::string& path, std::string content);
  void AddFolder(const std::string& path);
  bool HasFile(const std::string& path) const;
  std::string Content(const std::string& path) const;  // empty if missing
  int OpenHandles(const std::string& path) const;

  std::set<std::string> read_only;  // paths (any case) that refuse writing
  /// Paths whose folder refuses new files (e.g. "C:\\locked\\").
  std::set<std::string> unwritable_folders;
  bool refuse_replace = false;
  /// Bytes that may still be written before the medium is full; < 0: no limit.
  long long space_left = -1;
  /// Every path opened with a writing mode, in order.
  std::vector<std::string> writes_opened;
  std::vector<std::string> replaces;  // "from -> to"
  Trace* trace = nullptr;

  struct Handle {
    bool write;
    bool share_write;
  };
  struct Node {
    bool folder = false;
    std::string name;  // spelling of the first creation
    std::string content;
    std::vector<Handle*> handles;
  };
  /// Relative paths resolve against this folder (the fake environment's).
  const std::string* current_directory = nullptr;
  std::string Key(const std::string& path) const;
  std::map<std::string, Node> nodes_;  // by Key()
 private:
  friend class FakeFile;
  bool CanCreateIn(const std::string& path) const;
};

struct RecordedStart {
  std::string file;
  std::string parameters;
  std::string folder;
  StartOptions options;
};

/// What a scripted program does when it is started.
struct FakeProgramScript {
  bool start_fails = false;
  int exit_code = 0;
  std::vector<std::string> output;
  /// StillRunning answers true this many times before it turns false.
  int running_polls = 0;
  std::function<void()> on_start;  // e.g. the archiver writes its archive
};

class FakeLauncher : public Launcher {
 public:
  StartResult StartProgram(const std::string& file,
                           const std::string& parameters,
                           const std::string& folder,
                           const StartOptions& options) override;

  /// Scripts by file name, matched ignoring case; others start and exit 0.
  std::map<std::string, FakeProgramScript> scripts;
  std::vector<RecordedStart> starts;
  std::function<void(const RecordedStart&)> on_start;
  Trace* trace = nullptr;
};

class FakeProcessList : public ProcessList {
 public:
  bool Snapshot(std::vector<std::string>* executables) override;
  bool available = true;
  std::vector<std::string> executables;
  int snapshots = 0;
  Trace* trace = nullptr;
};

class FakeWindowList : public WindowList {
 public:
  WindowId Next(WindowId after) override;
  std::string Title(WindowId window, std::size_t max_units) override;
  std::vector<std::string> titles;  // window i+1 has titles[i]
  int probes = 0;
  Trace* trace = nullptr;
};

struct RecordedBox {
  std::string title;
  std::string text;
  BoxIcon icon;
  BoxButtons buttons;
};

class FakeDialogs : public Dialogs {
 public:
  BoxAnswer ShowMessage(const std::string& title, const std::string& text,
                        BoxIcon icon, BoxButtons buttons) override;
  std::vector<RecordedBox> boxes;
  std::deque<BoxAnswer> answers;  // default: kOk / kYes
  std::function<void(const RecordedBox&)> on_box;
  Trace* trace = nullptr;
};

class FakeSystem : public System {
 public:
  std::string CommandLine() override { return command_line; }
  uint32_t RegisterMessage(const std::string& name) override;
  uint32_t CreateOwnedMutex(const std::string& name) override;
  std::string UserLanguageName() override { return language_name; }
  std::string_view PayloadData(Payload which) override;

  std::string command_line = "quillvault.exe";
  std::string language_name = "English (United States)";
  std::set<std::string> existing_mutexes;
  std::vector<std::string> registered;
  std::vector<std::string> mutexes_created;
  std::string exe_payload = "MZ-fake-7z-exe";
  std::string dll_payload = "MZ-fake-7z-dll";
  Trace* trace = nullptr;
};

/// All fakes together, with a Platform view of them.
struct FakePlatform {
  FakeEnvironment env;
  FakeClock clock;
  FakeText text;
  FakeFileSystem fs;
  FakeLauncher launcher;
  FakeProcessList processes;
  FakeWindowList windows;
  FakeDialogs dialogs;
  FakeSystem system;
  Platform platform{env,       clock,   text,    fs,    launcher,
                    processes, windows, dialogs, system};
  Trace trace;
  FakePlatform() {
    fs.current_directory = &env.current_directory;
    clock.trace = fs.trace = launcher.trace = processes.trace = &trace;
    windows.trace = dialogs.trace = system.trace = &trace;
  }
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;
};

}  // namespace qv
