// Work on a run of records shared by two threads, its results taken in source order.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>

#include "util/worker.h"

namespace quorlin {

// Formats records [0, n) in blocks of `block`: this thread formats one block while the worker
// formats the next, and take(result, from, to) receives every block in source order on this
// thread. format(result, from, to) must keep to its result and its own state: the worker runs a
// copy of it. tick is called while this thread waits for the worker.
template <typename Result, typename Format, typename Take>
void formatInOrder(size_t n, size_t block, Worker& worker, const std::function<void()>& tick,
                   Format format, Take take) {
    block = std::max<size_t>(block, 1);
    Format other = format;
    Result first, second;
    for (size_t at = 0; at < n; at += 2 * block) {
        const size_t middle = std::min(n, at + block);
        const size_t end = std::min(n, middle + block);
        if (middle < end) worker.start([&, middle, end] { other(second, middle, end); });
        format(first, at, middle);
        take(first, at, middle);
        if (middle < end) {
            worker.wait(tick);
            take(second, middle, end);
        }
    }
}

}  // namespace quorlin
