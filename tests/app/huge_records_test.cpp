// Records far larger than any real file holds: every job finishes and keeps their bytes.
#include <gtest/gtest.h>

#include "app/job_run.h"
#include "support/harness.h"

namespace quorlin::test {
namespace {

std::string repeat(const std::string& piece, size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) out += piece;
    return out;
}

TEST(HugeRecords, JobsFinishAndKeepTheirBytes) {
    const std::string megabyte(1 << 20, '\xb5');
    const struct {
        int job;
        std::string input;  // board.pcb, board.net or a.sdf (b.sdf has no net)
        const char* output;
        std::string expected;  // must appear in the output
    } cases[] = {
        {0, crlf({";tango-pcb", "zap " + megabyte}), "board_Trash.txt", "zap " + megabyte + "\r\n"},
        {0, crlf({"line 10 0 0 0 1 1 0 0" + repeat(" 7", 100000)}), "board.rgn",
         "\"T10\" S 1  0  0  2540  2540\r\n"},
        {0, crlf({"pad sq 60 60 32 al gd 0 1 1 0" + repeat(" 5", 100000)}), "board.rgn",
         "PAD \"sq\" \"sq060060032\" ALL   2540  2540 0 0\r\n"},
        {1, crlf({"(", megabyte, "R1-1", ")"}), "board.sdf", megabyte + ",1\r\n"},
        {1, crlf({"(", "N", repeat("R1-2-", 100000), ")"}), "board.sdf", "N,1\r\nR1,PS,2\r\n"},
        {2, crlf({"*NETLIST,1", "N,1", megabyte + ",PS,1"}), "a_Sorted.txt", megabyte + "-1\r\n"},
        {2, crlf({"*NETLIST,1", "N,1", repeat("R1,", 100000)}), "a_Sorted.txt", "N\r\nR1-R1\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        TempDir dir;
        JobRun run;
        const char* source[] = {"board.pcb", "board.net", "a.sdf"};
        dir.write(source[c.job], c.input);
        dir.write("b.sdf", "*NETLIST,0\r\n");
        run.form().fnme = run.form().netfnme = run.form().netlista = dir.file(source[c.job]);
        run.form().netlistb = dir.file("b.sdf");
        run.form().xsdf = 1;
        run.click(c.job);
        EXPECT_FALSE(run.failed()) << run.form().errorbox;
        EXPECT_NE(dir.read(c.output).find(c.expected), std::string::npos);
    }
}

}  // namespace
}  // namespace quorlin::test
