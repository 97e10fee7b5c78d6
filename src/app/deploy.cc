#include "app/deploy.h"

#include <string>

namespace qv {

namespace {

// The file is built under a temporary name and renamed into place, so an
// interrupted write (full medium, killed process) never leaves a short
// archiver behind that every later start would keep, since only existence is
// tested.
void WriteIfMissing(FileSystem& fs, const std::string& name,
                    std::string_view data) {
  if (fs.Stat(name) != PathKind::kNone || data.empty()) return;
  const std::string temp = name + ".part";
  bool complete = false;
  {
    auto file = fs.Open(temp, OpenMode::kCreateAlways);
    if (!file) return;
    complete = file->Rewrite(data) && file->Flush();
  }
  if (!complete || !fs.Replace(temp, name)) fs.Remove(temp);
}

}  // namespace

void DeployArchiver(FileSystem& fs, System& system) {
  WriteIfMissing(fs, kArchiverExe, system.PayloadData(Payload::kSevenZipExe));
  WriteIfMissing(fs, kArchiverDll, system.PayloadData(Payload::kSevenZipDll));
}

}  // namespace qv
