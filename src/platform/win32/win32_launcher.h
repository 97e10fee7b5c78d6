// Win32 implementation of the launcher port: CreateProcessW with the shell
// (ShellExecuteExW) as the fallback for documents and registered programs.
#pragma once

#include "platform/ports.h"

namespace qv {

class Win32Launcher : public Launcher {
 public:
  StartResult StartProgram(const std::string& file,
                           const std::string& parameters,
                           const std::string& folder,
                           const StartOptions& options) override;
};

}  // namespace qv
