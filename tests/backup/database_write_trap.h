#pragma once
// Makes the settings store's own disk writes fail, or kills the process in the middle of them: a
// SQLite file system layered over the default one that counts the writes to database files.
namespace quorella::testing {

class DatabaseWriteTrap {
 public:
  enum class Action { Fail, Kill };
  // Acts at the `nth` write (counted from 1) to a main database file; installed as the default
  // file system for the lifetime of the object.
  DatabaseWriteTrap(int nth, Action action);
  ~DatabaseWriteTrap();
  DatabaseWriteTrap(const DatabaseWriteTrap&) = delete;
  DatabaseWriteTrap& operator=(const DatabaseWriteTrap&) = delete;

  int writes_seen() const;
};

}  // namespace quorella::testing
