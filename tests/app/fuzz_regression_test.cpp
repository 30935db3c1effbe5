// Inputs kept from fuzzing, replayed through the code the fuzz targets run: every file under
// tests/data/fuzz, its name's prefix naming the target. A new finding is a new file.
#include <gtest/gtest.h>

#include <filesystem>
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
    int replayed = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(QUORLIN_TEST_DATA) / "fuzz")) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const std::string input = readFile(entry.path());
        const auto* data = reinterpret_cast<const uint8_t*>(input.data());
        MemoryFileSystem fs;
        ++replayed;
        if (name.starts_with("pcb-")) {
            EXPECT_EQ(fuzzPcb(fs, data, input.size()), "Conversion complete");
            expectNoBadNumbers(fs.files["/b/board.rgn"]);
        } else if (name.starts_with("netlist-")) {
            fuzzNetlist(fs, data, input.size());
        } else if (name.starts_with("compare-")) {
            fuzzCompare(fs, data, input.size());
        } else {
            expectNoBadNumbers(fuzzText(data, input.size()));
        }
    }
    EXPECT_GE(replayed, 4);
}

}  // namespace
}  // namespace quorlin::test
