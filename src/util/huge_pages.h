#pragma once
// Buffers of megabytes (a document read whole, a page holding every answer, the search text) in
// huge pages where the system hands them out on request (transparent huge pages in "madvise"
// mode). Filling a buffer costs a page fault for each page of memory first written, about 1.7
// microseconds on the machine measured: 2,500 faults for 10 MB in 4 KB pages, 5 in 2 MB pages.
#include <cstddef>
#include <string>

namespace quorella {

// Reserves room for `size` bytes in `text`, asking for the whole huge pages within the buffer to
// be huge when first written, where a buffer that large gains by them. Nothing more where the
// system has no huge pages or gives them to every buffer anyway. The memory is still taken only
// as it is written, a huge page at a time.
void ReserveLarge(std::string& text, std::size_t size);

}  // namespace quorella
