#include "app/command_line.h"

#include "base/text.h"

namespace qv {

std::vector<std::string> SplitParameters(std::string_view command_line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < command_line.size()) {
    while (i < command_line.size() && IsBlank(command_line[i])) ++i;
    if (i == command_line.size()) break;
    std::string word;
    bool quoted = false;
    for (; i < command_line.size(); ++i) {
      const char c = command_line[i];
      if (c == '"') {
        quoted = !quoted;
      } else if (IsBlank(c) && !quoted) {
        break;
      } else {
        word.push_back(c);
      }
    }
    words.push_back(std::move(word));
  }
  if (!words.empty()) words.erase(words.begin());  // the program's own name
  return words;
}

std::string ParameterCursor::Next() {
  if (position_ >= parameters_.size()) return "";
  return parameters_[position_++];
}

std::string ParameterCursor::At(size_t n) {
  position_ = n;
  return Next();
}

bool IsUnattendedSwitch(std::string_view parameter) {
  return parameter.substr(0, 2) == "/b";
}

}  // namespace qv
