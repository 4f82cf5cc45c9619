#pragma once
// TFriendlyStatusBar: a status bar with text panels that also holds child controls (a progress bar
// while pages are written or files copied).
#include <QStatusBar>

class QLabel;
class QProgressBar;

namespace quorella::widgets {

class TFriendlyStatusBar : public QStatusBar {
  Q_OBJECT
 public:
  explicit TFriendlyStatusBar(QWidget* parent = nullptr);

  // Adds a text panel at least `width` wide; it widens to show its text whole.
  QLabel* AddPanel(int width);
  QLabel* Panel(int index) const;
  void SetPanelText(int index, const QString& text);
  QString PanelText(int index) const;

  // A progress bar beside the panels: shown while `total` > 0 and `done` < `total`.
  void ShowProgress(int done, int total);
  QProgressBar* progress() const { return progress_; }

 private:
  std::vector<QLabel*> panels_;
  QProgressBar* progress_;
};

}  // namespace quorella::widgets
