#include "html/page_names.h"

#include "util/paths.h"

namespace quorella::html {

PageNames::PageNames(const FaqValues& values)
    : directory_(IncludeTrailingSlash(values.Text(FaqValue::Directory))),
      prefix_(values.Text(FaqValue::AnswerSubPagePrefix)),
      extension_(values.Text(FaqValue::DocumentExt)) {}

std::string PageNames::SubPage(std::size_t n) const {
  return prefix_ + std::to_string(n) + "." + extension_;
}

std::string StartPagePath(const FaqValues& values) {
  return PageNames(values).Path(values.Text(FaqValue::StartPage));
}

}  // namespace quorella::html
