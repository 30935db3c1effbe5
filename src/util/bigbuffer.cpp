#include "util/bigbuffer.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace quorlin {

namespace {

[[maybe_unused]] void adviseHuge([[maybe_unused]] const void* begin,
                                 [[maybe_unused]] const void* end) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr uintptr_t kHuge = uintptr_t{1} << 21;
    const uintptr_t from = (reinterpret_cast<uintptr_t>(begin) + kHuge - 1) & ~(kHuge - 1);
    const uintptr_t to = reinterpret_cast<uintptr_t>(end) & ~(kHuge - 1);
    // Only advice: where huge pages are not to be had, the memory works all the same.
    if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
}

}  // namespace

void reserveLarge(std::string& buffer, size_t bytes) {
    if (bytes <= buffer.capacity()) return;
    buffer.reserve(bytes);
    adviseHuge(buffer.data(), buffer.data() + buffer.capacity());
}

void reserveHeap(size_t bytes) {
#if defined(__linux__)
    // Every growth of the heap comes in steps this large. A first block too large for the
    // heap's present end, and too small to be mapped apart, makes the heap grow now, so the
    // advice has the new room to cover; freeing the block keeps the room (the same pad).
    constexpr size_t kProbe = size_t{1} << 20;
    constexpr int kMapApart = 128 * 1024;  // the allocator's own default
    mallopt(M_TOP_PAD, static_cast<int>(bytes));
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(2 * kProbe));
    const void* const before = ::sbrk(0);
    // Held in a volatile, or the compiler may drop the unused block and the growth with it.
    static void* volatile probe;
    probe = std::malloc(kProbe);
    const void* const after = ::sbrk(0);
    // Only the room the heap just took, and only when it took it where the old end was.
    if (after > before) adviseHuge(before, after);
    std::free(probe);
    mallopt(M_MMAP_THRESHOLD, kMapApart);
#else
    (void)bytes;
#endif
}

}  // namespace quorlin
