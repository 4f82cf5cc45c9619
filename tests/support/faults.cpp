#include "support/faults.h"

namespace quorella::testing {

FailNth::FailNth(sys::Op op, int nth, int error) : op_(op), nth_(nth), error_(error) {
  sys::SetFaultInjector(this);
}
FailNth::~FailNth() {
  sys::SetFaultInjector(nullptr);
}

int FailNth::Check(sys::Op op, std::string_view) {
  if (op != op_ || ++seen_ != nth_) return 0;
  fired_ = true;
  return error_;
}

FailAt::FailAt(sys::Op op, std::string path_end, int error)
    : op_(op), path_end_(std::move(path_end)), error_(error) {
  sys::SetFaultInjector(this);
}
FailAt::~FailAt() {
  sys::SetFaultInjector(nullptr);
}

int FailAt::Check(sys::Op op, std::string_view path) {
  if (fired_ || op != op_ || !path.ends_with(path_end_)) return 0;
  fired_ = true;
  return error_;
}

FailUnder::FailUnder(sys::Op op, std::string prefix, int error)
    : op_(op), prefix_(std::move(prefix)), error_(error) {
  sys::SetFaultInjector(this);
}
FailUnder::~FailUnder() {
  sys::SetFaultInjector(nullptr);
}

int FailUnder::Check(sys::Op op, std::string_view path) {
  return op == op_ && path.starts_with(prefix_) ? error_ : 0;
}

CountCalls::CountCalls() {
  sys::SetFaultInjector(this);
}
CountCalls::~CountCalls() {
  sys::SetFaultInjector(nullptr);
}

int CountCalls::Check(sys::Op op, std::string_view) {
  ++counts_[op];
  return 0;
}

int CountCalls::count(sys::Op op) const {
  const auto it = counts_.find(op);
  return it == counts_.end() ? 0 : it->second;
}

}  // namespace quorella::testing
