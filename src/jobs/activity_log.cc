#include "jobs/activity_log.h"

#include "base/text.h"

namespace qv {

std::string LogFileName(const std::string& name) { return name + ".log"; }

std::string FormatLogTime(const LocalTime& t) {
  return TwoDigits(t.month) + "/" + TwoDigits(t.day) + "/" +
         ZeroPadded(t.year, 4) + " " + TwoDigits(t.hour) + ":" +
         TwoDigits(t.minute) + ":" + TwoDigits(t.second);
}

void WriteLog(FileSystem& fs, Clock& clock, TextServices& text,
              const std::string& name, const std::string& message) {
  std::unique_ptr<File> file =
      fs.Open(LogFileName(name), OpenMode::kAppendShareAll);
  if (!file) return;
  const std::string line = message + " " + FormatLogTime(clock.Now()) + "\r\n";
  // One write per line: appenders in other processes never split a line.
  file->Append(text.Utf8ToAnsi(line));
}

void WriteLog(Platform& platform, const std::string& name,
              const std::string& message) {
  WriteLog(platform.fs, platform.clock, platform.text, name, message);
}

}  // namespace qv
