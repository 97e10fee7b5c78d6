#include "app/command_line.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Words = std::vector<std::string>;

TEST(SplitParameters, WordsAfterTheProgramName) {
  struct Case {
    const char* line;
    Words words;
  } cases[] = {
      {"quillvault.exe", {}},
      {"\"C:\\Program Files\\Q\\quillvault.exe\"", {}},
      {"\"C:\\Program Files\\Q\\quillvault.exe\" /b", {"/b"}},
      {"q.exe  /b\t x ", {"/b", "x"}},
      {"q.exe \"/b now\"", {"/b now"}},
      {"q.exe a\"b c\"d e", {"ab cd", "e"}},
      {"q.exe \"\"", {""}},
      {"q.exe \"unterminated x", {"unterminated x"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitParameters(c.line), c.words) << c.line;
  }
}

TEST(ParameterCursor, NextMovesOnlyPastExistingParameters) {
  ParameterCursor cursor({"a", "b"});
  EXPECT_EQ(cursor.Next(), "a");
  EXPECT_EQ(cursor.At(0), "a");
  EXPECT_EQ(cursor.position(), 1u);
  EXPECT_EQ(cursor.Next(), "b");
  EXPECT_EQ(cursor.Next(), "");
  EXPECT_EQ(cursor.position(), 2u);

  ParameterCursor empty({});
  EXPECT_EQ(empty.Next(), "");
  EXPECT_EQ(empty.Next(), "");  // the empty parameter 0 once more
  EXPECT_EQ(empty.position(), 0u);
}

TEST(IsUnattendedSwitch, FirstTwoCharactersCaseSensitive) {
  struct Case {
    const char* parameter;
    bool unattended;
  } cases[] = {
      {"/b", true},  {"/backup", true}, {"/b now", true},
      {"/B", false}, {"/", false},      {"b", false},
      {"-b", false}, {"", false},       {" /b", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsUnattendedSwitch(c.parameter), c.unattended) << c.parameter;
  }
}

}  // namespace
}  // namespace qv
