#pragma once
// The import window's values, kept between showings: the working text, the separators, the two
// check boxes and the converted count. Each step leaves everything unchanged when it fails.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/convert.h"
#include "import/import_format.h"
#include "import/imported_faq.h"
#include "import/text_encoding.h"
#include "store/app_context.h"

namespace quorella {

class ImportSession {
 public:
  std::string working_text;
  ConvertOptions options;  // separators, "Separators added manually", "Remove question numbers"
  EncodingChoice encoding_choice = EncodingChoice::Automatic;
  // The kind of file step 1 reads; nullopt: found from the file's name and text.
  std::optional<ImportFormat> format_choice;

  // Step 1: the file's working text, read as `encoding_choice` says, replaces the current one. A
  // plain-text file gives its text, to be converted; a file of another kind is converted at once:
  // the working text holds its questions' sections and the converted count their number (no
  // question found throws, and changes nothing).
  void ReadInputFile(const std::string& path);
  // Step 3: the working text converted into sections; sets the converted count.
  void Convert();
  // Step 4: the working text saved as the new FAQ `name` with the converted count, which is 0
  // when Convert has not run.
  void Import(AppContext& context, std::string_view name) const;

  std::int32_t converted_count() const { return converted_count_; }
  bool converted() const { return converted_; }
  // The encoding the last file was read in; nullopt before the first file.
  std::optional<TextEncoding> found_encoding() const { return found_encoding_; }
  // The kind the last file was read as; nullopt before the first file.
  std::optional<ImportFormat> found_format() const { return found_format_; }
  // The questions a file of another kind than plain text gave (empty for plain text): what the
  // window shows before it imports; their title goes with them.
  const ImportedFaq& read_faq() const { return read_faq_; }

 private:
  std::optional<TextEncoding> found_encoding_;
  std::optional<ImportFormat> found_format_;
  ImportedFaq read_faq_;
  std::int32_t converted_count_ = 0;
  bool converted_ = false;
};

}  // namespace quorella
