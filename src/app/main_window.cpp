#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <cmath>

#include "app/about_box.h"
#include "app/backup_panel.h"
#include "app/resources.h"
#include "store/catalogue.h"
#include "store/custom_colors.h"
#include "store/values.h"
#include "util/errors.h"
#include "util/paths.h"
#include "widgets/desktop_services.h"
#include "widgets/friendly_status_bar.h"
#include "widgets/label_3d.h"
#include "widgets/qt_text.h"
#include "widgets/ver_info.h"

namespace quorella::app {

using widgets::Desktop;
using widgets::FromQt;
using widgets::ToQt;

StartOptions StartOptionsFromEnvironment(const QStringList& arguments) {
  return {arguments, SettingsDatabasePath(), ApplicationDirectory(), DefaultOutputDirectory()};
}

TfrmMain::TfrmMain(const StartOptions& options, QWidget* parent)
    : QMainWindow(parent), options_(options), ver_info_(std::make_unique<widgets::VerInfo>()) {
  InitResources();
  setObjectName(QStringLiteral("frmMain"));
  resize(475, 407);
  setMinimumSize(475, 405);
  BuildToolbar();
  BuildPages();
  StatusBar = new widgets::TFriendlyStatusBar(this);
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->AddPanel(100);
  setStatusBar(StatusBar);
  ConnectHandlers();
  FormCreate();
}

TfrmMain::~TfrmMain() {
  FormDestroy();
}

QString TfrmMain::HelpFile() const {
  const std::string found =
      FindInstalledFile(context_->app_dir(), DirectoryOf(ProgramFile()), "quorel.hlp");
  // A missing help file is reported under the name a user's own copy would have.
  return ToQt(found.empty() ? context_->app_dir() + "quorel.hlp" : found);
}

void TfrmMain::FormCreate() {
  // 1. The application key in force.
  const bool test_key =
      !options_.arguments.isEmpty() &&
      options_.arguments.first().compare(QStringLiteral("test"), Qt::CaseInsensitive) == 0;
  context_ = std::make_unique<AppContext>(options_.database_path, options_.app_dir, test_key,
                                          options_.output_dir);
  // 2. The banner fragment, once for the whole run.
  banner_ = BuildBannerFragment();
  // 3. The answer list lives in the current FAQ, empty until a FAQ is loaded.
  current_ = std::make_unique<Faq>(context_->output_dir());
  questions_ = std::make_unique<QuestionModel>(context_->settings(), *current_);
  // 4. Application directory, program title and version text.
  program_title_ = QStringLiteral("Quorella");
  version_text_ = ver_info_->Value(QStringLiteral("FileVersion"));
  // 5. The about panel.
  AboutBox->lblAppName->setText(program_title_);
  AboutBox->lblAppVersion->setText(QStringLiteral("Version ") + version_text_);
  AboutBox->lblAppDesc->setText(ver_info_->Value(QStringLiteral("Comments")));
  AboutBox->lblCopyright->setText(ver_info_->Value(QStringLiteral("LegalCopyright")));
  // 6. The short name.
  short_name_ = QStringLiteral("quorel");
  // 7. The backup panel's key and folder.
  Backup->SetSettingsKey(context_->app_key());
  Guard([&] {
    Backup->edtBackupDir->setText(ToQt(ReadAppString(context_->settings(), context_->app_key(),
                                                     AppValue::BackupDir, context_->app_dir())));
  });
  // 8. The caption from the file version's first three numbers.
  setWindowTitle(QStringLiteral("%1 v%2.%3.%4")
                     .arg(program_title_)
                     .arg(ver_info_->Major())
                     .arg(ver_info_->Minor())
                     .arg(ver_info_->Release()));
  // 9. The help file is found through HelpFile().
  // 10. The General page in front; the Question Page tab only in the Frames layout.
  PageControl->setCurrentWidget(tabGeneral);
  PageControl->setTabVisible(PageControl->indexOf(tabQuestion), false);
  // 11. The FAQ selector.
  Guard([&] {
    for (const auto& name : ListFaqs(*context_)) cmbFaqName->addItem(ToQt(name));
  });
  // 12. The colour picker's custom colours.
  Guard([&] {
    const CustomColours stored = ParseCustomColours(ReadAppString(
        context_->settings(), context_->app_key(), AppValue::CustomColors, context_->app_dir()));
    std::array<QColor, 16> colours;
    for (std::size_t i = 0; i < colours.size(); ++i)
      if (stored[i] != kUnsetColour) colours[i] = widgets::ColourFromStored(stored[i]);
    Desktop().SetCustomColours(colours);
  });
  // 13. The FAQ selected at the last shutdown; a position outside the list selects nothing.
  // 14. The window where it was.
  Guard([&] {
    const int last = ReadAppInteger(context_->settings(), context_->app_key(), AppValue::LastFAQ);
    cmbFaqName->setCurrentIndex(last >= 0 && last < cmbFaqName->count() ? last : -1);
    move(ReadAppInteger(context_->settings(), context_->app_key(), AppValue::Left),
         ReadAppInteger(context_->settings(), context_->app_key(), AppValue::Top));
  });
  // 15. The font list.
  FillFontList();
  // 16. The selected FAQ into the editors.
  Guard([&] { LoadFaq(); });
}

void TfrmMain::FillFontList() {
  FontName->clear();
  FontName->addItems({QStringLiteral("serif"), QStringLiteral("sans-serif"),
                      QStringLiteral("cursive"), QStringLiteral("fantasy"),
                      QStringLiteral("monospace"), QStringLiteral("Arial, Helvetica, sans-serif"),
                      QStringLiteral("Verdana, Geneva, Arial, Helvetica, sans-serif"),
                      QStringLiteral("\"MS Sans Serif\", Geneva, sans-serif"),
                      QStringLiteral("\"Times New Roman\", Times, serif"),
                      QStringLiteral("\"MS Serif\", \"New York\", serif"),
                      QStringLiteral("\"Courier New\", Courier, monospace")});
  FontName->addItems(QFontDatabase::families());
}

void TfrmMain::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  // After a restore the restored values stay as they are.
  if (restored_ || cmbFaqName->currentIndex() < 0) return;
  Guard([&] {
    std::array<QColor, 16> colours = Desktop().CustomColours();
    CustomColours stored;
    for (std::size_t i = 0; i < colours.size(); ++i)
      stored[i] = colours[i].isValid() ? widgets::StoredFromColour(colours[i]) : kUnsetColour;
    const std::string key = context_->app_key();
    context_->settings().WriteValues(
        key, {{std::string(Definition(AppValue::Top).name), RawValue::Integer(pos().y())},
              {std::string(Definition(AppValue::Left).name), RawValue::Integer(pos().x())},
              {std::string(Definition(AppValue::LastFAQ).name),
               RawValue::Integer(cmbFaqName->currentIndex())},
              {std::string(Definition(AppValue::CustomColors).name),
               RawValue::String(FormatCustomColours(stored))}});
  });
}

void TfrmMain::FormResize() {
  // The about panel stays horizontally centred (halves round to the even neighbour).
  QWidget* page = tabAbout;
  const double left = std::nearbyint((page->width() - AboutBox->width()) / 2.0);
  AboutBox->move(static_cast<int>(left), AboutBox->y());
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (!restored_) CommitFocusedEditor();
  FormDestroy();
  QMainWindow::closeEvent(event);
  RestartIfPending();
}

bool TfrmMain::Guard(const std::function<void()>& action) {
  QString message;
  try {
    action();
    return true;
  } catch (const Error& e) {
    message = ToQt(e.what());
  } catch (const std::exception& e) {
    message = QString::fromLocal8Bit(e.what());
  }
  if (!message.endsWith(QLatin1Char('.'))) message += QLatin1Char('.');
  Desktop().ShowMessage(
      this, {program_title_.isEmpty() ? QStringLiteral("Quorella") : program_title_, message,
             widgets::BoxIcon::Error, widgets::BoxButtons::Ok, widgets::BoxAnswer::Ok});
  return false;
}

void TfrmMain::ShowStatus(const QString& text) {
  StatusBar->SetPanelText(0, text);
}

void TfrmMain::WatchFocusOut(QWidget* editor, void (TfrmMain::*handler)()) {
  editor->installEventFilter(this);
  exit_handlers_.emplace_back(editor, handler);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tabAbout && event->type() == QEvent::Resize) FormResize();
  if (event->type() == QEvent::FocusOut) {
    for (const auto& [editor, handler] : exit_handlers_)
      if (editor == watched) (this->*handler)();
  }
  return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::CommitFocusedEditor() {
  QWidget* focused = QApplication::focusWidget();
  for (const auto& [editor, handler] : exit_handlers_)
    if (editor == focused) (this->*handler)();
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    int topic = 10;
    for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
      const QVariant property = w->property("helpTopic");
      if (property.isValid()) {
        topic = property.toInt();
        break;
      }
    }
    Desktop().ShowHelp(this, HelpFile(), topic);
    return;
  }
  QMainWindow::keyPressEvent(event);
}

}  // namespace quorella::app
