#pragma once
// What every operation of a run needs to find its data: the settings store, the application key in
// force, the application directory and the default output folder.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/settings.h"

namespace quorella {

class AppContext {
 public:
  // An empty `output_dir` makes the application directory the default output folder too, as a
  // home named by $QUORELLA_HOME does.
  AppContext(std::string database_path, std::string app_dir, bool test_key,
             std::string output_dir = {});
  // The store, key and folders the environment names ($XDG_CONFIG_HOME, $QUORELLA_HOME,
  // $XDG_DATA_HOME, the user's documents folder).
  static AppContext FromEnvironment(bool test_key);

  Settings& settings() { return settings_; }
  const Settings& settings() const { return settings_; }
  const std::string& app_key() const { return app_key_; }
  const std::string& app_dir() const { return app_dir_; }
  const std::string& output_dir() const { return output_dir_; }
  bool test_key() const { return test_key_; }
  // What the run must tell the user once: FAQs that the conversion of a store of the earlier
  // version renamed (store/renamed_faqs.h). Emptied by the call.
  std::vector<std::string> TakeNotices();

  std::string FaqsKey() const;
  std::string FaqKey(std::string_view faq_name) const;
  std::string DocumentPath(std::string_view faq_name) const;

 private:
  Settings settings_;
  std::string app_dir_;
  std::string output_dir_;
  std::string app_key_;
  bool test_key_;
  // Shared with the store's handler of renamed keys, which outlives a move of the context.
  std::shared_ptr<std::vector<std::string>> notices_ = std::make_shared<std::vector<std::string>>();
};

}  // namespace quorella
