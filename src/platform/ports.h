// The ports through which the core reaches the operating system. Each port is a
// small abstract interface; platform/win32 implements them for Windows and
// platform/fake holds recording doubles for the native tests.
//
// All text crossing a port is UTF-8. Paths use the Windows form (backslash
// separators) on both sides, since every path the program builds is a Windows
// path.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

/// Environment variables and the current directory.
class Environment {
 public:
  virtual ~Environment() = default;
  /// The variable's value; empty when it is not set.
  virtual std::string GetVar(const std::string& name) = 0;
  /// The current working directory, always ending with a backslash.
  virtual std::string CurrentDirectory() = 0;
};

struct LocalTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;   // 0..23
  int minute = 0;
  int second = 0;
};

/// Local wall-clock time and pauses.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  virtual void SleepMs(uint32_t ms) = 0;
};

/// Text services that depend on the system: the ANSI code page and the
/// platform's Unicode upper-casing.
class TextServices {
 public:
  virtual ~TextServices() = default;
  /// Bytes in the ANSI code page to UTF-8.
  virtual std::string AnsiToUtf8(std::string_view ansi) = 0;
  /// UTF-8 to the ANSI code page with the platform's standard conversion; a
  /// character the code page lacks becomes its substitute.
  virtual std::string Utf8ToAnsi(std::string_view utf8) = 0;
  /// Full Unicode upper-casing.
  virtual std::string ToUpper(std::string_view utf8) = 0;
};

enum class PathKind { kNone, kFile, kFolder };

/// How a file is opened. Sharing follows the Windows sharing modes.
enum class OpenMode {
  kReadWriteShareRead,  // existing file, read+write, others may only read
  kReadShareRead,       // existing file, read only, others may read
  kReadShareReadWrite,  // existing file, read only, others may read+write
  kReadWriteExisting,   // existing file, read+write, others may only read
  kCreateAlways,        // create or empty, read+write, others may only read
  kAppendShareAll,      // open or create, read+write, full sharing
};

/// An open file. Destroying it closes the handle.
class File {
 public:
  virtual ~File() = default;
  /// Reads the whole file from its start. False on a read error.
  virtual bool ReadAll(std::string* content) = 0;
  /// Writes bytes at offset 0 and cuts the file off after them.
  virtual bool Rewrite(std::string_view bytes) = 0;
  /// Writes bytes at the current end of the file.
  virtual bool Append(std::string_view bytes) = 0;
  /// Forces written data to the medium.
  virtual bool Flush() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual PathKind Stat(const std::string& path) = 0;
  /// Null when the file cannot be opened in that mode.
  virtual std::unique_ptr<File> Open(const std::string& path,
                                     OpenMode mode) = 0;
  /// Replaces `to` by `from` in one step (the rename is atomic on the
  /// volume). False when the platform refuses, e.g. while `to` is held open.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  virtual bool Remove(const std::string& path) = 0;
  /// Names (no folder part) of the files, not folders, in `folder` whose name
  /// matches the wildcard `pattern`, in the order of the platform's listing.
  virtual std::vector<std::string> ListFiles(const std::string& folder,
                                             const std::string& pattern) = 0;
};

struct StartOptions {
  bool wait = false;         // return after the program has ended
  bool hidden = false;       // no visible window
  bool keep_handle = false;  // hand back a Program
  bool read_output = false;  // standard output into a pipe; needs keep_handle
};

/// A started program. Destroying it releases the handle; the program goes on.
class Program {
 public:
  virtual ~Program() = default;
  /// True while the program runs or output it wrote waits unread.
  virtual bool StillRunning() = 0;
  /// Waits for the next output line (up to LF, CR dropped). False when the
  /// output has ended and nothing is left.
  virtual bool ReadOutputLine(std::string* line) = 0;
  /// Blocks until the program has ended.
  virtual void WaitForExit() = 0;
  /// The exit code once the program has ended; false while it runs or when
  /// the platform cannot tell (for instance a document opened by the shell).
  virtual bool ExitCode(int* code) = 0;
};

struct StartResult {
  bool started = false;
  std::unique_ptr<Program> program;  // set only with keep_handle
  /// Exit code of a program that was waited for; -1 when unknown.
  int exit_code = -1;
};

/// Starts programs and documents.
class Launcher {
 public:
  virtual ~Launcher() = default;
  virtual StartResult StartProgram(const std::string& file,
                                   const std::string& parameters,
                                   const std::string& folder,
                                   const StartOptions& options) = 0;
};

/// The running processes.
class ProcessList {
 public:
  virtual ~ProcessList() = default;
  /// The executable file names of all running processes. False when the
  /// list cannot be taken.
  virtual bool Snapshot(std::vector<std::string>* executables) = 0;
};

using WindowId = std::uintptr_t;  // 0 means no window

/// The top-level windows in the platform's window order.
class WindowList {
 public:
  virtual ~WindowList() = default;
  /// The top-level window after `after`, the first one for 0; 0 at the end.
  virtual WindowId Next(WindowId after) = 0;
  /// At most `max_units` UTF-16 code units of the window's title.
  virtual std::string Title(WindowId window, std::size_t max_units) = 0;
};

enum class BoxIcon { kError, kQuestion, kWarning, kInformation };
enum class BoxButtons { kOk, kYesNo };
enum class BoxAnswer { kOk, kYes, kNo };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  /// A modal message box; returns the button pressed.
  virtual BoxAnswer ShowMessage(const std::string& title,
                                const std::string& text, BoxIcon icon,
                                BoxButtons buttons) = 0;
};

enum class Payload { kSevenZipExe, kSevenZipDll };

/// Process-level services: the command line, the registered message, the
/// single-instance mutex, the locale and the embedded data blocks.
class System {
 public:
  virtual ~System() = default;
  /// The whole command line, program name included.
  virtual std::string CommandLine() = 0;
  /// Identifier of a registered window message; 0 on failure.
  virtual uint32_t RegisterMessage(const std::string& name) = 0;
  /// Creates the named mutex, initially owned, and keeps it until the process
  /// ends. Returns the platform's error code for the call: 0 for a new mutex;
  /// non-zero when it already existed or could not be created.
  virtual uint32_t CreateOwnedMutex(const std::string& name) = 0;
  /// The display name of the user locale's language (e.g. "German
  /// (Germany)").
  virtual std::string UserLanguageName() = 0;
  /// The complete content of an embedded data block.
  virtual std::string_view PayloadData(Payload which) = 0;
};

/// Every port the core uses, bundled for passing by reference.
struct Platform {
  Environment& env;
  Clock& clock;
  TextServices& text;
  FileSystem& fs;
  Launcher& launcher;
  ProcessList& processes;
  WindowList& windows;
  Dialogs& dialogs;
  System& system;
};

}  // namespace qv
