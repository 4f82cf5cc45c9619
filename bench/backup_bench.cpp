// Backup and restore: the snapshot of an application key with many FAQs (written a line at a
// time), reading a snapshot text, and the delete-and-rebuild transaction of a restore.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "backup/restore.h"
#include "backup/snapshot_reader.h"
#include "backup/snapshot_writer.h"
#include "store/settings.h"
#include "util/file_io.h"

namespace {

constexpr const char* kAppKey = "Software\\Tamsel Software\\Quorella";

// A store whose application key holds `faqs` FAQ keys of 36 values each, in a folder of its own.
class BenchStore {
 public:
  explicit BenchStore(int faqs) {
    char pattern[] = "/tmp/quorella-bench-XXXXXX";
    dir_ = ::mkdtemp(pattern);
    settings_.emplace(dir_ + "/settings.db");
    for (int f = 0; f < faqs; ++f) {
      std::vector<quorella::NamedValue> values;
      for (int v = 0; v < 30; ++v)
        values.push_back(
            {"Text" + std::to_string(v),
             quorella::RawValue::String("A value of a few words\r\nand a second line")});
      for (int v = 0; v < 6; ++v)
        values.push_back({"Number" + std::to_string(v), quorella::RawValue::Integer(v * 1000)});
      settings_->WriteValues(std::string(kAppKey) + "\\FAQs\\FAQ " + std::to_string(f), values);
    }
  }
  ~BenchStore() { std::filesystem::remove_all(dir_); }

  quorella::Registry& registry() { return settings_->registry(); }
  const std::string& dir() const { return dir_; }

 private:
  std::string dir_;
  std::optional<quorella::Settings> settings_;
};

void SaveSnapshot(benchmark::State& state) {
  BenchStore store(static_cast<int>(state.range(0)));
  const std::string file = store.dir() + "/registry.cfg";
  for (auto _ : state) {
    quorella::RemoveFile(file);
    quorella::SaveKeySnapshot(store.registry(), file, kAppKey);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(SaveSnapshot)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity();

void ParseSnapshot(benchmark::State& state) {
  BenchStore store(static_cast<int>(state.range(0)));
  const std::string file = store.dir() + "/registry.cfg";
  quorella::SaveKeySnapshot(store.registry(), file, kAppKey);
  const std::string text = quorella::ReadWholeFile(file);
  for (auto _ : state) benchmark::DoNotOptimize(quorella::ParseKeySnapshot(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ParseSnapshot)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void ReplaceKey(benchmark::State& state) {
  BenchStore store(static_cast<int>(state.range(0)));
  const std::string file = store.dir() + "/registry.cfg";
  quorella::SaveKeySnapshot(store.registry(), file, kAppKey);
  const quorella::ParsedSnapshot snapshot =
      quorella::ParseKeySnapshot(quorella::ReadWholeFile(file));
  for (auto _ : state) quorella::ReplaceKeyFromSnapshot(store.registry(), kAppKey, snapshot);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(ReplaceKey)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
