// The option editors: each stores its content into the current FAQ when it is left or changed.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "app/about_box.h"
#include "app/backup_panel.h"
#include "app/main_window.h"
#include "store/document.h"
#include "util/text_lines.h"
#include "widgets/browse_for_folder.h"
#include "widgets/color_button.h"
#include "widgets/colour_panel.h"
#include "widgets/desktop_services.h"
#include "widgets/friendly_status_bar.h"
#include "widgets/qt_text.h"
#include "widgets/radio_group.h"

namespace quorella::app {

using widgets::Desktop;
using widgets::FromQt;
using widgets::ToQt;

std::string TfrmMain::TextOf(const QString& text) {
  return FromQt(text);
}

void TfrmMain::StoreString(FaqValue value, const QString& text) {
  if (loading_) return;
  Guard([&] {
    std::string bytes = TextOf(text);
    WriteFaqValue(context_->settings(), current_->key, value, std::string_view(bytes));
    current_->values.SetText(value, std::move(bytes));
  });
}

void TfrmMain::StoreInteger(FaqValue value, int number) {
  if (loading_) return;
  Guard([&] {
    WriteFaqValue(context_->settings(), current_->key, value, static_cast<std::int32_t>(number));
    current_->values.SetInteger(value, number);
  });
}

void TfrmMain::StoreSection(FixedSection section, const QPlainTextEdit* editor) {
  if (loading_) return;
  Guard([&] {
    WriteSection(current_->document_path, SectionName(section),
                 SplitLines(TextOf(editor->toPlainText())));
    current_->sections[static_cast<std::size_t>(section)] =
        ReadSection(current_->document_path, SectionName(section));
  });
}

void TfrmMain::StoreColour(FaqValue value, const QColor& colour) {
  StoreInteger(value, widgets::StoredFromColour(colour));
}

void TfrmMain::edtDirectoryExit() {
  StoreString(FaqValue::Directory, edtDirectory->text());
}
void TfrmMain::StartPageExit() {
  // The start-page editor writes its value spelled "Startpage"; it is the same value.
  if (loading_) return;
  Guard([&] {
    std::string bytes = TextOf(StartPage->text());
    context_->settings().WriteSettingString(current_->key, kStartPageWrittenName, bytes);
    current_->values.SetText(FaqValue::StartPage, std::move(bytes));
  });
}
void TfrmMain::edtExtExit() {
  StoreString(FaqValue::DocumentExt, edtExt->text());
}
void TfrmMain::FontNameChange() {
  StoreString(FaqValue::FontName, FontName->currentText());
}
void TfrmMain::FontSizeChange() {
  StoreInteger(FaqValue::FontSize, FontSize->value());
}
void TfrmMain::chkQBlankLineClick() {
  StoreInteger(FaqValue::BlankLineBetweenQuestions, chkQBlankLine->isChecked());
}
void TfrmMain::DisableBannerClick() {
  StoreInteger(FaqValue::DisableBanner, DisableBanner->isChecked());
}
void TfrmMain::TitleExit() {
  StoreString(FaqValue::Title, Title->text());
}
void TfrmMain::HeaderCodeExit() {
  StoreSection(FixedSection::HeaderCode, HeaderCode);
}
void TfrmMain::PagePrefixExit() {
  StoreString(FaqValue::AnswerSubPagePrefix, PagePrefix->text());
}
void TfrmMain::APageNameExit() {
  StoreString(FaqValue::AnswerPageName, APageName->text());
}
void TfrmMain::FrameSizeExit() {
  StoreString(FaqValue::QuestionFrameSize, FrameSize->text());
}
void TfrmMain::FrameItClick() {
  StoreInteger(FaqValue::FrameIt, FrameIt->isChecked());
}
void TfrmMain::FrameHeadExit() {
  StoreSection(FixedSection::FrameHeaderCode, FrameHead);
}
void TfrmMain::AnswerBackImageExit() {
  StoreString(FaqValue::AnswerBackImage, AnswerBackImage->text());
}
void TfrmMain::HeaderExit() {
  StoreSection(FixedSection::AnswerHeader, Header);
}
void TfrmMain::FooterExit() {
  StoreSection(FixedSection::AnswerFooter, Footer);
}
void TfrmMain::QPageNameExit() {
  StoreString(FaqValue::QuestionPageName, QPageName->text());
}
void TfrmMain::QuestionBackImageExit() {
  StoreString(FaqValue::QuestionBackImage, QuestionBackImage->text());
}
void TfrmMain::QHeaderExit() {
  StoreSection(FixedSection::QuestionHeader, QHeader);
}
void TfrmMain::QFooterExit() {
  StoreSection(FixedSection::QuestionFooter, QFooter);
}
void TfrmMain::LinkQuestionsExit() {
  StoreString(FaqValue::LinkQuestionsText, LinkQuestions->text());
}
void TfrmMain::LinkTopExit() {
  StoreString(FaqValue::LinkTopText, LinkTop->text());
}
void TfrmMain::LinkPreviousExit() {
  StoreString(FaqValue::LinkPreviousText, LinkPrevious->text());
}
void TfrmMain::LinkNextExit() {
  StoreString(FaqValue::LinkNextText, LinkNext->text());
}
void TfrmMain::staticClickOnQExit() {
  StoreString(FaqValue::StaticClickOnQ, staticClickOnQ->text());
}

void TfrmMain::RadioAnswersClick() {
  StoreInteger(FaqValue::AnswersPage, RadioAnswers->ItemIndex());
  ApplyLayoutRules();
}

void TfrmMain::RadioLayoutClick() {
  ApplyLayoutRules();
  StoreInteger(FaqValue::Layout, RadioLayout->ItemIndex());
}

void TfrmMain::RadioFramesClick() {
  StoreInteger(FaqValue::Frames, RadioFrames->ItemIndex());
}

void TfrmMain::butBrowseClick() {
  CommitFocusedEditor();
  BrowseFolder->SetPath(edtDirectory->text().isEmpty() ? ToQt(context_->output_dir())
                                                       : edtDirectory->text());
  if (!BrowseFolder->Execute()) return;
  edtDirectory->setText(BrowseFolder->Path());
  StoreString(FaqValue::Directory, edtDirectory->text());
}

std::optional<QColor> TfrmMain::PickColour() {
  const auto picked = Desktop().PickColour(this, last_picked_colour_);
  if (picked) last_picked_colour_ = *picked;
  return picked;
}

void TfrmMain::PickPanelColour(widgets::ColourPanel* panel, widgets::ColourLabel*, FaqValue value) {
  const auto colour = PickColour();
  if (!colour) return;
  panel->SetBackground(*colour);
  StoreColour(value, *colour);
}

void TfrmMain::PickLabelColour(widgets::ColourLabel* label, widgets::ColourPanel* panel_of_first,
                               FaqValue value) {
  const auto colour = PickColour();
  if (!colour) return;
  label->SetColour(*colour);
  if (panel_of_first != nullptr) panel_of_first->SetCaptionColour(*colour);
  StoreColour(value, *colour);
}

void TfrmMain::APageColorClick() {
  PickPanelColour(APageColor, ATextColor, FaqValue::AnswerPageColor);
}
void TfrmMain::ATextColorClick() {
  PickLabelColour(ATextColor, APageColor, FaqValue::AnswerTextColor);
}
void TfrmMain::ALinkColorClick() {
  PickLabelColour(ALinkColor, nullptr, FaqValue::AnswerLinkColor);
}
void TfrmMain::AVLinkColorClick() {
  PickLabelColour(AVLinkColor, nullptr, FaqValue::AnswerVisitedLinkColor);
}
void TfrmMain::AALinkColorClick() {
  PickLabelColour(AALinkColor, nullptr, FaqValue::AnswerActiveLinkColor);
}
void TfrmMain::AQuestionBackColorClick() {
  PickPanelColour(AQuestionBackColor, AQTextColor, FaqValue::AQuestionBackColor);
}
void TfrmMain::AQTextColorClick() {
  PickLabelColour(AQTextColor, AQuestionBackColor, FaqValue::AQuestionTextColor);
}
void TfrmMain::QPageColorClick() {
  PickPanelColour(QPageColor, QTextColor, FaqValue::QuestionPageColor);
}
void TfrmMain::QTextColorClick() {
  PickLabelColour(QTextColor, QPageColor, FaqValue::QuestionTextColor);
}
void TfrmMain::QLinkColorClick() {
  PickLabelColour(QLinkColor, nullptr, FaqValue::QuestionLinkColor);
}
void TfrmMain::QVLinkColorClick() {
  PickLabelColour(QVLinkColor, nullptr, FaqValue::QuestionVisitedLinkColor);
}
void TfrmMain::QALinkColorClick() {
  PickLabelColour(QALinkColor, nullptr, FaqValue::QuestionActiveLinkColor);
}

namespace {
// Copies one page's five colours onto the other's controls.
void CopyColours(const widgets::PageColours& from, const widgets::PageColours& to) {
  to.panel->SetBackground(from.panel->Background());
  to.panel->SetCaptionColour(from.panel->CaptionColour());
  to.text->SetColour(from.text->Colour());
  to.link->SetColour(from.link->Colour());
  to.visited->SetColour(from.visited->Colour());
  to.active->SetColour(from.active->Colour());
}
}  // namespace

void TfrmMain::butACeqQCClick() {
  CopyColours({QPageColor, QTextColor, QLinkColor, QVLinkColor, QALinkColor},
              {APageColor, ATextColor, ALinkColor, AVLinkColor, AALinkColor});
  StoreColour(FaqValue::AnswerPageColor, APageColor->Background());
  StoreColour(FaqValue::AnswerTextColor, ATextColor->Colour());
  StoreColour(FaqValue::AnswerLinkColor, ALinkColor->Colour());
  StoreColour(FaqValue::AnswerVisitedLinkColor, AVLinkColor->Colour());
  StoreColour(FaqValue::AnswerActiveLinkColor, AALinkColor->Colour());
}

void TfrmMain::butQCeqACClick() {
  CopyColours({APageColor, ATextColor, ALinkColor, AVLinkColor, AALinkColor},
              {QPageColor, QTextColor, QLinkColor, QVLinkColor, QALinkColor});
  StoreColour(FaqValue::QuestionPageColor, QPageColor->Background());
  StoreColour(FaqValue::QuestionTextColor, QTextColor->Colour());
  StoreColour(FaqValue::QuestionLinkColor, QLinkColor->Colour());
  StoreColour(FaqValue::QuestionVisitedLinkColor, QVLinkColor->Colour());
  StoreColour(FaqValue::QuestionActiveLinkColor, QALinkColor->Colour());
}

void TfrmMain::butHelpClick() {
  Desktop().ShowHelp(this, HelpFile(), 10);
}

void TfrmMain::ConnectHandlers() {
  WatchFocusOut(edtDirectory, &TfrmMain::edtDirectoryExit);
  WatchFocusOut(StartPage, &TfrmMain::StartPageExit);
  WatchFocusOut(edtExt, &TfrmMain::edtExtExit);
  WatchFocusOut(Title, &TfrmMain::TitleExit);
  WatchFocusOut(HeaderCode, &TfrmMain::HeaderCodeExit);
  WatchFocusOut(PagePrefix, &TfrmMain::PagePrefixExit);
  WatchFocusOut(APageName, &TfrmMain::APageNameExit);
  WatchFocusOut(FrameSize, &TfrmMain::FrameSizeExit);
  WatchFocusOut(FrameHead, &TfrmMain::FrameHeadExit);
  WatchFocusOut(AnswerBackImage, &TfrmMain::AnswerBackImageExit);
  WatchFocusOut(Header, &TfrmMain::HeaderExit);
  WatchFocusOut(Footer, &TfrmMain::FooterExit);
  WatchFocusOut(QPageName, &TfrmMain::QPageNameExit);
  WatchFocusOut(QuestionBackImage, &TfrmMain::QuestionBackImageExit);
  WatchFocusOut(QHeader, &TfrmMain::QHeaderExit);
  WatchFocusOut(QFooter, &TfrmMain::QFooterExit);
  WatchFocusOut(LinkQuestions, &TfrmMain::LinkQuestionsExit);
  WatchFocusOut(LinkTop, &TfrmMain::LinkTopExit);
  WatchFocusOut(LinkPrevious, &TfrmMain::LinkPreviousExit);
  WatchFocusOut(LinkNext, &TfrmMain::LinkNextExit);
  WatchFocusOut(staticClickOnQ, &TfrmMain::staticClickOnQExit);

  connect(FontName, &QComboBox::editTextChanged, this, &TfrmMain::FontNameChange);
  connect(FontSize, &QSpinBox::valueChanged, this, &TfrmMain::FontSizeChange);
  connect(chkQBlankLine, &QCheckBox::clicked, this, &TfrmMain::chkQBlankLineClick);
  connect(DisableBanner, &QCheckBox::clicked, this, &TfrmMain::DisableBannerClick);
  connect(FrameIt, &QCheckBox::clicked, this, &TfrmMain::FrameItClick);
  connect(RadioAnswers, &widgets::RadioGroup::Clicked, this, &TfrmMain::RadioAnswersClick);
  connect(RadioLayout, &widgets::RadioGroup::Clicked, this, &TfrmMain::RadioLayoutClick);
  connect(RadioFrames, &widgets::RadioGroup::Clicked, this, &TfrmMain::RadioFramesClick);
  connect(butBrowse, &QToolButton::clicked, this, &TfrmMain::butBrowseClick);

  connect(APageColor, &widgets::ColourPanel::Clicked, this, &TfrmMain::APageColorClick);
  connect(ATextColor, &widgets::ColourLabel::Clicked, this, &TfrmMain::ATextColorClick);
  connect(ALinkColor, &widgets::ColourLabel::Clicked, this, &TfrmMain::ALinkColorClick);
  connect(AVLinkColor, &widgets::ColourLabel::Clicked, this, &TfrmMain::AVLinkColorClick);
  connect(AALinkColor, &widgets::ColourLabel::Clicked, this, &TfrmMain::AALinkColorClick);
  connect(AQuestionBackColor, &widgets::ColourPanel::Clicked, this,
          &TfrmMain::AQuestionBackColorClick);
  connect(AQTextColor, &widgets::ColourLabel::Clicked, this, &TfrmMain::AQTextColorClick);
  connect(butACeqQC, &QPushButton::clicked, this, &TfrmMain::butACeqQCClick);
  connect(QPageColor, &widgets::ColourPanel::Clicked, this, &TfrmMain::QPageColorClick);
  connect(QTextColor, &widgets::ColourLabel::Clicked, this, &TfrmMain::QTextColorClick);
  connect(QLinkColor, &widgets::ColourLabel::Clicked, this, &TfrmMain::QLinkColorClick);
  connect(QVLinkColor, &widgets::ColourLabel::Clicked, this, &TfrmMain::QVLinkColorClick);
  connect(QALinkColor, &widgets::ColourLabel::Clicked, this, &TfrmMain::QALinkColorClick);
  connect(butQCeqAC, &QPushButton::clicked, this, &TfrmMain::butQCeqACClick);

  connect(cmbFaqName, &QComboBox::activated, this, &TfrmMain::cmbFaqNameChange);
  connect(butAddFaq, &QToolButton::clicked, this, &TfrmMain::butAddFaqClick);
  connect(butDelFaq, &QToolButton::clicked, this, &TfrmMain::butDelFaqClick);
  connect(butDuplicate, &QToolButton::clicked, this, &TfrmMain::butDuplicateClick);
  connect(butGo, &QPushButton::clicked, this, &TfrmMain::butGoClick);
  connect(butBrowser, &QToolButton::clicked, this, &TfrmMain::butBrowserClick);
  connect(butHelp, &QToolButton::clicked, this, &TfrmMain::butHelpClick);
  connect(butImport, &QToolButton::clicked, this, &TfrmMain::butImportClick);
  connect(butClose, &QPushButton::clicked, this, [this] {
    CommitFocusedEditor();
    close();
  });
  WatchFocusOut(Backup->edtBackupDir, &TfrmMain::edtBackupDirExit);
  connect(Backup->butBackDirBrowse, &QToolButton::clicked, this, &TfrmMain::butBackDirBrowseClick);
  connect(Backup->butBackup, &QPushButton::clicked, this, &TfrmMain::BackupbutBackupClick);
  connect(Backup->butRestore, &QPushButton::clicked, this, &TfrmMain::butRestoreClick);
  connect(AboutBox->butUpdates, &QPushButton::clicked, this, &TfrmMain::butUpdatesClick);
}

}  // namespace quorella::app
