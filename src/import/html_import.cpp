#include "import/html_import.h"

#include <gumbo.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "import/bounded_json.h"
#include "import/html_nesting.h"
#include "import/html_safe_text.h"
#include "util/errors.h"
#include "util/strings.h"

namespace quorella {

namespace {

constexpr int kAsIs = 3;

using Nodes = std::vector<const GumboNode*>;

const GumboNode* Child(const GumboVector* children, unsigned i) {
  return static_cast<const GumboNode*>(children->data[i]);
}

bool HasToken(std::string_view list, std::string_view token) {
  const std::string lower = LowerAscii(list);
  return lower.find(token) != std::string::npos;
}

// Parts of a page around its content: never questions, never part of an answer.
bool IsAroundContent(const GumboNode* node) {
  if (node->type != GUMBO_NODE_ELEMENT) return false;
  switch (node->v.element.tag) {
    case GUMBO_TAG_NAV:
    case GUMBO_TAG_ASIDE:
    case GUMBO_TAG_HEADER:
    case GUMBO_TAG_FOOTER:
    case GUMBO_TAG_SCRIPT:
    case GUMBO_TAG_STYLE:
    case GUMBO_TAG_NOSCRIPT:
    case GUMBO_TAG_HEAD:
    case GUMBO_TAG_FORM:
      return true;
    default:
      break;
  }
  const std::string_view role = AttributeOf(node, "role");
  if (role == "navigation" || role == "banner" || role == "contentinfo" ||
      role == "complementary" || role == "search")
    return true;
  return HasToken(AttributeOf(node, "class"), "sidebar") ||
         HasToken(AttributeOf(node, "id"), "sidebar");
}

// Every element in document order, with the parts around the content left out when `content`.
Nodes ElementsOf(const GumboNode* root, bool content) {
  Nodes elements;
  std::vector<const GumboNode*> stack{root};
  while (!stack.empty()) {
    const GumboNode* node = stack.back();
    stack.pop_back();
    if (node != root) {
      if (node->type != GUMBO_NODE_ELEMENT || (content && IsAroundContent(node))) continue;
      elements.push_back(node);
    }
    if (const GumboVector* children = ChildrenOf(node))
      for (unsigned i = children->length; i-- > 0;) stack.push_back(Child(children, i));
  }
  return elements;
}

class Page {
 public:
  explicit Page(std::string_view html) {
    options_.max_errors = 0;
    output_ = gumbo_parse_with_options(&options_, html.data(), html.size());
    all_ = ElementsOf(output_->document, false);
    content_ = ElementsOf(output_->document, true);
  }
  ~Page() { gumbo_destroy_output(&options_, output_); }
  Page(const Page&) = delete;
  Page& operator=(const Page&) = delete;

  const GumboNode* root() const { return output_->document; }
  const Nodes& all() const { return all_; }
  const Nodes& content() const { return content_; }

 private:
  GumboOptions options_ = kGumboDefaultOptions;
  GumboOutput* output_ = nullptr;
  Nodes all_, content_;
};

void Add(ImportedFaq& faq, std::string question, std::string answer) {
  if (Trim(question).empty()) return;
  faq.questions.push_back(ImportedQuestion{std::move(question), AnswerLines(answer), kAsIs});
}

// --- Structured data -------------------------------------------------------------------------

bool IsType(const nlohmann::json& node, std::string_view type) {
  const auto found = node.find("@type");
  if (found == node.end()) return false;
  if (found->is_string()) return found->get<std::string>() == type;
  if (found->is_array())
    for (const auto& each : *found)
      if (each.is_string() && each.get<std::string>() == type) return true;
  return false;
}

std::string StringOf(const nlohmann::json& node, const char* key) {
  const auto found = node.find(key);
  return found != node.end() && found->is_string() ? found->get<std::string>() : std::string();
}

void AddJsonQuestion(ImportedFaq& faq, const nlohmann::json& question) {
  if (!question.is_object() || !IsType(question, "Question")) return;
  std::string answer;
  for (const char* key : {"acceptedAnswer", "suggestedAnswer"}) {
    const auto found = question.find(key);
    if (found == question.end() || !answer.empty()) continue;
    const nlohmann::json& first = found->is_array() && !found->empty() ? found->front() : *found;
    if (first.is_object()) answer = StringOf(first, "text");
  }
  Add(faq, SafeHtml(StringOf(question, "name")), SafeHtml(answer));
}

// FAQPage objects anywhere in the data (a list, an @graph, nested values), iteratively.
void FindFaqPages(const nlohmann::json& data, ImportedFaq& faq) {
  std::vector<const nlohmann::json*> stack{&data};
  while (!stack.empty()) {
    const nlohmann::json& node = *stack.back();
    stack.pop_back();
    if (node.is_object() && IsType(node, "FAQPage")) {
      const auto entities = node.find("mainEntity");
      if (entities != node.end()) {
        if (entities->is_array())
          for (const auto& question : *entities) AddJsonQuestion(faq, question);
        else
          AddJsonQuestion(faq, *entities);
      }
      continue;
    }
    if (node.is_structured())
      for (const auto& child : node) stack.push_back(&child);
  }
}

ImportedFaq FromJsonLd(const Page& page) {
  ImportedFaq faq;
  for (const GumboNode* node : page.all()) {
    if (!IsElement(node, GUMBO_TAG_SCRIPT) ||
        LowerAscii(AttributeOf(node, "type")) != "application/ld+json")
      continue;
    const GumboVector& children = node->v.element.children;
    if (children.length == 0 || Child(&children, 0)->type != GUMBO_NODE_TEXT) continue;
    const nlohmann::json data =
        ParseBoundedJson(std::string_view(Child(&children, 0)->v.text.text));
    if (!data.is_discarded()) FindFaqPages(data, faq);
  }
  return faq;
}

bool HasItemType(const GumboNode* node, std::string_view type) {
  const std::string_view item_type = AttributeOf(node, "itemtype");
  return item_type.ends_with("schema.org/" + std::string(type));
}

// The first element under `node` (itself excluded) whose itemprop is `property`.
const GumboNode* ItemProperty(const GumboNode* node, std::string_view property) {
  for (const GumboNode* each : ElementsOf(node, false))
    if (AttributeOf(each, "itemprop") == property) return each;
  return nullptr;
}

ImportedFaq FromMicrodata(const Page& page) {
  ImportedFaq faq;
  for (const GumboNode* node : page.all()) {
    if (!HasItemType(node, "Question")) continue;
    const GumboNode* name = ItemProperty(node, "name");
    const GumboNode* answer = ItemProperty(node, "acceptedAnswer");
    const GumboNode* text = answer != nullptr ? ItemProperty(answer, "text") : nullptr;
    if (name == nullptr) continue;
    Add(faq, ReadableHtmlText(name), text != nullptr ? SafeInnerHtml(text) : std::string());
  }
  return faq;
}

// --- Page structure --------------------------------------------------------------------------

ImportedFaq FromDetails(const Page& page) {
  ImportedFaq faq;
  for (const GumboNode* node : page.content()) {
    if (ElementName(node) != "details") continue;
    const GumboVector& children = node->v.element.children;
    const GumboNode* summary = nullptr;
    for (unsigned i = 0; i < children.length && summary == nullptr; ++i)
      if (ElementName(Child(&children, i)) == "summary") summary = Child(&children, i);
    if (summary == nullptr) continue;
    std::string answer;
    AppendSafeHtmlBetween(answer, node, summary, nullptr, &IsAroundContent);
    Add(faq, ReadableHtmlText(summary), answer);
  }
  return faq;
}

ImportedFaq FromDefinitionLists(const Page& page) {
  ImportedFaq faq;
  for (const GumboNode* node : page.content()) {
    if (!IsElement(node, GUMBO_TAG_DL)) continue;
    // A <div> may wrap each group of a list.
    Nodes items;
    const GumboVector& children = node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
      const GumboNode* child = Child(&children, i);
      if (IsElement(child, GUMBO_TAG_DIV)) {
        for (unsigned j = 0; j < child->v.element.children.length; ++j)
          items.push_back(Child(&child->v.element.children, j));
      } else {
        items.push_back(child);
      }
    }
    std::string question, answer;
    bool answered = false;
    for (const GumboNode* item : items) {
      if (IsElement(item, GUMBO_TAG_DT)) {
        if (answered) Add(faq, std::exchange(question, {}), std::exchange(answer, {}));
        answered = false;
        if (!question.empty()) question += ' ';
        question += ReadableHtmlText(item);
      } else if (IsElement(item, GUMBO_TAG_DD) && !question.empty()) {
        if (!answer.empty()) answer += "\n";
        answer += SafeInnerHtml(item);
        answered = true;
      }
    }
    if (!question.empty()) Add(faq, question, answer);
  }
  return faq;
}

bool IsEmphasis(const GumboNode* node) {
  return IsElement(node, GUMBO_TAG_B) || IsElement(node, GUMBO_TAG_STRONG) ||
         IsElement(node, GUMBO_TAG_EM) || IsElement(node, GUMBO_TAG_I);
}

// List items that open with an emphasised question: <li><em>Question?</em><p>Answer</p></li>.
ImportedFaq FromEmphasisedItems(const Page& page) {
  ImportedFaq faq;
  for (const GumboNode* node : page.content()) {
    if (!IsElement(node, GUMBO_TAG_LI)) continue;
    const GumboVector& children = node->v.element.children;
    const GumboNode* first = nullptr;
    for (unsigned i = 0; i < children.length && first == nullptr; ++i)
      if (Child(&children, i)->type != GUMBO_NODE_WHITESPACE) first = Child(&children, i);
    if (first == nullptr || !IsEmphasis(first)) continue;
    std::string answer;
    AppendSafeHtmlBetween(answer, node, first, nullptr, &IsAroundContent);
    if (Trim(answer).empty()) continue;  // a list of emphasised words, not of questions
    Add(faq, ReadableHtmlText(first), answer);
  }
  return faq;
}

int HeadingLevel(const GumboNode* node) {
  if (node->type != GUMBO_NODE_ELEMENT) return 0;
  switch (node->v.element.tag) {
    case GUMBO_TAG_H1:
      return 1;
    case GUMBO_TAG_H2:
      return 2;
    case GUMBO_TAG_H3:
      return 3;
    case GUMBO_TAG_H4:
      return 4;
    case GUMBO_TAG_H5:
      return 5;
    case GUMBO_TAG_H6:
      return 6;
    default:
      return 0;
  }
}

// The answers of `questions` (in document order): what lies between each and the next of
// `questions` and `ends`.
void AddBetween(ImportedFaq& faq, const Page& page, const Nodes& questions, const Nodes& ends) {
  const std::vector<std::string> answers =
      SafeHtmlAfterEach(page.root(), questions, ends, &IsAroundContent);
  for (std::size_t i = 0; i < questions.size(); ++i)
    Add(faq, ReadableHtmlText(questions[i]), answers[i]);
}

ImportedFaq FromHeadings(const Page& page) {
  ImportedFaq faq;
  Nodes headings;
  std::map<int, std::size_t> counts;
  for (const GumboNode* node : page.content())
    if (const int level = HeadingLevel(node)) {
      headings.push_back(node);
      ++counts[level];
    }
  if (headings.empty()) return faq;
  std::size_t first = 0;
  if (counts.begin()->second == 1 && HeadingLevel(headings.front()) == counts.begin()->first &&
      counts.size() > 1) {
    faq.title = ReadableHtmlText(headings.front());
    first = 1;
    counts.erase(counts.begin());
  }
  int level = counts.begin()->first;
  for (const auto& [each, count] : counts)
    if (count > counts[level]) level = each;
  Nodes questions, ends;
  for (std::size_t i = first; i < headings.size(); ++i) {
    const int each = HeadingLevel(headings[i]);
    if (each <= level) ends.push_back(headings[i]);
    if (each == level) questions.push_back(headings[i]);
  }
  AddBetween(faq, page, questions, ends);
  return faq;
}

bool IsBold(const GumboNode* node) {
  return IsElement(node, GUMBO_TAG_B) || IsElement(node, GUMBO_TAG_STRONG);
}

// A bold text that only numbers what follows it ("1.1.", "(3)").
bool IsNumberLabel(const GumboNode* node) {
  const std::string text = ReadableHtmlText(node);
  return text.find_first_not_of("0123456789.:()[] ") == std::string::npos;
}

// The bold question a link target names: the target itself or the bold element around it, else
// the first bold element that follows it closely in the page (a few elements on, past a number
// label, as DocBook's question and answer tables put it).
const GumboNode* BoldAt(const Nodes& content, std::size_t at) {
  const GumboNode* target = content[at];
  if (IsBold(target)) return target;
  if (target->parent != nullptr && IsBold(target->parent)) return target->parent;
  constexpr std::size_t kNear = 12;
  for (std::size_t i = at + 1; i < content.size() && i <= at + kNear; ++i)
    if (IsBold(content[i]) && !IsNumberLabel(content[i])) return content[i];
  return nullptr;
}

ImportedFaq FromLinkedBold(const Page& page) {
  ImportedFaq faq;
  std::set<std::string, std::less<>> targets;
  for (const GumboNode* node : page.all()) {
    // "#name", or "page.html#name" as pages written by tools name themselves; a fragment of
    // another page names nothing here and does no harm.
    const std::string_view href = AttributeOf(node, "href");
    const std::size_t hash = href.find('#');
    if (IsElement(node, GUMBO_TAG_A) && hash != std::string_view::npos && hash + 1 < href.size() &&
        href.substr(0, hash).find(':') == std::string_view::npos)
      targets.emplace(href.substr(hash + 1));
  }
  if (targets.empty()) return faq;
  // An answer ends where the next question's target is, before any number label.
  Nodes questions, ends;
  std::set<const GumboNode*> seen;
  const Nodes& content = page.content();
  for (std::size_t i = 0; i < content.size(); ++i) {
    const GumboNode* node = content[i];
    const std::string_view id = AttributeOf(node, "id");
    const std::string_view name = IsElement(node, GUMBO_TAG_A) ? AttributeOf(node, "name") : "";
    if (!(targets.contains(id) || targets.contains(name)) || (id.empty() && name.empty())) continue;
    const GumboNode* bold = BoldAt(content, i);
    if (bold == nullptr || !seen.insert(bold).second) continue;
    questions.push_back(bold);
    ends.push_back(bold);
    if (node != bold) ends.push_back(node);
  }
  AddBetween(faq, page, questions, ends);
  return faq;
}

std::string PageTitle(const Page& page) {
  for (const GumboNode* node : page.all())
    if (IsElement(node, GUMBO_TAG_TITLE)) return ReadableHtmlText(node);
  return {};
}

}  // namespace

ImportedFaq ReadHtmlFaq(std::string_view html) {
  if (HtmlNestingDepth(html) > kHtmlNestingLimit)
    throw Error(messages::HtmlNestedTooDeeply(kHtmlNestingLimit));
  const Page page(html);
  ImportedFaq faq = FromJsonLd(page);
  if (faq.questions.empty()) faq = FromMicrodata(page);
  if (faq.questions.empty()) {
    for (const auto& read : {&FromDetails, &FromDefinitionLists, &FromLinkedBold,
                             &FromEmphasisedItems, &FromHeadings}) {
      ImportedFaq found = read(page);
      if (found.questions.size() > faq.questions.size()) faq = std::move(found);
    }
  }
  if (faq.title.empty()) faq.title = PageTitle(page);
  return faq;
}

}  // namespace quorella
