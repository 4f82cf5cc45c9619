#include "store/faq.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "store/document.h"
#include "store/document_file.h"
#include "store/pending_count.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/marked_text.h"
#include "util/sys_io.h"

namespace quorella {

namespace {
constexpr std::array<std::string_view, kFixedSectionCount> kSectionNames = {
    "AnswerHeader",   "AnswerFooter", "QuestionHeader",
    "QuestionFooter", "HeaderCode",   "FrameHeaderCode"};
}  // namespace

std::string_view SectionName(FixedSection section) {
  return kSectionNames[static_cast<std::size_t>(section)];
}

std::string QuestionSectionName(std::size_t index) {
  return "Question " + std::to_string(index);
}
std::string AnswerSectionName(std::size_t index) {
  return "Answer " + std::to_string(index);
}

namespace {

// The document's text in memory (UTF-8), whichever encoding the file is in.
std::optional<std::string> DocumentText(const std::string& path) {
  auto document = ReadDocumentFile(path);
  if (!document) return std::nullopt;
  return std::move(document->text);
}

std::size_t QuestionCount(const SectionIndex& index, std::int32_t stored_count) {
  return std::min(static_cast<std::size_t>(std::max(stored_count, 0)),
                  index.line_count() + kQuestionsBeyondDocument);
}

std::string QuestionAt(const SectionIndex& index, std::size_t n) {
  std::string question = index.ReadQuestion(n);
  if (question.size() >= 2 && question.ends_with("\r\n")) question.resize(question.size() - 2);
  return question;
}

// Fills the sections and lists of `faq` from its document and the count `stored_count`; returns
// the document as it was read.
std::shared_ptr<const SectionIndex> FillFromDocument(Faq& faq, std::optional<std::string> content,
                                                     std::int32_t stored_count,
                                                     AnswerList answers = AnswerList::Filled) {
  auto document =
      std::make_shared<const SectionIndex>(content ? std::move(*content) : std::string());
  const SectionIndex& index = *document;
  for (std::size_t i = 0; i < kFixedSectionCount; ++i)
    faq.sections[i] = index.Read(kSectionNames[i]);
  faq.values.SetInteger(FaqValue::TotalQuestions, stored_count);
  const std::size_t count = QuestionCount(index, stored_count);
  faq.questions.clear();
  faq.answers.clear();
  faq.questions.reserve(count);
  if (answers == AnswerList::Filled) faq.answers.reserve(count);
  for (std::size_t n = 0; n < count; ++n) {
    faq.questions.push_back(QuestionAt(index, n));
    if (answers == AnswerList::Filled) {
      std::string answer;
      const std::string_view body = index.ReadAnswer(n, answer);
      if (body.data() != answer.data()) answer = body;
      faq.answers.push_back(std::move(answer));
    }
  }
  return document;
}

std::int32_t StoredCount(const Settings& settings, const Faq& faq) {
  if (const auto pending = PendingCount(faq.document_path)) return *pending;
  return settings.ReadSettingInteger(faq.key, Definition(FaqValue::TotalQuestions).name, 0);
}

long long Nanoseconds(const timespec& time) {
  return static_cast<long long>(time.tv_sec) * 1000000000LL + time.tv_nsec;
}

FileIdentity IdentityOf(const struct stat& info) {
  return {info.st_dev, info.st_ino, info.st_size, Nanoseconds(info.st_mtim),
          Nanoseconds(info.st_ctim)};
}

// Reads the FAQ `name`; `create_missing` creates a missing document empty (a failure there is
// ignored), as loading a FAQ for the window does.
// The FAQ `name` without its lists: values, TotalQuestions as the stamp read it, the stamp.
// `create_missing` creates a missing document empty (a failure there is ignored), as loading a
// FAQ for the window does.
Faq ReadFaqValues(const AppContext& context, std::string_view name, bool create_missing) {
  Faq faq(context.output_dir());
  faq.name = std::string(name);
  faq.document_path = context.DocumentPath(name);
  faq.key = context.FaqKey(name);
  faq.values = FaqValues::Read(context.settings(), faq.key, context.output_dir());

  if (create_missing && !FileExists(faq.document_path)) CreateEmptyFile(faq.document_path);
  // The stamp comes first: a write that lands between it and the read shows as a change later.
  faq.stamp = StampOf(context.settings(), faq);
  faq.values.SetInteger(FaqValue::TotalQuestions, faq.stamp.count);
  return faq;
}

// Reads the FAQ `name`, creating a missing document as ReadFaqValues does.
Faq ReadFaqDocument(const AppContext& context, std::string_view name, bool create_missing,
                    KeepDocument keep) {
  Faq faq = ReadFaqValues(context, name, create_missing);
  if (keep == KeepDocument::No) {
    FillFromDocument(faq, DocumentText(faq.document_path), faq.stamp.count);
    return faq;
  }
  LoadFaqDocument(faq);
  return faq;
}

}  // namespace

FaqStamp StampOf(const Settings& settings, const Faq& faq) {
  // The store's stamp first: a write that lands before the count is read shows as a change later.
  const StoreStamp store = StoreStampOf(settings);
  return StampOf(faq, StoredCount(settings, faq), store);
}

FaqStamp StampOf(const Faq& faq, std::int32_t count, const StoreStamp& store) {
  FaqStamp stamp = DocumentStampOf(faq);
  stamp.count = count;
  stamp.store = store;
  return stamp;
}

FaqStamp DocumentStampOf(const Faq& faq) {
  FaqStamp stamp;
  struct stat info {};
  if (sys::Stat(faq.document_path, &info) == 0) {
    stamp.exists = true;
    stamp.file = IdentityOf(info);
  } else if (errno != ENOENT && errno != ENOTDIR) {
    // Taken for a missing document, the FAQ would show no questions.
    const int error = errno;
    throw Error(messages::CannotOpenFile(faq.document_path, messages::SystemReason(error)), error);
  }
  return stamp;
}

StoreStamp StoreStampOf(const Settings& settings) {
  StoreStamp stamp;
  const sys::Fd fd(sys::Open(settings.registry().path(), O_RDONLY | O_NONBLOCK));
  if (!fd.valid()) return stamp;  // unknown: the store is read again
  struct stat info {};
  unsigned char counter[4];
  // SQLite's file change counter: four bytes, most significant first, at offset 24.
  if (sys::Fstat(fd.get(), &info, settings.registry().path()) == 0 && S_ISREG(info.st_mode) &&
      sys::Pread(fd.get(), counter, sizeof counter, 24) == static_cast<ssize_t>(sizeof counter)) {
    stamp.known = true;
    stamp.file = IdentityOf(info);
    stamp.changes = static_cast<std::uint32_t>(counter[0]) << 24 |
                    static_cast<std::uint32_t>(counter[1]) << 16 |
                    static_cast<std::uint32_t>(counter[2]) << 8 | counter[3];
  }
  return stamp;
}

std::shared_ptr<const DocumentAsRead> KeptDocument(const Faq& faq) {
  if (!faq.document) return nullptr;
  FaqStamp now = DocumentStampOf(faq);
  now.count = faq.document_stamp.count;
  now.store = faq.document_stamp.store;
  return now == faq.document_stamp ? faq.document : nullptr;
}

bool RefreshFaq(const Settings& settings, Faq& faq) {
  const StoreStamp store = StoreStampOf(settings);
  const bool same_store = store.known && store == faq.stamp.store;
  // A FAQ another process deleted is gone for every command that follows.
  if (!same_store && !settings.KeyExists(faq.key)) throw Error(messages::NoSuchFaq(faq.name));
  const std::optional<std::int32_t> pending = PendingCount(faq.document_path);
  const FaqStamp now = StampOf(faq,
                               pending      ? *pending
                               : same_store ? faq.stamp.count
                                            : StoredCount(settings, faq),
                               store);
  FaqStamp before = faq.stamp;
  before.store = store;  // another write to the store changes nothing the lists hold
  if (now == before) {
    faq.stamp = now;
    return false;
  }
  FillFromDocument(faq, DocumentText(faq.document_path), now.count);
  faq.stamp = now;
  return true;
}

Faq LoadFaq(const AppContext& context, std::string_view name, KeepDocument keep) {
  return ReadFaqDocument(context, name, true, keep);
}

Faq LoadFaqValues(const AppContext& context, std::string_view name) {
  return ReadFaqValues(context, name, true);
}

void LoadFaqDocument(Faq& faq, AnswerList answers) {
  // The document's stamp again before it is read, with the count as read.
  faq.stamp = StampOf(faq, faq.stamp.count, faq.stamp.store);
  LoadFaqDocument(faq, ReadFileIfExists(faq.document_path), answers);
}

void LoadFaqDocument(Faq& faq, std::optional<std::string> bytes, AnswerList answers) {
  auto document = std::make_shared<DocumentAsRead>();
  document->bytes = std::move(bytes);
  document->index = FillFromDocument(
      faq, document->bytes ? std::optional(DecodeMarkedText(*document->bytes).text) : std::nullopt,
      faq.stamp.count, answers);
  faq.document = std::move(document);
  faq.document_stamp = faq.stamp;
}

std::shared_ptr<const SectionIndex> LoadFaqText(Faq& faq, std::optional<std::string> bytes,
                                                AnswerList answers) {
  faq.document.reset();
  return FillFromDocument(
      faq, bytes ? std::optional(DecodeMarkedTextInPlace(std::move(*bytes)).text) : std::nullopt,
      faq.stamp.count, answers);
}

bool QuestionsAreThoseOf(const Faq& faq, const SectionIndex& document) {
  const std::size_t count = QuestionCount(document, faq.values.Integer(FaqValue::TotalQuestions));
  if (faq.questions.size() != count) return false;
  for (std::size_t n = 0; n < count; ++n)
    if (faq.questions[n] != QuestionAt(document, n)) return false;
  return true;
}

Faq ReadFaq(const AppContext& context, std::string_view name) {
  return ReadFaqDocument(context, name, false, KeepDocument::No);
}

}  // namespace quorella
