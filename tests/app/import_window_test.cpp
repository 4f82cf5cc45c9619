// The import window, driven offscreen with scripted file and name dialogs.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "app/import_window.h"
#include "app/window_fixture.h"
#include "store/document.h"
#include "support/temp_dir.h"
#include "widgets/hint_controls.h"

namespace quorella::testing {

class ImportWindowTest : public QObject {
  Q_OBJECT

  static QString Sample() { return QStringLiteral(QUORELLA_SOURCE_DIR "/data/quorella-faq.txt"); }

 private slots:
  void DefaultsAndShowing() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    app::TfrmImport* import = w.frmImport;
    QVERIFY(!import->isVisible());
    QCOMPARE(import->windowTitle(), QStringLiteral("Import FAQ"));
    QCOMPARE(import->memoQtoASep->toPlainText(), QStringLiteral("?\n"));
    QCOMPARE(import->memoAtoQSep->toPlainText(), QStringLiteral("\n\n"));
    QVERIFY(import->chkDelQNum->isChecked());
    QVERIFY(!import->chkManualSep->isChecked());
    w.butImport->click();
    QVERIFY(import->isVisible());
    QCOMPARE(import->size(), QSize(586, 357));
  }

  void ReadConvertImportOpensTheNewFaq() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    app::TfrmImport* import = w.frmImport;
    w.butImport->click();
    f.desktop.file_answers = {Sample()};
    import->butReadInputFile->click();
    QVERIFY(import->memoImported->toPlainText().startsWith(
        QStringLiteral("Quorella - frequently asked questions\n")));
    import->butConvert->click();
    QCOMPARE(import->session().converted_count(), 10);
    QVERIFY(import->memoImported->toPlainText().startsWith(QStringLiteral("[Question 0]\n")));
    f.desktop.input_answers = {QStringLiteral("faq"), QStringLiteral("Sample")};
    import->butImport->click();
    QCOMPARE(f.desktop.inputs[0].caption, QStringLiteral("Imported FAQ"));
    QCOMPARE(f.desktop.inputs[0].prompt, QStringLiteral("Add FAQ name"));
    QCOMPARE(f.desktop.inputs[1].prompt,
             QStringLiteral("The name already exists. Please select a new one."));
    QCOMPARE(f.desktop.inputs[1].text, QStringLiteral("faq"));
    QVERIFY(!import->isVisible());
    QCOMPARE(w.cmbFaqName->currentText(), QStringLiteral("Sample"));
    QCOMPARE(w.PageControl->currentWidget(), w.tabFAQ);
    QCOMPARE(w.lstQuestions->count(), 10);
    QCOMPARE(f.ReadInt(FaqKeyOf("Sample"), "TotalQuestions"), 10);
    QCOMPARE(w.Title->text(), QStringLiteral("FAQ"));  // every other value at its default
    // The boxes keep their contents between showings.
    w.butImport->click();
    QVERIFY(import->memoImported->toPlainText().startsWith(QStringLiteral("[Question 0]\n")));
  }

  void UnreadableFileChangesNothing() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    app::TfrmImport* import = w.frmImport;
    import->memoImported->setPlainText(QStringLiteral("kept"));
    f.desktop.file_answers = {QString::fromStdString(f.app_dir() + "missing.txt")};
    import->butReadInputFile->click();
    QCOMPARE(import->memoImported->toPlainText(), QStringLiteral("kept"));
    QCOMPARE(f.desktop.boxes.size(), size_t{1});
    QCOMPARE(f.desktop.boxes[0].icon, widgets::BoxIcon::Error);
    QVERIFY(f.desktop.boxes[0].text.contains(QStringLiteral("missing.txt")));
  }

  // The encoding found is shown; choosing another reads the file again in it, and a file that is
  // not valid in the chosen one leaves the working text as it was.
  void EncodingIsFoundAndCanBeChosen() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    app::TfrmImport* import = w.frmImport;
    w.butImport->click();
    const std::string utf8 = f.app_dir() + "utf8.txt", cp1252 = f.app_dir() + "cp1252.txt";
    WriteFile(utf8, "Zürich?\r\nJa.\r\n");
    WriteFile(cp1252, "Z\xFCrich?\r\n");
    const QString utf8_text = QStringLiteral("Zürich?\nJa.\n");
    QCOMPARE(import->cmbEncoding->currentText(), QStringLiteral("Automatic"));

    f.desktop.file_answers = {QString::fromStdString(utf8)};
    QTest::mouseClick(import->butReadInputFile, Qt::LeftButton);
    QCOMPARE(import->memoImported->toPlainText(), utf8_text);
    QCOMPARE(import->lblEncoding->text(), QStringLiteral("Found: UTF-8"));

    QTest::keyClick(import->cmbEncoding, Qt::Key_Down);
    QTest::keyClick(import->cmbEncoding, Qt::Key_Down);
    QCOMPARE(import->cmbEncoding->currentText(), QStringLiteral("Windows-1252"));
    QCOMPARE(import->memoImported->toPlainText(), QStringLiteral("ZÃ¼rich?\nJa.\n"));
    QCOMPARE(import->lblEncoding->text(), QStringLiteral("Read as: Windows-1252"));
    QTest::keyClick(import->cmbEncoding, Qt::Key_Up);
    QCOMPARE(import->memoImported->toPlainText(), utf8_text);
    QCOMPARE(import->lblEncoding->text(), QStringLiteral("Read as: UTF-8"));

    f.desktop.file_answers = {QString::fromStdString(cp1252)};
    QTest::mouseClick(import->butReadInputFile, Qt::LeftButton);
    QCOMPARE(import->memoImported->toPlainText(), utf8_text);
    QCOMPARE(f.desktop.boxes.size(), size_t{1});
    QCOMPARE(f.desktop.boxes[0].text,
             QStringLiteral("Line 1 is not valid UTF-8 text. Nothing was imported."));
    QTest::keyClick(import->cmbEncoding, Qt::Key_Up);
    QCOMPARE(import->memoImported->toPlainText(), QStringLiteral("Zürich?\n"));
    QCOMPARE(import->lblEncoding->text(), QStringLiteral("Found: Windows-1252"));
    QCOMPARE(import->session().found_encoding(), TextEncoding::Windows1252);
  }

  void EmptyQuestionSeparatorRefusesToConvert() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    app::TfrmImport* import = w.frmImport;
    import->memoImported->setPlainText(QStringLiteral("Q?\nA\n\n"));
    import->memoQtoASep->setPlainText(QString());
    import->butConvert->click();
    QCOMPARE(import->memoImported->toPlainText(), QStringLiteral("Q?\nA\n\n"));
    QCOMPARE(f.desktop.boxes.size(), size_t{1});
  }
};

}  // namespace quorella::testing

QTEST_MAIN(quorella::testing::ImportWindowTest)
#include "import_window_test.moc"
