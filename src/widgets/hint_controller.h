#pragma once
// THintController: the one hint window of the application and the timing of hints for every
// hint-bearing control. A hint shows on the second tick of its 400 ms timer after the pointer came
// onto a control, when the control's text does not fit.
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

namespace quorella::widgets {

class THintController : public QWidget {
  Q_OBJECT
 public:
  enum class State { Idle = 0, Waiting = 1, Showing = 2 };
  using ShowOperation = std::function<bool(const QPoint& screen_point)>;

  static constexpr int kHintDelay = 400;
  // The one instance, created on first use.
  static THintController& Instance();

  void Register(QWidget* control, ShowOperation show);
  void Unregister(QWidget* control);
  // The pointer moved over `control`.
  void Track(QWidget* control);
  void Cancel();
  // One timer tick; the timer calls it, tests may call it directly.
  void Tick();
  void ShowFor(QWidget* control);

  // Shows `text` in `font` over `rect` (screen coordinates, before the window's own adjustments).
  void ShowHint(const QRect& rect, const QString& text, const QFont& font);

  State state() const { return state_; }
  QWidget* tracked() const { return tracked_; }
  int tick_count() const { return tick_count_; }
  QTimer& timer() { return timer_; }
  const QString& hint_text() const { return text_; }
  // Where the pointer is; tests may replace it.
  std::function<QPoint()> cursor_position;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  THintController();
  struct Entry {
    QWidget* control;
    ShowOperation show;
  };
  std::vector<Entry> entries_;
  QTimer timer_;
  int tick_count_ = 0;
  QWidget* tracked_ = nullptr;
  State state_ = State::Idle;
  QString text_;
};

}  // namespace quorella::widgets
