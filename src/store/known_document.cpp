#include "store/known_document.h"

#include <mutex>
#include <utility>

#include "util/file_compare.h"
#include "util/file_io.h"

namespace quorella {

namespace {

struct KnownDocument {
  std::string path;
  std::string bytes;
  PlainLayout layout;
  std::string spare;  // the buffer the next bytes are made in
};

std::mutex known_mutex;
std::optional<KnownDocument> known;  // guarded by known_mutex

}  // namespace

bool EditKnownDocument(const std::string& path, const PlainEdit& edit,
                       std::optional<std::string>& read) {
  const std::lock_guard guard(known_mutex);
  if (!known || known->path != path || !FileHoldsExactly(path, known->bytes)) {
    known.reset();
    read = ReadFileIfExists(path);
    if (!read) return false;
    auto layout = PlainLayout::Of(*read);
    if (!layout) return false;
    known.emplace(KnownDocument{
        .path = path, .bytes = std::move(*read), .layout = std::move(*layout), .spare = {}});
    read.reset();
  }
  const auto changed = edit(known->layout, known->bytes, known->spare);
  if (!changed) {
    read = std::move(known->bytes);
    known.reset();
    return false;
  }
  if (!*changed) return true;
  try {
    ReplaceFileAtomically(path, known->spare);
  } catch (...) {
    // The outline already describes the bytes that were not written.
    known.reset();
    throw;
  }
  std::swap(known->bytes, known->spare);
  return true;
}

}  // namespace quorella
