#pragma once
// The list of files a Modern Go wrote into its output folder, kept there beside them: the next Go
// removes the files it lists that that Go no longer writes (pages of questions since deleted or
// renamed). A file the list does not name is never removed.
#include <string>
#include <string_view>
#include <vector>

namespace quorella::html {

// One list per start page, so two FAQs may share a folder: "." + start page + ".quorella".
std::string ManifestName(std::string_view start_page);

// The file names the list holds; none when it is missing or unreadable.
std::vector<std::string> ReadManifest(const std::string& path);
std::string ManifestText(std::string_view start_page, const std::vector<std::string>& names);

// Removes from `directory` (ending in "/", or empty for the current folder) each file of
// `previous` that `current` does not name. Names with a folder in them are left alone. Returns the
// names that are still there because they could not be removed, so the next list keeps them.
std::vector<std::string> RemoveStaleFiles(const std::string& directory,
                                          const std::vector<std::string>& previous,
                                          const std::vector<std::string>& current);

}  // namespace quorella::html
