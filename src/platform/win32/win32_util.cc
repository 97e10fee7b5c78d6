#include "platform/win32/win32_util.h"

namespace qv {

std::wstring ToWide(UINT code_page, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int n =
      MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), size, out.data(), n);
  return out;
}

std::string FromWide(UINT code_page, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(code_page, 0, wide.data(), size, nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), size, out.data(), n, nullptr,
                      nullptr);
  return out;
}

}  // namespace qv
