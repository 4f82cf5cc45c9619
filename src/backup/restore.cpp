#include "backup/restore.h"

#include <algorithm>
#include <vector>

#include "backup/backup.h"
#include "backup/backup_directory.h"
#include "backup/manifest.h"
#include "backup/snapshot_format.h"
#include "backup/staged_set.h"
#include "store/values.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/folder_lock.h"
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

// What a restore copies back, all of it checked before the configuration is touched: exactly the
// documents the snapshot's catalogue names. A set with a manifest must list those and nothing but
// them beside registry.cfg, each of its size and digest: any other file it would bring (a list of
// pages, temp.txt, a program) is refused with the whole set. A set written before manifests is
// taken once every document its catalogue names is there; the user's other files in its folder
// stay where they are.
std::vector<std::string> CheckedEntries(const std::string& dir, const ParsedSnapshot& snapshot,
                                        std::string_view key) {
  const std::vector<std::string> documents = DocumentsNamedBy(snapshot, key);
  if (const auto manifest = ReadManifest(dir)) {
    VerifyManifest(dir, *manifest);
    std::vector<std::string> listed;
    for (const auto& entry : *manifest)
      if (entry.name != snapshot::kFileName) listed.push_back(entry.name);
    for (const std::string& name : listed)
      if (std::find(documents.begin(), documents.end(), name) == documents.end())
        throw Error(messages::DamagedBackup(dir, name));
  }
  std::vector<std::string> paths;
  for (const std::string& document : documents) {
    if (!FileExists(dir + document)) throw Error(messages::DamagedBackup(dir, document));
    paths.push_back(dir + document);
  }
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
  if (dir.empty() || !DirectoryExists(dir)) throw Error(messages::NoBackupIn(dir));
  const FolderLock lock(dir);
  RecoverInterruptedCommits(dir, ui);
  RemoveLeftoverScratch(dir, ui);
  // Everything is read and checked before the configuration is touched.
  if (!FileExists(file)) throw Error(messages::NoBackupIn(dir));
  const std::string text = DecodeMarkedText(ReadWholeFile(file)).text;
  const ParsedSnapshot snapshot = ParseKeySnapshot(text);
  if (!IsSnapshotOfKey(snapshot, text, context.app_key()))
    throw Error(messages::NotABackupOf(file, context.app_key()));
  const std::vector<std::string> entries = CheckedEntries(dir, snapshot, context.app_key());

  for (const auto& name : snapshot.skipped_faq_names)
    ui.ShowMessage(messages::FaqNameSkipped(name));
  // No command of another process runs on the documents or the catalogue while they are replaced.
  const FolderLock documents(context.app_dir());
  ReplaceKeyFromSnapshot(context.settings().registry(), context.app_key(), snapshot);
  RestoreReport report{RestoreOutcome::Restored, CopyEntriesInto(entries, context.app_dir(), ui)};
  ui.Beep();
  return report;
}

}  // namespace quorella
