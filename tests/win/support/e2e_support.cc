#include "e2e_support.h"

#include <algorithm>

namespace qv::e2e {

std::wstring W(const std::string& s) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(),
                                    static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()),
                      out.data(), n);
  return out;
}

std::string U(const std::wstring& s) {
  if (s.empty()) return {};
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()),
                          nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()),
                      out.data(), n, nullptr, nullptr);
  return out;
}

namespace {

bool SameName(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The parent's environment with the requested changes, as a sorted block.
std::wstring EnvironmentBlock(const RunRequest& request) {
  std::vector<std::pair<std::wstring, std::wstring>> vars;
  wchar_t* block = GetEnvironmentStringsW();
  for (const wchar_t* p = block; *p; p += wcslen(p) + 1) {
    std::wstring entry(p);
    const size_t eq = entry.find(L'=', 1);
    if (eq == std::wstring::npos) continue;
    vars.emplace_back(entry.substr(0, eq), entry.substr(eq + 1));
  }
  FreeEnvironmentStringsW(block);
  auto drop = [&](const std::wstring& name) {
    vars.erase(
        std::remove_if(vars.begin(), vars.end(),
                       [&](const auto& v) { return SameName(v.first, name); }),
        vars.end());
  };
  for (const auto& name : request.unset_env) drop(W(name));
  for (const auto& [name, value] : request.set_env) {
    drop(W(name));
    vars.emplace_back(W(name), W(value));
  }
  std::sort(vars.begin(), vars.end(), [](const auto& a, const auto& b) {
    return CompareStringOrdinal(a.first.c_str(), -1, b.first.c_str(), -1,
                                TRUE) == CSTR_LESS_THAN;
  });
  std::wstring out;
  for (const auto& [name, value] : vars) out += name + L"=" + value + L'\0';
  out.push_back(L'\0');
  return out;
}

struct FindBoxes {
  DWORD pid;
  std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBox(HWND hwnd, LPARAM lparam) {
  auto* find = reinterpret_cast<FindBoxes*>(lparam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  if (pid == find->pid && wcscmp(cls, L"#32770") == 0 &&
      IsWindowVisible(hwnd)) {
    find->boxes.push_back(hwnd);
  }
  return TRUE;
}

BOOL CALLBACK LongestStatic(HWND hwnd, LPARAM lparam) {
  auto* best = reinterpret_cast<std::wstring*>(lparam);
  wchar_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  if (_wcsicmp(cls, L"Static") != 0) return TRUE;
  wchar_t text[2048] = {};
  GetWindowTextW(hwnd, text, 2048);
  if (wcslen(text) > best->size()) *best = text;
  return TRUE;
}

SeenBox ReadBox(HWND box) {
  wchar_t title[512] = {};
  GetWindowTextW(box, title, 512);
  std::wstring text;
  EnumChildWindows(box, LongestStatic, reinterpret_cast<LPARAM>(&text));
  return {U(title), U(text)};
}

int DefaultAnswer(HWND box) {
  return GetDlgItem(box, IDYES) != nullptr ? IDYES : IDOK;
}

// Answers the boxes that are up now; returns how many were answered.
int AnswerBoxes(DWORD pid, const RunRequest& request,
                std::vector<HWND>* answered, RunResult* result) {
  FindBoxes find{pid, {}};
  EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&find));
  int count = 0;
  for (HWND box : find.boxes) {
    if (std::find(answered->begin(), answered->end(), box) != answered->end())
      continue;
    SeenBox seen = ReadBox(box);
    if (seen.text.empty()) continue;  // not laid out yet; next round
    const int button =
        request.answer ? request.answer(seen) : DefaultAnswer(box);
    result->boxes.push_back(seen);
    answered->push_back(box);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    ++count;
  }
  return count;
}

}  // namespace

RunResult RunProgram(const RunRequest& request) {
  RunResult result;
  std::wstring command = L"\"" + W(request.program) + L"\"";
  if (!request.parameters.empty()) command += L" " + W(request.parameters);
  std::wstring env = EnvironmentBlock(request);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const std::wstring folder = W(request.folder);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT, env.data(),
                      folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
    return result;
  }
  result.started = true;
  std::vector<HWND> answered;
  const ULONGLONG deadline = GetTickCount64() + request.timeout_ms;
  for (;;) {
    if (WaitForSingleObject(pi.hProcess, 100) == WAIT_OBJECT_0) break;
    AnswerBoxes(pi.dwProcessId, request, &answered, &result);
    if (GetTickCount64() > deadline) {
      result.timed_out = true;
      TerminateProcess(pi.hProcess, 999);
      WaitForSingleObject(pi.hProcess, 5000);
      break;
    }
  }
  GetExitCodeProcess(pi.hProcess, &result.exit_code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return result;
}

std::string BuildPath(const std::string& unix_path) {
  std::string out = "Z:" + unix_path;
  std::replace(out.begin(), out.end(), '/', '\\');
  return out;
}

std::string MakeTempFolder(const std::string& tag) {
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  static int counter = 0;
  for (;;) {
    const std::string path = U(base) + "qv-" + tag + "-" +
                             std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(++counter);
    if (CreateDirectoryW(W(path).c_str(), nullptr)) return path;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return path;
  }
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(W(path + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::string child = path + "\\" + U(name);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesW(W(child).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(W(child).c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  SetFileAttributesW(W(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(W(path).c_str());
}

bool MakeFolders(const std::string& path) {
  for (size_t i = 3; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\') {
      CreateDirectoryW(W(path.substr(0, i)).c_str(), nullptr);
    }
  }
  return IsFolder(path);
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileW(W(path).c_str(), GENERIC_WRITE, 0, nullptr,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  const bool ok = bytes.empty() ||
                  (WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()),
                             &done, nullptr) &&
                   done == bytes.size());
  CloseHandle(h);
  return ok;
}

bool ReadBytes(const std::string& path, std::string* bytes) {
  bytes->clear();
  HANDLE h = CreateFileW(W(path).c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes->append(buffer, got);
  CloseHandle(h);
  return true;
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(W(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::string& path) {
  const DWORD a = GetFileAttributesW(W(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(W(folder + "\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(U(name));
  } while (FindNextFileW(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace qv::e2e
