// "SDF Netlist Comparator" on two netlists held in memory. The first byte chooses the option,
// the next two the length of netlist A; the rest is netlist B.
#include "fuzz_jobs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quorlin::test::MemoryFileSystem fs;
    quorlin::test::fuzzCompare(fs, data, size);
    return 0;
}
