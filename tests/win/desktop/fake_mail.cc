// Test helper: a stand-in mail client. Opens one top-level window with the
// title given first and runs until it is ended, or for at most the given
// number of milliseconds (120 s by default) so a failed test leaves nothing
// behind.
//   fake_mail [title [lifetime ms [file to hold]]]
// A file to hold is kept open without sharing, as a running client keeps
// its mail store, so nothing else can read it while the client lives.
// Without arguments, as the mail client is restarted, the title is
// "Mozilla Thunderbird".
#include <windows.h>
// After <windows.h>, which it builds on.
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_TIMER || message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr) return 2;
  const wchar_t* title = argc > 1 ? argv[1] : L"Mozilla Thunderbird";
  const UINT lifetime =
      argc > 2 ? static_cast<UINT>(std::wcstoul(argv[2], nullptr, 10)) : 120000;
  HANDLE held = INVALID_HANDLE_VALUE;
  if (argc > 3) {
    held = CreateFileW(argv[3], GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 4;
  }
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = L"QvStandInMailClient";
  RegisterClassW(&window_class);
  HWND window =
      CreateWindowExW(0, window_class.lpszClassName, title, WS_OVERLAPPEDWINDOW,
                      10, 10, 300, 200, nullptr, nullptr, instance, nullptr);
  LocalFree(argv);
  if (window == nullptr) return 3;
  // The starter's show state (hidden or not) applies to this first call.
  ShowWindow(window, show);
  SetTimer(window, 1, lifetime, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  return 0;
}
