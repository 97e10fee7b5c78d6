// Test helper: appends lines "<tag> <i>" to the Activity log of the current
// folder through the real Win32 ports, as a second process would.
//   log_writer <count> <tag>
#include <windows.h>
// After <windows.h>, which it builds on.
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>
#include <string>

#include "jobs/activity_log.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_util.h"

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 3) return 2;
  const long count = std::wcstol(argv[1], nullptr, 10);
  const std::string tag = qv::Narrow(argv[2]);
  LocalFree(argv);
  qv::Win32FileSystem fs;
  qv::Win32Clock clock;
  qv::Win32Text text;
  for (long i = 0; i < count; ++i) {
    qv::WriteLog(fs, clock, text, qv::kLogName, tag + " " + std::to_string(i));
  }
  return 0;
}
