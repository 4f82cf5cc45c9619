#pragma once
// TfrmMain: the main window, a thin shell. It holds the toolbar, the pages (one class each) and the
// status bar, runs the FAQ catalogue, Go, backup and restore, and shows the current FAQ through
// the option binder and the Q & A page.
#include <QMainWindow>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/app_context.h"
#include "store/faq.h"
#include "store/question_model.h"

class QComboBox;
class QTabWidget;

namespace quorella::widgets {
class TFriendlyStatusBar;
class VerInfo;
}  // namespace quorella::widgets

namespace quorella::app {

class AboutTab;
class AnswerPageTab;
class ExitWatcher;
class LayoutTab;
class OptionBinder;
class QandATab;
class TfrmImport;
class TVBackup;

// What a run starts with: its arguments and where its data lives.
struct StartOptions {
  QStringList arguments;      // the command-line arguments after the program name
  std::string database_path;  // the settings store
  std::string app_dir;        // the application directory
  std::string output_dir;     // the default output folder; empty: the application directory
};
StartOptions StartOptionsFromEnvironment(const QStringList& arguments);

class TfrmMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TfrmMain(const StartOptions& options, QWidget* parent = nullptr);
  ~TfrmMain() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // On activation the question list is read again when another program changed it.
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildToolbar();
  void BuildPages();
  void FormCreate();
  void FormDestroy();
  QSize DefaultSize() const;
  QString HelpFile() const;

  void LoadFaq();
  void cmbFaqNameChange();
  void butAddFaqClick();
  void butDelFaqClick();
  void butDuplicateClick();
  void butGoClick();
  void butBrowserClick();
  // Opens the start page in the browser; when the browser cannot be started the status bar says
  // so after `before`.
  void OpenStartPage(const QString& before);
  void butHelpClick();
  void butImportClick();
  void ShowImportedFaq(const QString& name);
  void edtBackupDirExit();
  void BackupbutBackupClick();
  void butRestoreClick();
  void FramesChosen(bool frames);

  // Stores the editor that has the input focus, as leaving it would.
  void CommitFocusedEditor();
  void ShowStatus(const QString& text);
  std::vector<std::string> CatalogueNames() const;
  // Makes the FAQ selector list the FAQs of the store: those another program deleted leave it,
  // those it added are appended; the order of the others stays. When the current FAQ is gone, the
  // first entry is loaded (an error there is shown). Throws what reading the catalogue throws.
  void RefreshFaqList();
  void SelectNewEntry(const std::string& name);
  std::optional<std::string> AskNewName(const QString& caption, const QString& prompt, QString text,
                                        std::string_view empty_message);

  StartOptions options_;
  std::unique_ptr<AppContext> context_;
  std::unique_ptr<Faq> current_;
  std::unique_ptr<QuestionModel> questions_;
  std::unique_ptr<widgets::VerInfo> ver_info_;
  std::string banner_;
  bool destroyed_ = false;
  bool restored_ = false;
  bool restart_pending_ = false;
  bool size_chosen_ = false;

  ExitWatcher* exits_ = nullptr;
  OptionBinder* binder_ = nullptr;
  QComboBox* cmbFaqName = nullptr;
  QTabWidget* PageControl = nullptr;
  QWidget* tabQuestion = nullptr;
  QandATab* tabFAQ = nullptr;
  LayoutTab* tabLayout = nullptr;
  AnswerPageTab* tabAnswer = nullptr;
  AboutTab* tabAbout = nullptr;
  TVBackup* Backup = nullptr;
  TfrmImport* frmImport = nullptr;
  widgets::TFriendlyStatusBar* StatusBar = nullptr;
};

}  // namespace quorella::app
