#include "region/header.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "styles/registry.h"
#include "support/run.h"

namespace quorlin::test {
namespace {

const std::string kHeader =
    crlf({"ARES REGION FILE", "", "*HEADER", "VERSION 609 600", "UNITS 10nm", ""});

TEST(RegionHeader, LayerCodes) {
    const std::vector<std::string> codes = {"TOP", "BOT", "TM", "BM", "I1", "I2", "I3", "I4",
                                            "TS",  "BS",  "TR", "BR", "TS", "BS", "ED", "KO",
                                            "KO",  "KO",  "KO", "I5", "I6", "I7", "I8"};
    for (long i = 0; i < 23; ++i) EXPECT_EQ(layertranslate(i), codes[static_cast<size_t>(i)]) << i;
    for (long i : {-1L, 23L, 65536L, -65536L}) EXPECT_EQ(layertranslate(i), "") << i;
}

TEST(RegionHeader, BoardWithoutPrimitivesGetsTheHeaderOnly) {
    TempDir dir;
    PcbRun run;
    runPcb(run, dir, crlf({";tango-pcb", "version 1 0"}));
    const std::string rgn = dir.read("board.rgn");
    ASSERT_EQ(rgn.compare(0, kHeader.size(), kHeader), 0);
    EXPECT_EQ(rgn.find("*LAYER"), std::string::npos);
    EXPECT_EQ(rgn.find("*VIAS"), std::string::npos);
}

TEST(RegionHeader, SecondConversionReplacesTheFileAndTheRegistry) {
    TempDir dir;
    PcbRun run;
    runPcb(run, dir, crlf({"line 12 1 0 0 1 1 0 0", "via c 60 35 nc 0 0 0"}));
    const std::string first = dir.read("board.rgn");
    EXPECT_EQ(run.session.registry.styles(), (std::vector<std::string>{"Vc060035", "TR12"}));

    runPcb(run, dir, crlf({"line 8 1 0 0 1 1 0 0"}));
    const std::string second = dir.read("board.rgn");
    EXPECT_EQ(second.find(kHeader, 1), std::string::npos);
    EXPECT_EQ(second.find("Vc060035"), std::string::npos);
    EXPECT_NE(first, second);
    EXPECT_EQ(run.session.registry.styles(), (std::vector<std::string>{"TR8"}));
}

TEST(RegionHeader, RegistryKeepsFirstRegistrationOrder) {
    StyleRegistry r;
    for (const char* name : {"TR10", "tr10", "", "TR10", "Vc060035", ""}) r.addstyle(name);
    EXPECT_EQ(r.styles(), (std::vector<std::string>{"TR10", "tr10", "", "Vc060035"}));
    EXPECT_EQ(r.stylecount(), 4u);
    r.clear();
    r.addstyle("TR10");
    EXPECT_EQ(r.stylecount(), 1u);
}

}  // namespace
}  // namespace quorlin::test
