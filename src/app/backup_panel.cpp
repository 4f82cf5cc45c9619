#include "app/backup_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorella::app {

TVBackup::TVBackup(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Backup"));
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* group = new QGroupBox(QStringLiteral(" Backup "), this);
  auto* grid = new QGridLayout(group);
  grid->addWidget(new QLabel(QStringLiteral("Directory"), group), 0, 0);
  edtBackupDir = new QLineEdit(group);
  edtBackupDir->setObjectName(QStringLiteral("edtBackupDir"));
  grid->addWidget(edtBackupDir, 0, 1);
  butBackDirBrowse = new QToolButton(group);
  butBackDirBrowse->setObjectName(QStringLiteral("butBackDirBrowse"));
  butBackDirBrowse->setIcon(QIcon(QStringLiteral(":/icons/folder.svg")));
  butBackDirBrowse->setToolTip(QStringLiteral("Select folder"));
  grid->addWidget(butBackDirBrowse, 0, 2);
  auto* buttons = new QHBoxLayout();
  butBackup =
      new QPushButton(QIcon(QStringLiteral(":/icons/backup.svg")), QStringLiteral("Backup"), group);
  butBackup->setObjectName(QStringLiteral("butBackup"));
  butRestore = new QPushButton(QIcon(QStringLiteral(":/icons/restore.svg")),
                               QStringLiteral("Restore"), group);
  butRestore->setObjectName(QStringLiteral("butRestore"));
  buttons->addWidget(butBackup);
  buttons->addWidget(butRestore);
  buttons->addStretch();
  grid->addLayout(buttons, 1, 1, 1, 2);
  outer->addWidget(group);
}

}  // namespace quorella::app
