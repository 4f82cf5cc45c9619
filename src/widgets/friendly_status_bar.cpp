#include "widgets/friendly_status_bar.h"

#include <QLabel>
#include <QProgressBar>

namespace quorella::widgets {

TFriendlyStatusBar::TFriendlyStatusBar(QWidget* parent)
    : QStatusBar(parent), progress_(new QProgressBar(this)) {
  setSizeGripEnabled(true);
  progress_->setObjectName(QStringLiteral("StatusProgress"));
  progress_->setMaximumHeight(14);
  progress_->setTextVisible(false);
  progress_->hide();
}

QLabel* TFriendlyStatusBar::AddPanel(int width) {
  auto* panel = new QLabel(this);
  panel->setObjectName(QStringLiteral("StatusPanel%1").arg(panels_.size()));
  // At least `width` wide, and as wide as its text: a message is read whole, never cut.
  panel->setMinimumWidth(width);
  panel->setFrameShape(QFrame::NoFrame);
  addWidget(panel);
  panels_.push_back(panel);
  if (panels_.size() == 1) addWidget(progress_, 1);
  return panel;
}

QLabel* TFriendlyStatusBar::Panel(int index) const {
  return panels_.at(static_cast<std::size_t>(index));
}
void TFriendlyStatusBar::SetPanelText(int index, const QString& text) {
  Panel(index)->setText(text);
}
QString TFriendlyStatusBar::PanelText(int index) const {
  return Panel(index)->text();
}

void TFriendlyStatusBar::ShowProgress(int done, int total) {
  if (total <= 0 || done >= total) {
    progress_->hide();
    return;
  }
  progress_->setRange(0, total);
  progress_->setValue(done);
  progress_->show();
}

}  // namespace quorella::widgets
