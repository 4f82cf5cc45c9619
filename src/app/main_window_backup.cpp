// The backup panel's commands: Backup, Restore with its restart, and the backup folder.
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "app/backup_panel.h"
#include "app/main_window.h"
#include "backup/backup.h"
#include "backup/backup_ui.h"
#include "backup/restore.h"
#include "store/values.h"
#include "util/errors.h"
#include "util/paths.h"
#include "widgets/browse_for_folder.h"
#include "widgets/desktop_services.h"
#include "widgets/friendly_status_bar.h"
#include "widgets/qt_text.h"

namespace quorella::app {

using widgets::Desktop;
using widgets::ToQt;

namespace {

// The window's answers to what a backup or restore asks.
class WindowBackupUi : public BackupUi {
 public:
  explicit WindowBackupUi(TfrmMain* window) : window_(window) {}

  void ShowMessage(const std::string& text) override {
    Desktop().ShowMessage(window_, {QStringLiteral("Quorella"), ToQt(text), widgets::BoxIcon::None,
                                    widgets::BoxButtons::Ok, widgets::BoxAnswer::Ok});
  }
  void Beep() override { Desktop().Beep(); }
  bool ConfirmRestore() override {
    return Desktop().ShowMessage(window_,
                                 {ToQt(messages::kRestoreCaption), ToQt(messages::kRestoreQuestion),
                                  widgets::BoxIcon::Question, widgets::BoxButtons::OkCancel,
                                  widgets::BoxAnswer::Cancel}) == widgets::BoxAnswer::Ok;
  }
  void CopyProgress(std::size_t number, std::size_t total, const std::string& path) override {
    window_->ShowStatus(ToQt(FileNameOf(path)));
    window_->StatusBar->ShowProgress(static_cast<int>(number) - 1, static_cast<int>(total));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }

 private:
  TfrmMain* window_;
};

}  // namespace

void TfrmMain::edtBackupDirExit() {
  Guard([&] {
    context_->settings().WriteSettingString(context_->app_key(),
                                            Definition(AppValue::BackupDir).name,
                                            TextOf(Backup->edtBackupDir->text()));
  });
}

void TfrmMain::butBackDirBrowseClick() {
  CommitFocusedEditor();
  widgets::TBrowseForFolder picker(this);  // a picker for each use
  picker.SetPath(Backup->edtBackupDir->text());
  if (!picker.Execute()) return;
  Backup->edtBackupDir->setText(picker.Path());
  edtBackupDirExit();
}

void TfrmMain::BackupbutBackupClick() {
  CommitFocusedEditor();
  WindowBackupUi ui(this);
  const bool done = Guard([&] {
    DoBackup(*context_, TextOf(Backup->edtBackupDir->text()),
             DocumentsToBackUp(*context_, CatalogueNames()), ui);
  });
  StatusBar->ShowProgress(0, 0);
  if (done) ShowStatus(ToQt(messages::kFinishedBackup));
}

void TfrmMain::butRestoreClick() {
  CommitFocusedEditor();
  WindowBackupUi ui(this);
  RestoreReport report;
  const bool done =
      Guard([&] { report = DoRestore(*context_, TextOf(Backup->edtBackupDir->text()), ui); });
  StatusBar->ShowProgress(0, 0);
  if (!done || report.outcome != RestoreOutcome::Restored) return;
  Desktop().ShowMessage(
      this, {program_title_, ToQt(messages::kConfigurationRestored), widgets::BoxIcon::None,
             widgets::BoxButtons::Ok, widgets::BoxAnswer::Ok});
  // This run ends without writing its window state over the restored configuration; the new run
  // starts once this one has written everything.
  restored_ = true;
  restart_pending_ = true;
  close();
}

void TfrmMain::RestartIfPending() {
  if (!restart_pending_) return;
  restart_pending_ = false;
  Desktop().StartDetached(ToQt(ProgramFile()), options_.arguments);
}

}  // namespace quorella::app
