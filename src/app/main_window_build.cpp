// The main window's controls: toolbar, pages and their layout.
#include <array>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/about_box.h"
#include "app/backup_panel.h"
#include "app/import_window.h"
#include "app/main_window.h"
#include "widgets/browse_for_folder.h"
#include "widgets/color_button.h"
#include "widgets/colour_panel.h"
#include "widgets/hint_controls.h"
#include "widgets/radio_group.h"

namespace quorella::app {

namespace {

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QToolButton* ToolButton(const char* name, const char* icon, const QString& hint, QWidget* parent) {
  auto* button = Named(new QToolButton(parent), name);
  button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
  button->setIconSize(QSize(16, 16));
  button->setToolTip(hint);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::StrongFocus);  // clicking stores the editor being left first
  return button;
}

QLineEdit* LineEdit(const char* name, QWidget* parent) {
  return Named(new QLineEdit(parent), name);
}

// Fields and labels whose text may be clipped show it in full in a hint.
QLineEdit* HintEdit(const char* name, QWidget* parent) {
  return Named(new widgets::THEdit(parent), name);
}
QLabel* HintLabel(const QString& text, const char* name, QWidget* parent) {
  return Named(new widgets::THLabel(text, parent), name);
}

// Captions are shown as typed: "<head>" is text, not markup.
QLabel* Caption(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QPlainTextEdit* CodeEditor(const char* name, QWidget* parent) {
  auto* editor = Named(new QPlainTextEdit(parent), name);
  editor->setLineWrapMode(QPlainTextEdit::NoWrap);
  editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont mono(QStringLiteral("monospace"));
  mono.setStyleHint(QFont::TypeWriter);
  editor->setFont(mono);
  return editor;
}

widgets::ColourLabel* ColourLabelNamed(const char* name, const QString& text, QWidget* parent) {
  return Named(new widgets::ColourLabel(text, parent), name);
}

using widgets::PageColours;

PageColours PageColourPanel(const QString& caption, const char* panel_name,
                            const std::array<const char*, 4>& label_names, QWidget* page) {
  auto* panel = Named(new widgets::ColourPanel(caption, page), panel_name);
  panel->setToolTip(QStringLiteral("Click to change color"));
  auto* layout = new QVBoxLayout(panel);
  const QString texts[] = {QStringLiteral("Text Color"), QStringLiteral("Link Color"),
                           QStringLiteral("Visited Link Color"),
                           QStringLiteral("Active Link Color")};
  std::array<widgets::ColourLabel*, 4> labels{};
  for (std::size_t i = 0; i < labels.size(); ++i) {
    labels[i] = ColourLabelNamed(label_names[i], texts[i], panel);
    layout->addWidget(labels[i]);
  }
  return {panel, labels[0], labels[1], labels[2], labels[3]};
}

// The header and footer editors of a page, each on a tab of its own.
QTabWidget* HeaderFooterTabs(const char* name, QPlainTextEdit*& header, const char* header_name,
                             const QString& header_tab, QPlainTextEdit*& footer,
                             const char* footer_name, const QString& footer_tab, QWidget* page) {
  auto* tabs = Named(new QTabWidget(page), name);
  header = CodeEditor(header_name, tabs);
  footer = CodeEditor(footer_name, tabs);
  tabs->addTab(header, header_tab);
  tabs->addTab(footer, footer_tab);
  return tabs;
}

}  // namespace

void TfrmMain::BuildToolbar() {
  auto* bar = Named(new QToolBar(this), "ToolBar1");
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  bar->setIconSize(QSize(16, 16));
  bar->layout()->setSpacing(1);
  bar->setContentsMargins(1, 1, 1, 1);
  addToolBar(Qt::TopToolBarArea, bar);

  butGo = Named(new widgets::TBitBtnWithColor(bar), "butGo");
  butGo->setText(QStringLiteral("Go"));
  butGo->SetColor(QColor(0, 128, 0));
  QFont go_font(QStringLiteral("MS Sans Serif"));
  go_font.setPixelSize(11);
  go_font.setBold(true);
  butGo->setFont(go_font);
  QPalette yellow = butGo->palette();
  yellow.setColor(QPalette::ButtonText, Qt::yellow);
  butGo->setPalette(yellow);
  const QIcon go_icon(QStringLiteral(":/icons/go.svg"));
  butGo->SetGlyph(go_icon.pixmap(16, 16),
                  QIcon(QStringLiteral(":/icons/go-disabled.svg")).pixmap(16, 16));
  butGo->setToolTip(QStringLiteral("Generate the pages and view them"));
  butGo->setFocusPolicy(Qt::StrongFocus);
  butGo->setMinimumSize(46, 26);
  bar->addWidget(butGo);
  butImport = ToolButton("butImport", "import", QStringLiteral("Import FAQ"), bar);
  bar->addWidget(butImport);
  butBrowser = ToolButton("butBrowser", "browser", QStringLiteral("View in browser"), bar);
  bar->addWidget(butBrowser);
  butHelp = ToolButton("butHelp", "help", QStringLiteral("Help"), bar);
  butHelp->setProperty("helpTopic", 10);
  bar->addWidget(butHelp);
  Label7 = Named(Caption(QStringLiteral(" FAQ "), bar), "Label7");
  bar->addWidget(Label7);
  cmbFaqName = Named(new QComboBox(bar), "cmbFaqName");
  cmbFaqName->setEditable(false);
  cmbFaqName->setToolTip(QStringLiteral("FAQ name"));
  cmbFaqName->setMinimumWidth(92);
  cmbFaqName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cmbFaqName->setFocusPolicy(Qt::StrongFocus);
  bar->addWidget(cmbFaqName);
  butAddFaq = ToolButton("butAddFaq", "add", QStringLiteral("Add new FAQ"), bar);
  bar->addWidget(butAddFaq);
  butDelFaq = ToolButton("butDelFaq", "delete", QStringLiteral("Delete FAQ"), bar);
  bar->addWidget(butDelFaq);
  butDuplicate = ToolButton("butDuplicate", "duplicate", QStringLiteral("Duplicate FAQ"), bar);
  butDuplicate->setProperty("helpTopic", 37);
  bar->addWidget(butDuplicate);
  auto* spacer = new QWidget(bar);
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  bar->addWidget(spacer);
  butClose = Named(new QPushButton(QStringLiteral("&Close"), bar), "butClose");
  butClose->setToolTip(QStringLiteral("Close application"));
  butClose->setFocusPolicy(Qt::StrongFocus);
  bar->addWidget(butClose);
}

void TfrmMain::BuildPages() {
  PageControl = Named(new QTabWidget(this), "PageControl");
  PageControl->setDocumentMode(false);
  PageControl->setUsesScrollButtons(true);
  setCentralWidget(PageControl);
  tabGeneral = Named(BuildGeneralPage(), "tabGeneral");
  PageControl->addTab(tabGeneral, QStringLiteral("General"));
  tabFAQ = Named(new QWidget(PageControl), "tabFAQ");
  BuildQuestionsPage();
  PageControl->addTab(tabFAQ, QStringLiteral("Q && A"));
  tabLayout = Named(BuildLayoutPage(), "tabLayout");
  PageControl->addTab(tabLayout, QStringLiteral("Layout"));
  tabAnswer = Named(BuildAnswerPage(), "tabAnswer");
  PageControl->addTab(tabAnswer, QStringLiteral("Answer Page"));
  tabQuestion = Named(BuildQuestionPage(), "tabQuestion");
  PageControl->addTab(tabQuestion, QStringLiteral("Question Page"));
  Links = Named(BuildLinksPage(), "Links");
  PageControl->addTab(Links, QStringLiteral("Links"));

  tabGlobal = Named(new QWidget(PageControl), "tabGlobal");
  auto* global_layout = new QVBoxLayout(tabGlobal);
  Backup = new TVBackup(tabGlobal);
  global_layout->addWidget(Backup);
  global_layout->addStretch();
  PageControl->addTab(tabGlobal, QStringLiteral("Global"));

  tabAbout = Named(new QWidget(PageControl), "tabAbout");
  AboutBox = new TVAboutBox(tabAbout);  // placed by hand: FormResize keeps it centred
  AboutBox->adjustSize();
  tabAbout->installEventFilter(this);  // the panel stays centred however the page is sized
  PageControl->addTab(tabAbout, QStringLiteral("About"));
  BrowseFolder = Named(new widgets::TBrowseForFolder(this), "BrowseFolder");
  frmImport = new TfrmImport(this);
  frmImport->hide();

  const int topics[] = {110, 120, 130, 140, 150, 160, 170, 180};
  for (int i = 0; i < PageControl->count(); ++i)
    PageControl->widget(i)->setProperty("helpTopic", topics[i]);
  QFooter->setProperty("helpTopic", 300);
  butACeqQC->setProperty("helpTopic", 270);
}

QWidget* TfrmMain::BuildGeneralPage() {
  auto* page = new QWidget(PageControl);
  auto* grid = new QGridLayout(page);
  grid->addWidget(Caption(QStringLiteral("Directory"), page), 0, 0);
  edtDirectory = HintEdit("edtDirectory", page);
  grid->addWidget(edtDirectory, 0, 1, 1, 3);
  butBrowse = ToolButton("butBrowse", "folder", QStringLiteral("Browse"), page);
  grid->addWidget(butBrowse, 0, 4);
  grid->addWidget(Caption(QStringLiteral("Start page"), page), 1, 0);
  StartPage = LineEdit("StartPage", page);
  grid->addWidget(StartPage, 1, 1);
  grid->addWidget(Caption(QStringLiteral("Page extension"), page), 1, 2);
  edtExt = LineEdit("edtExt", page);
  edtExt->setMaximumWidth(70);
  grid->addWidget(edtExt, 1, 3, 1, 2);
  grid->addWidget(Caption(QStringLiteral("Font"), page), 2, 0);
  FontName = Named(new QComboBox(page), "FontName");
  FontName->setEditable(true);
  FontName->setInsertPolicy(QComboBox::NoInsert);
  FontName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  grid->addWidget(FontName, 2, 1);
  grid->addWidget(Caption(QStringLiteral("Size"), page), 2, 2);
  auto* size_row = new QHBoxLayout();
  FontSize = Named(new QSpinBox(page), "FontSize");
  FontSize->setRange(0, 40);
  size_row->addWidget(FontSize);
  size_row->addWidget(Caption(QStringLiteral("pixels"), page));
  grid->addLayout(size_row, 2, 3, 1, 2);
  chkQBlankLine =
      Named(new QCheckBox(QStringLiteral("Blank line between questions"), page), "chkQBlankLine");
  grid->addWidget(chkQBlankLine, 3, 1);
  DisableBanner = Named(new QCheckBox(QStringLiteral("Disable Banner"), page), "DisableBanner");
  grid->addWidget(DisableBanner, 3, 2, 1, 3);
  HLabel1 = HintLabel(QStringLiteral("Title"), "HLabel1", page);
  grid->addWidget(HLabel1, 4, 0);
  Title = HintEdit("Title", page);
  grid->addWidget(Title, 4, 1, 1, 4);
  grid->addWidget(Caption(QStringLiteral("Header code (<head>...</head>)"), page), 5, 0, 1, 5);
  HeaderCode = CodeEditor("HeaderCode", page);
  grid->addWidget(HeaderCode, 6, 0, 1, 5);
  grid->setRowStretch(6, 1);
  grid->setColumnStretch(1, 1);
  return page;
}

QWidget* TfrmMain::BuildLayoutPage() {
  auto* page = new QWidget(PageControl);
  auto* grid = new QGridLayout(page);
  RadioLayout =
      Named(new widgets::RadioGroup(QStringLiteral(" Layout "),
                                    {QStringLiteral("Simple"), QStringLiteral("Frames")}, page),
            "RadioLayout");
  grid->addWidget(RadioLayout, 0, 0);
  RadioFrames = Named(
      new widgets::RadioGroup(QStringLiteral(" Frames "),
                              {QStringLiteral("Horizontal"), QStringLiteral("Vertical")}, page),
      "RadioFrames");
  grid->addWidget(RadioFrames, 0, 1);
  RadioAnswers =
      Named(new widgets::RadioGroup(
                QStringLiteral(" Answers "),
                {QStringLiteral("One per page"), QStringLiteral("All on same page")}, page),
            "RadioAnswers");
  grid->addWidget(RadioAnswers, 0, 2);

  auto* names = new QFormLayout();
  lblPagePrefix = Named(Caption(QStringLiteral("Sub-page prefix"), page), "lblPagePrefix");
  PagePrefix = HintEdit("PagePrefix", page);
  names->addRow(lblPagePrefix, PagePrefix);
  lblAPage = Named(Caption(QStringLiteral("Answers page name"), page), "lblAPage");
  APageName = HintEdit("APageName", page);
  names->addRow(lblAPage, APageName);
  lblFrameSize = Named(Caption(QStringLiteral("Questions frame size"), page), "lblFrameSize");
  FrameSize = LineEdit("FrameSize", page);
  names->addRow(lblFrameSize, FrameSize);
  FrameIt = Named(new QCheckBox(QStringLiteral("Set frames always"), page), "FrameIt");
  FrameIt->setToolTip(QStringLiteral("Always view in frames"));
  names->addRow(QString(), FrameIt);
  grid->addLayout(names, 1, 0, 1, 3);
  lblFrameHead = Named(Caption(QStringLiteral("Frameset header code (<head>...</head>)"), page),
                       "lblFrameHead");
  grid->addWidget(lblFrameHead, 2, 0, 1, 3);
  FrameHead = CodeEditor("FrameHead", page);
  grid->addWidget(FrameHead, 3, 0, 1, 3);
  grid->setRowStretch(3, 1);
  return page;
}

QWidget* TfrmMain::BuildAnswerPage() {
  auto* page = new QWidget(PageControl);
  auto* grid = new QGridLayout(page);
  const PageColours answer =
      PageColourPanel(QStringLiteral(" Colors "), "APageColor",
                      {"ATextColor", "ALinkColor", "AVLinkColor", "AALinkColor"}, page);
  APageColor = answer.panel;
  ATextColor = answer.text;
  ALinkColor = answer.link;
  AVLinkColor = answer.visited;
  AALinkColor = answer.active;
  grid->addWidget(APageColor, 0, 0, 2, 1);
  AQuestionBackColor = Named(new widgets::ColourPanel(QStringLiteral(" Question Colors "), page),
                             "AQuestionBackColor");
  AQuestionBackColor->setToolTip(QStringLiteral("Click to change color"));
  auto* question_colours = new QVBoxLayout(AQuestionBackColor);
  AQTextColor =
      ColourLabelNamed("AQTextColor", QStringLiteral("Question Text Color"), AQuestionBackColor);
  question_colours->addWidget(AQTextColor);
  grid->addWidget(AQuestionBackColor, 0, 1);
  butACeqQC = Named(new QPushButton(QStringLiteral("Set to Question colors"), page), "butACeqQC");
  grid->addWidget(butACeqQC, 1, 1, Qt::AlignTop);
  HLabel2 = HintLabel(QStringLiteral("Background image URL"), "HLabel2", page);
  grid->addWidget(HLabel2, 2, 0);
  AnswerBackImage = HintEdit("AnswerBackImage", page);
  grid->addWidget(AnswerBackImage, 2, 1);
  grid->addWidget(
      HeaderFooterTabs("AnswerCodeTabs", Header, "Header", QStringLiteral("Answer page header"),
                       Footer, "Footer", QStringLiteral("Answer page footer"), page),
      3, 0, 1, 2);
  grid->setRowStretch(3, 1);
  grid->setColumnStretch(1, 1);
  return page;
}

QWidget* TfrmMain::BuildQuestionPage() {
  auto* page = new QWidget(PageControl);
  auto* grid = new QGridLayout(page);
  grid->addWidget(Caption(QStringLiteral("Question page name"), page), 0, 0);
  QPageName = HintEdit("QPageName", page);
  grid->addWidget(QPageName, 0, 1);
  const PageColours question =
      PageColourPanel(QStringLiteral("Colors"), "QPageColor",
                      {"QTextColor", "QLinkColor", "QVLinkColor", "QALinkColor"}, page);
  QPageColor = question.panel;
  QTextColor = question.text;
  QLinkColor = question.link;
  QVLinkColor = question.visited;
  QALinkColor = question.active;
  grid->addWidget(QPageColor, 1, 0, 2, 1);
  butQCeqAC = Named(new QPushButton(QStringLiteral("Set to Answer colors"), page), "butQCeqAC");
  grid->addWidget(butQCeqAC, 1, 1, Qt::AlignTop);
  lblQImage = HintLabel(QStringLiteral("Background image URL"), "lblQImage", page);
  grid->addWidget(lblQImage, 3, 0);
  QuestionBackImage = HintEdit("QuestionBackImage", page);
  grid->addWidget(QuestionBackImage, 3, 1);
  grid->addWidget(HeaderFooterTabs("QuestionCodeTabs", QHeader, "QHeader",
                                   QStringLiteral("Question page header"), QFooter, "QFooter",
                                   QStringLiteral("Question page footer"), page),
                  4, 0, 1, 2);
  grid->setRowStretch(4, 1);
  grid->setColumnStretch(1, 1);
  return page;
}

QWidget* TfrmMain::BuildLinksPage() {
  auto* page = new QWidget(PageControl);
  auto* layout = new QVBoxLayout(page);
  auto* links = new QGroupBox(QStringLiteral(" Custom text for links "), page);
  auto* form = new QFormLayout(links);
  HLabel3 = HintLabel(QStringLiteral("Questions"), "HLabel3", links);
  LinkQuestions = HintEdit("LinkQuestions", links);
  form->addRow(HLabel3, LinkQuestions);
  HLabel4 = HintLabel(QStringLiteral("Go to top"), "HLabel4", links);
  LinkTop = HintEdit("LinkTop", links);
  form->addRow(HLabel4, LinkTop);
  HLabel5 = HintLabel(QStringLiteral("Previous"), "HLabel5", links);
  LinkPrevious = HintEdit("LinkPrevious", links);
  form->addRow(HLabel5, LinkPrevious);
  HLabel6 = HintLabel(QStringLiteral("Next"), "HLabel6", links);
  LinkNext = HintEdit("LinkNext", links);
  form->addRow(HLabel6, LinkNext);
  layout->addWidget(links);
  auto* static_text = new QGroupBox(QStringLiteral(" Static text "), page);
  auto* static_form = new QFormLayout(static_text);
  staticClickOnQ = HintEdit("staticClickOnQ", static_text);
  static_form->addRow(Caption(QStringLiteral("Click on a question for the answer"), static_text));
  static_form->addRow(staticClickOnQ);
  layout->addWidget(static_text);
  layout->addStretch();
  return page;
}

}  // namespace quorella::app
