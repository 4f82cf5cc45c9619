#include "update/update_info.h"

#include "update/version_compare.h"
#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

std::string FindProductLine(std::string_view update_info, std::string_view title) {
  const std::string name = LowerAscii(title);
  std::string product_line;
  bool found = false;
  ForEachLine(update_info, [&](std::string_view raw) {
    if (found) return;
    std::string line = Trim(LowerAscii(raw));
    if (!line.empty() && line.starts_with(name)) {
      product_line = std::move(line);
      found = true;
    }
  });
  return product_line;
}

std::string PublishedVersion(std::string_view update_info, std::string_view title) {
  const std::string line = FindProductLine(update_info, title);
  if (line.empty()) return std::string(kUnknownVersion);
  return Trim(std::string_view(line).substr(title.size()));
}

}  // namespace quorella
