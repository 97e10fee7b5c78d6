// The English texts built into the program. To add a key, add its pair to its
// group; the table sizes itself from this sequence.
#include "i18n/string_table.h"

namespace qv {
namespace {

constexpr TextDefault kBuiltInTexts[] = {
    {"_GROUP_", "MainWindow"},
    {"WinTitle", "Quillvault"},
    {"FirstTab", "Main"},
    {"TBPath", "Thunderbird Path:"},
    {"BackupLocation", "BackUp Path:"},
    {"BackupClearTip", "Click to clear backup path"},
    {"ButtonCreateBackup", "Backup"},
    {"ButtonSetLocation", "Set Backup Path"},
    {"ButtonOpenLocation", "Open Backup Path"},
    {"ButtonRestore", "Restore"},
    {"StatusBarText", "Ready"},

    {"_GROUP_", "7-Zip"},
    {"TabText", "7-Zip Settings"},
    {"TextCompress", "Compression:"},
    {"TextNone", "None"},
    {"TextUltra", "Ultra"},

    {"_GROUP_", "TaskWindow"},
    {"ThirdTab", "Backup Task"},
    {"ButtonCreateTask", "Create Task"},
    {"ButtonDeleteTask", "Remove Task"},
    {"ButtonTaskScheduler", "Open Task Scheduler"},
    {"TaskName", "Quillvault"},
    {"TaskFrame", "Task Settings"},
    {"OptionDaily", "Daily"},
    {"OptionWeekly", "Weekly"},
    {"OptionMonthly", "Monthly"},
    {"TextMonth",
     "Select time, but leave all else blank for 1st of each month"},
    {"ValidTime", "(Valid time is from 00:00 to 23:59)"},
    {"OptionSunday", "Sun"},
    {"OptionMonday", "Mon"},
    {"OptionTuesday", "Tue"},
    {"OptionWednesday", "Wed"},
    {"OptionThursday", "Thu"},
    {"OptionFriday", "Fri"},
    {"OptionSaturday", "Sat"},
    {"OptionFirst", "1st"},
    {"OptionSecond", "2nd"},
    {"OptionThird", "3rd"},
    {"OptionFourth", "4th"},
    {"OptionLast", "Last"},
    {"OptionLastDay", "Last Day"},

    {"_GROUP_", "OptionsWindow"},
    {"FourthTab", "Options"},
    {"CheckClose", "Close to Tray"},
    {"CheckRestartOE", "Restart Thunderbird after backup"},
    {"CheckStartInTray", "Start in System Tray"},
    {"CheckStayOnTop", "Stay on Top"},
    {"ButtonDesktopShortcut", "Create Desktop Shortcut"},
    {"ButtonOpenLog", "View Log"},

    {"_GROUP_", "PopUpMenu"},
    {"RestoreWin", "Restore Window"},
    {"Backup", "Backup Database"},
    {"Restore", "Restore Database"},
    {"OpenFolder", "Open Backup Folder"},
    {"QuitApp", "Quit"},

    {"_GROUP_", "Messages"},
    {"BackupErrorRead",
     "Cannot open backup log. File has been deleted or no backup ran yet."},
    {"CloseError",
     "Thunderbird must be closed before backing up. Close it now?"},
    {"Error", "Error"},
    {"ErrNotClosed", "Thunderbird must be closed before restoring data."},
    {"MsgSuccess", "Backup Completed, Re-starting Thunderbird"},
    {"TBPathMsg", "Thunderbird path not found!!!"},
    {"StatusBackup", "Creating backup"},
    {"SuccessMsg", "Success"},
    {"SysTrayTooltip", "Quillvault - Click for Options"},

    {"_GROUP_", "Misc"},
    {"AppRunning",
     "Application is already running!!! Please check the system tray!!!"},
    {"DesktopIconText", "Quillvault"},
    {"MsgBackupLocation", "Choose Backup Location:"},
    {"TaskName", "Quillvault"},

    {"_GROUP_", "RestoreMsgs"},
    {"RestoreQuest", "Are you sure you wish to restore from a backup?"},
    {"Restore", "Restore"},
    {"RestoreBkup", "Select backup to restore:"},
    {"Warning", "Warning"},
    {"Warning1",
     "This will overwrite your current Thunderbird Data. Are you sure you "
     "wish to continue?"},
    {"StatusText1", "Please Wait.....restoring data"},
    {"Completed", "Restore Completed"},
    {"Cancelled", "Cancelled"},
    {"Cancelled2", "Your restore request has been cancelled."},

    {"_GROUP_", "LogMessages"},
    {"LogNoPath", "No backup path defined."},
    {"LogFailure", "Backup failed, Thunderbird was not closed."},
    {"LogFailure2", "Restore failed, Thunderbird was not closed."},
    // The trailing blank separates the text from the path appended to it.
    {"LogSuccess", "Database backup successfully saved to "},
    {"LogSuccess2", "Restore Successful."},
    {"TaskFail", "Scheduled task not created."},
    {"TaskSucceed", "Scheduled task successfully created."},
    // A failed backup names the archive (%1) and 7-Zip's exit code (%2).
    {"LogBackupFailed",
     "Backup failed, 7-Zip ended with exit code %2 while writing \"%1\"."},
    {"LogArchiverNotStarted",
     "Backup failed, 7-Zip could not be started to write \"%1\"."},

    {"_END_", ""},
};

}  // namespace

std::span<const TextDefault> BuiltInTexts() { return kBuiltInTexts; }

}  // namespace qv
