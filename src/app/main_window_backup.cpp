// The backup panel's commands: Backup, Restore with its restart, and the backup folder.
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "app/backup_panel.h"
#include "app/error_box.h"
#include "app/main_window.h"
#include "backup/backup.h"
#include "backup/backup_directory.h"
#include "backup/backup_ui.h"
#include "backup/restore.h"
#include "store/values.h"
#include "util/errors.h"
#include "util/paths.h"
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
  WindowBackupUi(QWidget* window, widgets::TFriendlyStatusBar* status, QString restore_details = {})
      : window_(window), status_(status), restore_details_(std::move(restore_details)) {}

  void ShowMessage(const std::string& text) override {
    Desktop().ShowMessage(window_, {QStringLiteral("Quorella"), ToQt(text), widgets::BoxIcon::None,
                                    widgets::BoxButtons::Ok, widgets::BoxAnswer::Ok});
  }
  void Beep() override { Desktop().Beep(); }
  bool ConfirmRestore() override {
    return Desktop().ShowMessage(
               window_, {ToQt(messages::kRestoreCaption), ToQt(messages::kRestoreQuestion),
                         widgets::BoxIcon::Question, widgets::BoxButtons::OkCancel,
                         widgets::BoxAnswer::Cancel, restore_details_}) == widgets::BoxAnswer::Ok;
  }
  void CopyProgress(std::size_t number, std::size_t total, const std::string& path) override {
    status_->SetPanelText(0, ToQt(FileNameOf(path)));
    status_->ShowProgress(static_cast<int>(number) - 1, static_cast<int>(total));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }

 private:
  QWidget* window_;
  widgets::TFriendlyStatusBar* status_;
  QString restore_details_;
};

// What the restore confirmation adds to the design's question: the set it restores (its folder and
// when it was backed up) and what it replaces (the settings with the FAQs now listed).
QString RestoreDetails(const std::string& set_dir, const std::vector<std::string>& faqs,
                       const std::string& app_dir) {
  const QString folder = widgets::FolderText(set_dir);
  const QFileInfo snapshot(ToQt(set_dir + "registry.cfg"));
  QString text =
      snapshot.isFile()
          ? QStringLiteral("Backup set: %1, backed up %2.")
                .arg(folder, snapshot.lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm")))
          : QStringLiteral("Backup set: %1 (no backup was found there).").arg(folder);
  QStringList names;
  for (const std::string& name : faqs) names << ToQt(name);
  text += QStringLiteral(
              "\nIt replaces every setting and the list of FAQs (now %1: %2), and the "
              "documents of the same names in %3.")
              .arg(names.size())
              .arg(names.join(QStringLiteral(", ")), widgets::FolderText(app_dir));
  return text;
}

}  // namespace

void TfrmMain::edtBackupDirExit() {
  RunGuarded(this, [&] {
    context_->settings().WriteSettingString(context_->app_key(),
                                            Definition(AppValue::BackupDir).name,
                                            widgets::FromQt(Backup->Directory()));
  });
}

void TfrmMain::BackupbutBackupClick() {
  CommitFocusedEditor();
  WindowBackupUi ui(this, StatusBar);
  BackupReport report;
  RunGuarded(this, [&] {
    RefreshFaqList();  // the list shows every FAQ of the store, also those another program added
    report = DoBackup(*context_, widgets::FromQt(Backup->Directory()), ui);
  });
  StatusBar->ShowProgress(0, 0);
  // "Finished Backup." only when the new set took the earlier one's place.
  ShowStatus(report.replaced ? ToQt(messages::kFinishedBackup) : QString());
}

void TfrmMain::butRestoreClick() {
  CommitFocusedEditor();
  RunGuarded(this, [&] { RefreshFaqList(); });
  WindowBackupUi ui(this, StatusBar,
                    RestoreDetails(BackupSetDirectory(widgets::FromQt(Backup->Directory())),
                                   CatalogueNames(), context_->app_dir()));
  RestoreReport report;
  const bool done = RunGuarded(
      this, [&] { report = DoRestore(*context_, widgets::FromQt(Backup->Directory()), ui); });
  StatusBar->ShowProgress(0, 0);
  ShowStatus(QString());
  if (!done || report.outcome != RestoreOutcome::Restored) return;
  Desktop().ShowMessage(this,
                        {QStringLiteral("Quorella"), ToQt(messages::kConfigurationRestored),
                         widgets::BoxIcon::None, widgets::BoxButtons::Ok, widgets::BoxAnswer::Ok});
  // This run ends without writing its window state over the restored configuration; the new run
  // starts once this one has written everything.
  restored_ = true;
  restart_pending_ = true;
  close();
}

}  // namespace quorella::app
