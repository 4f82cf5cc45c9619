#include "html/manifest.h"

#include <cerrno>
#include <set>

#include "util/file_io.h"
#include "util/text_lines.h"

namespace quorella::html {

namespace {

constexpr std::string_view kHeading = "# Files written by Quorella for ";

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

std::vector<std::string> ReadManifest(const std::string& path) {
  std::vector<std::string> names;
  std::optional<std::string> text;
  try {
    text = ReadFileIfExists(path);
  } catch (const std::exception&) {
    return names;
  }
  if (!text) return names;
  ForEachLine(*text, [&](std::string_view line) {
    if (!line.empty() && line.front() != '#') names.emplace_back(line);
  });
  return names;
}

std::string ManifestText(std::string_view start_page, const std::vector<std::string>& names) {
  std::string text = std::string(kHeading) + std::string(start_page) + "\n";
  for (const std::string& name : names) text += name + "\n";
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
    if (!FileExists(path) && !IsSymbolicLink(path)) continue;
    if (!RemoveFile(path)) remaining.push_back(name);
  }
  return remaining;
}

}  // namespace quorella::html
