#include "html/manifest.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <optional>
#include <set>

#include "util/errors.h"
#include "util/file_io.h"
#include "util/text_lines.h"

namespace quorella::html {

namespace {

constexpr std::string_view kHeading = "# Files written by Quorella for ";
// The line that says the entries carry fingerprints and stamps before their names.
constexpr std::string_view kFieldsLine = "# fingerprint size inode modified name";

// "FINGERPRINT SIZE INODE MODIFIED NAME", the fingerprint in hexadecimal, the rest in decimal.
template <typename Number>
bool TakeNumber(std::string_view& line, Number& number, int base) {
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), number, base);
  if (error != std::errc() || end == line.data() + line.size() || *end != ' ') return false;
  line.remove_prefix(static_cast<std::size_t>(end - line.data()) + 1);
  return true;
}

std::optional<ManifestEntry> ParseEntry(std::string_view line) {
  ManifestEntry entry;
  if (!TakeNumber(line, entry.fingerprint, 16) || !TakeNumber(line, entry.stamp.size, 10) ||
      !TakeNumber(line, entry.stamp.inode, 10) || !TakeNumber(line, entry.stamp.modified_ns, 10) ||
      line.empty())
    return std::nullopt;
  entry.name = std::string(line);
  return entry;
}

// A bare file name: anything else in a list (edited by hand, or damaged) names no file of ours.
bool IsPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\\\0\r\n", 5)) == std::string_view::npos;
}

}  // namespace

std::string ManifestName(std::string_view start_page) {
  std::string name = "." + std::string(start_page) + ".quorella";
  // A start page in a folder of its own keeps its list beside it, in the output folder.
  for (char& c : name)
    if (c == '/' || c == '\\') c = '_';
  return name;
}

std::string ClassicManifestName(std::string_view start_page) {
  std::string name = ManifestName(start_page);
  name.replace(name.size() - std::string_view(".quorella").size(), std::string_view::npos,
               ".pages.quorella");
  return name;
}

std::vector<ManifestEntry> ReadManifestEntries(const std::string& path) {
  std::vector<ManifestEntry> entries;
  std::optional<std::string> text;
  try {
    text = ReadFileIfExists(path);
  } catch (const std::exception&) {
    return entries;
  }
  if (!text) return entries;
  bool fields = false;
  ForEachLine(*text, [&](std::string_view line) {
    if (line == kFieldsLine) fields = true;
    if (line.empty() || line.front() == '#') return;
    std::optional<ManifestEntry> entry = fields ? ParseEntry(line) : std::nullopt;
    if (!entry) entry = ManifestEntry{std::string(line), 0, {}};
    entries.push_back(std::move(*entry));
  });
  return entries;
}

std::vector<std::string> ReadManifest(const std::string& path) {
  std::vector<std::string> names;
  for (ManifestEntry& entry : ReadManifestEntries(path)) names.push_back(std::move(entry.name));
  return names;
}

std::string ManifestText(std::string_view start_page, const std::vector<ManifestEntry>& entries) {
  std::string text =
      std::string(kHeading) + std::string(start_page) + "\n" + std::string(kFieldsLine) + "\n";
  char fields[96];
  for (const ManifestEntry& entry : entries) {
    std::snprintf(fields, sizeof fields, "%016llx %llu %llu %lld ",
                  static_cast<unsigned long long>(entry.fingerprint),
                  static_cast<unsigned long long>(entry.stamp.size),
                  static_cast<unsigned long long>(entry.stamp.inode),
                  static_cast<long long>(entry.stamp.modified_ns));
    text += fields;
    text += entry.name;
    text += '\n';
  }
  return text;
}

std::vector<std::string> RemoveStaleFiles(const std::string& directory,
                                          const std::vector<std::string>& previous,
                                          const std::vector<std::string>& current) {
  const std::set<std::string> kept(current.begin(), current.end());
  std::vector<std::string> remaining;
  for (const std::string& name : previous) {
    if (kept.count(name) != 0 || !IsPlainFileName(name)) continue;
    const std::string path = directory + name;
    try {
      if (!FileExists(path) && !IsSymbolicLink(path)) continue;
    } catch (const Error&) {
      // A file that cannot even be examined stays listed, to be removed by a later Go.
      remaining.push_back(name);
      continue;
    }
    if (!RemoveFile(path)) remaining.push_back(name);
  }
  return remaining;
}

}  // namespace quorella::html
