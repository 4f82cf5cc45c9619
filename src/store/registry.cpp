#include "store/registry.h"

#include <array>
#include <cerrno>
#include <unordered_map>

#include "store/sqlite.h"
#include "util/cp1252.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/paths.h"
#include "util/strings.h"

namespace quorella {

namespace {

constexpr std::array<std::string_view, kRootCount> kRootNames = {
    "HKEY_CLASSES_ROOT",     "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"};

// The roots are the keys 1 to 7 with no parent; every other key has one. Names are compared with
// the store's name collation, registered on every connection.
constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS keys(
  id INTEGER PRIMARY KEY,
  parent INTEGER,
  name TEXT NOT NULL COLLATE QUORELLA_NAME);
CREATE UNIQUE INDEX IF NOT EXISTS keys_by_parent ON keys(parent, name);
CREATE TABLE IF NOT EXISTS vals(
  key INTEGER NOT NULL,
  name TEXT NOT NULL COLLATE QUORELLA_NAME,
  type INTEGER NOT NULL,
  data BLOB NOT NULL,
  PRIMARY KEY(key, name)) WITHOUT ROWID;
)sql";

// The schema's version, kept in the database header, so later writes skip creating it. Version 1
// held Windows-1252 text compared by ASCII letters only; version 2 holds UTF-8 text.
constexpr int kSchemaVersion = 2;
constexpr const char* kSetSchemaVersion = "PRAGMA user_version = 2";

int SchemaVersion(const sqlite::Database& db) {
  sqlite::Statement version(db, "PRAGMA user_version");
  return version.Step() ? static_cast<int>(version.Int(0)) : 0;
}

bool HasSchema(const sqlite::Database& db);

// Converts a store of the earlier schema inside the caller's transaction: every name and string
// value from Windows-1252 to UTF-8 (each byte has its character, so nothing is lost). Of two keys
// whose names only full case folding makes equal ("Émile" and "émile", two FAQs to the earlier
// schema), the later one takes the first free name "NAME (2)", "NAME (3)" ...: no key's values
// or subkeys are mixed with another's. Of two values that become one, the first in the old order
// is kept. Returns the keys renamed.
std::vector<RenamedKey> ConvertWindows1252Store(sqlite::Database& db) {
  db.Exec(
      "DROP INDEX keys_by_parent; ALTER TABLE keys RENAME TO keys_v1;"
      "ALTER TABLE vals RENAME TO vals_v1;");
  db.Exec(kSchema);
  // Each key as converted: its parent (0 for a root) and name, for the paths of keys renamed.
  std::unordered_map<KeyId, std::pair<KeyId, std::string>> converted;
  std::vector<std::pair<KeyId, std::string>> renamed;  // key, name before
  {
    sqlite::Statement old_keys(db, "SELECT id, parent, name FROM keys_v1 ORDER BY id");
    sqlite::Statement existing(db, "SELECT id FROM keys WHERE parent IS ? AND name = ?");
    sqlite::Statement insert(db, "INSERT INTO keys(id, parent, name) VALUES(?, ?, ?)");
    while (old_keys.Step()) {
      const KeyId id = old_keys.Int(0);
      const bool root = old_keys.IsNull(1);
      const KeyId parent = root ? 0 : old_keys.Int(1);
      const std::string before = Cp1252ToUtf8(old_keys.Text(2));
      auto taken = [&](const std::string& name) {
        existing.Reset();
        if (root)
          existing.BindNull(1);
        else
          existing.Bind(1, parent);
        existing.BindText(2, name);
        return existing.Step();
      };
      std::string name = before;
      for (int n = 2; taken(name); ++n) name = before + " (" + std::to_string(n) + ")";
      if (name != before) renamed.emplace_back(id, before);
      insert.Reset();
      insert.Bind(1, id);
      if (root)
        insert.BindNull(2);
      else
        insert.Bind(2, parent);
      insert.BindText(3, name);
      insert.Run();
      converted[id] = {parent, name};
    }
  }
  auto path_of = [&](KeyId id, std::string_view last) {
    std::string path(last);
    for (KeyId up = converted[id].first; up != 0 && converted[up].first != 0;
         up = converted[up].first)
      path = converted[up].second + "\\" + path;
    return path;
  };
  auto root_of = [&](KeyId id) {
    while (converted[id].first != 0) id = converted[id].first;
    return static_cast<Root>(id - 1);
  };
  std::vector<RenamedKey> renames;
  for (const auto& [id, before] : renamed)
    renames.push_back({root_of(id), path_of(id, before), path_of(id, converted[id].second)});
  sqlite::Statement old_values(db, "SELECT key, name, type, data FROM vals_v1 ORDER BY key, name");
  sqlite::Statement insert(db,
                           "INSERT OR IGNORE INTO vals(key, name, type, data) VALUES(?, ?, ?, ?)");
  while (old_values.Step()) {
    RawValue value{static_cast<std::uint32_t>(old_values.Int(2)), old_values.Text(3)};
    if (value.IsString()) value.bytes = Cp1252ToUtf8(value.bytes);
    insert.Reset();
    insert.Bind(1, old_values.Int(0))
        .BindText(2, Cp1252ToUtf8(old_values.Text(1)))
        .Bind(3, value.type)
        .BindBlob(4, value.bytes);
    insert.Run();
  }
  db.Exec("DROP TABLE keys_v1; DROP TABLE vals_v1;");
  return renames;
}

// Creates the schema, or converts a store of the earlier one; the keys that took other names.
std::vector<RenamedKey> EnsureSchema(sqlite::Database& db) {
  std::vector<RenamedKey> renames;
  const int version = SchemaVersion(db);
  if (version == kSchemaVersion) return renames;
  if (version < kSchemaVersion && HasSchema(db)) {
    renames = ConvertWindows1252Store(db);
  } else {
    db.Exec(kSchema);
    sqlite::Statement root(db, "INSERT OR IGNORE INTO keys(id, parent, name) VALUES(?, NULL, ?)");
    for (int i = 0; i < kRootCount; ++i) {
      root.Bind(1, i + 1).BindText(2, kRootNames[static_cast<size_t>(i)]);
      root.Run();
    }
  }
  db.Exec(kSetSchemaVersion);
  return renames;
}

bool HasSchema(const sqlite::Database& db) {
  sqlite::Statement query(
      db, "SELECT count(*) FROM sqlite_master WHERE type='table' AND name IN ('keys','vals')");
  return query.Step() && query.Int(0) == 2;
}

// Opening the database for writing and reading from it rolls back the journal of a write that
// never finished, which brings back the state from before that write.
void RollBackInterruptedWrite(const std::string& path) {
  sqlite::Database db(path, sqlite::Database::Mode::ReadWriteCreate);
  sqlite::Statement(db, "SELECT count(*) FROM sqlite_master").Step();
}

// Brings a store of the earlier schema up to date in a transaction of its own.
std::vector<RenamedKey> UpgradeStore(const std::string& path) {
  sqlite::Database db(path, sqlite::Database::Mode::ReadWriteCreate);
  db.Exec("PRAGMA synchronous = FULL");
  sqlite::Transaction transaction(db);
  std::vector<RenamedKey> renames = EnsureSchema(db);
  transaction.Commit();
  return renames;
}

}  // namespace

RawValue RawValue::Integer(std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i)
    bytes[static_cast<size_t>(i)] = static_cast<char>((u >> (8 * i)) & 0xFF);
  return {value_type::kInteger, bytes};
}

std::int32_t RawValue::AsInteger() const {
  std::uint32_t u = 0;
  for (size_t i = 0; i < 4 && i < bytes.size(); ++i)
    u |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return static_cast<std::int32_t>(u);
}

std::string_view RootName(Root root) {
  return kRootNames[static_cast<size_t>(root)];
}

std::optional<Root> RootByName(std::string_view name) {
  for (int i = 0; i < kRootCount; ++i)
    if (EqualsNoCase(name, kRootNames[static_cast<size_t>(i)])) return static_cast<Root>(i);
  return std::nullopt;
}

std::vector<std::string> SplitKeyPath(std::string_view path) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : path) {
    if (c == '\\') {
      if (!current.empty()) parts.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

KeyId RegistrySession::RootKey(Root root) const {
  return static_cast<KeyId>(root) + 1;
}

std::optional<KeyId> RegistrySession::OpenSubkey(KeyId parent, std::string_view name) const {
  sqlite::Statement query(db_, "SELECT id FROM keys WHERE parent = ? AND name = ?");
  query.Bind(1, parent).BindText(2, name);
  if (!query.Step()) return std::nullopt;
  return query.Int(0);
}

std::optional<KeyId> RegistrySession::OpenKey(Root root, std::string_view path) const {
  KeyId key = RootKey(root);
  for (const auto& part : SplitKeyPath(path)) {
    const auto child = OpenSubkey(key, part);
    if (!child) return std::nullopt;
    key = *child;
  }
  return key;
}

KeyId RegistrySession::CreateSubkey(KeyId parent, std::string_view name) {
  if (auto existing = OpenSubkey(parent, name)) return *existing;
  sqlite::Statement insert(db_, "INSERT INTO keys(parent, name) VALUES(?, ?)");
  insert.Bind(1, parent).BindText(2, name);
  insert.Run();
  return sqlite3_last_insert_rowid(db_.handle());
}

KeyId RegistrySession::CreateKey(Root root, std::string_view path) {
  KeyId key = RootKey(root);
  for (const auto& part : SplitKeyPath(path)) key = CreateSubkey(key, part);
  return key;
}

std::vector<std::string> RegistrySession::SubkeyNames(KeyId key) const {
  sqlite::Statement query(db_, "SELECT name FROM keys WHERE parent = ? ORDER BY name");
  query.Bind(1, key);
  std::vector<std::string> names;
  while (query.Step()) names.push_back(query.Text(0));
  return names;
}

std::vector<NamedValue> RegistrySession::Values(KeyId key) const {
  sqlite::Statement query(db_, "SELECT name, type, data FROM vals WHERE key = ? ORDER BY name");
  query.Bind(1, key);
  std::vector<NamedValue> values;
  while (query.Step())
    values.push_back({query.Text(0), {static_cast<std::uint32_t>(query.Int(1)), query.Text(2)}});
  return values;
}

std::optional<RawValue> RegistrySession::GetValue(KeyId key, std::string_view name) const {
  sqlite::Statement query(db_, "SELECT type, data FROM vals WHERE key = ? AND name = ?");
  query.Bind(1, key).BindText(2, name);
  if (!query.Step()) return std::nullopt;
  return RawValue{static_cast<std::uint32_t>(query.Int(0)), query.Text(1)};
}

void RegistrySession::SetValue(KeyId key, std::string_view name, const RawValue& value) {
  // An existing value keeps the spelling of its name.
  sqlite::Statement upsert(
      db_,
      "INSERT INTO vals(key, name, type, data) VALUES(?, ?, ?, ?) "
      "ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data");
  upsert.Bind(1, key).BindText(2, name).Bind(3, value.type).BindBlob(4, value.bytes);
  upsert.Run();
}

bool RegistrySession::DeleteValue(KeyId key, std::string_view name) {
  sqlite::Statement del(db_, "DELETE FROM vals WHERE key = ? AND name = ?");
  del.Bind(1, key).BindText(2, name);
  del.Run();
  return sqlite3_changes(db_.handle()) > 0;
}

void RegistrySession::DeleteKeyTree(KeyId key) {
  constexpr const char* kTree =
      "WITH RECURSIVE tree(id) AS (SELECT ? UNION ALL SELECT k.id FROM keys k JOIN tree ON "
      "k.parent = tree.id) ";
  sqlite::Statement values(db_, std::string(kTree) + "DELETE FROM vals WHERE key IN tree");
  values.Bind(1, key);
  values.Run();
  sqlite::Statement keys(db_, std::string(kTree) + "DELETE FROM keys WHERE id IN tree");
  keys.Bind(1, key);
  keys.Run();
}

bool RegistrySession::DeleteKeyTree(Root root, std::string_view path) {
  if (SplitKeyPath(path).empty()) return false;  // a root itself is never deleted
  const auto key = OpenKey(root, path);
  if (!key) return false;
  DeleteKeyTree(*key);
  return true;
}

void RegistrySession::CopyContents(KeyId from, KeyId to) {
  for (const auto& value : Values(from)) SetValue(to, value.name, value.value);
  for (const auto& name : SubkeyNames(from)) {
    const auto child = OpenSubkey(from, name);
    if (child) CopyContents(*child, CreateSubkey(to, name));
  }
}

bool RegistrySession::CopyKeyTree(Root root, std::string_view from, std::string_view to) {
  const auto source = OpenKey(root, from);
  if (!source || OpenKey(root, to)) return false;
  CopyContents(*source, CreateKey(root, to));
  return true;
}

namespace {

// A store that another process kept locked for the whole wait says so; any other failure names
// the store and SQLite's reason.
[[noreturn]] void ThrowStoreFailure(std::string_view action, const std::string& path,
                                    const sqlite::SqliteError& e) {
  if (sqlite::IsBusy(e.code())) throw Error(messages::SettingsStoreBusy(path), EBUSY);
  throw Error(messages::SettingsStoreFailure(action, path, e.what()));
}

}  // namespace

Registry::Registry(std::string database_path) : path_(std::move(database_path)) {}

void Registry::Read(const std::function<void(const RegistrySession*)>& fn) const {
  if (!FileExists(path_)) {
    fn(nullptr);
    return;
  }
  std::optional<sqlite::Database> db;
  auto open = [&] {
    db.emplace(path_, sqlite::Database::Mode::ReadOnly);
    if (!HasSchema(*db)) {
      db.reset();
    } else if (SchemaVersion(*db) < kSchemaVersion) {
      // A store of the earlier build is converted once, before anything reads it.
      db.reset();
      Renamed(UpgradeStore(path_));
      db.emplace(path_, sqlite::Database::Mode::ReadOnly);
    }
  };
  try {
    try {
      open();
    } catch (const sqlite::SqliteError& e) {
      // A write that was cut short (a crash, a power cut) leaves a journal that only a writable
      // connection can roll back; until then a read-only one cannot read at all.
      if (e.code() != SQLITE_READONLY_ROLLBACK) throw;
      db.reset();
      RollBackInterruptedWrite(path_);
      open();
    }
  } catch (const sqlite::SqliteError& e) {
    ThrowStoreFailure("Cannot read the settings store", path_, e);
  }
  if (!db) {
    fn(nullptr);
    return;
  }
  try {
    RegistrySession session(*db);
    fn(&session);
  } catch (const sqlite::SqliteError& e) {
    ThrowStoreFailure("Cannot read the settings store", path_, e);
  }
}

void Registry::Write(const std::function<void(RegistrySession&)>& fn) {
  std::vector<RenamedKey> renames;
  const std::string folder = DirectoryOf(path_);
  if (!folder.empty() && !CreateDirectories(folder))
    throw Error(messages::SettingsStoreFailure("Cannot create the settings folder", folder,
                                               messages::SystemReason(errno)));
  try {
    sqlite::Database db(path_, sqlite::Database::Mode::ReadWriteCreate);
    db.Exec("PRAGMA synchronous = FULL");
    sqlite::Transaction transaction(db);
    renames = EnsureSchema(db);
    RegistrySession session(db);
    fn(session);
    transaction.Commit();
  } catch (const sqlite::SqliteError& e) {
    ThrowStoreFailure("Cannot write the settings store", path_, e);
  }
  Renamed(renames);
}

void Registry::OnKeysRenamed(std::function<void(const std::vector<RenamedKey>&)> handler) {
  on_renamed_ = std::move(handler);
}

void Registry::Renamed(const std::vector<RenamedKey>& renames) const {
  if (!renames.empty() && on_renamed_) on_renamed_(renames);
}

}  // namespace quorella
