#pragma once
// What a reader of a FAQ file finds: the questions with their answers and text formats, and the
// FAQ's title when the file names one. Turned into a FAQ document's text for the import.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorella {

struct ImportedQuestion {
  std::string question;  // as the question list holds it: lines joined by CR LF
  std::string answer;    // the answer's lines, each followed by a line break
  int format = 0;        // the text format index
  bool operator==(const ImportedQuestion&) const = default;
};

struct ImportedFaq {
  std::string title;  // empty: the file names none
  std::vector<ImportedQuestion> questions;
  bool operator==(const ImportedFaq&) const = default;
};

// The document text of the questions, exactly as writing the question list into an empty
// document writes it (every line ends in CR LF).
std::string ImportedDocumentText(const ImportedFaq& faq);

// The stored form of an imported answer (its format line, then its lines).
std::string StoredAnswerOf(const ImportedQuestion& question);

// An imported question from a stored answer as the FAQ's answer list holds it.
ImportedQuestion ImportedQuestionOf(std::string question, std::string_view stored_answer);

// Each line followed by CR LF, blank lines at either end dropped: the text of an answer taken from
// the middle of a file.
std::string AnswerLines(std::string_view text);

}  // namespace quorella
