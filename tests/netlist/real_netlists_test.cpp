// Netlists another program wrote: each converts with the counts of parts and nets its folder's
// README gives.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "support/harness.h"
#include "support/system.h"

namespace quorlin::test {
namespace {

namespace fs = std::filesystem;

TEST(RealNetlists, ConvertWithTheCountsTheirReadmeGives) {
    const fs::path root = QUORLIN_REAL_DATA;
    QUORLIN_NEEDS(fs::exists(root / "README.md"),
                  "the real netlists in " << root.string() << " (the shared data folder)");
    // Rows "| tango-netlists/NAME (a remark) | PARTS | NETS |".
    const std::regex row(R"(\| (tango-netlists/[^ |]+)[^|]*\| *(\d+) *\| *(\d+) *\|)");
    const std::string readme = readFile(root / "README.md");
    int rows = 0;
    for (std::sregex_iterator m(readme.begin(), readme.end(), row), end; m != end; ++m, ++rows) {
        SCOPED_TRACE((*m)[1].str());
        TempDir dir;
        dir.write("real.net", readFile(root / (*m)[1].str()));
        const CliResult r = runCliIn(dir, {"net", "real.net"});
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_NE(r.out.find("\nNets " + (*m)[3].str() + "\n"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("\nParts " + (*m)[2].str() + "\n"), std::string::npos) << r.out;
    }
    size_t files = 0;
    for (const auto& e : fs::directory_iterator(root / "tango-netlists"))
        files += e.is_regular_file();
    EXPECT_EQ(static_cast<size_t>(rows), files) << "a row for every netlist";
    EXPECT_GT(rows, 0);
}

}  // namespace
}  // namespace quorlin::test
