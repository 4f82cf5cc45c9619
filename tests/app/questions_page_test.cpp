// The "Q && A" page and the question dialog, driven offscreen by clicks and keys.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolButton>

#include <functional>

#include "app/window_fixture.h"
#include "store/app_context.h"
#include "store/document.h"
#include "store/faq.h"
#include "store/question_model.h"
#include "util/file_io.h"
#include "widgets/friendly_status_bar.h"
#include "widgets/hint_controls.h"
#include "widgets/qt_text.h"

namespace quorella::testing {

class QuestionsPageTest : public QObject {
  Q_OBJECT

  static void Dialog(WindowFixture& f, const QString& text, const char* button) {
    WindowFixture::Type(f.Find("Question"), text);
    QTest::mouseClick(f.Find(button), Qt::LeftButton);
  }
  static void Add(WindowFixture& f, const QString& text) {
    WindowFixture::Click(f.Find("butAddQuestion"));
    Dialog(f, text, "butQOK");
  }
  static QListWidget* List(WindowFixture& f) { return f.Find<QListWidget>("lstQuestions"); }
  static QStringList Listed(WindowFixture& f) {
    QStringList items;
    for (int i = 0; i < List(f)->count(); ++i) items << List(f)->item(i)->text();
    return items;
  }
  static void ClickRow(WindowFixture& f, int row) {
    WindowFixture::Reveal(List(f));
    QTest::mouseClick(List(f)->viewport(), Qt::LeftButton, {},
                      List(f)->visualItemRect(List(f)->item(row)).center());
  }
  static std::string Doc(WindowFixture& f) { return f.app_dir() + "FAQ.dat"; }
  static QString Status(WindowFixture& f) {
    return f.Find<widgets::TFriendlyStatusBar>("StatusBar")->PanelText(0);
  }

 private slots:
  // The text comes first for the keyboard, then the buttons; Tab leaves the text.
  void TabWalksTheQuestionDialogFromTheTextToTheButtons() {
    WindowFixture f;
    f.Start();
    WindowFixture::Click(f.Find("butAddQuestion"));
    WindowFixture::CheckTabWalk(f.Find("Question"), f.Find("frmQuestion"),
                                {"Question", "butQOK", "butQCancel", "butQAddAnother"});
  }

  // The dialog's accelerators are its own while it has the focus: Alt+A adds the text at once and
  // hands the focus back to the text, so what is typed next is the next question; the main
  // window's Alt+A ("Answer Page") does nothing meanwhile.
  void DialogAcceleratorsActOnTheDialogAlone() {
    WindowFixture f;
    f.Start();
    f.ShowPage("tabFAQ");
    WindowFixture::Click(f.Find("butAddQuestion"));
    auto* text = f.Find<QPlainTextEdit>("Question");
    WindowFixture::Reveal(text);
    QTest::keyClicks(text, QStringLiteral("beta?"));
    QTest::keyClick(text, Qt::Key_A, Qt::AltModifier);
    QVERIFY(text->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("gamma?"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
    QCOMPARE(text->toPlainText(), QString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!f.Find("frmQuestion")->isVisible());
    QCOMPARE(Listed(f), (QStringList{"beta?", "gamma?"}));
    QCOMPARE(f.Find<QTabWidget>("PageControl")->currentWidget(), f.Find("tabFAQ"));
    // Alt+O is OK, also from a button, and Enter on a button presses that button.
    WindowFixture::Click(f.Find("butAddQuestion"));
    WindowFixture::Reveal(text);
    QTest::keyClicks(text, QStringLiteral("delta?"));
    QTest::keyClick(text, Qt::Key_Tab);
    QVERIFY(f.Find("butQOK")->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
    QVERIFY(!f.Find("frmQuestion")->isVisible());
    QCOMPARE(Listed(f).last(), QStringLiteral("delta?"));
    WindowFixture::Click(f.Find("butAddQuestion"));
    WindowFixture::Reveal(text);
    QTest::keyClicks(text, QStringLiteral("never"));
    f.Find("butQCancel")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!f.Find("frmQuestion")->isVisible());
    QCOMPARE(List(f)->count(), 3);
    QCOMPARE(f.Find<QTabWidget>("PageControl")->currentWidget(), f.Find("tabFAQ"));
  }

  // Ctrl+Up and Ctrl+Down move the selected question as the buttons do; the focus stays in the
  // list.
  void CtrlArrowsMoveTheSelectedQuestion() {
    WindowFixture f;
    f.Start();
    for (const char* q : {"A?", "B?", "C?"}) Add(f, QString::fromLatin1(q));
    ClickRow(f, 0);
    List(f)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(List(f), Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(List(f), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(Listed(f), (QStringList{"B?", "C?", "A?"}));
    QCOMPARE(List(f)->currentRow(), 2);
    QVERIFY(List(f)->hasFocus());
    QTest::keyClick(List(f), Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(Listed(f), (QStringList{"B?", "A?", "C?"}));
    QCOMPARE(ReadSection(Doc(f), "Question 1"), std::string("A?\r\n"));
  }

  // A long answer line wraps at the editor's edge and is stored as the one line it is.
  void TheAnswerEditorWrapsLongLines() {
    WindowFixture f;
    f.Start();
    Add(f, QStringLiteral("Long?"));
    const QString line = QStringLiteral("word ").repeated(80).trimmed();
    WindowFixture::Type(f.Find("Answer"), line);
    auto* answer = f.Find<QPlainTextEdit>("Answer");
    QVERIFY(answer->document()->firstBlock().layout()->lineCount() > 1);
    WindowFixture::Leave(answer);
    QCOMPARE(widgets::ToQt(ReadSection(Doc(f), "Answer 0")),
             QStringLiteral("0\r\n") + line + QStringLiteral("\r\n"));
  }

  // The window's own writes, of every kind, are not taken for another program's when the window
  // is activated again; another program's still is.
  void TheWindowsOwnEditsAreNotReportedAsAnotherProgramsChange() {
    WindowFixture f;
    f.Start();
    const QString reloaded =
        QStringLiteral("The FAQ was changed by another program and has been reloaded.");
    auto own_edit = [&](const char* what, const std::function<void()>& edit) {
      edit();
      f.Reactivate();
      QVERIFY2(Status(f) != reloaded, what);
    };
    own_edit("OK", [&] { Add(f, QStringLiteral("First?")); });
    own_edit("Add another", [&] {
      WindowFixture::Click(f.Find("butAddQuestion"));
      Dialog(f, QStringLiteral("Second?"), "butQAddAnother");
      Dialog(f, QStringLiteral("Third?"), "butQOK");
    });
    own_edit("answer", [&] {
      ClickRow(f, 0);
      WindowFixture::Type(f.Find("Answer"), QStringLiteral("An answer"));
      WindowFixture::Leave(f.Find("Answer"));
    });
    own_edit("format", [&] { WindowFixture::Choose(f.Find("cmbFormat"), 2); });
    own_edit("move", [&] { WindowFixture::Click(f.Find("butQdown")); });
    own_edit("delete", [&] { WindowFixture::Click(f.Find("butDelQuestion")); });
    for (const char* section : {"HeaderCode", "Header", "Footer"})
      own_edit(section, [&] {
        WindowFixture::Type(f.Find(section), QStringLiteral("<p>%1</p>").arg(section));
        WindowFixture::Leave(f.Find(section));
      });
    own_edit("Go", [&] { WindowFixture::Click(f.Find("butGo")); });
    QCOMPARE(ReadSection(Doc(f), "AnswerFooter"), std::string("<p>Footer</p>\r\n"));
    {
      AppContext other(f.db_path(), f.app_dir(), false);
      Faq faq = quorella::LoadFaq(other, "FAQ");
      QuestionModel model(other.settings(), faq);
      QVERIFY(model.AddQuestion("From elsewhere?"));
    }
    f.Reactivate();
    QCOMPARE(Status(f), reloaded);
    QCOMPARE(Listed(f).last(), QStringLiteral("From elsewhere?"));
  }

  void PageStartsWithNothingSelected() {
    WindowFixture f;
    f.Start();
    QVERIFY(!f.Find("butDelQuestion")->isEnabled());
    QVERIFY(!f.Find("butEditQuestion")->isEnabled());
    QVERIFY(!f.Find("Answer")->isEnabled());
    QVERIFY(!f.Find("cmbFormat")->isEnabled());
    QVERIFY(f.Find("butAddQuestion")->isEnabled());
    QCOMPARE(f.Find("butQup")->toolTip(), QStringLiteral("Move up"));
    QCOMPARE(f.Find("butQdown")->toolTip(), QStringLiteral("Move down"));
    QCOMPARE(f.Find<QComboBox>("cmbFormat")->count(), 5);
    QCOMPARE(f.Find<QComboBox>("cmbFormat")->itemText(3), QStringLiteral("As is"));
    QCOMPARE(f.Find<QComboBox>("cmbFormat")->itemText(4), QStringLiteral("Markdown"));
    QVERIFY(!f.Find("frmQuestion")->isVisible());
  }

  void OkAddsSelectsAndStores() {
    WindowFixture f;
    f.Start();
    WindowFixture::Click(f.Find("butAddQuestion"));
    QWidget* dialog = f.Find("frmQuestion");
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Question"));
    QVERIFY(f.Find("butQAddAnother")->isVisible());
    // The dialog opens over the main window.
    QVERIFY(f.window().frameGeometry().contains(dialog->frameGeometry().center()));
    Dialog(f, QStringLiteral("   "), "butQOK");  // blank: refused, the dialog stays
    QVERIFY(dialog->isVisible());
    QCOMPARE(List(f)->count(), 0);
    Dialog(f, QStringLiteral("  What is it?  "), "butQOK");
    QVERIFY(!dialog->isVisible());
    QCOMPARE(Listed(f), QStringList{QStringLiteral("  What is it?  ")});
    QCOMPARE(List(f)->currentRow(), 0);
    QVERIFY(f.Find("Answer")->isEnabled());
    QVERIFY(f.Find("butEditQuestion")->isEnabled());
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "TotalQuestions"), 1);
    QCOMPARE(ReadSection(Doc(f), "Question 0"), std::string("  What is it?  \r\n"));
    QCOMPARE(ReadSection(Doc(f), "Answer 0"), std::string("0\r\n"));
  }

  void AddAnotherThreeTimesThenCancel() {
    WindowFixture f;
    f.Start();
    WindowFixture::Click(f.Find("butAddQuestion"));
    for (const char* q : {"One?", "Two?", "Three?"})
      Dialog(f, QString::fromLatin1(q), "butQAddAnother");
    QVERIFY(f.Find("frmQuestion")->isVisible());
    QCOMPARE(f.Find<QPlainTextEdit>("Question")->toPlainText(), QString());
    QTest::keyClick(f.Find("Question"), Qt::Key_Escape);
    QVERIFY(!f.Find("frmQuestion")->isVisible());
    QCOMPARE(Listed(f), (QStringList{"One?", "Two?", "Three?"}));
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "TotalQuestions"), 3);
    QCOMPARE(ReadSection(Doc(f), "Question 2"), std::string("Three?\r\n"));
  }

  void AnswerStoredWhenLeftAndShownAgainWithItsFormat() {
    WindowFixture f;
    f.Start();
    Add(f, QStringLiteral("First?"));
    Add(f, QStringLiteral("Second?"));
    ClickRow(f, 0);
    QVERIFY(f.Find("Answer")->hasFocus());
    WindowFixture::Type(f.Find("Answer"), QStringLiteral("42\nthe words"));
    WindowFixture::Leave(f.Find("Answer"));
    QCOMPARE(ReadSection(Doc(f), "Answer 0"), std::string("0\r\n42\r\nthe words\r\n"));
    WindowFixture::Choose(f.Find("cmbFormat"), 3);
    QCOMPARE(ReadSection(Doc(f), "Answer 0"), std::string("3\r\n42\r\nthe words\r\n"));
    ClickRow(f, 1);
    QCOMPARE(f.Find<QPlainTextEdit>("Answer")->toPlainText(), QString());
    QCOMPARE(f.Find<QComboBox>("cmbFormat")->currentIndex(), 0);
    ClickRow(f, 0);
    QCOMPARE(f.Find<QPlainTextEdit>("Answer")->toPlainText(), QStringLiteral("42\nthe words\n"));
    QCOMPARE(f.Find<QComboBox>("cmbFormat")->currentIndex(), 3);
  }

  // The answer editor hands the core what was typed: tabs move on, no-break spaces stay.
  void AnswerKeepsNoBreakSpacesAndTabLeavesIt() {
    WindowFixture f;
    f.Start();
    Add(f, QStringLiteral("Q?"));
    WindowFixture::Type(f.Find("Answer"), QStringLiteral("10\u00A0km"));
    QTest::keyClick(f.Find<QPlainTextEdit>("Answer")->viewport(), Qt::Key_Tab);
    QVERIFY(!f.Find("Answer")->hasFocus());
    QCOMPARE(widgets::ToQt(ReadSection(Doc(f), "Answer 0")), QStringLiteral("0\r\n10\u00A0km\r\n"));
  }

  // Arrow keys walk the list and keep the focus in it; Enter goes to the answer.
  void ArrowKeysWalkTheListEnterGoesToTheAnswer() {
    WindowFixture f;
    f.Start();
    for (const char* q : {"A?", "B?", "C?"}) Add(f, QString::fromLatin1(q));
    ClickRow(f, 0);
    List(f)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(List(f), Qt::Key_Down);
    QTest::keyClick(List(f), Qt::Key_Down);
    QVERIFY(List(f)->hasFocus());
    QCOMPARE(List(f)->currentRow(), 2);
    QVERIFY(f.Find("butEditQuestion")->isEnabled());
    QTest::keyClick(List(f), Qt::Key_Return);
    QVERIFY(f.Find("Answer")->hasFocus());
  }

  void EditReplacesTheQuestionSelectedAtOk() {
    WindowFixture f;
    f.Start();
    Add(f, QStringLiteral("A?"));
    Add(f, QStringLiteral("B?"));
    ClickRow(f, 0);
    WindowFixture::Click(f.Find("butEditQuestion"));
    QCOMPARE(f.Find("frmQuestion")->windowTitle(), QStringLiteral("Question (edit)"));
    QVERIFY(!f.Find("butQAddAnother")->isVisible());
    QCOMPARE(f.Find<QPlainTextEdit>("Question")->toPlainText(), QStringLiteral("A?"));
    ClickRow(f, 1);  // the user picks another question meanwhile
    Dialog(f, QStringLiteral("Replaced?"), "butQOK");
    QCOMPARE(Listed(f), (QStringList{"A?", "Replaced?"}));
    QCOMPARE(ReadSection(Doc(f), "Question 1"), std::string("Replaced?\r\n"));
    WindowFixture::Click(f.Find("butAddQuestion"));
    QVERIFY(f.Find("butQAddAnother")->isVisible());
    QCOMPARE(f.Find("frmQuestion")->windowTitle(), QStringLiteral("Question"));
  }

  void DoubleClickEdits() {
    WindowFixture f;
    f.Start();
    Add(f, QStringLiteral("Twice?"));
    const QPoint row = List(f)->visualItemRect(List(f)->item(0)).center();
    QTest::mouseClick(List(f)->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(List(f)->viewport(), Qt::LeftButton, {}, row);
    QVERIFY(f.Find("frmQuestion")->isVisible());
    QCOMPARE(f.Find("frmQuestion")->windowTitle(), QStringLiteral("Question (edit)"));
  }

  void DeleteMovesAndTheirEdges() {
    WindowFixture f;
    f.Start();
    for (const char* q : {"Q0", "Q1", "Q2"}) Add(f, QString::fromLatin1(q));
    ClickRow(f, 0);
    const std::string before = ReadWholeFile(Doc(f));
    WindowFixture::Click(f.Find("butQup"));
    QCOMPARE(ReadWholeFile(Doc(f)), before);
    WindowFixture::Click(f.Find("butQdown"));
    QCOMPARE(Listed(f), (QStringList{"Q1", "Q0", "Q2"}));
    QCOMPARE(List(f)->currentRow(), 1);
    WindowFixture::Click(f.Find("butDelQuestion"));
    QCOMPARE(Listed(f), (QStringList{"Q1", "Q2"}));
    QCOMPARE(List(f)->currentRow(), 1);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "TotalQuestions"), 2);
    QCOMPARE(ReadSection(Doc(f), "Question 2"), std::string());
    WindowFixture::Click(f.Find("butDelQuestion"));
    WindowFixture::Click(f.Find("butDelQuestion"));
    QCOMPARE(List(f)->count(), 0);
    QVERIFY(!f.Find("Answer")->isEnabled());
    QVERIFY(!f.Find("butDelQuestion")->isEnabled());
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "TotalQuestions"), 0);
  }

  void QuestionsSurviveARestart() {
    WindowFixture f;
    f.Start();
    Add(f, QStringLiteral("Kept?"));
    f.Close();
    f.Start();
    QCOMPARE(Listed(f), QStringList{QStringLiteral("Kept?")});
    QVERIFY(!f.Find("butEditQuestion")->isEnabled());
  }
  // Another program (the command line, through the same core calls) adds a question while the
  // window shows the FAQ: the window's next Add reloads the list first, says so, and loses nothing.
  void AQuestionAddedElsewhereSurvivesTheWindowsNextAdd() {
    WindowFixture f;
    f.Start();
    Add(f, QStringLiteral("From the window?"));
    {
      AppContext other(f.db_path(), f.app_dir(), false);
      Faq faq = quorella::LoadFaq(other, "FAQ");
      QuestionModel model(other.settings(), faq);
      QVERIFY(model.AddQuestion("From elsewhere?"));
      model.Select(1);
      model.StoreAnswer("Its own answer");
    }
    Add(f, QStringLiteral("Window again?"));
    QCOMPARE(Listed(f),
             (QStringList{QStringLiteral("From the window?"), QStringLiteral("From elsewhere?"),
                          QStringLiteral("Window again?")}));
    QCOMPARE(f.Find<widgets::TFriendlyStatusBar>("StatusBar")->PanelText(0),
             QStringLiteral("The FAQ was changed by another program and has been reloaded."));
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "TotalQuestions"), 3);
    QCOMPARE(QString::fromStdString(ReadSection(Doc(f), "Answer 1")),
             QStringLiteral("0\r\nIts own answer\r\n"));
    QCOMPARE(ReadSection(Doc(f), "Question 2"), std::string("Window again?\r\n"));
    // Selecting the other program's question shows its answer.
    ClickRow(f, 1);
    QCOMPARE(f.Find<QPlainTextEdit>("Answer")->toPlainText(), QStringLiteral("Its own answer\n"));
  }
};

}  // namespace quorella::testing

QTEST_MAIN(quorella::testing::QuestionsPageTest)
#include "questions_page_test.moc"
