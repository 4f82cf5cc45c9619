#pragma once
// TfrmImport: the import window. Four steps down its left side turn a plain text file into a new
// FAQ: read the file, define the separators, convert, import. Modeless; only shown and hidden.
#include <QWidget>

#include "import/import_session.h"

class QCheckBox;
class QComboBox;
class QLabel;
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
  // A new choice reads the file of step 1 again in that encoding.
  void cmbEncodingChange();

  QPushButton* butReadInputFile = nullptr;
  QComboBox* cmbEncoding = nullptr;  // Automatic, UTF-8, Windows-1252
  QLabel* lblEncoding = nullptr;     // the encoding the file was read in
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
  // Reads `file` into the working text in the chosen encoding and shows the one used.
  void ReadFile(const QString& file);
  TfrmMain* main_;
  QString input_file_;  // the file step 1 read last
  ImportSession session_;
};

}  // namespace quorella::app
