#pragma once
// The settings store: a tree of keys under seven named roots, each key holding typed values, kept
// in one SQLite database. Names and string values are UTF-8. Key and value names keep the case
// they were created with and compare without regard to case by full Unicode case folding; subkeys
// and values enumerate in ascending order of name, compared the same way. Reads never create
// anything (but convert a store of the earlier build once); each write is one transaction.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorella {

namespace sqlite {
class Database;
}

// Registry value type numbers, kept as they are for every type.
namespace value_type {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kString = 1;
inline constexpr std::uint32_t kExpandString = 2;
inline constexpr std::uint32_t kBinary = 3;
inline constexpr std::uint32_t kInteger = 4;  // 32-bit, little-endian bytes
}  // namespace value_type

struct RawValue {
  std::uint32_t type = value_type::kNone;
  std::string bytes;

  static RawValue String(std::string_view text) { return {value_type::kString, std::string(text)}; }
  static RawValue Integer(std::int32_t value);
  // The value of an integer; only meaningful when type is kInteger and there are 4 bytes.
  std::int32_t AsInteger() const;
  bool IsInteger() const { return type == value_type::kInteger && bytes.size() == 4; }
  bool IsString() const { return type == value_type::kString || type == value_type::kExpandString; }
  bool operator==(const RawValue&) const = default;
};

struct NamedValue {
  std::string name;
  RawValue value;
};

enum class Root {
  ClassesRoot,
  CurrentUser,
  LocalMachine,
  Users,
  PerformanceData,
  CurrentConfig,
  DynData
};
inline constexpr int kRootCount = 7;
std::string_view RootName(Root root);
// The root of that name (compared without regard to case), if it is one of the seven.
std::optional<Root> RootByName(std::string_view name);

// Splits a key path at backslashes; empty parts (a leading backslash, doubled ones) are dropped.
std::vector<std::string> SplitKeyPath(std::string_view path);

using KeyId = std::int64_t;

// Operations on one open database, inside the transaction (or read) that the store started.
class RegistrySession {
 public:
  explicit RegistrySession(sqlite::Database& db) : db_(db) {}

  KeyId RootKey(Root root) const;
  std::optional<KeyId> OpenKey(Root root, std::string_view path) const;
  std::optional<KeyId> OpenSubkey(KeyId parent, std::string_view name) const;
  // Opens the key, creating it and any missing parents.
  KeyId CreateKey(Root root, std::string_view path);
  KeyId CreateSubkey(KeyId parent, std::string_view name);

  std::vector<std::string> SubkeyNames(KeyId key) const;
  std::vector<NamedValue> Values(KeyId key) const;
  std::optional<RawValue> GetValue(KeyId key, std::string_view name) const;
  // Replaces a value of the same name (keeping the spelling it was created with) or adds it.
  void SetValue(KeyId key, std::string_view name, const RawValue& value);
  bool DeleteValue(KeyId key, std::string_view name);

  // Deletes the key with all its values and subkeys; false when it does not exist.
  bool DeleteKeyTree(Root root, std::string_view path);
  void DeleteKeyTree(KeyId key);
  // Copies a key with everything below it; nothing when the source is missing or the target exists.
  bool CopyKeyTree(Root root, std::string_view from, std::string_view to);

 private:
  void CopyContents(KeyId from, KeyId to);
  sqlite::Database& db_;
};

// A key that the conversion of a store of the earlier schema gave another name (Registry).
struct RenamedKey {
  Root root;
  std::string before;  // the key's path as the earlier schema held it
  std::string after;
};

class Registry {
 public:
  explicit Registry(std::string database_path);
  const std::string& path() const { return path_; }

  // `handler` is called with the keys renamed when this registry converts a store of the earlier
  // schema (once, by the first read or write that finds it), as soon as the conversion is
  // committed: before a read goes on, after the write that converted it.
  void OnKeysRenamed(std::function<void(const std::vector<RenamedKey>&)> handler);

  // Runs `fn` on a read-only session; when the database does not exist yet, `fn` gets nullptr and
  // nothing is created.
  void Read(const std::function<void(const RegistrySession*)>& fn) const;
  // Runs `fn` inside one transaction, creating the folder and the database when needed. Any
  // exception rolls the whole transaction back.
  void Write(const std::function<void(RegistrySession&)>& fn);

 private:
  void Renamed(const std::vector<RenamedKey>& renames) const;

  std::string path_;
  std::function<void(const std::vector<RenamedKey>&)> on_renamed_;
};

}  // namespace quorella
