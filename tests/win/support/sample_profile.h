// A generated mail profile for the backup tests: nested folders, an empty
// folder, a read-only file, names with blanks and non-ASCII letters, a few MB
// of mbox text and one large file.
#pragma once

#include <cstdint>
#include <string>

namespace qv::e2e {

struct SampleProfileSize {
  uint64_t mbox_bytes = 3u << 20;
  uint64_t large_bytes = 24u << 20;
};

/// Writes the profile into `profile` (the Thunderbird folder itself).
bool MakeSampleProfile(const std::string& profile,
                       const SampleProfileSize& size = {});

}  // namespace qv::e2e
