#pragma once
// TVBackup: the backup panel of the Global page — the backup folder and the Backup and Restore
// buttons.
#include <QWidget>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace quorella::app {

class TVBackup : public QWidget {
  Q_OBJECT
 public:
  explicit TVBackup(QWidget* parent = nullptr);

  // The settings key the panel's values live under.
  void SetSettingsKey(const std::string& key) { settings_key_ = key; }
  const std::string& SettingsKey() const { return settings_key_; }

  QLineEdit* edtBackupDir = nullptr;
  QToolButton* butBackDirBrowse = nullptr;
  QPushButton* butBackup = nullptr;
  QPushButton* butRestore = nullptr;

 private:
  std::string settings_key_;
};

}  // namespace quorella::app
