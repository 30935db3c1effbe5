// Object records written in blocks on two threads, taken in source order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "job/pcbjob.h"
#include "util/inorder.h"
#include "util/worker.h"

namespace quorlin::objects {

// What a block of source lines adds to the region file and to the trash.
struct RecordBlock {
    std::string text;
    std::vector<std::string_view> trash;
};

// Calls write(line, block) for every line, in blocks shared by this thread and a worker; each
// block's text goes to rgn and its trash lines to the trash in source order, so the files are
// the same as line by line. write must keep to its block and its own state (the worker runs a
// copy of it) and only read the job.
template <typename Write>
void writeInBlocks(PcbJob& s, std::string& rgn, const std::vector<std::string_view>& lines,
                   Write write) {
    Worker worker;
    formatInOrder<RecordBlock>(
        lines.size(), s.segmentBlock, worker, [&s] { s.processEvents(); },
        [write, &lines](RecordBlock& b, size_t from, size_t to) mutable {
            b.text.clear();
            b.trash.clear();
            for (size_t i = from; i < to; ++i) write(lines[i], b);
        },
        [&](const RecordBlock& b, size_t from, size_t to) {
            rgn += b.text;
            for (std::string_view line : b.trash) s.trashLine(line);
            for (size_t i = from; i < to; ++i) s.tick();
        });
}

}  // namespace quorlin::objects
