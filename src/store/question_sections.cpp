#include "store/question_sections.h"

#include <limits>
#include <string_view>
#include <unordered_map>

#include "store/document.h"
#include "store/faq.h"
#include "util/file_io.h"
#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

// A document as a chain of pieces, on which a sequence of section writes with distinct question and
// answer names is played. The pieces are the document's own lines and the sections the writes put
// in. A write that finds its header drops the pieces after it up to the first terminator (a
// written section ends in one) and puts its body there; one that does not appends its section.
//
// Two facts keep this exact and linear. A written body never holds a question or answer header
// nor a terminator (the body writer shifts such lines by a blank), so every header a write can
// find is one of the document's own lines, and each name is looked up once. And the names that
// decide the shifting are the same for every write of the sequence: replacing a body never turns
// a line into a header, and appending adds only question and answer names, which are always
// shifted.
class DocumentOutline {
 public:
  explicit DocumentOutline(const std::optional<std::string>& content)
      : original_(content ? std::string_view(*content) : std::string_view()),
        body_writer_(content ? SectionNamesIn(*content) : std::vector<std::string>()),
        // A file that does not exist yet is created holding the first section alone, as a text
        // whose lines all end in CR LF.
        rejoined_(!content),
        ends_with_break_(content && (content->empty() || EndsWithLineBreak(*content))) {
    pieces_.emplace_back();  // the start of the chain
    ForEachLine(original_, [&](std::string_view line) {
      pieces_.back().next = pieces_.size();
      Piece piece;
      piece.terminator = line == kTerminator;
      pieces_.push_back(piece);
      lines_.push_back(line);
    });
    last_ = pieces_.size() - 1;
    next_same_header_.assign(lines_.size(), kNone);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      const auto name = BracketedName(lines_[i]);
      if (!name) continue;
      const auto [at, added] = headers_.try_emplace(LowerAscii(*name), HeaderLines{i, i});
      if (!added) {
        next_same_header_[at->second.last] = i;
        at->second.last = i;
      }
    }
  }

  void Write(const std::string& name, const std::vector<std::string>& lines) {
    Section section;
    body_writer_.Append(section.body, lines);
    const std::size_t header = FindHeader(name);
    if (header == kNone) {
      section.header = "[" + name + "]";
      section.separator = ends_with_break_;
      Link(last_, AddSection(std::move(section)));
    } else {
      ReplaceBodyAfter(header, AddSection(std::move(section)));
    }
    ends_with_break_ = true;
  }

  std::string Text() const {
    std::string text;
    text.reserve(original_.size() + written_size_ + 16);
    if (!rejoined_) {
      // Only appended sections: the document's own lines stay as they are, ending in CR LF.
      text += ReplaceLineBreaks(original_, kCrLf);
      for (const Section& section : sections_) {
        text += kCrLf;
        AppendSection(text, section);
      }
      return text;
    }
    for (std::size_t at = pieces_.front().next; at != kNone; at = pieces_[at].next) {
      const Piece& piece = pieces_[at];
      if (piece.section != kNone) {
        if (sections_[piece.section].separator) text += kCrLf;
        AppendSection(text, sections_[piece.section]);
      } else {
        text += lines_[at - 1];
        text += kCrLf;
      }
    }
    return text;
  }

 private:
  struct Piece {
    std::size_t next = kNone;
    bool removed = false;
    bool terminator = false;      // a "####" line, or a written section
    std::size_t section = kNone;  // the written section this piece is, if any
  };
  struct Section {
    std::string header;      // an appended section's header line; empty for a replaced body
    bool separator = false;  // an appended section follows an empty line
    std::string body;
  };

  static void AppendSection(std::string& text, const Section& section) {
    if (!section.header.empty()) {
      text += section.header;
      text += kCrLf;
    }
    text += section.body;
    text += kCrLf;
    text += kTerminator;
    text += kCrLf;
  }

  // The piece of the first header of `name` still in the document, or kNone.
  std::size_t FindHeader(const std::string& name) const {
    const auto found = headers_.find(LowerAscii(name));
    if (found == headers_.end()) return kNone;
    for (std::size_t line = found->second.first; line != kNone; line = next_same_header_[line])
      if (!pieces_[line + 1].removed) return line + 1;
    return kNone;
  }

  std::size_t AddSection(Section section) {
    written_size_ += section.header.size() + section.body.size() + 10;
    sections_.push_back(std::move(section));
    Piece piece;
    piece.terminator = true;
    piece.section = sections_.size() - 1;
    pieces_.push_back(piece);
    return pieces_.size() - 1;
  }

  void Link(std::size_t after, std::size_t piece) {
    pieces_[piece].next = pieces_[after].next;
    pieces_[after].next = piece;
    if (last_ == after) last_ = piece;
  }

  // Drops the pieces after `header` up to and including the first terminator (or to the end) and
  // puts `body` in their place. The text is then rejoined line by line with CR LF.
  void ReplaceBodyAfter(std::size_t header, std::size_t body) {
    std::size_t at = pieces_[header].next;
    while (at != kNone) {
      Piece& piece = pieces_[at];
      piece.removed = true;
      at = piece.next;
      if (piece.terminator) break;
    }
    pieces_[header].next = at;
    if (at == kNone) last_ = header;
    Link(header, body);
    rejoined_ = true;
  }

  std::string_view original_;
  SectionBodyWriter body_writer_;
  bool rejoined_;
  bool ends_with_break_;
  std::vector<std::string_view> lines_;  // line i is piece i + 1
  std::vector<Piece> pieces_;
  std::size_t last_ = 0;
  std::vector<Section> sections_;
  std::size_t written_size_ = 0;
  struct HeaderLines {
    std::size_t first, last;
  };
  std::unordered_map<std::string, HeaderLines> headers_;  // by lowered name
  std::vector<std::size_t> next_same_header_;             // line -> next header line of its name
};

void ReplaceIfChanged(const std::string& path, const std::optional<std::string>& before,
                      const std::optional<std::string>& after) {
  if (!after || (before && *before == *after)) return;
  ReplaceFileAtomically(path, *after);
}

}  // namespace

std::optional<std::string> QuestionListInText(const std::optional<std::string>& content,
                                              const std::vector<std::string>& questions,
                                              const std::vector<std::string>& answers) {
  if (questions.empty()) return content;
  DocumentOutline outline(content);
  for (std::size_t n = 0; n < questions.size(); ++n) {
    outline.Write(QuestionSectionName(n), SplitLines(questions[n]));
    outline.Write(AnswerSectionName(n), SplitLines(answers[n]));
  }
  return outline.Text();
}

void SaveQuestionList(const std::string& path, const std::vector<std::string>& questions,
                      const std::vector<std::string>& answers) {
  const auto content = ReadFileIfExists(path);
  ReplaceIfChanged(path, content, QuestionListInText(content, questions, answers));
}

void DeleteLastAndSaveQuestionList(const std::string& path, std::size_t old_count,
                                   const std::vector<std::string>& questions,
                                   const std::vector<std::string>& answers) {
  const auto content = ReadFileIfExists(path);
  std::optional<std::string> text = content;
  if (text && old_count > 0) {
    for (const std::string& name :
         {QuestionSectionName(old_count - 1), AnswerSectionName(old_count - 1)})
      if (auto removed = DeleteSectionFromText(*text, name)) text = std::move(*removed);
  }
  ReplaceIfChanged(path, content, QuestionListInText(text, questions, answers));
}

}  // namespace quorella
