// Shared by the Wine tests of this folder: a temporary folder of their own,
// the helper programs next to the test program, bounded waiting, and ending
// what a test started.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qv {

/// The folder of the running test program, with a trailing backslash.
std::wstring OwnFolder();

/// A fresh folder under the temporary folder; removed with its content.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  /// The folder with a trailing backslash.
  const std::wstring& path() const { return path_; }
  std::string utf8() const;

 private:
  std::wstring path_;
};

/// Copies a helper program of the test folder to `to`.
bool CopyHelper(const wchar_t* helper, const std::wstring& to);

/// Polls `condition` until it holds or about `limit_ms` have passed.
bool WaitUntil(const std::function<bool()>& condition, int limit_ms = 20000);

/// Ends every process whose executable name is one of `names` (any case) and
/// waits until each has gone.
void EndProcessesNamed(const std::vector<std::wstring>& names);

/// The bytes of a file; empty when it cannot be read.
std::string ReadBytes(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);

}  // namespace qv
