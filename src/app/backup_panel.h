#pragma once
// TVBackup: the backup panel of the Global page — the backup folder and the Backup and Restore
// buttons. It reports what the user did; the window runs the backup and the restore.
#include <QWidget>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace quorella::app {

class TVBackup : public QWidget {
  Q_OBJECT
 public:
  explicit TVBackup(QWidget* parent = nullptr);

  QString Directory() const;
  void SetDirectory(const QString& directory);
  // Reports the folder field as left when it has the input focus (before the window closes).
  void CommitIfEditing();

 signals:
  // The folder field was left or a folder was picked: the text is to be stored.
  void DirectoryChanged();
  void BackupPressed();
  void RestorePressed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void butBackDirBrowseClick();

  QLineEdit* edtBackupDir = nullptr;
  QToolButton* butBackDirBrowse = nullptr;
  QPushButton* butBackup = nullptr;
  QPushButton* butRestore = nullptr;
};

}  // namespace quorella::app
