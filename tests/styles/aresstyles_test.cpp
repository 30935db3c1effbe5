// Style files as ARES and its users write them: what each record gives, what is counted as not
// understood, and a user's whole library.
#include "styles/aresstyles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/harness.h"

namespace quorlin::test {
namespace {

using K = AresPadKind;

struct Row {
    const char* text;
    const char* name;  // the pad style looked up; "=" before it: a trace style; "" none
    K kind;
    double a, b, hole;  // for a trace, a is its width
    size_t points;
    long long notUnderstood;
    bool found = true;
};

const Row kRows[] = {
    {"C1,CPAD,40th,40th,15th,10th,10th", "C1", K::RoundThrough, 40, 40, 15, 0, 0},
    {"M,CPAD,1mm,1in,25.4um,0.1cm,0", "M", K::RoundThrough, 1000 / 25.4, 1000, 1, 0, 0},
    {"B,SPAD,60,60.5,30", "B", K::SquareThrough, 60, 60.5, 30, 0, 0},
    {"D,DPAD,80th,50th,32th,10th,10th,0,0", "D", K::ObroundThrough, 80, 50, 32, 0, 0},
    {" c , csmpad , 20TH , 20Th , 0 ", "c", K::RoundSmd, 20, 20, 0, 0, 0},
    {"R,RSMPAD,0.9mm,1.2mm,0,0.1mm,0", "R", K::RectangleSmd, 900 / 25.4, 1200 / 25.4, 0, 0, 0},
    {"V,CVIA,20th,20th,10th\r\nW,SVIA,30th,30th,15th", "W", K::SquareVia, 30, 30, 15, 0, 0},
    {"P,PSMPAD,3,0,0,10th\r\n+ 0, 25\r\n+ -25th,-25th\r\n+ 1mm, -1mm", "P", K::PolygonSmd,
     25 + 1000 / 25.4, 25 + 1000 / 25.4, 0, 3, 0},
    {"P,PSMPAD,4,0,0,10th\r\n+ 0,0\r\n+ 1,1\r\n+ 2,0", "P", K::PolygonSmd, 0, 0, 0, 0, 1, false},
    {"P,PSMPAD,3,0,0,10th\r\n+ 0,0\r\n+ 1\r\n+ 2,0", "P", K::PolygonSmd, 0, 0, 0, 0, 1, false},
    // A stack takes the first layer that has a pad, defined before or after it.
    {"S,STACK,HOLE,32th,10th\r\n+\r\n+ C\r\n+ Q\r\nC,CPAD,60th,60th,0\r\nQ,SPAD,9,9,0", "S",
     K::RoundThrough, 60, 60, 32, 0, 0},
    {"S,STACK,1mm\r\n+ P\r\nP,PSMPAD,3,0,0,0\r\n+ 0,0\r\n+ 10,0\r\n+ 0,10", "S", K::PolygonSmd, 10,
     10, 1000 / 25.4, 3, 0},
    {"S,STACK,HOLE,32th,10th\r\n+ nowhere", "S", K::RoundThrough, 0, 0, 0, 0, 1, false},
    {"S,STACK,HOLE,32th,10th\r\nC,CPAD,60th,60th,0", "S", K::RoundThrough, 0, 0, 0, 0, 1, false},
    {"S,STACK,HOLE,32th\r\n+ T\r\nT,STACK,HOLE,1\r\n+ S", "S", K::RoundThrough, 0, 0, 0, 0, 2,
     false},
    {";TRACE STYLES\r\nT10,10th\r\nPOWER,1mm\r\n*", "=POWER", K::RoundThrough, 1000 / 25.4, 0, 0, 0,
     0},
    {"T10,10", "=T10", K::RoundThrough, 10, 0, 0, 0, 0},
    // Byte order mark, lone LF and lone CR line ends, a comment inside a section.
    {"\xEF\xBB\xBF;PAD STYLES\n; vias\nV,SVIA,30th,30th,15th\rX,CVIA,1,1,0\n", "V", K::SquareVia,
     30, 30, 15, 0, 0},
    {"A,CVIA,20,20,10\r\nA,CVIA,30,30,15\r\nA,5", "A", K::RoundVia, 20, 20, 10, 0, 1},
    // Not understood, each counted once: kinds, sizes and units, sections, stray lines.
    {"X,HEXPAD,40th,40th,15th", "X", K::RoundThrough, 0, 0, 0, 0, 1, false},
    {"N,CPAD,-40th,40th,15th\r\nN,CPAD,40ft,40th,15th\r\nN,CPAD,nan,1,1\r\nN,CPAD,1e400th,1,1"
     "\r\nN,CPAD,1,1000001in,1",
     "N", K::RoundThrough, 0, 0, 0, 0, 5, false},
    {"N,CPAD,40th,40th\r\nN,CPAD,40th,,15th\r\n,CPAD,1,1,1\r\nN,CPAD,1,1,1,x", "N", K::RoundThrough,
     0, 0, 0, 0, 4, false},
    {";PAD STYLES\r\nT10,10th\r\n*\r\n;TRACE STYLES\r\nC,CPAD,1,1,1", "", K::RoundThrough, 0, 0, 0,
     0, 2, false},
    {";TEXT STYLES\r\nT1,10th\r\n*\r\n+ 1,2\r\nT2,1", "=T2", K::RoundThrough, 1, 0, 0, 0, 2},
};

TEST(AresStyles, EachRecordGivesItsShapeOrIsCounted) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.text);
        const AresStyles styles = readAresStyles(row.text);
        EXPECT_EQ(styles.notUnderstood, row.notUnderstood);
        const std::string name = row.name;
        if (name.starts_with("=")) {
            const auto trace = styles.traces.find(name.substr(1));
            ASSERT_TRUE(trace != styles.traces.end());
            EXPECT_DOUBLE_EQ(trace->second, row.a);
            continue;
        }
        const auto pad = styles.pads.find(name);
        ASSERT_EQ(pad != styles.pads.end(), row.found);
        if (!row.found) continue;
        const AresPadStyle& s = pad->second;
        EXPECT_EQ(s.kind, row.kind);
        EXPECT_NEAR(s.a, row.a, 1e-9);
        EXPECT_NEAR(s.b, row.b, 1e-9);
        EXPECT_NEAR(s.hole, row.hole, 1e-9);
        EXPECT_EQ(s.points.size(), row.points);
    }
}

TEST(AresStyles, AUsersLibraryReadsWholeAndCutShort) {
    const std::string library = testData("ares/Default.STY");
    for (size_t cut = 0; cut < library.size(); ++cut)
        EXPECT_LE(readAresStyles(std::string_view(library).substr(0, cut)).pads.size(), 50u);
    const AresStyles styles = readAresStyles(library);
    EXPECT_EQ(styles.notUnderstood, 0);
    EXPECT_EQ(styles.pads.size(), 50u);
    EXPECT_EQ(styles.traces.size(), 16u);
    int kinds[8] = {};
    for (const auto& [name, style] : styles.pads) ++kinds[static_cast<int>(style.kind)];
    for (int count : kinds) EXPECT_GT(count, 0);

    const AresPadStyle& mount = styles.pads.at("PCI_MOUNT");
    EXPECT_NEAR(mount.a, 250, 1e-9);
    EXPECT_NEAR(mount.hole, 3200 / 25.4, 1e-9);
    const AresPadStyle& stack = styles.pads.at("STK-BOTTOM-ONLY");
    EXPECT_TRUE(stack.stack);
    EXPECT_EQ(stack.kind, K::SquareThrough);
    EXPECT_NEAR(stack.hole, 1000 / 25.4, 1e-9);
    EXPECT_EQ(styles.pads.at("STK-OCT-60").points.size(), 8u);
    EXPECT_DOUBLE_EQ(styles.traces.at("BUS"), 25);
}

}  // namespace
}  // namespace quorlin::test
