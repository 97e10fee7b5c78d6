#include "platform/launch.h"

#include "base/text.h"

namespace qv {

namespace {

// CRs are dropped wherever they are; a line crossing the port is valid UTF-8.
std::string CleanLine(std::string_view raw) {
  std::string bytes;
  bytes.reserve(raw.size());
  for (char c : raw) {
    if (c != '\r') bytes.push_back(c);
  }
  return EncodeUtf8(DecodeUtf8(bytes));
}

}  // namespace

std::string CommandLineFor(std::string_view file, std::string_view parameters) {
  std::string line;
  if (!file.empty() && file.front() == '"') {
    line = file;
  } else {
    line = "\"" + std::string(file) + "\"";
  }
  if (!parameters.empty()) {
    line += ' ';
    line += parameters;
  }
  return line;
}

std::string UnquotedFile(std::string_view file) {
  if (file.size() >= 2 && file.front() == '"' && file.back() == '"') {
    return std::string(file.substr(1, file.size() - 2));
  }
  return std::string(file);
}

bool IsBatchFile(std::string_view file) {
  std::string name = UnquotedFile(file);
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
    name.pop_back();
  }
  if (name.size() < 4) return false;
  const std::string extension = AsciiUpper(name.substr(name.size() - 4));
  return extension == ".BAT" || extension == ".CMD";
}

std::string FolderPart(std::string_view file) {
  const size_t last = file.find_last_of("\\/");
  if (last == std::string_view::npos) return "";
  return std::string(file.substr(0, last + 1));
}

bool OutputLines::TakeLine(std::string* line) {
  const size_t end = pending_.find('\n');
  if (end == std::string::npos) return false;
  *line = CleanLine(std::string_view(pending_).substr(0, end));
  pending_.erase(0, end + 1);
  return true;
}

bool OutputLines::TakeRest(std::string* line) {
  if (TakeLine(line)) return true;
  if (pending_.empty()) return false;
  *line = CleanLine(pending_);
  pending_.clear();
  return true;
}

}  // namespace qv
