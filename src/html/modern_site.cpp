#include "html/modern_site.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <set>
#include <unordered_map>
#include <vector>

#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "html/anchor.h"
#include "html/answer_formats.h"
#include "html/manifest.h"
#include "html/modern_assets.h"
#include "html/modern_pages.h"
#include "html/page_fingerprints.h"
#include "html/plain_text.h"
#include "html/style_fragments.h"
#include "util/huge_pages.h"
#include "util/sys_io.h"
#include "util/vendor_site.h"

namespace quorella::html {

namespace {

constexpr std::string_view kSitemapName = "sitemap.xml";

// Ids the page itself uses.
const std::set<std::string> kPageIds = {"qr-top",    "qr-tools",    "qr-search", "qr-count",
                                        "qr-expand", "qr-collapse", "qr-none"};

bool HasOwnPages(const Faq& faq) {
  return IsOnePerPage(faq.values);
}

std::string Stem(std::string_view file_name) {
  const std::size_t dot = file_name.rfind('.');
  return std::string(dot == std::string_view::npos || dot == 0 ? file_name
                                                               : file_name.substr(0, dot));
}

std::string SearchTextName(std::string_view start_page) {
  return Stem(start_page) + ".search.js";
}

std::string SiteBase(const FaqValues& values) {
  std::string base = values.Text(FaqValue::SiteAddress);
  while (!base.empty() && (base.back() == ' ' || base.back() == '\t')) base.pop_back();
  if (!base.empty() && base.back() != '/') base += '/';
  return base;
}

std::string Description(const FaqValues& values, const std::vector<ModernEntry>& entries) {
  const std::string& typed = values.Text(FaqValue::Description);
  if (!typed.empty()) return typed;
  if (entries.empty()) return {};
  return FirstSentence(entries.front().answer_text(), kDescriptionLimit);
}

std::string StructuredData(const std::vector<ModernEntry>& entries) {
  std::string json =
      "<script type=\"application/ld+json\">\n"
      "{\"@context\":\"https://schema.org\",\"@type\":\"FAQPage\",\"mainEntity\":[";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) json += ",";
    json += "\n{\"@type\":\"Question\",\"name\":";
    AppendJsonString(json, PlainText(entries[i].question));
    json += ",\"acceptedAnswer\":{\"@type\":\"Answer\",\"text\":";
    AppendJsonString(json, entries[i].answer());
    json += "}}";
  }
  json += "]}\n</script>\n";
  return json;
}

constexpr std::string_view kSearchTextStart = "window.quorellaSearchText=[";
constexpr std::string_view kSearchTextEnd = "];\n";

// `append(script, i)` appends answer i's line: its readable text as a JSON string. `size` is what
// the text is expected to take.
template <typename Append>
std::string SearchText(std::size_t count, std::size_t size, Append&& append) {
  std::string script;
  ReserveLarge(script, size);
  script += kSearchTextStart;
  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0) script += ",";
    script += "\n";
    append(script, i);
  }
  script += kSearchTextEnd;
  return script;
}

// The lines of a search text SearchText made, one per answer; nullopt for anything else.
std::optional<std::vector<std::string_view>> SearchTextLines(std::string_view script) {
  if (!script.starts_with(kSearchTextStart) || !script.ends_with(kSearchTextEnd))
    return std::nullopt;
  script = script.substr(kSearchTextStart.size(),
                         script.size() - kSearchTextStart.size() - kSearchTextEnd.size());
  std::vector<std::string_view> lines;
  while (!script.empty()) {
    if (script.front() != '\n') return std::nullopt;
    // JSON strings hold no raw line break, so each answer's string is one line.
    const std::size_t end = std::min(script.find('\n', 1), script.size());
    std::string_view line = script.substr(1, end - 1);
    script.remove_prefix(end);
    if (!script.empty()) {
      if (!line.ends_with(',')) return std::nullopt;
      line.remove_suffix(1);
    }
    lines.push_back(line);
  }
  return lines;
}

// Where the lines of a search text file stand, found by reading it a block at a time (it is not
// held in memory): each line's JSON string, from its first byte to the one after its last.
struct SearchTextPlaces {
  std::uint64_t size = 0;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> lines;
};

// The places of the lines of the search text in `file`, as SearchTextLines finds them; nullopt for
// a file that SearchText did not make or that cannot be read.
std::optional<SearchTextPlaces> ReadSearchTextPlaces(int file) {
  std::vector<std::uint64_t> breaks;  // where each line break stands
  std::vector<char> befores;          // the byte before it
  std::string start, end;             // the file's first bytes and its last three
  SearchTextPlaces places;
  char block[65536];
  for (;;) {
    const ssize_t n = sys::Pread(file, block, sizeof block, static_cast<off_t>(places.size));
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    const std::string_view read(block, static_cast<std::size_t>(n));
    if (start.size() < kSearchTextStart.size())
      start += read.substr(0, kSearchTextStart.size() - start.size());
    for (std::size_t at = read.find('\n'); at != std::string_view::npos;
         at = read.find('\n', at + 1)) {
      breaks.push_back(places.size + at);
      befores.push_back(at > 0 ? read[at - 1] : (end.empty() ? '\0' : end.back()));
    }
    end.append(read.substr(read.size() - std::min<std::size_t>(read.size(), 3)));
    if (end.size() > 3) end.erase(0, end.size() - 3);
    places.size += static_cast<std::uint64_t>(n);
  }
  // "[" and the lines, each after a line break, the breaks after the first following a comma,
  // then "];" and a line break.
  const std::uint64_t lines_end = places.size - kSearchTextEnd.size();
  if (start != kSearchTextStart || end != kSearchTextEnd || breaks.empty() ||
      breaks.back() != places.size - 1 ||
      places.size < kSearchTextStart.size() + kSearchTextEnd.size())
    return std::nullopt;
  const std::size_t count = breaks.size() - 1;
  if (count == 0)
    return lines_end == kSearchTextStart.size() ? std::optional(places) : std::nullopt;
  if (breaks.front() != kSearchTextStart.size()) return std::nullopt;
  for (std::size_t k = 0; k < count; ++k) {
    if (k > 0 && befores[k] != ',') return std::nullopt;
    const std::uint64_t from = breaks[k] + 1, to = k + 1 < count ? breaks[k + 1] - 1 : lines_end;
    if (to < from) return std::nullopt;
    places.lines.emplace_back(from, to);
  }
  return places;
}

// The answers' pages among the files a run listed: those between the icon and the search text
// (none when either is missing).
std::span<const ManifestEntry> AnswerPagesListed(std::span<const ManifestEntry> files,
                                                 std::string_view search_text_name) {
  auto at = [&](std::string_view name) {
    return std::find_if(files.begin(), files.end(),
                        [&](const ManifestEntry& file) { return file.name == name; });
  };
  const auto icon = at(kModernIconName), search = at(search_text_name);
  if (icon == files.end() || search == files.end() || search < icon) return {};
  return files.subspan(static_cast<std::size_t>(icon - files.begin()) + 1,
                       static_cast<std::size_t>(search - icon - 1));
}

// The previous run's search text: found by the places of the answers' pages among the files it
// listed.
class PreviousSearchText {
 public:
  PreviousSearchText(std::span<const ManifestEntry> previous_files,
                     const std::string& search_text_name, FileMaking& making)
      : making_(making), pages_(AnswerPagesListed(previous_files, search_text_name)) {}

  // The new search text when every answer's page has the name and place it had and few changed:
  // `line(out, i)` appends answer i's line for those, and the lines of the others are copied from
  // the previous file as the text is written (file to file), the file itself read a block at a
  // time to find them. nullopt otherwise.
  template <typename AppendLine>
  std::optional<PageBytes> Spliced(const std::vector<ModernEntry>& entries,
                                   const std::vector<std::uint64_t>& fingerprints,
                                   AppendLine&& line) {
    // A longer list of changes is made line by line.
    constexpr std::size_t kMostReplaced = 8;
    if (pages_.size() != entries.size()) return std::nullopt;
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (pages_[i].name != entries[i].page) return std::nullopt;
      if (pages_[i].fingerprint == fingerprints[i]) continue;
      if (changed.size() == kMostReplaced) return std::nullopt;
      changed.push_back(i);
    }
    sys::Fd file = making_.OpenPreviousFile();
    if (!file.valid()) return std::nullopt;
    const std::optional<SearchTextPlaces> places = ReadSearchTextPlaces(file.get());
    if (!places || places->lines.size() != entries.size()) return std::nullopt;
    std::string made;
    std::vector<SplicedBytes::Stretch> stretches;
    std::uint64_t copied = 0;  // the previous file up to here is accounted for
    for (const std::size_t i : changed) {
      const auto [from, to] = places->lines[i];
      if (from > copied) stretches.push_back({made.size(), copied, from - copied});
      line(made, i);
      copied = to;
    }
    if (places->size > copied) stretches.push_back({made.size(), copied, places->size - copied});
    return PageBytes(std::move(made), std::move(file), std::move(stretches));
  }

  // Reads the previous text whole, for Line.
  void Read() {
    if (pages_.empty()) return;
    text_ = making_.ReadPreviousFile();
    auto lines = text_ ? SearchTextLines(*text_) : std::nullopt;
    if (!lines || lines->size() != pages_.size()) {
      pages_ = {};
      return;
    }
    lines_ = std::move(*lines);
  }

  std::size_t size() const { return text_ ? text_->size() : 0; }

  // Answer `i` of the set, on `page`, once the text is read: its line when its page has the
  // fingerprint it had then (its answer is unchanged). When nothing before it moved it is the
  // previous line `i`.
  std::optional<std::string_view> Line(std::size_t i, std::string_view page,
                                       std::uint64_t fingerprint) const {
    if (lines_.empty()) return std::nullopt;
    std::size_t found = i;
    if (i >= pages_.size() || pages_[i].name != page) {
      if (index_.empty())
        for (std::size_t k = 0; k < pages_.size(); ++k) index_.emplace(pages_[k].name, k);
      const auto where = index_.find(page);
      if (where == index_.end()) return std::nullopt;
      found = where->second;
    }
    if (pages_[found].fingerprint != fingerprint) return std::nullopt;
    return lines_[found];
  }

 private:
  FileMaking& making_;
  std::span<const ManifestEntry> pages_;
  std::optional<std::string> text_;
  std::vector<std::string_view> lines_;
  // Built at the first page not found in its place.
  mutable std::unordered_map<std::string_view, std::size_t> index_;
};

std::string Sitemap(const std::string& base, const FaqValues& values,
                    const std::vector<ModernEntry>& entries) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";
  auto url = [&](std::string_view name) {
    xml += "<url><loc>" + EscapeHtml(SiteAddressOf(base, name)) + "</loc></url>\n";
  };
  url(values.Text(FaqValue::StartPage));
  for (const ModernEntry& entry : entries)
    if (!entry.page.empty()) url(entry.page);
  xml += "</urlset>\n";
  return xml;
}

// The Modern pages end their lines in LF alone, their answers and sections included.
std::string LfLines(std::string text) {
  std::size_t out = std::min(text.find('\r'), text.size());  // what comes before stays in place
  for (std::size_t i = out; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) text[out++] = text[i];
  text.resize(out);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

// The anchor in an answer's page name: what stands between the prefix and its hyphen, and the
// extension.
std::string_view AnswerPageAnchor(std::string_view prefix, std::string_view extension,
                                  std::string_view page) {
  const std::size_t before = prefix.size() + (prefix.empty() ? 0 : 1);
  return page.substr(before, page.size() - before - extension.size());
}

// Could an answer's page have this name: the prefix and its hyphen, an anchor of lower-case
// letters, digits and hyphens, and the extension?
bool IsAnswerPageName(std::string_view prefix, std::string_view extension, std::string_view page) {
  const std::size_t before = prefix.size() + (prefix.empty() ? 0 : 1);
  if (page.size() <= before + extension.size() || !page.starts_with(prefix) ||
      (!prefix.empty() && page[prefix.size()] != '-') || !page.ends_with(extension))
    return false;
  return IsAnchorText(AnswerPageAnchor(prefix, extension, page));
}

// The entries of a FAQ's questions, named in order as far as they are asked for: an anchor is
// unique among those before it, so a question's anchor and page wait for the questions before
// it, not for those after. With one page per answer the pages are made (and written) from the
// first answers on while later questions are still to be named; and the names are those the
// previous run listed when it recorded them made from the same inputs and they check.
class EntryNamer {
 public:
  EntryNamer(const Faq& faq, const SectionIndex& document, const Manifest& previous)
      : document_(document),
        own_pages_(HasOwnPages(faq)),
        prefix_(faq.values.Text(FaqValue::AnswerSubPagePrefix)),
        extension_("." + faq.values.Text(FaqValue::DocumentExt)),
        anchors_(kPageIds),
        entries_(faq.questions.size()) {
    for (std::size_t i = 0; i < entries_.size(); ++i) entries_[i].question = faq.questions[i];
    const std::string& start_page = faq.values.Text(FaqValue::StartPage);
    if (own_pages_) {
      record_.inputs = ModernNamesInputs(faq.questions, prefix_, extension_, start_page);
      if (previous.names.inputs == record_.inputs)
        Reuse(AnswerPagesListed(previous.entries, SearchTextName(start_page)),
              previous.names.names);
    }
    if (!listed_.empty()) return;
    anchors_.Reserve(faq.questions.size());
    // An answer's page never takes the name of another file of the set: its anchor is numbered
    // on.
    fixed_files_ = {start_page,
                    SearchTextName(start_page),
                    ManifestName(start_page),
                    std::string(kSitemapName),
                    std::string(kModernStyleSheetName),
                    std::string(kModernScriptName),
                    std::string(kModernIconName)};
  }

  // Names the entries up to entry `last` (or the last there is).
  void Through(std::size_t last) {
    for (; named_ <= last && named_ < entries_.size(); ++named_) {
      ModernEntry& entry = entries_[named_];
      if (!listed_.empty()) {
        entry.page = listed_[named_].name;  // the list outlives the entries
        entry.anchor = AnchorOf(entry.page);
      } else {
        Name(entry);
      }
      entry.stored = document_.ReadAnswer(named_, scratch_);
      if (entry.stored.data() == scratch_.data()) {
        // Put together from its lines: held with the entry, the scratch is needed again.
        std::string& copy = entry.Making().stored_copy;
        copy = std::move(scratch_);
        entry.stored = copy;
        scratch_.clear();
      }
    }
  }

  // Every entry; only those named so far have their anchors, pages and answers.
  std::vector<ModernEntry>& entries() { return entries_; }

  // The record of the names for the list, once every entry is named; nothing recorded without
  // pages of their own.
  NamesRecord Record() const {
    if (!own_pages_) return {};
    return {record_.inputs, listed_.empty() ? FileFingerprint(names_) : record_.names};
  }

 private:
  void Name(ModernEntry& entry) {
    entry.anchor = anchors_.Add(entry.question);
    if (!own_pages_) return;
    auto page = [&] {
      page_.assign(prefix_).append(prefix_.empty() ? "" : "-").append(entry.anchor);
      return page_.append(extension_);
    };
    while (fixed_files_.count(page()) != 0) entry.anchor = anchors_.Add(entry.question);
    entry.page = pages_.Keep(page_);
    names_.Add(entry.page);
  }

  std::string_view AnchorOf(std::string_view page) const {
    return AnswerPageAnchor(prefix_, extension_, page);
  }
  bool NameMakes(std::string_view page) const {
    return IsAnswerPageName(prefix_, extension_, page);
  }

  // Takes the names of the pages listed when there is one for each question, each a name Name
  // makes, and together the names recorded.
  void Reuse(std::span<const ManifestEntry> pages, std::uint64_t recorded) {
    if (pages.size() != entries_.size()) return;
    Fingerprint names;
    for (const ManifestEntry& page : pages) {
      if (!NameMakes(page.name)) return;
      names.Add(page.name);
    }
    if (FileFingerprint(names) != recorded) return;
    listed_ = pages;
    record_.names = recorded;
  }

  const SectionIndex& document_;
  const bool own_pages_;
  const std::string& prefix_;
  const std::string extension_;
  AnchorSet anchors_;  // holds the anchors named
  std::set<std::string, std::less<>> fixed_files_;
  std::string page_;     // the page name being put together
  TextArena pages_;      // holds the page names made
  std::string scratch_;  // an answer being put together from its lines
  std::vector<ModernEntry> entries_;
  std::size_t named_ = 0;
  NamesRecord record_;
  Fingerprint names_;                      // of the pages' names made so far
  std::span<const ManifestEntry> listed_;  // the previous run's pages, when their names are taken
};

void RenderAll(std::vector<ModernEntry>& entries) {
  for (ModernEntry& entry : entries) Render(entry);
}

}  // namespace

void Render(ModernEntry& entry) {
  ModernEntry::Made& made = entry.Making();
  if (made.rendered) return;
  made.answer.reserve(entry.stored.size() + entry.stored.size() / 2 + 64);  // links add markup
  // The Modern pages end their lines in LF alone.
  AppendStoredAnswer(made.answer, entry.stored, Escaping::MarkupOnly, "\n");
  while (!made.answer.empty() && made.answer.back() == '\n') made.answer.pop_back();
  made.rendered = true;
}

const std::string& ReadableText(ModernEntry& entry) {
  ModernEntry::Made& made = entry.Making();
  if (!made.has_text) {
    Render(entry);
    made.answer_text = PlainText(made.answer);
    made.has_text = true;
  }
  return made.answer_text;
}

namespace {

// The bytes a JSON string cannot hold as they are: control characters, the quote, the backslash,
// and "<".
struct JsonEscaped {
  std::array<bool, 256> escaped{};
  constexpr JsonEscaped() {
    for (std::size_t i = 0; i < 0x20; ++i) escaped[i] = true;
    escaped['"'] = escaped['\\'] = escaped['<'] = true;
  }
};
constexpr JsonEscaped kJsonEscaped;

// The first byte at or after `p` that JSON escapes; `end` when there is none. Readable text is long
// and holds few: sixteen bytes at a time where the processor has the instructions.
const char* NextJsonEscaped(const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi8('"'), backslash = _mm_set1_epi8('\\'),
                less_than = _mm_set1_epi8('<'), last_control = _mm_set1_epi8(0x1F);
  for (; end - p >= 16; p += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // A byte is at most 0x1F when the larger of it and 0x1F is 0x1F.
    const __m128i control = _mm_cmpeq_epi8(_mm_max_epu8(block, last_control), last_control);
    const __m128i marks =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, quote), _mm_cmpeq_epi8(block, backslash)),
                     _mm_or_si128(_mm_cmpeq_epi8(block, less_than), control));
    const int found = _mm_movemask_epi8(marks);
    if (found != 0) return p + __builtin_ctz(static_cast<unsigned>(found));
  }
#endif
  while (p != end && !kJsonEscaped.escaped[static_cast<unsigned char>(*p)]) ++p;
  return p;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  const char* const end = text.data() + text.size();
  const char* plain_from = text.data();
  for (const char* p = plain_from; p != end; ++p) {
    p = NextJsonEscaped(p, end);
    if (p == end) break;
    const auto byte = static_cast<unsigned char>(*p);
    out.append(plain_from, p);
    plain_from = p + 1;
    switch (byte) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '<':
        out += "\\u003c";
        break;
      default: {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\u%04x", byte);
        out += hex;
      }
    }
  }
  out.append(plain_from, end);
  out += '"';
}

std::string JsonString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8 + 2);
  AppendJsonString(out, text);
  return out;
}

bool ModernSetMayHold(const FaqValues& values, std::string_view name) {
  const std::string& start_page = values.Text(FaqValue::StartPage);
  if (name == start_page || name == SearchTextName(start_page) || name == kSitemapName ||
      name == kModernStyleSheetName || name == kModernScriptName || name == kModernIconName)
    return true;
  return IsAnswerPageName(values.Text(FaqValue::AnswerSubPagePrefix),
                          "." + values.Text(FaqValue::DocumentExt), name);
}

namespace {

// The answer pages made in this run, and the search text's lines of their answers. Once a page is
// made, its answer's line is kept here and the entry's readable text goes, with the rendered
// answer unless the start page shows it: at most one of each is held at a time, not one per
// answer until the end. `expected_size` is about what the answers take (the document's text).
class AnswerPagesMade {
 public:
  AnswerPagesMade(const ModernSite& site, std::vector<ModernEntry>& entries, bool keep_answers,
                  std::size_t expected_size)
      : site_(site), entries_(entries), keep_answers_(keep_answers), lines_of_(entries.size()) {
    ReserveLarge(lines_, expected_size + expected_size / 8 + 4096);
  }

  std::string Page(std::size_t i) {
    ModernEntry& entry = entries_[i];
    const std::size_t begin = lines_.size();
    AppendJsonString(lines_, ReadableText(entry));
    lines_of_[i] = {begin, lines_.size()};
    std::string page = ModernAnswerPage(site_, entries_, i);
    ModernEntry::Made& made = *entry.made;
    // What was made goes with the page, but for the answer's lines put together, which the entry
    // still reads.
    if (!keep_answers_ && entry.stored.data() != made.stored_copy.data()) {
      entry.made.reset();
      return page;
    }
    std::string().swap(made.answer_text);
    made.has_text = false;
    if (!keep_answers_) {
      std::string().swap(made.answer);
      made.rendered = false;
    }
    return page;
  }

  // Answer i's line when its page was made in this run (a JSON string is never empty).
  std::optional<std::string_view> Line(std::size_t i) const {
    const auto [begin, end] = lines_of_[i];
    if (begin == end) return std::nullopt;
    return std::string_view(lines_).substr(begin, end - begin);
  }
  std::size_t size() const { return lines_.size(); }

 private:
  const ModernSite& site_;
  std::vector<ModernEntry>& entries_;
  const bool keep_answers_;
  std::string lines_;
  std::vector<std::pair<std::size_t, std::size_t>> lines_of_;
};

}  // namespace

// Everything the plan's files are made from, kept while they are written.
struct ModernPlanner::State {
  State(const Faq& faq_in, const SectionIndex& document_in, const SystemColours& system_in,
        const Manifest& previous_in)
      : faq(faq_in),
        values(faq_in.values),
        document(document_in),
        system(system_in),
        previous(previous_in),
        own_pages(HasOwnPages(faq_in)),
        namer(faq_in, document_in, previous_in) {}

  void NameEntries();
  void TakeFingerprints();
  std::uint64_t Of(const quorella::Fingerprint& inputs, std::string_view name) const {
    return FileFingerprint(quorella::Fingerprint(inputs).Add(name));
  }
  void PlanAssets(FilePlan& plan);
  void PlanAnswerPages(FilePlan& plan);
  void PlanSearchText(FilePlan& plan);
  void PlanStartPage(FilePlan& plan);
  PageBytes SearchTextFile(FileMaking& making);
  PageBytes StartPageFile(FileMaking& making);

  const Faq& faq;
  const FaqValues& values;
  const SectionIndex& document;
  const SystemColours& system;
  const Manifest& previous;
  const bool own_pages;
  EntryNamer namer;
  std::optional<ModernSite> site;
  quorella::Fingerprint run;
  // Each text of an entry is fingerprinted once, and every file that shows it takes that: the
  // answer, the question with its anchor, the page's name.
  std::vector<std::uint64_t> stored, headings, page_names;
  // With every answer on the start page, each answer's item there is a part of its own.
  std::vector<std::uint64_t> items;
  std::vector<std::uint64_t> pages;  // each answer's page, with pages of their own
  quorella::Fingerprint listing, answers;
  std::optional<AnswerPagesMade> made;
};

void ModernPlanner::State::NameEntries() {
  namer.Through(SIZE_MAX);
  std::vector<ModernEntry>& entries = namer.entries();
  // A description made from the first answer needs that answer, whatever else is made again.
  if (values.Text(FaqValue::Description).empty() && !entries.empty()) ReadableText(entries.front());
  site.emplace(
      ModernSite{values,
                 {},
                 SiteBase(values),
                 Description(values, entries),
                 values.Boolean(FaqValue::DisableBanner) ? std::string() : VendorSiteAddress(),
                 own_pages ? SearchTextName(values.Text(FaqValue::StartPage)) : std::string(),
                 PlainText(values.Text(FaqValue::Title))});
  for (std::size_t i = 0; i < kFixedSectionCount; ++i)
    site->sections[i] = LfLines(document.Read(SectionName(static_cast<FixedSection>(i))));
}

void ModernPlanner::State::TakeFingerprints() {
  const std::vector<ModernEntry>& entries = namer.entries();
  run = RunFingerprint(values, site->sections, {}, system);
  run.Add(site->description).Add(site->credit_address);
  listing = quorella::Fingerprint(run.value());
  answers = quorella::Fingerprint(run.value());
  const std::size_t count = entries.size();
  stored.resize(count);
  headings.resize(count);
  page_names.resize(count);
  if (!own_pages) items.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const ModernEntry& entry = entries[i];
    // Answers are long enough for the fingerprint that reads four words side by side.
    stored[i] = quorella::Fingerprint().AddLong(entry.stored).value();
    headings[i] = quorella::Fingerprint().Add(entry.question).Add(entry.anchor).value();
    page_names[i] = FileFingerprint(quorella::Fingerprint().Add(entry.page));
    listing.Add(headings[i]).Add(page_names[i]);
    answers.Add(stored[i]);
    if (!own_pages)
      items[i] =
          Of(quorella::Fingerprint(run.value()).Add(headings[i]).Add(stored[i]), "answer item");
  }
  if (!own_pages) return;
  // A page shows its own question and answer and links to its neighbours' pages (0: none).
  pages.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    quorella::Fingerprint page(run.value());
    page.Add(headings[i]).Add(page_names[i]).Add(stored[i]);
    page.Add(i > 0 ? page_names[i - 1] : 0).Add(i + 1 < count ? page_names[i + 1] : 0);
    pages[i] = Of(page, "answer page");
  }
}

void ModernPlanner::State::PlanAssets(FilePlan& plan) {
  plan.files.emplace_back(
      std::string(kModernStyleSheetName), Of(run, kModernStyleSheetName), false,
      [this](FileMaking&, PageBytes& out) { out = PageBytes(ModernStyleSheet(values, system)); });
  plan.files.emplace_back(
      std::string(kModernScriptName), Of(run, kModernScriptName), false,
      [](FileMaking&, PageBytes& out) { out = PageBytes(std::string(ModernScript())); });
  plan.files.emplace_back(
      std::string(kModernIconName), Of(run, kModernIconName), false,
      [](FileMaking&, PageBytes& out) { out = PageBytes(std::string(ModernIcon())); });
}

void ModernPlanner::State::PlanAnswerPages(FilePlan& plan) {
  std::vector<ModernEntry>& entries = namer.entries();
  made.emplace(*site, entries, values.Boolean(FaqValue::StructuredData), document.text_size());
  for (std::size_t i = 0; i < entries.size(); ++i)
    plan.files.emplace_back(
        std::string(entries[i].page), pages[i], true,
        [this, i](FileMaking&, PageBytes& out) { out = PageBytes(made->Page(i)); });
}

PageBytes ModernPlanner::State::SearchTextFile(FileMaking& making) {
  std::vector<ModernEntry>& entries = namer.entries();
  PreviousSearchText before(previous.entries, site->search_text_name, making);
  auto made_line = [&](std::string& script, std::size_t i) {
    if (const auto line = made->Line(i))
      script += *line;
    else
      AppendJsonString(script, ReadableText(entries[i]));
  };
  if (std::optional<PageBytes> spliced = before.Spliced(entries, pages, made_line))
    return std::move(*spliced);
  before.Read();
  return PageBytes(SearchText(entries.size(), before.size() + made->size() + 4096,
                              [&](std::string& script, std::size_t i) {
                                if (made->Line(i)) return made_line(script, i);
                                if (const auto line = before.Line(i, entries[i].page, pages[i])) {
                                  script += *line;
                                  return;
                                }
                                made_line(script, i);
                              }));
}

void ModernPlanner::State::PlanSearchText(FilePlan& plan) {
  plan.files.emplace_back(
      site->search_text_name, Of(answers, "search text"), false,
      [this](FileMaking& making, PageBytes& out) { out = SearchTextFile(making); });
}

PageBytes ModernPlanner::State::StartPageFile(FileMaking& making) {
  std::vector<ModernEntry>& entries = namer.entries();
  const bool structured = values.Boolean(FaqValue::StructuredData);
  if (structured) RenderAll(entries);
  const std::string structured_data = structured ? StructuredData(entries) : std::string();
  if (items.empty()) return PageBytes(ModernStartPage(*site, entries, structured_data));
  // The items of the previous file that can be are copied file to file as the page is
  // written: only the others are made in memory.
  PartsSplicer parts(making.PreviousPartsOfFile());
  std::string page =
      ModernStartPage(*site, entries, structured_data,
                      [&](std::string& out, std::size_t i, const std::function<void()>& make) {
                        parts.Add(out.size(), items[i], [&] {
                          Render(entries[i]);
                          make();
                          return PartsSplicer::Made{out.size(), true};
                        });
                      });
  making.SetParts(parts.Parts(page.size()));
  return parts.Take(std::move(page));
}

void ModernPlanner::State::PlanStartPage(FilePlan& plan) {
  const quorella::Fingerprint everything =
      quorella::Fingerprint(listing.value()).Add(answers.value());
  // The start page shows every answer, in place or as structured data, unless neither
  // is there.
  const bool answers_shown = !own_pages || values.Boolean(FaqValue::StructuredData);
  plan.files.emplace_back(
      values.Text(FaqValue::StartPage), Of(answers_shown ? everything : listing, "start page"),
      false, [this](FileMaking& making, PageBytes& out) { out = StartPageFile(making); });
}

ModernPlanner::ModernPlanner(const Faq& faq, const SectionIndex& document,
                             const SystemColours& system, const Manifest& previous)
    : state_(std::make_unique<State>(faq, document, system, previous)) {}

ModernPlanner::~ModernPlanner() = default;

FilePlan ModernPlanner::Plan() {
  State& state = *state_;
  state.NameEntries();
  state.TakeFingerprints();
  FilePlan plan;
  plan.files.reserve(state.namer.entries().size() + 6);
  state.PlanAssets(plan);
  if (state.own_pages) {
    state.PlanAnswerPages(plan);
    state.PlanSearchText(plan);
    plan.names = state.namer.Record();
  }
  state.PlanStartPage(plan);
  if (!state.site->site_base.empty())
    plan.files.emplace_back(
        std::string(kSitemapName), state.Of(state.listing, kSitemapName), false,
        [&state](FileMaking&, PageBytes& out) {
          out = PageBytes(Sitemap(state.site->site_base, state.values, state.namer.entries()));
        });
  return plan;
}

}  // namespace quorella::html
