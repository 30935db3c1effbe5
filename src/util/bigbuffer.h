// Output buffers of hundreds of megabytes: reserved at once so they are never copied as they
// grow, and filled with few page faults.
#pragma once

#include <cstddef>
#include <string>

namespace quorlin {

// Reserves room for `bytes` in buffer (never shrinks it). Memory reserved but never written
// costs nothing; on Linux a large buffer asks for huge pages, so filling it takes a page fault
// per 2 MB instead of per 4 KB.
void reserveLarge(std::string& buffer, size_t bytes);

// Grows the heap by `bytes` at once and, on Linux, asks for huge pages there: the many small
// records of a job (nets, nodes, styles) then cost a page fault per 2 MB. Call once at start.
void reserveHeap(size_t bytes);

}  // namespace quorlin
