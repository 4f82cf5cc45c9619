#pragma once
// The registry snapshot reader: the values of a snapshot text, written back into the store.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/registry.h"

namespace quorella {

// A key named by a header; no root when the header named a root that is not one of the seven (or
// followed such a header), or a key path holding a NUL byte, whose value lines are then skipped.
struct SnapshotKey {
  std::optional<Root> root;
  std::string path;
};

struct SnapshotValue {
  Root root;
  std::string key_path;
  NamedValue value;
};

struct ParsedSnapshot {
  std::vector<SnapshotKey> keys;      // one for each header, in file order
  std::vector<SnapshotValue> values;  // in file order
  // FAQ keys whose name breaks the FAQ name rules: their headers carry no root and their values
  // are passed over, so such a name never reaches the store or a path.
  std::vector<std::string> skipped_faq_names;
};

// The FAQ name that a key path below either application key's FAQs key names, when that name
// breaks the FAQ name rules; nullopt for every other key.
std::optional<std::string> UnusableFaqName(Root root, std::string_view key_path);

// Reads a snapshot text. A header's root (one of the seven names, without regard to case) holds
// for the headers without a root name that follow it. Lines that carry no value are passed over:
// blank lines, value lines before the first header or under an unknown root, lines without "=" or
// with fewer than three characters before it, "int" lines that are not a decimal 32-bit integer,
// other non-"str" lines whose text is not made of hexadecimal digits, and value lines whose name or
// key path holds a NUL byte (the store could not tell such names apart).
ParsedSnapshot ParseKeySnapshot(std::string_view text);

// Writes the values into the store, creating each key (with its parents) that a value names.
// Nothing is deleted; values the snapshot does not mention stay.
void ApplyKeySnapshot(RegistrySession& session, const std::vector<SnapshotValue>& values);

// Reads `file_path` and writes its values inside the caller's transaction, so that a caller can
// delete a key and rebuild it as one change. A missing file does nothing.
void LoadKeySnapshot(RegistrySession& session, const std::string& file_path);
// The same in a transaction of its own; a missing file does nothing and creates nothing. Returns
// the FAQ names that were skipped.
std::vector<std::string> LoadKeySnapshot(Registry& registry, const std::string& file_path);

}  // namespace quorella
