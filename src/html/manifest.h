#pragma once
// The list of files a Go wrote into its output folder, kept there beside them, each with the
// fingerprint of what it was made from and the stamp it had when written: the next Go skips a file
// whose fingerprint and stamp are unchanged, and a Modern Go removes the files its previous list
// names that it no longer writes (pages of questions since deleted or renamed). A file the list
// does not name is never removed; a classic Go removes nothing.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "util/file_io.h"

namespace quorella::html {

// One list per start page, so two FAQs may share a folder: "." + start page + ".quorella".
std::string ManifestName(std::string_view start_page);
// The classic style's list, which only remembers fingerprints: "." + start page +
// ".pages.quorella".
std::string ClassicManifestName(std::string_view start_page);

struct ManifestEntry {
  std::string name;
  std::uint64_t fingerprint = 0;  // 0: none known, the file is made again
  FileStamp stamp;
};

// The entries the list holds; none when it is missing or unreadable. A list of names alone (from
// an earlier version) gives entries without fingerprints.
std::vector<ManifestEntry> ReadManifestEntries(const std::string& path);
// The file names the list holds.
std::vector<std::string> ReadManifest(const std::string& path);
std::string ManifestText(std::string_view start_page, const std::vector<ManifestEntry>& entries);

// Removes from `directory` (ending in "/", or empty for the current folder) each file of
// `previous` that `current` does not name. Names with a folder in them are left alone. Returns the
// names that are still there because they could not be removed, so the next list keeps them.
std::vector<std::string> RemoveStaleFiles(const std::string& directory,
                                          const std::vector<std::string>& previous,
                                          const std::vector<std::string>& current);

}  // namespace quorella::html
