// Writes the archiver that the program carries into the current directory.
#pragma once

#include "platform/ports.h"

namespace qv {

inline constexpr char kArchiverExe[] = "7z.exe";
inline constexpr char kArchiverDll[] = "7z.dll";

/// Writes "7z.exe" and then "7z.dll" when nothing (file or folder) stands
/// under the name; anything present is left alone. Failures are silent.
void DeployArchiver(FileSystem& fs, System& system);

}  // namespace qv
