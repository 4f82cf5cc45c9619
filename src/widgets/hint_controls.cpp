#include "widgets/hint_controls.h"

#include <QMouseEvent>

#include "widgets/hint_controller.h"
#include "widgets/hint_geometry.h"

namespace quorella::widgets {

namespace {

// Movement with no button and no modifier key held is what starts a hint.
bool PlainMove(const QMouseEvent* event) {
  return event->buttons() == Qt::NoButton && event->modifiers() == Qt::NoModifier;
}

void CancelIfTracked(QWidget* control) {
  THintController& hints = THintController::Instance();
  if (hints.tracked() == control) hints.Cancel();
}

hint::EditBorder BorderOf(const QLineEdit* edit) {
  return edit->hasFrame() ? hint::EditBorder::Single3D : hint::EditBorder::None;
}

}  // namespace

THEdit::THEdit(QWidget* parent) : QLineEdit(parent) {
  setMouseTracking(true);
  THintController::Instance().Register(this,
                                       [this](const QPoint& p) { return ShowClippedHint(p); });
}

THEdit::~THEdit() {
  THintController::Instance().Unregister(this);
}

bool THEdit::TextFits() const {
  return !hint::EditNeedsHint(fontMetrics().horizontalAdvance(text()), width(), BorderOf(this));
}

bool THEdit::ShowClippedHint(const QPoint&) {
  if (TextFits()) return false;
  const QSize size(fontMetrics().horizontalAdvance(text()), fontMetrics().height());
  THintController::Instance().ShowHint(
      hint::EditHintRect(mapToGlobal(QPoint(0, 0)), size, height(), BorderOf(this)), text(),
      font());
  return true;
}

void THEdit::mouseMoveEvent(QMouseEvent* event) {
  if (sp_hint_ && PlainMove(event)) THintController::Instance().Track(this);
  QLineEdit::mouseMoveEvent(event);
}
void THEdit::mousePressEvent(QMouseEvent* event) {
  CancelIfTracked(this);
  QLineEdit::mousePressEvent(event);
}
void THEdit::leaveEvent(QEvent* event) {
  CancelIfTracked(this);
  QLineEdit::leaveEvent(event);
}
void THEdit::keyPressEvent(QKeyEvent* event) {
  CancelIfTracked(this);
  QLineEdit::keyPressEvent(event);
}
void THEdit::focusOutEvent(QFocusEvent* event) {
  CancelIfTracked(this);
  QLineEdit::focusOutEvent(event);
}

THLabel::THLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setTextFormat(Qt::PlainText);
  setMouseTracking(true);
  THintController::Instance().Register(this,
                                       [this](const QPoint& p) { return ShowClippedHint(p); });
}

THLabel::~THLabel() {
  THintController::Instance().Unregister(this);
}

bool THLabel::TextFits() const {
  return !hint::LabelNeedsHint(fontMetrics().horizontalAdvance(text()), width());
}

bool THLabel::ShowClippedHint(const QPoint&) {
  if (TextFits()) return false;
  const QSize size(fontMetrics().horizontalAdvance(text()), fontMetrics().height());
  THintController::Instance().ShowHint(hint::LabelHintRect(mapToGlobal(QPoint(0, 0)), size), text(),
                                       font());
  return true;
}

void THLabel::mouseMoveEvent(QMouseEvent* event) {
  if (sp_hint_ && PlainMove(event)) THintController::Instance().Track(this);
  QLabel::mouseMoveEvent(event);
}
void THLabel::mousePressEvent(QMouseEvent* event) {
  CancelIfTracked(this);
  QLabel::mousePressEvent(event);
}
void THLabel::leaveEvent(QEvent* event) {
  CancelIfTracked(this);
  QLabel::leaveEvent(event);
}

THListBox::THListBox(QWidget* parent) : QListWidget(parent) {
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setTextElideMode(Qt::ElideNone);
  THintController::Instance().Register(this,
                                       [this](const QPoint& p) { return ShowClippedHint(p); });
}

THListBox::~THListBox() {
  THintController::Instance().Unregister(this);
}

int THListBox::ItemHeight() const {
  if (count() == 0) return fontMetrics().height();
  return std::max(1, sizeHintForRow(0));
}

int THListBox::ItemAt(const QPoint& viewport_point) const {
  const QModelIndex index = indexAt(viewport_point);
  return index.isValid() ? index.row() : -1;
}

bool THListBox::ItemFits(int index) const {
  const QListWidgetItem* entry = item(index);
  if (entry == nullptr) return true;
  return !hint::ListItemNeedsHint(fontMetrics().horizontalAdvance(entry->text()), width(), height(),
                                  count(), ItemHeight(), frameShape() != QFrame::NoFrame);
}

bool THListBox::ShowClippedHint(const QPoint& screen_point) {
  const int index = ItemAt(viewport()->mapFromGlobal(screen_point));
  if (index < 0 || ItemFits(index)) return false;
  const int top = ItemAt(QPoint(1, 1));
  const int text_width = fontMetrics().horizontalAdvance(item(index)->text());
  THintController::Instance().ShowHint(
      hint::ListHintRect(viewport()->mapToGlobal(QPoint(0, 0)), text_width, index, std::max(top, 0),
                         ItemHeight()),
      item(index)->text(), font());
  hinted_item_ = index;
  return true;
}

void THListBox::mouseMoveEvent(QMouseEvent* event) {
  if (sp_hint_ && PlainMove(event)) {
    THintController& hints = THintController::Instance();
    if (hints.tracked() == this && hints.state() == THintController::State::Showing) {
      const int index = ItemAt(event->position().toPoint());
      if (index < 0) {
        hints.Cancel();
      } else if (index != hinted_item_) {
        // Another item: its hint replaces the shown one at once, without a new wait.
        hints.hide();
        if (!ShowClippedHint(viewport()->mapToGlobal(event->position().toPoint()))) hints.Cancel();
      }
    }
    hints.Track(this);
  }
  QListWidget::mouseMoveEvent(event);
}
void THListBox::mousePressEvent(QMouseEvent* event) {
  CancelIfTracked(this);
  QListWidget::mousePressEvent(event);
}
void THListBox::leaveEvent(QEvent* event) {
  CancelIfTracked(this);
  QListWidget::leaveEvent(event);
}
void THListBox::keyPressEvent(QKeyEvent* event) {
  CancelIfTracked(this);
  QListWidget::keyPressEvent(event);
}
void THListBox::focusOutEvent(QFocusEvent* event) {
  CancelIfTracked(this);
  QListWidget::focusOutEvent(event);
}

}  // namespace quorella::widgets
