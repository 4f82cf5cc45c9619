#pragma once
// What a backup or a restore asks of the front end that runs it. The window answers with message
// boxes, the beep and its status bar; the command line with the terminal; tests with scripts. The
// core itself never shows anything and never waits for a user.
#include <cstddef>
#include <string>

namespace quorella {

class BackupUi {
 public:
  virtual ~BackupUi() = default;

  // A plain message ("Error deleting file ...", "Error backing up registry entries"); the work
  // goes on once it has been shown.
  virtual void ShowMessage(const std::string& text) = 0;
  // The system's default beep: the work is done.
  virtual void Beep() = 0;
  // Caption "Restore Configuration", the question "You are about to do a restore. Are you sure you
  // want to continue?", buttons OK and Cancel with Cancel as the default. True for OK.
  virtual bool ConfirmRestore() = 0;
  // Called before each entry is copied: `number` counts from 1 to `total`; `path` is the source.
  virtual void CopyProgress(std::size_t number, std::size_t total, const std::string& path) = 0;
};

}  // namespace quorella
