#pragma once
// How deeply the elements of an HTML text nest, told from its tags alone, before a parser sees it:
// an HTML5 tree builder slows down far faster than the nesting grows (100,000 levels take gumbo
// minutes), so a page nested deeper than any real one is refused up front.
#include <cstddef>
#include <string_view>

namespace quorella {

inline constexpr std::size_t kHtmlNestingLimit = 5000;

// The deepest nesting of start tags without their end tags. Void elements, self-closing tags and
// the elements whose end tag the parser supplies (p, li, dt, dd, tr, td, th, option ...) do not
// count; comments and the content of script, style and textarea elements are passed over.
std::size_t HtmlNestingDepth(std::string_view html);

}  // namespace quorella
