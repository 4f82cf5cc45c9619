#include "store/sqlite.h"

#include <sys/stat.h>

#include "util/errors.h"
#include "util/folder_lock.h"
#include "util/sys_io.h"
#include "util/unicode.h"

namespace quorella::sqlite {

namespace {

int CompareNames(void*, int a_size, const void* a, int b_size, const void* b) {
  return CompareFolded(
      std::string_view(static_cast<const char*>(a), static_cast<std::size_t>(a_size)),
      std::string_view(static_cast<const char*>(b), static_cast<std::size_t>(b_size)));
}

std::chrono::milliseconds g_busy_wait{5000};

}  // namespace

void SetBusyWait(std::chrono::milliseconds wait) {
  g_busy_wait = wait;
  // The documents' folder lock waits as long as the store: both are waits for another writer.
  SetFolderLockWait(wait);
}

bool IsBusy(int code) {
  return (code & 0xFF) == SQLITE_BUSY || (code & 0xFF) == SQLITE_LOCKED;
}

Database::Database(const std::string& path, Mode mode) {
  // SQLite opens whatever has the name: a FIFO in the store's place would keep it waiting for a
  // writer for ever. A path that cannot be looked at is left to SQLite's own open to report.
  struct stat info {};
  if (sys::Stat(path, &info) == 0 && !S_ISREG(info.st_mode))
    throw SqliteError(SQLITE_CANTOPEN, std::string(messages::kNotARegularFile));
  const int flags =
      mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  int rc = sqlite3_open_v2(path.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
  // Every connection needs the collation: the store's name columns and indexes are declared with
  // it.
  if (rc == SQLITE_OK)
    rc = sqlite3_create_collation_v2(db_, std::string(kNameCollation).c_str(), SQLITE_UTF8, nullptr,
                                     CompareNames, nullptr);
  if (rc != SQLITE_OK) {
    const std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close(db_);
    db_ = nullptr;
    throw SqliteError(rc, message);
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, static_cast<int>(g_busy_wait.count()));
}

Database::~Database() {
  sqlite3_close(db_);
}

void Database::Exec(const char* sql) {
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) Fail(rc);
}

void Database::Fail(int code) const {
  throw SqliteError(code, sqlite3_errmsg(db_));
}

Statement::Statement(const Database& db, std::string_view sql) : db_(db) {
  const int rc =
      sqlite3_prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
  if (rc != SQLITE_OK) db.Fail(rc);
}

Statement::~Statement() {
  sqlite3_finalize(stmt_);
}

Statement& Statement::Bind(int index, std::int64_t value) {
  if (const int rc = sqlite3_bind_int64(stmt_, index, value); rc != SQLITE_OK) db_.Fail(rc);
  return *this;
}

Statement& Statement::BindText(int index, std::string_view text) {
  const int rc =
      sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  if (rc != SQLITE_OK) db_.Fail(rc);
  return *this;
}

Statement& Statement::BindBlob(int index, std::string_view bytes) {
  const int rc = sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()),
                                   SQLITE_TRANSIENT);
  if (rc != SQLITE_OK) db_.Fail(rc);
  return *this;
}

Statement& Statement::BindNull(int index) {
  if (const int rc = sqlite3_bind_null(stmt_, index); rc != SQLITE_OK) db_.Fail(rc);
  return *this;
}

bool Statement::Step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  db_.Fail(rc);
}

void Statement::Run() {
  while (Step()) {
  }
  Reset();
}

void Statement::Reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

std::int64_t Statement::Int(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

std::string Statement::Text(int column) const {
  const void* data = sqlite3_column_blob(stmt_, column);
  const int size = sqlite3_column_bytes(stmt_, column);
  return data != nullptr ? std::string(static_cast<const char*>(data), static_cast<size_t>(size))
                         : std::string();
}

bool Statement::IsNull(int column) const {
  return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

Transaction::Transaction(Database& db) : db_(db) {
  db_.Exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
  if (!done_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::Commit() {
  db_.Exec("COMMIT");
  done_ = true;
}

}  // namespace quorella::sqlite
