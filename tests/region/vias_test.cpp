#include "region/vias.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "region/tracks_vias_run.h"
#include "support/run.h"
#include "util/fields.h"

namespace quorlin::test {
namespace {

struct NameCase {
    const char* via;
    const char* style;
    const char* report;
};

TEST(ViaSection, StyleNames) {
    const std::vector<NameCase> cases = {
        {"via c 60 35 gd 1 2 0", "Vc060035", "Vc-060-035"},
        {"via C 60 35 gd 1 2 0", "VC060035", "VC-060-035"},  // case of the shape counts
        {"via square 5 1000 gd 1 2 0", "Vs005000", "Vs-005-000"},
        {"via c 1234 035 gd 1 2 0", "Vc234035", "Vc-234-035"},
        {"via \"c 6\"0 35 gd 1 2 0", "V'6'0035", "V'-6'0-035"},
        {"via", "V000000", "V-000-000"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.via);
        const ViaStyleName n = viaStyleName(Fields(c.via));
        EXPECT_EQ(n.style, c.style);
        EXPECT_EQ(n.report, c.report);
    }
}

TEST(ViaSection, RecordsAndReport) {
    Converted c = convertBoard({
        "via c 60 35 gd 100 -50 0", "via C 60 35 nc 0 .5 0",
        "via c 60 35 nc 0.1234567890123456789 -0.0001 0",
        "via s 50 28 nc 1x 2 0",  // not a coordinate: trashed, no style
    });
    EXPECT_EQ(c.vias(), crlf({"*VIAS", "\"Vc060035\" ALL  254000 -127000 0 0",
                              "\"VC060035\" ALL  0  1270 0 0",
                              "\"Vc060035\" ALL  313.580244091358 -.254 0 0", "*END_VIAS"}));
    EXPECT_NE(c.rgn.find("\r\n\r\n*VIAS\r\n"), std::string::npos);
    EXPECT_EQ(c.styles, (std::vector<std::string>{"Vc060035", "VC060035"}));
    const std::vector<std::string> rows = {"Vc060035\tVc-060-035", "VC060035\tVC-060-035", ""};
    std::vector<std::string> file = {"Define the following Vias in ARES:", std::string(35, '-')};
    std::vector<std::string> box = {"Define the following Vias in ARES:", std::string(58, '-')};
    file.insert(file.end(), rows.begin(), rows.end());
    box.insert(box.end(), rows.begin(), rows.end());
    EXPECT_NE(c.rep.find(crlf(file)), std::string::npos);
    EXPECT_NE(c.reportbox.find(crlf(box)), std::string::npos);
    EXPECT_TRUE(endsWith(c.trash, "via s 50 28 nc 1x 2 0\r\n"));
    EXPECT_EQ(c.statuses.back(), "Conversion complete");
}

TEST(ViaSection, StylesGoToTheRegistryOnlyWhenTheStyleFileIsWritten) {
    Form form;
    form.writestyle = 1;
    Converted c = convertBoard(
        {"via s 50 28 nc 1 2 0", "via c 60 35 gd 3 4 0", "via s 50 28 nc 5 6 0"}, form);
    EXPECT_EQ(c.styles, (std::vector<std::string>{"Vs050028", "Vc060035"}));
    EXPECT_EQ(c.reportbox.find("Vias"), std::string::npos);
    EXPECT_FALSE(c.repExists);
}

TEST(ViaSection, NoViasNoSection) {
    Converted none = convertBoard({"line 10 1 0 0 1 1 0 0"});
    EXPECT_EQ(none.rgn.find("VIAS"), std::string::npos);
    EXPECT_EQ(none.reportbox.find("Vias"), std::string::npos);
    const std::vector<std::string> expected = {"Exporting vias to Ares region file",
                                               "No vias to export"};
    EXPECT_NE(
        std::search(none.statuses.begin(), none.statuses.end(), expected.begin(), expected.end()),
        none.statuses.end());

    // A via that cannot be placed opens no section and needs no style.
    Converted trashed = convertBoard({"via c 60 35 nc x 1 0"});
    EXPECT_EQ(trashed.rgn.find("VIAS"), std::string::npos);
    EXPECT_TRUE(trashed.styles.empty());
    EXPECT_TRUE(endsWith(trashed.trash, "via c 60 35 nc x 1 0\r\n"));
}

TEST(ViaSection, StyleTableHasNoCapacity) {
    std::vector<std::string> board;
    for (int i = 0; i < 300; ++i) board.push_back("via c " + std::to_string(i) + " 35 nc 1 1 0");
    Converted c = convertBoard(board);
    ASSERT_EQ(c.styles.size(), 300u);
    EXPECT_EQ(c.styles.back(), "Vc299035");
}

}  // namespace
}  // namespace quorlin::test
