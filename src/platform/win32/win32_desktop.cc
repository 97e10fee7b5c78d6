#include "platform/win32/win32_desktop.h"

#include <windows.h>
// After <windows.h>, which it builds on.
#include <tlhelp32.h>

#include <vector>

#include "platform/win32/win32_util.h"

namespace qv {

namespace {

/// Owns a module loaded with LoadLibraryW; frees it once.
class UniqueModule {
 public:
  explicit UniqueModule(HMODULE module) : module_(module) {}
  ~UniqueModule() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  UniqueModule(const UniqueModule&) = delete;
  UniqueModule& operator=(const UniqueModule&) = delete;
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

using SnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using WalkFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32W*);

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
  // GetProcAddress hands back a generic function pointer; the signature is
  // the documented one of that export.
  return reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

// The tool-help functions are taken from the library at run time, so a
// system without them only answers "no list".
bool Win32ProcessList::Snapshot(std::vector<std::string>* executables) {
  executables->clear();
  UniqueModule kernel(LoadLibraryW(L"Kernel32.dll"));
  if (kernel.get() == nullptr) return false;
  const auto take =
      Lookup<SnapshotFn>(kernel.get(), "CreateToolhelp32Snapshot");
  const auto first = Lookup<WalkFn>(kernel.get(), "Process32FirstW");
  const auto next = Lookup<WalkFn>(kernel.get(), "Process32NextW");
  if (take == nullptr || first == nullptr || next == nullptr) return false;
  UniqueHandle snapshot(take(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.valid()) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = first(snapshot.get(), &entry); more;
       more = next(snapshot.get(), &entry)) {
    executables->push_back(Narrow(entry.szExeFile));
  }
  return true;
}

WindowId Win32WindowList::Next(WindowId after) {
  // Every top-level window counts, hidden or not, whoever owns it. A window
  // that has gone meanwhile ends the list, and the caller starts over.
  HWND window = after == 0
                    ? GetWindow(GetDesktopWindow(), GW_CHILD)
                    : GetWindow(reinterpret_cast<HWND>(after), GW_HWNDNEXT);
  return reinterpret_cast<WindowId>(window);
}

std::string Win32WindowList::Title(WindowId window, std::size_t max_units) {
  if (window == 0 || max_units == 0) return "";
  std::vector<wchar_t> buffer(max_units + 1, L'\0');
  const int n = GetWindowTextW(reinterpret_cast<HWND>(window), buffer.data(),
                               static_cast<int>(buffer.size()));
  if (n <= 0) return "";
  return Narrow(std::wstring_view(buffer.data(), static_cast<size_t>(n)));
}

}  // namespace qv
