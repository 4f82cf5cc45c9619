#include "backup/snapshot_writer.h"

#include <cerrno>
#include <deque>

#include "backup/hex_text.h"
#include "backup/snapshot_format.h"
#include "util/cp1252.h"
#include "util/errors.h"
#include "util/file_io.h"
#include "util/marked_text.h"
#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

std::string SnapshotValueLine(const NamedValue& value) {
  const RawValue& raw = value.value;
  if (raw.IsInteger())
    return value.name + std::string(snapshot::kIntegerTag) + "=" + std::to_string(raw.AsInteger());
  if (raw.IsString())
    // A NUL does not end the search: a line break after one would break the line, and the value
    // would come back cut short with its rest read as a line of its own.
    return ReplaceEvery(value.name + std::string(snapshot::kStringTag) + "=" + raw.bytes, kCrLf,
                        snapshot::kLineBreakStandIn);
  return value.name + std::string(snapshot::kBinaryTag) + "=" + HexText(raw.bytes);
}

std::vector<std::string> KeySnapshotLines(const RegistrySession* session,
                                          std::string_view key_path) {
  std::vector<std::string> lines;
  std::deque<std::string> to_visit{std::string(key_path)};
  while (!to_visit.empty()) {
    const std::string path = std::move(to_visit.front());
    to_visit.pop_front();
    const auto key = session ? session->OpenKey(Root::CurrentUser, path) : std::nullopt;
    if (key) {
      lines.push_back("[\\" + path + "]");
      for (const auto& value : session->Values(*key)) lines.push_back(SnapshotValueLine(value));
      for (const auto& name : session->SubkeyNames(*key)) to_visit.push_back(path + "\\" + name);
    }
    lines.emplace_back();
  }
  return lines;
}

void SaveKeySnapshot(const Registry& registry, const std::string& file_path,
                     std::string_view key_path) {
  std::vector<std::string> lines;
  registry.Read(
      [&](const RegistrySession* session) { lines = KeySnapshotLines(session, key_path); });
  // Most snapshots go to a new file; only an existing one needs reading.
  const auto existing = FileExists(file_path) ? ReadFileIfExists(file_path) : std::nullopt;
  const DecodedText before = DecodeMarkedText(existing.value_or(std::string()));
  const bool empty = before.text.empty() && before.encoding == FileEncoding::Windows1252;
  const std::string added = JoinLinesCrLf(lines);
  const FileEncoding encoding = EncodingToWrite(before.text + added, before.encoding);
  if (encoding != before.encoding && !empty) {
    // Windows-1252 lines already there cannot take UTF-8 ones: the whole file becomes UTF-8.
    ReplaceFileAtomically(file_path, EncodeMarkedText(before.text + added, encoding));
    return;
  }
  const bool mark = empty && encoding == FileEncoding::Utf8;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string line = encoding == FileEncoding::Windows1252 ? Utf8ToCp1252(lines[i]) : lines[i];
    if (i == 0 && mark) line.insert(0, kUtf8Mark);
    if (!AppendLineToFile(file_path, line))
      throw Error(messages::CannotWriteFile(file_path, messages::SystemReason(errno)));
  }
}

}  // namespace quorella
