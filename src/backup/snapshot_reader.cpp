#include "backup/snapshot_reader.h"

#include <charconv>
#include <cstdint>

#include "backup/hex_text.h"
#include "backup/snapshot_format.h"
#include "util/file_io.h"
#include "util/marked_text.h"
#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

namespace {

// An optional sign and decimal digits, within 32 bits.
std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  const bool signed_text = text.starts_with('+') || text.starts_with('-');
  const std::string_view digits = signed_text ? text.substr(1) : text;
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  if (text.starts_with('+')) text.remove_prefix(1);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The tag is the three characters in front of the first "=", the name everything before them.
std::optional<NamedValue> ParseValueLine(std::string_view line) {
  const auto equals = line.find('=');
  if (equals == std::string_view::npos || equals < snapshot::kTagLength) return std::nullopt;
  const std::size_t name_length = equals - snapshot::kTagLength;
  NamedValue value{std::string(line.substr(0, name_length)), {}};
  const std::string_view tag = line.substr(name_length, snapshot::kTagLength);
  const std::string_view raw = line.substr(equals + 1);
  if (tag == snapshot::kIntegerTag) {
    const auto number = ParseDecimal(raw);
    if (!number) return std::nullopt;
    value.value = RawValue::Integer(*number);
  } else if (tag == snapshot::kStringTag) {
    // Every stand-in, after a NUL too, as the writer writes them.
    value.value = RawValue::String(ReplaceEvery(raw, snapshot::kLineBreakStandIn, kCrLf));
  } else {
    auto bytes = BytesFromHex(raw);
    if (!bytes) return std::nullopt;
    value.value = RawValue{value_type::kBinary, std::move(*bytes)};
  }
  return value;
}

// The store compares names up to their first NUL byte, so names that differ only after one would
// be taken for one another: a key or value so named is passed over.
bool IsStorableName(std::string_view name) {
  return name.find('\0') == std::string_view::npos;
}

class SnapshotParser {
 public:
  void Line(std::string_view line) {
    if (Trim(line).empty()) return;
    if (line.front() == '[') return Header(line.size() >= 2 ? line.substr(1, line.size() - 2) : "");
    if (!accepting_ || parsed_.keys.empty() || !IsStorableName(key_path_)) return;
    if (auto value = ParseValueLine(line); value && IsStorableName(value->name))
      parsed_.values.push_back({root_, key_path_, std::move(*value)});
  }

  ParsedSnapshot Result() { return std::move(parsed_); }

 private:
  void Header(std::string_view text) {
    if (StartsWithNoCase(text, "hkey")) {
      accepting_ = false;
      const auto slash = text.find('\\');
      if (const auto root = RootByName(text.substr(0, slash))) {
        root_ = *root;
        accepting_ = true;
      }
      text = slash == std::string_view::npos ? std::string_view() : text.substr(slash + 1);
    }
    key_path_ = std::string(text);
    const bool usable = accepting_ && IsStorableName(key_path_);
    parsed_.keys.push_back({usable ? std::optional(root_) : std::nullopt, key_path_});
  }

  ParsedSnapshot parsed_;
  Root root_ = Root::CurrentUser;
  bool accepting_ = true;
  std::string key_path_;
};

}  // namespace

ParsedSnapshot ParseKeySnapshot(std::string_view text) {
  SnapshotParser parser;
  ForEachLine(text, [&](std::string_view line) { parser.Line(line); });
  return parser.Result();
}

void ApplyKeySnapshot(RegistrySession& session, const std::vector<SnapshotValue>& values) {
  const SnapshotValue* previous = nullptr;
  KeyId key = 0;
  for (const auto& entry : values) {
    // Values of one key come together, so each key is looked up once.
    if (!previous || previous->root != entry.root || previous->key_path != entry.key_path)
      key = session.CreateKey(entry.root, entry.key_path);
    session.SetValue(key, entry.value.name, entry.value.value);
    previous = &entry;
  }
}

namespace {

// A snapshot file's text: UTF-8 after the mark, any other file Windows-1252 (every older set).
std::optional<std::string> ReadSnapshotText(const std::string& file_path) {
  const auto bytes = ReadFileIfExists(file_path);
  if (!bytes) return std::nullopt;
  return DecodeMarkedText(*bytes).text;
}

}  // namespace

void LoadKeySnapshot(RegistrySession& session, const std::string& file_path) {
  if (const auto text = ReadSnapshotText(file_path))
    ApplyKeySnapshot(session, ParseKeySnapshot(*text).values);
}

void LoadKeySnapshot(Registry& registry, const std::string& file_path) {
  const auto text = ReadSnapshotText(file_path);
  if (!text) return;
  const ParsedSnapshot parsed = ParseKeySnapshot(*text);
  registry.Write([&](RegistrySession& session) { ApplyKeySnapshot(session, parsed.values); });
}

}  // namespace quorella
