#include "platform/win32/win32_launcher.h"

#include <windows.h>
// After <windows.h>, which they build on.
#include <objbase.h>
#include <shellapi.h>

#include "platform/launch.h"
#include "platform/win32/win32_util.h"

namespace qv {

namespace {

class Win32Program : public Program {
 public:
  Win32Program(UniqueHandle process, UniqueHandle output)
      : process_(std::move(process)), output_(std::move(output)) {}

  bool StillRunning() override { return Running() || OutputWaits(); }

  bool ReadOutputLine(std::string* line) override {
    for (;;) {
      if (lines_.TakeLine(line)) return true;
      if (!output_.valid()) return lines_.TakeRest(line);
      const Pipe pipe = PipeState();
      if (pipe == Pipe::kData) {
        ReadMore();
      } else if (pipe == Pipe::kClosed || !Running()) {
        // A program that ours started may hold the pipe open after ours has
        // ended; what ours wrote is in the pipe by then, so look once more.
        if (PipeState() != Pipe::kData) output_.Close();
      } else {
        WaitForSingleObject(process_.get(), 10);
      }
    }
  }

  void WaitForExit() override {
    if (!process_.valid()) return;
    // Output is moved into our buffer meanwhile, so a program that writes
    // more than the pipe holds does not block on a full pipe.
    while (WaitForSingleObject(process_.get(), 50) == WAIT_TIMEOUT) {
      while (PipeHasData()) ReadMore();
    }
  }

  bool ExitCode(int* code) override {
    if (Running() || !process_.valid()) return false;
    DWORD exit_code = 0;
    if (!GetExitCodeProcess(process_.get(), &exit_code)) return false;
    *code = static_cast<int>(exit_code);
    return true;
  }

 private:
  bool Running() const {
    return process_.valid() &&
           WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
  }

  enum class Pipe { kData, kEmpty, kClosed };

  bool OutputWaits() { return lines_.HasPending() || PipeHasData(); }
  bool PipeHasData() { return output_.valid() && PipeState() == Pipe::kData; }

  Pipe PipeState() {
    DWORD available = 0;
    if (!PeekNamedPipe(output_.get(), nullptr, 0, nullptr, &available,
                       nullptr)) {
      return Pipe::kClosed;  // every writer has gone and nothing is left
    }
    return available > 0 ? Pipe::kData : Pipe::kEmpty;
  }

  // Called only when the pipe holds data, so it does not block.
  void ReadMore() {
    char buffer[4096];
    DWORD got = 0;
    if (!ReadFile(output_.get(), buffer, sizeof buffer, &got, nullptr)) {
      output_.Close();  // ERROR_BROKEN_PIPE: every writer has gone
      return;
    }
    lines_.Feed(std::string_view(buffer, got));
  }

  UniqueHandle process_;
  UniqueHandle output_;  // read end of the standard-output pipe, or none
  OutputLines lines_;
};

// The child's standard handles when its output is read: the write end of a
// pipe for standard output, the null device for input and errors.
struct ChildPipes {
  UniqueHandle read;
  UniqueHandle write;
  UniqueHandle null_device;
};

bool MakePipes(ChildPipes* pipes) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return false;
  pipes->read = UniqueHandle(read);
  pipes->write = UniqueHandle(write);
  // Only the child's end is inherited; our end must not keep the pipe open.
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  pipes->null_device = UniqueHandle(CreateFileW(
      L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
      &inherit, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return pipes->null_device.valid();
}

// CreateProcessW with no application name looks for the program in its own
// folder, the current folder, the system folders and then the search path,
// and adds ".exe" to a name without an extension.
std::unique_ptr<Win32Program> CreateAsProgram(const std::string& file,
                                              const std::string& parameters,
                                              const std::string& folder,
                                              const StartOptions& options) {
  // Output nobody could read is not piped.
  const bool read_output = options.read_output && options.keep_handle;
  std::wstring command = Widen(CommandLineFor(file, parameters));
  const std::wstring directory = Widen(folder);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  DWORD flags = 0;
  if (options.hidden) {
    // A console program gets a console of its own that is never shown; a
    // windowed program takes SW_HIDE for its first window.
    flags |= CREATE_NEW_CONSOLE;
    startup.dwFlags |= STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
  }
  ChildPipes pipes;
  if (read_output) {
    if (!MakePipes(&pipes)) return nullptr;
    startup.dwFlags |= STARTF_USESTDHANDLES;
    startup.hStdInput = pipes.null_device.get();
    startup.hStdOutput = pipes.write.get();
    startup.hStdError = pipes.null_device.get();
  }
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr,
                      read_output ? TRUE : FALSE, flags, nullptr,
                      directory.empty() ? nullptr : directory.c_str(), &startup,
                      &info)) {
    return nullptr;
  }
  CloseHandle(info.hThread);
  // Our copy of the write end goes now, so the pipe ends with the child.
  return std::make_unique<Win32Program>(UniqueHandle(info.hProcess),
                                        std::move(pipes.read));
}

// Documents and programs known only to the shell (registered applications,
// consoles like taskschd.msc) are opened with their associated program.
std::unique_ptr<Win32Program> OpenWithShell(const std::string& file,
                                            const std::string& parameters,
                                            const std::string& folder,
                                            const StartOptions& options) {
  const std::wstring wide_file = Widen(UnquotedFile(file));
  const std::wstring wide_parameters = Widen(parameters);
  const std::wstring directory =
      Widen(folder.empty() ? FolderPart(UnquotedFile(file)) : folder);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // No error boxes: an unattended run must never stop at one.
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  if (options.wait || options.keep_handle) {
    info.fMask |= SEE_MASK_NOCLOSEPROCESS;
  }
  info.lpFile = wide_file.c_str();
  info.lpParameters =
      wide_parameters.empty() ? nullptr : wide_parameters.c_str();
  info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
  info.nShow = options.hidden ? SW_HIDE : SW_SHOWNORMAL;
  // Shell extensions that handle the verb may need COM on this thread.
  const HRESULT com = CoInitializeEx(
      nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const BOOL opened = ShellExecuteExW(&info);
  if (SUCCEEDED(com)) CoUninitialize();
  if (!opened) return nullptr;
  // The shell may hand the document to a program that already runs; then
  // there is no process to follow.
  return std::make_unique<Win32Program>(UniqueHandle(info.hProcess),
                                        UniqueHandle());
}

}  // namespace

StartResult Win32Launcher::StartProgram(const std::string& file,
                                        const std::string& parameters,
                                        const std::string& folder,
                                        const StartOptions& options) {
  StartResult result;
  // CreateProcessW would hand a batch file to cmd.exe; no command shell ever
  // runs on the program's behalf. An empty name would open a folder.
  if (UnquotedFile(file).empty() || IsBatchFile(file)) return result;
  std::unique_ptr<Win32Program> program =
      CreateAsProgram(file, parameters, folder, options);
  if (!program && !options.read_output) {
    program = OpenWithShell(file, parameters, folder, options);
  }
  if (!program) return result;
  result.started = true;
  if (options.wait) {
    program->WaitForExit();
    program->ExitCode(&result.exit_code);
  }
  if (options.keep_handle) result.program = std::move(program);
  return result;
}

}  // namespace qv
