#include "html/page.h"

#include <cerrno>

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
    ReplaceFileAtomically(path, bytes, Flush::No, Links::ReplaceLink);
  } catch (const Error&) {
    throw Error(messages::CannotCreateFile(path, messages::SystemReason(errno)));
  }
}

}  // namespace quorella::html
