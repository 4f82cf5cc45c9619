#include "import/html_safe_text.h"

#include <cctype>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "util/strings.h"

namespace quorella {

namespace {

bool IsDropped(const GumboNode* node) {
  if (node->type == GUMBO_NODE_TEMPLATE) return true;
  if (node->type != GUMBO_NODE_ELEMENT) return node->type == GUMBO_NODE_COMMENT;
  const GumboTag tag = node->v.element.tag;
  return tag == GUMBO_TAG_SCRIPT || tag == GUMBO_TAG_STYLE || tag == GUMBO_TAG_NOSCRIPT;
}

bool IsVoid(const GumboNode* node) {
  switch (node->v.element.tag) {
    case GUMBO_TAG_AREA:
    case GUMBO_TAG_BASE:
    case GUMBO_TAG_BR:
    case GUMBO_TAG_COL:
    case GUMBO_TAG_EMBED:
    case GUMBO_TAG_HR:
    case GUMBO_TAG_IMG:
    case GUMBO_TAG_INPUT:
    case GUMBO_TAG_LINK:
    case GUMBO_TAG_META:
    case GUMBO_TAG_PARAM:
    case GUMBO_TAG_SOURCE:
    case GUMBO_TAG_TRACK:
    case GUMBO_TAG_WBR:
      return true;
    default:
      return false;
  }
}

void AppendEscaped(std::string& out, std::string_view text, bool attribute) {
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += attribute ? "<" : "&lt;";
        break;
      case '>':
        out += attribute ? ">" : "&gt;";
        break;
      case '"':
        out += attribute ? "&quot;" : "\"";
        break;
      default:
        out += c;
    }
  }
}

// An address that would run a script when followed.
bool IsScriptAddress(std::string_view value) {
  std::string bare;
  for (const char c : value)
    if (static_cast<unsigned char>(c) > ' ') bare += static_cast<char>(std::tolower(c));
  return bare.starts_with("javascript:") || bare.starts_with("vbscript:");
}

bool IsUnsafeAttribute(const GumboAttribute* attribute) {
  const std::string name = LowerAscii(attribute->name);
  if (name.starts_with("on") || name == "srcdoc") return true;
  return (name == "href" || name == "src" || name == "action" || name == "formaction" ||
          name == "xlink:href" || name == "data" || name == "poster") &&
         IsScriptAddress(attribute->value);
}

void AppendStartTag(std::string& out, const GumboNode* node) {
  out += '<';
  out += ElementName(node);
  const GumboVector& attributes = node->v.element.attributes;
  for (unsigned i = 0; i < attributes.length; ++i) {
    const auto* attribute = static_cast<const GumboAttribute*>(attributes.data[i]);
    if (IsUnsafeAttribute(attribute)) continue;
    out.append(" ").append(attribute->name).append("=\"");
    AppendEscaped(out, attribute->value, true);
    out += '"';
  }
  out += '>';
}

void AppendEndTag(std::string& out, const GumboNode* node) {
  out.append("</").append(ElementName(node)).append(">");
}

std::string_view TextOf(const GumboNode* node) {
  return node->v.text.text;
}

bool IsText(const GumboNode* node) {
  return node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE ||
         node->type == GUMBO_NODE_CDATA;
}

}  // namespace

std::string ElementName(const GumboNode* node) {
  if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE) return {};
  if (node->v.element.tag != GUMBO_TAG_UNKNOWN)
    return gumbo_normalized_tagname(node->v.element.tag);
  GumboStringPiece name = node->v.element.original_tag;
  gumbo_tag_from_original_text(&name);
  return LowerAscii(std::string_view(name.data, name.length));
}

const GumboVector* ChildrenOf(const GumboNode* node) {
  if (node->type == GUMBO_NODE_DOCUMENT) return &node->v.document.children;
  if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE)
    return &node->v.element.children;
  return nullptr;
}

bool IsElement(const GumboNode* node, GumboTag tag) {
  return node->type == GUMBO_NODE_ELEMENT && node->v.element.tag == tag;
}

std::string_view AttributeOf(const GumboNode* node, const char* name) {
  if (node->type != GUMBO_NODE_ELEMENT) return {};
  const GumboAttribute* attribute = gumbo_get_attribute(&node->v.element.attributes, name);
  return attribute == nullptr ? std::string_view() : std::string_view(attribute->value);
}

void AppendSafeHtmlBetween(std::string& out, const GumboNode* root, const GumboNode* from,
                           const GumboNode* to, const SkipNode& skip) {
  struct Frame {
    const GumboNode* node;
    unsigned next = 0;
    bool written = false;  // its start tag was written, so its end tag is owed
  };
  bool inside = from == nullptr;
  // Pages nest deeply: the walk keeps its own stack.
  std::vector<Frame> stack{{root}};
  while (!stack.empty()) {
    Frame& frame = stack.back();
    const GumboVector* children = ChildrenOf(frame.node);
    if (children == nullptr || frame.next >= children->length) {
      if (frame.written) AppendEndTag(out, frame.node);
      if (frame.node == from) inside = true;
      stack.pop_back();
      continue;
    }
    const auto* child = static_cast<const GumboNode*>(children->data[frame.next++]);
    if (child == to) {
      for (auto it = stack.rbegin(); it != stack.rend(); ++it)
        if (it->written) AppendEndTag(out, it->node);
      return;
    }
    if (IsText(child)) {
      if (inside) AppendEscaped(out, TextOf(child), false);
      continue;
    }
    if (IsDropped(child) || (skip && skip(child))) continue;
    if (child->type != GUMBO_NODE_ELEMENT) continue;
    const bool write = inside;
    if (write) AppendStartTag(out, child);
    if (IsVoid(child)) {
      if (child == from) inside = true;
      continue;
    }
    stack.push_back(Frame{child, 0, write});
  }
}

std::vector<std::string> SafeHtmlAfterEach(const GumboNode* root,
                                           const std::vector<const GumboNode*>& questions,
                                           const std::vector<const GumboNode*>& ends,
                                           const SkipNode& skip) {
  std::unordered_map<const GumboNode*, std::size_t> question_index;
  for (std::size_t i = 0; i < questions.size(); ++i) question_index.emplace(questions[i], i);
  const std::unordered_set<const GumboNode*> stops(ends.begin(), ends.end());
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::vector<std::string> answers(questions.size());
  struct Frame {
    const GumboNode* node;
    unsigned next = 0;
    std::size_t written_for = kNone;  // the answer its start tag went into
    std::size_t tag_at = 0;           // where in that answer
  };
  std::size_t current = kNone;
  // Ends the current answer, closing what it left open; an element opened with nothing in it yet
  // (the one that holds the next question) is taken out instead.
  const auto finish = [&](std::vector<Frame>& stack) {
    if (current == kNone) return;
    std::string& answer = answers[current];
    for (auto it = stack.rbegin(); it != stack.rend(); ++it)
      if (it->written_for == current) {
        if (answer.size() > it->tag_at && answer.back() == '>' &&
            answer.find('>', it->tag_at) == answer.size() - 1)
          answer.resize(it->tag_at);
        else
          AppendEndTag(answer, it->node);
        it->written_for = kNone;
      }
    current = kNone;
  };
  std::vector<Frame> stack{{root}};
  while (!stack.empty()) {
    Frame& frame = stack.back();
    const GumboVector* children = ChildrenOf(frame.node);
    if (children == nullptr || frame.next >= children->length) {
      const Frame left = frame;
      stack.pop_back();
      if (left.written_for != kNone && left.written_for == current)
        AppendEndTag(answers[current], left.node);
      if (const auto found = question_index.find(left.node); found != question_index.end())
        current = found->second;
      continue;
    }
    const auto* child = static_cast<const GumboNode*>(children->data[frame.next++]);
    if (stops.contains(child) || question_index.contains(child)) finish(stack);
    if (IsText(child)) {
      if (current != kNone) AppendEscaped(answers[current], TextOf(child), false);
      continue;
    }
    if (IsDropped(child) || (skip && skip(child))) continue;
    if (child->type != GUMBO_NODE_ELEMENT) continue;
    const std::size_t write = current;
    const std::size_t tag_at = write != kNone ? answers[write].size() : 0;
    if (write != kNone) AppendStartTag(answers[write], child);
    if (IsVoid(child)) {
      if (const auto found = question_index.find(child); found != question_index.end())
        current = found->second;
      continue;
    }
    stack.push_back(Frame{child, 0, write, tag_at});
  }
  return answers;
}

std::string SafeInnerHtml(const GumboNode* node) {
  std::string out;
  AppendSafeHtmlBetween(out, node, nullptr, nullptr, {});
  return out;
}

std::string ReadableHtmlText(const GumboNode* node) {
  std::string text;
  std::vector<const GumboNode*> stack{node};
  while (!stack.empty()) {
    const GumboNode* each = stack.back();
    stack.pop_back();
    if (IsText(each)) {
      text += TextOf(each);
      continue;
    }
    if (each != node && IsDropped(each)) continue;
    if (IsElement(each, GUMBO_TAG_BR)) text += ' ';
    if (const GumboVector* children = ChildrenOf(each))
      for (unsigned i = children->length; i-- > 0;)
        stack.push_back(static_cast<const GumboNode*>(children->data[i]));
  }
  std::string collapsed;
  bool space = false;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f') {
      space = !collapsed.empty();
      continue;
    }
    if (space) collapsed += ' ';
    space = false;
    collapsed += c;
  }
  std::string escaped;
  AppendEscaped(escaped, collapsed, false);
  return escaped;
}

std::string SafeHtml(std::string_view html) {
  GumboOptions options = kGumboDefaultOptions;
  options.max_errors = 0;
  const std::unique_ptr<GumboOutput, std::function<void(GumboOutput*)>> output(
      gumbo_parse_with_options(&options, html.data(), html.size()),
      [options](GumboOutput* parsed) { gumbo_destroy_output(&options, parsed); });
  const GumboNode* body = nullptr;
  const GumboVector& children = output->root->v.element.children;
  for (unsigned i = 0; i < children.length && body == nullptr; ++i)
    if (IsElement(static_cast<const GumboNode*>(children.data[i]), GUMBO_TAG_BODY))
      body = static_cast<const GumboNode*>(children.data[i]);
  return body == nullptr ? std::string() : SafeInnerHtml(body);
}

}  // namespace quorella
