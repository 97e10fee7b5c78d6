// Test helper: a console program that writes what its arguments say to its
// standard output and exits with the code given first.
//   print_lines <exit code> <item>...
// Items: lf:TEXT, crlf:TEXT, raw:TEXT (UTF-8 of TEXT with LF, CR LF or
// nothing after it), hex:BYTES, sleep:MS, wait:FILE (until FILE exists),
// console (a line telling how the program was shown), cwd (the current
// folder as a line), spawn:EXE (starts EXE "0 sleep:60000", which inherits
// the standard handles, and does not wait for it).
#include <windows.h>
// After <windows.h>, which it builds on.
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>
#include <string>

#include "platform/win32/win32_util.h"

namespace {

void Write(const std::string& bytes) {
  DWORD done = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(),
            static_cast<DWORD>(bytes.size()), &done, nullptr);
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(
        static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
  }
  return bytes;
}

void WaitForFile(const std::wstring& path) {
  for (int i = 0;
       i < 600 && GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
       ++i) {
    Sleep(50);
  }
}

// "console=<0|1> show=<n> own=<0|1>": whether the console window is visible,
// the show state the starter asked for (-1 when it asked for none), and
// whether the console is the program's own.
std::string ConsoleReport() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW)
                       ? static_cast<int>(startup.wShowWindow)
                       : -1;
  const HWND console = GetConsoleWindow();
  const bool visible = console != nullptr && IsWindowVisible(console);
  // A console of its own has this program alone attached.
  DWORD attached[4];
  const DWORD count = GetConsoleProcessList(attached, 4);
  return "console=" + std::to_string(visible ? 1 : 0) +
         " show=" + std::to_string(show) +
         " own=" + std::to_string(count == 1 ? 1 : 0) + "\n";
}

void Run(const std::wstring& item) {
  const size_t colon = item.find(L':');
  const std::wstring kind = item.substr(0, colon);
  const std::wstring value =
      colon == std::wstring::npos ? L"" : item.substr(colon + 1);
  if (kind == L"lf") Write(qv::Narrow(value) + "\n");
  if (kind == L"crlf") Write(qv::Narrow(value) + "\r\n");
  if (kind == L"raw") Write(qv::Narrow(value));
  if (kind == L"hex") Write(FromHex(qv::Narrow(value)));
  if (kind == L"sleep")
    Sleep(static_cast<DWORD>(std::wcstoul(value.c_str(), nullptr, 10)));
  if (kind == L"wait") WaitForFile(value);
  if (kind == L"console") Write(ConsoleReport());
  if (kind == L"spawn") {
    std::wstring command = L"\"" + value + L"\" 0 sleep:60000";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0,
                       nullptr, nullptr, &startup, &info)) {
      CloseHandle(info.hThread);
      CloseHandle(info.hProcess);
    }
  }
  if (kind == L"cwd") {
    wchar_t folder[MAX_PATH * 4];
    const DWORD n = GetCurrentDirectoryW(MAX_PATH * 4, folder);
    Write(qv::Narrow(std::wstring_view(folder, n)) + "\n");
  }
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 2) return 2;
  const int code = static_cast<int>(std::wcstol(argv[1], nullptr, 10));
  for (int i = 2; i < argc; ++i) Run(argv[i]);
  LocalFree(argv);
  return code;
}
