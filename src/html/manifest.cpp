#include "html/manifest.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <optional>
#include <type_traits>
#include <unordered_set>
#include <utility>

#include "util/errors.h"
#include "util/file_io.h"
#include "util/fingerprint.h"
#include "util/sys_io.h"
#include "util/text_lines.h"

#include <fcntl.h>

namespace quorella::html {

namespace {

constexpr std::string_view kHeading = "# Files written by Quorella for ";
// The line that says the entries carry fingerprints and stamps before their names.
constexpr std::string_view kFieldsLine = "# fingerprint size inode modified changed name";
// The same of an earlier version, whose stamps hold no change time.
constexpr std::string_view kFieldsLineWithoutChange = "# fingerprint size inode modified name";
// "# inputs FINGERPRINT", before the entries.
constexpr std::string_view kInputsPrefix = "# inputs ";
// "# document IDENTITY BYTES", before the entries.
constexpr std::string_view kDocumentPrefix = "# document ";
// "# names INPUTS NAMES", before the entries.
constexpr std::string_view kNamesPrefix = "# names ";
// After an entry, "# parts COUNT CHECK" and COUNT lines "# part FINGERPRINT SIZE"; CHECK is the
// fingerprint of the parts, so that a list edited by hand cannot have pieces of a page copied into
// the wrong places.
constexpr std::string_view kPartsPrefix = "# parts ";
constexpr std::string_view kPartPrefix = "# part ";

// The value of a hexadecimal digit, either case; -1 for any other byte.
constexpr std::array<signed char, 256> kHexDigits = [] {
  std::array<signed char, 256> digits{};
  for (signed char& digit : digits) digit = -1;
  for (int i = 0; i < 10; ++i) digits['0' + i] = static_cast<signed char>(i);
  for (int i = 0; i < 6; ++i) digits['a' + i] = digits['A' + i] = static_cast<signed char>(10 + i);
  return digits;
}();

// Sixteen hexadecimal digits and a space, as a list writes every fingerprint: read by table (with
// a runtime base from_chars takes a slower way), into `number`; false for anything else.
bool TakeSixteenHexDigits(std::string_view& line, std::uint64_t& number) {
  if (line.size() <= 16 || line[16] != ' ') return false;
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < 16; ++i) {
    const int digit = kHexDigits[static_cast<unsigned char>(line[i])];
    if (digit < 0) return false;
    value = value << 4 | static_cast<std::uint64_t>(digit);
  }
  number = value;
  line.remove_prefix(17);
  return true;
}

// "FINGERPRINT SIZE INODE MODIFIED NAME", the fingerprint in hexadecimal, the rest in decimal.
template <typename Number>
bool TakeNumber(std::string_view& line, Number& number, int base) {
  if constexpr (std::is_same_v<Number, std::uint64_t>)
    if (base == 16 && TakeSixteenHexDigits(line, number)) return true;
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), number, base);
  if (error != std::errc() || end == line.data() + line.size() || *end != ' ') return false;
  line.remove_prefix(static_cast<std::size_t>(end - line.data()) + 1);
  return true;
}

// The last number of a line.
template <typename Number>
bool TakeLastNumber(std::string_view line, Number& number, int base) {
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), number, base);
  return error == std::errc() && end == line.data() + line.size();
}

// `number` in `base`, with leading zeros up to `width` digits.
template <typename Number>
void AppendNumber(std::string& text, Number number, int base = 10, std::size_t width = 0) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, number, base).ptr;
  const auto length = static_cast<std::size_t>(end - digits);
  if (length < width) text.append(width - length, '0');
  text.append(digits, length);
}

std::uint64_t PartsCheck(const std::vector<FilePart>& parts) {
  Fingerprint check(parts.size());
  for (const FilePart& part : parts) check.Add(part.fingerprint).Add(part.size);
  return check.value();
}

// Collects the parts that follow an entry and gives them to it when they are whole.
class PartsReader {
 public:
  void Start(std::string_view line, bool after_entry) {
    parts_.clear();
    reading_ = after_entry && TakeNumber(line, count_, 10) && TakeLastNumber(line, check_, 16);
  }
  void Add(std::string_view line) {
    FilePart part;
    if (reading_ && TakeNumber(line, part.fingerprint, 16) && TakeLastNumber(line, part.size, 10))
      parts_.push_back(part);
    else
      reading_ = false;
  }
  void GiveTo(ManifestEntry* entry) {
    if (reading_ && entry != nullptr && parts_.size() == count_ && PartsCheck(parts_) == check_) {
      std::uint64_t size = 0;
      for (const FilePart& part : parts_) size += part.size;
      if (size == entry->stamp.size) entry->parts = std::move(parts_);
    }
    parts_.clear();
    reading_ = false;
  }

 private:
  bool reading_ = false;
  std::size_t count_ = 0;
  std::uint64_t check_ = 0;
  std::vector<FilePart> parts_;
};

// Which fields the entries of a list hold, from its line of fields.
enum class Fields { None, WithoutChange, All };

Fields FieldsOf(std::string_view line, Fields before) {
  if (line == kFieldsLine) return Fields::All;
  if (line == kFieldsLineWithoutChange) return Fields::WithoutChange;
  return before;
}

// The fingerprint and stamp of an entry's line into `entry`, and its name; empty when the line is
// no entry.
std::string_view ParseEntryFields(std::string_view line, Fields fields, ManifestEntry& entry) {
  if (fields == Fields::None || !TakeNumber(line, entry.fingerprint, 16) ||
      !TakeNumber(line, entry.stamp.size, 10) || !TakeNumber(line, entry.stamp.inode, 10) ||
      !TakeNumber(line, entry.stamp.modified_ns, 10))
    return {};
  entry.stamp.changed_ns = 0;
  if (fields == Fields::All && !TakeNumber(line, entry.stamp.changed_ns, 10)) return {};
  return line;
}

std::optional<ManifestEntry> ParseEntry(std::string_view line, Fields fields) {
  ManifestEntry entry;
  const std::string_view name = ParseEntryFields(line, fields, entry);
  if (name.empty()) return std::nullopt;
  entry.name = std::string(name);
  return entry;
}

// Two numbers in hexadecimal, as a document's or the names' line holds them; zeros for anything
// else.
std::pair<std::uint64_t, std::uint64_t> ParseTwoNumbers(std::string_view line) {
  std::uint64_t first = 0, second = 0;
  if (!TakeNumber(line, first, 16) || !TakeLastNumber(line, second, 16)) return {};
  return {first, second};
}

// The line ParseTwoNumbers reads after `prefix`: both numbers in sixteen hexadecimal digits.
void AppendTwoNumbersLine(std::string& text, std::string_view prefix, std::uint64_t first,
                          std::uint64_t second) {
  text += prefix;
  AppendNumber(text, first, 16, 16);
  text += ' ';
  AppendNumber(text, second, 16, 16);
  text += '\n';
}

DocumentRecord ParseDocument(std::string_view line) {
  const auto [identity, bytes] = ParseTwoNumbers(line);
  return {identity, bytes};
}

// A bare file name: anything else in a list (edited by hand, or damaged) names no file of ours.
bool IsPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\\\0\r\n", 5)) == std::string_view::npos;
}

}  // namespace

std::string ManifestName(std::string_view start_page) {
  std::string name = "." + std::string(start_page) + ".quorella";
  // A start page in a folder of its own keeps its list beside it, in the output folder.
  for (char& c : name)
    if (c == '/' || c == '\\') c = '_';
  return name;
}

std::string ClassicManifestName(std::string_view start_page) {
  std::string name = ManifestName(start_page);
  name.replace(name.size() - std::string_view(".quorella").size(), std::string_view::npos,
               ".pages.quorella");
  return name;
}

namespace {

// The list's text; nothing when it is missing, unreadable or larger than `limit`.
std::optional<std::string> ReadManifestText(const std::string& path, std::size_t limit) {
  try {
    return ReadWholeFileAtMost(path, limit);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

Manifest ParseManifest(const std::optional<std::string>& text, std::uint64_t skip_parts_of) {
  Manifest manifest;
  if (!text) return manifest;
  std::vector<ManifestEntry>& entries = manifest.entries;
  // A line per file and at most a few per part: reserving for every line spares the copies of a
  // list of ten thousand entries while it grows. (find takes a line at a time, as memchr does.)
  std::size_t lines = 1;
  const std::string_view all(*text);
  for (std::size_t at = all.find('\n'); at != std::string_view::npos; at = all.find('\n', at + 1))
    ++lines;
  entries.reserve(lines);
  Fields fields = Fields::None;
  PartsReader parts;
  // Parts belong to the entry just before them, and only to one with fields.
  bool after_entry = false;
  ForEachLine(*text, [&](std::string_view line) {
    if (skip_parts_of != 0 && manifest.inputs == skip_parts_of && line.starts_with("# part"))
      return;
    if (line.starts_with(kPartPrefix)) return parts.Add(line.substr(kPartPrefix.size()));
    parts.GiveTo(entries.empty() ? nullptr : &entries.back());
    const bool follows_entry = after_entry;
    after_entry = false;
    if (line.starts_with(kPartsPrefix))
      return parts.Start(line.substr(kPartsPrefix.size()), follows_entry);
    fields = FieldsOf(line, fields);
    if (line.starts_with(kInputsPrefix) && entries.empty())
      TakeLastNumber(line.substr(kInputsPrefix.size()), manifest.inputs, 16);
    if (line.starts_with(kDocumentPrefix) && entries.empty())
      manifest.document = ParseDocument(line.substr(kDocumentPrefix.size()));
    if (line.starts_with(kNamesPrefix) && entries.empty()) {
      const auto [inputs, names] = ParseTwoNumbers(line.substr(kNamesPrefix.size()));
      manifest.names = {inputs, names};
    }
    if (line.empty() || line.front() == '#') return;
    std::optional<ManifestEntry> entry = ParseEntry(line, fields);
    after_entry = entry.has_value();
    if (!entry) entry = ManifestEntry{std::string(line), 0, {}, {}};
    entries.push_back(std::move(*entry));
  });
  parts.GiveTo(entries.empty() ? nullptr : &entries.back());
  return manifest;
}

}  // namespace

Manifest ReadManifestFile(const std::string& path, std::uint64_t skip_parts_of, std::size_t limit) {
  return ParseManifest(ReadManifestText(path, limit), skip_parts_of);
}

std::optional<Manifest> ManifestUnlessIntact(const std::string& path, std::uint64_t inputs,
                                             const EntryCheck& intact, std::size_t& count,
                                             std::size_t limit) {
  const std::optional<std::string> text = ReadManifestText(path, limit);
  if (!text) return Manifest{};
  // Read as ParseManifest reads it: inputs only before the first entry, entries only after the
  // line of fields, parts passed over.
  std::uint64_t listed_inputs = 0;
  Fields fields = Fields::None;
  bool entries = false, whole = true;
  ManifestEntry entry;
  count = 0;
  ForEachLine(*text, [&](std::string_view line) {
    if (!whole || line.empty()) return;
    if (line.front() == '#') {
      fields = FieldsOf(line, fields);
      if (!entries && line.starts_with(kInputsPrefix))
        TakeLastNumber(line.substr(kInputsPrefix.size()), listed_inputs, 16);
      return;
    }
    entries = true;
    const std::string_view name = ParseEntryFields(line, fields, entry);
    whole = listed_inputs == inputs && !name.empty() && entry.fingerprint != 0 &&
            intact(name, entry.stamp);
    ++count;
  });
  if (whole && listed_inputs == inputs) return std::nullopt;
  return ParseManifest(text, 0);
}

DocumentRecord ReadManifestDocument(const std::string& path) {
  // The record stands in the first lines: a block of the list holds it, however long the list.
  // Opened as every file read is: a FIFO in the list's place fails at once instead of blocking.
  std::optional<sys::Fd> file;
  try {
    file = OpenFileForReading(path);
  } catch (const Error&) {
    return {};  // a list that cannot be read records nothing
  }
  if (!file) return {};
  char head[4096];
  std::size_t filled = 0;
  while (filled < sizeof head) {
    const ssize_t n = sys::Read(file->get(), head + filled, sizeof head - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    filled += static_cast<std::size_t>(n);
  }
  // Only whole lines: a line cut where the block ends would give other numbers.
  std::string_view lines(head, filled);
  lines = lines.substr(0, lines.rfind('\n') + 1);
  DocumentRecord document;
  bool entries = false;
  ForEachLine(lines, [&](std::string_view line) {
    if (entries) return;
    if (FieldsOf(line, Fields::None) != Fields::None) entries = true;
    if (line.starts_with(kDocumentPrefix))
      document = ParseDocument(line.substr(kDocumentPrefix.size()));
  });
  return document;
}

std::vector<ManifestEntry> ReadManifestEntries(const std::string& path) {
  return ReadManifestFile(path).entries;
}

std::vector<std::string> ReadManifest(const std::string& path) {
  std::vector<std::string> names;
  for (ManifestEntry& entry : ReadManifestEntries(path)) names.push_back(std::move(entry.name));
  return names;
}

std::string ManifestText(std::string_view start_page, const std::vector<ManifestEntry>& entries,
                         std::uint64_t inputs, const DocumentRecord& document,
                         const NamesRecord& names) {
  std::vector<const ManifestEntry*> listed;
  listed.reserve(entries.size());
  for (const ManifestEntry& entry : entries) listed.push_back(&entry);
  return ManifestText(start_page, listed, inputs, document, names);
}

std::string ManifestText(std::string_view start_page,
                         const std::vector<const ManifestEntry*>& entries, std::uint64_t inputs,
                         const DocumentRecord& document, const NamesRecord& names) {
  std::string text = std::string(kHeading) + std::string(start_page) + "\n";
  std::size_t size = 128;
  for (const ManifestEntry* entry : entries)
    size += 100 + entry->name.size() + entry->parts.size() * 40;
  text.reserve(size);
  if (inputs != 0) {
    text += kInputsPrefix;
    AppendNumber(text, inputs, 16, 16);
    text += '\n';
  }
  if (document.identity != 0)
    AppendTwoNumbersLine(text, kDocumentPrefix, document.identity, document.bytes);
  if (names.inputs != 0) AppendTwoNumbersLine(text, kNamesPrefix, names.inputs, names.names);
  text += kFieldsLine;
  text += '\n';
  for (const ManifestEntry* listed : entries) {
    const ManifestEntry& entry = *listed;
    AppendNumber(text, entry.fingerprint, 16, 16);
    text += ' ';
    AppendNumber(text, entry.stamp.size);
    text += ' ';
    AppendNumber(text, entry.stamp.inode);
    text += ' ';
    AppendNumber(text, entry.stamp.modified_ns);
    text += ' ';
    AppendNumber(text, entry.stamp.changed_ns);
    text += ' ';
    text += entry.name;
    text += '\n';
    if (entry.parts.empty()) continue;
    text += kPartsPrefix;
    AppendNumber(text, entry.parts.size());
    text += ' ';
    AppendNumber(text, PartsCheck(entry.parts), 16, 16);
    text += '\n';
    for (const FilePart& part : entry.parts) {
      text += kPartPrefix;
      AppendNumber(text, part.fingerprint, 16, 16);
      text += ' ';
      AppendNumber(text, part.size);
      text += '\n';
    }
  }
  return text;
}

namespace {

// Files a list names that are the program's own and never a page: a FAQ document, the settings
// store and its journals, the scratch file of the update check, a list, a backup's manifest and
// registry snapshot.
bool IsKeptFileName(std::string_view name) {
  return name.ends_with(".dat") || name.starts_with("settings.db") || name == "temp.txt" ||
         name.ends_with(".quorella") || name == "manifest.sha256" || name == "registry.cfg";
}

// Is the file at `path` the one the list recorded: a regular file of the listed size, inode and
// times? A stamp without a change time (a list of an earlier version) is taken at the others.
bool StillAsListed(const std::string& path, const FileStamp& listed) {
  const std::optional<FileStamp> now = EntryStampOf(path);
  if (!now || !IsRegularFile(*now)) return false;
  if (listed.changed_ns == 0)
    return now->size == listed.size && now->inode == listed.inode &&
           now->modified_ns == listed.modified_ns;
  return now->SameVersion(listed);
}

}  // namespace

StaleFiles RemoveStaleFiles(const std::string& directory,
                            const std::vector<ManifestEntry>& previous,
                            const std::vector<std::string>& current, const NameCheck& ours) {
  StaleFiles stale;
  // The same files as before, the common case, leave nothing to remove.
  if (std::equal(previous.begin(), previous.end(), current.begin(), current.end(),
                 [](const ManifestEntry& was, const std::string& is) { return was.name == is; }))
    return stale;
  const std::unordered_set<std::string_view> kept(current.begin(), current.end());
  for (const ManifestEntry& entry : previous) {
    const std::string& name = entry.name;
    // A line added by hand has no stamp, so it matches no file.
    if (kept.count(name) != 0 || !IsPlainFileName(name) || name.front() == '.' ||
        IsKeptFileName(name) || !ours(name))
      continue;
    const std::string path = directory + name;
    auto keep = [&] {
      ManifestEntry& again = stale.remaining.emplace_back();
      again.name = name;
      again.stamp = entry.stamp;
    };
    try {
      if (!StillAsListed(path, entry.stamp)) continue;
    } catch (const Error&) {
      // A file that cannot even be examined stays listed, to be removed by a later Go.
      keep();
      continue;
    }
    if (RemoveFile(path))
      stale.removed.push_back(name);
    else
      keep();
  }
  return stale;
}

void WrittenNames::Add(std::string_view name) {
  if (!apart_ && as_listed_ < previous_.size() && previous_[as_listed_].name == name) {
    ++as_listed_;
    return;
  }
  Apart();
  names_.emplace_back(name);
}

void WrittenNames::Apart() {
  if (apart_) return;
  apart_ = true;
  for (std::size_t i = 0; i < as_listed_; ++i) names_.push_back(previous_[i].name);
}

StaleFiles WrittenNames::RemoveStale(const std::string& directory, const NameCheck& ours) {
  if (!apart_ && as_listed_ == previous_.size()) return {};
  Apart();
  return RemoveStaleFiles(directory, previous_, names_, ours);
}

}  // namespace quorella::html
