#pragma once
// The help window: the help file (HTML with one anchor "topicN" per topic) shown at a topic.
#include <QDialog>
#include <QString>

class QTextBrowser;

namespace quorella::widgets {

class HelpViewer : public QDialog {
  Q_OBJECT
 public:
  // Shows the one help window (creating it on first use) at `topic`; a missing file is reported in
  // a message box.
  static void Show(QWidget* owner, const QString& help_file, int topic);

 private:
  explicit HelpViewer(QWidget* owner);
  QTextBrowser* browser_;
  QString file_;
};

}  // namespace quorella::widgets
