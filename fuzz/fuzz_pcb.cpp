// The whole "Convert PCB to Region" job on a board held in memory; the first two bytes choose
// the options.
#include "fuzz_jobs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quorlin::test::MemoryFileSystem fs;
    quorlin::test::fuzzPcb(fs, data, size);
    return 0;
}
