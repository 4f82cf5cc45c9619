#pragma once
// The registry snapshot writer: the text image of one key of the per-user root with all its values
// and everything below it, one block per key, breadth-first.
#include <string>
#include <string_view>
#include <vector>

#include "store/registry.h"

namespace quorella {

// One value as a snapshot line: integers as signed decimals ("int"), strings and expandable
// strings as they are with every CR LF written as "qqqq" ("str"), every other type as its bytes in
// upper-case hexadecimal ("bin"). The unnamed value's line begins with its tag.
std::string SnapshotValueLine(const NamedValue& value);

// The lines of the snapshot of `key_path` (below the per-user root), without line ends: for each
// key visited its header, its value lines in enumeration order and one empty line; a key that
// cannot be opened contributes the empty line alone. A null session is a store that does not exist.
std::vector<std::string> KeySnapshotLines(const RegistrySession* session,
                                          std::string_view key_path);

// Appends the snapshot of `key_path` to `file_path`, one line at a time, creating the file when it
// is missing. A line that cannot be appended stops the snapshot with an Error, so that a caller
// never takes a shortened snapshot for a whole one. The file is Windows-1252, as every earlier
// snapshot, while every text fits; otherwise UTF-8 behind the mark, and a Windows-1252 file that
// the new lines do not fit is rewritten whole as UTF-8 (atomically) instead of appended to.
void SaveKeySnapshot(const Registry& registry, const std::string& file_path,
                     std::string_view key_path);

}  // namespace quorella
