// Hostile content through the whole jobs: odd bytes, huge lines and records, numbers at and past
// the limits of a double, indices far outside every table, and records cut short. Each job must
// finish, keep bytes as they are, and never write a number a reader cannot parse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/driver.h"
#include "support/memory_fs.h"
#include "support/run.h"
#include "util/basic.h"

namespace quorlin::test {
namespace {

using namespace std::string_literals;

struct Expect {
    const char* file;  // output name in the folder
    std::string text;  // must appear in it
};

struct MemoryRun {
    MemoryFileSystem fs;
    RecordingHost host;
    Session s{host};
};

std::string repeat(const std::string& piece, size_t n) {
    std::string out;
    out.reserve(piece.size() * n);
    for (size_t i = 0; i < n; ++i) out += piece;
    return out;
}

// No number in the region file may be "inf" or "nan" (number texts start with a blank or "-").
void expectNoBadNumbers(const MemoryFileSystem& fs) {
    const std::string& rgn = fs.files.at("/h/board.rgn");
    for (const char* bad : {" inf", "-inf", " nan", "-nan"})
        EXPECT_EQ(rgn.find(bad), std::string::npos) << "the region file holds " << bad;
}

void expectOutputs(const MemoryFileSystem& fs, const std::vector<Expect>& expects) {
    for (const auto& e : expects) {
        auto it = fs.files.find("/h/"s + e.file);
        ASSERT_NE(it, fs.files.end()) << e.file;
        EXPECT_NE(it->second.find(e.text), std::string::npos)
            << e.file << " lacks " << e.text.substr(0, 200);
    }
}

const std::string kHead = ";tango-pcb\r\nversion 1 0\r\n";

TEST(Hostile, BoardsFinishAndKeepTheirBytes) {
    struct Case {
        const char* label;
        std::string board;
        bool guides;
        std::vector<Expect> expects;
    };
    const std::string longLine = "zap " + std::string(1 << 20, '\xb5');
    const std::string manyFields = "line 10 0 0 0 1 1 0 0" + repeat(" 7", 100000);
    const Case cases[] = {
        {"NUL and 8-bit bytes",
         crlf(
             {"zap\0\xe9\xff end"s, "text \"\0\xe9\" 60 0 0 8 1000 2100 1000 2100 1120 2160 0 0"s}),
         false,
         {{"board_Trash.txt", "zap\0\xe9\xff end\r\n"s}, {"board.rgn", "\"\0\xe9\"\r\n"s}}},
        {"a line of a megabyte", crlf({longLine}), false, {{"board_Trash.txt", longLine + "\r\n"}}},
        {"a record of 100000 fields",
         crlf({manyFields, "pad sq 60 60 32 al gd 0 1 1 0" + repeat(" 5", 100000),
               "poly 8 3 0" + repeat(" 1", 100000)}),
         false,
         {{"board.rgn", "\"T10\" S 1  0  0  2540  2540\r\n"}}},
        {"numbers past the range of region units",
         crlf({"line 10 0 1e308 0 1 1 0 0", "line 10 8 -1e308 0 1 1 0 0",
               "via c 60 35 nc 1e308 1 0", "arc 1e308 0 90 8 8 0 0 0 0 0",
               "arc 5 0 90 12 0 1e308 0 0 0 0", "text \"t\" 1e308 0 0 8 0 0 0 0 1 1 0 0",
               "pad sq 60 60 32 al gd 0 1e308 -1e308 0 0 0", "poly 8 1 0 0", "pnt 1e308 1"}),
         false,
         {{"board_Trash.txt", "line 10 0 1e308 0 1 1 0 0\r\n"},
          {"board_Trash.txt", "line 10 8 -1e308 0 1 1 0 0\r\n"},
          {"board_Trash.txt", "via c 60 35 nc 1e308 1 0\r\n"},
          {"board_Trash.txt", "arc 1e308 0 90 8 8 0 0 0 0 0\r\n"},
          {"board_Trash.txt", "arc 5 0 90 12 0 1e308 0 0 0 0\r\n"},
          {"board_Trash.txt", "text \"t\" 1e308"},
          {"board.rgn", "PAD \"sq\" \"sq060060032\" ALL   0  0 0 0\r\n"},
          {"board.rgn", "GRAPHIC TS PATH  1  0  2540\r\n"}}},
        {"-0, 1e-320 and 20 digits",
         crlf({"via c 60 35 nc -0 1e-320 0", "via c 60 35 nc 99999999999999999999 -0.0 0"}),
         false,
         {{"board.rgn", "\"Vc060035\" ALL  0  .0000000000000000"},
          {"board.rgn", "\"Vc060035\" ALL  254000000000000000000000  0 0 0\r\n"}}},
        {"nan and inf as numbers",
         crlf({"via c 60 35 nc nan 1 0", "line 10 0 inf 0 1 1 0 0", "line nan 0 0 0 1 1 0 0"}),
         false,
         {{"board_Trash.txt", "via c 60 35 nc nan 1 0\r\n"},
          {"board_Trash.txt", "line 10 0 inf 0 1 1 0 0\r\n"},
          {"board.rgn", "\"Tnan\" S 1  0  0  2540  2540\r\n"}}},
        {"widths and layers outside their tables",
         crlf({"line 1e9 0 0 0 1 1 0 0", "line -7 0 0 0 1 1 0 0", "line 10 1e9 0 0 1 1 0 0",
               "line 10 -1 0 0 1 1 0 0", "arc 5 0 90 70000 0 0 0 0 0 0", "poly 4294967296 2 0 0",
               "pnt 1 1", "pnt 2 2", "text \"x\" 60 0 0 -65536 0 0 0 0 1 1 0 0"}),
         false,
         {{"board.rep", "Track width outside 0 to 250 not registered: 1000000000\r\n"},
          {"board.rep", "Track width outside 0 to 250 not registered: -7\r\n"},
          {"board_Trash.txt", "line 10 1e9 0 0 1 1 0 0\r\nline 10 -1 0 0 1 1 0 0\r\n"},
          {"board_Trash.txt", "poly 4294967296 2 0 0\r\npnt 1 1\r\npnt 2 2\r\n"},
          {"board_Trash.txt", "text \"x\" 60 0 0 -65536"}}},
        {"rotation codes of 70000",
         crlf({"text \"r\" 60 70000 0 8 1000 2100 1000 2100 1120 2160 0 0",
               "comp R1 AXIAL0.4 1 0 0 70000 10K 0 0 1000 2000 0 0 0 0 1 0",
               "pad sq 60 60 32 al gd 70000 1000 2000 70000 1 0"}),
         true,
         {// No rotation text and no width, as for any code outside 0 to 7.
          {"board.rgn", "GRAPHIC TS TEXT  2540000  5334000 254000  0 0 \"r\"\r\n"},
          {"board.rgn", "GRAPHIC M1 TEXT  2540000  5107000 0 0 25400 25400 0 \"R1\"\r\n"},
          {"board.rgn", "GRAPHIC M2 LINE 4  2463800  5003800  2616200  5003800\r\n"}}},
        {"component numbers of 2^40",
         crlf({"comp R1 AXIAL0.4 1 0 0 0 10K 0 0 1000 2000 0 0 0 0 1099511627776 0",
               "pad sq 60 60 32 al gd 0 1000 2000 0 1099511627776 0",
               "line 10 8 0 0 1 1 1099511627776 0", "poly 8 2 1099511627776 0", "pnt 1 1",
               "pnt 2 2", "text \"c\" 60 0 0 8 0 0 0 0 1 1 1099511627776 0"}),
         true,
         {{"board.rgn", "GRAPHIC M3 TEXT  2540000  5107000 0 0 25400 25400 0 \"R1\"\r\n"},
          {"board.rgn", "GRAPHIC M2 TEXT  2542540  5082540 0 0 12700 12700 0 \"sq\"\r\n"},
          {"board.rgn", "GRAPHIC M1 LINE 4  0  0  2540  2540\r\n"},
          {"board.rgn", "GRAPHIC M1 TEXT  2540  5080 0 0 12700 12700 0 \"Poly\"\r\n"},
          {"board.rgn", "GRAPHIC TS TEXT  7620 -50800 0 0  254000 -5842 0 \"c\"\r\n"}}},
        {"polygons whose vertices run past the end",
         crlf({"poly 8 1000000000 0 0", "pnt 1 1", "pnt 2 2", "poly 8 99999999999999999999 0 0",
               "pnt 3 3"}),
         false,
         {{"board.rgn", "GRAPHIC TS PATH  2  2540  2540  5080  5080\r\n"},
          {"board.rgn", "GRAPHIC TS PATH  1  7620  7620\r\n"}}},
        {"polygons with no or a negative count",
         crlf({"poly 8 0 0 0", "pnt 1 1", "poly 8 -5 0 0", "pnt 2 2", "poly 8 -1e308 0 0"}),
         false,
         {{"board.rgn", "GRAPHIC TS PATH  0\r\nGRAPHIC TS PATH  0\r\nGRAPHIC TS PATH  0\r\n"}}},
        {"records cut short",
         crlf({"line", "arc", "via", "pad", "text", "poly", "pnt", "comp", "net"}),
         true,
         {}},
    };
    initchars();
    for (const auto& c : cases) {
        for (int bits = 0; bits < 4; ++bits) {
            SCOPED_TRACE(std::string(c.label) + " options " + std::to_string(bits));
            MemoryRun run;
            ScopedFileSystem scoped(run.fs);
            run.fs.files["/h/board.pcb"] = kHead + c.board;
            run.s.form.fnme = "/h/board.pcb";
            run.s.form.exclusion = c.guides;
            run.s.form.graphastrack = bits & 1;
            run.s.form.tagpads = run.s.form.tagvias = (bits >> 1) & 1;
            Commands_Click(run.s, 0);
            EXPECT_EQ(run.s.form.errorbox, "Conversion complete");
            expectNoBadNumbers(run.fs);
            if (bits == 0) expectOutputs(run.fs, c.expects);
        }
    }
}

TEST(Hostile, NetlistsFinishAndKeepTheirBytes) {
    struct Case {
        const char* label;
        std::string netlist;
        std::vector<Expect> expects;
    };
    const std::string longName(1 << 20, 'N');
    const Case cases[] = {
        {"NUL and 8-bit bytes",
         crlf({"[", "R\xe9\0"s, "PKG", "1K", "]", "(", "N\0\xff"s, "R\xe9\0-1"s, ")"}),
         {{"board.sdf", "R\xe9\0,1K,,EID=1,PACKAGE=PKG\r\n"s},
          {"board.sdf", "N\0\xff,1\r\nR\xe9\0,PS,1\r\n"s}}},
        {"a net name of a megabyte",
         crlf({"(", longName, "R1-1", ")"}),
         {{"board.sdf", longName + ",1\r\n"}}},
        {"a node line of 100000 fields",
         crlf({"(", "N", repeat("R1-2-", 100000), ")"}),
         {{"board.sdf", "N,1\r\nR1,PS,2\r\n"}}},
        {"empty net names",
         crlf({"(", "", "R1-1", ")", "(", "", ")"}),
         {{"board.sdf", "*NETLIST,2\r\n,1\r\nR1,PS,1\r\n\r\n,0\r\n"}}},
        {"part blocks without ]",
         crlf({"[", "R1", "PKG", "10K", "[", "R2", "(", "N", "R1-1"}),
         {{"board.sdf", "*PARTLIST,2\r\nR1,10K,,EID=1,PACKAGE=PKG\r\n"}}},
        {"only brackets", crlf({"]", ")", "]", "("}), {{"board.sdf", "*NETLIST,1\r\n,0\r\n"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        MemoryRun run;
        ScopedFileSystem scoped(run.fs);
        run.fs.files["/h/board.net"] = c.netlist;
        run.s.form.netfnme = "/h/board.net";
        Commands_Click(run.s, 1);
        EXPECT_EQ(run.s.form.errorbox, "Tango netlist to Ares SDF conversion complete");
        expectOutputs(run.fs, c.expects);
    }
}

TEST(Hostile, ComparisonsFinishAndKeepTheirBytes) {
    struct Case {
        const char* label;
        std::string a, b;
        std::vector<Expect> expects;
    };
    const std::string head =
        crlf({"ISIS SCHEMATIC DESCRIPTION FORMAT 6.1", "*PARTLIST,1", "R1,1K", ""});
    const Case cases[] = {
        {"NUL and 8-bit bytes",
         head + crlf({"*NETLIST,1", "\0\xe9,1"s, "R1,PS,\xff"}),
         head + crlf({"*NETLIST,1", "N,1", "R\0,PS,1"s}),
         {{"a_Sorted.txt", "\r\n\0\xe9\r\nR1-\xff\r\n"s}, {"b_Sorted.txt", "R\0-1\r\n"s}}},
        {"a node line of a megabyte and 100000 fields",
         head + crlf({"*NETLIST,1", "N,1", std::string(1 << 20, 'R') + ",PS,1"}),
         head + crlf({"*NETLIST,1", "N,1", repeat("R1,", 100000)}),
         {{"a_Sorted.txt", std::string(1 << 20, 'R') + "-1\r\n"},
          {"b_Sorted.txt", "N\r\nR1-R1\r\n"}}},
        {"empty net names and counts past any table",
         head + crlf({"*NETLIST,99999999999999999999", ",1e308", "R1,PS,1"}),
         head + crlf({"*NETLIST,-1", ",-5", "R1,PS,1"}),
         {}},
        {"no sections at all", "", "\0\0\0"s, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        MemoryRun run;
        ScopedFileSystem scoped(run.fs);
        run.fs.files["/h/a.sdf"] = c.a;
        run.fs.files["/h/b.sdf"] = c.b;
        run.s.form.netlista = "/h/a.sdf";
        run.s.form.netlistb = "/h/b.sdf";
        run.s.form.xsdf = 1;
        Commands_Click(run.s, 2);
        EXPECT_EQ(run.s.form.errorbox, "Netlist comparison complete");
        expectOutputs(run.fs, c.expects);
    }
}

}  // namespace
}  // namespace quorlin::test
