#pragma once
// Where a fetched body goes: chunk by chunk as it arrives, so that a document is never held whole
// in memory.
#include <string>
#include <string_view>

#include "util/sys_io.h"

namespace quorella {

class BodyStream {
 public:
  virtual ~BodyStream() = default;
  // Takes one chunk whole; a failure throws (quorella::Error with the program's message).
  virtual void Write(std::string_view chunk) = 0;
};

// A file created empty (or emptied) when the stream is made; "Cannot create file" when it cannot
// be. Every chunk is written through at once.
class FileBodyStream : public BodyStream {
 public:
  explicit FileBodyStream(std::string path);
  void Write(std::string_view chunk) override;
  // Closes the file, reporting a failure the destructor would have to swallow.
  void Close();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  sys::Fd fd_;
};

}  // namespace quorella
