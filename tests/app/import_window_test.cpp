// The import window, driven offscreen by clicks and keys with scripted file and name dialogs.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "app/window_fixture.h"
#include "store/document.h"
#include "util/file_io.h"
#include "widgets/qt_text.h"

namespace quorella::testing {

class ImportWindowTest : public QObject {
  Q_OBJECT

  static QString Sample() { return QStringLiteral(QUORELLA_SOURCE_DIR "/data/quorella-faq.txt"); }
  static QPlainTextEdit* Working(WindowFixture& f) {
    return f.Find<QPlainTextEdit>("memoImported");
  }
  static void Open(WindowFixture& f) {
    WindowFixture::Click(f.Find("ToolBar1")->findChild<QWidget*>(QStringLiteral("butImport")));
  }
  static QPushButton* Step(WindowFixture& f, const char* name) {
    return f.Find("frmImport")->findChild<QPushButton*>(QString::fromLatin1(name));
  }
  static void Press(WindowFixture& f, const char* name) {
    QTest::mouseClick(Step(f, name), Qt::LeftButton);
  }
  static QString FileWith(WindowFixture& f, const std::string& name, const std::string& bytes) {
    WriteWholeFile(f.app_dir() + name, bytes);
    return QString::fromStdString(f.app_dir() + name);
  }

 private slots:
  void DefaultsAndShowing() {
    WindowFixture f;
    f.Start();
    QWidget* import = f.Find("frmImport");
    QVERIFY(!import->isVisible());
    QCOMPARE(import->windowTitle(), QStringLiteral("Import FAQ"));
    QCOMPARE(f.Find<QPlainTextEdit>("memoQtoASep")->toPlainText(), QStringLiteral("?\n"));
    QCOMPARE(f.Find<QPlainTextEdit>("memoAtoQSep")->toPlainText(), QStringLiteral("\n\n"));
    QVERIFY(f.Find<QCheckBox>("chkDelQNum")->isChecked());
    QVERIFY(!f.Find<QCheckBox>("chkManualSep")->isChecked());
    Open(f);
    QVERIFY(import->isVisible());
    QCOMPARE(import->size(), QSize(586, 357));
    QCOMPARE(import->focusWidget(), Step(f, "butReadInputFile"));
  }

  // Tab follows the numbered steps down the left side, then reaches the working text.
  void TabFollowsTheStepsThenTheWorkingText() {
    WindowFixture f;
    f.Start();
    Open(f);
    WindowFixture::CheckTabWalk(
        Step(f, "butReadInputFile"), f.Find("frmImport"),
        {"butReadInputFile", "cmbEncoding", "memoAtoQSep", "memoQtoASep", "chkManualSep",
         "chkDelQNum", "butConvert", "butImport", "memoImported"});
  }

  void ReadConvertImportOpensTheNewFaq() {
    WindowFixture f;
    f.Start();
    Open(f);
    f.desktop.file_answers = {Sample()};
    Press(f, "butReadInputFile");
    QVERIFY(Working(f)->toPlainText().startsWith(
        QStringLiteral("Quorella - frequently asked questions\n")));
    Press(f, "butConvert");
    QCOMPARE(f.Find<QLabel>("lblFound")->text(), QStringLiteral("10 questions found."));
    QVERIFY(Working(f)->toPlainText().startsWith(QStringLiteral("[Question 0]\n")));
    // A FAQ another program added while the window was open counts too.
    f.settings().CreateKey(FaqKeyOf("Elsewhere"));
    f.desktop.input_answers = {QStringLiteral("faq"), QStringLiteral("ELSEWHERE"),
                               QStringLiteral("Sample")};
    Press(f, "butImport");
    QCOMPARE(f.desktop.inputs[0].caption, QStringLiteral("Imported FAQ"));
    QCOMPARE(f.desktop.inputs[0].prompt, QStringLiteral("Add FAQ name"));
    QCOMPARE(f.desktop.inputs[1].prompt,
             QStringLiteral("The name already exists. Please select a new one."));
    QCOMPARE(f.desktop.inputs[1].text, QStringLiteral("faq"));
    QCOMPARE(f.desktop.inputs[2].prompt,
             QStringLiteral("The name already exists. Please select a new one."));
    QVERIFY(!f.Find("frmImport")->isVisible());
    QCOMPARE(f.Find<QComboBox>("cmbFaqName")->currentText(), QStringLiteral("Sample"));
    QCOMPARE(f.Find<QTabWidget>("PageControl")->currentWidget(), f.Find("tabFAQ"));
    QCOMPARE(f.Find<QListWidget>("lstQuestions")->count(), 10);
    QCOMPARE(f.ReadInt(FaqKeyOf("Sample"), "TotalQuestions"), 10);
    QCOMPARE(f.Find<QLineEdit>("Title")->text(), QStringLiteral("FAQ"));  // every other default
    // The boxes keep their contents between showings.
    Open(f);
    QVERIFY(Working(f)->toPlainText().startsWith(QStringLiteral("[Question 0]\n")));
  }

  // A file of another kind is converted as it is read: the window shows the kind and the count,
  // the first questions as the label's hint and all of them in the working text, and Import stores
  // them with the title the file gave.
  void AMarkdownFileShowsItsQuestionsBeforeItIsImported() {
    WindowFixture f;
    f.Start();
    Open(f);
    f.desktop.file_answers = {FileWith(f, "faq.md",
                                       "# Our FAQ\n\n## One?\n\n**1**\n\n## Two?\n\n2\n\n"
                                       "## Three?\n\n3\n\n## Four?\n\n4\n")};
    Press(f, "butReadInputFile");
    QCOMPARE(f.Find<QLabel>("lblFound")->text(), QStringLiteral("Markdown: 4 questions found."));
    QCOMPARE(f.Find<QLabel>("lblFound")->toolTip(),
             QStringLiteral("1. One?\n2. Two?\n3. Three?\n4. Four?"));
    QVERIFY(Working(f)->toPlainText().startsWith(QStringLiteral("[Question 0]\nOne?\n")));
    f.desktop.input_answers = {QStringLiteral("From Markdown")};
    Press(f, "butImport");
    QCOMPARE(f.Find<QListWidget>("lstQuestions")->count(), 4);
    QCOMPARE(f.Find<QLineEdit>("Title")->text(), QStringLiteral("Our FAQ"));
    QCOMPARE(f.ReadInt(FaqKeyOf("From Markdown"), "TotalQuestions"), 4);
  }

  // The two check boxes and typed separators change what Convert makes.
  void TheChoicesOfStepTwoShapeTheConversion() {
    WindowFixture f;
    f.Start();
    Open(f);
    f.desktop.file_answers = {FileWith(f, "numbered.txt", "1. How?\r\nLike this.\r\n\r\n")};
    Press(f, "butReadInputFile");
    WindowFixture::Click(f.Find("chkDelQNum"));
    QVERIFY(!f.Find<QCheckBox>("chkDelQNum")->isChecked());
    Press(f, "butConvert");
    QVERIFY(Working(f)->toPlainText().contains(QStringLiteral("\n1. How?\n")));

    f.desktop.file_answers = {
        FileWith(f, "marked.txt", "Why---\r\nBecause.\r\n===\r\nHow---\r\nSo.\r\n===\r\n")};
    Press(f, "butReadInputFile");
    WindowFixture::Click(f.Find("chkManualSep"));
    WindowFixture::Type(f.Find("memoQtoASep"), QStringLiteral("---\n"));
    WindowFixture::Type(f.Find("memoAtoQSep"), QStringLiteral("\n===\n"));
    Press(f, "butConvert");
    QCOMPARE(f.Find<QLabel>("lblFound")->text(), QStringLiteral("2 questions found."));
    const QString text = Working(f)->toPlainText();
    QVERIFY(text.contains(QStringLiteral("[Question 0]\nWhy\n")));
    QVERIFY(!text.contains(QStringLiteral("---")));
    QVERIFY(!text.contains(QStringLiteral("===")));
  }

  void UnreadableFileChangesNothing() {
    WindowFixture f;
    f.Start();
    Open(f);
    WindowFixture::Type(Working(f), QStringLiteral("kept"));
    f.desktop.file_answers = {QString::fromStdString(f.app_dir() + "missing.txt")};
    Press(f, "butReadInputFile");
    QCOMPARE(Working(f)->toPlainText(), QStringLiteral("kept"));
    QCOMPARE(f.desktop.boxes.size(), size_t{1});
    QCOMPARE(f.desktop.boxes[0].icon, widgets::BoxIcon::Error);
    QVERIFY(f.desktop.boxes[0].text.contains(QStringLiteral("missing.txt")));
  }

  // A file that is not text is refused whole; nothing of it reaches the working text.
  void ABinaryFileIsRefused() {
    WindowFixture f;
    f.Start();
    Open(f);
    WindowFixture::Type(Working(f), QStringLiteral("kept"));
    f.desktop.file_answers = {
        FileWith(f, "picture.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16))};
    Press(f, "butReadInputFile");
    QCOMPARE(Working(f)->toPlainText(), QStringLiteral("kept"));
    QCOMPARE(f.desktop.boxes.size(), size_t{1});
    QVERIFY(f.desktop.boxes[0].text.contains(QStringLiteral("is not a text file")));
  }

  // Importing a text in which no question was found asks first.
  void NoQuestionsFoundAsksBeforeImporting() {
    WindowFixture f;
    f.Start();
    Open(f);
    WindowFixture::Type(Working(f), QStringLiteral("no question here"));
    Press(f, "butConvert");
    QCOMPARE(f.Find<QLabel>("lblFound")->text(), QStringLiteral("0 questions found."));
    f.desktop.box_answers = {widgets::BoxAnswer::No};
    Press(f, "butImport");
    QCOMPARE(f.desktop.boxes.back().default_button, widgets::BoxAnswer::No);
    QVERIFY(f.desktop.inputs.empty());
    QCOMPARE(f.Find<QComboBox>("cmbFaqName")->count(), 1);
  }

  // A document imported unchanged keeps its no-break spaces.
  void AnUnchangedTextKeepsItsNoBreakSpaces() {
    WindowFixture f;
    f.Start();
    Open(f);
    f.desktop.file_answers = {
        FileWith(f, "nbsp.txt", "[Question 0]\r\n10\xA0km?\r\n\r\n####\r\n\r\n")};
    Press(f, "butReadInputFile");
    f.desktop.box_answers = {widgets::BoxAnswer::Yes};
    f.desktop.input_answers = {QStringLiteral("Kept")};
    Press(f, "butImport");
    QCOMPARE(widgets::ToQt(ReadSection(f.app_dir() + "Kept.dat", "Question 0")),
             QStringLiteral("10\u00A0km?\r\n"));
  }

  // The encoding found is shown; choosing another reads the file again in it, and a file that is
  // not valid in the chosen one leaves the working text as it was.
  void EncodingIsFoundAndCanBeChosen() {
    WindowFixture f;
    f.Start();
    Open(f);
    auto* encoding = f.Find<QComboBox>("cmbEncoding");
    auto* shown = f.Find<QLabel>("lblEncoding");
    const QString utf8 = FileWith(f, "utf8.txt", "Z\xC3\xBCrich?\r\nJa.\r\n");
    const QString cp1252 = FileWith(f, "cp1252.txt", "Z\xFCrich?\r\n");
    const QString utf8_text = QStringLiteral("Zürich?\nJa.\n");
    QCOMPARE(encoding->currentText(), QStringLiteral("Automatic"));

    f.desktop.file_answers = {utf8};
    Press(f, "butReadInputFile");
    QCOMPARE(Working(f)->toPlainText(), utf8_text);
    QCOMPARE(shown->text(), QStringLiteral("Found: UTF-8"));

    QTest::keyClick(encoding, Qt::Key_Down);
    QTest::keyClick(encoding, Qt::Key_Down);
    QCOMPARE(encoding->currentText(), QStringLiteral("Windows-1252"));
    QCOMPARE(Working(f)->toPlainText(), QStringLiteral("ZÃ¼rich?\nJa.\n"));
    QCOMPARE(shown->text(), QStringLiteral("Read as: Windows-1252"));
    QTest::keyClick(encoding, Qt::Key_Up);
    QCOMPARE(Working(f)->toPlainText(), utf8_text);
    QCOMPARE(shown->text(), QStringLiteral("Read as: UTF-8"));

    f.desktop.file_answers = {cp1252};
    Press(f, "butReadInputFile");
    QCOMPARE(Working(f)->toPlainText(), utf8_text);
    QCOMPARE(f.desktop.boxes.size(), size_t{1});
    QCOMPARE(f.desktop.boxes[0].text,
             QStringLiteral("Line 1 is not valid UTF-8 text. Nothing was imported."));
    QTest::keyClick(encoding, Qt::Key_Up);
    QCOMPARE(Working(f)->toPlainText(), QStringLiteral("Zürich?\n"));
    QCOMPARE(shown->text(), QStringLiteral("Found: Windows-1252"));
  }

  void EmptyQuestionSeparatorRefusesToConvert() {
    WindowFixture f;
    f.Start();
    Open(f);
    WindowFixture::Type(Working(f), QStringLiteral("Q?\nA\n\n"));
    WindowFixture::Type(f.Find("memoQtoASep"), QString());
    Press(f, "butConvert");
    QCOMPARE(Working(f)->toPlainText(), QStringLiteral("Q?\nA\n\n"));
    QCOMPARE(f.desktop.boxes.size(), size_t{1});
  }
};

}  // namespace quorella::testing

QTEST_MAIN(quorella::testing::ImportWindowTest)
#include "import_window_test.moc"
