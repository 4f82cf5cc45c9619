#pragma once
// TfrmMain: the main window. It owns every editor of the current FAQ, the toolbar and the status
// bar; its handlers read the controls, call the core and show the result.
#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

#include "store/app_context.h"
#include "store/faq.h"
#include "store/question_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QGroupBox;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QToolButton;
class QWidget;

namespace quorella::widgets {
class ColourLabel;
class ColourPanel;
class RadioGroup;
class TBitBtnWithColor;
class TBrowseForFolder;
class TFriendlyStatusBar;
class THListBox;
class VerInfo;
}  // namespace quorella::widgets

namespace quorella::app {

class TfrmImport;
class TfrmQuestion;
class TVAboutBox;
class TVBackup;

// What a run starts with: its arguments and where its data lives.
struct StartOptions {
  QStringList arguments;      // the command-line arguments after the program name
  std::string database_path;  // the settings store
  std::string app_dir;        // the application directory
  std::string output_dir;     // the default output folder; empty: the application directory
};
StartOptions StartOptionsFromEnvironment(const QStringList& arguments);

// The banner fragment that closes every generated page, assembled once per run.
std::string BuildBannerFragment();

class TfrmMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TfrmMain(const StartOptions& options, QWidget* parent = nullptr);
  ~TfrmMain() override;

  AppContext& context() { return *context_; }
  const Faq& current() const { return *current_; }
  const std::string& banner() const { return banner_; }
  QString HelpFile() const;

  // The handlers, named after their control and event.
  void FormCreate();
  void FormDestroy();
  void FormResize();
  void LoadFaq();
  void cmbFaqNameChange();
  void butAddFaqClick();
  void butDelFaqClick();
  void butDuplicateClick();
  void butGoClick();
  void butBrowserClick();
  void butHelpClick();

  void edtDirectoryExit();
  void butBrowseClick();
  void StartPageExit();
  void edtExtExit();
  void FontNameChange();
  void FontSizeChange();
  void chkQBlankLineClick();
  void DisableBannerClick();
  void TitleExit();
  void HeaderCodeExit();
  void RadioAnswersClick();
  void PagePrefixExit();
  void APageNameExit();
  void RadioLayoutClick();
  void RadioFramesClick();
  void FrameSizeExit();
  void FrameItClick();
  void FrameHeadExit();
  void APageColorClick();
  void ATextColorClick();
  void ALinkColorClick();
  void AVLinkColorClick();
  void AALinkColorClick();
  void AQuestionBackColorClick();
  void AQTextColorClick();
  void butACeqQCClick();
  void AnswerBackImageExit();
  void HeaderExit();
  void FooterExit();
  void QPageNameExit();
  void QPageColorClick();
  void QTextColorClick();
  void QLinkColorClick();
  void QVLinkColorClick();
  void QALinkColorClick();
  void butQCeqACClick();
  void QuestionBackImageExit();
  void QHeaderExit();
  void QFooterExit();
  void LinkQuestionsExit();
  void LinkTopExit();
  void LinkPreviousExit();
  void LinkNextExit();
  void staticClickOnQExit();

  void lstQuestionsClick();
  void AnswerExit();
  void cmbFormatChange();
  void butAddQuestionClick();
  void butEditQuestionClick();
  void butDelQuestionClick();
  void butQupClick();
  void butQdownClick();
  // The question dialog's commands; false when the dialog must stay open.
  bool AddQuestionFromDialog(const std::string& text);
  bool EditQuestionFromDialog(const std::string& text);
  bool AddAnotherQuestionFromDialog(const std::string& text);
  QuestionModel& questions() { return *questions_; }

  void edtBackupDirExit();
  void butBackDirBrowseClick();
  void BackupbutBackupClick();
  void butRestoreClick();
  void butUpdatesClick();
  // Starts the program again when a restore asked for it; the run's shutdown has been written.
  void RestartIfPending();
  bool restored() const { return restored_; }

  void butImportClick();
  // After an import: the new FAQ appended to the selector, opened, its questions in front.
  void ShowImportedFaq(const std::string& name);
  std::vector<std::string> CatalogueNames() const;

  // Stores the editor that has the input focus, as leaving it would.
  void CommitFocusedEditor();
  // Runs a user action; an error ends it and is shown in the standard error box.
  bool Guard(const std::function<void()>& action);
  void ShowStatus(const QString& text);

 signals:
  // The current FAQ was loaded into the editors.
  void FaqLoaded();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // On activation the question list is read again when another program changed it.
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildToolbar();
  void BuildPages();
  QWidget* BuildGeneralPage();
  QWidget* BuildLayoutPage();
  QWidget* BuildAnswerPage();
  QWidget* BuildQuestionPage();
  QWidget* BuildLinksPage();
  void BuildQuestionsPage();
  void ShowQuestions(const QuestionPage& page);
  // After a question command: redraws the list and says so when it was re-read from disk.
  void ShowReloadedQuestions();
  void ShowReloadedStatus();
  // Runs a question command after storing the editor being left; shows the page it returns.
  bool RunQuestionCommand(const std::function<std::optional<QuestionPage>()>& command);
  void ConnectHandlers();
  void WatchFocusOut(QWidget* editor, void (TfrmMain::*handler)());
  void ApplyLayoutRules();
  void ShowColours();
  void FillFontList();

  // Writes of the current FAQ.
  std::string TextOf(const QString& text);
  void StoreString(FaqValue value, const QString& text);
  void StoreInteger(FaqValue value, int number);
  void StoreSection(FixedSection section, const QPlainTextEdit* editor);
  void StoreColour(FaqValue value, const QColor& colour);
  std::optional<QColor> PickColour();
  void PickPanelColour(widgets::ColourPanel* panel, widgets::ColourLabel* first_label,
                       FaqValue value);
  void PickLabelColour(widgets::ColourLabel* label, widgets::ColourPanel* panel_of_first,
                       FaqValue value);
  std::optional<std::string> AskNewName(const QString& caption, const QString& prompt, QString text,
                                        std::string_view empty_message);

 public:
  // The named controls.
  widgets::TBitBtnWithColor* butGo = nullptr;
  QToolButton* butImport = nullptr;
  QToolButton* butBrowser = nullptr;
  QToolButton* butHelp = nullptr;
  QLabel* Label7 = nullptr;
  QComboBox* cmbFaqName = nullptr;
  QToolButton* butAddFaq = nullptr;
  QToolButton* butDelFaq = nullptr;
  QToolButton* butDuplicate = nullptr;
  QPushButton* butClose = nullptr;
  QTabWidget* PageControl = nullptr;
  QWidget* tabGeneral = nullptr;
  QWidget* tabFAQ = nullptr;
  QWidget* tabLayout = nullptr;
  QWidget* tabAnswer = nullptr;
  QWidget* tabQuestion = nullptr;
  QWidget* Links = nullptr;
  QWidget* tabGlobal = nullptr;
  QWidget* tabAbout = nullptr;
  widgets::TFriendlyStatusBar* StatusBar = nullptr;

  QLineEdit* edtDirectory = nullptr;
  QToolButton* butBrowse = nullptr;
  QLineEdit* StartPage = nullptr;
  QLineEdit* edtExt = nullptr;
  QComboBox* FontName = nullptr;
  QSpinBox* FontSize = nullptr;
  QCheckBox* chkQBlankLine = nullptr;
  QCheckBox* DisableBanner = nullptr;
  QLineEdit* Title = nullptr;
  QLabel* HLabel1 = nullptr;
  QPlainTextEdit* HeaderCode = nullptr;

  widgets::RadioGroup* RadioAnswers = nullptr;
  QLineEdit* PagePrefix = nullptr;
  QLabel* lblPagePrefix = nullptr;
  QLineEdit* APageName = nullptr;
  QLabel* lblAPage = nullptr;
  widgets::RadioGroup* RadioLayout = nullptr;
  widgets::RadioGroup* RadioFrames = nullptr;
  QLineEdit* FrameSize = nullptr;
  QLabel* lblFrameSize = nullptr;
  QCheckBox* FrameIt = nullptr;
  QPlainTextEdit* FrameHead = nullptr;
  QLabel* lblFrameHead = nullptr;

  widgets::ColourPanel* APageColor = nullptr;
  widgets::ColourLabel* ATextColor = nullptr;
  widgets::ColourLabel* ALinkColor = nullptr;
  widgets::ColourLabel* AVLinkColor = nullptr;
  widgets::ColourLabel* AALinkColor = nullptr;
  widgets::ColourPanel* AQuestionBackColor = nullptr;
  widgets::ColourLabel* AQTextColor = nullptr;
  QPushButton* butACeqQC = nullptr;
  QLineEdit* AnswerBackImage = nullptr;
  QLabel* HLabel2 = nullptr;
  QPlainTextEdit* Header = nullptr;
  QPlainTextEdit* Footer = nullptr;

  QLineEdit* QPageName = nullptr;
  widgets::ColourPanel* QPageColor = nullptr;
  widgets::ColourLabel* QTextColor = nullptr;
  widgets::ColourLabel* QLinkColor = nullptr;
  widgets::ColourLabel* QVLinkColor = nullptr;
  widgets::ColourLabel* QALinkColor = nullptr;
  QPushButton* butQCeqAC = nullptr;
  QLineEdit* QuestionBackImage = nullptr;
  QLabel* lblQImage = nullptr;
  QPlainTextEdit* QHeader = nullptr;
  QPlainTextEdit* QFooter = nullptr;

  QLineEdit* LinkQuestions = nullptr;
  QLabel* HLabel3 = nullptr;
  QLineEdit* LinkTop = nullptr;
  QLabel* HLabel4 = nullptr;
  QLineEdit* LinkPrevious = nullptr;
  QLabel* HLabel5 = nullptr;
  QLineEdit* LinkNext = nullptr;
  QLabel* HLabel6 = nullptr;
  QLineEdit* staticClickOnQ = nullptr;

  QSplitter* Splitter1 = nullptr;
  QGroupBox* GroupBox5 = nullptr;
  QToolButton* butAddQuestion = nullptr;
  QToolButton* butDelQuestion = nullptr;
  QToolButton* butEditQuestion = nullptr;
  QToolButton* butQdown = nullptr;
  QToolButton* butQup = nullptr;
  widgets::THListBox* lstQuestions = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QLabel* Label11 = nullptr;
  QComboBox* cmbFormat = nullptr;
  QPlainTextEdit* Answer = nullptr;
  TfrmQuestion* frmQuestion = nullptr;
  TfrmImport* frmImport = nullptr;

  TVBackup* Backup = nullptr;
  TVAboutBox* AboutBox = nullptr;
  widgets::TBrowseForFolder* BrowseFolder = nullptr;

 private:
  StartOptions options_;
  std::unique_ptr<AppContext> context_;
  std::unique_ptr<Faq> current_;
  std::unique_ptr<QuestionModel> questions_;
  bool showing_questions_ = false;
  bool list_dirty_ = true;
  std::unique_ptr<widgets::VerInfo> ver_info_;
  std::string banner_;
  QString program_title_;
  QString version_text_;
  QString short_name_;
  QColor last_picked_colour_{Qt::black};
  bool loading_ = false;
  bool destroyed_ = false;
  bool restored_ = false;
  bool restart_pending_ = false;
  bool checking_updates_ = false;
  std::vector<std::pair<QWidget*, void (TfrmMain::*)()>> exit_handlers_;
};

}  // namespace quorella::app
