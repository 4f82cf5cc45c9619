#include "store/app_context.h"

#include <utility>

#include "store/renamed_faqs.h"
#include "store/values.h"
#include "util/paths.h"

namespace quorella {

AppContext::AppContext(std::string database_path, std::string app_dir, bool test_key,
                       std::string output_dir)
    : settings_(std::move(database_path)),
      app_dir_(IncludeTrailingSlash(app_dir)),
      output_dir_(output_dir.empty() ? app_dir_ : IncludeTrailingSlash(output_dir)),
      app_key_(ApplicationKey(test_key)),
      test_key_(test_key) {
  settings_.registry().OnKeysRenamed(
      [app_dir = app_dir_, notices = notices_](const std::vector<RenamedKey>& renames) {
        for (std::string& notice : FollowRenamedFaqs(app_dir, renames))
          notices->push_back(std::move(notice));
      });
}

std::vector<std::string> AppContext::TakeNotices() {
  return std::exchange(*notices_, {});
}

AppContext AppContext::FromEnvironment(bool test_key) {
  return AppContext(SettingsDatabasePath(), ApplicationDirectory(), test_key,
                    DefaultOutputDirectory());
}

std::string AppContext::FaqsKey() const {
  return quorella::FaqsKey(app_key_);
}
std::string AppContext::FaqKey(std::string_view faq_name) const {
  return quorella::FaqKey(app_key_, faq_name);
}
std::string AppContext::DocumentPath(std::string_view faq_name) const {
  return quorella::DocumentPath(app_dir_, faq_name);
}

}  // namespace quorella
