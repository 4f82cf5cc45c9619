#pragma once
// The manifest of a backup set: each file's name, size and SHA-256, written last into the staged
// set, so that a restore can tell a whole set from a cut, damaged or mixed one before it changes
// anything.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorella {

inline constexpr std::string_view kManifestFileName = "manifest.sha256";

struct ManifestEntry {
  std::string name;
  std::uint64_t size = 0;
  std::string sha256;  // 64 lower-case hexadecimal digits
};

// Writes the manifest of every file directly in `folder` (with its '/') into it, flushed to disk.
// Throws quorella::Error when a file cannot be read or the manifest cannot be written.
void WriteManifest(const std::string& folder);

// The manifest in `folder`; nullopt when it has none (a set written before manifests). A manifest
// that is cut short or malformed throws the "damaged" message.
std::optional<std::vector<ManifestEntry>> ReadManifest(const std::string& folder);

// Throws the "damaged" message, naming the first file that is missing, not a regular file, or
// differs in size or digest; registry.cfg must be among the entries.
void VerifyManifest(const std::string& folder, const std::vector<ManifestEntry>& entries);

}  // namespace quorella
