#pragma once
// Where the files of a page set go: the output directory (given a trailing '/' unless it has one;
// an empty directory stays empty) followed by the file name. The start, question and answers page
// names are used as typed; only the answer sub-pages take the page extension.
#include <cstddef>
#include <string>
#include <string_view>

#include "store/values.h"

namespace quorella::html {

class PageNames {
 public:
  explicit PageNames(const FaqValues& values);

  // Answer sub-page n: prefix + n + "." + extension (sub-page 0 greets in the answer frame).
  std::string SubPage(std::size_t n) const;
  std::string Path(std::string_view file_name) const { return directory_ + std::string(file_name); }

 private:
  std::string directory_;
  std::string prefix_;
  std::string extension_;
};

// Refuses, before anything is written, a page set whose file names are not plain file names (a
// "/", "." or "..", nothing at all) or would replace a FAQ document (a ".dat" file in the folder of
// `document_path`) or the settings store: "The page name ... cannot be used...".
void CheckPageNames(const FaqValues& values, std::string_view document_path);

// The start page as "View in browser" opens it.
std::string StartPagePath(const FaqValues& values);

}  // namespace quorella::html
