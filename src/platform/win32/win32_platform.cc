#include "platform/win32/win32_platform.h"

#include <vector>

#include "platform/win32/win32_util.h"
#include "res/resource_ids.h"

namespace qv {

std::string Win32Environment::GetVar(const std::string& name) {
  const std::wstring wname = Widen(name);
  const DWORD n = GetEnvironmentVariableW(wname.c_str(), nullptr, 0);
  if (n == 0) return "";
  std::wstring value(n, L'\0');
  const DWORD got = GetEnvironmentVariableW(wname.c_str(), value.data(), n);
  value.resize(got < n ? got : 0);
  return Narrow(value);
}

std::string Win32Environment::CurrentDirectory() {
  const DWORD n = GetCurrentDirectoryW(0, nullptr);
  std::wstring dir(n, L'\0');
  const DWORD got = GetCurrentDirectoryW(n, dir.data());
  dir.resize(got < n ? got : 0);
  if (dir.empty() || dir.back() != L'\\') dir.push_back(L'\\');
  return Narrow(dir);
}

LocalTime Win32Clock::Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

void Win32Clock::SleepMs(uint32_t ms) { Sleep(ms); }

std::string Win32Text::AnsiToUtf8(std::string_view ansi) {
  return Narrow(ToWide(CP_ACP, ansi));
}

std::string Win32Text::Utf8ToAnsi(std::string_view utf8) {
  return FromWide(CP_ACP, Widen(utf8));
}

std::string Win32Text::ToUpper(std::string_view utf8) {
  std::wstring wide = Widen(utf8);
  if (!wide.empty()) {
    CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  }
  return Narrow(wide);
}

// ---------------------------------------------------------------------------

namespace {

class Win32File : public File {
 public:
  explicit Win32File(UniqueHandle handle) : handle_(std::move(handle)) {}

  bool ReadAll(std::string* content) override {
    content->clear();
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(handle_.get(), zero, nullptr, FILE_BEGIN)) {
      return false;
    }
    char buffer[64 * 1024];
    for (;;) {
      DWORD got = 0;
      if (!ReadFile(handle_.get(), buffer, sizeof buffer, &got, nullptr)) {
        return false;
      }
      if (got == 0) return true;
      content->append(buffer, got);
    }
  }

  bool Rewrite(std::string_view bytes) override {
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(handle_.get(), zero, nullptr, FILE_BEGIN)) {
      return false;
    }
    const bool written = WriteAll(bytes);
    return SetEndOfFile(handle_.get()) && written;
  }

  bool Append(std::string_view bytes) override {
    // The handle was opened for appending only, so every write lands at the
    // end the file has at that moment, even with other writers. Wine finds
    // that end and writes in two steps, so appenders in several processes
    // take turns through a lock on one byte far past any data.
    OVERLAPPED turn{};
    turn.Offset = 0xFFFFFFF0u;
    turn.OffsetHigh = 0x7FFFFFFFu;
    const bool locked =
        LockFileEx(handle_.get(), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &turn);
    const bool written = WriteAll(bytes);
    if (locked) UnlockFileEx(handle_.get(), 0, 1, 0, &turn);
    return written;
  }

  bool Flush() override { return FlushFileBuffers(handle_.get()) != 0; }

 private:
  bool WriteAll(std::string_view bytes) {
    while (!bytes.empty()) {
      const DWORD chunk = static_cast<DWORD>(
          bytes.size() > (1u << 30) ? (1u << 30) : bytes.size());
      DWORD done = 0;
      if (!WriteFile(handle_.get(), bytes.data(), chunk, &done, nullptr) ||
          done == 0) {
        return false;
      }
      bytes.remove_prefix(done);
    }
    return true;
  }

  UniqueHandle handle_;
};

struct ModeFlags {
  DWORD access;
  DWORD share;
  DWORD disposition;
};

ModeFlags FlagsFor(OpenMode mode) {
  constexpr DWORD kRw = GENERIC_READ | GENERIC_WRITE;
  switch (mode) {
    case OpenMode::kReadWriteShareRead:
    case OpenMode::kReadWriteExisting:
      return {kRw, FILE_SHARE_READ, OPEN_EXISTING};
    case OpenMode::kReadShareRead:
      return {GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING};
    case OpenMode::kReadShareReadWrite:
      return {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING};
    case OpenMode::kCreateAlways:
      return {kRw, FILE_SHARE_READ, CREATE_ALWAYS};
    case OpenMode::kAppendShareAll:
      return {GENERIC_READ | FILE_APPEND_DATA | SYNCHRONIZE,
              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
              OPEN_ALWAYS};
  }
  return {GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING};
}

}  // namespace

PathKind Win32FileSystem::Stat(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kNone;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::kFolder
                                                 : PathKind::kFile;
}

std::unique_ptr<File> Win32FileSystem::Open(const std::string& path,
                                            OpenMode mode) {
  const ModeFlags f = FlagsFor(mode);
  UniqueHandle handle(CreateFileW(Widen(path).c_str(), f.access, f.share,
                                  nullptr, f.disposition, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
  if (!handle.valid()) return nullptr;
  return std::make_unique<Win32File>(std::move(handle));
}

bool Win32FileSystem::Replace(const std::string& from, const std::string& to) {
  return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32FileSystem::Remove(const std::string& path) {
  return DeleteFileW(Widen(path).c_str()) != 0;
}

std::vector<std::string> Win32FileSystem::ListFiles(
    const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  std::string query = folder;
  if (!query.empty() && query.back() != '\\') query.push_back('\\');
  query += pattern;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(Widen(query).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      names.push_back(Narrow(data.cFileName));
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

// ---------------------------------------------------------------------------

BoxAnswer Win32Dialogs::ShowMessage(const std::string& title,
                                    const std::string& text, BoxIcon icon,
                                    BoxButtons buttons) {
  UINT flags = buttons == BoxButtons::kYesNo ? MB_YESNO : MB_OK;
  switch (icon) {
    case BoxIcon::kError:
      flags |= MB_ICONERROR;
      break;
    case BoxIcon::kQuestion:
      flags |= MB_ICONQUESTION;
      break;
    case BoxIcon::kWarning:
      flags |= MB_ICONWARNING;
      break;
    case BoxIcon::kInformation:
      flags |= MB_ICONINFORMATION;
      break;
  }
  // Without a window a box must still come to the front for the user.
  if (owner_ == nullptr) flags |= MB_SETFOREGROUND | MB_TASKMODAL;
  const int answer =
      MessageBoxW(owner_, Widen(text).c_str(), Widen(title).c_str(), flags);
  if (answer == IDYES) return BoxAnswer::kYes;
  if (answer == IDNO) return BoxAnswer::kNo;
  return BoxAnswer::kOk;
}

std::string Win32System::CommandLine() { return Narrow(GetCommandLineW()); }

uint32_t Win32System::RegisterMessage(const std::string& name) {
  return RegisterWindowMessageW(Widen(name).c_str());
}

uint32_t Win32System::CreateOwnedMutex(const std::string& name) {
  SetLastError(0);
  // The handle is kept on purpose: the mutex must live as long as the
  // process, and the system releases it when the process ends.
  HANDLE mutex = CreateMutexW(nullptr, TRUE, Widen(name).c_str());
  const DWORD error = GetLastError();
  if (mutex == nullptr) return error != 0 ? error : ERROR_INVALID_HANDLE;
  return error;
}

std::string Win32System::UserLanguageName() {
  std::vector<wchar_t> buffer(999, L'\0');
  const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLANGUAGE,
                               buffer.data(), static_cast<int>(buffer.size()));
  if (n <= 0) return "";
  return Narrow(std::wstring_view(buffer.data(), static_cast<size_t>(n - 1)));
}

std::string_view Win32System::PayloadData(Payload which) {
  const int id = which == Payload::kSevenZipExe ? IDR_7Z_EXE : IDR_7Z_DLL;
  HRSRC info = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_RCDATA);
  if (info == nullptr) return {};
  HGLOBAL data = LoadResource(nullptr, info);
  if (data == nullptr) return {};
  const DWORD size = SizeofResource(nullptr, info);
  return {static_cast<const char*>(LockResource(data)), size};
}

}  // namespace qv
