// The backup job: the pieces both forms share (archive name, archiver
// parameters, starting the archiver, the outcome's log line) and the whole
// of Unattended mode.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/app_state.h"

namespace qv {

inline constexpr char kArchivePrefix[] = "Quillvault_";
inline constexpr char kArchiver[] = "7z.exe";
/// Exit code of an unattended run whose archiver could not be started (the
/// code Windows uses for a command that is not found).
inline constexpr int kExitArchiverNotStarted = 9009;

/// What one backup archives, and where.
struct BackupInputs {
  std::string folder;  // the Backup folder, used as given
  int64_t level = 0;   // passed on unchanged, even outside 0..9
  std::string computer;
  std::string user;
  std::string date;     // yyyymmdd
  std::string profile;  // the Profile folder, no trailing separator
};

/// The local date as eight digits, year first.
std::string ArchiveDate(const LocalTime& time);
/// "Quillvault_" computer "_" user "_" date ".7z".
std::string ArchiveName(const BackupInputs& in);
/// The Backup folder followed directly by the archive name.
std::string ArchivePath(const BackupInputs& in);
/// The add command for the archiver. The Backup folder alone is quoted, and
/// only when it holds a blank.
std::string BackupParameters(const BackupInputs& in);

/// How the archiver run ended.
struct ArchiverOutcome {
  bool started = false;
  bool exit_known = false;
  int exit_code = 0;
  bool succeeded() const { return started && exit_known && exit_code == 0; }
};

/// Starts "7z.exe" hidden with a handle kept; null when it cannot start.
std::unique_ptr<Program> StartArchiver(Launcher& launcher,
                                       const std::string& parameters);
/// Collects the outcome of an archiver that has ended (or never started).
ArchiverOutcome ArchiverResult(Program* archiver);

/// The Activity log line for the outcome: the success line names the Backup
/// folder; a failure line names the archive and the exit code.
std::string OutcomeLogMessage(StringTable& strings, const BackupInputs& in,
                              const ArchiverOutcome& outcome);

/// The whole of Unattended mode: one backup without a window. Returns the
/// exit code of the process: 0, or non-zero when the archive was not made.
int RunUnattendedBackup(AppState& app);

}  // namespace qv
