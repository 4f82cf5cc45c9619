#pragma once
// A private store and application directory in which an operation runs once for every call it
// makes, with that call failing, each run from the same starting state.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "store/app_context.h"
#include "support/temp_dir.h"

namespace quorella::testing {

// What a sweep compares: named items, such as a file's bytes or the store's snapshot.
using State = std::map<std::string, std::string>;

// Every file below `dir` as "label/relative path" with its bytes, and every folder as
// "label/relative path/" with no bytes, so that a file left behind shows as well.
State FilesUnder(const std::string& dir, const std::string& label);

// The snapshot of the application key and the verdict of SQLite's integrity check.
std::string StoreImage(const AppContext& context);

class FaultSweepTest : public ::testing::Test {
 protected:
  // Whole: after a failure the state is all old or all new. EachItem: each item on its own is
  // old or new (a run that writes several files one after another).
  enum class Atomicity { Whole, EachItem };
  struct Operation {
    std::string label;                 // names the operation in the figures
    std::function<void()> prepare;     // builds the starting state in an empty directory
    std::function<std::string()> run;  // the operation; returns what it reported, "" for nothing
    std::function<State()> state;
    Atomicity atomicity = Atomicity::Whole;
    // Entries whose names hold this are scratch files that a failed deletion may leave; they are
    // allowed only when the report says which ("Error deleting file ...").
    std::string scratch_marker = {};
    // Fails one call in this many (and the last), for operations whose calls repeat page by page.
    std::size_t every = 1;
  };

  // Runs the operation once without faults, then once per call it made with that call failing;
  // checks every run and returns how many calls were failed.
  std::size_t Sweep(const Operation& operation, int error = EIO);

  TempDir dir;
  std::string app_dir = dir / "app/";
  AppContext context{dir / "config/settings.db", app_dir, false};

 private:
  void Empty() const;
};

}  // namespace quorella::testing
