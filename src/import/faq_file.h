#pragma once
// A FAQ file of any kind read into questions: its kind found (or chosen), its encoding found (or
// chosen), and the reader of that kind run.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "import/convert.h"
#include "import/import_format.h"
#include "import/imported_faq.h"
#include "import/text_encoding.h"

namespace quorella {

struct FaqFile {
  ImportFormat format = ImportFormat::Text;
  TextEncoding encoding = TextEncoding::Windows1252;
  ImportedFaq faq;
};

// The questions of the text `text` read as `format`; the plain-text kind by Convert with
// `text_options`, its sections read back as a loaded FAQ reads them.
ImportedFaq ReadFaqText(ImportFormat format, std::string_view text,
                        const ConvertOptions& text_options = {});

// The questions of a converted working text (a document's text) holding `count` questions.
ImportedFaq FaqOfDocumentText(std::string_view document, std::int32_t count);

// Reads the file at `path`: its kind is `format`, or found from its name and text; its encoding
// as `encoding` says. Errors of reading are those of ReadWorkingText; a file in which no question
// is found throws "No question was found in ...".
FaqFile ReadFaqFile(const std::string& path, std::optional<ImportFormat> format,
                    EncodingChoice encoding = EncodingChoice::Automatic,
                    const ConvertOptions& text_options = {});

}  // namespace quorella
