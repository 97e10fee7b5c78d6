#include "app/startup.h"

#include "app/command_line.h"
#include "app/deploy.h"
#include "i18n/language.h"
#include "jobs/backup.h"

namespace qv {

namespace {

// Steps 6 to 9 and the hand-over to the window; returns the exit code.
int RunInteractive(AppState& app, ParameterCursor& cursor,
                   InteractiveShell* shell) {
  Platform& p = app.platform;
  app.startup = LoadSettings(app.prefs);
  app.backup_folder_path = app.startup.bkupdir;
  SelectStartupLanguage(p, app.prefs, app.strings, app.startup.language);

  if (p.system.CreateOwnedMutex(kInstanceMutex) != 0) {
    p.dialogs.ShowMessage(app.strings.GetText("Messages", "Error"),
                          app.strings.GetText("Misc", "AppRunning"),
                          BoxIcon::kWarning, BoxButtons::kOk);
    return EndProgram(app);
  }
  const std::string profile = p.env.GetVar("userprofile") + kProfileSuffix;
  if (p.fs.Stat(profile) == PathKind::kNone) {
    p.dialogs.ShowMessage(app.strings.GetText("Messages", "Error"),
                          app.strings.GetText("Messages", "TBPathMsg"),
                          BoxIcon::kError, BoxButtons::kOk);
    return EndProgram(app);
  }
  app.profile_folder_path = profile;
  // Further parameters are ignored: the window is built whatever follows,
  // since a window-less event loop could never end.
  cursor.Next();
  if (shell == nullptr) return EndProgram(app);
  return shell->Run(app);
}

}  // namespace

int RunStartup(AppState& app, InteractiveShell* shell) {
  Platform& p = app.platform;
  app.taskbar_created_message =
      p.system.RegisterMessage(kTaskbarCreatedMessage);
  PrepareSettings(app.prefs);
  DeployArchiver(p.fs, p.system);

  ParameterCursor cursor(SplitParameters(p.system.CommandLine()));
  if (!cursor.Next().empty() && IsUnattendedSwitch(cursor.At(0))) {
    return RunUnattendedBackup(app);
  }
  return RunInteractive(app, cursor, shell);
}

int EndProgram(AppState& app, int exit_code) {
  app.prefs.Close();
  return exit_code;
}

}  // namespace qv
