#pragma once
// The texts of the "Check for updates" dialogs; the window only shows them.
#include <string>
#include <string_view>
#include <vector>

namespace quorella {

// The about panel's version label: "Version " followed by the file version.
std::string AppVersionCaption(std::string_view file_version);

inline constexpr std::string_view kConfirmCheckCaption = "Check for latest version?";
// Three lines (the second begins with a blank), an empty one, and the question.
std::string ConfirmCheckText();

inline constexpr std::string_view kNewVersionCaption = "New Version Found";
// "A newer version has been found (vX)"
std::string NewVersionFoundLine(std::string_view published_version);
// That line, an empty one, and the offer to read about it.
std::string NewVersionText(std::string_view published_version);

// "The latest version is X." and, unless X is "unknown", "You already have the latest version.".
std::vector<std::string> LatestVersionLines(std::string_view published_version);
// Those lines joined by CR LF, as the result box shows them.
std::string LatestVersionText(std::string_view published_version);

// Why the version is unknown when the site could not be asked: "Could not reach ADDRESS (REASON)."
std::string CouldNotReach(std::string_view address, std::string_view reason);

// The status text while the check runs.
inline constexpr std::string_view kCheckingForUpdates = "Checking for a newer version...";

}  // namespace quorella
