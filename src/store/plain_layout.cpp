#include "store/plain_layout.h"

#include <algorithm>
#include <cstring>

#include "store/faq.h"
#include "util/cp1252.h"
#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

namespace {

// Numbers at or above this are never written here; a header with such a number is any section.
constexpr std::size_t kNumberLimit = std::size_t{1} << 24;
constexpr std::string_view kTerminatorLine = "####\r\n";

bool IsAsciiBytes(std::string_view bytes) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    if ((word & kHighBits) != 0) return false;
  }
  for (; i < bytes.size(); ++i)
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
  return true;
}

// Does a body (CR LF lines) end with an empty line, as every body the program writes does?
bool EndsWithEmptyLine(std::string_view body) {
  return body == kCrLf || body.ends_with("\n\r\n");
}

// The fixed section a name is, letters compared without regard to case.
std::optional<std::size_t> FixedSectionOf(std::string_view name) {
  for (std::size_t i = 0; i < kFixedSectionCount; ++i)
    if (EqualsNoCase(name, SectionName(static_cast<FixedSection>(i)))) return i;
  return std::nullopt;
}

}  // namespace

std::optional<std::pair<Numbered, std::size_t>> NumberedHeader(std::string_view line,
                                                               std::size_t limit) {
  if (line.empty() || line[0] != '[') return std::nullopt;
  std::size_t at = 1;
  Numbered which;
  if (StartsWithNoCase(line.substr(at), "question ")) {
    which = Numbered::Question;
    at += 9;
  } else if (StartsWithNoCase(line.substr(at), "answer ")) {
    which = Numbered::Answer;
    at += 7;
  } else {
    return std::nullopt;
  }
  const std::size_t digits = at;
  std::size_t number = 0;
  for (; at < line.size() && line[at] >= '0' && line[at] <= '9'; ++at) {
    number = number * 10 + static_cast<std::size_t>(line[at] - '0');
    if (number >= limit) return std::nullopt;
  }
  // The name holds the number as the program writes it: no sign, no leading zero.
  const bool decimal = at > digits && (line[digits] != '0' || at == digits + 1);
  if (!decimal || at >= line.size() || line[at] != ']') return std::nullopt;
  return std::pair{which, number};
}

std::optional<PlainLayout> PlainLayout::Of(std::string_view bytes) {
  if (bytes.size() >= kNone) return std::nullopt;
  PlainLayout layout;
  std::size_t at = 0;
  if (bytes.starts_with(kUtf8Mark)) {
    layout.encoding_ = FileEncoding::Utf8;
    at = kUtf8Mark.size();
  }
  bool inside = false;
  bool bracketed_line = false;  // in the body of the current section
  Section section;
  while (at < bytes.size()) {
    const std::size_t line_end = FindLineBreak(bytes, at);
    if (line_end + 1 >= bytes.size() || bytes[line_end] != '\r' || bytes[line_end + 1] != '\n')
      return std::nullopt;
    const std::string_view line = bytes.substr(at, line_end - at);
    const std::size_t next = line_end + 2;
    if (inside) {
      if (line == kTerminator) {
        section.terminator = static_cast<std::uint32_t>(at);
        const std::string_view body = bytes.substr(section.body, at - section.body);
        section.ascii = layout.encoding_ == FileEncoding::Utf8 || IsAsciiBytes(body);
        section.canonical = !bracketed_line && EndsWithEmptyLine(body);
        layout.sections_.push_back(section);
        inside = false;
      } else if (IsProgramHeader(line)) {
        return std::nullopt;  // a section without its terminator
      } else if (BracketedName(line)) {
        bracketed_line = true;
      }
    } else if (const auto name = BracketedName(line)) {
      section = Section{.header = static_cast<std::uint32_t>(at),
                        .body = static_cast<std::uint32_t>(next)};
      if (const auto numbered = NumberedHeader(line, kNumberLimit)) {
        section.numbered = static_cast<signed char>(numbered->first);
        section.number = static_cast<std::uint32_t>(numbered->second);
      } else {
        if (const auto fixed = FixedSectionOf(*name))
          section.fixed = static_cast<signed char>(*fixed);
        layout.body_writer_.Add(layout.encoding_ == FileEncoding::Utf8 ? std::string(*name)
                                                                       : Cp1252ToUtf8(*name));
      }
      inside = true;
      bracketed_line = false;
    }
    at = next;
  }
  if (inside || !layout.Index()) return std::nullopt;
  return layout;
}

bool PlainLayout::Index() {
  std::size_t size[2] = {0, 0};
  for (const Section& section : sections_)
    if (section.numbered >= 0) {
      std::size_t& n = size[static_cast<std::size_t>(section.numbered)];
      n = std::max<std::size_t>(n, section.number + 1);
    }
  by_number_[0].assign(size[0], kNone);
  by_number_[1].assign(size[1], kNone);
  fixed_.fill(kNone);
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    const Section& section = sections_[i];
    // The first header of a fixed name is the one its writes find.
    if (section.fixed >= 0 && fixed_[static_cast<std::size_t>(section.fixed)] == kNone)
      fixed_[static_cast<std::size_t>(section.fixed)] = static_cast<std::uint32_t>(i);
    if (section.numbered < 0) continue;
    std::uint32_t& slot = by_number_[static_cast<std::size_t>(section.numbered)][section.number];
    if (slot != kNone) return false;
    slot = static_cast<std::uint32_t>(i);
  }
  return true;
}

std::uint32_t PlainLayout::Find(Numbered which, std::size_t number) const {
  const auto& sections = by_number_[static_cast<std::size_t>(which)];
  return number < sections.size() ? sections[number] : kNone;
}

// A body that is already in the document, for this entry or its neighbour (moves and deletions
// shift entries by one), proves that the entry's lines are stored as they are: the document's
// bytes are taken. Any other entry is written by the body writer.
std::optional<PlainLayout::Body> PlainLayout::BodyFor(std::string_view bytes, Numbered which,
                                                      std::size_t number, std::string_view entry,
                                                      std::string& written) const {
  // A question's text has its last line break removed; a text that still ends in one, or is
  // empty, stores fewer lines than its bytes suggest.
  const bool question = which == Numbered::Question;
  const std::string_view suffix = question ? "\r\n\r\n" : "\r\n";
  const bool comparable =
      !question || (!entry.empty() && entry.back() != '\n' && entry.back() != '\r');
  for (std::size_t k = 0; comparable && k < 3; ++k) {
    if (k == 2 && number == 0) break;
    const std::uint32_t found = Find(which, k == 0 ? number : k == 1 ? number + 1 : number - 1);
    if (found == kNone) continue;
    const Section& section = sections_[found];
    if (!section.canonical || !section.ascii) continue;
    const std::string_view body = bytes.substr(section.body, section.terminator - section.body);
    if (body.size() == entry.size() + suffix.size() && body.starts_with(entry) &&
        body.ends_with(suffix))
      return Body{.from_document = true, .begin = section.body, .end = section.terminator};
  }
  const std::size_t begin = written.size();
  body_writer_.AppendLinesOf(written, entry);
  return Written(written, begin);
}

// The body the writer has just put at `begin` of `written`, with its empty last line, in the
// file's encoding; nullopt when Windows-1252 cannot hold it (the whole file then turns UTF-8).
std::optional<PlainLayout::Body> PlainLayout::Written(std::string& written,
                                                      std::size_t begin) const {
  written += kCrLf;
  const bool ascii = IsAsciiBytes(std::string_view(written).substr(begin));
  if (!ascii && encoding_ == FileEncoding::Windows1252) {
    auto encoded = Utf8ToCp1252IfFits(std::string_view(written).substr(begin));
    if (!encoded) return std::nullopt;
    written.replace(begin, std::string::npos, *encoded);
  }
  return Body{
      .begin = begin, .end = written.size(), .ascii = ascii || encoding_ == FileEncoding::Utf8};
}

// The first byte after a section and the one line DeleteSection drops after its terminator;
// nullopt when that line is the next section's header.
std::optional<std::size_t> PlainLayout::RemovalEnd(std::string_view bytes,
                                                   std::uint32_t index) const {
  const std::size_t end = sections_[index].terminator + kTerminatorLine.size();
  if (end == bytes.size()) return end;
  if (index + 1 < sections_.size() && sections_[index + 1].header == end) return std::nullopt;
  return FindLineBreak(bytes, end) + 2;
}

// Records what becomes of the body of section `found` (kNone: a section to append, named by
// `appended`): nothing when it already holds these bytes.
template <typename Named>
void PlainLayout::Place(std::string_view bytes, std::uint32_t found, const Body& body,
                        Named appended) {
  if (found == kNone) {
    Appended add = appended();
    add.body = body;
    appended_.push_back(std::move(add));
    return;
  }
  const Section& section = sections_[found];
  if (body.from_document && body.begin == section.body) return;  // its own bytes
  if (bytes.substr(section.body, section.terminator - section.body) != BytesOf(bytes, body))
    edits_.push_back(Edit{.section = found, .remove = false, .end = 0, .body = body});
}

std::string_view PlainLayout::BytesOf(std::string_view bytes, const Body& body) const {
  return std::string_view(body.from_document ? bytes : std::string_view(written_))
      .substr(body.begin, body.end - body.begin);
}

void PlainLayout::StartEdits() {
  edits_.clear();
  appended_.clear();
  written_.clear();
}

std::optional<bool> PlainLayout::SaveQuestionList(std::string_view bytes, std::size_t deleted_count,
                                                  const std::vector<std::string>& questions,
                                                  const std::vector<std::string>& answers,
                                                  std::string& out) {
  const std::size_t count = questions.size();
  if (count >= kNumberLimit || deleted_count >= kNumberLimit ||
      (deleted_count > 0 && count >= deleted_count))
    return std::nullopt;
  StartEdits();
  for (std::size_t n = 0; n < count; ++n)
    for (Numbered which : {Numbered::Question, Numbered::Answer}) {
      const auto body = BodyFor(bytes, which, n,
                                which == Numbered::Question ? questions[n] : answers[n], written_);
      if (!body) return std::nullopt;
      Place(bytes, Find(which, n), *body, [&] {
        return Appended{
            .header = which == Numbered::Question ? QuestionSectionName(n) : AnswerSectionName(n),
            .numbered = static_cast<signed char>(which),
            .number = static_cast<std::uint32_t>(n),
            .fixed = kNotFixed,
            .body = {}};
      });
    }
  // Last, as the sections of the last number usually end the document: the edits stay in order.
  if (deleted_count > 0)
    for (Numbered which : {Numbered::Question, Numbered::Answer}) {
      const std::uint32_t found = Find(which, deleted_count - 1);
      if (found == kNone) continue;
      const auto end = RemovalEnd(bytes, found);
      if (!end) return std::nullopt;
      edits_.push_back(Edit{.section = found, .remove = true, .end = *end, .body = {}});
    }
  return Splice(bytes, out);
}

std::optional<bool> PlainLayout::WriteSection(std::string_view bytes, std::string_view name,
                                              const std::vector<std::string>& lines,
                                              std::string& out) {
  // Only the numbered and fixed names are indexed; a name that holds a bracket or a line break
  // finds its header by other rules.
  if (name.find_first_of("[]\r\n") != std::string_view::npos) return std::nullopt;
  const std::string header = "[" + std::string(name) + "]";
  const auto numbered = NumberedHeader(header, kNumberLimit);
  const auto fixed = FixedSectionOf(name);
  if (!numbered && !fixed) return std::nullopt;
  StartEdits();
  body_writer_.Append(written_, lines);
  const auto body = Written(written_, 0);
  if (!body) return std::nullopt;
  const std::uint32_t found =
      numbered ? Find(numbered->first, numbered->second) : fixed_[static_cast<std::size_t>(*fixed)];
  Place(bytes, found, *body, [&] {
    return Appended{.header = std::string(name),
                    .numbered = numbered ? static_cast<signed char>(numbered->first) : kNotNumbered,
                    .number = numbered ? static_cast<std::uint32_t>(numbered->second) : 0,
                    .fixed = fixed ? static_cast<signed char>(*fixed) : kNotFixed,
                    .body = {}};
  });
  return Splice(bytes, out);
}

// Plays the recorded edits on the bytes into `out` and moves the outline along, or leaves both
// as they are (nullopt: the result needs the general rewrite; false: nothing changes).
std::optional<bool> PlainLayout::Splice(std::string_view bytes, std::string& out) {
  if (edits_.empty() && appended_.empty()) return false;
  const auto by_place = [](const Edit& a, const Edit& b) { return a.section < b.section; };
  if (!std::is_sorted(edits_.begin(), edits_.end(), by_place))
    std::sort(edits_.begin(), edits_.end(), by_place);

  // The new bytes.
  out.clear();
  out.reserve(bytes.size() + written_.size() + 32 * appended_.size());
  std::size_t copied = 0;  // bytes of the document copied so far
  for (const Edit& edit : edits_) {
    const Section& section = sections_[edit.section];
    if (edit.remove) {
      out.append(bytes, copied, section.header - copied);
      copied = edit.end;
    } else {
      out.append(bytes, copied, section.body - copied);
      out += BytesOf(bytes, edit.body);
      copied = section.terminator;
    }
  }
  out.append(bytes, copied, bytes.size() - copied);
  std::vector<Section> added;
  for (const Appended& add : appended_) {
    out += kCrLf;
    Section section{.header = static_cast<std::uint32_t>(out.size())};
    out += '[';
    out += add.header;
    out += ']';
    out += kCrLf;
    section.body = static_cast<std::uint32_t>(out.size());
    out += BytesOf(bytes, add.body);
    section.terminator = static_cast<std::uint32_t>(out.size());
    out += kTerminatorLine;
    section.number = add.number;
    section.numbered = add.numbered;
    section.fixed = add.fixed;
    section.canonical = add.body.canonical;
    section.ascii = add.body.ascii;
    added.push_back(section);
  }
  // A Windows-1252 file whose bytes now begin as the mark does is written as UTF-8; one that
  // outgrows the outline's offsets is left to the general rewrite.
  if ((encoding_ == FileEncoding::Windows1252 && out.starts_with(kUtf8Mark)) || out.size() >= kNone)
    return std::nullopt;

  // The sections where they now lie.
  bool removed = false;
  std::int64_t shift = 0;
  auto edit = edits_.begin();
  for (std::uint32_t i = 0; i < sections_.size(); ++i) {
    Section& section = sections_[i];
    const bool edited = edit != edits_.end() && edit->section == i;
    if (edited && edit->remove) {
      shift -= static_cast<std::int64_t>(edit->end - section.header);
      section.numbered = kRemoved;
      removed = true;
      ++edit;
      continue;
    }
    const std::size_t length = section.terminator - section.body;
    std::size_t new_length = length;
    if (edited) {
      new_length = edit->body.end - edit->body.begin;
      section.canonical = edit->body.canonical;
      section.ascii = edit->body.ascii;
      ++edit;
    }
    section.header = static_cast<std::uint32_t>(section.header + shift);
    section.body = static_cast<std::uint32_t>(section.body + shift);
    section.terminator = static_cast<std::uint32_t>(section.body + new_length);
    shift += static_cast<std::int64_t>(new_length) - static_cast<std::int64_t>(length);
  }
  if (removed)
    std::erase_if(sections_, [](const Section& section) { return section.numbered == kRemoved; });
  sections_.insert(sections_.end(), added.begin(), added.end());
  if (removed || !added.empty()) Index();
  return true;
}

}  // namespace quorella
