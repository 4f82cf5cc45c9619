// The main window's toolbar and the pages it composes.
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include "app/about_box.h"
#include "app/about_tab.h"
#include "app/answer_page_tab.h"
#include "app/backup_panel.h"
#include "app/general_tab.h"
#include "app/global_tab.h"
#include "app/layout_tab.h"
#include "app/links_tab.h"
#include "app/main_window.h"
#include "app/option_binder.h"
#include "app/page_parts.h"
#include "app/qanda_tab.h"
#include "app/question_page_tab.h"
#include "app/resources.h"
#include "util/errors.h"
#include "widgets/colour_button.h"
#include "widgets/qt_text.h"

namespace quorella::app {

void TfrmMain::BuildToolbar() {
  InitResources();
  auto* bar = Named(new QToolBar(this), "ToolBar1");
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  bar->setIconSize(QSize(16, 16));
  bar->layout()->setSpacing(1);
  bar->setContentsMargins(1, 1, 1, 1);
  addToolBar(Qt::TopToolBarArea, bar);

  auto* butGo = Named(new widgets::TBitBtnWithColor(bar), "butGo");
  butGo->setText(QStringLiteral("&Go"));
  butGo->SetColor(QColor(0, 128, 0));
  QFont go_font(QStringLiteral("MS Sans Serif"));
  go_font.setPixelSize(11);
  go_font.setBold(true);
  butGo->setFont(go_font);
  QPalette yellow = butGo->palette();
  yellow.setColor(QPalette::ButtonText, Qt::yellow);
  butGo->setPalette(yellow);
  butGo->SetGlyph(QIcon(QStringLiteral(":/icons/go.svg")).pixmap(16, 16),
                  QIcon(QStringLiteral(":/icons/go-disabled.svg")).pixmap(16, 16));
  butGo->setToolTip(QStringLiteral("Generate the pages and view them"));
  butGo->setFocusPolicy(Qt::StrongFocus);  // the editor in use stores before the pages are written
  butGo->setMinimumSize(46, 26);
  bar->addWidget(butGo);
  auto* butImport = ToolButton("butImport", "import", QStringLiteral("Import FAQ"), bar);
  bar->addWidget(butImport);
  auto* butBrowser = ToolButton("butBrowser", "browser", QStringLiteral("View in browser"), bar);
  bar->addWidget(butBrowser);
  auto* butHelp = ToolButton("butHelp", "help", QStringLiteral("Help"), bar);
  butHelp->setProperty("helpTopic", 10);
  bar->addWidget(butHelp);
  cmbFaqName = Named(new QComboBox(bar), "cmbFaqName");
  cmbFaqName->setEditable(false);
  cmbFaqName->setToolTip(QStringLiteral("FAQ name"));
  cmbFaqName->setMinimumContentsLength(18);
  cmbFaqName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cmbFaqName->setFocusPolicy(Qt::StrongFocus);
  bar->addWidget(Named(Caption(QStringLiteral(" FAQ "), bar, cmbFaqName), "Label7"));
  cmbFaqName->setAccessibleName(QStringLiteral("FAQ name"));
  bar->addWidget(cmbFaqName);
  auto* butAddFaq = ToolButton("butAddFaq", "add", QStringLiteral("Add new FAQ"), bar);
  bar->addWidget(butAddFaq);
  auto* butDelFaq = ToolButton("butDelFaq", "delete", QStringLiteral("Delete FAQ"), bar);
  bar->addWidget(butDelFaq);
  auto* butDuplicate =
      ToolButton("butDuplicate", "duplicate", QStringLiteral("Duplicate FAQ"), bar);
  butDuplicate->setProperty("helpTopic", 37);
  bar->addWidget(butDuplicate);
  auto* spacer = new QWidget(bar);
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  bar->addWidget(spacer);
  auto* butClose = Named(new QPushButton(QStringLiteral("&Close"), bar), "butClose");
  butClose->setToolTip(QStringLiteral("Close application"));
  butClose->setFocusPolicy(Qt::StrongFocus);
  bar->addWidget(butClose);

  connect(cmbFaqName, &QComboBox::activated, this, &TfrmMain::cmbFaqNameChange);
  connect(butAddFaq, &QToolButton::clicked, this, &TfrmMain::butAddFaqClick);
  connect(butDelFaq, &QToolButton::clicked, this, &TfrmMain::butDelFaqClick);
  connect(butDuplicate, &QToolButton::clicked, this, &TfrmMain::butDuplicateClick);
  connect(butGo, &QPushButton::clicked, this, &TfrmMain::butGoClick);
  connect(butBrowser, &QToolButton::clicked, this, &TfrmMain::butBrowserClick);
  connect(butHelp, &QToolButton::clicked, this, &TfrmMain::butHelpClick);
  connect(butImport, &QToolButton::clicked, this, &TfrmMain::butImportClick);
  connect(butClose, &QPushButton::clicked, this, [this] {
    CommitFocusedEditor();
    close();
  });
}

void TfrmMain::BuildPages() {
  PageControl = Named(new QTabWidget(this), "PageControl");
  // Every tab shows whole; the window opens wide enough for them.
  PageControl->setUsesScrollButtons(false);
  PageControl->tabBar()->setExpanding(false);
  // A clicked tab takes the focus, so F1 opens that page's topic and the editor left stores.
  PageControl->tabBar()->setFocusPolicy(Qt::StrongFocus);
  setCentralWidget(PageControl);
  // The folder picker starts in the default output folder when the directory field is empty.
  const std::string& start = options_.output_dir.empty() ? options_.app_dir : options_.output_dir;
  auto* general = Named(new GeneralTab(widgets::ToQt(start), PageControl), "tabGeneral");
  tabFAQ = Named(new QandATab(*exits_, PageControl), "tabFAQ");
  connect(tabFAQ, &QandATab::FaqReloaded, this,
          [this] { ShowStatus(widgets::ToQt(messages::kFaqReloaded)); });
  tabLayout = Named(new LayoutTab(PageControl), "tabLayout");
  tabAnswer = Named(new AnswerPageTab(PageControl), "tabAnswer");
  auto* question = Named(new QuestionPageTab(PageControl), "tabQuestion");
  tabQuestion = question;
  auto* links = Named(new LinksTab(PageControl), "Links");
  auto* global = Named(new GlobalTab(PageControl), "tabGlobal");
  tabAbout = Named(new AboutTab(PageControl), "tabAbout");
  const std::pair<QWidget*, const char*> pages[] = {
      {general, "Ge&neral"},       {tabFAQ, "&Q && A"},          {tabLayout, "La&yout"},
      {tabAnswer, "&Answer Page"}, {question, "Q&uestion Page"}, {links, "Lin&ks"},
      {global, "Gl&obal"},         {tabAbout, "Abou&t"}};
  int topic = 110;
  for (const auto& [page, caption] : pages) {
    PageControl->addTab(page, QString::fromLatin1(caption));
    page->setProperty("helpTopic", topic);
    topic += 10;
  }
  Backup = global->backup();

  tabAnswer->SetColourSource(question);
  question->SetColourSource(tabAnswer);
  auto store = [this](QWidget* control) { binder_->Store(control); };
  connect(general, &GeneralTab::Edited, this, store);
  connect(tabAnswer, &ColourPageTab::Edited, this, store);
  connect(question, &ColourPageTab::Edited, this, store);
  connect(tabLayout, &LayoutTab::FramesChosen, this, &TfrmMain::FramesChosen);
  connect(Backup, &TVBackup::DirectoryChanged, this, &TfrmMain::edtBackupDirExit);
  connect(Backup, &TVBackup::BackupPressed, this, &TfrmMain::BackupbutBackupClick);
  connect(Backup, &TVBackup::RestorePressed, this, &TfrmMain::butRestoreClick);
  connect(tabAbout->about(), &TVAboutBox::Status, this, &TfrmMain::ShowStatus);
}

void TfrmMain::FramesChosen(bool frames) {
  PageControl->setTabVisible(PageControl->indexOf(tabQuestion), frames);
  tabAnswer->SetFramesLayout(frames);
}

}  // namespace quorella::app
