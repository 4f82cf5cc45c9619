#include "app/general_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QToolButton>

#include "app/page_parts.h"
#include "widgets/browse_for_folder.h"

namespace quorella::app {

GeneralTab::GeneralTab(const QString& app_dir, QWidget* parent)
    : QWidget(parent), app_dir_(app_dir) {
  auto* grid = new QGridLayout(this);
  edtDirectory = HintEdit("edtDirectory", this);
  grid->addWidget(Caption(QStringLiteral("&Directory"), this, edtDirectory), 0, 0);
  grid->addWidget(edtDirectory, 0, 1, 1, 3);
  butBrowse = ToolButton("butBrowse", "folder", QStringLiteral("Browse"), this);
  grid->addWidget(butBrowse, 0, 4);
  StartPage = LineEdit("StartPage", this);
  grid->addWidget(Caption(QStringLiteral("&Start page"), this, StartPage), 1, 0);
  grid->addWidget(StartPage, 1, 1);
  edtExt = LineEdit("edtExt", this);
  edtExt->setMaximumWidth(70);
  grid->addWidget(Caption(QStringLiteral("Page e&xtension"), this, edtExt), 1, 2);
  grid->addWidget(edtExt, 1, 3, 1, 2);
  FontName = Named(new QComboBox(this), "FontName");
  FontName->setEditable(true);
  FontName->setInsertPolicy(QComboBox::NoInsert);
  FontName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  FontName->setMinimumContentsLength(24);
  grid->addWidget(Caption(QStringLiteral("&Font"), this, FontName), 2, 0);
  grid->addWidget(FontName, 2, 1);
  FontSize = Named(new QSpinBox(this), "FontSize");
  FontSize->setRange(0, 40);
  grid->addWidget(Caption(QStringLiteral("Si&ze"), this, FontSize), 2, 2);
  auto* size_row = new QHBoxLayout();
  size_row->addWidget(FontSize);
  size_row->addWidget(Caption(QStringLiteral("pixels"), this));
  grid->addLayout(size_row, 2, 3, 1, 2);
  chkQBlankLine =
      Named(new QCheckBox(QStringLiteral("Blank line between questions"), this), "chkQBlankLine");
  grid->addWidget(chkQBlankLine, 3, 1);
  DisableBanner = Named(new QCheckBox(QStringLiteral("Disable Banner"), this), "DisableBanner");
  grid->addWidget(DisableBanner, 3, 2, 1, 3);
  Title = HintEdit("Title", this);
  grid->addWidget(HintCaption(QStringLiteral("Titl&e"), "HLabel1", this, Title), 4, 0);
  grid->addWidget(Title, 4, 1, 1, 4);
  HeaderCode = CodeEditor("HeaderCode", this);
  grid->addWidget(Caption(QStringLiteral("&Header code (<head>...</head>)"), this, HeaderCode), 5,
                  0, 1, 5);
  grid->addWidget(HeaderCode, 6, 0, 1, 5);
  grid->setRowStretch(6, 1);
  grid->setColumnStretch(1, 1);
  BrowseFolder = Named(new widgets::TBrowseForFolder(this), "BrowseFolder");
  // The list is filled before anything is connected: filling it is not the user's change.
  FillFontList();
  connect(butBrowse, &QToolButton::clicked, this, &GeneralTab::butBrowseClick);
}

void GeneralTab::FillFontList() {
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

void GeneralTab::butBrowseClick() {
  BrowseFolder->SetPath(edtDirectory->text().isEmpty() ? app_dir_ : edtDirectory->text());
  if (!BrowseFolder->Execute()) return;
  edtDirectory->setText(BrowseFolder->Path());
  emit Edited(edtDirectory);
}

}  // namespace quorella::app
