#include "sample_profile.h"

#include "e2e_support.h"

namespace qv::e2e {

namespace {

std::string MboxText(uint64_t bytes) {
  std::string text;
  text.reserve(bytes + 512);
  for (int n = 0; text.size() < bytes; ++n) {
    text +=
        "From - Mon Mar  3 10:" + std::to_string(10 + n % 50) + ":00 2025\r\n";
    text += "Subject: Report " + std::to_string(n) +
            "\r\nFrom: ann@example.org\r\n\r\n";
    text += "Dear team, the figures for week " + std::to_string(n % 52) +
            " are attached. Kind regards, Ann\r\n\r\n";
  }
  text.resize(bytes);
  return text;
}

// Incompressible, reproducible bytes.
std::string NoiseBytes(uint64_t bytes) {
  std::string data(bytes, '\0');
  uint64_t x = 0x9E3779B97F4A7C15ull;
  for (auto& c : data) {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    c = static_cast<char>(x >> 24);
  }
  return data;
}

}  // namespace

bool MakeSampleProfile(const std::string& root, const SampleProfileSize& size) {
  const std::string profile = root + "\\Profiles\\k3x9a1.default-release";
  const std::string local = profile + "\\Mail\\Local Folders";
  bool ok = MakeFolders(local + "\\Archives.sbd") &&
            MakeFolders(profile + "\\ImapMail\\empty") &&
            MakeFolders(root + "\\Crash Reports\\events");
  ok = ok && WriteBytes(root + "\\installs.ini",
                        "[Install]\r\nDefault=Profiles/k3x9a1\r\n");
  ok = ok && WriteBytes(root + "\\profiles.ini",
                        "[Profile0]\r\nName=default-release\r\nPath=Profiles/"
                        "k3x9a1.default-release\r\n");
  ok = ok &&
       WriteBytes(profile + "\\prefs.js",
                  "user_pref(\"mail.shell.checkDefaultClient\", false);\n");
  ok = ok && WriteBytes(local + "\\Inbox", MboxText(size.mbox_bytes));
  ok = ok && WriteBytes(local + "\\Inbox.msf",
                        "// <!-- <mdb:mork:z v=\"1.4\"/> -->\n");
  ok = ok && WriteBytes(local + "\\Sent Mail", MboxText(size.mbox_bytes / 3));
  ok = ok && WriteBytes(local + "\\Entw\xC3\xBCrfe", MboxText(4096));
  ok = ok && WriteBytes(local +
                            "\\\xD0\x92\xD1\x85\xD0\xBE\xD0\xB4\xD1\x8F\xD1\x89"
                            "\xD0\xB8\xD0\xB5",
                        MboxText(2048));
  ok = ok && WriteBytes(local + "\\Archives.sbd\\2024", MboxText(8192));
  ok = ok && WriteBytes(profile + "\\global-messages-db.sqlite",
                        NoiseBytes(size.large_bytes));
  ok = ok && WriteBytes(root + "\\Crash Reports\\events\\a b c.extra", "x");
  const std::string read_only = profile + "\\times.json";
  ok = ok && WriteBytes(read_only, "{\"created\":1741341909}");
  ok = ok && SetFileAttributesW(W(read_only).c_str(), FILE_ATTRIBUTE_READONLY);
  return ok;
}

}  // namespace qv::e2e
