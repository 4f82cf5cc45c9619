#include "html/banner.h"

#include "util/text_lines.h"
#include "util/vendor_site.h"

namespace quorella::html {

namespace {

// The link pieces as the program keeps them: every character code raised by kShift. The first
// holds the text in front of the link and the link's opening up to its address, which stands
// where kSiteMarker is; the second the link's visible text and the closing tags.
constexpr int kShift = 5;
constexpr std::string_view kShiftedLinkOpening = "KFV%hwjfyji%|nym%AF%MWJKB'*x'";
constexpr std::string_view kShiftedLinkText = "VztwjqqfA4FCA4KTSYC";
constexpr std::string_view kSiteMarker = "%s";

}  // namespace

std::string ShiftCharacterCodes(std::string_view text, int amount) {
  std::string shifted(text);
  for (char& c : shifted) c = static_cast<char>(static_cast<unsigned char>(c) + amount);
  return shifted;
}

std::string BuildBanner(std::string_view site_address) {
  std::string opening = ShiftCharacterCodes(kShiftedLinkOpening, -kShift);
  opening.replace(opening.find(kSiteMarker), kSiteMarker.size(), site_address);

  std::string banner = "<DIV ALIGN=\"right\"><HR WIDTH=\"200\">";
  banner += kCrLf;
  banner +=
      "<FONT STYLE=\"color: black; font-family: Arial, Helvetica, sans-serif; font-size: 12px; "
      "font-style: italic;\">";
  banner += kCrLf;
  banner += opening;
  banner += " onMouseOver=\"window.status='Quorella'; return true\"";
  banner += " STYLE=\"background-color: Maroon; color: Yellow;";
  banner += " font-family: Arial, Helvetica, sans-serif;";
  banner += " font-weight: bold;";
  banner += " font-style: italic; text-align: right;";
  banner += " text-decoration: none;\" TITLE=\"Quorella HomePage\">";
  banner += kCrLf;
  banner += ShiftCharacterCodes(kShiftedLinkText, -kShift);
  banner += "</DIV>";
  return banner;
}

std::string BuildBanner() {
  return BuildBanner(VendorSiteAddress());
}

}  // namespace quorella::html
