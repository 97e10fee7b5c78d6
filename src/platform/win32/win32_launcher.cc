#include "platform/win32/win32_launcher.h"

#include <windows.h>

namespace qv {

StartResult Win32Launcher::StartProgram(const std::string& file,
                                        const std::string& parameters,
                                        const std::string& folder,
                                        const StartOptions& options) {
  (void)file;
  (void)parameters;
  (void)folder;
  (void)options;
  return {};
}

}  // namespace qv
