#pragma once
// Makes the settings store's own file calls fail, or kills the process in the middle of them: a
// SQLite file system layered over the default one that counts the calls on the database's files
// (the database itself and its journal).
#include <array>

namespace quorella::testing {

class DatabaseTrap {
 public:
  enum class Call { Open, Read, Write, Sync, Truncate };
  static constexpr std::array<Call, 5> kCalls = {Call::Open, Call::Read, Call::Write, Call::Sync,
                                                 Call::Truncate};
  enum class Action { Fail, Kill };
  // Acts at the `nth` call of `call` (counted from 1; 0 never acts, so the trap only counts);
  // installed as the default file system for the lifetime of the object.
  DatabaseTrap(Call call, int nth, Action action = Action::Fail);
  ~DatabaseTrap();
  DatabaseTrap(const DatabaseTrap&) = delete;
  DatabaseTrap& operator=(const DatabaseTrap&) = delete;

  int seen(Call call) const;
  bool fired() const;
};

const char* CallName(DatabaseTrap::Call call);

}  // namespace quorella::testing
