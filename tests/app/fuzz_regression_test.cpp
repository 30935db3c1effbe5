// Inputs kept from fuzzing and from hostile-input hunts, replayed through the same code the fuzz
// targets run. The file name's prefix names the target.
#include <gtest/gtest.h>

#include <string>

#include "fuzz_jobs.h"
#include "support/harness.h"

namespace quorlin::test {
namespace {

// No number in a region line may read "inf" or "nan" (number texts start with a blank or "-").
void expectNoBadNumbers(const std::string& text) {
    for (const char* bad : {" inf", "-inf", " nan", "-nan"})
        EXPECT_EQ(text.find(bad), std::string::npos) << "holds " << bad;
}

TEST(FuzzRegression, KeptInputsRunCleanly) {
    struct Case {
        const char* file;
        // The job's last status, or for the text target the region line.
        const char* result;
    };
    const Case cases[] = {
        // Coordinates, sizes and radii that overflow in region units once wrote "inf" and "nan".
        {"pcb-overflow-to-inf", "Conversion complete"},
        {"pcb-overflow-to-inf-tracks", "Conversion complete"},
        {"text-size-overflow", ""},
        {"text-width-overflow", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string input = readFile(std::string(QUORLIN_TEST_DATA) + "/fuzz/" + c.file);
        ASSERT_FALSE(input.empty());
        const auto* data = reinterpret_cast<const uint8_t*>(input.data());
        const std::string name = c.file;
        MemoryFileSystem fs;
        std::string result;
        if (name.rfind("pcb-", 0) == 0) {
            result = fuzzPcb(fs, data, input.size());
            expectNoBadNumbers(fs.files["/b/board.rgn"]);
        } else if (name.rfind("netlist-", 0) == 0) {
            result = fuzzNetlist(fs, data, input.size());
        } else if (name.rfind("compare-", 0) == 0) {
            result = fuzzCompare(fs, data, input.size());
        } else {
            result = fuzzText(data, input.size());
            expectNoBadNumbers(result);
        }
        EXPECT_EQ(result, c.result);
    }
}

}  // namespace
}  // namespace quorlin::test
