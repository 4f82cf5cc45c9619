#include "support/database_trap.h"

#include <sqlite3.h>

#include <csignal>
#include <cstdlib>

namespace quorella::testing {

namespace {

struct TrapState {
  sqlite3_vfs* real = nullptr;
  DatabaseTrap::Call call = DatabaseTrap::Call::Write;
  int nth = 0;
  DatabaseTrap::Action action = DatabaseTrap::Action::Fail;
  std::array<int, DatabaseTrap::kCalls.size()> seen{};
  bool fired = false;
};
TrapState g_trap;

// True when this call is the one to act on; a kill never returns.
bool Acts(DatabaseTrap::Call call) {
  const int count = ++g_trap.seen[static_cast<std::size_t>(call)];
  if (call != g_trap.call || count != g_trap.nth) return false;
  g_trap.fired = true;
  if (g_trap.action == DatabaseTrap::Action::Kill) std::raise(SIGKILL);
  return true;
}

// The real file lives right behind this header in the memory SQLite gives xOpen.
struct TrapFile {
  sqlite3_file base;
  sqlite3_file* Real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

sqlite3_file* Real(sqlite3_file* file) {
  return reinterpret_cast<TrapFile*>(file)->Real();
}

// A call that may fail with `error`; every other call goes to the real file as it is.
template <auto Method, DatabaseTrap::Call kCall, int kError, typename... Args>
int Trapped(sqlite3_file* file, Args... args) {
  if (Acts(kCall)) return kError;
  return (Real(file)->pMethods->*Method)(Real(file), args...);
}

template <auto Method, typename... Args>
int Forward(sqlite3_file* file, Args... args) {
  return (Real(file)->pMethods->*Method)(Real(file), args...);
}

using C = DatabaseTrap::Call;
using M = sqlite3_io_methods;

// Version 1 methods only: no shared memory and no memory mapping, so every page goes through
// xRead and xWrite.
sqlite3_io_methods Methods() {
  sqlite3_io_methods methods{};
  methods.iVersion = 1;
  methods.xClose = Forward<&M::xClose>;
  methods.xRead = Trapped<&M::xRead, C::Read, SQLITE_IOERR_READ, void*, int, sqlite3_int64>;
  methods.xWrite =
      Trapped<&M::xWrite, C::Write, SQLITE_IOERR_WRITE, const void*, int, sqlite3_int64>;
  methods.xTruncate = Trapped<&M::xTruncate, C::Truncate, SQLITE_IOERR_TRUNCATE, sqlite3_int64>;
  methods.xSync = Trapped<&M::xSync, C::Sync, SQLITE_IOERR_FSYNC, int>;
  methods.xFileSize = Forward<&M::xFileSize>;
  methods.xLock = Forward<&M::xLock>;
  methods.xUnlock = Forward<&M::xUnlock>;
  methods.xCheckReservedLock = Forward<&M::xCheckReservedLock>;
  methods.xFileControl = Forward<&M::xFileControl>;
  methods.xSectorSize = Forward<&M::xSectorSize>;
  methods.xDeviceCharacteristics = Forward<&M::xDeviceCharacteristics>;
  return methods;
}
const sqlite3_io_methods kMethods = Methods();

int Open(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* out_flags) {
  TrapFile* trap = reinterpret_cast<TrapFile*>(file);
  trap->base.pMethods = nullptr;
  if (Acts(C::Open)) return SQLITE_CANTOPEN;
  const int rc = g_trap.real->xOpen(g_trap.real, name, trap->Real(), flags, out_flags);
  if (trap->Real()->pMethods != nullptr) trap->base.pMethods = &kMethods;
  return rc;
}

sqlite3_vfs g_vfs;

}  // namespace

DatabaseTrap::DatabaseTrap(Call call, int nth, Action action) {
  g_trap = TrapState{};
  g_trap.real = sqlite3_vfs_find(nullptr);
  g_trap.call = call;
  g_trap.nth = nth;
  g_trap.action = action;
  g_vfs = *g_trap.real;
  g_vfs.zName = "quorella-trap";
  g_vfs.szOsFile = static_cast<int>(sizeof(TrapFile)) + g_trap.real->szOsFile;
  g_vfs.xOpen = Open;
  sqlite3_vfs_register(&g_vfs, 1);
}

DatabaseTrap::~DatabaseTrap() {
  sqlite3_vfs_register(g_trap.real, 1);
  sqlite3_vfs_unregister(&g_vfs);
}

int DatabaseTrap::seen(Call call) const {
  return g_trap.seen[static_cast<std::size_t>(call)];
}

bool DatabaseTrap::fired() const {
  return g_trap.fired;
}

const char* CallName(DatabaseTrap::Call call) {
  switch (call) {
    case C::Open:
      return "database open";
    case C::Read:
      return "database read";
    case C::Write:
      return "database write";
    case C::Sync:
      return "database sync";
    case C::Truncate:
      return "database truncate";
  }
  return "";
}

}  // namespace quorella::testing
