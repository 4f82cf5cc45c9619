// The answer formatter: Smart format, Retain original linefeeds and Retain original format, and a
// stored answer with its format line, each against a second, independently written renderer of
// the same rules (words at every space, links, e-mail addresses, the entity table).
#include <array>
#include <optional>
#include <utility>

#include "fuzz/fuzz_input.h"
#include "html/answer_formats.h"
#include "html/markdown_answer.h"
#include "util/strings.h"
#include "util/unicode.h"

namespace {

using namespace quorella::fuzz;

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      line.push_back(text[i]);
      continue;
    }
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(std::move(line));
    line.clear();
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

// Each separator ends a piece; what follows the last one is a piece only when not empty.
std::vector<std::string> Pieces(std::string_view text, char separator) {
  std::vector<std::string> pieces = Split(text, separator);
  if (pieces.back().empty()) pieces.pop_back();
  return pieces;
}

bool StartsNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    if (c != prefix[i]) return false;
  }
  return true;
}

// Characters as the decoder reads them, a bad byte one of its own.
std::vector<std::size_t> CharacterStarts(std::string_view text) {
  std::vector<std::size_t> starts;
  for (std::size_t pos = 0; pos < text.size(); quorella::NextCodePoint(text, pos))
    starts.push_back(pos);
  return starts;
}

bool IsLink(std::string_view word) {
  const auto scheme = word.find("://");
  return (scheme != std::string_view::npos &&
          CharacterStarts(word.substr(0, scheme)).size() >= 2) ||
         StartsNoCase(word, "www.") || StartsNoCase(word, "ftp.");
}

bool IsEmail(std::string_view word) {
  const auto at = word.find('@');
  const auto dot = word.find('.');
  return at != std::string_view::npos && at >= 1 && dot != std::string_view::npos && dot >= 1;
}

// The table's characters, in UTF-8 as answers are held.
const char* EntityOf(std::string_view character) {
  static const std::array<std::pair<const char*, const char*>, 26> kEntities = {{
      {"\"", "&quot;"},
      {"<", "&lt;"},
      {">", "&gt;"},
      {"\xC2\xA2", "&cent;"},
      {"\xC2\xA3", "&pound;"},
      {"\xC2\xA4", "&curren;"},
      {"\xC2\xA5", "&yen;"},
      {"\xC2\xA6", "&brvbar;"},
      {"\xC2\xA7", "&sect;"},
      {"\xC2\xA9", "&copy;"},
      {"\xC2\xAA", "&ordf;"},
      {"\xC2\xAE", "&reg;"},
      {"\xC2\xAF", "&macr;"},
      {"\xC2\xB0", "&deg;"},
      {"\xC2\xB1", "&plusmn;"},
      {"\xC2\xB4", "&acute;"},
      {"\xC2\xB5", "&micro;"},
      {"\xC2\xB6", "&para;"},
      {"\xC2\xB7", "&middot;"},
      {"\xC2\xBC", "&frac14;"},
      {"\xC2\xBD", "&frac12;"},
      {"\xC2\xBE", "&frac34;"},
      {"\xC2\xBF", "&iquest;"},
      {"\xC3\xB7", "&divide;"},
      {"\xC3\xB8", "&oslash;"},
      {"\xE2\x82\xAC", "&euro;"},
  }};
  for (const auto& [text, entity] : kEntities)
    if (character == text) return entity;
  return nullptr;
}

std::string Escape(std::string_view word) {
  if (word == "&") return "&amp;";
  std::string out;
  for (std::size_t i = 0; i < word.size();) {
    // A character of the table is one byte, two, or (the euro sign) three; any other byte stays.
    const char* entity = nullptr;
    std::size_t length = 1;
    for (const std::size_t n : {1, 2, 3}) {
      if (i + n > word.size()) break;
      if ((entity = EntityOf(word.substr(i, n))) != nullptr) {
        length = n;
        break;
      }
    }
    if (entity != nullptr)
      out += entity;
    else
      out += word.substr(i, 1);
    i += length;
  }
  return out;
}

std::string Link(std::string_view w) {
  const std::string word(w);
  std::string target = word;
  if (StartsNoCase(word, "www."))
    target = "http://" + word;
  else if (StartsNoCase(word, "ftp."))
    target = "ftp://" + word;
  return "<A HREF=\"" + target + "\">" + word + "</A>";
}

std::string RenderLinkWord(std::string word) {
  std::string punctuation;
  while (!word.empty() && std::string_view(".,;:?!)]}").find(word.back()) != std::string::npos) {
    punctuation.insert(punctuation.begin(), word.back());
    word.pop_back();
  }
  const auto pieces = Pieces(word, '\t');
  if (pieces.size() == 1) return Link(word) + punctuation;
  std::string out;
  for (const auto& piece : pieces) out += (IsLink(piece) ? Link(piece) : piece) + "\t";
  if (!out.empty()) out.pop_back();
  return out + punctuation;
}

std::string RenderMarkedEmail(std::string_view word) {
  static const std::array<std::pair<char, char>, 6> kMarks = {
      {{'"', '"'}, {'\'', '\''}, {'(', ')'}, {'{', '}'}, {'[', ']'}, {'<', '>'}}};
  for (const auto& [open, close] : kMarks) {
    if (word.front() != open) continue;
    const std::string inner(word.substr(1, CharacterStarts(word).back() - 1));
    return Escape(std::string(1, open)) + "<A HREF=\"mailto:" + inner + "\">" + inner + "</A>" +
           Escape(std::string(1, close));
  }
  return "<A HREF=\"mailto:" + std::string(word) + "\">" + std::string(word) + "</A>";
}

// Sentence punctuation after an address stays outside its link.
std::string RenderEmailWord(std::string_view word) {
  std::string address(word), punctuation;
  while (!address.empty() && std::string_view(".,;:?!").find(address.back()) != std::string::npos) {
    punctuation.insert(punctuation.begin(), address.back());
    address.pop_back();
  }
  if (!IsEmail(address)) return Escape(word);
  return RenderMarkedEmail(address) + punctuation;
}

std::string RenderLine(std::string_view line) {
  std::string out;
  for (const auto& word : Pieces(line, ' ')) {
    if (IsLink(word))
      out += RenderLinkWord(word);
    else if (IsEmail(word))
      out += RenderEmailWord(word);
    else
      out += Escape(word);
    out += ' ';
  }
  if (!out.empty()) out.pop_back();
  return out;
}

std::string Smart(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) out += (line.empty() ? "<P>" : RenderLine(line)) + "\r\n";
  if (!out.empty()) out.resize(out.size() - 2);
  return out;
}

std::string Linefeeds(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) out += RenderLine(line) + "<br>\r\n";
  if (!out.empty()) out.resize(out.size() - 2);
  return out;
}

std::string Preformatted(const std::vector<std::string>& lines) {
  std::string out = "<pre>\r\n";
  for (const auto& line : lines) out += RenderLine(line) + "\r\n";
  out.resize(out.size() - 2);
  return out + "</pre>";
}

std::optional<std::string> Stored(std::string_view stored) {
  auto lines = Lines(stored);
  int format = 0;
  if (!lines.empty() && quorella::ParseInteger(lines.front(), format)) lines.erase(lines.begin());
  if (format > 4) return std::nullopt;
  if (format == 4) {
    // Markdown is md4c's to render: what is checked is that the answer's own lines reach it.
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return quorella::html::RenderMarkdown(text);
  }
  if (format == 3) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
  }
  if (format == 2) return Preformatted(lines);
  if (format == 1) return Linefeeds(lines);
  return Smart(lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace html = quorella::html;
  const std::string_view text = AsText(data, size);
  const auto lines = Lines(text);
  CheckEqual(Smart(lines), html::SmartFormat(text), "Smart format");
  CheckEqual(Linefeeds(lines), html::RetainLinefeeds(text), "Retain original linefeeds");
  CheckEqual(Preformatted(lines), html::RetainFormat(text), "Retain original format");
  const auto expected = Stored(text);
  const auto rendered = html::RenderStoredAnswer(text);
  Check(expected.has_value() == rendered.has_value(), "a format above 4 leaves the answer out");
  if (expected) CheckEqual(*expected, *rendered, "a stored answer renders in its format");
  return 0;
}
