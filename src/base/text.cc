#include "base/text.h"

namespace qv {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Length of the sequence that starts with `lead`, 0 for a byte that cannot
// start one.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

}  // namespace

std::u32string DecodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = SequenceLength(lead);
    if (length == 1) {
      out.push_back(lead);
      ++i;
      continue;
    }
    if (length == 0 || i + static_cast<size_t>(length) > utf8.size()) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    char32_t cp = lead & (0xFF >> (length + 1));
    bool valid = true;
    for (int k = 1; k < length; ++k) {
      const auto c =
          static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]);
      if ((c & 0xC0) != 0x80) {
        valid = false;
        break;
      }
      cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are invalid.
    const bool overlong =
        (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
    if (!valid || overlong || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    out.push_back(cp);
    i += static_cast<size_t>(length);
  }
  return out;
}

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp >= 0xD800 && cp <= 0xDFFF) cp = kReplacement;
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp <= 0x10FFFF) {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    AppendUtf8(kReplacement, out);
  }
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t cp : text) AppendUtf8(cp, &out);
  return out;
}

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

std::string ZeroPadded(int value, int width) {
  std::string digits = std::to_string(value);
  if (value >= 0 && digits.size() < static_cast<size_t>(width)) {
    digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
  }
  return digits;
}

}  // namespace qv
