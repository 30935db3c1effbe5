#include "util/bigbuffer.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace quorlin {

void reserveLarge(std::string& buffer, size_t bytes) {
    if (bytes <= buffer.capacity()) return;
    buffer.reserve(bytes);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr uintptr_t kHuge = uintptr_t{1} << 21;
    const auto begin = reinterpret_cast<uintptr_t>(buffer.data());
    const uintptr_t from = (begin + kHuge - 1) & ~(kHuge - 1);
    const uintptr_t to = (begin + buffer.capacity()) & ~(kHuge - 1);
    // Only advice: where huge pages are not to be had, the buffer works all the same.
    if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#endif
}

}  // namespace quorlin
