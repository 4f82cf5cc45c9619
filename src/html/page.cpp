#include "html/page.h"

#include <fcntl.h>

#include <cerrno>

#include "util/errors.h"
#include "util/sys_io.h"
#include "util/text_lines.h"

namespace quorella::html {

void Page::Add(std::string_view item) {
  bytes_ += item;
  bytes_ += kCrLf;
}

void WritePageFile(const std::string& path, std::string_view bytes) {
  sys::Fd fd(sys::Open(path, O_WRONLY | O_CREAT | O_TRUNC, 0666));
  if (!fd.valid() || !sys::WriteAll(fd.get(), bytes) || sys::Close(fd.release()) != 0)
    throw Error(messages::CannotCreateFile(path, messages::SystemReason(errno)));
}

}  // namespace quorella::html
