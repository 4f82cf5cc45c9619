#include "import/qa_import.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

namespace {

enum class Part { None, Question, Answer };

std::size_t IndentOf(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  return i;
}

// The text after the marker when `line` starts with `letter` + ":"; nullopt otherwise.
std::optional<std::string_view> AfterMarker(std::string_view line, char letter) {
  const std::size_t i = IndentOf(line);
  if (i + 1 >= line.size() || line[i + 1] != ':' ||
      std::toupper(static_cast<unsigned char>(line[i])) != letter)
    return std::nullopt;
  return line.substr(i + 2);
}

class QaReader {
 public:
  void Line(std::string_view line) {
    if (const auto question = AfterMarker(line, 'Q')) {
      Finish();
      part_ = Part::Question;
      lines_.emplace_back(*question);
      return;
    }
    if (const auto answer = AfterMarker(line, 'A'); answer && part_ == Part::Question) {
      question_ = Joined();
      part_ = Part::Answer;
      lines_.clear();
      lines_.emplace_back(*answer);
      return;
    }
    if (part_ == Part::None) return;
    const bool blank = Trim(line).empty();
    if (blank) {
      after_blank_ = true;
      if (part_ == Part::Answer) lines_.emplace_back();
      return;
    }
    if (after_blank_ && IndentOf(line) == 0) {
      // A line at the margin after an empty one is no longer the question's or the answer's.
      Finish();
      return;
    }
    after_blank_ = false;
    lines_.emplace_back(line);
  }

  ImportedFaq Take() {
    Finish();
    return std::move(faq_);
  }

 private:
  std::string Joined() const {
    std::string text;
    for (const std::string& line : lines_) {
      const std::string piece = Trim(line);
      if (piece.empty()) continue;
      if (!text.empty()) text += ' ';
      text += piece;
    }
    return text;
  }

  std::string AnswerText() {
    // The first line follows the marker; the others lose the indentation they share.
    std::size_t common = std::string::npos;
    for (std::size_t i = 1; i < lines_.size(); ++i)
      if (!Trim(lines_[i]).empty()) common = std::min(common, IndentOf(lines_[i]));
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      std::string_view line = lines_[i];
      if (i == 0)
        line = line.substr(IndentOf(line));
      else if (common != std::string::npos && line.size() >= common)
        line.remove_prefix(common);
      text.append(TrimRight(line)).append(kCrLf);
    }
    return AnswerLines(text);
  }

  void Finish() {
    if (part_ == Part::Answer && !Trim(question_).empty())
      faq_.questions.push_back(ImportedQuestion{question_, AnswerText(), 0});
    else if (part_ == Part::Question && !Joined().empty())
      faq_.questions.push_back(ImportedQuestion{Joined(), "", 0});
    part_ = Part::None;
    lines_.clear();
    question_.clear();
    after_blank_ = false;
  }

  ImportedFaq faq_;
  Part part_ = Part::None;
  std::vector<std::string> lines_;
  std::string question_;
  bool after_blank_ = false;
};

}  // namespace

ImportedFaq ReadQaFaq(std::string_view text) {
  QaReader reader;
  ForEachLine(text, [&](std::string_view line) { reader.Line(line); });
  return reader.Take();
}

}  // namespace quorella
