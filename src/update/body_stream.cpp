#include "update/body_stream.h"

#include <fcntl.h>

#include <cerrno>
#include <utility>

#include "util/errors.h"

namespace quorella {

FileBodyStream::FileBodyStream(std::string path)
    : path_(std::move(path)), fd_(sys::Open(path_, O_WRONLY | O_CREAT | O_TRUNC, 0666)) {
  if (!fd_.valid()) throw Error(messages::CannotCreateFile(path_, messages::SystemReason(errno)));
}

void FileBodyStream::Write(std::string_view chunk) {
  if (!fd_.valid() || !sys::WriteAll(fd_.get(), chunk))
    throw Error(
        messages::CannotWriteFile(path_, messages::SystemReason(fd_.valid() ? errno : EBADF)));
}

void FileBodyStream::Close() {
  if (fd_.valid() && sys::Close(fd_.release()) != 0)
    throw Error(messages::CannotWriteFile(path_, messages::SystemReason(errno)));
}

}  // namespace quorella
