#include "store/pending_count.h"

#include <algorithm>

#include "store/document.h"
#include "store/document_file.h"
#include "store/values.h"
#include "util/file_io.h"
#include "util/folder_lock.h"
#include "util/paths.h"
#include "util/sha256.h"
#include "util/strings.h"

namespace quorella {

namespace {

struct Record {
  std::int32_t count = 0;
  std::string digest;
};

std::optional<Record> ReadRecord(const std::string& document_path) {
  const std::string path = PendingCountPath(document_path);
  if (!FileExists(path)) return std::nullopt;
  const std::optional<std::string> text = ReadFileIfExists(path);
  if (!text) return std::nullopt;
  const std::size_t space = text->find(' ');
  Record record;
  if (space == std::string::npos || !ParseInteger(text->substr(0, space), record.count))
    return std::nullopt;
  record.digest = Trim(text->substr(space + 1));
  return record;
}

// The digest of the first `count` questions and answers of a document's text, as a FAQ reads
// them: what the replacement wrote, whatever other sections have been edited since.
std::string QuestionsDigest(std::string_view text, std::int32_t count) {
  const SectionIndex index{std::string(text)};
  std::string questions, scratch;
  for (std::size_t n = 0; n < static_cast<std::size_t>(std::max(count, 0)); ++n) {
    questions.append(index.ReadQuestion(n)).append("\x1F");
    questions.append(index.ReadAnswer(n, scratch)).append("\x1E");
  }
  return Sha256Hex(questions);
}

bool Arrived(const Record& record, const std::string& document_path) {
  const auto document = ReadDocumentFile(document_path);
  return document && QuestionsDigest(document->text, record.count) == record.digest;
}

}  // namespace

std::string PendingCountPath(const std::string& document_path) {
  return document_path + ".pending";
}

void WritePendingCount(const std::string& document_path, std::int32_t count,
                       std::string_view text) {
  ReplaceFileAtomically(PendingCountPath(document_path),
                        std::to_string(count) + " " + QuestionsDigest(text, count) + "\n");
}

std::optional<std::int32_t> PendingCount(const std::string& document_path) {
  const std::optional<Record> record = ReadRecord(document_path);
  if (!record || !Arrived(*record, document_path)) return std::nullopt;
  return record->count;
}

void FinishPendingCount(Settings& settings, std::string_view faq_key,
                        const std::string& document_path) {
  const std::string path = PendingCountPath(document_path);
  if (!FileExists(path)) return;
  // A replacement may be under way in another process: its lock is waited for.
  const FolderLock lock(DirectoryOf(document_path));
  if (!FileExists(path)) return;
  if (const std::optional<Record> record = ReadRecord(document_path);
      record && Arrived(*record, document_path))
    WriteFaqValue(settings, faq_key, FaqValue::TotalQuestions, record->count);
  RemoveFile(path);
}

}  // namespace quorella
