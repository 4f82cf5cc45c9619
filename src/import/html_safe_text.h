#pragma once
// Parsed HTML (gumbo's tree) written back as text without what could run a script: script,
// style, noscript and template elements, comments, event attributes ("on...") and addresses with
// a "javascript:" or "vbscript:" scheme are left out. Links relative to the page stay as written.
#include <gumbo.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorella {

// The element's tag name in lower case (custom elements too); empty for other nodes.
std::string ElementName(const GumboNode* node);
bool IsElement(const GumboNode* node, GumboTag tag);
// The children of a document or element; nullptr for other nodes.
const GumboVector* ChildrenOf(const GumboNode* node);
// The value of the attribute `name`, empty when the element has none.
std::string_view AttributeOf(const GumboNode* node, const char* name);

// Whether a subtree is left out of what is written (besides the elements that are always left
// out).
using SkipNode = std::function<bool(const GumboNode*)>;

// Appends, in document order under `root`, what lies after the end of `from` (nullptr: from the
// start of `root`'s content) and before the start of `to` (nullptr: to the end of `root`).
// Elements cut by `to` are closed where it starts. `root` itself is not written.
void AppendSafeHtmlBetween(std::string& out, const GumboNode* root, const GumboNode* from,
                           const GumboNode* to, const SkipNode& skip);
// The same for many questions in one walk: for each of `questions` (in document order), what lies
// after its end and before the start of the next node that is one of `questions` or `ends`.
std::vector<std::string> SafeHtmlAfterEach(const GumboNode* root,
                                           const std::vector<const GumboNode*>& questions,
                                           const std::vector<const GumboNode*>& ends,
                                           const SkipNode& skip);
// The content of `node`, written safely.
std::string SafeInnerHtml(const GumboNode* node);

// The text a reader sees in `node`: every run of white space one space, none at either end, with
// "&", "<" and ">" as entities, so that it can stand in HTML.
std::string ReadableHtmlText(const GumboNode* node);

// A piece of HTML made safe (parsed and written back): for answers taken from structured data.
std::string SafeHtml(std::string_view html);

}  // namespace quorella
