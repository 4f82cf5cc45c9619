#include "reliability/fault_sweep.h"

#include <algorithm>
#include <array>

#include "support/faults.h"
#include "util/errors.h"

namespace quorella::testing {

namespace {

// Every seam call the sweeps fail in turn.
constexpr std::array<sys::Op, 13> kSeamCalls = {
    sys::Op::Open,    sys::Op::Read,  sys::Op::Write, sys::Op::Fsync, sys::Op::Rename,
    sys::Op::Unlink,  sys::Op::Mkdir, sys::Op::Chmod, sys::Op::Stat,  sys::Op::OpenDir,
    sys::Op::ReadDir, sys::Op::Close, sys::Op::Link};

const char* SeamCallName(sys::Op op) {
  switch (op) {
    case sys::Op::Open:
      return "open";
    case sys::Op::Read:
      return "read";
    case sys::Op::Write:
      return "write";
    case sys::Op::Fsync:
      return "fsync";
    case sys::Op::Rename:
      return "rename";
    case sys::Op::Unlink:
      return "unlink";
    case sys::Op::Mkdir:
      return "mkdir";
    case sys::Op::Chmod:
      return "chmod";
    case sys::Op::Stat:
      return "stat";
    case sys::Op::OpenDir:
      return "opendir";
    case sys::Op::Close:
      return "close";
    case sys::Op::Link:
      return "link";
    case sys::Op::ReadDir:
      return "readdir";
  }
  return "";
}

bool StartsWithAny(const std::string& text, std::initializer_list<std::string_view> prefixes) {
  for (std::string_view prefix : prefixes)
    if (text.starts_with(prefix)) return true;
  return false;
}

}  // namespace

std::string InjectionPoint::Describe() const {
  const char* name = in_database() ? CallName(std::get<DatabaseTrap::Call>(call))
                                   : SeamCallName(std::get<sys::Op>(call));
  return std::string(name) + " #" + std::to_string(nth);
}

std::vector<InjectionPoint> InjectionPoints(const std::function<std::string()>& action) {
  CountCalls seam;
  DatabaseTrap database(DatabaseTrap::Call::Open, 0);
  action();
  std::vector<InjectionPoint> points;
  for (sys::Op op : kSeamCalls)
    for (int n = 1; n <= seam.count(op); ++n) points.push_back({op, n});
  for (DatabaseTrap::Call call : DatabaseTrap::kCalls)
    for (int n = 1; n <= database.seen(call); ++n) points.push_back({call, n});
  return points;
}

std::string RunFailing(const InjectionPoint& point, const std::function<std::string()>& action,
                       int error) {
  if (point.in_database()) {
    DatabaseTrap trap(std::get<DatabaseTrap::Call>(point.call), point.nth);
    return action();
  }
  FailNth fail(std::get<sys::Op>(point.call), point.nth, error);
  return action();
}

bool ReportsFailure(const InjectionPoint& point, const std::string& text, int error) {
  // Several problems come one a line; each must be a message of the program's own.
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    // The program's own texts that name no reason.
    if (StartsWithAny(line, {"Error deleting file \"", "Failed to set data for '"}) ||
        line == messages::kErrorBackingUpRegistry || line == messages::kUnableToCreateDirectory ||
        line == messages::kEarlierBackupKept)
      continue;
    if (StartsWithAny(line,
                      {"Cannot write the settings store \"", "Cannot read the settings store \""}))
      continue;
    const bool seam_message = StartsWithAny(
        line, {"Cannot create file \"", "Cannot open file \"", "Cannot read file \"",
               "Cannot write file \"", "Cannot replace file \"", "Cannot copy file \"",
               "Cannot delete file \"", "Unable to create directory \""});
    if (!seam_message || (!point.in_database() && !line.ends_with(messages::SystemReason(error))))
      return false;
  }
  return !text.empty();
}

}  // namespace quorella::testing
