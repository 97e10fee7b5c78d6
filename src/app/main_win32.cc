// Entry point of quillvault.exe: builds the Win32 ports and runs the start-up.
#include <windows.h>

#include "app/app_state.h"
#include "app/startup.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  qv::Win32Environment env;
  qv::Win32Clock clock;
  qv::Win32Text text;
  qv::Win32FileSystem fs;
  qv::Win32Launcher launcher;
  qv::Win32ProcessList processes;
  qv::Win32WindowList windows;
  qv::Win32Dialogs dialogs;
  qv::Win32System system;
  qv::Platform platform{env,       clock,   text,    fs,    launcher,
                        processes, windows, dialogs, system};
  int code = 0;
  {
    qv::AppState app(platform);
    code = qv::RunStartup(app, nullptr);
  }
  ExitProcess(static_cast<UINT>(code));
}
