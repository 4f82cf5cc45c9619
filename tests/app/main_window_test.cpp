// The main window: start-up, shutdown, the catalogue and the option editors, driven offscreen.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>

#include "app/about_box.h"
#include "app/window_fixture.h"
#include "store/document.h"
#include "util/file_io.h"
#include "widgets/color_button.h"
#include "widgets/colour_panel.h"
#include "widgets/friendly_status_bar.h"
#include "widgets/radio_group.h"

namespace quorella::testing {

// Key presses carrying one character each, as an input method delivers text of any script
// (QTest::keyClicks takes Latin-1 only).
void TypeOnKeyboard(QWidget* widget, const QString& text) {
  for (const char32_t code_point : text.toUcs4()) {
    const QString character = QString::fromUcs4(&code_point, 1);
    QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, character, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, character, Qt::NoModifier);
  }
}

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void FirstRunShowsOneFaqWithEveryDefault() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    QCOMPARE(w.windowTitle(), QStringLiteral("Quorella v1.3.1"));
    QCOMPARE(w.cmbFaqName->count(), 1);
    QCOMPARE(w.cmbFaqName->currentText(), QStringLiteral("FAQ"));
    QVERIFY(FileExists(f.app_dir() + "FAQ.dat"));
    QCOMPARE(w.edtDirectory->text(), QString::fromStdString(f.app_dir()));
    QCOMPARE(w.StartPage->text(), QStringLiteral("faq.html"));
    QCOMPARE(w.edtExt->text(), QStringLiteral("html"));
    QCOMPARE(w.Title->text(), QStringLiteral("FAQ"));
    QCOMPARE(w.FontSize->value(), 12);
    QVERIFY(w.chkQBlankLine->isChecked());
    QVERIFY(w.FrameIt->isChecked());
    QVERIFY(!w.DisableBanner->isChecked());
    QCOMPARE(w.RadioLayout->ItemIndex(), 0);
    QCOMPARE(w.RadioAnswers->ItemIndex(), 1);
    QCOMPARE(w.staticClickOnQ->text(), QStringLiteral("Click on a question for the answer"));
    QCOMPARE(w.APageColor->Background(), QColor(192, 192, 192));
    QCOMPARE(w.ALinkColor->Colour(), QColor(0, 0, 255));
    QCOMPARE(w.AALinkColor->Colour(), QColor(255, 0, 0));
    QCOMPARE(w.PageControl->currentWidget(), w.tabGeneral);
    QVERIFY(!w.PageControl->isTabVisible(w.PageControl->indexOf(w.tabQuestion)));
    QCOMPARE(w.AboutBox->lblAppVersion->text(), QStringLiteral("Version 1.3.1.323"));
    QCOMPARE(w.AboutBox->lblAppDesc->text(), QStringLiteral("Website FAQ manager"));
    QCOMPARE(w.FontName->itemText(0), QStringLiteral("serif"));
    QCOMPARE(w.FontName->itemText(10), QStringLiteral("\"Courier New\", Courier, monospace"));
    QCOMPARE(w.size(), QSize(475, 407));
    QVERIFY(f.desktop.boxes.empty());
  }

  void NamedControlsCarryTheirNamesAndHints() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    const std::vector<std::pair<const char*, const char*>> hints = {
        {"butImport", "Import FAQ"},
        {"butBrowser", "View in browser"},
        {"butHelp", "Help"},
        {"cmbFaqName", "FAQ name"},
        {"butAddFaq", "Add new FAQ"},
        {"butDelFaq", "Delete FAQ"},
        {"butDuplicate", "Duplicate FAQ"},
        {"butClose", "Close application"},
        {"butBrowse", "Browse"},
        {"FrameIt", "Always view in frames"},
        {"APageColor", "Click to change color"}};
    for (const auto& [name, hint] : hints) {
      auto* control = w.findChild<QWidget*>(QString::fromLatin1(name));
      QVERIFY2(control != nullptr, name);
      QCOMPARE(control->toolTip(), QString::fromLatin1(hint));
    }
    const QStringList tabs = {"General",       "Q && A", "Layout", "Answer Page",
                              "Question Page", "Links",  "Global", "About"};
    for (int i = 0; i < tabs.size(); ++i) QCOMPARE(w.PageControl->tabText(i), tabs[i]);
    QCOMPARE(w.butClose->text(), QStringLiteral("&Close"));
    QCOMPARE(w.StatusBar->Panel(0)->width(), 100);
  }

  void TestArgumentSelectsTheTestKeyInAnyCase() {
    for (const QString& argument : {QStringLiteral("test"), QStringLiteral("TEST")}) {
      WindowFixture f;
      app::TfrmMain& w = f.Start({argument, QStringLiteral("ignored")});
      WindowFixture::Type(w.Title, QStringLiteral("Trial"));
      WindowFixture::Leave(w.Title);
      f.Close();
      QCOMPARE(f.Read(FaqKeyOf("FAQ", kTestKey), "Title"), std::string("Trial"));
      QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Title"), std::string("?"));
      QVERIFY(f.ReadInt(kTestKey, "Top") != -999);
      QVERIFY(FileExists(f.app_dir() + "FAQ.dat"));
    }
    WindowFixture f;
    app::TfrmMain& w = f.Start({QStringLiteral("nottest")});
    WindowFixture::Type(w.Title, QStringLiteral("Real"));
    WindowFixture::Leave(w.Title);
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Title"), std::string("Real"));
  }

  void SelectorListsTheStoreOrderAndRestoresLastFaq() {
    WindowFixture f;
    Settings s = f.settings();
    for (const char* name : {"zeta", "Alpha", "mid"}) s.CreateKey(FaqKeyOf(name));
    s.WriteSettingInteger(kAppKey, "LastFAQ", 2);
    app::TfrmMain& w = f.Start();
    QCOMPARE(w.cmbFaqName->count(), 3);
    QCOMPARE(w.cmbFaqName->itemText(0), QStringLiteral("Alpha"));
    QCOMPARE(w.cmbFaqName->itemText(2), QStringLiteral("zeta"));
    QCOMPARE(w.cmbFaqName->currentText(), QStringLiteral("zeta"));
  }

  void LastFaqBeyondTheListAppendsFaqAndSelectsTheFirst() {
    WindowFixture f;
    Settings s = f.settings();
    s.CreateKey(FaqKeyOf("B"));
    s.CreateKey(FaqKeyOf("A"));
    s.WriteSettingInteger(kAppKey, "LastFAQ", 7);
    app::TfrmMain& w = f.Start();
    QCOMPARE(w.cmbFaqName->count(), 3);
    QCOMPARE(w.cmbFaqName->itemText(2), QStringLiteral("FAQ"));
    QCOMPARE(w.cmbFaqName->currentIndex(), 0);
  }

  void ShutdownStoresPositionAndSecondStartPlacesTheWindowThere() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    QCOMPARE(w.pos(), QPoint(200, 150));
    w.move(321, 123);
    f.desktop.custom[0] = QColor(0x12, 0x34, 0x56);
    f.Close();
    QCOMPARE(f.ReadInt(kAppKey, "Top"), 123);
    QCOMPARE(f.ReadInt(kAppKey, "Left"), 321);
    QCOMPARE(f.ReadInt(kAppKey, "LastFAQ"), 0);
    const std::string colours = f.Read(kAppKey, "CustomColors");
    QVERIFY(colours.starts_with("ColorA=563412\r\nColorB=ffffffff\r\n"));
    app::TfrmMain& again = f.Start();
    QCOMPARE(again.pos(), QPoint(321, 123));
    QCOMPARE(f.desktop.custom[0], QColor(0x12, 0x34, 0x56));
    QVERIFY(!f.desktop.custom[1].isValid());
  }

  void ShutdownWithNothingSelectedStoresNothing() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    w.cmbFaqName->setCurrentIndex(-1);
    f.Close();
    QCOMPARE(f.ReadInt(kAppKey, "Top"), -999);
    QCOMPARE(f.Read(kAppKey, "CustomColors"), std::string("?"));
  }

  void LayoutRulesForAllFourCombinations() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    struct Case {
      int layout, answers;
      bool question_tab, frames_controls, apage, prefix;
    };
    for (const Case& c :
         {Case{0, 0, false, false, false, true}, Case{0, 1, false, false, false, false},
          Case{1, 0, true, true, false, true}, Case{1, 1, true, true, true, false}}) {
      w.RadioLayout->Button(c.layout)->click();
      w.RadioAnswers->Button(c.answers)->click();
      QCOMPARE(w.PageControl->isTabVisible(w.PageControl->indexOf(w.tabQuestion)), c.question_tab);
      for (QWidget* control :
           {static_cast<QWidget*>(w.RadioFrames), static_cast<QWidget*>(w.FrameSize),
            static_cast<QWidget*>(w.FrameIt), static_cast<QWidget*>(w.FrameHead),
            static_cast<QWidget*>(w.butACeqQC)})
        QCOMPARE(control->isEnabled(), c.frames_controls);
      QCOMPARE(w.APageName->isEnabled(), c.apage);
      QCOMPARE(w.PagePrefix->isEnabled(), c.prefix);
      QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "Layout"), c.layout);
      QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswersPage"), c.answers);
    }
    // The rules hold from loading on.
    f.Close();
    app::TfrmMain& again = f.Start();
    QVERIFY(again.PageControl->isTabVisible(again.PageControl->indexOf(again.tabQuestion)));
    QVERIFY(again.APageName->isEnabled());
  }

  void EachEditorStoresUnderItsValueWhenLeft() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    const std::vector<std::pair<QLineEdit*, const char*>> fields = {
        {w.edtDirectory, "Directory"},
        {w.edtExt, "DocumentExt"},
        {w.Title, "Title"},
        {w.PagePrefix, "AnswerSubPagePrefix"},
        {w.APageName, "AnswerPageName"},
        {w.FrameSize, "QuestionFrameSize"},
        {w.AnswerBackImage, "AnswerBackImage"},
        {w.QPageName, "QuestionPageName"},
        {w.QuestionBackImage, "QuestionBackImage"},
        {w.LinkQuestions, "LinkQuestionsText"},
        {w.LinkTop, "LinkTopText"},
        {w.LinkPrevious, "LinkPreviousText"},
        {w.LinkNext, "LinkNextText"},
        {w.staticClickOnQ, "StaticClickOnQ"}};
    // Typed on the keyboard, every script reaches the store unchanged.
    const QString scripts = QStringLiteral(
        " \u041F\u0440\u0438\u0432\u0435\u0442 \u03A3 \u65E5\u672C \u0645\u0631\u062D\u0628\u0627 "
        "e\u0301 \U0001F642");
    for (const auto& [edit, name] : fields) {
      WindowFixture::Type(edit, QStringLiteral("typed ") + QLatin1String(name));
      // Editors the layout disables take no keys.
      const QString typed = edit->isEnabled() ? scripts : QString();
      edit->setFocus();
      edit->end(false);
      TypeOnKeyboard(edit, typed);
      QCOMPARE(f.Read(FaqKeyOf("FAQ"), name), std::string("?"));  // nothing before leaving
      WindowFixture::Leave(edit);
      QCOMPARE(QString::fromStdString(f.Read(FaqKeyOf("FAQ"), name)),
               QStringLiteral("typed ") + QLatin1String(name) + typed);
    }
    WindowFixture::Type(w.StartPage, QStringLiteral("index.htm"));
    WindowFixture::Leave(w.StartPage);
    const auto values = f.settings().ReadValues(FaqKeyOf("FAQ"));
    QVERIFY(std::any_of(values.begin(), values.end(),
                        [](const NamedValue& v) { return v.name == "Startpage"; }));

    const std::vector<std::pair<QPlainTextEdit*, const char*>> sections = {
        {w.HeaderCode, "HeaderCode"},  {w.FrameHead, "FrameHeaderCode"},
        {w.Header, "AnswerHeader"},    {w.Footer, "AnswerFooter"},
        {w.QHeader, "QuestionHeader"}, {w.QFooter, "QuestionFooter"}};
    for (const auto& [editor, name] : sections) {
      WindowFixture::Type(editor, QStringLiteral("<meta a>\n<meta b>"));
      const QString typed = editor->isEnabled() ? scripts : QString();
      editor->setFocus();
      editor->moveCursor(QTextCursor::End);
      TypeOnKeyboard(editor, typed);
      WindowFixture::Leave(editor);
      QCOMPARE(QString::fromStdString(ReadSection(f.app_dir() + "FAQ.dat", name)),
               QStringLiteral("<meta a>\r\n<meta b>") + typed + QStringLiteral("\r\n"));
    }
    WindowFixture::Type(w.HeaderCode, QString());
    WindowFixture::Leave(w.HeaderCode);
    QCOMPARE(ReadSection(f.app_dir() + "FAQ.dat", "HeaderCode"), std::string());

    w.chkQBlankLine->click();
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "BlankLineBetweenQuestions"), 0);
    w.DisableBanner->click();
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "DisableBanner"), 1);
    w.FrameIt->click();  // disabled in the Simple layout
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "FrameIt"), -999);
    w.RadioLayout->Button(1)->click();
    w.FrameIt->click();
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "FrameIt"), 0);
    w.RadioFrames->Button(1)->click();
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "Frames"), 1);
    w.FontSize->setValue(30);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "FontSize"), 30);
    w.FontSize->setValue(99);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "FontSize"), 40);  // the spin field keeps 0 to 40
  }

  void TypedFontFamilyIsStoredAfterEveryKeystroke() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    w.FontName->setFocus();
    QTest::keyClicks(w.FontName, QStringLiteral("My Fo"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "FontName"), std::string("My Fo"));
    QTest::keyClicks(w.FontName, QStringLiteral("nt"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "FontName"), std::string("My Font"));
    f.Close();
    app::TfrmMain& again = f.Start();
    QCOMPARE(again.FontName->currentText(), QStringLiteral("My Font"));
  }

  void SwitchingFaqStoresTheEditedTitleIntoTheFaqLeft() {
    WindowFixture f;
    f.settings().CreateKey(FaqKeyOf("One"));
    f.settings().CreateKey(FaqKeyOf("Two"));
    app::TfrmMain& w = f.Start();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.PageControl->setCurrentWidget(w.tabGeneral);
    w.Title->setFocus();
    WindowFixture::Type(w.Title, QStringLiteral("Edited in One"));
    w.cmbFaqName->setCurrentIndex(1);
    emit w.cmbFaqName->activated(1);
    QCOMPARE(f.Read(FaqKeyOf("One"), "Title"), std::string("Edited in One"));
    QCOMPARE(f.Read(FaqKeyOf("Two"), "Title"), std::string("?"));
    QCOMPARE(w.Title->text(), QStringLiteral("FAQ"));
  }

  void AddRefusesExistingNamesWithoutCaseAndAcceptsLeadingBlank() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    f.desktop.input_answers = {QStringLiteral(""), QStringLiteral("faq"), QStringLiteral(" FAQ")};
    w.butAddFaq->click();
    QCOMPARE(f.desktop.inputs.size(), size_t{3});
    QCOMPARE(f.desktop.inputs[0].caption, QStringLiteral("New FAQ"));
    QCOMPARE(f.desktop.inputs[0].prompt, QStringLiteral("Add FAQ name"));
    QCOMPARE(f.desktop.inputs[1].prompt, QStringLiteral("Please enter a name for FAQ."));
    QCOMPARE(f.desktop.inputs[2].prompt,
             QStringLiteral("The name already exists. Please select a new one."));
    QCOMPARE(f.desktop.inputs[2].text, QStringLiteral("faq"));
    QCOMPARE(w.cmbFaqName->count(), 2);
    QCOMPARE(w.cmbFaqName->currentText(), QStringLiteral(" FAQ"));
    QVERIFY(f.settings().KeyExists(FaqKeyOf(" FAQ")));
    QVERIFY(FileExists(f.app_dir() + " FAQ.dat"));
    f.desktop.input_answers = {std::nullopt};
    w.butAddFaq->click();
    QCOMPARE(w.cmbFaqName->count(), 2);
  }

  void DeletingTheOnlyFaqLeavesAFreshFaq() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    WindowFixture::Type(w.Title, QStringLiteral("Old"));
    WindowFixture::Leave(w.Title);
    WriteSection(f.app_dir() + "FAQ.dat", "Question 0", {"Q"});
    f.desktop.box_answers = {widgets::BoxAnswer::Cancel};
    w.butDelFaq->click();
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Title"), std::string("Old"));
    QCOMPARE(f.desktop.boxes.back().caption, QStringLiteral("Delete FAQ"));
    QCOMPARE(f.desktop.boxes.back().text,
             QStringLiteral("Are you sure you want to delete the selected FAQ?"));
    QCOMPARE(f.desktop.boxes.back().default_button, widgets::BoxAnswer::Cancel);
    f.desktop.box_answers = {widgets::BoxAnswer::Ok};
    w.butDelFaq->click();
    QCOMPARE(w.cmbFaqName->count(), 1);
    QCOMPARE(w.cmbFaqName->currentText(), QStringLiteral("FAQ"));
    QCOMPARE(w.Title->text(), QStringLiteral("FAQ"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Title"), std::string("?"));
    QCOMPARE(ReadWholeFile(f.app_dir() + "FAQ.dat"), std::string());
  }

  void DuplicateProposesNameMinusOneAndCopiesIndependently() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    WindowFixture::Type(w.Title, QStringLiteral("Original"));
    WindowFixture::Leave(w.Title);
    WindowFixture::Type(w.Footer, QStringLiteral("<hr>"));
    WindowFixture::Leave(w.Footer);
    f.desktop.input_answers = {QStringLiteral("FAQ-1")};
    w.butDuplicate->click();
    QCOMPARE(f.desktop.inputs[0].caption, QStringLiteral("Duplicate document"));
    QCOMPARE(f.desktop.inputs[0].prompt,
             QStringLiteral("Please enter a name for the duplicate document"));
    QCOMPARE(f.desktop.inputs[0].text, QStringLiteral("FAQ-1"));
    QCOMPARE(w.cmbFaqName->currentText(), QStringLiteral("FAQ-1"));
    QCOMPARE(w.Title->text(), QStringLiteral("Original"));
    // A section reads back with its final line break, as the editor shows it.
    QCOMPARE(w.Footer->toPlainText(), QStringLiteral("<hr>\n"));
    WindowFixture::Type(w.Title, QStringLiteral("Copy"));
    WindowFixture::Leave(w.Title);
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Title"), std::string("Original"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ-1"), "Title"), std::string("Copy"));
  }

  void ColourPickerCancelChangesNothingAndStartsOnTheLastPick() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    f.desktop.colour_answers = {std::nullopt};
    emit w.ALinkColor->Clicked();
    QCOMPARE(w.ALinkColor->Colour(), QColor(0, 0, 255));
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswerLinkColor"), -999);
    f.desktop.colour_answers = {QColor(0x11, 0x22, 0x33)};
    emit w.ATextColor->Clicked();
    QCOMPARE(w.ATextColor->Colour(), QColor(0x11, 0x22, 0x33));
    QCOMPARE(w.APageColor->CaptionColour(), QColor(0x11, 0x22, 0x33));
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswerTextColor"), 0x332211);
    f.desktop.colour_answers = {QColor(Qt::white)};
    emit w.QPageColor->Clicked();
    QCOMPARE(f.desktop.colour_starts.back(), QColor(0x11, 0x22, 0x33));
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "QuestionPageColor"), 0xFFFFFF);
  }

  void SetToQuestionColorsOnDefaultsWritesTheQuestionDefaults() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    f.desktop.colour_answers = {QColor(1, 2, 3)};
    emit w.AQTextColor->Clicked();
    w.RadioLayout->Button(1)->click();
    w.butACeqQC->click();
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswerPageColor"), 0xC0C0C0);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswerTextColor"), 0x000000);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswerLinkColor"), 0xFF0000);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswerVisitedLinkColor"), 0x800080);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswerActiveLinkColor"), 0x0000FF);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AQuestionTextColor"), 0x030201);  // untouched
    f.desktop.colour_answers = {QColor(0, 0, 0x80)};
    emit w.AALinkColor->Clicked();
    w.butQCeqAC->click();
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "QuestionActiveLinkColor"), 0x800000);
    QCOMPARE(w.QALinkColor->Colour(), QColor(0, 0, 0x80));
  }

  void BrowseStoresThePickedFolderAndCancelKeepsTheField() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    WindowFixture::Type(w.edtDirectory, QString());
    f.desktop.folder_answers = {std::nullopt, QStringLiteral("/srv/www/faq")};
    w.butBrowse->click();
    QCOMPARE(f.desktop.folder_starts.back(), QString::fromStdString(f.app_dir()));
    QCOMPARE(w.edtDirectory->text(), QString());
    w.butBrowse->click();
    QCOMPARE(w.edtDirectory->text(), QStringLiteral("/srv/www/faq"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Directory"), std::string("/srv/www/faq"));
  }

  void GoWithAnEmptyDirectoryShowsTheStandardErrorBox() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.edtDirectory->setFocus();
    WindowFixture::Type(w.edtDirectory, QString());
    w.butGo->click();  // the field being edited is stored first
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Directory"), std::string());
    QCOMPARE(f.desktop.boxes.size(), size_t{1});
    QCOMPARE(f.desktop.boxes[0].caption, QStringLiteral("Quorella"));
    QCOMPARE(f.desktop.boxes[0].text, QStringLiteral("Unable to create directory."));
    QCOMPARE(f.desktop.boxes[0].icon, widgets::BoxIcon::Error);
    QVERIFY(f.desktop.opened.isEmpty());
    QVERIFY(w.isEnabled());
  }

  void GoWritesThePagesAndOpensTheStartPage() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    const QString out = QString::fromStdString(f.app_dir()) + QStringLiteral("site/faq");
    WindowFixture::Type(w.edtDirectory, out);
    WindowFixture::Leave(w.edtDirectory);
    w.butGo->click();
    const std::string start = out.toStdString() + "/faq.html";
    QVERIFY(FileExists(start));
    QVERIFY(ReadWholeFile(start).starts_with("<HTML>\r\n<HEAD>\r\n<TITLE>FAQ</TITLE>\r\n"));
    QCOMPARE(f.desktop.opened, QStringList{QString::fromStdString(start)});
    QCOMPARE(w.StatusBar->PanelText(0), QStringLiteral("Writing Start Page"));
    w.butBrowser->click();
    QCOMPARE(f.desktop.opened.size(), 2);
  }

  void AFaqThatCannotBeReadShowsTheErrorAndTheWindowStaysUsable() {
    WindowFixture f;
    f.settings().WriteSettingString(FaqKeyOf("FAQ"), "FontSize", "twelve");
    app::TfrmMain& w = f.Start();
    QCOMPARE(f.desktop.boxes.size(), size_t{1});
    QCOMPARE(f.desktop.boxes[0].text, QStringLiteral("Invalid data type for 'FontSize'."));
    w.butAddQuestion->click();
    QVERIFY(w.isEnabled());
  }

  void HelpOpensItsTopics() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    w.butHelp->click();
    QCOMPARE(f.desktop.help_topics, std::vector<int>{10});
  }

  void AboutPanelStaysCentred() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    w.show();
    w.PageControl->setCurrentWidget(w.tabAbout);
    w.resize(701, 450);
    QApplication::processEvents();
    const int free_space = w.tabAbout->width() - w.AboutBox->width();
    QVERIFY(std::abs(w.AboutBox->x() * 2 - free_space) <= 1);
  }
};

}  // namespace quorella::testing

QTEST_MAIN(quorella::testing::MainWindowTest)
#include "main_window_test.moc"
