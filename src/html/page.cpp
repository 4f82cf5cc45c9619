#include "html/page.h"

#include "util/errors.h"
#include "util/file_io.h"
#include "util/text_lines.h"

namespace quorella::html {

void Page::Add(std::string_view item) {
  bytes_ += item;
  bytes_ += kCrLf;
}

void WritePageFile(const std::string& path, std::string_view bytes) {
  // Pages can be generated again, so they are not flushed to disk one by one.
  try {
    ReplaceFileAtomically(path, bytes, Flush::No);
  } catch (const Error& e) {
    throw Error(messages::CannotCreateFile(path, messages::SystemReason(e.error_number())),
                e.error_number());
  }
}

}  // namespace quorella::html
