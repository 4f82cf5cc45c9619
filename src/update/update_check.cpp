#include "update/update_check.h"

#include "util/vendor_site.h"

#include <cstdlib>

#include "update/body_stream.h"
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
    if (FileExists(path_)) RemoveFile(path_);
  }
  RemovedAtEnd(const RemovedAtEnd&) = delete;
  RemovedAtEnd& operator=(const RemovedAtEnd&) = delete;

 private:
  std::string path_;
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
    const FetchResult fetched = FetchToStream(UpgradesAddress(site), stream, options);
    if (fetched.error) fetch_error = fetched.error->what();
    stream.Close();
    update_info = ReadFileIfExists(version_file).value_or(std::string());
  }
  UpdateCheckResult result;
  result.published_version = PublishedVersion(update_info, title);
  result.newer = IsNewerVersion(result.published_version, current);
  result.fetch_error = std::move(fetch_error);
  return result;
}

}  // namespace quorella
