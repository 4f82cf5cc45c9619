#pragma once
// Paths and the places the program keeps its files.
#include <string>
#include <string_view>

namespace quorella {

// A directory path as used for joining: '/' appended unless it ends in one; empty stays empty.
std::string IncludeTrailingSlash(std::string_view path);

// The folder part of a path with its trailing '/' ("" for a bare name).
std::string DirectoryOf(std::string_view path);
// The part after the last '/'.
std::string FileNameOf(std::string_view path);

// The running program's own file.
std::string ProgramFile();

// The application directory with a trailing '/': $QUORELLA_HOME when set, else the program's
// folder.
std::string ApplicationDirectory();

// The settings database: $XDG_CONFIG_HOME/quorella/settings.db, or ~/.config/quorella/settings.db.
std::string SettingsDatabasePath();

}  // namespace quorella
