#include "import/working_text.h"

#include "util/errors.h"
#include "util/file_io.h"
#include "util/strings.h"
#include "util/text_lines.h"

namespace quorella {

std::string WorkingTextFromBytes(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 16);
  ForEachLine(bytes, [&](std::string_view line) {
    text += TrimRight(line);
    text += kCrLf;
  });
  // The box shows no line break after a last line that had none.
  if (!text.empty() && !EndsWithLineBreak(bytes)) text.resize(text.size() - kCrLf.size());
  return text;
}

namespace {

// The file's text decoded, refused as ReadWorkingText refuses it; `transform` makes the text that
// must stay within the limit.
template <typename Transform>
SourceText ReadChecked(const std::string& path, EncodingChoice choice, Transform transform) {
  const auto bytes = ReadWholeFileAtMost(path, kWorkingTextCapacity);
  if (!bytes) throw Error(std::string(messages::kTextExceedsMemoCapacity));
  const ImportedText decoded = DecodeText(*bytes, choice);
  // UTF-16 text holds NUL bytes; a NUL character once decoded means the file is not text.
  if (decoded.utf8.find('\0') != std::string::npos) throw Error(messages::NotATextFile(path));
  std::string text = transform(decoded.utf8);
  // A file within the limit can still outgrow it when its LF or CR line ends become CR LF, or its
  // characters take more bytes in UTF-8.
  if (text.size() > kWorkingTextCapacity)
    throw Error(std::string(messages::kTextExceedsMemoCapacity));
  return SourceText{std::move(text), decoded.encoding};
}

}  // namespace

std::string ReadWorkingText(const std::string& path, EncodingChoice choice, TextEncoding* found) {
  SourceText read = ReadChecked(path, choice, &WorkingTextFromBytes);
  if (found != nullptr) *found = read.encoding;
  return std::move(read.text);
}

SourceText ReadSourceText(const std::string& path, EncodingChoice choice) {
  return ReadChecked(path, choice,
                     [](std::string_view text) { return ReplaceLineBreaks(text, kCrLf); });
}

}  // namespace quorella
