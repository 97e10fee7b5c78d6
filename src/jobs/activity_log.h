// The Activity log: one dated line per outcome of a job, appended to a text
// file in the current directory.
#pragma once

#include <string>

#include "platform/ports.h"

namespace qv {

/// The log name every caller passes.
inline constexpr char kLogName[] = "Backup";

/// The file that holds the log `name`. The writer and the View Log command
/// both name the file through this, so they agree on a case-sensitive file
/// system too.
std::string LogFileName(const std::string& name);

/// "mm/dd/yyyy hh:ii:ss", every field zero-padded.
std::string FormatLogTime(const LocalTime& time);

/// Appends `message`, a blank, the local time and CR LF, in the ANSI code
/// page, to LogFileName(name). The file is opened with full sharing and
/// closed again for every line, so other processes may append meanwhile. A
/// line that cannot be written is dropped without a word.
void WriteLog(FileSystem& fs, Clock& clock, TextServices& text,
              const std::string& name, const std::string& message);
void WriteLog(Platform& platform, const std::string& name,
              const std::string& message);

}  // namespace qv
