#pragma once
// Where the files of a page set go: the output directory (given a trailing '/' unless it has one;
// an empty directory stays empty) followed by the file name. The start, question and answers page
// names are used as typed; only the answer sub-pages take the page extension.
#include <charconv>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/values.h"

namespace quorella::html {

// A number's decimal digits, made without a heap block: pages are numbered in every line that
// names one.
class Decimal {
 public:
  explicit Decimal(std::size_t n)
      : size_(static_cast<std::size_t>(std::to_chars(digits_, digits_ + sizeof digits_, n).ptr -
                                       digits_)) {}
  operator std::string_view() const { return {digits_, size_}; }
  std::size_t size() const { return size_; }

 private:
  char digits_[20];
  std::size_t size_;
};

class PageNames {
 public:
  explicit PageNames(const FaqValues& values);

  // Answer sub-page n: prefix + n + "." + extension (sub-page 0 greets in the answer frame).
  std::string SubPage(std::size_t n) const;
  std::string Path(std::string_view file_name) const;

 private:
  std::string directory_;
  std::string prefix_;
  std::string extension_;
};

// The pages whose names the settings give: the start page, with frames the question page and the
// page of all answers, with one page per answer the first answer's page.
std::vector<std::string> NamedPages(const FaqValues& values);

// Refuses, before anything is written, a page set whose file names are not plain file names (a
// "/", "." or "..", nothing at all) or would replace a FAQ document (a ".dat" file in the folder of
// `document_path`) or the settings store: "The page name ... cannot be used...".
void CheckPageNames(const FaqValues& values, std::string_view document_path);

// The start page as "View in browser" opens it.
std::string StartPagePath(const FaqValues& values);

}  // namespace quorella::html
