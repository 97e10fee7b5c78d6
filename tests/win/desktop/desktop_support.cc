#include "tests/win/desktop/desktop_support.h"

#include <tlhelp32.h>

#include "platform/win32/win32_util.h"

namespace qv {

namespace {

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + L"\\");
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

std::wstring OwnFolder() {
  wchar_t buffer[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 4);
  std::wstring path(buffer, n);
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

TempFolder::TempFolder() {
  wchar_t temp[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, temp);
  // Process id and clock keep parallel runs apart; the attempt number keeps
  // folders of one test program apart.
  for (ULONGLONG attempt = GetTickCount64();; ++attempt) {
    path_ = std::wstring(temp) + L"qvdesk_" +
            std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(attempt) + L"\\";
    if (CreateDirectoryW(path_.c_str(), nullptr)) return;
  }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string TempFolder::utf8() const { return Narrow(path_); }

bool CopyHelper(const wchar_t* helper, const std::wstring& to) {
  return CopyFileW((OwnFolder() + helper).c_str(), to.c_str(), FALSE) != 0;
}

bool WaitUntil(const std::function<bool()>& condition, int limit_ms) {
  for (int waited = 0; waited < limit_ms; waited += 50) {
    if (condition()) return true;
    Sleep(50);
  }
  return condition();
}

void EndProcessesNamed(const std::vector<std::wstring>& names) {
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.valid()) return;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    for (const std::wstring& name : names) {
      if (lstrcmpiW(entry.szExeFile, name.c_str()) != 0) continue;
      UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE,
                                       entry.th32ProcessID));
      if (!process.valid()) continue;
      TerminateProcess(process.get(), 99);
      WaitForSingleObject(process.get(), 10000);
    }
  }
}

std::string ReadBytes(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return "";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) &&
         got > 0) {
    bytes.append(buffer, got);
  }
  return bytes;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD done = 0;
  return file.valid() &&
         WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                   &done, nullptr) &&
         done == bytes.size();
}

}  // namespace qv
