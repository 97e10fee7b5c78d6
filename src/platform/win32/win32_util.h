// Helpers shared by the Win32 implementations: UTF-8/UTF-16 conversion at the
// boundary and an owning handle.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace qv {

/// Conversions between a code page (CP_UTF8, CP_ACP, ...) and UTF-16 with the
/// platform's standard rules; no special flags.
std::wstring ToWide(UINT code_page, std::string_view bytes);
std::string FromWide(UINT code_page, std::wstring_view wide);
inline std::wstring Widen(std::string_view utf8) {
  return ToWide(CP_UTF8, utf8);
}
inline std::string Narrow(std::wstring_view wide) {
  return FromWide(CP_UTF8, wide);
}

/// Owns a kernel handle; closes it once. Not copyable.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  ~UniqueHandle() { Close(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Detach()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.Detach();
    }
    return *this;
  }

  HANDLE get() const { return handle_; }
  bool valid() const {
    return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE;
  }
  void Close() {
    if (valid()) CloseHandle(handle_);
    handle_ = nullptr;
  }
  HANDLE Detach() {
    HANDLE h = handle_;
    handle_ = nullptr;
    return h;
  }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace qv
