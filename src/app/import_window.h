#pragma once
// TfrmImport: the import window. Four steps down its left side turn a plain text file into a new
// FAQ: read the file, define the separators, convert, import. Modeless; only shown and hidden.
#include <QWidget>

#include "import/import_session.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace quorella::app {

class TfrmMain;

class TfrmImport : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmImport(TfrmMain* main_window);

  // Shows the window centred on the desktop, the first step in focus.
  void ShowCentred();

  void butReadInputFileClick();
  void butConvertClick();
  void butImportClick();

  QPushButton* butReadInputFile = nullptr;
  QPlainTextEdit* memoAtoQSep = nullptr;
  QPlainTextEdit* memoQtoASep = nullptr;
  QCheckBox* chkManualSep = nullptr;
  QCheckBox* chkDelQNum = nullptr;
  QPushButton* butConvert = nullptr;
  QPushButton* butImport = nullptr;
  QPlainTextEdit* memoImported = nullptr;

  const ImportSession& session() const { return session_; }

 private:
  // The boxes' texts as the import works on them: lines joined by CR LF.
  void TakeControls();
  TfrmMain* main_;
  ImportSession session_;
};

}  // namespace quorella::app
