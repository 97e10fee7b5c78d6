// Small platform-neutral text helpers over UTF-8 std::string.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv {

/// Code points of a UTF-8 text; each invalid byte becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view utf8);
std::string EncodeUtf8(std::u32string_view text);
void AppendUtf8(char32_t code_point, std::string* out);

/// Space and tab, the blanks of command lines and preference files.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

/// Upper-cases the letters a-z only; every other byte stays as it is.
std::string AsciiUpper(std::string_view text);
/// Equality that ignores the case of the letters A-Z only.
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

/// Decimal, zero-padded to at least `width` digits.
std::string ZeroPadded(int value, int width);
inline std::string TwoDigits(int value) { return ZeroPadded(value, 2); }

}  // namespace qv
