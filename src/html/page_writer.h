#pragma once
// The one writer of a page set: it takes a plan (html/file_plan.h), skips each file whose
// fingerprint is the one the previous Go listed for it and whose file is still the one that Go
// wrote, makes the others and hands them to the writing threads (html/page_queue.h), records what
// it wrote in the list beside the pages, and removes what the previous Go wrote and this one no
// longer makes. It alone reads the previous run's files.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "html/file_plan.h"
#include "html/generator.h"
#include "html/intact_files.h"
#include "html/manifest.h"
#include "html/page_names.h"
#include "html/page_queue.h"
#include "util/file_io.h"

namespace quorella::html {

class PageWriter {
 public:
  // `previous` is the previous Go's list, which must outlive the writer; `looked`, when given, has
  // its files looked at already; `making` as for PageQueue. `total` files are to come.
  PageWriter(const PageNames& names, const OpenFolder& folder, const GenerationObserver& observer,
             std::size_t total, std::string manifest_name, std::string start_page,
             std::uint64_t inputs, const DocumentRecord& document, const Manifest& previous,
             IntactFiles* looked, PageQueue::Making making);
  // The previous list's entries go with the writer: the thread looking at their files stops
  // reading them first.
  ~PageWriter();
  PageWriter(const PageWriter&) = delete;
  PageWriter& operator=(const PageWriter&) = delete;

  void Status(const std::string& text) const;

  // Every file of the plan, in its order; then the list, with the stale files of the previous Go
  // removed first when `remove_stale` is given (it accepts the names the set may hold). Returns
  // the full paths written.
  std::vector<std::string> WritePlan(FilePlan& plan, const NameCheck* remove_stale);

 private:
  class Making;

  void Write(PlannedFile& file);
  // Waits until every page made is written; rethrows the failure of one that could not be.
  void Finish();
  // The list of this run, with `also` (entries of files the run could not remove) after it.
  void WriteManifest(const std::vector<ManifestEntry>& also);
  void Written(const PageQueue::Page& page);
  const ManifestEntry* Previous(std::string_view file_name);
  bool Intact(const ManifestEntry& entry) const;
  bool Unchanged(const ManifestEntry* entry, std::uint64_t fingerprint);
  // What the thread looking at the listed files found at the entry's name, if it got there.
  std::optional<FileStamp> Seen(const ManifestEntry* entry) const;
  void Progress() const;

  const PageNames& names_;
  const GenerationObserver& observer_;
  std::size_t total_;
  std::string manifest_name_;
  std::string start_page_;
  const OpenFolder& folder_;
  std::uint64_t inputs_;
  DocumentRecord document_;
  NamesRecord page_names_;
  bool made_ = false;
  const Manifest& previous_;
  IntactFiles* looked_;
  std::unordered_map<std::string_view, const ManifestEntry*> index_;  // into previous_
  std::size_t next_ = 0;  // the entry of previous_ after the one last found
  // The list of this run, in order: entries of the previous list for files unchanged, not copied,
  // and those of files made in this run, kept where they are as more are made.
  std::vector<const ManifestEntry*> current_;
  std::deque<ManifestEntry> made_entries_;
  std::size_t pages_ = 0;
  std::vector<std::string> written_;
  // Handed to each file's maker and to the queue in turn: its buffer goes back and forth.
  PageBytes bytes_{std::string()};
  // Last: its threads stop before the members above go.
  PageQueue queue_;
};

}  // namespace quorella::html
