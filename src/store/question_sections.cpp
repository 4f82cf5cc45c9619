#include "store/question_sections.h"

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "store/document.h"
#include "store/document_file.h"
#include "store/faq.h"
#include "store/known_document.h"
#include "store/plain_layout.h"
#include "util/file_io.h"
#include "util/folder_lock.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

namespace {

// Pieces are counted in 32 bits, which keeps the outline of a large document small.
using PieceIndex = std::uint32_t;
constexpr PieceIndex kNone = std::numeric_limits<PieceIndex>::max();

// A document as a chain of pieces, on which the writes of sections "Question " + n and "Answer " +
// n for n below a limit, each name once, are played. A piece of the document's own text runs up
// to and including its next terminator line, or up to its next header of a numbered or fixed
// section, which is a piece of its own (the last piece may end without either); the written
// sections are pieces of their own. A write that finds its header drops the pieces after it up to
// the first one that ends in a terminator (a written body ends in one) or up to the next header
// or appended section, and puts its body there; one that does not appends its section.
//
// Two facts keep this exact and linear. A written body never holds a question or answer header
// nor a terminator (the body writer shifts such lines by a blank), so every header a write can
// find is one of the document's own lines, and each name is looked up once. And the names that
// decide the shifting are the same for every write: replacing a body never turns a line into a
// header, and appending adds only question and answer names, which are always shifted.
class QuestionListOutline {
 public:
  QuestionListOutline(const std::optional<std::string>& content, std::size_t count)
      : original_(content ? std::string_view(*content) : std::string_view()),
        // A file that does not exist yet is created holding the first section alone, as a text
        // whose lines all end in CR LF.
        rejoined_(!content),
        ends_with_break_(content && (content->empty() || EndsWithLineBreak(*content))) {
    first_header_[0].assign(count, kNone);
    first_header_[1].assign(count, kNone);
    // A document the program wrote has a header and a terminator for each section, and every
    // section is written once.
    pieces_.reserve(6 * count + 16);
    sections_.reserve(2 * count);
    written_.reserve(original_.size() + 64);
    Outline(count);
  }

  void Write(Numbered which, std::size_t number, std::string_view text) {
    Section section;
    section.begin = written_.size();
    const PieceIndex header = FindHeader(which, number);
    if (header == kNone) {
      written_ += '[';
      written_ +=
          which == Numbered::Question ? QuestionSectionName(number) : AnswerSectionName(number);
      written_ += ']';
      written_ += kCrLf;
      section.separator = ends_with_break_;
      section.appended = true;
    }
    body_writer_.AppendLinesOf(written_, text);
    section.end = written_.size();
    sections_.push_back(section);
    const PieceIndex piece = AddPiece(
        Piece{.kind = Kind::Section, .section = static_cast<PieceIndex>(sections_.size() - 1)});
    if (header == kNone)
      Link(last_, piece);
    else
      ReplaceBodyAfter(header, piece);
    ends_with_break_ = true;
  }

  std::string Text() const {
    std::string text;
    text.reserve(original_.size() + written_.size() + 16 * sections_.size());
    if (!rejoined_) {
      // Only appended sections: the document's own bytes stay as they are.
      text += original_;
      for (const Section& section : sections_) {
        text += kCrLf;
        AppendSection(text, section);
      }
      return text;
    }
    for (PieceIndex at = pieces_.front().next; at != kNone; at = pieces_[at].next) {
      const Piece& piece = pieces_[at];
      if (piece.kind == Kind::Section) {
        if (sections_[piece.section].separator) text += kCrLf;
        AppendSection(text, sections_[piece.section]);
      } else if (piece.crlf_only) {
        text.append(original_, piece.begin, piece.end - piece.begin);
      } else {
        ForEachLine(original_.substr(piece.begin, piece.end - piece.begin),
                    [&](std::string_view line) {
                      text += line;
                      text += kCrLf;
                    });
      }
    }
    return text;
  }

 private:
  // How a piece ends: in a header, in a terminator, or at the end of the document (Rest); or it
  // is a written section.
  enum class Kind : unsigned char { Rest, Header, Terminator, Section };
  struct Piece {
    Kind kind = Kind::Rest;
    bool crlf_only = false;  // every line of the piece ends in CR LF
    bool removed = false;
    PieceIndex section = kNone;  // a written section's index in sections_
    PieceIndex next = kNone;
    PieceIndex next_same_header = kNone;
    std::size_t begin = 0, end = 0;  // the piece's bytes in the document
  };
  struct Section {
    std::size_t begin = 0, end = 0;  // header (when appended) and body in written_
    bool separator = false;          // an appended section follows an empty line
    bool appended = false;           // written with its header, after the document
  };

  // Cuts the document into pieces, indexes the headers of the names to be written and gathers
  // the section names that decide how body lines are stored.
  void Outline(std::size_t count) {
    pieces_.emplace_back();  // the start of the chain
    std::vector<PieceIndex> last_header[2] = {first_header_[0], first_header_[1]};
    SectionNameTracker section_names;
    std::size_t piece_begin = 0;
    bool crlf_only = true;
    const std::size_t size = original_.size();
    for (std::size_t begin = 0; begin < size;) {
      const std::size_t line_end = FindLineBreak(original_, begin);
      const bool crlf =
          line_end + 1 < size && original_[line_end] == '\r' && original_[line_end + 1] == '\n';
      const std::size_t next = line_end + (crlf ? 2 : line_end < size ? 1 : 0);
      const std::string_view line = original_.substr(begin, line_end - begin);
      if (const auto name = section_names.Next(line)) body_writer_.Add(*name);
      const std::size_t line_begin = begin;
      begin = next;
      const auto numbered = NumberedHeader(line, count);
      const bool header = numbered || IsProgramHeader(line);
      if (!header && line != kTerminator) {
        crlf_only = crlf_only && crlf;
        continue;
      }
      if (header && piece_begin < line_begin) {
        // A header is a piece of its own, so a write can end an unterminated body before it.
        Link(last_,
             AddPiece(Piece{.crlf_only = crlf_only, .begin = piece_begin, .end = line_begin}));
        piece_begin = line_begin;
        crlf_only = true;
      }
      crlf_only = crlf_only && crlf;
      const PieceIndex piece = AddPiece(Piece{.kind = header ? Kind::Header : Kind::Terminator,
                                              .crlf_only = crlf_only,
                                              .begin = piece_begin,
                                              .end = next});
      Link(last_, piece);
      if (numbered) {
        const auto index = static_cast<std::size_t>(numbered->first);
        PieceIndex& last = last_header[index][numbered->second];
        if (last == kNone)
          first_header_[index][numbered->second] = piece;
        else
          pieces_[last].next_same_header = piece;
        last = piece;
      }
      piece_begin = next;
      crlf_only = true;
    }
    if (piece_begin < size)
      Link(last_, AddPiece(Piece{.crlf_only = crlf_only, .begin = piece_begin, .end = size}));
  }

  void AppendSection(std::string& text, const Section& section) const {
    text.append(written_, section.begin, section.end - section.begin);
    text += kCrLf;
    text += kTerminator;
    text += kCrLf;
  }

  // The piece of the first header of the name still in the document, or kNone.
  PieceIndex FindHeader(Numbered which, std::size_t number) const {
    for (PieceIndex at = first_header_[static_cast<std::size_t>(which)][number]; at != kNone;
         at = pieces_[at].next_same_header)
      if (!pieces_[at].removed) return at;
    return kNone;
  }

  PieceIndex AddPiece(const Piece& piece) {
    if (pieces_.size() >= kNone) throw std::length_error("document outline");
    pieces_.push_back(piece);
    return static_cast<PieceIndex>(pieces_.size() - 1);
  }

  // A header of the document or an appended section, either of which ends a body before it.
  bool StartsSection(const Piece& piece) const {
    return piece.kind == Kind::Header ||
           (piece.kind == Kind::Section && sections_[piece.section].appended);
  }

  void Link(PieceIndex after, PieceIndex piece) {
    pieces_[piece].next = pieces_[after].next;
    pieces_[after].next = piece;
    if (last_ == after) last_ = piece;
  }

  // Drops the pieces after `header` up to and including the first terminator, or up to the next
  // header, or to the end, and
  // puts `body` in their place. The text is then rejoined line by line with CR LF.
  void ReplaceBodyAfter(PieceIndex header, PieceIndex body) {
    PieceIndex at = pieces_[header].next;
    bool terminated = false;
    while (at != kNone && !StartsSection(pieces_[at])) {
      Piece& piece = pieces_[at];
      piece.removed = true;
      at = piece.next;
      terminated = piece.kind == Kind::Terminator || piece.kind == Kind::Section;
      if (terminated) break;
    }
    // The empty line before an appended section that ends the body was part of that body.
    if (!terminated && at != kNone && pieces_[at].kind == Kind::Section)
      sections_[pieces_[at].section].separator = false;
    pieces_[header].next = at;
    if (at == kNone) last_ = header;
    Link(header, body);
    rejoined_ = true;
  }

  std::string_view original_;
  SectionBodyWriter body_writer_;  // knows the document's section names once it is outlined
  bool rejoined_;
  bool ends_with_break_;
  std::vector<Piece> pieces_;
  PieceIndex last_ = 0;
  std::vector<PieceIndex> first_header_[2];  // by number: questions, answers
  std::string written_;                      // the written sections, one after the other
  std::vector<Section> sections_;
};

// The general rewrite: the document decoded, the writes played on its outline, the result
// encoded, from the file's bytes (nullopt: the file does not exist).
void SaveByOutline(const std::string& path, std::size_t deleted_count,
                   const std::vector<std::string>& questions,
                   const std::vector<std::string>& answers, std::optional<std::string> read) {
  std::optional<std::string> before;
  FileEncoding encoding = FileEncoding::Windows1252;
  if (read) {
    DecodedText decoded = DecodeMarkedText(*read);
    read.reset();
    before = std::move(decoded.text);
    encoding = decoded.encoding;
  }
  std::optional<std::string> text = before;
  if (text && deleted_count > 0) {
    for (const std::string& name :
         {QuestionSectionName(deleted_count - 1), AnswerSectionName(deleted_count - 1)})
      if (auto removed = DeleteSectionFromText(*text, name)) text = std::move(*removed);
  }
  const std::optional<std::string> after = QuestionListInText(text, questions, answers);
  if (!after || (before && *before == *after)) return;
  ReplaceDocumentFile(path, *after, encoding);
}

void Save(const std::string& path, std::size_t deleted_count,
          const std::vector<std::string>& questions, const std::vector<std::string>& answers) {
  const FolderLock lock(DirectoryOf(path));
  std::optional<std::string> read;
  const auto splice = [&](PlainLayout& layout, std::string_view bytes, std::string& out) {
    return layout.SaveQuestionList(bytes, deleted_count, questions, answers, out);
  };
  if (EditKnownDocument(path, splice, read)) return;
  SaveByOutline(path, deleted_count, questions, answers, std::move(read));
}

}  // namespace

std::optional<std::string> QuestionListInText(const std::optional<std::string>& content,
                                              const std::vector<std::string>& questions,
                                              const std::vector<std::string>& answers) {
  if (questions.empty()) return content;
  QuestionListOutline outline(content, questions.size());
  for (std::size_t n = 0; n < questions.size(); ++n) {
    outline.Write(Numbered::Question, n, questions[n]);
    outline.Write(Numbered::Answer, n, answers[n]);
  }
  return outline.Text();
}

void SaveQuestionList(const std::string& path, const std::vector<std::string>& questions,
                      const std::vector<std::string>& answers) {
  Save(path, 0, questions, answers);
}

void DeleteLastAndSaveQuestionList(const std::string& path, std::size_t old_count,
                                   const std::vector<std::string>& questions,
                                   const std::vector<std::string>& answers) {
  Save(path, old_count, questions, answers);
}

}  // namespace quorella
