// The FAQ catalogue: loading the selected FAQ into the editors, switching, adding, deleting and
// duplicating FAQs.
#include <QComboBox>
#include <QTabWidget>

#include "app/error_box.h"
#include "app/import_window.h"
#include "app/layout_tab.h"
#include "app/main_window.h"
#include "app/option_binder.h"
#include "app/qanda_tab.h"
#include "store/catalogue.h"
#include "store/faq_name.h"
#include "util/errors.h"
#include "widgets/desktop_services.h"
#include "widgets/qt_text.h"

namespace quorella::app {

using widgets::Desktop;
using widgets::FromQt;
using widgets::ToQt;

std::vector<std::string> TfrmMain::CatalogueNames() const {
  std::vector<std::string> names;
  for (int i = 0; i < cmbFaqName->count(); ++i) names.push_back(FromQt(cmbFaqName->itemText(i)));
  return names;
}

void TfrmMain::LoadFaq() {
  if (cmbFaqName->currentIndex() < 0) {
    cmbFaqName->addItem(QStringLiteral("FAQ"));
    cmbFaqName->setCurrentIndex(0);
  }
  const std::string name = FromQt(cmbFaqName->currentText());
  // The entry shown is in the catalogue from now on, even before its first value is stored.
  context_->settings().CreateKey(context_->FaqKey(name));
  *current_ = quorella::LoadFaq(*context_, name);
  binder_->Load();
  questions_ = std::make_unique<QuestionModel>(context_->settings(), *current_);
  tabFAQ->Show(questions_.get());
  tabLayout->ApplyLayoutRules();
}

void TfrmMain::cmbFaqNameChange() {
  // The editor being left stores into the FAQ that was current before the switch.
  CommitFocusedEditor();
  RunGuarded(this, [&] { LoadFaq(); });
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
    if (!problem) return StoredFaqName(name);
    current_prompt = ToQt(*problem);
  }
}

void TfrmMain::SelectNewEntry(const std::string& name) {
  cmbFaqName->addItem(ToQt(name));
  cmbFaqName->setCurrentIndex(cmbFaqName->count() - 1);
}

void TfrmMain::butAddFaqClick() {
  CommitFocusedEditor();
  const auto name = AskNewName(QStringLiteral("New FAQ"), QStringLiteral("Add FAQ name"), QString(),
                               messages::kEnterFaqName);
  if (!name) return;
  // The same catalogue command as the command line's: the document and the key, or an error and
  // neither in the list.
  if (!RunGuarded(this, [&] { AddFaq(*context_, *name); })) return;
  SelectNewEntry(*name);
  RunGuarded(this, [&] { LoadFaq(); });
}

void TfrmMain::butDelFaqClick() {
  CommitFocusedEditor();
  const auto answer = Desktop().ShowMessage(
      this,
      {QStringLiteral("Delete FAQ"),
       QStringLiteral("Are you sure you want to delete the selected FAQ?"),
       widgets::BoxIcon::Question, widgets::BoxButtons::OkCancel, widgets::BoxAnswer::Cancel});
  if (answer != widgets::BoxAnswer::Ok) return;
  RunGuarded(this, [&] {
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
  RunGuarded(this, [&] {
    DuplicateFaq(*context_, FromQt(current_name), *name);
    SelectNewEntry(*name);
    LoadFaq();
  });
}

void TfrmMain::butImportClick() {
  CommitFocusedEditor();
  frmImport->ShowCentred();
}

void TfrmMain::ShowImportedFaq(const QString& name) {
  SelectNewEntry(FromQt(name));
  cmbFaqNameChange();
  PageControl->setCurrentWidget(tabFAQ);
}

}  // namespace quorella::app
