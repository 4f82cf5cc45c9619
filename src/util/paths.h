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

// The application directory with a trailing '/': $QUORELLA_HOME when set, else
// $XDG_DATA_HOME/quorella/ (~/.local/share/quorella/ when XDG_DATA_HOME is unset). Finding it
// creates nothing: the first write does.
std::string ApplicationDirectory();

// The user's documents folder as xdg-user-dirs records it (XDG_DOCUMENTS_DIR in
// $XDG_CONFIG_HOME/user-dirs.dirs), with a trailing '/'; empty when none is recorded, when it is
// the home folder itself (xdg-user-dirs' way of saying "none") or when it does not exist.
std::string UserDocumentsDirectory();

// Where a FAQ's pages go when it names no folder of its own: the application directory when
// $QUORELLA_HOME names one (a home kept in one place), else a folder the user can see and find:
// the documents folder + "Quorella/", or ~/Quorella/ without one. Nothing is created here.
std::string DefaultOutputDirectory();

// A read-only file of the installation (the help file, an icon): the first that exists of
// `app_dir` + name (a user's own copy), `program_dir` + "../share/quorella/" + name (installed
// under the program's prefix) and `program_dir` + name (the build tree); empty when none does.
std::string FindInstalledFile(std::string_view app_dir, std::string_view program_dir,
                              std::string_view name);

// The settings database: $XDG_CONFIG_HOME/quorella/settings.db, or ~/.config/quorella/settings.db.
std::string SettingsDatabasePath();

}  // namespace quorella
