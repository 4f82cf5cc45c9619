#include "html/page_names.h"

#include <vector>

#include "html/style_fragments.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/paths.h"
#include "util/strings.h"

namespace quorella::html {

PageNames::PageNames(const FaqValues& values)
    : directory_(IncludeTrailingSlash(values.Text(FaqValue::Directory))),
      prefix_(values.Text(FaqValue::AnswerSubPagePrefix)),
      extension_(values.Text(FaqValue::DocumentExt)) {}

std::string PageNames::SubPage(std::size_t n) const {
  // Made in one string: a Go names every sub-page up to three times.
  const Decimal number(n);
  std::string name;
  name.reserve(prefix_.size() + number.size() + 1 + extension_.size());
  name.append(prefix_).append(std::string_view(number)).append(1, '.').append(extension_);
  return name;
}

std::string PageNames::Path(std::string_view file_name) const {
  std::string path;
  path.reserve(directory_.size() + file_name.size());
  path.append(directory_).append(file_name);
  return path;
}

namespace {

// A name that begins with "." is a hidden file's (a shell's profile, a list of the program's own)
// and never a page's.
bool IsPlainFileName(std::string_view name) {
  return !name.empty() && name.front() != '.' && name.find('/') == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}

}  // namespace

std::vector<std::string> NamedPages(const FaqValues& values) {
  std::vector<std::string> used = {values.Text(FaqValue::StartPage)};
  if (IsFramesLayout(values)) {
    used.push_back(values.Text(FaqValue::QuestionPageName));
    if (!IsOnePerPage(values)) used.push_back(values.Text(FaqValue::AnswerPageName));
  }
  if (IsOnePerPage(values)) used.push_back(PageNames(values).SubPage(1));
  return used;
}

void CheckPageNames(const FaqValues& values, std::string_view document_path) {
  const PageNames names(values);
  const std::string document_folder = DirectoryOf(document_path);
  const std::string settings = SettingsDatabasePath();
  for (const std::string& name : NamedPages(values)) {
    const std::string path = names.Path(name);
    const bool document = name.size() > 4 && EqualsNoCase(name.substr(name.size() - 4), ".dat") &&
                          SameFile(DirectoryOf(path).empty() ? "." : DirectoryOf(path),
                                   document_folder.empty() ? "." : document_folder);
    if (!IsPlainFileName(name) || document || SameFile(path, settings) ||
        SameFile(path, std::string(document_path)))
      throw Error(messages::PageNameRefused(name));
  }
}

std::string StartPagePath(const FaqValues& values) {
  return PageNames(values).Path(values.Text(FaqValue::StartPage));
}

}  // namespace quorella::html
