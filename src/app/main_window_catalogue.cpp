// The FAQ catalogue: loading the selected FAQ into the editors, switching, adding, deleting and
// duplicating FAQs.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include "app/import_window.h"
#include "app/main_window.h"
#include "store/catalogue.h"
#include "util/errors.h"
#include "widgets/colour_panel.h"
#include "widgets/desktop_services.h"
#include "widgets/qt_text.h"
#include "widgets/radio_group.h"

namespace quorella::app {

using widgets::ColourFromStored;
using widgets::Desktop;
using widgets::FromQt;
using widgets::ToQt;

namespace {

// Sets an editor's text without it counting as the user's change.
void Show(QLineEdit* edit, const std::string& text) {
  edit->setText(ToQt(text));
}
void Show(QPlainTextEdit* edit, const std::string& text) {
  edit->setPlainText(ToQt(text));
}

}  // namespace

std::vector<std::string> TfrmMain::CatalogueNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < cmbFaqName->count(); ++i) names.push_back(FromQt(cmbFaqName->itemText(i)));
  return names;
}

void TfrmMain::LoadFaq() {
  loading_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{loading_};

  if (cmbFaqName->currentIndex() < 0) {
    cmbFaqName->addItem(QStringLiteral("FAQ"));
    cmbFaqName->setCurrentIndex(0);
  }
  const std::string name = FromQt(cmbFaqName->currentText());
  // The entry shown is in the catalogue from now on, even before its first value is stored.
  context_->settings().CreateKey(context_->FaqKey(name));
  *current_ = quorella::LoadFaq(*context_, name);
  const FaqValues& v = current_->values;

  Show(edtDirectory, v.Text(FaqValue::Directory));
  Show(edtExt, v.Text(FaqValue::DocumentExt));
  Show(StartPage, v.Text(FaqValue::StartPage));
  Show(APageName, v.Text(FaqValue::AnswerPageName));
  Show(PagePrefix, v.Text(FaqValue::AnswerSubPagePrefix));
  Show(QPageName, v.Text(FaqValue::QuestionPageName));
  Show(FrameSize, v.Text(FaqValue::QuestionFrameSize));
  FrameIt->setChecked(v.Boolean(FaqValue::FrameIt));
  DisableBanner->setChecked(v.Boolean(FaqValue::DisableBanner));
  RadioLayout->SetItemIndex(v.Integer(FaqValue::Layout));
  RadioFrames->SetItemIndex(v.Integer(FaqValue::Frames));
  RadioAnswers->SetItemIndex(v.Integer(FaqValue::AnswersPage));
  Show(Title, v.Text(FaqValue::Title));
  FontName->setEditText(ToQt(v.Text(FaqValue::FontName)));
  FontSize->setValue(v.Integer(FaqValue::FontSize));
  Show(AnswerBackImage, v.Text(FaqValue::AnswerBackImage));
  Show(QuestionBackImage, v.Text(FaqValue::QuestionBackImage));
  Show(LinkQuestions, v.Text(FaqValue::LinkQuestionsText));
  Show(LinkTop, v.Text(FaqValue::LinkTopText));
  Show(LinkPrevious, v.Text(FaqValue::LinkPreviousText));
  Show(LinkNext, v.Text(FaqValue::LinkNextText));
  Show(staticClickOnQ, v.Text(FaqValue::StaticClickOnQ));
  ShowColours();

  Show(Header, current_->Section(FixedSection::AnswerHeader));
  Show(Footer, current_->Section(FixedSection::AnswerFooter));
  Show(QHeader, current_->Section(FixedSection::QuestionHeader));
  Show(QFooter, current_->Section(FixedSection::QuestionFooter));
  Show(HeaderCode, current_->Section(FixedSection::HeaderCode));
  Show(FrameHead, current_->Section(FixedSection::FrameHeaderCode));
  chkQBlankLine->setChecked(v.Boolean(FaqValue::BlankLineBetweenQuestions));
  questions_ = std::make_unique<QuestionModel>(context_->settings(), *current_);
  list_dirty_ = true;
  Answer->clear();
  ShowQuestions(questions_->Page());
  emit FaqLoaded();
  ApplyLayoutRules();
}

void TfrmMain::ShowColours() {
  const FaqValues& v = current_->values;
  auto colour = [&](FaqValue value) { return ColourFromStored(v.Integer(value)); };
  APageColor->SetBackground(colour(FaqValue::AnswerPageColor));
  APageColor->SetCaptionColour(colour(FaqValue::AnswerTextColor));
  ATextColor->SetColour(colour(FaqValue::AnswerTextColor));
  ALinkColor->SetColour(colour(FaqValue::AnswerLinkColor));
  AVLinkColor->SetColour(colour(FaqValue::AnswerVisitedLinkColor));
  AALinkColor->SetColour(colour(FaqValue::AnswerActiveLinkColor));
  AQuestionBackColor->SetBackground(colour(FaqValue::AQuestionBackColor));
  AQuestionBackColor->SetCaptionColour(colour(FaqValue::AQuestionTextColor));
  AQTextColor->SetColour(colour(FaqValue::AQuestionTextColor));
  QPageColor->SetBackground(colour(FaqValue::QuestionPageColor));
  QPageColor->SetCaptionColour(colour(FaqValue::QuestionTextColor));
  QTextColor->SetColour(colour(FaqValue::QuestionTextColor));
  QLinkColor->SetColour(colour(FaqValue::QuestionLinkColor));
  QVLinkColor->SetColour(colour(FaqValue::QuestionVisitedLinkColor));
  QALinkColor->SetColour(colour(FaqValue::QuestionActiveLinkColor));
}

void TfrmMain::ApplyLayoutRules() {
  const bool frames = RadioLayout->ItemIndex() == 1;
  const bool all_on_one = RadioAnswers->ItemIndex() == 1;
  PageControl->setTabVisible(PageControl->indexOf(tabQuestion), frames);
  for (QWidget* control : {static_cast<QWidget*>(RadioFrames), static_cast<QWidget*>(FrameSize),
                           static_cast<QWidget*>(lblFrameSize), static_cast<QWidget*>(FrameIt),
                           static_cast<QWidget*>(FrameHead), static_cast<QWidget*>(lblFrameHead),
                           static_cast<QWidget*>(butACeqQC)})
    control->setEnabled(frames);
  APageName->setEnabled(frames && all_on_one);
  lblAPage->setEnabled(frames && all_on_one);
  PagePrefix->setEnabled(!all_on_one);
  lblPagePrefix->setEnabled(!all_on_one);
}

void TfrmMain::cmbFaqNameChange() {
  // The editor being left stores into the FAQ that was current before the switch.
  CommitFocusedEditor();
  Guard([&] { LoadFaq(); });
}

std::optional<std::string> TfrmMain::AskNewName(const QString& caption, const QString& prompt,
                                                QString text, std::string_view empty_message) {
  QString current_prompt = prompt;
  for (;;) {
    const auto answer = Desktop().InputText(this, caption, current_prompt, text);
    if (!answer) return std::nullopt;
    text = *answer;
    const std::string name = FromQt(text);
    const auto problem = CheckNewFaqName(name, CatalogueNames(), empty_message);
    if (!problem) return name;
    current_prompt = ToQt(*problem);
  }
}

void TfrmMain::butAddFaqClick() {
  CommitFocusedEditor();
  const auto name = AskNewName(QStringLiteral("New FAQ"), QStringLiteral("Add FAQ name"), QString(),
                               messages::kEnterFaqName);
  if (!name) return;
  cmbFaqName->addItem(ToQt(*name));
  cmbFaqName->setCurrentIndex(cmbFaqName->count() - 1);
  Guard([&] {
    LoadFaq();
    context_->settings().CreateKey(context_->FaqKey(*name));
  });
}

void TfrmMain::butDelFaqClick() {
  CommitFocusedEditor();
  const auto answer = Desktop().ShowMessage(
      this,
      {QStringLiteral("Delete FAQ"),
       QStringLiteral("Are you sure you want to delete the selected FAQ?"),
       widgets::BoxIcon::Question, widgets::BoxButtons::OkCancel, widgets::BoxAnswer::Cancel});
  if (answer != widgets::BoxAnswer::Ok) return;
  Guard([&] {
    const int index = cmbFaqName->currentIndex();
    if (index >= 0) {
      DeleteFaq(*context_, FromQt(cmbFaqName->itemText(index)));
      cmbFaqName->removeItem(index);
    }
    cmbFaqName->setCurrentIndex(cmbFaqName->count() > 0 ? 0 : -1);
    LoadFaq();
  });
}

void TfrmMain::butDuplicateClick() {
  CommitFocusedEditor();
  const QString current_name = cmbFaqName->currentText();
  const auto name = AskNewName(QStringLiteral("Duplicate document"),
                               QStringLiteral("Please enter a name for the duplicate document"),
                               current_name + QStringLiteral("-1"), messages::kEnterDocumentName);
  if (!name) return;
  Guard([&] {
    DuplicateFaq(*context_, FromQt(current_name), *name, CatalogueNames());
    cmbFaqName->addItem(ToQt(*name));
    cmbFaqName->setCurrentIndex(cmbFaqName->count() - 1);
    LoadFaq();
  });
}

}  // namespace quorella::app

namespace quorella::app {

void TfrmMain::butImportClick() {
  CommitFocusedEditor();
  frmImport->ShowCentred();
}

void TfrmMain::ShowImportedFaq(const std::string& name) {
  cmbFaqName->addItem(ToQt(name));
  cmbFaqName->setCurrentIndex(cmbFaqName->count() - 1);
  cmbFaqNameChange();
  PageControl->setCurrentWidget(tabFAQ);
}

}  // namespace quorella::app
