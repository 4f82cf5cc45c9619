#include "app/backup_panel.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/page_parts.h"
#include "widgets/browse_for_folder.h"

namespace quorella::app {

TVBackup::TVBackup(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Backup"));
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* group = new QGroupBox(QStringLiteral(" Backup "), this);
  auto* grid = new QGridLayout(group);
  edtBackupDir = LineEdit("edtBackupDir", group);
  grid->addWidget(Caption(QStringLiteral("D&irectory"), group, edtBackupDir), 0, 0);
  grid->addWidget(edtBackupDir, 0, 1);
  butBackDirBrowse =
      ToolButton("butBackDirBrowse", "folder", QStringLiteral("Select folder"), group);
  grid->addWidget(butBackDirBrowse, 0, 2);
  auto* buttons = new QHBoxLayout();
  butBackup = Named(new QPushButton(QIcon(QStringLiteral(":/icons/backup.svg")),
                                    QStringLiteral("&Backup"), group),
                    "butBackup");
  butRestore = Named(new QPushButton(QIcon(QStringLiteral(":/icons/restore.svg")),
                                     QStringLiteral("&Restore"), group),
                     "butRestore");
  buttons->addWidget(butBackup);
  buttons->addWidget(butRestore);
  buttons->addStretch();
  grid->addLayout(buttons, 1, 1, 1, 2);
  outer->addWidget(group);
  edtBackupDir->installEventFilter(this);
  connect(butBackDirBrowse, &QToolButton::clicked, this, &TVBackup::butBackDirBrowseClick);
  connect(butBackup, &QPushButton::clicked, this, &TVBackup::BackupPressed);
  connect(butRestore, &QPushButton::clicked, this, &TVBackup::RestorePressed);
}

QString TVBackup::Directory() const {
  return edtBackupDir->text();
}

void TVBackup::SetDirectory(const QString& directory) {
  edtBackupDir->setText(directory);
}

void TVBackup::CommitIfEditing() {
  if (edtBackupDir->hasFocus()) emit DirectoryChanged();
}

bool TVBackup::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edtBackupDir && event->type() == QEvent::FocusOut) emit DirectoryChanged();
  return QWidget::eventFilter(watched, event);
}

void TVBackup::butBackDirBrowseClick() {
  widgets::TBrowseForFolder picker(this);  // a picker for each use
  picker.SetPath(edtBackupDir->text());
  if (!picker.Execute()) return;
  edtBackupDir->setText(picker.Path());
  emit DirectoryChanged();
}

}  // namespace quorella::app
