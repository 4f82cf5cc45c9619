#pragma once
// A page under construction: a list of items, each written followed by CR LF. An item that holds
// line breaks of its own (a header, a rendered answer, the banner) goes in with them, and an empty
// item makes an empty line. Items are UTF-8 text; the page is ASCII, every other character written
// as a numeric character reference, so it reads the same whatever character set a server sends.
#include <string>
#include <string_view>

#include "html/entities.h"
#include "html/page_parts.h"
#include "util/file_io.h"
#include "util/huge_pages.h"

namespace quorella::html {

class Page {
 public:
  void Add(std::string_view item) { AddJoined(item); }
  // Several items of one piece of markup, each a line of its own.
  template <typename... Items>
  void AddAll(const Items&... items) {
    (Add(items), ...);
  }
  // One item made of several pieces: Add(a + b + ...) without the joined string.
  template <typename... Pieces>
  void AddJoined(const Pieces&... pieces) {
    (bytes_.append(std::string_view(pieces)), ...);
    bytes_ += "\r\n";
  }
  // Adds the item that `write(std::string& out)` appends to `out`; it returns false to leave the
  // item out.
  template <typename Write>
  void AddWritten(Write&& write) {
    const std::size_t before = bytes_.size();
    if (!write(bytes_)) {
      bytes_.resize(before);
      return;
    }
    bytes_ += "\r\n";
  }
  // A part of the previous file to be copied file to file at this point of the page as it is
  // written (PreviousParts::Splice), made from outside script and style elements to outside them:
  // its size; 0 when there is none.
  std::uint64_t SpliceMade(PreviousParts& before, std::size_t at, std::uint64_t fingerprint) {
    Convert();
    return before.Splice(bytes_.size(), at, fingerprint);
  }
  bool AtTopLevel() {
    Convert();
    return ascii_.AtTopLevel();
  }
  const std::string& bytes() {
    Convert();
    return bytes_;
  }
  // The finished page's bytes, for the writer to swap with a buffer of its own; the page is then
  // cleared before it is used again.
  std::string& Finished() {
    Convert();
    return bytes_;
  }
  // Room for a page of megabytes, in huge pages where the system gives them (util/huge_pages.h).
  void Reserve(std::size_t bytes) { ReserveLarge(bytes_, bytes); }
  // Empties the page, keeping its memory for the next one.
  void Clear() {
    bytes_.clear();
    converted_ = 0;
    ascii_ = {};
  }

 private:
  // Items are made ASCII when the page is looked at, all that came since at once: every item ends
  // in CR LF, which no tag name runs on into, so the items read as they would one by one.
  void Convert() {
    if (converted_ == bytes_.size()) return;
    ascii_.ConvertFrom(bytes_, converted_);
    converted_ = bytes_.size();
  }

  std::string bytes_;
  std::size_t converted_ = 0;  // bytes_ is ASCII up to here
  AsciiPageWriter ascii_;
};

// Creates or replaces the file: the page is written beside it and renamed over it, so a failed
// write leaves the page of the earlier run whole. A file that already holds exactly these bytes is
// left as it is, time stamp and all, so that deployment tools see nothing to upload; the result
// says whether the file was written. A file that cannot be created or written fails with
// "Cannot create file \"PATH\". REASON".
bool WritePageFile(const std::string& path, std::string_view bytes);

// The same, also giving the stamp of the file now there (written or found holding the bytes).
struct PageFileResult {
  bool written = false;
  FileStamp stamp;
};
PageFileResult WritePageFileStamped(const std::string& path, std::string_view bytes);
// The same for `file_name` in a folder held open (a page that is not there yet is created whole
// at once, with no scratch file). `seen` is what the Go found there a moment ago, if it looked
// (html/intact_files.h), and spares looking again: a file changed since is still compared by what
// it holds when read, and replaced whatever it is.
PageFileResult WritePageFileStamped(const OpenFolder& folder, const std::string& file_name,
                                    std::string_view bytes, const FileStamp* seen = nullptr);
// The same for a page whose bytes are partly stretches of its previous file (html/page_parts.h,
// PageBytes). A file of the page's size is compared with it as above, the stretches read for that;
// otherwise they are copied file to file into the page's scratch file.
PageFileResult WritePageFileStamped(const OpenFolder& folder, const std::string& file_name,
                                    const SplicedBytes& bytes, const FileStamp* seen = nullptr);
// Throws, naming the file, when the file at `file_name` in `folder` is one a page of the set may
// not replace: a regular file that is no page (it does not begin with "<" after a byte order mark
// and blanks, as HTML and XML do) and does not begin as the file to be written there begins (the
// set's style sheet and scripts, of this version or another). Go calls it for every name its
// previous list does not record, so that the user's own files never turn into pages.
void CheckReplaceable(const OpenFolder& folder, const std::string& file_name,
                      std::string_view bytes);

// WritePageFile for a file known to change, without the look at what it holds first.
void ReplacePageFile(const OpenFolder& folder, const std::string& file_name,
                     std::string_view bytes);

}  // namespace quorella::html
