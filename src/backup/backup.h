#pragma once
// The backup: one backup set of the whole configuration, the snapshot of the application key as
// "registry.cfg" and a copy of every FAQ document, in the backup directory.
#include <string>
#include <string_view>
#include <vector>

#include "backup/backup_ui.h"
#include "backup/entry_copy.h"
#include "backup/snapshot_reader.h"
#include "store/app_context.h"

namespace quorella {

struct BackupReport {
  bool snapshot_written = false;
  CopyReport documents;
  bool replaced = false;  // the new set took the earlier set's place
};

// Replaces the backup set in `typed_dir` (a '/' is appended when missing) by a new one holding the
// snapshot of the application key and a copy of the document of each FAQ the snapshot names
// (an empty document for a FAQ that has none yet, as loading it would make), so that a restore
// finds exactly the documents its catalogue names. The documents' folder is locked meanwhile: no
// FAQ comes or goes between the snapshot and the copies.
// - The new set is built in a scratch folder inside the directory. A snapshot that cannot be
//   written is shown as "Error backing up registry entries"; a document that cannot be copied is
//   listed in the report.
// - Only a complete set replaces the earlier one: the earlier set's files ("registry.cfg" and the
//   .dat files directly in the directory; everything else stays) are moved aside, the new files
//   moved in, and the earlier files deleted. A file that cannot be moved aside is shown as "Error
//   deleting file ...", one that cannot be moved in as "Cannot replace file ...", and every move
//   is undone.
// - When the new set did not take the earlier one's place, that is shown too ("The backup could
//   not be completed. ..."): the directory holds the earlier set as it was. Then the beep.
// Throws, before anything is written, when the directory is the application directory or holds it,
// and "Unable to create directory" when it cannot be created.
BackupReport DoBackup(const AppContext& context, std::string_view typed_dir, BackupUi& ui);

// The documents a snapshot of `key` names: NAME.dat for each FAQ key directly below its FAQs key
// whose name can name a file, each once.
std::vector<std::string> DocumentsNamedBy(const ParsedSnapshot& snapshot, std::string_view key);

}  // namespace quorella
