#include "backup/restore.h"

#include <algorithm>
#include <vector>

#include "backup/backup_directory.h"
#include "backup/snapshot_format.h"
#include "backup/staged_set.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/marked_text.h"
#include "util/strings.h"
#include "util/unicode.h"

namespace quorella {

namespace {

// How many leading parts of `path` name `key`; 0 when the path does not lie in the key.
std::size_t DepthInKey(Root root, std::string_view path, std::string_view key) {
  const auto parts = SplitKeyPath(path);
  const auto key_parts = SplitKeyPath(key);
  if (root != Root::CurrentUser || parts.size() < key_parts.size() ||
      !std::equal(key_parts.begin(), key_parts.end(), parts.begin(),
                  [](const std::string& a, const std::string& b) { return EqualsFolded(a, b); }))
    return 0;
  return parts.size() - key_parts.size() + 1;
}

// Only what Backup writes comes back: the documents directly in the set's folder. A user's other
// files and folders there stay where they are.
std::vector<std::string> EntriesToRestore(const std::string& dir) {
  std::vector<std::string> paths;
  for (const auto& name : ListDirectory(dir))
    if (IsBackupSetFile(dir, name) && name != snapshot::kFileName) paths.push_back(dir + name);
  return paths;
}

}  // namespace

bool IsSnapshotOfKey(const ParsedSnapshot& snapshot, std::string_view text, std::string_view key) {
  if (snapshot.keys.empty()) return Trim(text).empty();
  const auto& first = snapshot.keys.front();
  if (!first.root || DepthInKey(*first.root, first.path, key) != 1) return false;
  return std::all_of(snapshot.values.begin(), snapshot.values.end(), [&](const SnapshotValue& v) {
    return DepthInKey(v.root, v.key_path, key) > 0;
  });
}

void ReplaceKeyFromSnapshot(Registry& registry, std::string_view key,
                            const ParsedSnapshot& snapshot) {
  registry.Write([&](RegistrySession& session) {
    session.DeleteKeyTree(Root::CurrentUser, key);
    // Keys without values come back too: a FAQ that holds no value yet stays in the catalogue.
    for (const auto& named : snapshot.keys)
      if (named.root && DepthInKey(*named.root, named.path, key) > 0)
        session.CreateKey(*named.root, named.path);
    ApplyKeySnapshot(session, snapshot.values);
  });
}

RestoreReport DoRestore(AppContext& context, std::string_view typed_dir, BackupUi& ui) {
  if (!ui.ConfirmRestore()) return {};
  const std::string dir = BackupSetDirectory(typed_dir);
  RefuseApplicationDirectory(dir, context.app_dir());
  const std::string file = dir + std::string(snapshot::kFileName);
  // Everything is read and checked before the configuration is touched.
  if (dir.empty() || !FileExists(file)) throw Error(messages::NoBackupIn(dir));
  const std::string text = DecodeMarkedText(ReadWholeFile(file)).text;
  const ParsedSnapshot snapshot = ParseKeySnapshot(text);
  if (!IsSnapshotOfKey(snapshot, text, context.app_key()))
    throw Error(messages::NotABackupOf(file, context.app_key()));

  ReplaceKeyFromSnapshot(context.settings().registry(), context.app_key(), snapshot);
  CreateDirectories(context.app_dir());  // a failure shows in the copies that follow
  RestoreReport report{RestoreOutcome::Restored,
                       CopyEntriesInto(EntriesToRestore(dir), context.app_dir(), ui)};
  ui.Beep();
  return report;
}

}  // namespace quorella
