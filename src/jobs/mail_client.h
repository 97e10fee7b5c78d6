// Finding, ending and restarting the mail client. The matching rules live
// here; the platform only lists processes and windows.
#pragma once

#include <string>

#include "platform/ports.h"

namespace qv {

/// The executable looked for in the process list.
inline constexpr char kMailClientExe[] = "Thunderbird.exe";
/// The text looked for in window titles.
inline constexpr char kMailClientTitle[] = "Thunderbird";
/// What the interactive and the unattended backup start to restart the client.
inline constexpr char kRestartInteractive[] = "Thunderbird.exe";
inline constexpr char kRestartUnattended[] = "thunderbird.exe";

/// At most this many UTF-16 units of a title take part in the comparison.
inline constexpr std::size_t kTitleUnits = 259;
/// A title search gives up after this many probes.
inline constexpr int kTitleProbes = 1001;

/// True when a running process's executable file name (the part after the
/// last separator) equals `name`, letter case ignored. False when the list
/// cannot be taken.
bool IsProcessRunning(ProcessList& processes, TextServices& text,
                      const std::string& name);

/// The first top-level window whose title contains `text`, letter case
/// ignored, or 0. Walks the list round again at its end and gives up after
/// kTitleProbes probes. An empty title or an empty text never matches.
WindowId IsWindowTitlePresent(WindowList& windows, TextServices& text,
                              const std::string& search);

/// Ends every client process by force, hidden; with `wait`, returns once
/// taskkill has ended. Nothing is checked afterwards.
void EndMailClient(Launcher& launcher, bool wait);

/// Starts `name` (kRestartInteractive or kRestartUnattended) shown normally,
/// without waiting. A failure is not reported.
void RestartMailClient(Launcher& launcher, const std::string& name);

}  // namespace qv
