#pragma once
// Every fallible call an operation makes, failed one at a time: the calls of the sys:: seam and
// the settings store's own file calls.
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "support/database_trap.h"
#include "util/sys_io.h"

namespace quorella::testing {

struct InjectionPoint {
  std::variant<sys::Op, DatabaseTrap::Call> call;
  int nth = 0;  // counted from 1 among the operation's calls of that kind
  bool in_database() const { return std::holds_alternative<DatabaseTrap::Call>(call); }
  // "write #3", "database sync #1", for the failure messages of the tests.
  std::string Describe() const;
};

// The calls `action` makes when nothing fails, in the order of their kinds.
std::vector<InjectionPoint> InjectionPoints(const std::function<std::string()>& action);

// Runs `action` with the call at `point` failing (a seam call with `error`, a database call with
// SQLite's I/O error) and returns what it reported, "" when nothing.
std::string RunFailing(const InjectionPoint& point, const std::function<std::string()>& action,
                       int error);

// Is `text` a clear report of the failure at `point`: one of the program's own messages, which for
// a seam call ends with the system's reason for `error`.
bool ReportsFailure(const InjectionPoint& point, const std::string& text, int error);

}  // namespace quorella::testing
