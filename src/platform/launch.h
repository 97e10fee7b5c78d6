// Platform-neutral pieces of starting programs: the command line a program is
// started with, and the splitting of its standard output into lines.
#pragma once

#include <string>
#include <string_view>

namespace qv {

/// The file in double quotes (as it is when it already begins with one), then
/// a blank and the parameters when there are any.
std::string CommandLineFor(std::string_view file, std::string_view parameters);

/// The file name without one pair of enclosing double quotes.
std::string UnquotedFile(std::string_view file);

/// True for a batch script (".bat", ".cmd"), which Windows would only run
/// through its command shell. Trailing dots and blanks, which Windows drops
/// from file names, do not hide the extension.
bool IsBatchFile(std::string_view file);

/// The folder part of a file name, up to and including its last separator;
/// empty when the name has none.
std::string FolderPart(std::string_view file);

/// Collects output bytes and hands them out as lines: up to a line feed,
/// carriage returns dropped, invalid UTF-8 replaced by U+FFFD.
class OutputLines {
 public:
  void Feed(std::string_view bytes) { pending_.append(bytes); }
  /// The next line that ended with a line feed; false when none has yet.
  bool TakeLine(std::string* line);
  /// For the end of the output: the bytes left after the last line feed as a
  /// line; false when nothing is left.
  bool TakeRest(std::string* line);
  bool HasPending() const { return !pending_.empty(); }

 private:
  std::string pending_;
};

}  // namespace qv
