#include "backup/manifest.h"

#include <charconv>

#include "backup/snapshot_format.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/sha256.h"
#include "util/text_lines.h"

namespace quorella {

namespace {

constexpr std::string_view kFirstLine = "Quorella backup manifest 1";
constexpr std::string_view kLastLinePrefix = "end ";

[[noreturn]] void Damaged(const std::string& folder, std::string_view detail) {
  throw Error(messages::DamagedBackup(folder, detail));
}

// "<digest> <size> <name>": the name last, so that it may hold blanks.
std::optional<ManifestEntry> ParseEntry(std::string_view line) {
  const auto first = line.find(' ');
  if (first != 64) return std::nullopt;
  const auto second = line.find(' ', first + 1);
  if (second == std::string_view::npos || second + 1 >= line.size()) return std::nullopt;
  ManifestEntry entry;
  entry.sha256 = std::string(line.substr(0, first));
  if (entry.sha256.find_first_not_of("0123456789abcdef") != std::string::npos) return std::nullopt;
  const char* begin = line.data() + first + 1;
  const char* end = line.data() + second;
  if (std::from_chars(begin, end, entry.size).ptr != end || begin == end) return std::nullopt;
  entry.name = std::string(line.substr(second + 1));
  return entry;
}

}  // namespace

void WriteManifest(const std::string& folder) {
  std::string text = std::string(kFirstLine) + "\n";
  std::size_t count = 0;
  for (const auto& name : ListDirectory(folder)) {
    if (name == kManifestFileName) continue;
    const std::string data = ReadWholeFile(folder + name);
    text += Sha256Hex(data) + " " + std::to_string(data.size()) + " " + name + "\n";
    ++count;
  }
  text += std::string(kLastLinePrefix) + std::to_string(count) + "\n";
  ReplaceFileAtomically(folder + std::string(kManifestFileName), text);
}

std::optional<std::vector<ManifestEntry>> ReadManifest(const std::string& folder) {
  const auto text = ReadFileIfExists(folder + std::string(kManifestFileName));
  if (!text) return std::nullopt;
  std::vector<std::string_view> lines;
  ForEachLine(*text, [&](std::string_view line) { lines.push_back(line); });
  if (lines.size() < 2 || lines.front() != kFirstLine) Damaged(folder, kManifestFileName);
  std::vector<ManifestEntry> entries;
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    auto entry = ParseEntry(lines[i]);
    if (!entry) Damaged(folder, kManifestFileName);
    entries.push_back(std::move(*entry));
  }
  // The count on the last line tells a whole manifest from one cut after any entry.
  if (lines.back() != std::string(kLastLinePrefix) + std::to_string(entries.size()))
    Damaged(folder, kManifestFileName);
  return entries;
}

void VerifyManifest(const std::string& folder, const std::vector<ManifestEntry>& entries) {
  bool has_snapshot = false;
  for (const auto& entry : entries) {
    if (entry.name.find('/') != std::string::npos || entry.name == "." || entry.name == "..")
      Damaged(folder, entry.name);
    has_snapshot = has_snapshot || entry.name == snapshot::kFileName;
    // A file that cannot be read says why (the system's reason, or not a regular file).
    const std::optional<std::string> data = ReadFileIfExists(folder + entry.name);
    if (!data || data->size() != entry.size || Sha256Hex(*data) != entry.sha256)
      Damaged(folder, entry.name);
  }
  if (!has_snapshot) Damaged(folder, snapshot::kFileName);
}

}  // namespace quorella
