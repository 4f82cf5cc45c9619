#pragma once
// The "General" page: output folder, start page, page extension, font, size, banner and blank-line
// switches, title and header code. Its option editors are driven by the binding table.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QToolButton;

namespace quorella::widgets {
class TBrowseForFolder;
}

namespace quorella::app {

class GeneralTab : public QWidget {
  Q_OBJECT
 public:
  // `app_dir`: where the folder picker starts when the directory field is empty.
  GeneralTab(const QString& app_dir, QWidget* parent);

 signals:
  // A handler of the page changed `control`; it is to be stored.
  void Edited(QWidget* control);

 private:
  void butBrowseClick();
  void FillFontList();

  QString app_dir_;
  QLineEdit* edtDirectory = nullptr;
  QToolButton* butBrowse = nullptr;
  QLineEdit* StartPage = nullptr;
  QLineEdit* edtExt = nullptr;
  QComboBox* FontName = nullptr;
  QSpinBox* FontSize = nullptr;
  QCheckBox* chkQBlankLine = nullptr;
  QCheckBox* DisableBanner = nullptr;
  QLineEdit* Title = nullptr;
  QPlainTextEdit* HeaderCode = nullptr;
  widgets::TBrowseForFolder* BrowseFolder = nullptr;
};

}  // namespace quorella::app
