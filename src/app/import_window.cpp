#include "app/import_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/error_box.h"
#include "app/page_parts.h"
#include "import/import_faq.h"
#include "store/app_context.h"
#include "store/faq_name.h"
#include "util/errors.h"
#include "widgets/desktop_services.h"
#include "widgets/editor_text.h"
#include "widgets/qt_text.h"

namespace quorella::app {

using widgets::Desktop;
using widgets::FromQt;
using widgets::ToQt;

namespace {

QString ToBox(const std::string& crlf_text) {
  QString text = ToQt(crlf_text);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

std::string FromBox(const QPlainTextEdit* box) {
  QString text = widgets::EditorText(box);
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return widgets::FromQt(text);
}

QPlainTextEdit* Box(const char* name, const QString& accessible_name, QWidget* parent) {
  QPlainTextEdit* box = CodeEditor(name, parent);
  box->setFont(parent->font());
  box->setAccessibleName(accessible_name);
  box->setMinimumHeight(40);
  return box;
}

QLabel* Step(const QString& number, QWidget* parent) {
  auto* label = new QLabel(number, parent);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

QLabel* BlueLabel(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  QPalette blue = label->palette();
  blue.setColor(QPalette::WindowText, Qt::blue);
  label->setPalette(blue);
  return label;
}

// What the file gave, for a file of another kind than plain text (that one is converted in step 3):
// its kind and the number of questions; the first questions are the label's hint, and the working
// text shows them all.
QString FoundText(const ImportSession& session) {
  const ImportedFaq& faq = session.read_faq();
  if (faq.questions.empty()) return {};
  const auto count = static_cast<int>(faq.questions.size());
  return ToQt(ImportFormatName(*session.found_format())) + QStringLiteral(": ") +
         (count == 1 ? QStringLiteral("1 question found.")
                     : QStringLiteral("%1 questions found.").arg(count));
}

QString FirstQuestions(const ImportSession& session) {
  const ImportedFaq& faq = session.read_faq();
  constexpr std::size_t kShown = 5;
  QString text;
  for (std::size_t i = 0; i < faq.questions.size() && i < kShown; ++i)
    text += (i == 0 ? QString() : QStringLiteral("\n")) + QStringLiteral("%1. ").arg(i + 1) +
            ToQt(faq.questions[i].question).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
  if (faq.questions.size() > kShown) text += QStringLiteral("\n...");
  return text;
}

}  // namespace

TfrmImport::TfrmImport(AppContext& context, std::function<std::vector<std::string>()> catalogue,
                       QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context), catalogue_(std::move(catalogue)) {
  setObjectName(QStringLiteral("frmImport"));
  setWindowTitle(QStringLiteral("Import FAQ"));
  resize(586, 357);
  auto* layout = new QHBoxLayout(this);
  auto* steps = new QWidget(this);
  steps->setFixedWidth(185);
  auto* left = new QVBoxLayout(steps);
  left->setContentsMargins(0, 0, 0, 0);
  left->setSpacing(3);

  auto* first = new QHBoxLayout();
  first->addWidget(Step(QStringLiteral("1. "), steps));
  butReadInputFile = new QPushButton(QStringLiteral("&Read input file"), steps);
  butReadInputFile->setObjectName(QStringLiteral("butReadInputFile"));
  first->addWidget(butReadInputFile, 1);
  left->addLayout(first);
  auto* encoding = new QHBoxLayout();
  cmbEncoding = new QComboBox(steps);
  cmbEncoding->setObjectName(QStringLiteral("cmbEncoding"));
  auto* encoding_label = new QLabel(QStringLiteral("&Encoding:"), steps);
  encoding_label->setBuddy(cmbEncoding);
  encoding->addWidget(encoding_label);
  // In the order of EncodingChoice.
  cmbEncoding->addItems(
      {QStringLiteral("Automatic"), QStringLiteral("UTF-8"), QStringLiteral("Windows-1252")});
  encoding->addWidget(cmbEncoding, 1);
  left->addLayout(encoding);
  lblEncoding = new QLabel(steps);
  lblEncoding->setObjectName(QStringLiteral("lblEncoding"));
  left->addWidget(lblEncoding);

  auto* second = new QHBoxLayout();
  second->addWidget(Step(QStringLiteral("2. "), steps));
  second->addWidget(new QLabel(QStringLiteral("Define separators below:"), steps), 1);
  left->addLayout(second);
  memoAtoQSep = Box("memoAtoQSep", QStringLiteral("answer - question separator"), steps);
  memoAtoQSep->setPlainText(QStringLiteral("\n\n"));
  left->addWidget(BlueLabel(QStringLiteral("&answer - question separator"), memoAtoQSep, steps));
  left->addWidget(memoAtoQSep);
  memoQtoASep = Box("memoQtoASep", QStringLiteral("question - answer separator"), steps);
  left->addWidget(BlueLabel(QStringLiteral("&question - answer separator"), memoQtoASep, steps));
  memoQtoASep->setPlainText(QStringLiteral("?\n"));
  left->addWidget(memoQtoASep);
  chkManualSep = new QCheckBox(QStringLiteral("Separators added &manually"), steps);
  chkManualSep->setObjectName(QStringLiteral("chkManualSep"));
  left->addWidget(chkManualSep);
  chkDelQNum = new QCheckBox(QStringLiteral("Remove question &numbers"), steps);
  chkDelQNum->setObjectName(QStringLiteral("chkDelQNum"));
  chkDelQNum->setChecked(true);
  left->addWidget(chkDelQNum);

  auto* third = new QHBoxLayout();
  third->addWidget(Step(QStringLiteral("3. "), steps));
  butConvert = new QPushButton(QStringLiteral("&Convert"), steps);
  butConvert->setObjectName(QStringLiteral("butConvert"));
  third->addWidget(butConvert, 1);
  left->addLayout(third);
  lblFound = Named(new QLabel(steps), "lblFound");
  left->addWidget(lblFound);
  auto* fourth = new QHBoxLayout();
  fourth->addWidget(Step(QStringLiteral("4. "), steps));
  butImport = new QPushButton(QStringLiteral("&Import"), steps);
  butImport->setObjectName(QStringLiteral("butImport"));
  fourth->addWidget(butImport, 1);
  left->addLayout(fourth);
  layout->addWidget(steps);

  memoImported = Box("memoImported", QStringLiteral("Working text"), this);
  layout->addWidget(memoImported, 1);

  connect(butReadInputFile, &QPushButton::clicked, this, &TfrmImport::butReadInputFileClick);
  connect(butConvert, &QPushButton::clicked, this, &TfrmImport::butConvertClick);
  connect(butImport, &QPushButton::clicked, this, &TfrmImport::butImportClick);
  connect(cmbEncoding, &QComboBox::activated, this, &TfrmImport::cmbEncodingChange);
}

void TfrmImport::ShowCentred() {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
  raise();
  activateWindow();
  butReadInputFile->setFocus();
}

void TfrmImport::TakeControls() {
  session_.working_text = FromBox(memoImported);
  session_.options.qa_separator = FromBox(memoQtoASep);
  session_.options.aq_separator = FromBox(memoAtoQSep);
  session_.options.manual_separators = chkManualSep->isChecked();
  session_.options.remove_numbers = chkDelQNum->isChecked();
}

void TfrmImport::butReadInputFileClick() {
  const auto file =
      Desktop().OpenFile(this, QStringLiteral("Read input file"), ToQt(context_.app_dir()),
                         QStringLiteral("Text files (*.txt);;"
                                        "Markdown, HTML, CSV and JSON files (*.md *.markdown "
                                        "*.html *.htm *.csv *.json);;All files (*)"));
  if (file) ReadFile(*file);
}

void TfrmImport::cmbEncodingChange() {
  if (!input_file_.isEmpty()) ReadFile(input_file_);
}

void TfrmImport::ReadFile(const QString& file) {
  TakeControls();
  session_.encoding_choice = static_cast<EncodingChoice>(cmbEncoding->currentIndex());
  // Kept even when the read fails, so that choosing another encoding reads this file again.
  input_file_ = file;
  if (!RunGuarded(this, [&] { session_.ReadInputFile(QFile::encodeName(file).toStdString()); }))
    return;
  memoImported->setPlainText(ToBox(session_.working_text));
  lblFound->setText(FoundText(session_));
  lblFound->setToolTip(FirstQuestions(session_));
  const QString how = session_.encoding_choice == EncodingChoice::Automatic
                          ? QStringLiteral("Found: ")
                          : QStringLiteral("Read as: ");
  lblEncoding->setText(how + ToQt(EncodingName(*session_.found_encoding())));
}

void TfrmImport::butConvertClick() {
  TakeControls();
  if (!RunGuarded(this, [&] { session_.Convert(); })) return;
  memoImported->setPlainText(ToBox(session_.working_text));
  const int found = session_.converted_count();
  lblFound->setText(found == 1 ? QStringLiteral("1 question found.")
                               : QStringLiteral("%1 questions found.").arg(found));
}

void TfrmImport::butImportClick() {
  TakeControls();
  if (session_.converted_count() <= 0 &&
      Desktop().ShowMessage(
          this, {QStringLiteral("Import FAQ"),
                 QStringLiteral("No questions were found in the text. Import it anyway?"),
                 widgets::BoxIcon::Question, widgets::BoxButtons::YesNo, widgets::BoxAnswer::No}) !=
          widgets::BoxAnswer::Yes)
    return;
  const std::vector<std::string> names = catalogue_();
  QString prompt = QStringLiteral("Add FAQ name");
  QString text;
  std::string name;
  for (;;) {
    const auto answer = Desktop().InputText(this, QStringLiteral("Imported FAQ"), prompt, text);
    if (!answer) return;
    text = *answer;
    name = FromQt(text);
    const auto problem = ImportNameProblem(name, names);
    if (!problem) break;
    prompt = ToQt(*problem);
  }
  name = StoredFaqName(name);  // as the import stores it
  if (!RunGuarded(this, [&] { session_.Import(context_, name); })) return;
  hide();
  emit Imported(ToQt(name));
}

}  // namespace quorella::app
