#include "app/global_tab.h"

#include <QVBoxLayout>

#include "app/backup_panel.h"

namespace quorella::app {

GlobalTab::GlobalTab(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  Backup = new TVBackup(this);
  layout->addWidget(Backup);
  layout->addStretch();
}

}  // namespace quorella::app
