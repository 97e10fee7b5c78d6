#include "jobs/mail_client.h"

#include <vector>

namespace qv {

namespace {

std::string FileNamePart(const std::string& path) {
  const size_t last = path.find_last_of("\\/");
  return last == std::string::npos ? path : path.substr(last + 1);
}

}  // namespace

bool IsProcessRunning(ProcessList& processes, TextServices& text,
                      const std::string& name) {
  if (name.empty()) return false;
  const std::string wanted = text.ToUpper(name);
  std::vector<std::string> executables;
  if (!processes.Snapshot(&executables)) return false;
  for (const std::string& executable : executables) {
    if (text.ToUpper(FileNamePart(executable)) == wanted) return true;
  }
  return false;
}

WindowId IsWindowTitlePresent(WindowList& windows, TextServices& text,
                              const std::string& search) {
  const std::string wanted = text.ToUpper(search);
  WindowId current = 0;
  for (int probe = 1;; ++probe) {
    // After the last window Next answers 0, and Next(0) starts over.
    current = windows.Next(current);
    if (current != 0 && !wanted.empty()) {
      const std::string title = windows.Title(current, kTitleUnits);
      if (!title.empty() &&
          text.ToUpper(title).find(wanted) != std::string::npos) {
        return current;
      }
    }
    if (probe >= kTitleProbes) return 0;
  }
}

void EndMailClient(Launcher& launcher, bool wait) {
  StartOptions options;
  options.wait = wait;
  options.hidden = true;
  launcher.StartProgram("taskkill", "/f /im thunderbird.exe", "", options);
}

void RestartMailClient(Launcher& launcher, const std::string& name) {
  launcher.StartProgram(name, "", "", StartOptions{});
}

}  // namespace qv
