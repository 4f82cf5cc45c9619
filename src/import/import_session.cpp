#include "import/import_session.h"

#include "import/import_faq.h"
#include "import/working_text.h"

namespace quorella {

void ImportSession::ReadInputFile(const std::string& path) {
  TextEncoding found = TextEncoding::Windows1252;
  working_text = ReadWorkingText(path, encoding_choice, &found);
  found_encoding_ = found;
}

void ImportSession::Convert() {
  ConvertResult result = quorella::Convert(working_text, options);
  working_text = std::move(result.text);
  converted_count_ = result.count;
  converted_ = true;
}

void ImportSession::Import(AppContext& context, std::string_view name) const {
  ImportFaq(context, name, working_text, converted_count_);
}

}  // namespace quorella
