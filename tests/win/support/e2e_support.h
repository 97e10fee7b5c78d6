// Support for the end-to-end tests under Wine: start a real program with its
// own environment and working folder, find and answer the message boxes it
// shows, and collect its exit code. Also small file helpers.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qv::e2e {

struct SeenBox {
  std::string title;
  std::string text;
};

/// The button to press: IDOK, IDYES or IDNO.
using BoxAnswerer = std::function<int(const SeenBox&)>;

struct RunRequest {
  std::string program;     // full Windows path
  std::string parameters;  // appended after the quoted program path
  std::string folder;      // working folder
  /// Variables to set ("" as value still sets an empty variable).
  std::map<std::string, std::string> set_env;
  std::vector<std::string> unset_env;
  BoxAnswerer answer;  // default: OK, or Yes for a question
  DWORD timeout_ms = 180000;
};

struct RunResult {
  bool started = false;
  bool timed_out = false;
  DWORD exit_code = 0;
  std::vector<SeenBox> boxes;
};

/// Runs the program to its end, answering every message box it shows. A run
/// that exceeds the timeout is ended and reported as timed out.
RunResult RunProgram(const RunRequest& request);

/// A Windows path of a file of the build tree (given as a Unix path).
std::string BuildPath(const std::string& unix_path);
/// A new empty folder under the temporary folder; ends with no backslash.
std::string MakeTempFolder(const std::string& tag);
void RemoveTree(const std::string& path);
bool MakeFolders(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
bool ReadBytes(const std::string& path, std::string* bytes);
bool Exists(const std::string& path);
bool IsFolder(const std::string& path);
std::vector<std::string> ListFolder(const std::string& folder);

std::wstring W(const std::string& utf8);
std::string U(const std::wstring& wide);

}  // namespace qv::e2e
