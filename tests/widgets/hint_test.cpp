// The hint controls: fit rules, hint rectangles and the controller's timing, driven by hand-made
// ticks (no real waiting).
#include <QMouseEvent>
#include <QTest>

#include "widgets/hint_controller.h"
#include "widgets/hint_controls.h"
#include "widgets/hint_geometry.h"

namespace quorella::widgets {

class HintTest : public QObject {
  Q_OBJECT

  THintController& hints = THintController::Instance();

  static void Move(QWidget* target, QPoint at, Qt::MouseButtons buttons = Qt::NoButton,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent move(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, buttons,
                     modifiers);
    QApplication::sendEvent(target, &move);
  }

 private slots:
  void init() {
    hints.Cancel();
    hints.timer().stop();
  }

  void FitRules() {
    QVERIFY(!hint::LabelNeedsHint(100, 100));
    QVERIFY(hint::LabelNeedsHint(101, 100));
    QVERIFY(!hint::EditNeedsHint(96, 100, hint::EditBorder::Single3D));
    QVERIFY(hint::EditNeedsHint(97, 100, hint::EditBorder::Single3D));
    QVERIFY(!hint::EditNeedsHint(100, 100, hint::EditBorder::None));
    QVERIFY(hint::EditNeedsHint(101, 100, hint::EditBorder::None));
    // Without a scroll bar a 3D list leaves 4 + 4 pixels; with one, 4 + 17.
    QVERIFY(!hint::ListItemNeedsHint(92, 100, 100, 5, 16, true));
    QVERIFY(hint::ListItemNeedsHint(93, 100, 100, 5, 16, true));
    QVERIFY(!hint::ListItemNeedsHint(79, 100, 100, 7, 16, true));  // 112 > 96: scroll bar
    QVERIFY(hint::ListItemNeedsHint(80, 100, 100, 7, 16, true));
    QVERIFY(!hint::ListItemNeedsHint(94, 100, 100, 5, 16, false));  // flat: b = 2
    QVERIFY(hint::ListItemNeedsHint(95, 100, 100, 5, 16, false));
  }

  void Rectangles() {
    const QPoint o(100, 50);
    QCOMPARE(hint::LabelHintRect(o, {80, 13}), QRect(QPoint(98, 48), QPoint(182, 60)));
    QCOMPARE(hint::EditHintRect(o, {80, 13}, 21, hint::EditBorder::Single3D),
             QRect(QPoint(99, 49), QPoint(184, 63)));
    QCOMPARE(hint::EditHintRect(o, {80, 13}, 21, hint::EditBorder::SingleFlat),
             QRect(QPoint(100, 50), QPoint(184, 66)));
    QCOMPARE(hint::EditHintRect(o, {80, 13}, 21, hint::EditBorder::None),
             QRect(QPoint(98, 48), QPoint(184, 66)));
    QCOMPARE(hint::ListHintRect(o, 80, 5, 2, 16), QRect(QPoint(100, 96), QPoint(184, 111)));
    const QRect desktop(0, 0, 800, 600);
    QCOMPARE(hint::FinalHintRect(QRect(10, 10, 50, 20), desktop), QRect(10, 10, 50, 24));
    QCOMPARE(hint::FinalHintRect(QRect(780, 590, 50, 20), desktop), QRect(750, 576, 50, 24));
    QCOMPARE(hint::FinalHintRect(QRect(-5, 10, 900, 20), desktop).left(), 0);
  }

  void ShowsOnTheSecondTickOnlyWhenClipped() {
    THEdit edit;
    edit.resize(60, 24);
    edit.show();
    edit.setText(QStringLiteral("/a/very/long/directory/path/that/does/not/fit"));
    Move(&edit, {5, 5});
    QCOMPARE(hints.state(), THintController::State::Waiting);
    QVERIFY(hints.timer().isActive());
    hints.Tick();
    QCOMPARE(hints.state(), THintController::State::Waiting);
    Move(&edit, {8, 6});  // moving on the same control does not restart the wait
    hints.Tick();
    QCOMPARE(hints.state(), THintController::State::Showing);
    QCOMPARE(hints.hint_text(), edit.text());
    QVERIFY(hints.isVisible());
    QVERIFY(hints.geometry().width() > edit.width());

    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&edit, &key);  // a key hides it
    QCOMPARE(hints.state(), THintController::State::Idle);
    QVERIFY(!hints.isVisible());
  }

  void FittingTextNeverShows() {
    THEdit edit;
    edit.resize(300, 24);
    edit.show();
    edit.setText(QStringLiteral("short"));
    Move(&edit, {5, 5});
    hints.Tick();
    hints.Tick();
    QCOMPARE(hints.state(), THintController::State::Idle);
    QVERIFY(!hints.isVisible());
  }

  void MovementWithAButtonOrKeyHeldOrSpHintOffDoesNothing() {
    THLabel label(QStringLiteral("A caption far too long for its narrow label"));
    label.resize(40, 16);
    label.show();
    Move(&label, {2, 2}, Qt::LeftButton);
    QCOMPARE(hints.state(), THintController::State::Idle);
    Move(&label, {2, 2}, Qt::NoButton, Qt::ShiftModifier);
    QCOMPARE(hints.state(), THintController::State::Idle);
    label.SetSpHint(false);
    Move(&label, {2, 2});
    QCOMPARE(hints.state(), THintController::State::Idle);
    label.SetSpHint(true);
    Move(&label, {2, 2});
    hints.Tick();
    hints.Tick();
    QCOMPARE(hints.state(), THintController::State::Showing);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&label, &leave);
    QCOMPARE(hints.state(), THintController::State::Idle);
  }

  void AnotherControlRestartsTheWaitAndDestructionCancels() {
    auto* first = new THEdit();
    THEdit second;
    first->setText(QStringLiteral("this text is long enough not to fit in twenty pixels"));
    first->resize(20, 24);
    second.resize(20, 24);
    first->show();
    second.show();
    Move(first, {2, 2});
    hints.Tick();
    Move(&second, {2, 2});
    QCOMPARE(hints.tracked(), &second);
    QCOMPARE(hints.tick_count(), 0);
    Move(first, {2, 2});
    hints.Tick();
    hints.Tick();
    QCOMPARE(hints.state(), THintController::State::Showing);
    delete first;
    QCOMPARE(hints.state(), THintController::State::Idle);
    QVERIFY(!hints.isVisible());
  }

  void ListSwitchesItemsAtOnceAndLeavesBelowTheLast() {
    THListBox list;
    list.resize(80, 200);
    list.addItems({QStringLiteral("A first question that is much too long to fit"),
                   QStringLiteral("Short"),
                   QStringLiteral("A third question that is much too long as well")});
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QRect first = list.visualItemRect(list.item(0));
    const QRect third = list.visualItemRect(list.item(2));
    hints.cursor_position = [&] { return list.viewport()->mapToGlobal(first.center()); };
    Move(list.viewport(), first.center());
    hints.Tick();
    hints.Tick();
    QCOMPARE(hints.state(), THintController::State::Showing);
    QCOMPARE(list.hinted_item(), 0);
    Move(list.viewport(), third.center());  // at once, no new wait
    QCOMPARE(hints.state(), THintController::State::Showing);
    QCOMPARE(list.hinted_item(), 2);
    QCOMPARE(hints.hint_text(), list.item(2)->text());
    Move(list.viewport(), list.visualItemRect(list.item(1)).center());  // fits: hidden, a new wait
    QCOMPARE(hints.state(), THintController::State::Waiting);
    QVERIFY(!hints.isVisible());
    hints.cursor_position = [&] { return list.viewport()->mapToGlobal(QPoint(5, 190)); };
    hints.Tick();
    hints.Tick();  // below the last item: no hint
    QCOMPARE(hints.state(), THintController::State::Idle);
    hints.cursor_position = [] { return QCursor::pos(); };
  }
};

}  // namespace quorella::widgets

QTEST_MAIN(quorella::widgets::HintTest)
#include "hint_test.moc"
