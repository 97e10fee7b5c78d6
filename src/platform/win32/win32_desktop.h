// Win32 implementations of the process list (tool-help functions loaded at
// run time) and the top-level window list.
#pragma once

#include "platform/ports.h"

namespace qv {

class Win32ProcessList : public ProcessList {
 public:
  bool Snapshot(std::vector<std::string>* executables) override;
};

class Win32WindowList : public WindowList {
 public:
  WindowId Next(WindowId after) override;
  std::string Title(WindowId window, std::size_t max_units) override;
};

}  // namespace qv
