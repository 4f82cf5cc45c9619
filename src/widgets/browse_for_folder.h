#pragma once
// TBrowseForFolder: the folder picker. Execute shows the dialog starting at Path; on OK Path is the
// chosen folder and the result true; on cancel Path keeps its input value.
#include <QObject>
#include <QString>

namespace quorella::widgets {

class TBrowseForFolder : public QObject {
  Q_OBJECT
 public:
  explicit TBrowseForFolder(QWidget* owner);

  QString Path() const { return path_; }
  void SetPath(const QString& path) { path_ = path; }
  QString Title() const { return title_; }
  void SetTitle(const QString& title) { title_ = title; }

  bool Execute();

 private:
  QWidget* owner_;
  QString path_;
  QString title_;
};

}  // namespace quorella::widgets
