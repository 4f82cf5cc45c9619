#pragma once
// Fault injection for the sys:: seam: make one chosen call fail, or count calls.
#include <map>
#include <string>

#include "util/sys_io.h"

namespace quorella::testing {

// Fails the `nth` call (counted from 1) of `op` with `error`; every other call goes through.
// Installed for the lifetime of the object.
class FailNth : public sys::FaultInjector {
 public:
  FailNth(sys::Op op, int nth, int error);
  ~FailNth() override;
  int Check(sys::Op op, std::string_view path) override;
  bool fired() const { return fired_; }

 private:
  sys::Op op_;
  int nth_;
  int error_;
  int seen_ = 0;
  bool fired_ = false;
};

// Fails the first call of `op` on a path that ends with `path_end` (for a rename, the path it
// renames to) with `error`.
class FailAt : public sys::FaultInjector {
 public:
  FailAt(sys::Op op, std::string path_end, int error);
  ~FailAt() override;
  int Check(sys::Op op, std::string_view path) override;
  bool fired() const { return fired_; }

 private:
  sys::Op op_;
  std::string path_end_;
  int error_;
  bool fired_ = false;
};

// Fails every call of `op` on a path that begins with `prefix` with `error`, as a read-only or
// full file system does; an empty prefix fails every call of `op` (writes carry no path).
class FailUnder : public sys::FaultInjector {
 public:
  FailUnder(sys::Op op, std::string prefix, int error);
  ~FailUnder() override;
  int Check(sys::Op op, std::string_view path) override;

 private:
  sys::Op op_;
  std::string prefix_;
  int error_;
};

// Counts the calls of each kind, failing none.
class CountCalls : public sys::FaultInjector {
 public:
  CountCalls();
  ~CountCalls() override;
  int Check(sys::Op op, std::string_view path) override;
  int count(sys::Op op) const;

 private:
  std::map<sys::Op, int> counts_;
};

}  // namespace quorella::testing
