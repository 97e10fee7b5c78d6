// The language of an unattended run follows the user locale that Wine takes
// from LANG. Each registration of this program runs under one locale and is
// told what to expect: german, dutch, english or warning.
//
// The run has no Backup folder, so it shows its texts in the box and the log
// line of that path, in the language it loaded.
#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e_support.h"
#include "platform/win32/win32_platform.h"

namespace qv::e2e {
namespace {

struct Expected {
  const char* locale_name;  // as the platform reports it; empty: not checked
  const char* error_title;
  const char* no_path_box;
  const char* no_path_log;
  const char* stored_language;  // the Language value after the run
  bool warning;
};

Expected ExpectedFor(const std::string& kind) {
  if (kind == "german") {
    return {"German (Germany)",
            "Fehler",
            "Thunderbird-Pfad nicht gefunden!",
            "Kein Sicherungspfad festgelegt.",
            "2",
            false};
  }
  if (kind == "dutch") {
    return {
        "Dutch (Netherlands)",        "Fout", "Thunderbird-pad niet gevonden!",
        "Geen back-uppad opgegeven.", "0",    false};
  }
  if (kind == "english") {
    return {"English (United States)", "Error", "Thunderbird path not found!!!",
            "No backup path defined.", "1",     false};
  }
  return {
      "",  "Error", "Thunderbird path not found!!!", "No backup path defined.",
      "3", true};
}

std::string Kind() {
  const char* kind = std::getenv("QV_EXPECT_LANGUAGE");
  return kind != nullptr ? kind : "";
}

TEST(LanguageE2E, UnattendedRunFollowsTheUserLocale) {
  ASSERT_FALSE(Kind().empty()) << "QV_EXPECT_LANGUAGE is not set";
  const Expected want = ExpectedFor(Kind());
  if (*want.locale_name != '\0') {
    EXPECT_EQ(Win32System().UserLanguageName(), want.locale_name);
  }

  const std::string work = MakeTempFolder("lang");
  ASSERT_TRUE(MakeFolders(work + "\\Lang"));
  for (const char* name : {"dutch.lng", "german.lng", "russian.lng"}) {
    std::string bytes;
    ASSERT_TRUE(ReadBytes(BuildPath(std::string(QV_SOURCE_DIR "/lang/") + name),
                          &bytes));
    ASSERT_TRUE(WriteBytes(work + "\\Lang\\" + name, bytes));
  }
  // Language 3 (Russian) shows whether the run changed the value.
  ASSERT_TRUE(WriteBytes(work + "\\quillvault.prefs",
                         "\xEF\xBB\xBF\r\nBkUpDir = \r\nLanguage = 3\r\n"));
  RunRequest request;
  request.program = BuildPath(QV_BIN_DIR "/quillvault.exe");
  request.parameters = "/b";
  request.folder = work;
  const RunResult r = RunProgram(request);
  EXPECT_EQ(r.exit_code, 0u);

  std::vector<SeenBox> boxes = r.boxes;
  if (want.warning) {
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.front().title, "Warning");
    EXPECT_EQ(boxes.front().text, "Language not found, defaulting to English.");
    boxes.erase(boxes.begin());
  }
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, want.error_title);
  EXPECT_EQ(boxes[0].text, want.no_path_box);

  std::string log;
  ASSERT_TRUE(ReadBytes(work + "\\Backup.log", &log));
  EXPECT_EQ(log.rfind(std::string(want.no_path_log) + " ", 0), 0u) << log;
  std::string prefs;
  ASSERT_TRUE(ReadBytes(work + "\\quillvault.prefs", &prefs));
  EXPECT_NE(prefs.find(std::string("\r\nLanguage = ") + want.stored_language +
                       "\r\n"),
            std::string::npos)
      << prefs;
  RemoveTree(work);
}

}  // namespace
}  // namespace qv::e2e
