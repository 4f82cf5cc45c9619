#pragma once
#include <chrono>
// SQLite behind two small RAII classes. Failures throw SqliteError with SQLite's own text.
#include <sqlite3.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorella::sqlite {

// The collation of names, registered on every connection: equal when their full Unicode case
// foldings are, ordered by the folded texts' code points.
inline constexpr std::string_view kNameCollation = "QUORELLA_NAME";

class SqliteError : public std::runtime_error {
 public:
  SqliteError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

// How long a connection waits for another process's write to end before it fails with
// SQLITE_BUSY, and the folder lock of the documents as long; 5 s unless set (a window, which a
// user watches, waits longer).
void SetBusyWait(std::chrono::milliseconds wait);
// The wait of a command a user started and watches.
inline constexpr std::chrono::milliseconds kInteractiveStoreWait{30000};

// Is `code` (an extended result code) the failure of a wait for another connection's lock?
bool IsBusy(int code);

class Database {
 public:
  enum class Mode { ReadOnly, ReadWriteCreate };
  Database(const std::string& path, Mode mode);
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;
  ~Database();

  void Exec(const char* sql);
  sqlite3* handle() const { return db_; }
  [[noreturn]] void Fail(int code) const;

 private:
  sqlite3* db_ = nullptr;
};

class Statement {
 public:
  Statement(const Database& db, std::string_view sql);
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement();

  Statement& Bind(int index, std::int64_t value);
  Statement& BindText(int index, std::string_view text);
  Statement& BindBlob(int index, std::string_view bytes);
  Statement& BindNull(int index);

  // Advances to the next row; false when there is none.
  bool Step();
  // Runs a statement that returns no rows.
  void Run();
  void Reset();

  std::int64_t Int(int column) const;
  std::string Text(int column) const;  // text or blob bytes
  bool IsNull(int column) const;

 private:
  const Database& db_;
  sqlite3_stmt* stmt_ = nullptr;
};

// Begins a transaction that is rolled back unless Commit() is reached.
class Transaction {
 public:
  explicit Transaction(Database& db);
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  ~Transaction();
  void Commit();

 private:
  Database& db_;
  bool done_ = false;
};

}  // namespace quorella::sqlite
