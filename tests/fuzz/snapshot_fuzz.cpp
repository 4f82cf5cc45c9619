// The registry snapshot reader. Input: a snapshot text. Properties: the values read come back
// unchanged when each is written as a line under a header naming its root and key again; and
// loading them into a store and saving its snapshot again (save after load) gives the same values
// per key, the last of each name (compared without regard to case) winning, as in the store.
#include <unistd.h>

#include <map>

#include "backup/hex_text.h"
#include "backup/snapshot_reader.h"
#include "backup/snapshot_writer.h"
#include "fuzz/fuzz_input.h"
#include "util/strings.h"

namespace {

using namespace quorella;
using namespace quorella::fuzz;

std::string Describe(const SnapshotValue& value) {
  return std::string(RootName(value.root)) + "\\" + value.key_path + " " + value.value.name + " " +
         std::to_string(value.value.value.type) + " " + HexText(value.value.value.bytes);
}

// One key path and value name as the store compares them.
using ValueMap = std::map<std::string, std::map<std::string, RawValue>>;

std::string NormalKey(std::string_view path) {
  std::string key;
  for (const auto& part : SplitKeyPath(path)) key += "\\" + LowerAscii(part);
  return key;
}

ValueMap StoredValues(const std::vector<SnapshotValue>& values) {
  ValueMap map;
  for (const auto& entry : values)
    if (entry.root == Root::CurrentUser)
      map[NormalKey(entry.key_path)][LowerAscii(entry.value.name)] = entry.value.value;
  return map;
}

std::string Describe(const ValueMap& map) {
  std::string text;
  for (const auto& [key, values] : map)
    for (const auto& [name, raw] : values)
      text += key + " " + name + " " + std::to_string(raw.type) + " " + HexText(raw.bytes) + "\n";
  return text;
}

void CheckLinesReadBack(const std::vector<SnapshotValue>& values) {
  std::string text;
  for (const auto& value : values) {
    text += "[" + std::string(RootName(value.root)) + "\\" + value.key_path + "]\r\n";
    text += SnapshotValueLine(value.value) + "\r\n";
  }
  const auto again = ParseKeySnapshot(text).values;
  if (again.size() != values.size())
    Fail("every value written as a line reads back", std::to_string(values.size()),
         std::to_string(again.size()));
  for (std::size_t i = 0; i < values.size(); ++i)
    CheckEqual(Describe(values[i]), Describe(again[i]), "a value line reads back unchanged");
}

// A store of its own, emptied before each input: $QUORELLA_FUZZ_STORE, which scripts/fuzz.sh
// points into a folder it removes afterwards, or a file in memory-backed storage.
const std::string& StorePath() {
  static const std::string path = [] {
    if (const char* chosen = std::getenv("QUORELLA_FUZZ_STORE")) return std::string(chosen);
    return "/dev/shm/quorella-fuzz-" + std::to_string(::getpid()) + "/settings.db";
  }();
  return path;
}

void CheckSaveAfterLoad(const std::vector<SnapshotValue>& values) {
  ::unlink(StorePath().c_str());
  Registry registry(StorePath());
  registry.Write([&](RegistrySession& session) { ApplyKeySnapshot(session, values); });
  std::vector<std::string> lines;
  registry.Read([&](const RegistrySession* session) { lines = KeySnapshotLines(session, ""); });
  std::string saved;
  for (const auto& line : lines) saved += line + "\r\n";
  CheckEqual(Describe(StoredValues(values)), Describe(StoredValues(ParseKeySnapshot(saved).values)),
             "a snapshot saved after loading holds the values loaded");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ParsedSnapshot parsed = ParseKeySnapshot(AsText(data, size));
  CheckLinesReadBack(parsed.values);
  CheckSaveAfterLoad(parsed.values);
  return 0;
}
