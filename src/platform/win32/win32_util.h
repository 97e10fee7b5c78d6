// Helpers shared by the Win32 implementations: UTF-8/UTF-16 conversion at the
// boundary and an owning handle.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace qv {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

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
