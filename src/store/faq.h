#pragma once
// The current FAQ as loaded from its FAQ key and its document: every per-FAQ value with its
// default, the six fixed sections, the question list and the answer list.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/app_context.h"
#include "store/settings.h"
#include "store/values.h"

namespace quorella {

class SectionIndex;

// A FAQ's document as it was read: the file's bytes (nullopt: there was none) and its text indexed.
struct DocumentAsRead {
  std::optional<std::string> bytes;
  std::shared_ptr<const SectionIndex> index;
};

enum class FixedSection {
  AnswerHeader,
  AnswerFooter,
  QuestionHeader,
  QuestionFooter,
  HeaderCode,
  FrameHeaderCode
};
inline constexpr std::size_t kFixedSectionCount = 6;
std::string_view SectionName(FixedSection section);

std::string QuestionSectionName(std::size_t index);  // "Question " + index, counted from 0
std::string AnswerSectionName(std::size_t index);    // "Answer " + index

// What tells one version of the settings store's file from another without opening the store:
// its identity, size and times, and the change counter SQLite keeps in the file's header, which
// every committed write raises (times alone keep their value within one tick of the clock).
// A file's identity and times as stat gives them: any write changes one of them, and a file
// renamed over it has an identity of its own.
struct FileIdentity {
  unsigned long long device = 0, inode = 0;
  long long size = 0, modified_ns = 0, changed_ns = 0;
  bool operator==(const FileIdentity&) const = default;
};

struct StoreStamp {
  bool known = false;  // the file was there and its header read
  FileIdentity file;
  std::uint32_t changes = 0;
  bool operator==(const StoreStamp&) const = default;
};

// What a FAQ's lists were read from: the document's identity and times and the stored question
// count. Every rewrite renames a new file over the document, so each version has its own identity.
// `store` is the store's file as it was when the count was read or written; while the file is
// the same, the count is.
struct FaqStamp {
  bool exists = false;
  FileIdentity file;
  std::int32_t count = 0;
  StoreStamp store;
  bool operator==(const FaqStamp&) const = default;
};

struct Faq {
  explicit Faq(std::string_view output_dir) : values(output_dir) {}

  std::string name;
  std::string document_path;
  std::string key;
  FaqValues values;
  std::array<std::string, kFixedSectionCount> sections;
  std::vector<std::string> questions;  // each with one trailing CR LF removed
  std::vector<std::string> answers;    // as stored: format line, then the answer's lines
  FaqStamp stamp;                      // what the lists above were read from
  // With KeepDocument::Yes, the document as it was read for the lists, and its stamp then: a Go
  // that follows takes its answers from it instead of reading the file again.
  std::shared_ptr<const DocumentAsRead> document;
  FaqStamp document_stamp;

  const std::string& Section(FixedSection which) const {
    return sections[static_cast<std::size_t>(which)];
  }
  std::size_t question_count() const { return questions.size(); }
};

// A TotalQuestions above the document's line count plus this is taken as that sum: only a
// damaged or hostile store holds such a count, and every question it claims costs memory and,
// when generated, a page. The questions the document does not hold read as empty.
inline constexpr std::size_t kQuestionsBeyondDocument = 1000;

// Reads the FAQ `name`. A missing document is created empty first (a failure there is ignored);
// the document is read once, and kept in the Faq with KeepDocument::Yes.
enum class KeepDocument { No, Yes };
Faq LoadFaq(const AppContext& context, std::string_view name, KeepDocument keep = KeepDocument::No);

// Whether loading a document fills the Faq's answer list (html::GoStoredFaq reads the answers
// from the kept document instead).
enum class AnswerList { Filled, Empty };

// LoadFaq with KeepDocument::Yes in two halves, so that what needs only the stored values and the
// document's bytes (whether a Go has anything to make) is decided before the document is read
// whole: the values with TotalQuestions as stored and the stamp, the lists and sections empty.
Faq LoadFaqValues(const AppContext& context, std::string_view name);
// The second half: reads, decodes and indexes the document, fills the sections and lists, and keeps
// the document.
void LoadFaqDocument(Faq& faq, AnswerList answers = AnswerList::Filled);
// The same with the document's bytes (nullopt: there was no file) read since the stamp of
// LoadFaqValues was taken, so that a change after that stamp still shows as one.
void LoadFaqDocument(Faq& faq, std::optional<std::string> bytes,
                     AnswerList answers = AnswerList::Filled);
// The same for a caller that reads the document's text once (a Go of a stored FAQ): the document
// is not kept, and its bytes are decoded where they are, so that no second copy of megabytes is
// taken and faulted in. Returns the index.
std::shared_ptr<const SectionIndex> LoadFaqText(Faq& faq, std::optional<std::string> bytes,
                                                AnswerList answers);

// Are the questions of `faq` those that its TotalQuestions and `document` hold, as LoadFaq reads
// them? (The window's lists can be older than a document another process wrote.)
bool QuestionsAreThoseOf(const Faq& faq, const SectionIndex& document);

// The stamp of the FAQ's document and count as they are now.
FaqStamp StampOf(const Settings& settings, const Faq& faq);
// The stamp of the FAQ's document as it is now, with a count known without reading the store
// and the store's stamp from when it was known.
FaqStamp StampOf(const Faq& faq, std::int32_t count, const StoreStamp& store);
// The same for the document alone (count 0, no store).
FaqStamp DocumentStampOf(const Faq& faq);

// The stamp of the settings store's file as it is now.
StoreStamp StoreStampOf(const Settings& settings);

// The document the Faq keeps, when the file is still the version it was read from; else nullptr.
std::shared_ptr<const DocumentAsRead> KeptDocument(const Faq& faq);

// Re-reads the fixed sections, the questions, the answers and TotalQuestions when the document or
// the count changed since they were read (another process wrote them); true when it did. The
// count is read from the store only when the store's file changed; a FAQ whose key is gone by
// then (another process deleted it) throws NoSuchFaq.
bool RefreshFaq(const Settings& settings, Faq& faq);

// Reads the FAQ `name` like LoadFaq but creates nothing: a missing document reads as empty.
Faq ReadFaq(const AppContext& context, std::string_view name);

}  // namespace quorella
