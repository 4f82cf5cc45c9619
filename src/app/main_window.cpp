#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

#include "app/about_box.h"
#include "app/about_tab.h"
#include "app/backup_panel.h"
#include "app/error_box.h"
#include "app/exit_watcher.h"
#include "app/import_window.h"
#include "app/option_binder.h"
#include "app/qanda_tab.h"
#include "html/banner.h"
#include "store/catalogue.h"
#include "store/custom_colours.h"
#include "store/values.h"
#include "util/paths.h"
#include "widgets/desktop_services.h"
#include "widgets/friendly_status_bar.h"
#include "widgets/qt_text.h"
#include "widgets/ver_info.h"

namespace quorella::app {

using widgets::Desktop;
using widgets::FromQt;
using widgets::ToQt;

namespace {
// The design's least size; the window opens larger when its pages need it.
constexpr QSize kLeastSize(475, 407);
}  // namespace

StartOptions StartOptionsFromEnvironment(const QStringList& arguments) {
  return {arguments, SettingsDatabasePath(), ApplicationDirectory(), DefaultOutputDirectory()};
}

TfrmMain::TfrmMain(const StartOptions& options, QWidget* parent)
    : QMainWindow(parent), options_(options), ver_info_(std::make_unique<widgets::VerInfo>()) {
  setObjectName(QStringLiteral("frmMain"));
  setMinimumSize(475, 405);
  exits_ = new ExitWatcher(this);
  BuildToolbar();
  BuildPages();
  StatusBar = new widgets::TFriendlyStatusBar(this);
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->AddPanel(100);
  setStatusBar(StatusBar);
  FormCreate();
}

TfrmMain::~TfrmMain() {
  FormDestroy();
  // The widgets lose their focus while they are torn down, after the FAQ and the store are gone:
  // nothing may store then.
  delete exits_;
  exits_ = nullptr;
  Backup->blockSignals(true);
}

void TfrmMain::FormCreate() {
  // 1. The application key in force.
  const bool test_key =
      !options_.arguments.isEmpty() &&
      options_.arguments.first().compare(QStringLiteral("test"), Qt::CaseInsensitive) == 0;
  context_ = std::make_unique<AppContext>(options_.database_path, options_.app_dir, test_key,
                                          options_.output_dir);
  // 2. The banner fragment, once for the whole run.
  banner_ = html::BuildBanner();
  // 3. The answer list lives in the current FAQ, empty until a FAQ is loaded.
  current_ = std::make_unique<Faq>(context_->output_dir());
  binder_ = new OptionBinder(PageControl, *context_, *current_, *exits_,
                             [this](FixedSection section, const std::string& text) {
                               questions_->StoreSection(section, text);
                               tabFAQ->ShowIfReloaded();
                             });
  // The import checks its name against the catalogue as it is in the store.
  frmImport = new TfrmImport(
      *context_,
      [this] {
        RunGuarded(this, [&] { RefreshFaqList(); });
        return CatalogueNames();
      },
      this);
  frmImport->hide();
  connect(frmImport, &TfrmImport::Imported, this, &TfrmMain::ShowImportedFaq);
  // 4.-6. Title, version texts and the about panel.
  const QString title = QStringLiteral("Quorella");
  TVAboutBox* about = tabAbout->about();
  about->SetTexts(title,
                  QStringLiteral("Version ") + ver_info_->Value(QStringLiteral("FileVersion")),
                  ver_info_->Value(QStringLiteral("Comments")),
                  ver_info_->Value(QStringLiteral("LegalCopyright")));
  about->SetAppDir(context_->app_dir());
  // 7. The backup panel's folder.
  RunGuarded(this, [&] {
    Backup->SetDirectory(ToQt(ReadAppString(context_->settings(), context_->app_key(),
                                            AppValue::BackupDir, context_->app_dir())));
  });
  // 8. The caption from the file version's first three numbers.
  setWindowTitle(QStringLiteral("%1 v%2.%3.%4")
                     .arg(title)
                     .arg(ver_info_->Major())
                     .arg(ver_info_->Minor())
                     .arg(ver_info_->Release()));
  // 10. The General page in front; the Question Page tab only in the Frames layout.
  PageControl->setCurrentIndex(0);
  PageControl->setTabVisible(PageControl->indexOf(tabQuestion), false);
  // 11. The FAQ selector.
  RunGuarded(this, [&] {
    for (const auto& name : ListFaqs(*context_)) cmbFaqName->addItem(ToQt(name));
  });
  // 12. The colour picker's custom colours.
  RunGuarded(this, [&] {
    const CustomColours stored = ParseCustomColours(ReadAppString(
        context_->settings(), context_->app_key(), AppValue::CustomColors, context_->app_dir()));
    std::array<QColor, 16> colours;
    for (std::size_t i = 0; i < colours.size(); ++i)
      if (stored[i] != kUnsetColour) colours[i] = widgets::ColourFromStored(stored[i]);
    Desktop().SetCustomColours(colours);
  });
  // 13. The FAQ selected at the last shutdown; a position outside the list selects nothing.
  // 14. The window where it was, at the size it had, or at one that shows every page whole.
  RunGuarded(this, [&] {
    const Settings& settings = context_->settings();
    const std::string& key = context_->app_key();
    const int last = ReadAppInteger(settings, key, AppValue::LastFAQ);
    cmbFaqName->setCurrentIndex(last >= 0 && last < cmbFaqName->count() ? last : -1);
    move(ReadAppInteger(settings, key, AppValue::Left),
         ReadAppInteger(settings, key, AppValue::Top));
    const QSize stored(ReadAppInteger(settings, key, AppValue::Width),
                       ReadAppInteger(settings, key, AppValue::Height));
    // Without a stored size the window takes one when it is first shown, laid out and polished.
    if (stored.width() > 0 && stored.height() > 0) {
      resize(stored);
      size_chosen_ = true;
    }
  });
  // 15. The font list was filled when the General page was built, before anything was connected.
  // 16. The selected FAQ into the editors.
  RunGuarded(this, [&] { LoadFaq(); });
  // What opening the store had to tell once (FAQs that a store of the earlier version held under
  // names this version takes as one, and renamed).
  for (const std::string& notice : context_->TakeNotices())
    Desktop().ShowMessage(this,
                          {QStringLiteral("Quorella"), ToQt(notice), widgets::BoxIcon::Information,
                           widgets::BoxButtons::Ok, widgets::BoxAnswer::Ok});
}

QSize TfrmMain::DefaultSize() const {
  QSize wanted = sizeHint().expandedTo(minimumSizeHint()).expandedTo(kLeastSize);
  // Every tab whole, beside the page frame's margins.
  wanted.setWidth(std::max(wanted.width(), PageControl->tabBar()->sizeHint().width() + 16));
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    wanted = wanted.boundedTo(screen->availableGeometry().size());
  return wanted;
}

void TfrmMain::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  // After a restore the restored values stay as they are.
  if (restored_ || cmbFaqName->currentIndex() < 0) return;
  RunGuarded(this, [&] {
    std::array<QColor, 16> colours = Desktop().CustomColours();
    CustomColours stored;
    for (std::size_t i = 0; i < colours.size(); ++i)
      stored[i] = colours[i].isValid() ? widgets::StoredFromColour(colours[i]) : kUnsetColour;
    auto name = [](AppValue value) { return std::string(Definition(value).name); };
    context_->settings().WriteValues(
        context_->app_key(),
        {{name(AppValue::Top), RawValue::Integer(pos().y())},
         {name(AppValue::Left), RawValue::Integer(pos().x())},
         {name(AppValue::Width), RawValue::Integer(width())},
         {name(AppValue::Height), RawValue::Integer(height())},
         {name(AppValue::LastFAQ), RawValue::Integer(cmbFaqName->currentIndex())},
         {name(AppValue::CustomColors), RawValue::String(FormatCustomColours(stored))}});
  });
}

void TfrmMain::showEvent(QShowEvent* event) {
  if (!size_chosen_) {
    size_chosen_ = true;
    resize(DefaultSize());
  }
  QMainWindow::showEvent(event);
}

void TfrmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow() || !questions_) return;
  // What another program changed meanwhile: the FAQs it added or deleted, then the current FAQ's
  // questions. A store that cannot be read now is reported by the next command that needs it, not
  // at every activation.
  try {
    RefreshFaqList();
  } catch (const std::exception&) {
  }
  tabFAQ->RefreshFromDisk();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  tabAbout->about()->CancelCheck();
  if (!restored_) CommitFocusedEditor();
  FormDestroy();
  QMainWindow::closeEvent(event);
  if (restart_pending_) {
    restart_pending_ = false;
    Desktop().StartDetached(ToQt(ProgramFile()), options_.arguments);
  }
}

void TfrmMain::CommitFocusedEditor() {
  exits_->CommitFocused();
  Backup->CommitIfEditing();
}

void TfrmMain::ShowStatus(const QString& text) {
  StatusBar->SetPanelText(0, text);
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_F1) {
    QMainWindow::keyPressEvent(event);
    return;
  }
  // The topic of the control in use, else of its page (also when the focus is on the tabs).
  int topic = 10;
  for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
    if (w == PageControl) w = PageControl->currentWidget();
    const QVariant property = w->property("helpTopic");
    if (property.isValid()) {
      topic = property.toInt();
      break;
    }
    if (w == PageControl->currentWidget()) break;
  }
  Desktop().ShowHelp(this, HelpFile(), topic);
}

QString TfrmMain::HelpFile() const {
  const std::string found =
      FindInstalledFile(context_->app_dir(), DirectoryOf(ProgramFile()), "quorel.hlp");
  // A missing help file is reported under the name a user's own copy would have.
  return ToQt(found.empty() ? context_->app_dir() + "quorel.hlp" : found);
}

void TfrmMain::butHelpClick() {
  Desktop().ShowHelp(this, HelpFile(), 10);
}

}  // namespace quorella::app
