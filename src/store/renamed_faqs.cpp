#include "store/renamed_faqs.h"

#include "store/settings.h"
#include "store/values.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/folder_lock.h"
#include "util/strings.h"
#include "util/sys_io.h"

namespace quorella {

namespace {

// The FAQ's name when `path` is a FAQ key of either application key; empty otherwise.
std::string FaqNameOf(Root root, const std::string& path) {
  if (root != Root::CurrentUser) return {};
  for (const bool test_key : {false, true}) {
    const std::string faqs = FaqsKey(ApplicationKey(test_key)) + "\\";
    if (path.size() > faqs.size() && EqualsNoCase(path.substr(0, faqs.size()), faqs) &&
        path.find('\\', faqs.size()) == std::string::npos)
      return path.substr(faqs.size());
  }
  return {};
}

}  // namespace

std::vector<std::string> FollowRenamedFaqs(const std::string& app_dir,
                                           const std::vector<RenamedKey>& renames) {
  std::vector<std::string> notices;
  for (const RenamedKey& renamed : renames) {
    const std::string before = FaqNameOf(renamed.root, renamed.before);
    const std::string after = FaqNameOf(renamed.root, renamed.after);
    if (before.empty() || after.empty()) continue;
    try {
      const FolderLock lock(app_dir);
      const std::string from = DocumentPath(app_dir, before), to = DocumentPath(app_dir, after);
      if (FileExists(from) && !FileExists(to) && sys::Rename(from, to) != 0)
        throw Error(messages::CannotReplaceFile(to, messages::SystemReason(errno)));
    } catch (const Error& e) {
      notices.push_back(e.what());
    }
    notices.push_back(messages::FaqRenamed(before, after));
  }
  return notices;
}

}  // namespace quorella
