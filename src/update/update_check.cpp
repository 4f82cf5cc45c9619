#include "update/update_check.h"

#include "util/vendor_site.h"

#include <cstdlib>

#include "update/body_stream.h"
#include "update/http_fetch.h"
#include "update/update_info.h"
#include "update/version_compare.h"
#include "util/file_io.h"
#include "util/paths.h"

namespace quorella {

namespace {

// Removes the version file however the check ends once the file exists.
class RemovedAtEnd {
 public:
  explicit RemovedAtEnd(std::string path) : path_(std::move(path)) {}
  ~RemovedAtEnd() {
    RemoveFile(path_);  // a file that is not there needs no removing
  }
  RemovedAtEnd(const RemovedAtEnd&) = delete;
  RemovedAtEnd& operator=(const RemovedAtEnd&) = delete;

 private:
  std::string path_;
};

// The version file holds a few short lines; a server that sends more is not a vendor site, and
// its answer is not kept.
constexpr std::size_t kLargestVersionFile = 64 * 1024;

struct VersionFileTooLarge {};

// Passes at most kLargestVersionFile bytes on; more ends the fetch.
class CappedBodyStream : public BodyStream {
 public:
  explicit CappedBodyStream(BodyStream& inner) : inner_(inner) {}
  void Write(std::string_view chunk) override {
    if (chunk.size() > kLargestVersionFile - written_) throw VersionFileTooLarge{};
    written_ += chunk.size();
    inner_.Write(chunk);
  }

 private:
  BodyStream& inner_;
  std::size_t written_ = 0;
};

}  // namespace

std::string SiteAddress() {
  return VendorSiteAddress();
}

std::string UpgradesAddress(std::string_view site) {
  return std::string(site) + "upgrades.txt";
}

std::string WhatsNewAddress(std::string_view site) {
  return std::string(site) + std::string(kShortName) + "/whatsnew.shtml";
}

UpdateCheckResult IsNewCurrentVersion(std::string_view title, std::string_view version_caption,
                                      const std::string& app_dir, const std::string& site,
                                      const FetchOptions& options) {
  const std::string current = CurrentVersionFromCaption(version_caption);
  const std::string version_file = IncludeTrailingSlash(app_dir) + std::string(kVersionFileName);
  std::string update_info;
  std::string fetch_error;
  CreateFolderOf(version_file);
  {
    FileBodyStream stream(version_file);
    const RemovedAtEnd removal(version_file);
    CappedBodyStream capped(stream);
    bool complete = false;
    try {
      const FetchResult fetched = FetchToStream(UpgradesAddress(site), capped, options);
      if (fetched.error) fetch_error = fetched.error->what();
      complete = !fetched.error && fetched.status_code == 200;
    } catch (const VersionFileTooLarge&) {
      // Reached, but what came is no version file: the version stays unknown.
    }
    stream.Close();
    // What a failed, cut or timed-out fetch left is never read: it finds no product line.
    if (complete) update_info = ReadWholeFileAtMost(version_file, kLargestVersionFile).value_or("");
  }
  UpdateCheckResult result;
  result.published_version = PublishedVersion(update_info, title);
  result.newer = IsNewerVersion(result.published_version, current);
  result.fetch_error = std::move(fetch_error);
  return result;
}

}  // namespace quorella
