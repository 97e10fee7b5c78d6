#include "jobs/backup.h"

#include "app/startup.h"
#include "base/text.h"
#include "i18n/language.h"
#include "jobs/activity_log.h"
#include "jobs/mail_client.h"
#include "settings/settings.h"

namespace qv {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Replaces every "%1" and "%2" of a text, so that translations can place
// the archive path and the exit code where their grammar wants them.
std::string Fill(std::string text, const std::string& first,
                 const std::string& second) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() &&
        (text[i + 1] == '1' || text[i + 1] == '2')) {
      out += text[i + 1] == '1' ? first : second;
      ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

}  // namespace

std::string ArchiveDate(const LocalTime& t) {
  return ZeroPadded(t.year, 4) + TwoDigits(t.month) + TwoDigits(t.day);
}

std::string ArchiveName(const BackupInputs& in) {
  return kArchivePrefix + in.computer + "_" + in.user + "_" + in.date + ".7z";
}

std::string ArchivePath(const BackupInputs& in) {
  return in.folder + ArchiveName(in);
}

std::string BackupParameters(const BackupInputs& in) {
  const bool blank = in.folder.find(' ') != std::string::npos;
  const std::string folder = blank ? Quoted(in.folder) : in.folder;
  return "a -mmt -mx=" + std::to_string(in.level) + " -slp -y " + folder +
         ArchiveName(in) + " " + in.profile;
}

std::unique_ptr<Program> StartArchiver(Launcher& launcher,
                                       const std::string& parameters) {
  StartOptions options;
  options.hidden = true;
  options.keep_handle = true;
  StartResult result =
      launcher.StartProgram(kArchiver, parameters, "", options);
  if (!result.started) return nullptr;
  return std::move(result.program);
}

ArchiverOutcome ArchiverResult(Program* archiver) {
  ArchiverOutcome outcome;
  if (archiver == nullptr) return outcome;
  outcome.started = true;
  outcome.exit_known = archiver->ExitCode(&outcome.exit_code);
  return outcome;
}

std::string OutcomeLogMessage(StringTable& strings, const BackupInputs& in,
                              const ArchiverOutcome& outcome) {
  if (outcome.succeeded()) {
    return strings.GetText("LogMessages", "LogSuccess") + Quoted(in.folder);
  }
  if (!outcome.started) {
    return Fill(strings.GetText("LogMessages", "LogArchiverNotStarted"),
                ArchivePath(in), "");
  }
  const std::string code =
      outcome.exit_known ? std::to_string(outcome.exit_code) : "?";
  return Fill(strings.GetText("LogMessages", "LogBackupFailed"),
              ArchivePath(in), code);
}

int RunUnattendedBackup(AppState& app) {
  Platform& p = app.platform;
  DetectLanguage(p, app.prefs, app.strings);
  BackupInputs in;
  in.computer = p.env.GetVar("COMPUTERNAME");
  in.user = p.env.GetVar("USERNAME");
  if (IsWindowTitlePresent(p.windows, p.text, kMailClientTitle) != 0) {
    EndMailClient(p.launcher, /*wait=*/true);
  }
  in.date = ArchiveDate(p.clock.Now());
  // Both keys come from one open of the Settings file.
  app.prefs.Open(kSettingsFile);
  in.folder = app.prefs.ReadText(kKeyBkUpDir, "");
  in.level = app.prefs.ReadNumber(kKeyCompression, 0);
  app.prefs.Close();
  if (in.folder.empty()) {
    WriteLog(p, kLogName, app.strings.GetText("LogMessages", "LogNoPath"));
    p.dialogs.ShowMessage(app.strings.GetText("Messages", "Error"),
                          app.strings.GetText("Messages", "TBPathMsg"),
                          BoxIcon::kError, BoxButtons::kOk);
    return EndProgram(app);
  }
  in.profile = p.env.GetVar("USERPROFILE") + kProfileSuffix;

  std::unique_ptr<Program> archiver =
      StartArchiver(p.launcher, BackupParameters(in));
  if (archiver) archiver->WaitForExit();
  const ArchiverOutcome outcome = ArchiverResult(archiver.get());
  archiver.reset();
  const std::string message = OutcomeLogMessage(app.strings, in, outcome);
  WriteLog(p, kLogName, message);

  // The client was ended by this job, so it comes back after a failure too.
  if (ReadSettingNumber(app.prefs, kKeyReopenTB, 0) == 1) {
    RestartMailClient(p.launcher, kRestartUnattended);
  }
  if (outcome.succeeded()) return EndProgram(app);
  p.dialogs.ShowMessage(app.strings.GetText("Messages", "Error"), message,
                        BoxIcon::kError, BoxButtons::kOk);
  if (!outcome.started) return EndProgram(app, kExitArchiverNotStarted);
  return EndProgram(app, outcome.exit_known && outcome.exit_code != 0
                             ? outcome.exit_code
                             : 1);
}

}  // namespace qv
