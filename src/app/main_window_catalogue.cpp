// The FAQ catalogue: loading the selected FAQ into the editors, switching, adding, deleting and
// duplicating FAQs.
#include <QComboBox>
#include <QTabWidget>

#include <algorithm>

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

void TfrmMain::RefreshFaqList() {
  const std::vector<std::string> stored = ListFaqs(*context_);
  auto in_store = [&](const QString& entry) {
    return std::find(stored.begin(), stored.end(), FromQt(entry)) != stored.end();
  };
  auto listed = [&](const std::string& name) {
    return cmbFaqName->findText(ToQt(name), Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0;
  };
  const bool had_current = cmbFaqName->currentIndex() >= 0;
  const bool current_gone = had_current && !in_store(cmbFaqName->currentText());
  for (int i = cmbFaqName->count() - 1; i >= 0; --i)
    if (!in_store(cmbFaqName->itemText(i))) cmbFaqName->removeItem(i);
  for (const std::string& name : stored)
    if (!listed(name)) cmbFaqName->addItem(ToQt(name));
  if (current_gone) {
    cmbFaqName->setCurrentIndex(cmbFaqName->count() > 0 ? 0 : -1);
    RunGuarded(this, [&] { LoadFaq(); });
  }
}

void TfrmMain::LoadFaq() {
  if (cmbFaqName->currentIndex() < 0) {
    // The default entry is in the catalogue like any other (once: it may be there already).
    const QString fallback = QStringLiteral("FAQ");
    if (cmbFaqName->findText(fallback, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0) {
      context_->settings().CreateKey(context_->FaqKey(FromQt(fallback)));
      cmbFaqName->addItem(fallback);
    }
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
    // Checked against the catalogue as it is now, with the FAQs another program added.
    std::optional<std::string> problem;
    if (!RunGuarded(this, [&] {
          RefreshFaqList();
          problem = CheckNewFaqName(name, CatalogueNames(), empty_message);
        }))
      return std::nullopt;
    if (!problem) return StoredFaqName(name);
    current_prompt = ToQt(*problem);
  }
}

void TfrmMain::SelectNewEntry(const std::string& name) {
  // A refresh after the FAQ was made may have listed it already.
  int index = cmbFaqName->findText(ToQt(name), Qt::MatchFixedString | Qt::MatchCaseSensitive);
  if (index < 0) {
    cmbFaqName->addItem(ToQt(name));
    index = cmbFaqName->count() - 1;
  }
  cmbFaqName->setCurrentIndex(index);
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
  const bool selected = cmbFaqName->currentIndex() >= 0;
  const QString name = cmbFaqName->currentText();
  const auto answer = Desktop().ShowMessage(
      this,
      {QStringLiteral("Delete FAQ"),
       QStringLiteral("Are you sure you want to delete the selected FAQ?"),
       widgets::BoxIcon::Question, widgets::BoxButtons::OkCancel, widgets::BoxAnswer::Cancel});
  if (answer != widgets::BoxAnswer::Ok) return;
  RunGuarded(this, [&] {
    // By name: the list may have been refreshed while the question was open.
    if (selected) {
      DeleteFaq(*context_, FromQt(name));
      cmbFaqName->removeItem(
          cmbFaqName->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    }
    // The list as the store has it now; the first entry is loaded, as after every delete.
    cmbFaqName->setCurrentIndex(-1);
    RefreshFaqList();
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
    RefreshFaqList();
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
