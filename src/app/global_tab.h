#pragma once
// The "Global" page: the backup panel at its top.
#include <QWidget>

namespace quorella::app {

class TVBackup;

class GlobalTab : public QWidget {
  Q_OBJECT
 public:
  explicit GlobalTab(QWidget* parent);
  TVBackup* backup() const { return Backup; }

 private:
  TVBackup* Backup = nullptr;
};

}  // namespace quorella::app
