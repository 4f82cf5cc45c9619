// The main window: start-up, shutdown, the catalogue and the option editors, driven offscreen by
// clicks, keys and focus changes.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>

#include <map>

#include "app/application_setup.h"
#include "app/option_bindings.h"
#include "app/window_fixture.h"
#include "store/document.h"
#include "store/values.h"
#include "util/file_io.h"
#include "widgets/colour_panel.h"
#include "widgets/friendly_status_bar.h"
#include "widgets/qt_text.h"
#include "widgets/radio_group.h"

namespace quorella::testing {

namespace {

QString Plain(QString caption) {
  return caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
      .remove(QLatin1Char('&'))
      .replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

// A point of `panel` that no child covers: a click there is a click on the panel itself.
QPoint BarePoint(QWidget* panel) {
  for (int y = panel->height() - 3; y > 0; --y)
    for (int x = panel->width() - 3; x > 0; x -= 7)
      if (panel->childAt(x, y) == nullptr) return {x, y};
  return {1, 1};
}

void ClickColour(QWidget* control) {
  WindowFixture::Reveal(control);
  if (qobject_cast<widgets::ColourPanel*>(control) != nullptr)
    QTest::mouseClick(control, Qt::LeftButton, {}, BarePoint(control));
  else
    QTest::mouseClick(control, Qt::LeftButton);
}

QTabWidget* Pages(WindowFixture& f) {
  return f.Find<QTabWidget>("PageControl");
}

bool TabShown(WindowFixture& f, const char* page) {
  return Pages(f)->isTabVisible(Pages(f)->indexOf(f.Find(page)));
}

// Key presses carrying one character each, as an input method delivers text of any script
// (QTest::keyClicks takes Latin-1 only).
void TypeOnKeyboard(QWidget* widget, const QString& text) {
  for (const char32_t code_point : text.toUcs4()) {
    const QString character = QString::fromUcs4(&code_point, 1);
    QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, character, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, character, Qt::NoModifier);
  }
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void FirstRunShowsOneFaqWithEveryDefault() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    QCOMPARE(w.windowTitle(), QStringLiteral("Quorella v1.3.1"));
    auto* faqs = f.Find<QComboBox>("cmbFaqName");
    QCOMPARE(faqs->count(), 1);
    QCOMPARE(faqs->currentText(), QStringLiteral("FAQ"));
    QVERIFY(FileExists(f.app_dir() + "FAQ.dat"));
    QCOMPARE(f.Find<QLineEdit>("edtDirectory")->text(), QString::fromStdString(f.app_dir()));
    QCOMPARE(f.Find<QLineEdit>("StartPage")->text(), QStringLiteral("faq.html"));
    QCOMPARE(f.Find<QLineEdit>("edtExt")->text(), QStringLiteral("html"));
    QCOMPARE(f.Find<QLineEdit>("Title")->text(), QStringLiteral("FAQ"));
    QCOMPARE(f.Find<QSpinBox>("FontSize")->value(), 12);
    QVERIFY(f.Find<QCheckBox>("chkQBlankLine")->isChecked());
    QVERIFY(f.Find<QCheckBox>("FrameIt")->isChecked());
    QVERIFY(!f.Find<QCheckBox>("DisableBanner")->isChecked());
    QCOMPARE(f.Find<widgets::RadioGroup>("RadioLayout")->ItemIndex(), 0);
    QCOMPARE(f.Find<widgets::RadioGroup>("RadioAnswers")->ItemIndex(), 1);
    QCOMPARE(f.Find<QLineEdit>("staticClickOnQ")->text(),
             QStringLiteral("Click on a question for the answer"));
    QCOMPARE(f.Find<widgets::ColourPanel>("APageColor")->Background(), QColor(192, 192, 192));
    QCOMPARE(f.Find<widgets::ColourLabel>("ALinkColor")->Colour(), QColor(0, 0, 255));
    QCOMPARE(f.Find<widgets::ColourLabel>("AALinkColor")->Colour(), QColor(255, 0, 0));
    QCOMPARE(Pages(f)->currentWidget(), f.Find("tabGeneral"));
    QVERIFY(!TabShown(f, "tabQuestion"));
    QCOMPARE(f.Find<QLabel>("lblAppVersion")->text(), QStringLiteral("Version 1.3.1.323"));
    QCOMPARE(f.Find<QLabel>("lblAppDesc")->text(), QStringLiteral("Website FAQ manager"));
    auto* fonts = f.Find<QComboBox>("FontName");
    QCOMPARE(fonts->itemText(0), QStringLiteral("serif"));
    QCOMPARE(fonts->itemText(10), QStringLiteral("\"Courier New\", Courier, monospace"));
    QVERIFY(f.desktop.boxes.empty());
  }

  // Qt appends a display name, once set, to every caption; the captions are the design's own.
  void SetUpLeavesTheCaptionsAlone() {
    app::SetUpApplication();
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorella"));
  }

  void NamedControlsCarryTheirNamesAndHints() {
    WindowFixture f;
    f.Start();
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
    for (const auto& [name, hint] : hints)
      QCOMPARE(f.Find(name)->toolTip(), QString::fromLatin1(hint));
    const QStringList tabs = {"General",       "Q & A", "Layout", "Answer Page",
                              "Question Page", "Links", "Global", "About"};
    for (int i = 0; i < tabs.size(); ++i) QCOMPARE(Plain(Pages(f)->tabText(i)), tabs[i]);
    QCOMPARE(f.Find<QPushButton>("butClose")->text(), QStringLiteral("&Close"));
    QVERIFY(f.Find<widgets::TFriendlyStatusBar>("StatusBar")->Panel(0)->width() >= 100);
  }

  void TestArgumentSelectsTheTestKeyInAnyCase() {
    for (const QString& argument : {QStringLiteral("test"), QStringLiteral("TEST")}) {
      WindowFixture f;
      f.Start({argument, QStringLiteral("ignored")});
      WindowFixture::Type(f.Find("Title"), QStringLiteral("Trial"));
      WindowFixture::Leave(f.Find("Title"));
      f.Close();
      QCOMPARE(f.Read(FaqKeyOf("FAQ", kTestKey), "Title"), std::string("Trial"));
      QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Title"), std::string("?"));
      QVERIFY(f.ReadInt(kTestKey, "Top") != -999);
      QVERIFY(FileExists(f.app_dir() + "FAQ.dat"));
    }
    WindowFixture f;
    f.Start({QStringLiteral("nottest")});
    WindowFixture::Type(f.Find("Title"), QStringLiteral("Real"));
    WindowFixture::Leave(f.Find("Title"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Title"), std::string("Real"));
  }

  void SelectorListsTheStoreOrderAndRestoresLastFaq() {
    WindowFixture f;
    Settings s = f.settings();
    for (const char* name : {"zeta", "Alpha", "mid"}) s.CreateKey(FaqKeyOf(name));
    s.WriteSettingInteger(kAppKey, "LastFAQ", 2);
    f.Start();
    auto* faqs = f.Find<QComboBox>("cmbFaqName");
    QCOMPARE(faqs->count(), 3);
    QCOMPARE(faqs->itemText(0), QStringLiteral("Alpha"));
    QCOMPARE(faqs->itemText(2), QStringLiteral("zeta"));
    QCOMPARE(faqs->currentText(), QStringLiteral("zeta"));
  }

  void LastFaqBeyondTheListAppendsFaqAndSelectsTheFirst() {
    WindowFixture f;
    Settings s = f.settings();
    s.CreateKey(FaqKeyOf("B"));
    s.CreateKey(FaqKeyOf("A"));
    s.WriteSettingInteger(kAppKey, "LastFAQ", 7);
    f.Start();
    auto* faqs = f.Find<QComboBox>("cmbFaqName");
    QCOMPARE(faqs->count(), 3);
    QCOMPARE(faqs->itemText(2), QStringLiteral("FAQ"));
    QCOMPARE(faqs->currentIndex(), 0);
  }

  void ShutdownStoresPositionSizeAndColoursAndSecondStartRestoresThem() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    QCOMPARE(w.pos(), QPoint(200, 150));
    w.move(321, 123);
    w.resize(700, 560);
    f.desktop.custom[0] = QColor(0x12, 0x34, 0x56);
    f.Close();
    QCOMPARE(f.ReadInt(kAppKey, "Top"), 123);
    QCOMPARE(f.ReadInt(kAppKey, "Left"), 321);
    QCOMPARE(f.ReadInt(kAppKey, "Width"), 700);
    QCOMPARE(f.ReadInt(kAppKey, "LastFAQ"), 0);
    const std::string colours = f.Read(kAppKey, "CustomColors");
    QVERIFY(colours.starts_with("ColorA=563412\r\nColorB=ffffffff\r\n"));
    QVERIFY(colours.find("ffffff\r\n") == colours.find("ffffffff") + 2);  // no white but unset
    app::TfrmMain& again = f.Start();
    QCOMPARE(again.pos(), QPoint(321, 123));
    QCOMPARE(again.size(), QSize(700, 560));
    QCOMPARE(f.desktop.custom[0], QColor(0x12, 0x34, 0x56));
    QVERIFY(!f.desktop.custom[1].isValid());
  }

  // A start and a close write the application's own values and nothing outside its key.
  void StartAndCloseWriteNothingOutsideTheApplicationKey() {
    WindowFixture f;
    f.Start();
    f.Close();
    std::vector<std::string> keys = {""};
    std::vector<std::string> outside;
    while (!keys.empty()) {
      const std::string key = keys.back();
      keys.pop_back();
      const bool inside = key == kAppKey || key.starts_with(kAppKey + "\\");
      if (!inside)
        for (const NamedValue& value : f.settings().ReadValues(key))
          outside.push_back(key + "\\" + value.name);
      for (const std::string& sub : f.settings().SubkeyNames(key))
        keys.push_back(key.empty() ? sub : key + "\\" + sub);
    }
    QCOMPARE(QString::fromStdString(outside.empty() ? "" : outside.front()), QString());
    const auto faq_values = f.settings().ReadValues(FaqKeyOf("FAQ"));
    QVERIFY(faq_values.empty());  // a start stores no option
  }

  void ShutdownWithNothingSelectedStoresNothing() {
    WindowFixture f;
    f.Start();
    f.Find<QComboBox>("cmbFaqName")->setCurrentIndex(-1);
    f.Close();
    QCOMPARE(f.ReadInt(kAppKey, "Top"), -999);
    QCOMPARE(f.Read(kAppKey, "CustomColors"), std::string("?"));
  }

  // The window opens at a size that shows every page whole, and the lists grow with it.
  void EveryPageShowsWholeAtTheDefaultSize() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    QVERIFY(w.width() <= 1280 && w.height() <= 800);
    QVERIFY(w.width() >= 475 && w.height() >= 407);
    QTabBar* bar = Pages(f)->tabBar();
    for (int i = 0; i < bar->count(); ++i) {
      if (!bar->isTabVisible(i)) continue;
      const QRect tab(bar->mapTo(Pages(f), bar->tabRect(i).topLeft()), bar->tabRect(i).size());
      QVERIFY2(Pages(f)->rect().contains(tab), qPrintable(Pages(f)->tabText(i)));
      QWidget* page = Pages(f)->widget(i);
      Pages(f)->setCurrentIndex(i);
      QApplication::processEvents();
      QVERIFY2(page->minimumSizeHint().width() <= page->width() &&
                   page->minimumSizeHint().height() <= page->height(),
               qPrintable(page->objectName()));
    }
    auto* about = f.Find<QLabel>("lblCopyright");
    QVERIFY2(about->height() >= about->heightForWidth(about->width()),
             qPrintable(QStringLiteral("%1 < %2 at %3")
                            .arg(about->height())
                            .arg(about->heightForWidth(about->width()))
                            .arg(about->width())));
    auto* list = f.Find("lstQuestions");
    f.ShowPage("tabFAQ");
    const int list_height = list->height();
    w.resize(w.width() + 100, w.height() + 200);
    QApplication::processEvents();
    QVERIFY(list->height() > list_height);
  }

  // The modern style has no frames: choosing it disables every frame option and hides the
  // Question Page, whatever layout was chosen before, which stays stored.
  void LayoutRulesForEveryCombination() {
    WindowFixture f;
    f.Start();
    struct Case {
      int layout, answers, style;
      bool question_tab, frames_controls, apage, prefix;
    };
    for (const Case& c :
         {Case{0, 0, 0, false, false, false, true}, Case{0, 1, 0, false, false, false, false},
          Case{1, 0, 0, true, true, false, true}, Case{1, 1, 0, true, true, true, false},
          Case{1, 0, 1, false, false, false, true}, Case{1, 1, 1, false, false, false, false}}) {
      WindowFixture::Click(f.Find<widgets::RadioGroup>("RadioLayout")->Button(c.layout));
      WindowFixture::Click(f.Find<widgets::RadioGroup>("RadioAnswers")->Button(c.answers));
      WindowFixture::Click(f.Find<widgets::RadioGroup>("RadioPageStyle")->Button(c.style));
      QCOMPARE(TabShown(f, "tabQuestion"), c.question_tab);
      QCOMPARE(f.Find("RadioLayout1")->isEnabled(), c.style == 0);
      for (const char* name : {"RadioFrames", "FrameSize", "lblFrameSize", "FrameIt", "FrameHead",
                               "lblFrameHead", "butACeqQC"})
        QVERIFY2(f.Find(name)->isEnabled() == c.frames_controls, name);
      QCOMPARE(f.Find("APageName")->isEnabled(), c.apage);
      QCOMPARE(f.Find("lblAPage")->isEnabled(), c.apage);
      QCOMPARE(f.Find("PagePrefix")->isEnabled(), c.prefix);
      QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "Layout"), c.layout);
      QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswersPage"), c.answers);
      QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "PageStyle"), c.style);
    }
    // The rules hold from loading on, and the framed layout comes back with the classic style.
    f.Close();
    f.Start();
    QVERIFY(!TabShown(f, "tabQuestion"));
    QVERIFY(!f.Find("APageName")->isEnabled());
    WindowFixture::Click(f.Find<widgets::RadioGroup>("RadioPageStyle")->Button(0));
    QVERIFY(TabShown(f, "tabQuestion"));
    QVERIFY(f.Find("APageName")->isEnabled());
    QVERIFY(f.Find("RadioLayout1")->isEnabled());
  }

  // Every option editor: the user changes the control and leaves it, and exactly the value or
  // section that the table below names by hand changes in the store (a row of the binding table
  // copied from its neighbour shows here); the window starts again, and the value is shown where
  // it belongs.
  void EveryOptionEditorRoundTrips() {
    const std::vector<std::pair<const char*, const char*>> edits = {
        {"edtDirectory", "Directory"},
        {"StartPage", "StartPage"},
        {"edtExt", "DocumentExt"},
        {"FontName", "FontName"},
        {"FontSize", "FontSize"},
        {"chkQBlankLine", "BlankLineBetweenQuestions"},
        {"DisableBanner", "DisableBanner"},
        {"Title", "Title"},
        {"HeaderCode", "[HeaderCode]"},
        {"edtLanguage", "Language"},
        {"edtDescription", "Description"},
        {"edtSiteAddress", "SiteAddress"},
        {"chkUseMyColors", "UseMyColors"},
        {"chkStructuredData", "StructuredData"},
        {"RadioLayout", "Layout"},
        {"RadioFrames", "Frames"},
        {"RadioAnswers", "AnswersPage"},
        {"PagePrefix", "AnswerSubPagePrefix"},
        {"APageName", "AnswerPageName"},
        {"FrameSize", "QuestionFrameSize"},
        {"FrameIt", "FrameIt"},
        {"FrameHead", "[FrameHeaderCode]"},
        {"APageColor", "AnswerPageColor"},
        {"ATextColor", "AnswerTextColor"},
        {"ALinkColor", "AnswerLinkColor"},
        {"AVLinkColor", "AnswerVisitedLinkColor"},
        {"AALinkColor", "AnswerActiveLinkColor"},
        {"AQuestionBackColor", "AQuestionBackColor"},
        {"AQTextColor", "AQuestionTextColor"},
        {"AnswerBackImage", "AnswerBackImage"},
        {"Header", "[AnswerHeader]"},
        {"Footer", "[AnswerFooter]"},
        {"QPageName", "QuestionPageName"},
        {"QPageColor", "QuestionPageColor"},
        {"QTextColor", "QuestionTextColor"},
        {"QLinkColor", "QuestionLinkColor"},
        {"QVLinkColor", "QuestionVisitedLinkColor"},
        {"QALinkColor", "QuestionActiveLinkColor"},
        {"QuestionBackImage", "QuestionBackImage"},
        {"QHeader", "[QuestionHeader]"},
        {"QFooter", "[QuestionFooter]"},
        {"LinkQuestions", "LinkQuestionsText"},
        {"LinkTop", "LinkTopText"},
        {"LinkPrevious", "LinkPreviousText"},
        {"LinkNext", "LinkNextText"},
        {"staticClickOnQ", "StaticClickOnQ"},
        // The modern style disables the frame options: it is chosen last.
        {"RadioPageStyle", "PageStyle"},
    };
    QStringList bound, written;
    for (const app::OptionBinding& binding : app::OptionBindings()) bound << binding.control;
    for (const auto& edit : edits) written << edit.first;
    bound.sort();
    written.sort();
    QCOMPARE(bound, written);
    WindowFixture f;
    f.Start();
    // Every value and section as stored, by name.
    auto stored_state = [&] {
      std::map<std::string, std::string> state;
      const FaqValues values = FaqValues::Read(f.settings(), FaqKeyOf("FAQ"), f.app_dir());
      for (std::size_t i = 0; i < kFaqValueCount; ++i) {
        const auto value = static_cast<FaqValue>(i);
        state[std::string(Definition(value).name)] = values.Display(value);
      }
      for (std::size_t i = 0; i < kFixedSectionCount; ++i) {
        const std::string name(SectionName(static_cast<FixedSection>(i)));
        state["[" + name + "]"] = ReadSection(f.app_dir() + "FAQ.dat", name);
      }
      return state;
    };
    std::map<std::string, QVariant> expected;
    // Typed on the keyboard, every script reaches the store unchanged.
    const QString scripts = QStringLiteral(
        " \u041F\u0440\u0438\u0432\u0435\u0442 \u03A3 \u65E5\u672C \u0645\u0631\u062D\u0628\u0627 "
        "e\u0301 \U0001F642");
    int n = 0;
    auto change = [&](const char* name) {
      QWidget* control = f.Find(name);
      ++n;
      if (auto* radio = qobject_cast<widgets::RadioGroup*>(control)) {
        const int other = radio->ItemIndex() == 1 ? 0 : 1;
        WindowFixture::Click(radio->Button(other));
        expected[name] = other;
      } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
        expected[name] = !check->isChecked();
        WindowFixture::Click(check);
      } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
        WindowFixture::Type(spin, QString::number(10 + n % 20));
        expected[name] = 10 + n % 20;
      } else if (qobject_cast<widgets::ColourPanel*>(control) != nullptr ||
                 qobject_cast<widgets::ColourLabel*>(control) != nullptr) {
        const QColor colour(n * 5, 255 - n, (n * 37) % 256);
        f.desktop.colour_answers = {colour};
        ClickColour(control);
        expected[name] = colour;
      } else if (auto* editor = qobject_cast<QPlainTextEdit*>(control)) {
        const QString text = QStringLiteral("<p %1>\nline\u00A02").arg(QLatin1String(name));
        WindowFixture::Type(editor, text);
        editor->moveCursor(QTextCursor::End);
        TypeOnKeyboard(editor, scripts);
        expected[name] = text + scripts;
      } else {
        const QString text = QStringLiteral("typed %1").arg(QLatin1String(name));
        WindowFixture::Type(control, text);
        expected[name] = text;
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
          edit->end(false);
          TypeOnKeyboard(edit, scripts);
          expected[name] = text + scripts;
        }
      }
      WindowFixture::Leave(control);
    };
    for (const auto& [name, edited] : edits) {
      QWidget* control = f.Find(name);
      // The layout rules enable a field only for some layouts: choose one that enables it.
      if (!control->isEnabled()) {
        auto* answers = f.Find<widgets::RadioGroup>("RadioAnswers");
        WindowFixture::Click(answers->Button(answers->ItemIndex() == 1 ? 0 : 1));
        expected["RadioAnswers"] = answers->ItemIndex();
      }
      QVERIFY2(control->isEnabled(), name);
      const auto before = stored_state();
      change(name);
      QStringList changed;
      for (const auto& [stored, text] : stored_state())
        if (before.at(stored) != text) changed << QString::fromStdString(stored);
      QCOMPARE(changed, QStringList{QString::fromLatin1(edited)});
    }
    QVERIFY(f.desktop.colour_answers.empty());
    f.Close();
    f.Start();
    const FaqValues stored = FaqValues::Read(f.settings(), FaqKeyOf("FAQ"), f.app_dir());
    for (const app::OptionBinding& binding : app::OptionBindings()) {
      const char* name = binding.control;
      const QVariant want = expected.at(name);
      QWidget* control = f.Find(name);
      if (const auto* section = std::get_if<FixedSection>(&binding.target)) {
        const std::string text =
            ReadSection(f.app_dir() + "FAQ.dat", std::string(SectionName(*section)));
        QCOMPARE(widgets::ToQt(text),
                 want.toString().replace(QLatin1Char('\n'), QStringLiteral("\r\n")) +
                     QStringLiteral("\r\n"));
        QCOMPARE(qobject_cast<QPlainTextEdit*>(control)->toPlainText().trimmed(),
                 want.toString().replace(QChar(0xA0), QLatin1Char(' ')));
        continue;
      }
      const FaqValue value = std::get<FaqValue>(binding.target);
      if (want.userType() == QMetaType::QColor) {
        QCOMPARE(stored.Integer(value), widgets::StoredFromColour(want.value<QColor>()));
        const QColor shown = qobject_cast<widgets::ColourPanel*>(control) != nullptr
                                 ? qobject_cast<widgets::ColourPanel*>(control)->Background()
                                 : qobject_cast<widgets::ColourLabel*>(control)->Colour();
        QCOMPARE(shown, want.value<QColor>());
      } else if (want.userType() == QMetaType::Bool) {
        QCOMPARE(stored.Boolean(value), want.toBool());
        QCOMPARE(qobject_cast<QCheckBox*>(control)->isChecked(), want.toBool());
      } else if (want.userType() == QMetaType::Int) {
        QCOMPARE(stored.Integer(value), want.toInt());
        if (auto* radio = qobject_cast<widgets::RadioGroup*>(control))
          QCOMPARE(radio->ItemIndex(), want.toInt());
        else
          QCOMPARE(qobject_cast<QSpinBox*>(control)->value(), want.toInt());
      } else {
        QCOMPARE(widgets::ToQt(stored.Text(value)), want.toString());
        auto* box = qobject_cast<QComboBox*>(control);
        QCOMPARE(box != nullptr ? box->currentText() : qobject_cast<QLineEdit*>(control)->text(),
                 want.toString());
      }
    }
    const auto values = f.settings().ReadValues(FaqKeyOf("FAQ"));
    QVERIFY(std::any_of(values.begin(), values.end(),
                        [](const NamedValue& v) { return v.name == "Startpage"; }));
  }

  // A row whose typed value is not of the kind the values table gives that value is refused when
  // the window starts (a text field bound to the font size would store text where a number is).
  void ARowOfTheWrongKindIsRefused() {
    const app::OptionBinding row =
        app::Bind<QLineEdit>("FontSize", app::TextValue(FaqValue::FontSize));
    QVERIFY_THROWS_EXCEPTION(std::logic_error,
                             app::detail::TypedTarget<app::Setting<std::string>>(row));
    const app::OptionBinding right = app::Bind<QLineEdit>("Title", app::TextValue(FaqValue::Title));
    QCOMPARE(app::detail::TypedTarget<app::Setting<std::string>>(right).value, FaqValue::Title);
  }

  void NothingIsStoredBeforeAFieldIsLeftAndAnEmptiedEditorStoresAnEmptySection() {
    WindowFixture f;
    f.Start();
    WindowFixture::Type(f.Find("Title"), QStringLiteral("half"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Title"), std::string("?"));
    WindowFixture::Leave(f.Find("Title"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Title"), std::string("half"));
    WindowFixture::Type(f.Find("HeaderCode"), QStringLiteral("<meta a>"));
    WindowFixture::Leave(f.Find("HeaderCode"));
    WindowFixture::Type(f.Find("HeaderCode"), QString());
    WindowFixture::Leave(f.Find("HeaderCode"));
    QCOMPARE(ReadSection(f.app_dir() + "FAQ.dat", "HeaderCode"), std::string());
    // The spin field keeps 0 to 40.
    WindowFixture::Type(f.Find("FontSize"), QStringLiteral("99"));
    QVERIFY(f.ReadInt(FaqKeyOf("FAQ"), "FontSize") <= 40);
  }

  // Tab moves the focus out of every multi-line editor; no tab character is stored.
  void TabLeavesTheCodeEditors() {
    WindowFixture f;
    f.Start();
    for (const char* name : {"HeaderCode", "FrameHead", "Header", "Footer"}) {
      if (!f.Find(name)->isEnabled())
        WindowFixture::Click(f.Find<widgets::RadioGroup>("RadioLayout")->Button(1));
      WindowFixture::Type(f.Find(name), QStringLiteral("<x>"));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QVERIFY2(!f.Find(name)->hasFocus(), name);
      QCOMPARE(qobject_cast<QPlainTextEdit*>(f.Find(name))->toPlainText(), QStringLiteral("<x>"));
    }
    QVERIFY(ReadWholeFile(f.app_dir() + "FAQ.dat").find('\t') == std::string::npos);
  }

  // Tab walks every page in order and reaches every control on it, the colour panels and labels
  // too.
  void TabOrderOfEveryPage() {
    WindowFixture f;
    f.Start();
    WindowFixture::Click(f.Find<widgets::RadioGroup>("RadioLayout")->Button(1));
    WindowFixture::Click(f.Find<widgets::RadioGroup>("RadioAnswers")->Button(0));
    WindowFixture::Click(f.Find("butAddQuestion"));
    WindowFixture::Type(f.Find("Question"), QStringLiteral("Selected?"));
    QTest::mouseClick(f.Find("butQOK"), Qt::LeftButton);
    const std::vector<std::pair<const char*, QStringList>> pages = {
        {"tabGeneral",
         {"edtDirectory", "butBrowse", "StartPage", "edtExt", "FontName", "FontSize",
          "chkQBlankLine", "DisableBanner", "Title", "HeaderCode"}},
        {"tabLayout",
         {"RadioPageStyle0", "edtLanguage", "edtDescription", "edtSiteAddress", "chkUseMyColors",
          "chkStructuredData", "RadioLayout1", "RadioFrames0", "RadioAnswers0", "PagePrefix",
          "FrameSize", "FrameIt", "FrameHead"}},
        {"tabFAQ",
         {"butAddQuestion", "butDelQuestion", "butEditQuestion", "butQdown", "butQup",
          "lstQuestions", "cmbFormat", "Answer"}},
        {"tabAnswer",
         {"APageColor", "ATextColor", "ALinkColor", "AVLinkColor", "AALinkColor",
          "AQuestionBackColor", "AQTextColor", "butACeqQC", "AnswerBackImage", "AnswerCodeTabs",
          "Header"}},
        {"tabQuestion",
         {"QPageName", "QPageColor", "QTextColor", "QLinkColor", "QVLinkColor", "QALinkColor",
          "butQCeqAC", "QuestionBackImage", "QuestionCodeTabs", "QHeader"}},
        {"Links", {"LinkQuestions", "LinkTop", "LinkPrevious", "LinkNext", "staticClickOnQ"}},
        {"tabGlobal", {"edtBackupDir", "butBackDirBrowse", "butBackup", "butRestore"}},
        {"tabAbout", {"LnkLabel1", "LnkLabel2", "butUpdates", "LnkLabel3", "LnkLabel4"}},
    };
    for (const auto& [page, order] : pages) {
      f.ShowPage(page);
      WindowFixture::CheckTabWalk(f.Find(order.front().toLatin1().constData()), f.Find(page),
                                  order);
      if (QTest::currentTestFailed()) return;
    }
  }

  // Every colour is reached by Tab, shows that it has the focus, opens the picker with Space or
  // Enter, and is named for screen readers.
  void ColoursArePickedByKeyboard() {
    WindowFixture f;
    f.Start();
    f.ShowPage("tabAnswer");
    QWidget* image = f.Find("AnswerBackImage");
    WindowFixture::Click(image);
    QTest::keyClick(image, Qt::Key_Backtab);  // "Set to Question colors" is off in this layout
    QWidget* label = f.Find("AQTextColor");
    QCOMPARE(QApplication::focusWidget(), label);
    f.desktop.colour_answers = {QColor(1, 2, 3)};
    QTest::keyClick(label, Qt::Key_Space);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AQuestionTextColor"), 0x030201);
    QWidget* panel = f.Find("AQuestionBackColor");
    const QImage label_focused = label->grab().toImage();
    const QRect caption(0, 0, panel->width(), label->y());  // above its label
    const QImage panel_unfocused = panel->grab(caption).toImage();
    QTest::keyClick(label, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), panel);
    // The focus is drawn: each looks different with it.
    QVERIFY(label->grab().toImage() != label_focused);
    QVERIFY(panel->grab(caption).toImage() != panel_unfocused);
    f.desktop.colour_answers = {QColor(4, 5, 6)};
    QTest::keyClick(panel, Qt::Key_Return);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AQuestionBackColor"), 0x060504);
    auto name = [](QWidget* w) {
      return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    };
    QCOMPARE(name(panel), QStringLiteral("Question background color"));
    QCOMPARE(name(label), QStringLiteral("Question Text Color"));
    QCOMPARE(name(f.Find("APageColor")), QStringLiteral("Answer page background color"));
  }

  // No two controls the user can reach at once share an accelerator: the toolbar, the tabs and
  // the page in front, for every page; and the question dialog and the import window, each of
  // which has the keyboard to itself while it has the focus.
  void NoTwoReachableControlsShareAnAccelerator() {
    WindowFixture f;
    f.Start();
    WindowFixture::Click(f.Find<widgets::RadioGroup>("RadioLayout")->Button(1));
    auto collect = [](QWidget* scope, std::map<QString, QStringList>& keys) {
      auto add = [&](const QString& text, const QString& owner) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty()) keys[key.toString()] << owner;
      };
      for (QWidget* w : scope->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(scope)) continue;
        if (auto* button = qobject_cast<QAbstractButton*>(w)) add(button->text(), button->text());
        if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && label->buddy() != nullptr)
          add(label->text(), label->text());
        if (auto* bar = qobject_cast<QTabBar*>(w))
          for (int i = 0; i < bar->count(); ++i)
            if (bar->isTabVisible(i)) add(bar->tabText(i), bar->tabText(i));
      }
    };
    auto shared = [](const std::map<QString, QStringList>& keys) {
      QStringList clashes;
      for (const auto& [key, owners] : keys)
        if (owners.size() > 1) clashes << key + QLatin1Char(' ') + owners.join(QLatin1Char('|'));
      return clashes.join(QStringLiteral("; "));
    };
    for (int i = 0; i < Pages(f)->count(); ++i) {
      std::map<QString, QStringList> keys;
      collect(f.Find("ToolBar1"), keys);
      for (int tab = 0; tab < Pages(f)->count(); ++tab)
        if (Pages(f)->isTabVisible(tab))
          keys[QKeySequence::mnemonic(Pages(f)->tabText(tab)).toString()] << Pages(f)->tabText(tab);
      collect(Pages(f)->widget(i), keys);
      QCOMPARE(shared(keys), QString());
    }
    for (const char* window : {"frmQuestion", "frmImport"}) {
      std::map<QString, QStringList> keys;
      collect(f.Find(window), keys);
      QCOMPARE(shared(keys), QString());
    }
  }

  void MnemonicsReachTheTabsAndTheFields() {
    WindowFixture f;
    f.Start();
    QTest::keyClick(&f.window(), Qt::Key_Y, Qt::AltModifier);
    QCOMPARE(Pages(f)->currentWidget(), f.Find("tabLayout"));
    QTest::keyClick(&f.window(), Qt::Key_N, Qt::AltModifier);
    QCOMPARE(Pages(f)->currentWidget(), f.Find("tabGeneral"));
    QTest::keyClick(&f.window(), Qt::Key_E, Qt::AltModifier);
    QVERIFY(f.Find("Title")->hasFocus());
    QTest::keyClick(&f.window(), Qt::Key_Q, Qt::AltModifier);
    QCOMPARE(Pages(f)->currentWidget(), f.Find("tabFAQ"));
    QTest::keyClick(&f.window(), Qt::Key_O, Qt::AltModifier);
    QTest::keyClick(&f.window(), Qt::Key_I, Qt::AltModifier);
    QVERIFY(f.Find("edtBackupDir")->hasFocus());
    QVERIFY(!f.Find<QPushButton>("butBackup")->shortcut().isEmpty());
    QVERIFY(!f.Find<QPushButton>("butGo")->shortcut().isEmpty());
  }

  // A screen reader names every control the keyboard reaches, from its caption or its hint.
  void EveryFocusableControlHasAnAccessibleName() {
    WindowFixture f;
    f.Start();
    WindowFixture::Click(f.Find<widgets::RadioGroup>("RadioLayout")->Button(1));
    QStringList unnamed;
    auto check = [&](QWidget* top) {
      for (QWidget* w : top->findChildren<QWidget*>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(top) ||
            w->focusProxy() != nullptr)
          continue;
        if (qobject_cast<QLineEdit*>(w) != nullptr && qobject_cast<QComboBox*>(w->parentWidget()))
          continue;  // the combo box's own edit: the combo box is named
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        if (face == nullptr || face->text(QAccessible::Name).trimmed().isEmpty())
          unnamed << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                : w->objectName());
      }
    };
    for (int i = 0; i < Pages(f)->count(); ++i) {
      Pages(f)->setCurrentIndex(i);
      check(Pages(f)->widget(i));
    }
    check(f.Find("ToolBar1"));
    check(f.Find("frmQuestion"));
    check(f.Find("frmImport"));
    QCOMPARE(unnamed.join(QLatin1Char(' ')), QString());
    QCOMPARE(QAccessible::queryAccessibleInterface(f.Find("butQup"))->text(QAccessible::Name),
             QStringLiteral("Move up"));
    QCOMPARE(QAccessible::queryAccessibleInterface(f.Find("edtDirectory"))->text(QAccessible::Name),
             QStringLiteral("Directory"));
  }

  void TypedFontFamilyIsStoredAfterEveryKeystroke() {
    WindowFixture f;
    f.Start();
    WindowFixture::Type(f.Find("FontName"), QStringLiteral("My Fo"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "FontName"), std::string("My Fo"));
    QTest::keyClicks(f.Find<QComboBox>("FontName")->lineEdit(), QStringLiteral("nt"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "FontName"), std::string("My Font"));
    f.Close();
    f.Start();
    QCOMPARE(f.Find<QComboBox>("FontName")->currentText(), QStringLiteral("My Font"));
  }

  void SwitchingFaqStoresTheEditedTitleIntoTheFaqLeft() {
    WindowFixture f;
    f.settings().CreateKey(FaqKeyOf("One"));
    f.settings().CreateKey(FaqKeyOf("Two"));
    f.Start();
    WindowFixture::Type(f.Find("Title"), QStringLiteral("Edited in One"));
    WindowFixture::Choose(f.Find("cmbFaqName"), 1);
    QCOMPARE(f.Read(FaqKeyOf("One"), "Title"), std::string("Edited in One"));
    QCOMPARE(f.Read(FaqKeyOf("Two"), "Title"), std::string("?"));
    QCOMPARE(f.Find<QLineEdit>("Title")->text(), QStringLiteral("FAQ"));
  }

  void AddRefusesExistingNamesWithoutCaseAndAcceptsLeadingBlank() {
    WindowFixture f;
    f.Start();
    f.desktop.input_answers = {QStringLiteral(""), QStringLiteral("faq"), QStringLiteral(" FAQ")};
    WindowFixture::Click(f.Find("butAddFaq"));
    QCOMPARE(f.desktop.inputs.size(), size_t{3});
    QCOMPARE(f.desktop.inputs[0].caption, QStringLiteral("New FAQ"));
    QCOMPARE(f.desktop.inputs[0].prompt, QStringLiteral("Add FAQ name"));
    QCOMPARE(f.desktop.inputs[1].prompt, QStringLiteral("Please enter a name for FAQ."));
    QCOMPARE(f.desktop.inputs[2].prompt,
             QStringLiteral("The name already exists. Please select a new one."));
    QCOMPARE(f.desktop.inputs[2].text, QStringLiteral("faq"));
    auto* faqs = f.Find<QComboBox>("cmbFaqName");
    QCOMPARE(faqs->count(), 2);
    QCOMPARE(faqs->currentText(), QStringLiteral(" FAQ"));
    QVERIFY(f.settings().KeyExists(FaqKeyOf(" FAQ")));
    QVERIFY(FileExists(f.app_dir() + " FAQ.dat"));
    f.desktop.input_answers = {std::nullopt};
    WindowFixture::Click(f.Find("butAddFaq"));
    QCOMPARE(faqs->count(), 2);
  }

  // Where the documents folder cannot be made no document can be: the error is shown and no FAQ
  // is added.
  void AddWithoutTheApplicationFolderSaysSoAndAddsNothing() {
    WindowFixture f;
    f.Start();
    QString folder = QString::fromStdString(f.app_dir());
    QDir(folder).removeRecursively();
    folder.chop(1);
    QFile blocker(folder);  // a file where the folder would be
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    f.desktop.input_answers = {QStringLiteral("New")};
    WindowFixture::Click(f.Find("butAddFaq"));
    QCOMPARE(f.desktop.boxes.size(), size_t{1});
    QCOMPARE(f.desktop.boxes[0].icon, widgets::BoxIcon::Error);
    // The folder's lock, taken before the catalogue changes, finds it cannot be made.
    QVERIFY(f.desktop.boxes[0].text.startsWith(QStringLiteral("Cannot open file")));
    QCOMPARE(f.Find<QComboBox>("cmbFaqName")->count(), 1);
    QVERIFY(!f.settings().KeyExists(FaqKeyOf("New")));
  }

  // FAQs another program adds or deletes show in the running window once it is activated, and
  // before each catalogue command runs; a name that clashes with a FAQ another program added is
  // refused, and a backup holds that FAQ's document.
  void TheFaqListFollowsTheStore() {
    WindowFixture f;
    f.Start();
    auto* faqs = f.Find<QComboBox>("cmbFaqName");
    auto entries = [&] {
      QStringList names;
      for (int i = 0; i < faqs->count(); ++i) names << faqs->itemText(i);
      return names;
    };
    auto add_elsewhere = [&](const std::string& name) {
      f.settings().CreateKey(FaqKeyOf(name));
      WriteSection(f.app_dir() + name + ".dat", "Question 0", {name + "?"});
    };
    add_elsewhere("Beta");
    f.Reactivate();
    QCOMPARE(entries(), (QStringList{"FAQ", "Beta"}));
    add_elsewhere("Gamma");  // the window is not activated again
    f.desktop.input_answers = {QStringLiteral("gamma"), std::nullopt};
    WindowFixture::Click(f.Find("butAddFaq"));
    QCOMPARE(f.desktop.inputs.back().prompt,
             QStringLiteral("The name already exists. Please select a new one."));
    QVERIFY(!FileExists(f.app_dir() + "gamma.dat"));
    QCOMPARE(entries(), (QStringList{"FAQ", "Beta", "Gamma"}));
    add_elsewhere("Delta");
    f.desktop.input_answers = {QStringLiteral("DELTA"), std::nullopt};
    WindowFixture::Click(f.Find("butDuplicate"));
    QCOMPARE(f.desktop.inputs.back().prompt,
             QStringLiteral("The name already exists. Please select a new one."));
    f.settings().DeleteKeyTree(FaqKeyOf("Beta"));
    add_elsewhere("Epsilon");
    WindowFixture::Click(f.Find("butBackup"));
    QVERIFY(FileExists(f.app_dir() + "Backup/Epsilon.dat"));
    QVERIFY(!FileExists(f.app_dir() + "Backup/Beta.dat"));
    QCOMPARE(entries(), (QStringList{"FAQ", "Gamma", "Delta", "Epsilon"}));
    // The current FAQ deleted elsewhere: the first entry is shown.
    WindowFixture::Choose(faqs, 3);
    f.settings().DeleteKeyTree(FaqKeyOf("Epsilon"));
    f.Reactivate();
    QCOMPARE(entries(), (QStringList{"FAQ", "Gamma", "Delta"}));
    QCOMPARE(faqs->currentText(), QStringLiteral("FAQ"));
  }

  void DeletingTheOnlyFaqLeavesAFreshFaq() {
    WindowFixture f;
    f.Start();
    WindowFixture::Type(f.Find("Title"), QStringLiteral("Old"));
    WindowFixture::Leave(f.Find("Title"));
    WriteSection(f.app_dir() + "FAQ.dat", "Question 0", {"Q"});
    f.desktop.box_answers = {widgets::BoxAnswer::Cancel};
    WindowFixture::Click(f.Find("butDelFaq"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Title"), std::string("Old"));
    QCOMPARE(f.desktop.boxes.back().caption, QStringLiteral("Delete FAQ"));
    QCOMPARE(f.desktop.boxes.back().text,
             QStringLiteral("Are you sure you want to delete the selected FAQ?"));
    QCOMPARE(f.desktop.boxes.back().default_button, widgets::BoxAnswer::Cancel);
    f.desktop.box_answers = {widgets::BoxAnswer::Ok};
    WindowFixture::Click(f.Find("butDelFaq"));
    auto* faqs = f.Find<QComboBox>("cmbFaqName");
    QCOMPARE(faqs->count(), 1);
    QCOMPARE(faqs->currentText(), QStringLiteral("FAQ"));
    QCOMPARE(f.Find<QLineEdit>("Title")->text(), QStringLiteral("FAQ"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Title"), std::string("?"));
    QCOMPARE(ReadWholeFile(f.app_dir() + "FAQ.dat"), std::string());
  }

  void DuplicateProposesNameMinusOneAndCopiesIndependently() {
    WindowFixture f;
    f.Start();
    WindowFixture::Type(f.Find("Title"), QStringLiteral("Original"));
    WindowFixture::Leave(f.Find("Title"));
    WindowFixture::Type(f.Find("Footer"), QStringLiteral("<hr>"));
    WindowFixture::Leave(f.Find("Footer"));
    f.desktop.input_answers = {QStringLiteral("FAQ-1")};
    WindowFixture::Click(f.Find("butDuplicate"));
    QCOMPARE(f.desktop.inputs[0].caption, QStringLiteral("Duplicate document"));
    QCOMPARE(f.desktop.inputs[0].prompt,
             QStringLiteral("Please enter a name for the duplicate document"));
    QCOMPARE(f.desktop.inputs[0].text, QStringLiteral("FAQ-1"));
    QCOMPARE(f.Find<QComboBox>("cmbFaqName")->currentText(), QStringLiteral("FAQ-1"));
    QCOMPARE(f.Find<QLineEdit>("Title")->text(), QStringLiteral("Original"));
    // A section reads back with its final line break, as the editor shows it.
    QCOMPARE(f.Find<QPlainTextEdit>("Footer")->toPlainText(), QStringLiteral("<hr>\n"));
    WindowFixture::Type(f.Find("Title"), QStringLiteral("Copy"));
    WindowFixture::Leave(f.Find("Title"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Title"), std::string("Original"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ-1"), "Title"), std::string("Copy"));
  }

  void ColourPickerCancelChangesNothingAndStartsOnTheLastPick() {
    WindowFixture f;
    f.Start();
    f.desktop.colour_answers = {std::nullopt};
    ClickColour(f.Find("ALinkColor"));
    QCOMPARE(f.Find<widgets::ColourLabel>("ALinkColor")->Colour(), QColor(0, 0, 255));
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswerLinkColor"), -999);
    f.desktop.colour_answers = {QColor(0x11, 0x22, 0x33)};
    ClickColour(f.Find("ATextColor"));
    QCOMPARE(f.Find<widgets::ColourLabel>("ATextColor")->Colour(), QColor(0x11, 0x22, 0x33));
    QCOMPARE(f.Find<widgets::ColourPanel>("APageColor")->CaptionColour(), QColor(0x11, 0x22, 0x33));
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswerTextColor"), 0x332211);
    WindowFixture::Click(f.Find<widgets::RadioGroup>("RadioLayout")->Button(1));
    f.desktop.colour_answers = {QColor(Qt::white)};
    ClickColour(f.Find("QPageColor"));
    QCOMPARE(f.desktop.colour_starts.back(), QColor(0x11, 0x22, 0x33));
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "QuestionPageColor"), 0xFFFFFF);
  }

  // One click on a colour label opens one picker and stores one value; the panel keeps its own.
  void OneClickOnAColourLabelIsOnePick() {
    WindowFixture f;
    f.Start();
    for (const char* label :
         {"ATextColor", "ALinkColor", "AVLinkColor", "AALinkColor", "AQTextColor"}) {
      const std::size_t before = f.desktop.colour_starts.size();
      f.desktop.colour_answers = {QColor(Qt::white), QColor(Qt::white)};
      ClickColour(f.Find(label));
      QCOMPARE(f.desktop.colour_starts.size(), before + 1);
    }
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswerPageColor"), -999);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AQuestionBackColor"), -999);
  }

  void SetToQuestionColorsOnDefaultsWritesTheQuestionDefaults() {
    WindowFixture f;
    f.Start();
    f.desktop.colour_answers = {QColor(1, 2, 3)};
    ClickColour(f.Find("AQTextColor"));
    WindowFixture::Click(f.Find<widgets::RadioGroup>("RadioLayout")->Button(1));
    WindowFixture::Click(f.Find("butACeqQC"));
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswerPageColor"), 0xC0C0C0);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswerTextColor"), 0x000000);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswerLinkColor"), 0xFF0000);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswerVisitedLinkColor"), 0x800080);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AnswerActiveLinkColor"), 0x0000FF);
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "AQuestionTextColor"), 0x030201);  // untouched
    f.desktop.colour_answers = {QColor(0, 0, 0x80)};
    ClickColour(f.Find("AALinkColor"));
    WindowFixture::Click(f.Find("butQCeqAC"));
    QCOMPARE(f.ReadInt(FaqKeyOf("FAQ"), "QuestionActiveLinkColor"), 0x800000);
    QCOMPARE(f.Find<widgets::ColourLabel>("QALinkColor")->Colour(), QColor(0, 0, 0x80));
  }

  void BrowseStoresThePickedFolderAndCancelKeepsTheField() {
    WindowFixture f;
    f.Start();
    WindowFixture::Type(f.Find("edtDirectory"), QString());
    f.desktop.folder_answers = {std::nullopt, QStringLiteral("/srv/www/faq")};
    WindowFixture::Click(f.Find("butBrowse"));
    QCOMPARE(f.desktop.folder_starts.back(), QString::fromStdString(f.app_dir()));
    QCOMPARE(f.Find<QLineEdit>("edtDirectory")->text(), QString());
    WindowFixture::Click(f.Find("butBrowse"));
    QCOMPARE(f.Find<QLineEdit>("edtDirectory")->text(), QStringLiteral("/srv/www/faq"));
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Directory"), std::string("/srv/www/faq"));
  }

  void GoWithAnEmptyDirectoryShowsTheStandardErrorBox() {
    WindowFixture f;
    f.Start();
    WindowFixture::Type(f.Find("edtDirectory"), QString());
    WindowFixture::Click(f.Find("butGo"));  // the field being edited is stored first
    QCOMPARE(f.Read(FaqKeyOf("FAQ"), "Directory"), std::string());
    QCOMPARE(f.desktop.boxes.size(), size_t{1});
    QCOMPARE(f.desktop.boxes[0].caption, QStringLiteral("Quorella"));
    QCOMPARE(f.desktop.boxes[0].text, QStringLiteral("Unable to create directory."));
    QCOMPARE(f.desktop.boxes[0].icon, widgets::BoxIcon::Error);
    QCOMPARE(f.Find<widgets::TFriendlyStatusBar>("StatusBar")->PanelText(0),
             QStringLiteral("Unable to create directory."));
    QVERIFY(f.desktop.opened.isEmpty());
    // The window goes on: the next command runs.
    WindowFixture::Click(f.Find("butBrowser"));
    QCOMPARE(f.desktop.opened.size(), 1);
  }

  // Go writes the pages, says what it wrote and what it left unchanged, and opens the start page;
  // a browser that cannot be started is named.
  void GoWritesThePagesSaysSoAndOpensTheStartPage() {
    WindowFixture f;
    f.Start();
    const QString out = QString::fromStdString(f.app_dir()) + QStringLiteral("site/faq");
    auto* status = f.Find<widgets::TFriendlyStatusBar>("StatusBar");
    WindowFixture::Type(f.Find("edtDirectory"), out);
    WindowFixture::Click(f.Find<widgets::RadioGroup>("RadioAnswers")->Button(0));
    for (const char* question : {"One?", "Two?"}) {
      WindowFixture::Click(f.Find("butAddQuestion"));
      WindowFixture::Type(f.Find("Question"), QString::fromLatin1(question));
      QTest::mouseClick(f.Find("butQOK"), Qt::LeftButton);
    }
    WindowFixture::Click(f.Find("butGo"));
    const std::string start = out.toStdString() + "/faq.html";
    QVERIFY(FileExists(start));
    QVERIFY(ReadWholeFile(start).starts_with("<HTML>\r\n<HEAD>\r\n<TITLE>FAQ</TITLE>\r\n"));
    QCOMPARE(f.desktop.opened, QStringList{QString::fromStdString(start)});
    QCOMPARE(status->PanelText(0), QStringLiteral("Wrote 3 pages to ") + out);
    QVERIFY(!status->progress()->isVisible());
    WindowFixture::Type(f.Find("Answer"), QStringLiteral("Changed"));
    f.desktop.opens = false;
    WindowFixture::Click(f.Find("butGo"));
    QCOMPARE(status->PanelText(0),
             QStringLiteral("Wrote 1 page to %1, 2 unchanged. The web browser could not be "
                            "started to open \"%2\".")
                 .arg(out, QString::fromStdString(start)));
    f.desktop.opens = true;
    WindowFixture::Click(f.Find("butBrowser"));
    QCOMPARE(f.desktop.opened.size(), 3);
  }

  // A question in another script, typed key by key, names its Modern page in Latin letters: the
  // transliteration is loaded by the window's Go as by the command line's.
  void GoNamesAModernPageFromAQuestionInAnotherScript() {
    WindowFixture f;
    f.Start();
    const QString out = QString::fromStdString(f.app_dir()) + QStringLiteral("site/voprosy");
    WindowFixture::Type(f.Find("edtDirectory"), out);
    WindowFixture::Click(f.Find<widgets::RadioGroup>("RadioAnswers")->Button(0));
    WindowFixture::Click(f.Find<widgets::RadioGroup>("RadioPageStyle")->Button(1));
    WindowFixture::Click(f.Find("butAddQuestion"));
    TypeOnKeyboard(f.Find("Question"), QStringLiteral("Привет, как дела? 🎉"));
    QTest::mouseClick(f.Find("butQOK"), Qt::LeftButton);
    WindowFixture::Click(f.Find("butGo"));
    QVERIFY(FileExists(out.toStdString() + "/faq.html"));
    const QStringList pages = QDir(out).entryList({QStringLiteral("*privet-kak-dela*")});
    QCOMPARE(pages.size(), 1);
    QVERIFY2(ReadWholeFile(out.toStdString() + "/faq.html").find("Привет, как дела?") !=
                 std::string::npos,
             qPrintable(pages.join(',')));
  }

  // A status text is shown whole, however long.
  void StatusTextsAreReadableWhole() {
    WindowFixture f;
    f.Start();
    auto* status = f.Find<widgets::TFriendlyStatusBar>("StatusBar");
    const QString text = QStringLiteral("Writing Start Page and every answer page of the FAQ");
    status->SetPanelText(0, text);
    QApplication::processEvents();
    QLabel* panel = status->Panel(0);
    QVERIFY(panel->width() >= panel->fontMetrics().horizontalAdvance(text));
  }

  void AFaqThatCannotBeReadShowsTheErrorAndTheWindowStaysUsable() {
    WindowFixture f;
    f.settings().WriteSettingString(FaqKeyOf("FAQ"), "FontSize", "twelve");
    f.Start();
    QCOMPARE(f.desktop.boxes.size(), size_t{1});
    QCOMPARE(f.desktop.boxes[0].text, QStringLiteral("Invalid data type for 'FontSize'."));
    WindowFixture::Click(f.Find("butHelp"));
    QCOMPARE(f.desktop.help_topics, std::vector<int>{10});
  }

  // F1 opens the topic of the page whose tab was clicked, or of the control in use.
  void F1OpensTheTopicOfThePageOrControl() {
    WindowFixture f;
    f.Start();
    WindowFixture::Click(f.Find("butHelp"));
    QTabBar* bar = Pages(f)->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(6).center());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    WindowFixture::Click(f.Find("edtDirectory"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    WindowFixture::Click(f.Find("butDuplicate"));
    f.desktop.input_answers.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(f.desktop.help_topics, (std::vector<int>{10, 130, 170, 110, 37}));
  }

  void AboutPanelStaysCentred() {
    WindowFixture f;
    app::TfrmMain& w = f.Start();
    f.ShowPage("tabAbout");
    w.resize(901, 650);
    QApplication::processEvents();
    QWidget* page = f.Find("tabAbout");
    QWidget* panel = f.Find("AboutBox");
    const int free_space = page->width() - panel->width();
    QVERIFY(std::abs(panel->x() * 2 - free_space) <= 1);
  }
};

}  // namespace quorella::testing

QTEST_MAIN(quorella::testing::MainWindowTest)
#include "main_window_test.moc"
