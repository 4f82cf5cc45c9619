#include "import/markdown_import.h"

#include <md4c.h>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

namespace {

constexpr std::string_view kMarkerStart = "<!-- quorella format ";
constexpr std::string_view kMarkerEnd = " -->";

struct Heading {
  int level = 0;
  std::size_t start = 0, end = 0;  // the heading's lines in the text, end after their line break
  std::string text;                // as a question: HTML of its emphasis, links as their text
};

// Where the line that holds `at` starts, and where the line after it starts.
std::size_t LineStart(std::string_view text, std::size_t at) {
  const std::size_t before = text.find_last_of("\r\n", at == 0 ? 0 : at - 1);
  return at == 0 || before == std::string_view::npos ? 0 : before + 1;
}
std::size_t NextLine(std::string_view text, std::size_t at) {
  std::size_t end = FindLineBreak(text, at);
  if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
    ++end;
  return std::min(text.size(), end + 1);
}

void AppendCode(std::string& out, std::string_view code) {
  for (const char c : code) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else
      out += c;
  }
}

class Outline {
 public:
  explicit Outline(std::string_view text) : text_(text) {}

  std::vector<Heading> headings;
  std::vector<std::size_t> details;  // where top-level <details> blocks start

  int EnterBlock(MD_BLOCKTYPE type, void* detail) {
    ++depth_;
    if (depth_ != 2) return 0;
    if (type == MD_BLOCK_H) {
      heading_ =
          Heading{static_cast<int>(static_cast<MD_BLOCK_H_DETAIL*>(detail)->level), 0, 0, {}};
      first_ = last_ = nullptr;
    }
    html_block_ = type == MD_BLOCK_HTML;
    return 0;
  }

  int LeaveBlock(MD_BLOCKTYPE type) {
    if (depth_-- != 2) return 0;
    if (type == MD_BLOCK_H && heading_ && first_ != nullptr) {
      const std::size_t first = static_cast<std::size_t>(first_ - text_.data());
      const std::size_t last = static_cast<std::size_t>(last_ - text_.data());
      heading_->start = LineStart(text_, first);
      heading_->end = NextLine(text_, last);
      // A setext heading is underlined on the line after its text.
      const std::string_view opening = TrimLeft(text_.substr(heading_->start, 4));
      if (!opening.starts_with("#")) heading_->end = NextLine(text_, heading_->end);
      heading_->text = Trim(heading_->text);
      headings.push_back(std::move(*heading_));
    }
    heading_.reset();
    html_block_ = false;
    return 0;
  }

  int Span(MD_SPANTYPE type, bool enter) {
    if (!heading_) return 0;
    const char* tag = type == MD_SPAN_EM       ? "em"
                      : type == MD_SPAN_STRONG ? "strong"
                      : type == MD_SPAN_CODE   ? "code"
                      : type == MD_SPAN_DEL    ? "del"
                                               : nullptr;
    if (tag != nullptr) heading_->text.append(enter ? "<" : "</").append(tag).append(">");
    return 0;
  }

  int Text(MD_TEXTTYPE type, const MD_CHAR* text, MD_SIZE size) {
    const bool from_input = text >= text_.data() && text < text_.data() + text_.size();
    if (html_block_ && from_input && size > 0) {
      html_block_ = false;  // only the block's first line tells what it is
      const std::size_t at = LineStart(text_, static_cast<std::size_t>(text - text_.data()));
      if (StartsWithNoCase(TrimLeft(text_.substr(at, 16)), "<details")) details.push_back(at);
    }
    if (!heading_) return 0;
    if (from_input && size > 0) {
      if (first_ == nullptr) first_ = text;
      last_ = text + size - 1;
    }
    const std::string_view piece(text, size);
    switch (type) {
      case MD_TEXT_CODE:
        AppendCode(heading_->text, piece);
        break;
      case MD_TEXT_NULLCHAR:
        heading_->text += "\xEF\xBF\xBD";
        break;
      case MD_TEXT_BR:
      case MD_TEXT_SOFTBR:
        heading_->text += ' ';
        break;
      default:
        heading_->text += piece;
    }
    return 0;
  }

 private:
  static std::string_view TrimLeft(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    return text.substr(i);
  }

  std::string_view text_;
  int depth_ = 0;
  std::optional<Heading> heading_;
  const MD_CHAR* first_ = nullptr;
  const MD_CHAR* last_ = nullptr;
  bool html_block_ = false;
};

Outline OutlineOf(std::string_view text) {
  Outline outline(text);
  MD_PARSER parser{};
  parser.flags = MD_DIALECT_GITHUB;
  parser.enter_block = [](MD_BLOCKTYPE type, void* detail, void* data) {
    return static_cast<Outline*>(data)->EnterBlock(type, detail);
  };
  parser.leave_block = [](MD_BLOCKTYPE type, void*, void* data) {
    return static_cast<Outline*>(data)->LeaveBlock(type);
  };
  parser.enter_span = [](MD_SPANTYPE type, void*, void* data) {
    return static_cast<Outline*>(data)->Span(type, true);
  };
  parser.leave_span = [](MD_SPANTYPE type, void*, void* data) {
    return static_cast<Outline*>(data)->Span(type, false);
  };
  parser.text = [](MD_TEXTTYPE type, const MD_CHAR* piece, MD_SIZE size, void* data) {
    return static_cast<Outline*>(data)->Text(type, piece, size);
  };
  md_parse(text.data(), static_cast<MD_SIZE>(text.size()), &parser, &outline);
  return outline;
}

// An answer written with its format marker: the fenced block's content and the format; nullopt
// when `answer` is not one.
std::optional<ImportedQuestion> MarkedAnswer(std::string_view answer) {
  std::size_t at = 0;
  while (at < answer.size() && Trim(answer.substr(at, FindLineBreak(answer, at) - at)).empty())
    at = NextLine(answer, at);
  const std::string_view marker = answer.substr(at, FindLineBreak(answer, at) - at);
  if (!marker.starts_with(kMarkerStart) || !marker.ends_with(kMarkerEnd)) return std::nullopt;
  int format = 0;
  if (!ParseInteger(marker.substr(kMarkerStart.size(),
                                  marker.size() - kMarkerStart.size() - kMarkerEnd.size()),
                    format))
    return std::nullopt;
  at = NextLine(answer, at);
  const std::string_view fence = answer.substr(at, FindLineBreak(answer, at) - at);
  if (fence.size() < 3 || fence.find_first_not_of('`') != std::string_view::npos)
    return std::nullopt;
  ImportedQuestion question{{}, {}, format};
  for (at = NextLine(answer, at); at < answer.size(); at = NextLine(answer, at)) {
    const std::string_view line = answer.substr(at, FindLineBreak(answer, at) - at);
    if (line == fence) return question;
    question.answer.append(line).append(kCrLf);
  }
  return std::nullopt;  // no closing fence
}

ImportedQuestion Answered(std::string question, std::string_view answer) {
  if (auto marked = MarkedAnswer(answer)) {
    marked->question = std::move(question);
    return std::move(*marked);
  }
  return ImportedQuestion{std::move(question), AnswerLines(answer), 4};
}

ImportedFaq FromHeadings(std::string_view text, std::vector<Heading>& headings) {
  ImportedFaq faq;
  if (headings.empty()) return faq;
  std::map<int, std::size_t> counts;
  for (const Heading& heading : headings) ++counts[heading.level];
  const int top = counts.begin()->first;
  std::size_t first = 0;
  if (counts.begin()->second == 1 && headings.front().level == top && counts.size() > 1) {
    faq.title = headings.front().text;
    first = 1;
    counts.erase(counts.begin());
  }
  int level = counts.begin()->first;
  for (const auto& [each, count] : counts)
    if (count > counts[level]) level = each;
  for (std::size_t i = first; i < headings.size(); ++i) {
    if (headings[i].level != level || headings[i].text.empty()) continue;
    std::size_t end = text.size();
    for (std::size_t j = i + 1; j < headings.size(); ++j)
      if (headings[j].level <= level) {
        end = headings[j].start;
        break;
      }
    const std::size_t start = std::min(headings[i].end, end);
    faq.questions.push_back(Answered(headings[i].text, text.substr(start, end - start)));
  }
  return faq;
}

std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from) {
  for (std::size_t i = from; i + what.size() <= text.size(); ++i) {
    i = text.find('<', i);
    if (i == std::string_view::npos) break;
    if (StartsWithNoCase(text.substr(i), what)) return i;
  }
  return std::string_view::npos;
}

// The <details> block at `start`: its summary as the question, the rest as the answer.
std::optional<ImportedQuestion> DetailsBlock(std::string_view text, std::size_t start) {
  // The block ends at the </details> that closes it, blocks inside it counted.
  std::size_t depth = 0, at = start, end = std::string_view::npos;
  while (end == std::string_view::npos) {
    const std::size_t open = FindNoCase(text, "<details", at + 1);
    const std::size_t close = FindNoCase(text, "</details", at + 1);
    if (close == std::string_view::npos) return std::nullopt;
    if (open < close) {
      ++depth;
      at = open;
    } else if (depth > 0) {
      --depth;
      at = close;
    } else {
      end = close;
    }
  }
  const std::size_t summary = FindNoCase(text.substr(0, end), "<summary", start);
  if (summary == std::string_view::npos) return std::nullopt;
  const std::size_t question_start = text.find('>', summary);
  const std::size_t question_end = FindNoCase(text.substr(0, end), "</summary", summary);
  if (question_start == std::string_view::npos || question_end == std::string_view::npos ||
      question_start > question_end)
    return std::nullopt;
  std::string question = CollapseBlanks(ReplaceLineBreaks(
      Trim(text.substr(question_start + 1, question_end - question_start - 1)), " "));
  if (Trim(question).empty()) return std::nullopt;
  const std::size_t answer_start = text.find('>', question_end);
  if (answer_start == std::string_view::npos || answer_start > end) return std::nullopt;
  return ImportedQuestion{std::move(question),
                          AnswerLines(text.substr(answer_start + 1, end - answer_start - 1)), 4};
}

}  // namespace

std::string FormatMarkerLine(int format) {
  return std::string(kMarkerStart) + std::to_string(format) + std::string(kMarkerEnd);
}

MarkdownOutline OutlineCounts(std::string_view text) {
  const Outline outline = OutlineOf(text);
  return MarkdownOutline{outline.headings.size(), outline.details.size()};
}

ImportedFaq ReadMarkdownFaq(std::string_view text) {
  Outline outline = OutlineOf(text);
  ImportedFaq faq = FromHeadings(text, outline.headings);
  if (outline.details.size() > faq.questions.size()) {
    ImportedFaq from_details;
    from_details.title = faq.title;
    for (const std::size_t start : outline.details)
      if (auto question = DetailsBlock(text, start))
        from_details.questions.push_back(std::move(*question));
    if (from_details.questions.size() > faq.questions.size()) return from_details;
  }
  return faq;
}

}  // namespace quorella
