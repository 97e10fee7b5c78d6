// The backup job.
#pragma once

#include "app/app_state.h"

namespace qv {

/// The whole of Unattended mode: one backup without a window. Returns the
/// exit code of the process.
int RunUnattendedBackup(AppState& app);

}  // namespace qv
