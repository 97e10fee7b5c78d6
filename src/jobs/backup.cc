#include "jobs/backup.h"

#include "app/startup.h"

namespace qv {

int RunUnattendedBackup(AppState& app) {
  // The unattended job arrives with the backup work; until then the run ends.
  return EndProgram(app);
}

}  // namespace qv
