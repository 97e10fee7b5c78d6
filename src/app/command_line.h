// The command line as the start-up reads it: blank-separated words after the
// program's own name, with double-quoted stretches that may hold blanks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv {

/// The parameters of a whole command line, the program's own name removed.
/// The quote characters are not part of a parameter.
std::vector<std::string> SplitParameters(std::string_view command_line);

/// Reads parameters in order. Next() returns the parameter under the cursor
/// and moves past it when it exists; At(n) moves to n first. A parameter that
/// does not exist reads as the empty text.
class ParameterCursor {
 public:
  explicit ParameterCursor(std::vector<std::string> parameters)
      : parameters_(std::move(parameters)) {}
  std::string Next();
  std::string At(size_t n);
  size_t position() const { return position_; }

 private:
  std::vector<std::string> parameters_;
  size_t position_ = 0;
};

/// True when the parameter selects Unattended mode: its first two characters
/// are "/b", letter case respected.
bool IsUnattendedSwitch(std::string_view parameter);

}  // namespace qv
