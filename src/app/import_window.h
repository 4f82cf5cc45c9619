#pragma once
// TfrmImport: the import window. Four steps down its left side turn a plain text file into a new
// FAQ: read the file, define the separators, convert, import. Modeless; only shown and hidden. It
// reports an import by its signal; the main window opens the new FAQ.
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "import/import_session.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quorella {
class AppContext;
}

namespace quorella::app {

class TfrmImport : public QWidget {
  Q_OBJECT
 public:
  // `catalogue` gives the FAQ names the new name must not repeat.
  TfrmImport(AppContext& context, std::function<std::vector<std::string>()> catalogue,
             QWidget* parent);

  // Shows the window centred on the desktop, the first step in focus.
  void ShowCentred();

 signals:
  // A FAQ was imported under `name`: its document and its key exist.
  void Imported(const QString& name);

 private:
  void butReadInputFileClick();
  void butConvertClick();
  void butImportClick();
  // A new choice reads the file of step 1 again in that encoding.
  void cmbEncodingChange();
  // The boxes' texts as the import works on them: lines joined by CR LF.
  void TakeControls();
  // Reads `file` into the working text in the chosen encoding and shows the one used.
  void ReadFile(const QString& file);

  AppContext& context_;
  std::function<std::vector<std::string>()> catalogue_;
  ImportSession session_;
  QString input_file_;  // the file step 1 read last
  QPushButton* butReadInputFile = nullptr;
  QComboBox* cmbEncoding = nullptr;  // Automatic, UTF-8, Windows-1252
  QLabel* lblEncoding = nullptr;     // the encoding the file was read in
  QPlainTextEdit* memoAtoQSep = nullptr;
  QPlainTextEdit* memoQtoASep = nullptr;
  QCheckBox* chkManualSep = nullptr;
  QCheckBox* chkDelQNum = nullptr;
  QPushButton* butConvert = nullptr;
  QLabel* lblFound = nullptr;
  QPushButton* butImport = nullptr;
  QPlainTextEdit* memoImported = nullptr;
};

}  // namespace quorella::app
