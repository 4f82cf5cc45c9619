// fetch, check-update: the program's own HTTP client and the check for a newer version.
#include "cli/cli_app.h"
#include "quorella/version_info.h"
#include "update/http_fetch.h"
#include "update/update_check.h"
#include "update/update_messages.h"
#include "util/errors.h"

namespace quorella::cli {

namespace {

struct Args {
  std::string url, file;
};

void PrintOutcome(const FetchResult& result) {
  PrintLine("StatusCode: " + std::to_string(result.status_code));
  PrintLine("ReasonPhrase: " + result.reason_phrase);
  PrintLine("ContentLength: " + std::to_string(result.content_length));
}

void Fetch(const Args& args) {
  FetchResult result;
  try {
    result = FetchToFile(args.url, args.file);
  } catch (const FetchFailure& failure) {
    // The outcome lines come whenever a request was made, also when the file could not be written.
    PrintOutcome(failure.result());
    throw;
  }
  PrintOutcome(result);
  if (result.error)
    throw Error(messages::HttpErrorLine(result.error->ErrorCode(), result.error->what()));
}

void CheckUpdate(RunState& state) {
  const std::string site = SiteAddress();
  const UpdateCheckResult result = IsNewCurrentVersion(
      kApplicationTitle, AppVersionCaption(version::kFileVersion), state.context().app_dir(), site);
  if (result.newer) {
    PrintLine(NewVersionFoundLine(result.published_version));
    PrintLine(WhatsNewAddress(site));
    return;
  }
  for (const auto& line : LatestVersionLines(result.published_version)) PrintLine(line);
}

void RegisterUpdateCommands(CLI::App& app, RunState& state) {
  auto args = std::make_shared<Args>();
  auto* fetch = AddCommand(app, "fetch", "one HTTP GET of URL into FILE; shows the outcome",
                           [args] { Fetch(*args); });
  fetch->add_option("URL", args->url)->required();
  fetch->add_option("FILE", args->file)->required();
  AddCommand(app, "check-update", "check the vendor's site for a newer version",
             [&state] { CheckUpdate(state); });
}

const bool kRegistered = RegisterCommandGroup(80, &RegisterUpdateCommands);

}  // namespace

}  // namespace quorella::cli
