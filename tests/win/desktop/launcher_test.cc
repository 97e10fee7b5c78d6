// The Win32 launcher against real processes: the console helper that prints
// what its arguments say, and documents opened through the shell.
#include <gtest/gtest.h>

#include "jobs/mail_client.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_util.h"
#include "tests/win/desktop/desktop_support.h"

namespace qv {
namespace {

class LauncherTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EndProcessesNamed({L"qv_print_lines.exe", L"lines only here.exe",
                       L"lines grandchild.exe", L"notepad.exe"});
  }

  std::string Helper() const {
    return Narrow(OwnFolder()) + "qv_print_lines.exe";
  }

  StartResult Start(const std::string& parameters, StartOptions options,
                    const std::string& folder = "") {
    return launcher_.StartProgram(Helper(), parameters, folder, options);
  }

  static StartOptions Reading() {
    StartOptions options;
    options.hidden = true;
    options.keep_handle = true;
    options.read_output = true;
    return options;
  }

  static std::vector<std::string> AllLines(Program& program) {
    std::vector<std::string> lines;
    std::string line;
    while (program.StillRunning()) {
      if (program.ReadOutputLine(&line)) lines.push_back(line);
    }
    while (program.ReadOutputLine(&line)) lines.push_back(line);
    return lines;
  }

  Win32Launcher launcher_;
  TempFolder temp_;
};

TEST_F(LauncherTest, WaitsForTheEndAndGivesTheExitCode) {
  StartOptions options;
  options.wait = true;
  options.hidden = true;
  StartResult result = Start("7 sleep:300", options);
  EXPECT_TRUE(result.started);
  EXPECT_EQ(result.exit_code, 7);
  EXPECT_EQ(result.program, nullptr);

  options.keep_handle = true;
  result = Start("0", options);
  ASSERT_TRUE(result.started);
  ASSERT_NE(result.program, nullptr);
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_FALSE(result.program->StillRunning());
  int code = -5;
  EXPECT_TRUE(result.program->ExitCode(&code));
  EXPECT_EQ(code, 0);
}

TEST_F(LauncherTest, ReadsLinesWhileTheProgramRunsAndAfterItHasEnded) {
  const std::wstring gate = temp_.path() + L"go";
  StartResult result = Start(
      "3 crlf:first lf:zwei-\xC3\xBC hex:41FF42C30D0A wait:" + Narrow(gate) +
          " raw:last-without-lf",
      Reading());
  ASSERT_TRUE(result.started);
  Program& program = *result.program;
  std::string line;
  ASSERT_TRUE(program.ReadOutputLine(&line));
  EXPECT_EQ(line, "first");
  ASSERT_TRUE(program.ReadOutputLine(&line));
  EXPECT_EQ(line, "zwei-\xC3\xBC");
  ASSERT_TRUE(program.ReadOutputLine(&line));
  // Bytes that are not UTF-8 arrive as U+FFFD.
  EXPECT_EQ(line,
            "A\xEF\xBF\xBD"
            "B\xEF\xBF\xBD");
  // The helper now waits for the gate: running, no exit code yet.
  EXPECT_TRUE(program.StillRunning());
  int code = 0;
  EXPECT_FALSE(program.ExitCode(&code));

  ASSERT_TRUE(WriteBytes(gate, ""));
  program.WaitForExit();
  // Ended, but a line waits unread.
  EXPECT_TRUE(program.StillRunning());
  EXPECT_TRUE(program.ExitCode(&code));
  EXPECT_EQ(code, 3);
  ASSERT_TRUE(program.ReadOutputLine(&line));
  EXPECT_EQ(line, "last-without-lf");
  EXPECT_FALSE(program.StillRunning());
  EXPECT_FALSE(program.ReadOutputLine(&line));
}

// Under Wine no console window is ever shown, so the helper reports what it
// was given: SW_HIDE and a console of its own, against no show state and its
// starter's console.
TEST_F(LauncherTest, OutputEndsWithTheProgramThoughAChildHoldsThePipe) {
  const std::wstring child = temp_.path() + L"lines grandchild.exe";
  ASSERT_TRUE(CopyHelper(L"qv_print_lines.exe", child));
  StartResult result =
      Start("0 \"spawn:" + Narrow(child) + "\" raw:partial", Reading());
  ASSERT_TRUE(result.started);
  EXPECT_EQ(AllLines(*result.program), std::vector<std::string>{"partial"});
  // Read to the end while the child still runs and holds the pipe open.
  Win32ProcessList processes;
  Win32Text text;
  EXPECT_TRUE(IsProcessRunning(processes, text, "lines grandchild.exe"));
}

TEST_F(LauncherTest, StartsHiddenInAConsoleOfItsOwn) {
  StartResult hidden = Start("0 console", Reading());
  ASSERT_TRUE(hidden.started);
  EXPECT_EQ(AllLines(*hidden.program),
            std::vector<std::string>{"console=0 show=0 own=1"});

  StartOptions shown = Reading();
  shown.hidden = false;
  StartResult normal = Start("0 console", shown);
  ASSERT_TRUE(normal.started);
  EXPECT_EQ(AllLines(*normal.program),
            std::vector<std::string>{"console=0 show=-1 own=0"});
}

TEST_F(LauncherTest, PassesParametersAndQuotesTheFileName) {
  // A program in a folder with a blank, under a name with a blank.
  const std::wstring folder = temp_.path() + L"sub dir\\";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(
      CopyHelper(L"qv_print_lines.exe", folder + L"lines only here.exe"));
  StartResult result =
      launcher_.StartProgram(Narrow(folder) + "lines only here.exe",
                             "0 \"lf:two  blanks\" \"lf:say \\\"hi\\\"\" cwd",
                             temp_.utf8(), Reading());
  ASSERT_TRUE(result.started);
  std::string cwd = temp_.utf8();
  cwd.pop_back();  // the helper prints the folder without its backslash
  EXPECT_EQ(AllLines(*result.program),
            (std::vector<std::string>{"two  blanks", "say \"hi\"", cwd}));
}

TEST_F(LauncherTest, FindsProgramsInItsOwnAndTheCurrentFolder) {
  // By plain name: next to the starting program, though the current folder
  // is elsewhere.
  ASSERT_TRUE(SetCurrentDirectoryW(temp_.path().c_str()));
  StartOptions wait;
  wait.wait = true;
  wait.hidden = true;
  EXPECT_EQ(
      launcher_.StartProgram("qv_print_lines.exe", "4", "", wait).exit_code, 4);
  // Only in the current folder, named without its ".exe".
  ASSERT_TRUE(
      CopyHelper(L"qv_print_lines.exe", temp_.path() + L"lines only here.exe"));
  EXPECT_EQ(launcher_.StartProgram("lines only here", "5", "", wait).exit_code,
            5);
  SetCurrentDirectoryW(OwnFolder().c_str());
}

TEST_F(LauncherTest, FailsWithoutHangingOnWhatCannotStart) {
  StartOptions options;
  options.wait = true;
  options.keep_handle = true;
  EXPECT_FALSE(launcher_.StartProgram("", "", "", options).started);
  EXPECT_FALSE(launcher_.StartProgram("\"\"", "x", "", options).started);
  EXPECT_FALSE(launcher_.StartProgram("qv_no_such_program.exe", "", "", options)
                   .started);
  EXPECT_FALSE(
      launcher_.StartProgram(temp_.utf8() + "missing\\x.exe", "", "", options)
          .started);
  // A batch file is not run: it would take the command shell.
  const std::wstring marker = temp_.path() + L"ran";
  ASSERT_TRUE(WriteBytes(temp_.path() + L"make.bat",
                         "echo x > \"" + Narrow(marker) + "\"\r\n"));
  EXPECT_FALSE(
      launcher_.StartProgram(temp_.utf8() + "make.bat", "", "", options)
          .started);
  EXPECT_EQ(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(LauncherTest, OpensADocumentThroughTheShell) {
  // A fresh Wine prefix associates ".ini" with its editor, not ".txt".
  const std::string document = temp_.utf8() + "settings.ini";
  ASSERT_TRUE(WriteBytes(Widen(document), "[a]\r\nb=1\r\n"));
  // Output cannot be read from the shell's program: no fallback then.
  EXPECT_FALSE(launcher_.StartProgram(document, "", "", Reading()).started);

  StartOptions options;
  options.keep_handle = true;
  StartResult result = launcher_.StartProgram(document, "", "", options);
  ASSERT_TRUE(result.started);
  ASSERT_NE(result.program, nullptr);
  // The associated editor runs with the document.
  EXPECT_TRUE(result.program->StillRunning());
  int code = 0;
  EXPECT_FALSE(result.program->ExitCode(&code));
  Win32ProcessList processes;
  std::vector<std::string> executables;
  ASSERT_TRUE(processes.Snapshot(&executables));
  EXPECT_NE(std::find(executables.begin(), executables.end(), "notepad.exe"),
            executables.end());
}

}  // namespace
}  // namespace qv
