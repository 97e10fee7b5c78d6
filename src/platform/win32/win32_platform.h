// Win32 implementations of the environment, clock, text, file, dialog and
// system ports.
#pragma once

#include <windows.h>

#include "platform/ports.h"

namespace qv {

class Win32Environment : public Environment {
 public:
  std::string GetVar(const std::string& name) override;
  std::string CurrentDirectory() override;
};

class Win32Clock : public Clock {
 public:
  LocalTime Now() override;
  void SleepMs(uint32_t ms) override;
};

class Win32Text : public TextServices {
 public:
  std::string AnsiToUtf8(std::string_view ansi) override;
  std::string Utf8ToAnsi(std::string_view utf8) override;
  std::string ToUpper(std::string_view utf8) override;
};

class Win32FileSystem : public FileSystem {
 public:
  PathKind Stat(const std::string& path) override;
  std::unique_ptr<File> Open(const std::string& path, OpenMode mode) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder,
                                     const std::string& pattern) override;
};

class Win32Dialogs : public Dialogs {
 public:
  BoxAnswer ShowMessage(const std::string& title, const std::string& text,
                        BoxIcon icon, BoxButtons buttons) override;
  /// Boxes are owned by this window once it exists.
  void SetOwner(HWND owner) { owner_ = owner; }

 private:
  HWND owner_ = nullptr;
};

class Win32System : public System {
 public:
  std::string CommandLine() override;
  uint32_t RegisterMessage(const std::string& name) override;
  uint32_t CreateOwnedMutex(const std::string& name) override;
  std::string UserLanguageName() override;
  std::string_view PayloadData(Payload which) override;
};

}  // namespace qv
