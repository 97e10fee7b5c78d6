#include "base/text.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(Utf8, DecodesValidAndReplacesInvalidBytes) {
  struct Case {
    std::string in;
    std::u32string out;
  } cases[] = {
      {"abc", U"abc"},
      {"\xC3\xA4", U"\u00E4"},
      {"\xE2\x82\xAC", U"\u20AC"},
      {"\xF0\x9F\x98\x80", U"\U0001F600"},
      {"\xC3", U"\uFFFD"},                      // truncated sequence
      {"\xC0\xAF", U"\uFFFD\uFFFD"},            // overlong
      {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},  // surrogate
      {"\xFF"
       "a",
       U"\uFFFDa"},
      {std::string("a\0b", 3), std::u32string(U"a\0b", 3)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeUtf8(c.in), c.out) << c.in;
  }
}

TEST(Utf8, EncodeRoundTripsDecodedText) {
  const std::string text = "K\xC3\xA4se \xD0\x96 \xE2\x82\xAC \xF0\x9F\x98\x80";
  EXPECT_EQ(EncodeUtf8(DecodeUtf8(text)), text);
}

TEST(AsciiCase, OnlyLettersAToZFold) {
  EXPECT_EQ(AsciiUpper("abz-AZ \xC3\xA4"), "ABZ-AZ \xC3\xA4");
  EXPECT_TRUE(EqualsIgnoreAsciiCase("BkUpDir", "BKUPDIR"));
  EXPECT_FALSE(EqualsIgnoreAsciiCase("\xC3\xA4", "\xC3\x84"));
  EXPECT_FALSE(EqualsIgnoreAsciiCase("Key", "Key "));
}

TEST(TwoDigits, PadsSingleDigits) {
  EXPECT_EQ(TwoDigits(0), "00");
  EXPECT_EQ(TwoDigits(7), "07");
  EXPECT_EQ(TwoDigits(23), "23");
  EXPECT_EQ(ZeroPadded(987, 4), "0987");
  EXPECT_EQ(ZeroPadded(12345, 4), "12345");
}

}  // namespace
}  // namespace qv
