#pragma once
// The FAQ document: a text file of sections "[" + name + "]", body lines, and a terminator line
// "####" (a section without one ends at the next header of a numbered or fixed section). Lines
// outside sections are kept. Every operation opens, uses and closes the file.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace quorella {

inline constexpr std::string_view kTerminator = "####";

// The name a line that looks like a header carries: the text between its leading "[" and its
// first "]". nullopt for any other line.
std::optional<std::string_view> BracketedName(std::string_view line);

// Is `line` the header of a numbered ("Question " or "Answer " + n) or fixed section, which
// every document may hold? Such a header also ends a section before it that has no terminator,
// so a document whose sections lack them is still read and rewritten section by section.
bool IsProgramHeader(std::string_view line);

// Does `line` end the body of the section it follows: a terminator or such a header?
bool EndsBody(std::string_view line);

// Is `line` the header of section `name`: does it begin, letters A to Z compared without regard to
// case, with "[" + name + "]"?
bool IsHeaderOf(std::string_view line, std::string_view name);

// Stores `lines` as the body of section `name`, replacing the first section of that name or
// appending the section (after one empty line); creates the file when it is missing. The file is
// replaced as a whole, so it is always either the old or the new version. A replaced section
// rewrites every line with CR LF; an appended one leaves the document's own bytes as they are, so
// in a document with other line ends the second write of the same lines is the one that settles.
void WriteSection(const std::string& path, std::string_view name,
                  const std::vector<std::string>& lines);

// The body of the first section `name`, each line followed by CR LF but the last; empty when the
// file or the section is missing or the section is empty.
std::string ReadSection(const std::string& path, std::string_view name);

// Removes the first section `name` and the one line after its terminator. A file without that
// section is left untouched.
void DeleteSection(const std::string& path, std::string_view name);

// The same operations on a document's text in memory.
std::string WriteSectionInText(const std::optional<std::string>& content, std::string_view name,
                               const std::vector<std::string>& lines);
std::string ReadSectionFromText(std::string_view content, std::string_view name);
std::optional<std::string> DeleteSectionFromText(std::string_view content, std::string_view name);

// The body text stored for `lines`: each line followed by CR LF, with the lines that would read
// back as a terminator or as a header of this document shifted by one blank ("#### ",
// " [Question 3]"). `section_names` are the sections the document holds.
std::string SectionBodyText(const std::vector<std::string>& lines,
                            const std::vector<std::string>& section_names);

// SectionBodyText for many sections of one document: the names are prepared once.
class SectionBodyWriter {
 public:
  SectionBodyWriter() = default;
  explicit SectionBodyWriter(const std::vector<std::string>& section_names);
  // Adds the name of a section the document holds.
  void Add(std::string_view name);

  // Appends the body text of `lines` to `out`.
  void Append(std::string& out, const std::vector<std::string>& lines) const;
  // Appends the body text of the lines of `text`, split as SplitLines splits them.
  void AppendLinesOf(std::string& out, std::string_view text) const;

 private:
  // The names whose header lines are shifted here beside those of the numbered and fixed
  // sections, which are shifted in every document.
  std::unordered_set<std::string> lowered_names_;
};

// Names of the sections a document's text holds (headers outside section bodies), in file order.
std::vector<std::string> SectionNamesIn(std::string_view content);

// Follows a document's lines one by one and names the headers SectionNamesIn counts.
class SectionNameTracker {
 public:
  // The section name when `line`, the document's next line, is such a header.
  std::optional<std::string_view> Next(std::string_view line);

 private:
  bool inside_ = false;  // within a section body
};

// One pass over a document's text that answers ReadSection for any number of names, each answer
// byte-identical to ReadSectionFromText (the first header of a name wins).
class SectionIndex {
 public:
  explicit SectionIndex(std::string content);
  std::string Read(std::string_view name) const;
  // What Read gives, without a copy where the body stands in the text as one piece (lines ended
  // in CR LF, as the program writes them), else made in `scratch`. Valid while both live.
  std::string_view Read(std::string_view name, std::string& scratch) const;
  // Read(QuestionSectionName(n)) and Read(AnswerSectionName(n), scratch), without the name.
  std::string ReadQuestion(std::size_t n) const;
  std::string_view ReadAnswer(std::size_t n, std::string& scratch) const;
  std::size_t line_count() const { return lines_.size(); }
  std::size_t text_size() const { return content_.size(); }

 private:
  std::string_view ReadNumbered(bool question, std::size_t n, std::string& scratch) const;

  std::string content_;
  std::vector<std::string_view> lines_;
  // The lines of a section's body: from `start` up to `end`; start 0 for none. `crlf`: they stand
  // in the text as one piece, each ended by CR LF, and `text` is that piece.
  struct Body {
    std::size_t start = 0, end = 0;
    bool crlf = false;
    std::string_view text;
  };
  // The numbered sections as the program names them ("Answer 12"), by number: their first
  // body. Numbers from numbered_limit_ on go by name, as do other spellings ("Answer 012").
  std::vector<Body> question_bodies_, answer_bodies_;
  std::size_t numbered_limit_ = 0;
  std::unordered_map<std::string, std::size_t> first_header_;  // lowered name -> line number
};

}  // namespace quorella
