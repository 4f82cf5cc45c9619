#include "update/update_messages.h"

#include "update/version_compare.h"
#include "util/text_lines.h"

namespace quorella {

std::string AppVersionCaption(std::string_view file_version) {
  return "Version " + std::string(file_version);
}

std::string ConfirmCheckText() {
  return "You are about to check for the latest version.\r\n"
         " You must be connected to the internet for this.\r\n"
         "\r\n"
         "Do you wish to continue?";
}

std::string NewVersionFoundLine(std::string_view published_version) {
  return "A newer version has been found (v" + std::string(published_version) + ")";
}

std::string NewVersionText(std::string_view published_version) {
  return NewVersionFoundLine(published_version) + "\r\n\r\nWould you like to read about it?";
}

std::vector<std::string> LatestVersionLines(std::string_view published_version) {
  std::vector<std::string> lines{"The latest version is " + std::string(published_version) + "."};
  if (published_version != kUnknownVersion)
    lines.emplace_back("You already have the latest version.");
  return lines;
}

std::string LatestVersionText(std::string_view published_version) {
  std::string text = JoinLinesCrLf(LatestVersionLines(published_version));
  text.resize(text.size() - kCrLf.size());  // no line break after the last line
  return text;
}

std::string CouldNotReach(std::string_view address, std::string_view reason) {
  return "Could not reach " + std::string(address) + " (" + std::string(reason) + ").";
}

}  // namespace quorella
