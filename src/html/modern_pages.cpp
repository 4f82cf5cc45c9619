#include "html/modern_pages.h"

#include <cstdio>

#include "html/modern_assets.h"
#include "html/plain_text.h"
#include "util/huge_pages.h"

namespace quorella::html {

namespace {

// Appends every piece in turn, with no string made between them.
template <typename... Pieces>
void Append(std::string& out, const Pieces&... pieces) {
  (out.append(std::string_view(pieces)), ...);
}

// An attribute value, escaped; appended as a piece of its own.
struct Attribute {
  std::string_view text;
};

void AppendPiece(std::string& out, std::string_view piece) {
  out += piece;
}
void AppendPiece(std::string& out, Attribute attribute) {
  AppendEscapedHtml(out, attribute.text);
}

// Append, where some pieces are attribute values.
template <typename... Pieces>
void AppendMarkup(std::string& out, const Pieces&... pieces) {
  (AppendPiece(out, pieces), ...);
}

void AppendHead(std::string& out, const ModernSite& site, std::string_view title,
                std::string_view description, std::string_view file_name, std::string_view extra) {
  AppendMarkup(out, "<!DOCTYPE html>\n<html lang=\"",
               Attribute{site.values.Text(FaqValue::Language)},
               "\">\n<head>\n<meta charset=\"utf-8\">\n"
               "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>");
  AppendEscapedHtml(out, title);
  out += "</title>\n";
  if (!description.empty())
    AppendMarkup(out, "<meta name=\"description\" content=\"", Attribute{description}, "\">\n");
  if (!site.site_base.empty())
    AppendMarkup(out, "<link rel=\"canonical\" href=\"",
                 Attribute{SiteAddressOf(site.site_base, file_name)}, "\">\n");
  if (!site.values.Boolean(FaqValue::UseMyColors))
    out += "<meta name=\"color-scheme\" content=\"light dark\">\n";
  Append(out, "<link rel=\"icon\" href=\"", kModernIconName,
         "\" type=\"image/svg+xml\">\n<link rel=\"stylesheet\" href=\"", kModernStyleSheetName,
         "\">\n", extra, "<script src=\"", kModernScriptName, "\" defer></script>\n");
  const std::string& head_code = site.Section(FixedSection::HeaderCode);
  if (!head_code.empty()) Append(out, head_code, "\n");
  out += "</head>\n<body>\n<div class=\"qr-page\">\n";
}

// The page's own header text, then the FAQ's header section.
template <typename... Heading>
void AppendHeader(std::string& out, const ModernSite& site, const Heading&... heading_html) {
  out += "<header class=\"qr-header\" id=\"qr-top\">\n";
  AppendMarkup(out, heading_html...);
  const std::string& header = site.Section(FixedSection::AnswerHeader);
  if (!header.empty()) Append(out, header, "\n");
  out += "</header>\n";
}

void AppendClosing(std::string& out, const ModernSite& site) {
  out += "<footer class=\"qr-footer\">\n";
  const std::string& footer = site.Section(FixedSection::AnswerFooter);
  if (!footer.empty()) Append(out, footer, "\n");
  Append(out, "<p><a href=\"#qr-top\">", site.values.Text(FaqValue::LinkTopText), "</a></p>\n");
  if (!site.credit_address.empty())
    AppendMarkup(out, "<p class=\"qr-credit\">Made with <a href=\"", Attribute{site.credit_address},
                 "\">Quorella</a></p>\n");
  out += "</footer>\n</div>\n</body>\n</html>\n";
}

void AppendPermalink(std::string& out, const ModernSite& site, std::string_view anchor,
                     bool on_start_page) {
  out += "<a class=\"qr-link\" href=\"";
  if (!on_start_page) AppendEscapedHtml(out, site.values.Text(FaqValue::StartPage));
  Append(out, "#", anchor, "\" aria-label=\"Link to this answer\">#</a>");
}

void AppendTools(std::string& out, bool expand_buttons) {
  out +=
      "<div class=\"qr-tools\" id=\"qr-tools\">\n"
      "<label class=\"qr-sr\" for=\"qr-search\">Search the questions</label>\n"
      "<input class=\"qr-search\" id=\"qr-search\" type=\"search\" placeholder=\"Search (press /)\""
      " autocomplete=\"off\" spellcheck=\"false\">\n";
  if (expand_buttons)
    out +=
        "<button type=\"button\" id=\"qr-expand\">Expand all</button>\n"
        "<button type=\"button\" id=\"qr-collapse\">Collapse all</button>\n";
  out += "<p class=\"qr-count\" id=\"qr-count\" role=\"status\"></p>\n</div>\n";
}

void AppendAccordionItem(std::string& out, const ModernSite& site, const ModernEntry& entry) {
  Append(out, "<section class=\"qr-qa\" id=\"", entry.anchor,
         "\">\n<h2 class=\"qr-q\"><span class=\"qr-qt\">", entry.question, "</span>");
  AppendPermalink(out, site, entry.anchor, true);
  Append(out, "</h2>\n<div class=\"qr-a\">\n", entry.answer(), "\n</div>\n</section>\n");
}

void AppendListItem(std::string& out, const ModernEntry& entry) {
  AppendMarkup(out, "<li class=\"qr-item\" id=\"", entry.anchor, "\"><a href=\"",
               Attribute{entry.page}, "\">", entry.question, "</a></li>\n");
}

}  // namespace

std::string SiteAddressOf(std::string_view site_base, std::string_view file_name) {
  std::string address(site_base);
  for (const char c : file_name) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
        std::string_view("-._~/").find(c) != std::string_view::npos) {
      address += c;
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(c));
      address += hex;
    }
  }
  return address;
}

std::string ModernStartPage(const ModernSite& site, const std::vector<ModernEntry>& entries,
                            std::string_view structured_data, const AnswerItem& item) {
  const bool one_per_page = !site.search_text_name.empty();
  std::string extra(structured_data);
  if (one_per_page)
    AppendMarkup(extra, "<script src=\"", Attribute{site.search_text_name}, "\" defer></script>\n");

  std::string out;
  std::size_t size = 4096;
  for (const ModernEntry& entry : entries)
    size += entry.question.size() * 2 + entry.anchor.size() * 3 + entry.page.size() + 200 +
            (one_per_page ? 0 : entry.answer().size());
  ReserveLarge(out, size);

  const std::string& title = site.values.Text(FaqValue::Title);
  AppendHead(out, site, site.plain_title, site.description, site.values.Text(FaqValue::StartPage),
             extra);
  AppendHeader(out, site, "<h1>", title, "</h1>\n");
  out += "<main>\n";
  const std::string& click = site.values.Text(FaqValue::StaticClickOnQ);
  if (!click.empty()) Append(out, "<p class=\"qr-intro\">", click, "</p>\n");
  AppendTools(out, !one_per_page);
  if (one_per_page) {
    out += "<ol class=\"qr-list\">\n";
    for (const ModernEntry& entry : entries) AppendListItem(out, entry);
    out += "</ol>\n";
  } else {
    out += "<div class=\"qr-list\">\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const auto make = [&] { AppendAccordionItem(out, site, entries[i]); };
      if (item)
        item(out, i, make);
      else
        make();
    }
    out += "</div>\n";
  }
  out += "<p class=\"qr-none\" id=\"qr-none\" hidden>No question matches.</p>\n</main>\n";
  AppendClosing(out, site);
  return out;
}

std::string ModernAnswerPage(const ModernSite& site, const std::vector<ModernEntry>& entries,
                             std::size_t i) {
  const ModernEntry& entry = entries[i];
  const std::string& title = site.values.Text(FaqValue::Title);
  std::string page_title = PlainText(entry.question);
  page_title.reserve(page_title.size() + 5 + site.plain_title.size());
  page_title.append(" \xE2\x80\x93 ").append(site.plain_title);
  std::string out;
  out.reserve(entry.answer().size() + entry.question.size() * 3 + 3072);
  AppendHead(out, site, page_title, FirstSentence(entry.answer_text(), kDescriptionLimit),
             entry.page, {});
  const std::string& start_page = site.values.Text(FaqValue::StartPage);
  AppendHeader(out, site, "<p class=\"qr-intro\"><a href=\"", Attribute{start_page}, "\">", title,
               "</a></p>\n");
  Append(out, "<main class=\"qr-answer\">\n<h1 id=\"", entry.anchor, "\"><span>", entry.question,
         "</span>");
  AppendPermalink(out, site, entry.anchor, false);
  Append(out, "</h1>\n<div class=\"qr-a\">\n", entry.answer(), "\n</div>\n",
         "<nav class=\"qr-nav\" aria-label=\"Answers\">\n");
  if (i > 0)
    AppendMarkup(out, "<a rel=\"prev\" href=\"", Attribute{entries[i - 1].page}, "\">",
                 site.values.Text(FaqValue::LinkPreviousText), "</a>\n");
  // Not to the question's anchor: on the list of questions that leads back to this page.
  AppendMarkup(out, "<a href=\"", Attribute{start_page}, "\">",
               site.values.Text(FaqValue::LinkQuestionsText), "</a>\n");
  if (i + 1 < entries.size())
    AppendMarkup(out, "<a rel=\"next\" href=\"", Attribute{entries[i + 1].page}, "\">",
                 site.values.Text(FaqValue::LinkNextText), "</a>\n");
  out += "</nav>\n</main>\n";
  AppendClosing(out, site);
  return out;
}

}  // namespace quorella::html
