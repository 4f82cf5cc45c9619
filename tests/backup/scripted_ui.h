#pragma once
// The front end of a backup or restore in tests: answers as scripted and remembers what it was
// asked to show.
#include <string>
#include <vector>

#include "backup/backup_ui.h"

namespace quorella::testing {

struct ProgressCall {
  std::size_t number;
  std::size_t total;
  std::string path;
  bool operator==(const ProgressCall&) const = default;
};

class ScriptedUi : public BackupUi {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void Beep() override { ++beeps; }
  bool ConfirmRestore() override {
    ++confirmations;
    return answer_ok;
  }
  void CopyProgress(std::size_t number, std::size_t total, const std::string& path) override {
    progress.push_back({number, total, path});
  }

  bool answer_ok = true;
  std::vector<std::string> messages;
  int beeps = 0;
  int confirmations = 0;
  std::vector<ProgressCall> progress;
};

}  // namespace quorella::testing
