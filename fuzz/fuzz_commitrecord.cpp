// The commit record's reader and the rules a planted record must pass.
#include "fuzz_jobs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quorlin::test::fuzzCommitRecord(data, size);
    return 0;
}
