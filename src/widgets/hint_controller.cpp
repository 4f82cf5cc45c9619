#include "widgets/hint_controller.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "widgets/hint_geometry.h"

namespace quorella::widgets {

THintController& THintController::Instance() {
  static THintController* instance = new THintController();  // lives until the process ends
  return *instance;
}

THintController::THintController()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput) {
  setObjectName(QStringLiteral("HintWindow"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  cursor_position = [] { return QCursor::pos(); };
  timer_.setInterval(kHintDelay);
  connect(&timer_, &QTimer::timeout, this, &THintController::Tick);
}

void THintController::Register(QWidget* control, ShowOperation show) {
  entries_.push_back({control, std::move(show)});
}

void THintController::Unregister(QWidget* control) {
  if (tracked_ == control) Cancel();
  std::erase_if(entries_, [control](const Entry& e) { return e.control == control; });
}

void THintController::Track(QWidget* control) {
  if (tracked_ != control) Cancel();
  if (tracked_ != nullptr) return;
  tracked_ = control;
  state_ = State::Waiting;
  timer_.start();
}

void THintController::Cancel() {
  timer_.stop();
  timer_.setInterval(kHintDelay);
  tick_count_ = 0;
  if (state_ == State::Showing) hide();
  tracked_ = nullptr;
  state_ = State::Idle;
}

void THintController::Tick() {
  if (state_ == State::Waiting && tick_count_ > 0)
    ShowFor(tracked_);
  else if (state_ == State::Waiting)
    ++tick_count_;
}

void THintController::ShowFor(QWidget* control) {
  tick_count_ = 0;
  for (const Entry& entry : entries_) {
    if (entry.control != control) continue;
    if (entry.show(cursor_position())) {
      state_ = State::Showing;
      return;
    }
    break;
  }
  Cancel();
}

void THintController::ShowHint(const QRect& rect, const QString& text, const QFont& font) {
  text_ = text;
  setFont(font);
  QScreen* screen = QGuiApplication::screenAt(rect.center());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const QRect desktop = screen != nullptr ? screen->geometry() : rect;
  setGeometry(hint::FinalHintRect(rect, desktop));
  show();
  update();
}

void THintController::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& pal = palette();
  painter.fillRect(rect(), pal.color(QPalette::ToolTipBase));
  painter.setPen(Qt::black);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setPen(pal.color(QPalette::ToolTipText));
  painter.setFont(font());
  painter.drawText(rect().adjusted(1, 1, -1, -1), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   text_);
}

void THintController::mouseMoveEvent(QMouseEvent*) {
  Cancel();
}

}  // namespace quorella::widgets
