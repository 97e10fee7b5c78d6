#include "platform/win32/win32_desktop.h"

#include <windows.h>

namespace qv {

bool Win32ProcessList::Snapshot(std::vector<std::string>* executables) {
  executables->clear();
  return false;
}

WindowId Win32WindowList::Next(WindowId after) {
  (void)after;
  return 0;
}

std::string Win32WindowList::Title(WindowId window, std::size_t max_units) {
  (void)window;
  (void)max_units;
  return "";
}

}  // namespace qv
