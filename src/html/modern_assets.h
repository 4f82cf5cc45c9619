#pragma once
// The style sheet and the script of the Modern pages: two small files written beside the pages,
// so that a Content-Security-Policy of 'self' holds and the pages work offline and from file://.
#include <string>
#include <string_view>

#include "html/colour_text.h"
#include "store/values.h"

namespace quorella::html {

inline constexpr std::string_view kModernStyleSheetName = "quorella.css";
inline constexpr std::string_view kModernScriptName = "quorella.js";
// Browsers ask a site for an icon by themselves; naming one spares every page a failed request.
inline constexpr std::string_view kModernIconName = "quorella-icon.svg";

// The built-in light and dark palettes, or with UseMyColors the FAQ's own colours and background
// image and no dark variant; then the FAQ's font and size.
std::string ModernStyleSheet(const FaqValues& values, const SystemColours& system);

// Accordion, search, "/" to search, Expand all / Collapse all, deep links.
std::string_view ModernScript();

// A question mark on the link colour of the built-in palette.
std::string_view ModernIcon();

}  // namespace quorella::html
