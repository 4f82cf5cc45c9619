#pragma once
// The restore: the application key and the documents replaced by those of the backup set.
#include <string>
#include <string_view>

#include "backup/backup_ui.h"
#include "backup/entry_copy.h"
#include "backup/snapshot_reader.h"
#include "store/app_context.h"

namespace quorella {

enum class RestoreOutcome { Cancelled, Restored };

struct RestoreReport {
  RestoreOutcome outcome = RestoreOutcome::Cancelled;
  CopyReport files;
};

// Is `snapshot` (read from `text`) the snapshot of `key` under the per-user root? Its first header
// must name the key itself and every value must lie in the key or below it. A text without any
// header is accepted only when it is blank: the snapshot of a key that did not exist.
bool IsSnapshotOfKey(const ParsedSnapshot& snapshot, std::string_view text, std::string_view key);

// Deletes `key` with everything below it and rebuilds it from `snapshot`, in one transaction: a
// failure or a crash on the way leaves the key as it was. Every key the snapshot names in `key` or
// below it is re-created, with values or without.
void ReplaceKeyFromSnapshot(Registry& registry, std::string_view key,
                            const ParsedSnapshot& snapshot);

// After the user's confirmation, replaces the application key by the snapshot in `typed_dir` +
// "registry.cfg", copies the documents (NAME.dat files) directly in that directory into the
// application directory (each one that cannot be copied skipped) and beeps. The restart is the
// caller's. Nothing is changed, and an Error says why, when the directory is the application
// directory or holds it, when it holds no "registry.cfg", or when that file is not a snapshot of
// the application key in force.
RestoreReport DoRestore(AppContext& context, std::string_view typed_dir, BackupUi& ui);

}  // namespace quorella
