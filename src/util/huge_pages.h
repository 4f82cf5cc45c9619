#pragma once
// Buffers of megabytes (a document read whole, a page holding every answer, the search text) in
// huge pages where the system hands them out on request (transparent huge pages in "madvise"
// mode). Filling a buffer costs a page fault for each page of memory first written, about 1.7
// microseconds on the machine measured: 2,500 faults for 10 MB in 4 KB pages, 5 in 2 MB pages.
#include <cstddef>
#include <string>

namespace quorella {

// Asks for the whole huge pages within `size` bytes from `data` to be huge when first written.
// Nothing where the system has no huge pages or gives them to every buffer anyway.
void AskForHugePages(char* data, std::size_t size);

// Reserves room for `size` bytes in `text`, in huge pages where a buffer that large gains by them.
// The memory is still taken only as it is written, a huge page at a time.
void ReserveLarge(std::string& text, std::size_t size);

}  // namespace quorella
