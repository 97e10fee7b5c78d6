// The start-up sequence and the one end sequence of every run.
#pragma once

#include "app/app_state.h"

namespace qv {

inline constexpr char kTaskbarCreatedMessage[] = "TaskbarCreated";
inline constexpr char kInstanceMutex[] = "Quillvault";
inline constexpr char kProfileSuffix[] = "\\AppData\\Roaming\\Thunderbird";

/// The interactive part after the checks: the window and the event loop.
class InteractiveShell {
 public:
  virtual ~InteractiveShell() = default;
  /// Builds the window and runs the event loop; returns the exit code that
  /// EndProgram gave.
  virtual int Run(AppState& app) = 0;
};

/// Runs the start-up sequence and returns the process exit code. Without a
/// shell, an interactive start that passes its checks ends at once.
int RunStartup(AppState& app, InteractiveShell* shell);

/// Releases what the run holds (a current Preference file is written back
/// when it changed) and returns the exit code to end the process with: 0,
/// except for an unattended backup that failed.
int EndProgram(AppState& app, int exit_code = 0);

}  // namespace qv
