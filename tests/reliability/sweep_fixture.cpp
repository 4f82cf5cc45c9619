#include "reliability/sweep_fixture.h"

#include <filesystem>
#include <iostream>
#include <set>

#include "backup/snapshot_writer.h"
#include "html/manifest.h"
#include "reliability/fault_sweep.h"
#include "store/sqlite.h"
#include "util/file_io.h"

namespace quorella::testing {

namespace fs = std::filesystem;

State FilesUnder(const std::string& dir, const std::string& label) {
  State state;
  if (!fs::exists(dir)) return state;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    const std::string name = label + "/" + fs::relative(entry.path(), dir).string();
    const std::string file = entry.path().filename().string();
    if (entry.is_directory()) {
      state[name + "/"] = "";
    } else if (file.front() == '.' && file.ends_with(".quorella")) {
      // The list of a Go's files: its stamps differ from run to run, its names do not.
      for (const std::string& listed : html::ReadManifest(entry.path().string()))
        state[name] += listed + "\n";
    } else
      state[name] = ReadFile(entry.path().string());
  }
  return state;
}

std::string StoreImage(const AppContext& context) {
  std::string image;
  context.settings().registry().Read([&](const RegistrySession* session) {
    for (const auto& line : KeySnapshotLines(session, context.app_key())) image += line + "\n";
  });
  const std::string& path = context.settings().registry().path();
  if (FileExists(path)) {
    sqlite::Database db(path, sqlite::Database::Mode::ReadOnly);
    sqlite::Statement check(db, "PRAGMA integrity_check");
    image += "integrity: " + (check.Step() ? check.Text(0) : std::string("no answer"));
  }
  return image;
}

void FaultSweepTest::Empty() const {
  for (const auto& entry : fs::directory_iterator(dir.path())) fs::remove_all(entry.path());
}

namespace {

// Each item of `after` is what it was before or what the clean run made of it.
bool EachItemOldOrNew(const State& before, const State& after, const State& clean) {
  std::set<std::string> names;
  for (const State* state : {&before, &after, &clean})
    for (const auto& [name, bytes] : *state) names.insert(name);
  auto value = [](const State& state, const std::string& name) {
    const auto it = state.find(name);
    return it == state.end() ? std::optional<std::string>() : it->second;
  };
  for (const auto& name : names) {
    const auto now = value(after, name);
    if (now != value(before, name) && now != value(clean, name)) return false;
  }
  return true;
}

}  // namespace

std::size_t FaultSweepTest::Sweep(const Operation& operation, int error) {
  Empty();
  operation.prepare();
  const State before = operation.state();
  const auto points = InjectionPoints(operation.run);
  const State clean = operation.state();
  EXPECT_NE(before, clean) << operation.label << ": the clean run changed nothing";

  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i % operation.every != 0 && i + 1 != points.size()) continue;
    const InjectionPoint& point = points[i];
    Empty();
    operation.prepare();
    const std::string reported = RunFailing(point, operation.run, error);
    State after = operation.state();
    if (!operation.scratch_marker.empty())
      std::erase_if(after, [&](const auto& item) {
        const std::size_t at = item.first.find(operation.scratch_marker);
        return at != std::string::npos &&
               reported.find("Error deleting file \"") != std::string::npos &&
               reported.find(item.first.substr(at, item.first.find('/', at) - at)) !=
                   std::string::npos;
      });
    const std::string where = operation.label + ", " + point.Describe() + " failing";
    if (reported.empty()) {
      // A failure the operation may get past (flushing a folder after the rename): it must then
      // have done its work in full.
      EXPECT_EQ(after, clean) << where;
      continue;
    }
    EXPECT_TRUE(ReportsFailure(point, reported, error)) << where << ": " << reported;
    if (operation.atomicity == Atomicity::Whole)
      EXPECT_TRUE(after == before || after == clean) << where << ": " << reported;
    else
      EXPECT_TRUE(EachItemOldOrNew(before, after, clean)) << where << ": " << reported;
  }
  std::cout << "[ figures  ] " << operation.label << ": " << points.size() << " injection points\n";
  return points.size();
}

}  // namespace quorella::testing
