#pragma once
// Writing the page set of a FAQ: what "Go" runs, and the page "View in browser" opens.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "html/colour_text.h"
#include "html/page_names.h"
#include "store/faq.h"

namespace quorella::html {

struct GenerationObserver {
  // "Writing Start Page", then "Writing " + each sub-page's file name. The window shows it and
  // processes pending events so that it paints; the last text stays after the run.
  std::function<void(const std::string& text)> status;
  // Pages made or found unchanged out of the pages of the set: first (0, total), then after every
  // page.
  std::function<void(std::size_t done, std::size_t total)> progress;
  // The full path of each file once a reader can find it (not of pages found unchanged), in the
  // order of the set: once it is written, or, when Go builds a missing output folder aside, once
  // the whole set is in place. All three are called on the thread that runs the Go.
  std::function<void(const std::string& path)> written;
  // The full path of each file of the previous Go's set that this one no longer makes and removed
  // (a Modern set: pages of questions since deleted or renamed), once the set is written.
  std::function<void(const std::string& path)> removed;
};

// Writes the page set of `faq` as loaded: its values, its question list in memory, and the answer
// and fixed sections of its document, which is read once. Pages are made in the order of the
// style and layout and written by threads of their own (html/page_queue.h), each replaced whole; a
// file that already holds the page's bytes is left untouched. Classic sets leave files of earlier
// runs that they do not name; a Modern set removes those its previous run listed (html/manifest.h).
// Returns the full paths written, in order. A file that cannot be created or written stops the run
// with "Cannot create file \"PATH\". REASON"; the files before it remain.
std::vector<std::string> GeneratePages(
    const Faq& faq, std::string_view banner, const GenerationObserver& observer = {},
    const SystemColours& system_colours = ClassicSystemColours());

// "Go" without the browser: creates the output directory with its missing parents, then writes
// the page set. An output directory that does not exist yet is built whole under a scratch name
// beside it and renamed into place, so it appears with the whole set or not at all (a run that
// fails leaves no folder, and a crash only the scratch folder, which a later Go removes). An empty
// Directory fails with "Unable to create directory" before anything is written; any other
// directory that cannot be made shows as the first file that cannot be created.
std::vector<std::string> Go(const Faq& faq, std::string_view banner,
                            const GenerationObserver& observer = {},
                            const SystemColours& system_colours = ClassicSystemColours());

// Go for the FAQ `name` as it is stored, as quorella-cli generate runs it: the stored values and
// the document's bytes are read first, and only when the list beside the pages says that the set
// they make is not there as written is the document decoded and the FAQ's lists filled (LoadFaq).
// A missing document is created empty first, as LoadFaq does.
struct StoredGo {
  FaqValues values;                  // what the pages were made with
  std::vector<std::string> written;  // as Go returns them
};
StoredGo GoStoredFaq(const AppContext& context, std::string_view name, std::string_view banner,
                     const GenerationObserver& observer = {},
                     const SystemColours& system_colours = ClassicSystemColours());

}  // namespace quorella::html
