#include "html/modern_site.h"

#include <cstdio>
#include <set>
#include <vector>

#include "html/anchor.h"
#include "html/answer_formats.h"
#include "html/manifest.h"
#include "html/modern_assets.h"
#include "html/modern_pages.h"
#include "html/plain_text.h"
#include "html/style_fragments.h"
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
  return FirstSentence(entries.front().answer_text, kDescriptionLimit);
}

std::string StructuredData(const std::vector<ModernEntry>& entries) {
  std::string json =
      "<script type=\"application/ld+json\">\n"
      "{\"@context\":\"https://schema.org\",\"@type\":\"FAQPage\",\"mainEntity\":[";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) json += ",";
    json += "\n{\"@type\":\"Question\",\"name\":" + JsonString(PlainText(entries[i].question)) +
            ",\"acceptedAnswer\":{\"@type\":\"Answer\",\"text\":" + JsonString(entries[i].answer) +
            "}}";
  }
  json += "]}\n</script>\n";
  return json;
}

std::string SearchText(const std::vector<ModernEntry>& entries) {
  std::string script = "window.quorellaSearchText=[";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) script += ",";
    script += "\n" + JsonString(entries[i].answer_text);
  }
  script += "];\n";
  return script;
}

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
  std::size_t out = 0;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) text[out++] = text[i];
  text.resize(out);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

std::vector<ModernEntry> Entries(const Faq& faq, const SectionIndex& document) {
  const FaqValues& values = faq.values;
  const bool own_pages = HasOwnPages(faq);
  const std::string& prefix = values.Text(FaqValue::AnswerSubPagePrefix);
  const std::string extension = "." + values.Text(FaqValue::DocumentExt);
  AnchorSet anchors(kPageIds);
  // An answer's page never takes the name of another file of the set: its anchor is numbered on.
  const std::string& start_page = values.Text(FaqValue::StartPage);
  const std::set<std::string> fixed_files = {start_page,
                                             SearchTextName(start_page),
                                             ManifestName(start_page),
                                             std::string(kSitemapName),
                                             std::string(kModernStyleSheetName),
                                             std::string(kModernScriptName),
                                             std::string(kModernIconName)};
  std::vector<ModernEntry> entries(faq.questions.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    ModernEntry& entry = entries[i];
    entry.question = faq.questions[i];
    entry.anchor = anchors.Add(entry.question);
    auto page = [&] { return prefix + (prefix.empty() ? "" : "-") + entry.anchor + extension; };
    while (own_pages && fixed_files.count(page()) != 0) entry.anchor = anchors.Add(entry.question);
    if (own_pages) entry.page = page();
    AppendStoredAnswer(entry.answer, document.Read(AnswerSectionName(i)), Escaping::MarkupOnly);
    entry.answer = LfLines(std::move(entry.answer));
    entry.answer_text = PlainText(entry.answer);
  }
  return entries;
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8 + 2);
  out += '"';
  std::size_t plain_from = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x20 && byte != '"' && byte != '\\' && byte != '<') continue;
    out.append(text.substr(plain_from, i - plain_from));
    plain_from = i + 1;
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
  out.append(text.substr(plain_from));
  out += '"';
  return out;
}

std::size_t ModernFileCount(const Faq& faq) {
  const bool own_pages = HasOwnPages(faq);
  return 4 + (own_pages ? faq.questions.size() + 1 : 0) +
         (faq.values.Text(FaqValue::SiteAddress).empty() ? 0 : 1);
}

void BuildModernPages(const Faq& faq, const SectionIndex& document, const SystemColours& system,
                      const EmitFile& emit) {
  const FaqValues& values = faq.values;
  std::vector<ModernEntry> entries = Entries(faq, document);
  ModernSite site{
      values,
      {},
      SiteBase(values),
      Description(values, entries),
      values.Boolean(FaqValue::DisableBanner) ? std::string() : VendorSiteAddress(),
      HasOwnPages(faq) ? Stem(values.Text(FaqValue::StartPage)) + ".search.js" : std::string()};
  for (std::size_t i = 0; i < kFixedSectionCount; ++i)
    site.sections[i] = LfLines(document.Read(SectionName(static_cast<FixedSection>(i))));

  emit(std::string(kModernStyleSheetName), ModernStyleSheet(values, system));
  emit(std::string(kModernScriptName), ModernScript());
  emit(std::string(kModernIconName), ModernIcon());
  if (HasOwnPages(faq)) {
    for (std::size_t i = 0; i < entries.size(); ++i)
      emit(entries[i].page, ModernAnswerPage(site, entries, i));
    emit(site.search_text_name, SearchText(entries));
  }
  const std::string structured =
      values.Boolean(FaqValue::StructuredData) ? StructuredData(entries) : std::string();
  emit(values.Text(FaqValue::StartPage), ModernStartPage(site, entries, structured));
  if (!site.site_base.empty())
    emit(std::string(kSitemapName), Sitemap(site.site_base, values, entries));
}

}  // namespace quorella::html
