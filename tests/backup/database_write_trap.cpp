#include "backup/database_write_trap.h"

#include <sqlite3.h>

#include <csignal>
#include <cstdlib>

namespace quorella::testing {

namespace {

struct TrapState {
  sqlite3_vfs* real = nullptr;
  int nth = 0;
  DatabaseWriteTrap::Action action = DatabaseWriteTrap::Action::Fail;
  int seen = 0;
};
TrapState g_trap;

// The real file lives right behind this header in the memory SQLite gives xOpen.
struct TrapFile {
  sqlite3_file base;
  bool main_database;
  sqlite3_file* Real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

TrapFile* Trap(sqlite3_file* file) {
  return reinterpret_cast<TrapFile*>(file);
}

int Write(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset) {
  TrapFile* trap = Trap(file);
  if (trap->main_database && ++g_trap.seen == g_trap.nth) {
    if (g_trap.action == DatabaseWriteTrap::Action::Kill) std::raise(SIGKILL);
    return SQLITE_IOERR_WRITE;
  }
  return trap->Real()->pMethods->xWrite(trap->Real(), data, amount, offset);
}

// Every other call goes to the real file as it is.
template <auto Method, typename... Args>
int Forward(sqlite3_file* file, Args... args) {
  sqlite3_file* real = Trap(file)->Real();
  return (real->pMethods->*Method)(real, args...);
}

// Version 1 methods only: no shared memory and no memory mapping, so every page goes through
// Write.
sqlite3_io_methods Methods() {
  sqlite3_io_methods methods{};
  methods.iVersion = 1;
  methods.xClose = Forward<&sqlite3_io_methods::xClose>;
  methods.xRead = Forward<&sqlite3_io_methods::xRead>;
  methods.xWrite = Write;
  methods.xTruncate = Forward<&sqlite3_io_methods::xTruncate>;
  methods.xSync = Forward<&sqlite3_io_methods::xSync>;
  methods.xFileSize = Forward<&sqlite3_io_methods::xFileSize>;
  methods.xLock = Forward<&sqlite3_io_methods::xLock>;
  methods.xUnlock = Forward<&sqlite3_io_methods::xUnlock>;
  methods.xCheckReservedLock = Forward<&sqlite3_io_methods::xCheckReservedLock>;
  methods.xFileControl = Forward<&sqlite3_io_methods::xFileControl>;
  methods.xSectorSize = Forward<&sqlite3_io_methods::xSectorSize>;
  methods.xDeviceCharacteristics = Forward<&sqlite3_io_methods::xDeviceCharacteristics>;
  return methods;
}
const sqlite3_io_methods kMethods = Methods();

int Open(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* out_flags) {
  TrapFile* trap = Trap(file);
  trap->base.pMethods = nullptr;
  trap->main_database = (flags & SQLITE_OPEN_MAIN_DB) != 0;
  const int rc = g_trap.real->xOpen(g_trap.real, name, trap->Real(), flags, out_flags);
  if (trap->Real()->pMethods != nullptr) trap->base.pMethods = &kMethods;
  return rc;
}

sqlite3_vfs g_vfs;

}  // namespace

DatabaseWriteTrap::DatabaseWriteTrap(int nth, Action action) {
  g_trap = TrapState{sqlite3_vfs_find(nullptr), nth, action, 0};
  g_vfs = *g_trap.real;
  g_vfs.zName = "quorella-write-trap";
  g_vfs.szOsFile = static_cast<int>(sizeof(TrapFile)) + g_trap.real->szOsFile;
  g_vfs.xOpen = Open;
  sqlite3_vfs_register(&g_vfs, 1);
}

DatabaseWriteTrap::~DatabaseWriteTrap() {
  sqlite3_vfs_register(g_trap.real, 1);
  sqlite3_vfs_unregister(&g_vfs);
}

int DatabaseWriteTrap::writes_seen() const {
  return g_trap.seen;
}

}  // namespace quorella::testing
