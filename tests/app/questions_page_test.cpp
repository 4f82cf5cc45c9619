// The "Q && A" page and the question dialog, driven offscreen.
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "app/question_dialog.h"
#include "app/window_fixture.h"
#include "store/app_context.h"
#include "store/document.h"
#include "store/faq.h"
#include "store/question_model.h"
#include "util/file_io.h"
#include "widgets/friendly_status_bar.h"
#include "widgets/hint_controls.h"

namespace quorella::testing {

class QuestionsPageTest : public QObject {
  Q_OBJECT

  static void Dialog(app::TfrmMain& w, const QString& text, QToolButton* button) {
    w.frmQuestion->Question->setPlainText(text);
    button->click();
  }
  static void Add(app::TfrmMain& w, const QString& text) {
    w.butAddQuestion->click();
    Dialog(w, text, w.frmQuestion->butQOK);
  }
  static QStringList Listed(const app::TfrmMain& w) {
    QStringList items;
    for (int i = 0; i < w.lstQuestions->count(); ++i) items << w.lstQuestions->item(i)->text();
    return items;
  }
  static std::string Doc(WindowFixture& f) { return f.app_dir() + "FAQ.dat"; }

 private slots:
  void PageStartsWithNothingSelected() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    QVERIFY(!w.butDelQuestion->isEnabled());
    QVERIFY(!w.butEditQuestion->isEnabled());
    QVERIFY(!w.Answer->isEnabled());
    QVERIFY(!w.cmbFormat->isEnabled());
    QVERIFY(w.butAddQuestion->isEnabled());
    QCOMPARE(w.butQup->toolTip(), QStringLiteral("Move up"));
    QCOMPARE(w.butQdown->toolTip(), QStringLiteral("Move down"));
    QCOMPARE(w.cmbFormat->count(), 4);
    QCOMPARE(w.cmbFormat->itemText(3), QStringLiteral("As is"));
    QVERIFY(!w.frmQuestion->isVisible());
  }

  void OkAddsSelectsAndStores() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    w.butAddQuestion->click();
    QVERIFY(w.frmQuestion->isVisible());
    QCOMPARE(w.frmQuestion->windowTitle(), QStringLiteral("Question"));
    QVERIFY(w.frmQuestion->AddAnotherShown());
    Dialog(w, QStringLiteral("   "), w.frmQuestion->butQOK);  // blank: refused, the dialog stays
    QVERIFY(w.frmQuestion->isVisible());
    QCOMPARE(w.lstQuestions->count(), 0);
    Dialog(w, QStringLiteral("  What is it?  "), w.frmQuestion->butQOK);
    QVERIFY(!w.frmQuestion->isVisible());
    QCOMPARE(Listed(w), QStringList{QStringLiteral("  What is it?  ")});
    QCOMPARE(w.lstQuestions->currentRow(), 0);
    QVERIFY(w.Answer->isEnabled());
    QVERIFY(w.butEditQuestion->isEnabled());
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "TotalQuestions"), 1);
    QCOMPARE(ReadSection(Doc(f), "Question 0"), std::string("  What is it?  \r\n"));
    QCOMPARE(ReadSection(Doc(f), "Answer 0"), std::string("0\r\n"));
  }

  void AddAnotherThreeTimesThenCancel() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    w.butAddQuestion->click();
    for (const char* q : {"One?", "Two?", "Three?"})
      Dialog(w, QString::fromLatin1(q), w.frmQuestion->butQAddAnother);
    QVERIFY(w.frmQuestion->isVisible());
    QCOMPARE(w.frmQuestion->Question->toPlainText(), QString());
    w.frmQuestion->butQCancel->click();
    QVERIFY(!w.frmQuestion->isVisible());
    QCOMPARE(Listed(w), (QStringList{"One?", "Two?", "Three?"}));
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "TotalQuestions"), 3);
    QCOMPARE(ReadSection(Doc(f), "Question 2"), std::string("Three?\r\n"));
  }

  void AnswerStoredWhenLeftAndShownAgainWithItsFormat() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    Add(w, QStringLiteral("First?"));
    Add(w, QStringLiteral("Second?"));
    w.lstQuestions->setCurrentRow(0);
    w.Answer->setPlainText(QStringLiteral("42\nthe words"));
    WindowFixture::Leave(w.Answer);
    QCOMPARE(ReadSection(Doc(f), "Answer 0"), std::string("0\r\n42\r\nthe words\r\n"));
    w.cmbFormat->setCurrentIndex(3);
    emit w.cmbFormat->activated(3);
    QCOMPARE(ReadSection(Doc(f), "Answer 0"), std::string("3\r\n42\r\nthe words\r\n"));
    w.lstQuestions->setCurrentRow(1);
    QCOMPARE(w.Answer->toPlainText(), QString());
    QCOMPARE(w.cmbFormat->currentIndex(), 0);
    w.lstQuestions->setCurrentRow(0);
    QCOMPARE(w.Answer->toPlainText(), QStringLiteral("42\nthe words\n"));
    QCOMPARE(w.cmbFormat->currentIndex(), 3);
  }

  void EditReplacesTheQuestionSelectedAtOk() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    Add(w, QStringLiteral("A?"));
    Add(w, QStringLiteral("B?"));
    w.lstQuestions->setCurrentRow(0);
    w.butEditQuestion->click();
    QCOMPARE(w.frmQuestion->windowTitle(), QStringLiteral("Question (edit)"));
    QVERIFY(!w.frmQuestion->AddAnotherShown());
    QCOMPARE(w.frmQuestion->Question->toPlainText(), QStringLiteral("A?"));
    w.lstQuestions->setCurrentRow(1);  // the user picks another question meanwhile
    Dialog(w, QStringLiteral("Replaced?"), w.frmQuestion->butQOK);
    QCOMPARE(Listed(w), (QStringList{"A?", "Replaced?"}));
    QCOMPARE(ReadSection(Doc(f), "Question 1"), std::string("Replaced?\r\n"));
    QVERIFY(w.frmQuestion->AddAnotherShown());
  }

  void DeleteMovesAndTheirEdges() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    for (const char* q : {"Q0", "Q1", "Q2"}) Add(w, QString::fromLatin1(q));
    w.lstQuestions->setCurrentRow(0);
    const std::string before = ReadWholeFile(Doc(f));
    w.butQup->click();
    QCOMPARE(ReadWholeFile(Doc(f)), before);
    w.butQdown->click();
    QCOMPARE(Listed(w), (QStringList{"Q1", "Q0", "Q2"}));
    QCOMPARE(w.lstQuestions->currentRow(), 1);
    w.butDelQuestion->click();
    QCOMPARE(Listed(w), (QStringList{"Q1", "Q2"}));
    QCOMPARE(w.lstQuestions->currentRow(), 1);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "TotalQuestions"), 2);
    QCOMPARE(ReadSection(Doc(f), "Question 2"), std::string());
    w.butDelQuestion->click();
    w.butDelQuestion->click();
    QCOMPARE(w.lstQuestions->count(), 0);
    QVERIFY(!w.Answer->isEnabled());
    QVERIFY(!w.butDelQuestion->isEnabled());
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "TotalQuestions"), 0);
  }

  void QuestionsSurviveARestart() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    Add(w, QStringLiteral("Kept?"));
    f.Close();
    app::TfrmMain& again = f.Start();
    QCOMPARE(Listed(again), QStringList{QStringLiteral("Kept?")});
    QVERIFY(!again.butEditQuestion->isEnabled());
  }
  // Another program (the command line, through the same core calls) adds a question while the
  // window shows the FAQ: the window's next Add reloads the list first, says so, and loses nothing.
  void AQuestionAddedElsewhereSurvivesTheWindowsNextAdd() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    Add(w, QStringLiteral("From the window?"));
    {
      AppContext other(f.db_path(), f.app_dir(), false);
      Faq faq = quorella::LoadFaq(other, "FAQ");
      QuestionModel model(other.settings(), faq);
      QVERIFY(model.AddQuestion("From elsewhere?"));
      model.Select(1);
      model.StoreAnswer("Its own answer");
    }
    QTest::mouseClick(w.butAddQuestion, Qt::LeftButton);
    QVERIFY(w.frmQuestion->isVisible());
    QTest::keyClicks(w.frmQuestion->Question, QStringLiteral("Window again?"));
    QTest::mouseClick(w.frmQuestion->butQOK, Qt::LeftButton);
    QCOMPARE(Listed(w),
             (QStringList{QStringLiteral("From the window?"), QStringLiteral("From elsewhere?"),
                          QStringLiteral("Window again?")}));
    QCOMPARE(w.StatusBar->PanelText(0), QStringLiteral("FAQ reloaded."));
    QCOMPARE(w.StatusBar->Panel(0)->toolTip(),
             QStringLiteral("The FAQ was changed by another program and has been reloaded."));
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "TotalQuestions"), 3);
    QCOMPARE(QString::fromStdString(ReadSection(Doc(f), "Answer 1")),
             QStringLiteral("0\r\nIts own answer\r\n"));
    QCOMPARE(ReadSection(Doc(f), "Question 2"), std::string("Window again?\r\n"));
    // Selecting the other program's question shows its answer.
    QTest::mouseClick(w.lstQuestions->viewport(), Qt::LeftButton, {},
                      w.lstQuestions->visualItemRect(w.lstQuestions->item(1)).center());
    QCOMPARE(w.Answer->toPlainText(), QStringLiteral("Its own answer\n"));
  }
};

}  // namespace quorella::testing

QTEST_MAIN(quorella::testing::QuestionsPageTest)
#include "questions_page_test.moc"
