#pragma once
// The list of files a Go wrote into its output folder, kept there beside them, each with the
// fingerprint of what it was made from and the stamp it had when written: the next Go skips a file
// whose fingerprint and stamp are unchanged, and a Modern Go removes the files its previous list
// names that it no longer writes (pages of questions since deleted or renamed). A file the list
// does not name is never removed; a classic Go removes nothing.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "util/file_io.h"

namespace quorella::html {

// One list per start page, so two FAQs may share a folder: "." + start page + ".quorella".
std::string ManifestName(std::string_view start_page);
// The classic style's list, which only remembers fingerprints: "." + start page +
// ".pages.quorella".
std::string ClassicManifestName(std::string_view start_page);

// A stretch of a file made from inputs of its own (an answer's block on the page of all answers):
// the next Go copies it from the file instead of making it again while its fingerprint holds.
struct FilePart {
  std::uint64_t fingerprint = 0;  // 0: not to be copied
  std::uint64_t size = 0;
};

struct ManifestEntry {
  std::string name;
  std::uint64_t fingerprint = 0;  // 0: none known, the file is made again
  FileStamp stamp;
  // The file from its first byte to its last, part after part; empty when not kept.
  std::vector<FilePart> parts;
};

// What the FAQ's document was when a Go read it: the fingerprint of the file's identity, size and
// times, and the fingerprint of its bytes (BytesFingerprint). While the document is the same file
// unchanged, a later Go takes the bytes' fingerprint from here instead of reading the document.
// Kept only for a document whose times had settled before it was read (html/generator.cpp).
struct DocumentRecord {
  std::uint64_t identity = 0;  // 0: nothing recorded
  std::uint64_t bytes = 0;
  bool operator==(const DocumentRecord&) const = default;
};

// The page names of a Modern set with one page per answer as a Go made them: the fingerprint of
// what they are made from (html/page_fingerprints.h) and that of the names, in order. A later Go
// of the same inputs takes the names from the list instead of making them again, once the names
// listed are found to be those.
struct NamesRecord {
  std::uint64_t inputs = 0;  // 0: nothing recorded
  std::uint64_t names = 0;
  bool operator==(const NamesRecord&) const = default;
};

// The largest list a set of `questions` questions can have, with room to spare: its files'
// entries (a name of up to a file name's length and five numbers each) and the parts of a page
// that holds every answer.
inline constexpr std::size_t ListSizeLimit(std::size_t questions) {
  return 64 * 1024 + (questions + 16) * 2048;
}
// The limit of a reader that does not know the set's size.
inline constexpr std::size_t kLargestListRead = 256u << 20;

struct Manifest {
  // Everything the set was made from at once (the program, values, banner, colours, questions and
  // the document's bytes); 0 when the list does not say. A Go with the same inputs whose files
  // are all still the ones listed has nothing to make.
  std::uint64_t inputs = 0;
  DocumentRecord document;
  NamesRecord names;
  std::vector<ManifestEntry> entries;
};

// What the list holds; nothing when it is missing or unreadable. A list of names alone (from an
// earlier version) gives entries without fingerprints; a list without inputs or parts (also from
// an earlier version) gives inputs 0 and no parts. Parts that do not add up to the listed size, or
// do not match their check, are dropped.
// A list whose inputs are `skip_parts_of` (not 0) is read without its parts, which only a Go of
// other inputs copies from.
// A list larger than `limit` (ListSizeLimit) is read as missing: it names far more than the set's
// files, and every page is made again rather than taken, or anything removed, on its word.
Manifest ReadManifestFile(const std::string& path, std::uint64_t skip_parts_of = 0,
                          std::size_t limit = kLargestListRead);
// The list at `path` unless it names `inputs` and `intact` holds for every file it lists (with a
// fingerprint and stamp): nothing then, and `count` is the number of files listed. The files are
// looked at as the lines are read, no entry kept, so a set that is there as written costs no copy
// of its list. Otherwise the list as ReadManifestFile(path) gives it.
using EntryCheck = std::function<bool(std::string_view name, const FileStamp& stamp)>;
std::optional<Manifest> ManifestUnlessIntact(const std::string& path, std::uint64_t inputs,
                                             const EntryCheck& intact, std::size_t& count,
                                             std::size_t limit = kLargestListRead);
// The document the list records (the lines before its entries); nothing recorded when the list is
// missing, unreadable or does not say.
DocumentRecord ReadManifestDocument(const std::string& path);
// The entries the list holds.
std::vector<ManifestEntry> ReadManifestEntries(const std::string& path);
// The file names the list holds.
std::vector<std::string> ReadManifest(const std::string& path);
// The parts, the inputs and the records are written in comment lines, which the version before
// them passes over.
std::string ManifestText(std::string_view start_page,
                         const std::vector<const ManifestEntry*>& entries, std::uint64_t inputs = 0,
                         const DocumentRecord& document = {}, const NamesRecord& names = {});
std::string ManifestText(std::string_view start_page, const std::vector<ManifestEntry>& entries,
                         std::uint64_t inputs = 0, const DocumentRecord& document = {},
                         const NamesRecord& names = {});

// Can a file of this name be one of the set's? For RemoveStaleFiles: the names of the pages and
// files the FAQ's settings make.
using NameCheck = std::function<bool(std::string_view name)>;

struct StaleFiles {
  std::vector<std::string> removed;  // names of the files removed
  // Files of ours that could not be removed, as listed but without a fingerprint: listed again,
  // they make the next Go look at the set, and its stamp lets that Go remove the file.
  std::vector<ManifestEntry> remaining;
};

// Removes from `directory` (ending in "/", or empty for the current folder) each file of
// `previous` that `current` does not name, and only while it is the file the previous run wrote:
// a regular file whose size, inode and times are those listed (a list that recorded no change
// time is taken at its modification time), whose name `ours` accepts, and which is none of the
// program's own files kept elsewhere (a FAQ document, the settings store, temp.txt, a list, a
// backup's files). A list edited by hand or a file replaced by the user's own therefore never
// takes anything with it. The files that are ours but could not be removed stay listed, so that
// a later run tries again.
StaleFiles RemoveStaleFiles(const std::string& directory,
                            const std::vector<ManifestEntry>& previous,
                            const std::vector<std::string>& current, const NameCheck& ours);

// The names of the files a run writes, in order, for RemoveStaleFiles: held only from the first
// that is not the one the previous run listed in its place, so that a run writing the files of the
// last one copies no name.
class WrittenNames {
 public:
  explicit WrittenNames(const std::vector<ManifestEntry>& previous) : previous_(previous) {}
  void Add(std::string_view name);
  // RemoveStaleFiles of the previous run's files and the names added.
  StaleFiles RemoveStale(const std::string& directory, const NameCheck& ours);

 private:
  void Apart();

  const std::vector<ManifestEntry>& previous_;
  std::size_t as_listed_ = 0;  // the first names added, those of previous_ in its order
  bool apart_ = false;         // a name was not; names_ holds every name since
  std::vector<std::string> names_;
};

}  // namespace quorella::html
