// Checks the Language files shipped in lang/ against the built-in table.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "base/text.h"
#include "i18n/string_table.h"
#include "platform/fake/fake_platform.h"
#include "settings/pref_store.h"

namespace qv {
namespace {

constexpr const char* kShippedFiles[] = {"dutch.lng", "german.lng",
                                         "russian.lng"};

std::string ReadShipped(const std::string& name) {
  std::ifstream in(std::string(QV_SOURCE_DIR) + "/lang/" + name,
                   std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

/// "GROUP/KEY" (upper case) -> value, by a plain reading of the key lines.
/// Duplicates and key lines outside a group are reported as failures.
std::map<std::string, std::string> KeyLines(const std::string& content) {
  std::map<std::string, std::string> keys;
  std::istringstream lines(content.substr(3));
  std::string line, group;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      group = AsciiUpper(line.substr(1, line.find(']') - 1));
      continue;
    }
    const size_t eq = line.find(" = ");
    EXPECT_NE(eq, std::string::npos) << line;
    EXPECT_FALSE(group.empty()) << line;
    if (eq == std::string::npos) continue;
    const std::string id = group + "/" + AsciiUpper(line.substr(0, eq));
    EXPECT_TRUE(keys.emplace(id, line.substr(eq + 3)).second) << id;
  }
  return keys;
}

std::string Id(const BuiltInKey& k) {
  return AsciiUpper(k.group) + "/" + AsciiUpper(k.key);
}

class ShippedFile : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    content_ = ReadShipped(GetParam());
    ASSERT_FALSE(content_.empty()) << GetParam();
  }
  std::string content_;
};

TEST_P(ShippedFile, IsUtf8WithMarkAndCrLfLines) {
  EXPECT_EQ(content_.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(DecodeUtf8(content_).find(U'\uFFFD'), std::u32string::npos);
  for (size_t i = 0; i < content_.size(); ++i) {
    if (content_[i] == '\n') {
      EXPECT_TRUE(i > 0 && content_[i - 1] == '\r') << "bare LF at " << i;
    }
    if (content_[i] == '\r') {
      EXPECT_TRUE(i + 1 < content_.size() && content_[i + 1] == '\n')
          << "bare CR at " << i;
    }
  }
  EXPECT_EQ(content_.substr(content_.size() - 2), "\r\n");
}

TEST_P(ShippedFile, HoldsExactlyTheKeysOfTheBuiltInTable) {
  std::map<std::string, std::string> keys = KeyLines(content_);
  for (const BuiltInKey& k : BuiltInKeys()) {
    EXPECT_EQ(keys.erase(Id(k)), 1u) << "missing " << Id(k);
  }
  for (const auto& [id, value] : keys) ADD_FAILURE() << "unknown " << id;
}

TEST_P(ShippedFile, KeepsNamesAndTheBlankAfterLogSuccess) {
  const std::map<std::string, std::string> keys = KeyLines(content_);
  for (const BuiltInKey& k : BuiltInKeys()) {
    auto it = keys.find(Id(k));
    if (it == keys.end()) continue;  // reported above
    // Product names and the placeholders that the program fills in.
    for (std::string_view name :
         {"Quillvault", "Thunderbird", "7-Zip", "%1", "%2"}) {
      if (k.text.find(name) != std::string_view::npos) {
        EXPECT_NE(it->second.find(name), std::string::npos) << Id(k);
      }
    }
    const bool blank_at_end = !it->second.empty() && it->second.back() == ' ';
    EXPECT_EQ(blank_at_end, k.key == "LogSuccess") << Id(k);
  }
  const std::string& log_success = keys.at("LOGMESSAGES/LOGSUCCESS");
  EXPECT_NE(log_success[log_success.size() - 2], ' ');
}

TEST_P(ShippedFile, AppliesAFileTextToEveryKey) {
  FakePlatform fake;
  const std::string path = std::string("C:\\app\\Lang\\") + GetParam();
  fake.fs.AddFile(path, content_);
  PrefStore prefs(fake.fs, fake.text);
  StringTable table;
  table.LoadLanguage(path, prefs);

  const std::map<std::string, std::string> keys = KeyLines(content_);
  for (const BuiltInKey& k : BuiltInKeys()) {
    auto it = keys.find(Id(k));
    if (it == keys.end()) continue;  // reported above
    EXPECT_FALSE(it->second.empty()) << Id(k);
    EXPECT_EQ(table.GetText(k.group, k.key), it->second) << Id(k);
  }
  EXPECT_EQ(fake.fs.Content(path), content_);
}

INSTANTIATE_TEST_SUITE_P(Lang, ShippedFile, testing::ValuesIn(kShippedFiles),
                         [](const testing::TestParamInfo<const char*>& param) {
                           std::string name = param.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace qv
