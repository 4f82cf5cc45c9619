#pragma once
// A document file in the shape the program itself writes, worked on as bytes.
//
// Plain shape: every line ends in CR LF; outside section bodies a line that begins with "[" and
// holds a "]" is a header, and every section runs from its header to a terminator line with no
// numbered or fixed header in between; no question or answer section name occurs twice. On such a
// document the writes of a question list do no more than put new bodies between headers and
// terminators that stay where they are, drop whole sections and append new ones: rejoining its
// lines with CR LF changes nothing, every header a write looks for is a section's own, and the
// names that decide how body lines are stored stay the same. So the result of the
// section-by-section writes is a splice of byte ranges, and the outline of the result follows
// from the outline of the document without looking at its lines again.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/document.h"
#include "store/faq.h"
#include "util/marked_text.h"

namespace quorella {

enum class Numbered { Question, Answer };

// The number n of a line that is the header of section "Question " + n or "Answer " + n (the
// header test of IsHeaderOf: "[" + name + "]" at the start, letters compared without regard to
// case), for n below `limit`.
std::optional<std::pair<Numbered, std::size_t>> NumberedHeader(std::string_view line,
                                                               std::size_t limit);

class PlainLayout {
 public:
  // The outline of a document file's bytes (in either encoding, the mark included); nullopt when
  // they are not in plain shape.
  static std::optional<PlainLayout> Of(std::string_view bytes);

  // The file's bytes after the sections "Question " + (deleted_count - 1) and "Answer " +
  // (deleted_count - 1) are deleted (when `deleted_count` is above 0) and the lists are written
  // (SaveQuestionList), byte for byte what those steps give on the decoded text, encoded as the
  // file must then be. true: `out` holds them and the layout now describes them; false: the bytes
  // stay as they are; nullopt: this document needs the general rewrite (a section after which a
  // deletion would drop a header, a character Windows-1252 cannot hold), the layout unchanged.
  std::optional<bool> SaveQuestionList(std::string_view bytes, std::size_t deleted_count,
                                       const std::vector<std::string>& questions,
                                       const std::vector<std::string>& answers, std::string& out);

  // The same for WriteSection of a numbered or fixed section; nullopt for any other name.
  std::optional<bool> WriteSection(std::string_view bytes, std::string_view name,
                                   const std::vector<std::string>& lines, std::string& out);

 private:
  struct Section {
    std::uint32_t header = 0;             // first byte of the header line
    std::uint32_t body = 0;               // first byte after it
    std::uint32_t terminator = 0;         // first byte of the terminator line
    std::uint32_t number = 0;             // of a numbered section
    signed char numbered = kNotNumbered;  // Numbered, for a question or answer section
    signed char fixed = kNotFixed;        // FixedSection, for a fixed section
    // The body is what the body writer makes of some lines (no line that could be a header),
    // followed by one empty line; and, in a Windows-1252 file, it is ASCII.
    bool canonical = false;
    bool ascii = false;
  };
  // Where the new bytes of a body come from.
  struct Body {
    bool from_document = false;  // else from the written bodies
    std::size_t begin = 0, end = 0;
    bool canonical = true, ascii = true;
  };
  struct Edit {
    std::uint32_t section = 0;
    bool remove = false;
    std::size_t end = 0;  // of a removal: the first byte kept after it
    Body body;
  };
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
  static constexpr signed char kNotNumbered = -1, kNotFixed = -1;
  struct Appended {
    std::string header;  // the name in the header line
    signed char numbered = kNotNumbered;
    std::uint32_t number = 0;
    signed char fixed = kNotFixed;
    Body body;
  };

  static constexpr signed char kRemoved = -2;  // a section's mark while the outline is updated

  std::uint32_t Find(Numbered which, std::size_t number) const;
  std::optional<Body> BodyFor(std::string_view bytes, Numbered which, std::size_t number,
                              std::string_view entry, std::string& written) const;
  std::optional<Body> Written(std::string& written, std::size_t begin) const;
  std::optional<std::size_t> RemovalEnd(std::string_view bytes, std::uint32_t section) const;
  std::string_view BytesOf(std::string_view bytes, const Body& body) const;
  template <typename Named>
  void Place(std::string_view bytes, std::uint32_t found, const Body& body, Named appended);
  void StartEdits();
  std::optional<bool> Splice(std::string_view bytes, std::string& out);
  bool Index();  // false when a question or answer name occurs twice

  FileEncoding encoding_ = FileEncoding::Windows1252;
  SectionBodyWriter body_writer_;
  std::vector<Section> sections_;            // in file order
  std::vector<std::uint32_t> by_number_[2];  // questions, answers: the section, or kNone
  std::array<std::uint32_t, kFixedSectionCount> fixed_{};  // the first of each fixed name
  // The edits of the operation under way, kept to spare their memory from one to the next.
  std::vector<Edit> edits_;
  std::vector<Appended> appended_;
  std::string written_;  // the bodies written by the body writer
};

}  // namespace quorella
