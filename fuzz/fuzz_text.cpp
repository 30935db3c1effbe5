// The text helpers: field splitting, file names, number reading and writing, text records.
#include "fuzz_jobs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quorlin::test::fuzzText(data, size);
    return 0;
}
