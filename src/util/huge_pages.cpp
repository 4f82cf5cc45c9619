#include "util/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace quorella {

namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

void AskForHugePages(char* data, std::size_t size) {
#ifdef MADV_HUGEPAGE
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t begin = (start + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t end = (start + size) & ~(kHugePage - 1);
  // A request the system turns down leaves the memory in small pages, as before.
  if (begin < end) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

}  // namespace

void ReserveLarge(std::string& text, std::size_t size) {
  text.reserve(size);
  // Below two huge pages a buffer may hold no whole one, and gains little where it does.
  if (text.capacity() >= 2 * kHugePage) AskForHugePages(text.data(), text.capacity());
}

}  // namespace quorella
