#include "store/document.h"

#include <algorithm>

#include "store/document_file.h"
#include "store/faq.h"
#include "store/known_document.h"
#include "store/plain_layout.h"
#include "util/folder_lock.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

namespace {

constexpr std::string_view kFixedSections[] = {"AnswerHeader",   "AnswerFooter", "QuestionHeader",
                                               "QuestionFooter", "HeaderCode",   "FrameHeaderCode"};

std::vector<std::string_view> LineViews(std::string_view content) {
  std::vector<std::string_view> lines;
  lines.reserve(content.size() / 32);  // lines of answers run to about this; a guess spares copies
  ForEachLine(content, [&](std::string_view line) { lines.push_back(line); });
  return lines;
}

// Letters compared without regard to case.
bool IsNumberedSectionName(std::string_view name) {
  for (std::string_view word : {std::string_view("question "), std::string_view("answer ")}) {
    if (name.size() > word.size() && StartsWithNoCase(name, word) &&
        std::all_of(name.begin() + static_cast<long>(word.size()), name.end(),
                    [](char c) { return c >= '0' && c <= '9'; }))
      return true;
  }
  return false;
}

// The numbered and fixed sections, which any document may come to hold (letters compared without
// regard to case).
bool IsProgramSectionName(std::string_view name) {
  if (IsNumberedSectionName(name)) return true;
  for (std::string_view fixed : kFixedSections)
    if (EqualsNoCase(fixed, name)) return true;
  return false;
}

// Would this body line be taken for a section header of this document, now or once the program
// adds its numbered or fixed sections?
bool LooksLikeHeader(std::string_view line, const std::unordered_set<std::string>& lowered_names) {
  const auto name = BracketedName(line);
  if (!name) return false;
  return IsProgramSectionName(*name) || lowered_names.contains(LowerAscii(*name));
}

// Where the body of a section that starts at line `start` ends: at its terminator, or at the next
// header of a numbered or fixed section when no terminator comes first, or at the end.
std::size_t BodyEnd(const std::vector<std::string_view>& lines, std::size_t start) {
  std::size_t end = start;
  while (end < lines.size() && !EndsBody(lines[end])) ++end;
  return end;
}

// The line after a section whose body ends at `end`: a terminator is part of the section, a
// header that ended it is not.
std::size_t AfterSection(const std::vector<std::string_view>& lines, std::size_t end) {
  return end < lines.size() && lines[end] == kTerminator ? end + 1 : end;
}

// Calls `each` with the name of every header that stands outside a section body, in file order.
template <typename Fn>
void ForEachSectionName(std::string_view content, Fn&& each) {
  SectionNameTracker tracker;
  ForEachLine(content, [&](std::string_view line) {
    if (const auto name = tracker.Next(line)) each(*name);
  });
}

void AppendBodyLine(std::string& body, std::string_view line,
                    const std::unordered_set<std::string>& lowered_names) {
  if (line == kTerminator) {
    body += "#### ";
  } else {
    if (LooksLikeHeader(line, lowered_names)) body += ' ';
    body += line;
  }
  body += kCrLf;
}

std::optional<std::size_t> FindHeader(const std::vector<std::string_view>& lines,
                                      std::string_view name) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (IsHeaderOf(lines[i], name)) return i;
  return std::nullopt;
}

// The sections a document holds plus the one being written, under the name its header reads back
// as (up to its first "]"), as the next write will find it among the document's sections.
std::vector<std::string> KnownSectionNames(std::string_view content, std::string_view writing) {
  auto names = SectionNamesIn(content);
  names.emplace_back(*BracketedName("[" + std::string(writing) + "]"));
  return names;
}

// Body lines from `start` up to where the body ends (BodyEnd), each followed by CR LF, final CR LF
// removed unless the result is no longer than one line break. Where the body stands so in the
// text, it is returned as a view of `lines`' text and `result` is left alone.
// Do lines `start` to `end` stand in the text one after another, each ended by CR LF?
bool AreCrLfLines(const std::vector<std::string_view>& lines, std::size_t start, std::size_t end) {
  for (std::size_t i = start; i + 1 < end; ++i) {
    const char* after = lines[i].data() + lines[i].size();
    if (lines[i + 1].data() != after + 2 || after[0] != '\r' || after[1] != '\n') return false;
  }
  return true;
}

// `crlf`: AreCrLfLines(lines, start, end).
std::string_view CollectBody(const std::vector<std::string_view>& lines, std::size_t start,
                             std::size_t end, bool crlf, std::string& result) {
  if (end == start) return {};
  // Lines written with CR LF, as the program writes them, are the body as it stands in the text.
  if (crlf)
    return std::string_view(lines[start].data(),
                            lines[end - 1].data() + lines[end - 1].size() - lines[start].data());
  result.clear();
  for (std::size_t i = start; i < end; ++i) {
    result += lines[i];
    result += kCrLf;
  }
  if (result.size() > 2) {
    result.resize(result.size() - 2);
    return result;
  }
  return {};
}

std::string_view CollectBody(const std::vector<std::string_view>& lines, std::size_t start,
                             std::string& result) {
  const std::size_t end = BodyEnd(lines, start);
  return CollectBody(lines, start, end, AreCrLfLines(lines, start, end), result);
}

std::string CollectBody(const std::vector<std::string_view>& lines, std::size_t start) {
  std::string result;
  const std::string_view body = CollectBody(lines, start, result);
  if (body.data() != result.data()) return std::string(body);
  return result;
}

// A numbered section's name as the program writes it ("Answer 12", letters in any case, the
// number without leading zeros): whether it is a question's, and the number.
struct NumberedName {
  bool question = false;
  std::size_t number = 0;
};

// Does `name` begin with `word` (lower case), its letters in either case? StartsWithNoCase, made
// for names read many times over.
bool StartsWithLowerWord(std::string_view name, std::string_view word) {
  for (std::size_t i = 0; i < word.size(); ++i)
    if (name[i] != word[i] && !(word[i] >= 'a' && word[i] <= 'z' && name[i] == word[i] - 'a' + 'A'))
      return false;
  return true;
}

// nullopt for other names and numbers from `limit` on.
std::optional<NumberedName> WrittenNumberedName(std::string_view name, std::size_t limit) {
  for (const bool question : {true, false}) {
    const std::string_view word = question ? "question " : "answer ";
    // The first letter tells most names apart before they are compared.
    if (name.size() <= word.size() || !StartsWithLowerWord(name, word)) continue;
    const std::string_view digits = name.substr(word.size());
    if (digits.size() > 9 || (digits.size() > 1 && digits[0] == '0')) return std::nullopt;
    NumberedName numbered{question, 0};
    for (const char c : digits) {
      if (c < '0' || c > '9') return std::nullopt;
      numbered.number = numbered.number * 10 + static_cast<std::size_t>(c - '0');
    }
    if (numbered.number >= limit) return std::nullopt;
    return numbered;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string_view> BracketedName(std::string_view line) {
  if (line.empty() || line[0] != '[') return std::nullopt;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return line.substr(1, close - 1);
}

bool IsProgramHeader(std::string_view line) {
  const auto name = BracketedName(line);
  return name && IsProgramSectionName(*name);
}

bool EndsBody(std::string_view line) {
  // Most lines are body text: their first byte tells.
  if (line.empty() || (line[0] != kTerminator[0] && line[0] != '[')) return false;
  return line == kTerminator || IsProgramHeader(line);
}

bool IsHeaderOf(std::string_view line, std::string_view name) {
  return line.size() >= name.size() + 2 && line[0] == '[' && line[name.size() + 1] == ']' &&
         EqualsNoCase(line.substr(1, name.size()), name);
}

std::optional<std::string_view> SectionNameTracker::Next(std::string_view line) {
  if (inside_ && !IsProgramHeader(line)) {
    inside_ = line != kTerminator;
    return std::nullopt;
  }
  const auto name = BracketedName(line);
  inside_ = name.has_value();
  return name;
}

std::vector<std::string> SectionNamesIn(std::string_view content) {
  std::vector<std::string> names;
  ForEachSectionName(content, [&](std::string_view name) { names.emplace_back(name); });
  return names;
}

SectionBodyWriter::SectionBodyWriter(const std::vector<std::string>& section_names) {
  for (const auto& name : section_names) Add(name);
}

void SectionBodyWriter::Add(std::string_view name) {
  if (!IsProgramSectionName(name)) lowered_names_.insert(LowerAscii(name));
}

void SectionBodyWriter::AppendLinesOf(std::string& body, std::string_view text) const {
  ForEachLine(text, [&](std::string_view line) { AppendBodyLine(body, line, lowered_names_); });
}

void SectionBodyWriter::Append(std::string& body, const std::vector<std::string>& lines) const {
  for (const auto& line : lines) {
    if (line.find_first_of("\r\n") == std::string::npos) {
      AppendBodyLine(body, line, lowered_names_);
      continue;
    }
    // A line holding line breaks is stored as the lines it makes, the last one even when empty.
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
      if (i < line.size() && line[i] != '\r' && line[i] != '\n') continue;
      AppendBodyLine(body, std::string_view(line).substr(start, i - start), lowered_names_);
      if (i + 1 < line.size() && line[i] == '\r' && line[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
}

std::string SectionBodyText(const std::vector<std::string>& lines,
                            const std::vector<std::string>& section_names) {
  std::string body;
  SectionBodyWriter(section_names).Append(body, lines);
  return body;
}

std::string WriteSectionInText(const std::optional<std::string>& content, std::string_view name,
                               const std::vector<std::string>& lines) {
  const std::string body = SectionBodyText(
      lines, KnownSectionNames(content ? std::string_view(*content) : std::string_view(), name));
  const std::string header = "[" + std::string(name) + "]";
  const std::string section_tail =
      body + std::string(kCrLf) + std::string(kTerminator) + std::string(kCrLf);
  if (!content) return header + std::string(kCrLf) + section_tail;

  const auto views = LineViews(*content);
  const auto found = FindHeader(views, name);
  // An appended section goes after the document's own bytes, which stay as they are.
  if (!found) return *content + std::string(kCrLf) + header + std::string(kCrLf) + section_tail;

  std::string result;
  result.reserve(content->size() + body.size() + 16);
  for (std::size_t i = 0; i <= *found; ++i) {
    result += views[i];
    result += kCrLf;
  }
  result += section_tail;
  for (std::size_t next = AfterSection(views, BodyEnd(views, *found + 1)); next < views.size();
       ++next) {
    result += views[next];
    result += kCrLf;
  }
  return result;
}

std::string ReadSectionFromText(std::string_view content, std::string_view name) {
  const auto views = LineViews(content);
  const auto found = FindHeader(views, name);
  if (!found) return {};
  return CollectBody(views, *found + 1);
}

std::optional<std::string> DeleteSectionFromText(std::string_view content, std::string_view name) {
  const auto views = LineViews(content);
  const auto found = FindHeader(views, name);
  if (!found) return std::nullopt;
  std::string result;
  result.reserve(content.size());
  for (std::size_t i = 0; i < *found; ++i) {
    result += views[i];
    result += kCrLf;
  }
  const std::size_t end = BodyEnd(views, *found + 1);
  std::size_t next = AfterSection(views, end);
  if (next != end) ++next;  // the separator line after the terminator
  for (; next < views.size(); ++next) {
    result += views[next];
    result += kCrLf;
  }
  return result;
}

namespace {

FileEncoding EncodingOf(const std::optional<DecodedText>& document) {
  return document ? document->encoding : FileEncoding::Windows1252;
}

}  // namespace

void WriteSection(const std::string& path, std::string_view name,
                  const std::vector<std::string>& lines) {
  const FolderLock lock(DirectoryOf(path));
  std::optional<std::string> read;
  const auto splice = [&](PlainLayout& layout, std::string_view bytes, std::string& out) {
    return layout.WriteSection(bytes, name, lines, out);
  };
  if (EditKnownDocument(path, splice, read)) return;
  std::optional<DecodedText> document;
  if (read) document = DecodeMarkedText(*read);
  read.reset();
  const FileEncoding encoding = EncodingOf(document);
  std::optional<std::string> content;
  if (document) content = std::move(document->text);
  const std::string updated = WriteSectionInText(content, name, lines);
  if (content && updated == *content) return;  // nothing to change
  ReplaceDocumentFile(path, updated, encoding);
}

std::string ReadSection(const std::string& path, std::string_view name) {
  const auto document = ReadDocumentFile(path);
  return document ? ReadSectionFromText(document->text, name) : std::string();
}

void DeleteSection(const std::string& path, std::string_view name) {
  const FolderLock lock(DirectoryOf(path));
  const auto document = ReadDocumentFile(path);
  if (!document) return;
  if (const auto updated = DeleteSectionFromText(document->text, name))
    ReplaceDocumentFile(path, *updated, document->encoding);
}

SectionIndex::SectionIndex(std::string content) : content_(std::move(content)) {
  lines_ = LineViews(content_);
  // Numbers up to this many are looked up by number; a larger one (no document of this size holds
  // that many sections) goes by name, so the table stays the size of the document.
  numbered_limit_ = lines_.size() + 1024;
  // Each numbered body's end is found in the same pass: the first line after its header that ends
  // a body (BodyEnd), so that reading it again does not look for it again.
  std::vector<std::pair<std::vector<Body>*, std::size_t>> open;  // bodies by number, not ended
  auto end_open = [&](std::size_t end) {
    for (const auto& [bodies, number] : open) {
      Body& body = (*bodies)[number];
      body.end = end;
      body.crlf = AreCrLfLines(lines_, body.start, end);
      std::string unused;
      if (body.crlf) body.text = CollectBody(lines_, body.start, end, true, unused);
    }
    open.clear();
  };
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].empty() || (lines_[i][0] != '[' && lines_[i][0] != kTerminator[0])) continue;
    if (!open.empty() && EndsBody(lines_[i])) end_open(i);
    const auto name = BracketedName(lines_[i]);
    if (!name) continue;
    if (const auto numbered = WrittenNumberedName(*name, numbered_limit_)) {
      std::vector<Body>& bodies = numbered->question ? question_bodies_ : answer_bodies_;
      if (bodies.size() <= numbered->number) bodies.resize(numbered->number + 1);
      Body& body = bodies[numbered->number];
      if (body.start == 0) {
        body = {i + 1, i + 1, false, {}};
        open.emplace_back(&bodies, numbered->number);
      }
      continue;
    }
    first_header_.try_emplace(LowerAscii(*name), i);
  }
  end_open(lines_.size());
}

std::string_view SectionIndex::ReadNumbered(bool question, std::size_t n,
                                            std::string& scratch) const {
  const std::vector<Body>& bodies = question ? question_bodies_ : answer_bodies_;
  if (n >= bodies.size() || bodies[n].start == 0) return {};
  const Body& body = bodies[n];
  return body.crlf ? body.text : CollectBody(lines_, body.start, body.end, false, scratch);
}

std::string SectionIndex::ReadQuestion(std::size_t n) const {
  if (n >= numbered_limit_) return Read(QuestionSectionName(n));
  std::string scratch;
  const std::string_view body = ReadNumbered(true, n, scratch);
  if (body.data() != scratch.data()) return std::string(body);
  return scratch;
}

std::string_view SectionIndex::ReadAnswer(std::size_t n, std::string& scratch) const {
  if (n >= numbered_limit_) return Read(AnswerSectionName(n), scratch);
  return ReadNumbered(false, n, scratch);
}

std::string SectionIndex::Read(std::string_view name) const {
  std::string scratch;
  const std::string_view body = Read(name, scratch);
  if (body.data() != scratch.data()) return std::string(body);
  return scratch;
}

std::string_view SectionIndex::Read(std::string_view name, std::string& scratch) const {
  // Names are short: a loop finds the bracket sooner than a library search is called.
  if (std::any_of(name.begin(), name.end(), [](char c) { return c == ']'; })) {
    scratch = ReadSectionFromText(content_, name);
    return scratch;
  }
  if (const auto numbered = WrittenNumberedName(name, numbered_limit_))
    return ReadNumbered(numbered->question, numbered->number, scratch);
  const auto found = first_header_.find(LowerAscii(name));
  if (found == first_header_.end()) return {};
  return CollectBody(lines_, found->second + 1, scratch);
}

}  // namespace quorella
