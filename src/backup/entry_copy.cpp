#include "backup/entry_copy.h"

#include <cerrno>

#include "util/errors.h"
#include "util/file_io.h"
#include "util/paths.h"

namespace quorella {

namespace {

void Skip(CopyReport& report, const std::string& from, const std::string& to, int error_number) {
  report.failures.push_back(
      messages::CannotCopyFile(from, to, messages::SystemReason(error_number)));
}

void CopyEntry(const std::string& from, const std::string& to, CopyReport& report) {
  if (DirectoryExists(from)) {
    if (IsSymbolicLink(from)) return Skip(report, from, to, ELOOP);
    if (!CreateDirectories(to)) return Skip(report, from, to, errno);
    for (const auto& name : ListDirectory(from))
      CopyEntry(from + "/" + name, to + "/" + name, report);
    return;
  }
  try {
    CopyFileReplacing(from, to);
    ++report.files_copied;
  } catch (const Error& e) {
    report.failures.emplace_back(e.what());
  }
}

}  // namespace

CopyReport CopyEntriesInto(const std::vector<std::string>& paths, const std::string& to_dir,
                           BackupUi& ui) {
  CopyReport report;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    ui.CopyProgress(i + 1, paths.size(), paths[i]);
    CopyEntry(paths[i], to_dir + FileNameOf(paths[i]), report);
  }
  return report;
}

}  // namespace quorella
