// "Convert Tango Nets to SDF" on a netlist held in memory; the first byte chooses the option.
#include "fuzz_jobs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quorlin::test::MemoryFileSystem fs;
    quorlin::test::fuzzNetlist(fs, data, size);
    return 0;
}
