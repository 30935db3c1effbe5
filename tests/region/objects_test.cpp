#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/session.h"
#include "region/writers.h"
#include "support/run.h"
#include "util/text.h"

namespace {

using quorlin::Form;
using quorlin::test::crlf;
using quorlin::test::PcbRun;
using quorlin::test::TempDir;

struct Converted {
    std::vector<std::string> objects;  // records after the two origin markers
    std::vector<std::string> trash;    // lines after the heading
    std::string rgn, report, reportbox;
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    for (std::string_view l : quorlin::splitLines(text)) out.emplace_back(l);
    return out;
}

Converted convert(const std::vector<std::string>& board, const Form& form = {}) {
    TempDir dir;
    PcbRun run;
    quorlin::test::runPcb(run, dir, crlf(board), form);
    EXPECT_EQ(run.session.form.errorbox, "Conversion complete");
    Converted c;
    c.rgn = dir.read("board.rgn");
    const auto all = lines(c.rgn);
    size_t i = 0;
    while (i < all.size() && all[i] != "*OBJECTS") ++i;
    for (i += 3; i < all.size() && all[i] != "*END_OBJECTS"; ++i) c.objects.push_back(all[i]);
    if (dir.exists("board_Trash.txt")) {
        const auto t = lines(dir.read("board_Trash.txt"));
        c.trash.assign(t.begin() + 2, t.end());
    }
    if (dir.exists("board.rep")) c.report = dir.read("board.rep");
    c.reportbox = run.session.form.reportbox;
    return c;
}

using Lines = std::vector<std::string>;

TEST(Objects, BoardWithoutObjectsStillGetsTheFrame) {
    const Converted c = convert({";tango-pcb"});
    EXPECT_EQ(c.rgn,
              "ARES REGION FILE\r\n\r\n*HEADER\r\nVERSION 609 600\r\nUNITS 10nm\r\n\r\n"
              "\r\n*OBJECTS\r\nGRAPHIC M1 LINE 4 0 0 0 254000\r\nGRAPHIC M2 LINE 4 0 0 254000 0\r\n"
              "*END_OBJECTS\r\n");
    // The pad list is written even without pads.
    EXPECT_EQ(c.report,
              "Define the following Pads in ARES:\r\n" + std::string(36, '-') + "\r\n\r\n");
    EXPECT_EQ(c.reportbox,
              "Define the following Pads in ARES:\r\n" + std::string(58, '-') + "\r\n\r\n");
    EXPECT_TRUE(c.trash.empty());
}

struct RecordCase {
    const char* name;
    Lines board;
    Form form;
    Lines expected;
};

Form withFlags(int exclusion, int graphastrack, int tagpads, int tagvias) {
    Form f;
    f.exclusion = exclusion, f.graphastrack = graphastrack, f.tagpads = tagpads,
    f.tagvias = tagvias;
    return f;
}

const RecordCase kRecords[] = {
    {"closing_vertex_is_not_counted_twice",
     {"poly 8 5 0 0", "pnt 0 0", "pnt 10 0", "pnt 10 10", "pnt 0 10", "pnt 0 0"},
     {},
     {"GRAPHIC TS PATH  4  25400  0  25400  25400  0  25400  0  0"}},
    {"zone_on_etch_path_elsewhere",
     {"poly 0 2 0 0", "pnt 1 2", "pnt -3 4", "poly 8 1 0 0", "pnt 1 1", "poly 19 1 0 0", "pnt 0 0",
      "poly 3 1 0 0", "pnt 0 0"},
     {},
     {R"(ZONE TOP 0000 "T2" 2  2540  5080 -7620  10160 "T2" "" 2540 2540)",
      "GRAPHIC TS PATH  1  2540  2540", R"(ZONE I5 0000 "T2" 1  0  0 "T2" "" 2540 2540)",
      "GRAPHIC BM PATH  1  0  0"}},
    // A count of -1 must not step back onto the same line; a huge one stops at the vertices.
    {"negative_count_reads_zero",
     {"poly 8 -1 0 0", "pnt 1 1", "poly 9 1e9 0 0", "pnt 1 1", "pnt 2 2",
      "text \"t\" 60 9 0 8 0 0 0 0 0 0 0 0"},
     {},
     {"GRAPHIC TS PATH  0", "GRAPHIC BS PATH  2  2540  2540  5080  5080",
      R"(GRAPHIC TS TEXT  0  0 254000  0 0 "t")"}},
    // Without the tag option a "gt" pad gets no tag.
    {"free_pad_layers",
     {"pad sq 60 60 32 tl nc 0 100 200 0 0 0", "pad mh 125 125 125 tl nc 0 1 1 0 0 0",
      "pad tg 50 50 0 bl nc 0 1 1 0 0 0", "pad SQ 1000 60 5 BL nc 0 -1 0 0 0 0",
      "pad rr 60 60 0 xx gt 0 1 1 0 0 0", "pad ab 60 60 0 tl nc 0 1 1 0 0 0"},
     {},
     {R"(PAD "sq" "sq060060032" TOP   254000  508000 0 0)",
      R"(PAD "mh" "mh125125125" DRL   2540  2540 0 0)",
      R"(PAD "tg" "tg050050000" ALL   2540  2540 0 0)",
      R"(PAD "SQ" "SQ000060005" BOT  -2540  0 0 0)", R"(PAD "rr" "rr060060000"   2540  2540 0 0)",
      R"(PAD "ab" "ab060060000"   2540  2540 0 0)"}},
    {"pad_tag_up_and_right",
     {"pad sq 60 60 32 tl gt 0 100 200 0 0 0", "pad sq 60 60 32 tl nc 0 100 200 0 0 0",
      "pad sq 60 60 32 tl GD 0 -1 -1 0 0 0"},
     withFlags(0, 0, 1, 0),
     {R"(PAD "sq" "sq060060032" TOP   254000  508000 0 0)",
      R"(GRAPHIC KO TEXT  256540  510540 0 0 20000 20000 0 "gt")",
      R"(PAD "sq" "sq060060032" TOP   254000  508000 0 0)",
      R"(PAD "sq" "sq060060032" TOP  -2540 -2540 0 0)",
      R"(GRAPHIC KO TEXT  0  0 0 0 20000 20000 0 "GD")"}},
    {"via_tags",
     {"via c 60 35 PD 100 -50 0", "via c 60 35 nc 1 1 0"},
     withFlags(0, 0, 0, 1),
     {R"(GRAPHIC KO TEXT  256540 -124460 0 0 20000 20000 0 "PD")"}},
    {"via_tags_off", {"via c 60 35 PD 100 -50 0"}, {}, {}},
    {"refdes_texts_dropped",
     {"text \"U1.REFDES\" 60 0 0 8 0 0 0 0 0 0 0 0", "text \".RefDes\" 60 9 0 8 0 0 0 0 0 0 0 0",
      "text \"ok\" 60 9 0 8 0 0 0 0 0 0 0 0"},
     {},
     {R"(GRAPHIC TS TEXT  0  0 254000  0 0 "ok")"}},
    // Silk lines are graphics unless graphics are drawn as tracks; board edge always is.
    {"silk_lines_as_graphics",
     {"line 5 8 1 2 3 4 0 0", "line 5 14 1 2 3 4 0 0"},
     {},
     {"GRAPHIC TS LINE 4  2540  5080  7620  10160", "GRAPHIC ED LINE 4  2540  5080  7620  10160"}},
    {"silk_lines_as_tracks",
     {"line 5 8 1 2 3 4 0 0", "line 5 14 1 2 3 4 0 0"},
     withFlags(0, 1, 0, 0),
     {"GRAPHIC ED LINE 4  2540  5080  7620  10160"}},
    // Strict coordinates go through 15 significant digits.
    {"strict_coordinates",
     {"line 5 14 0.1 1e-3 +7 -0 0 0"},
     {},
     {"GRAPHIC ED LINE 4  254  2.54  17780  0"}},
    // Quoted fields keep the record's quotes balanced.
    {"quotes_balanced",
     {"pad \"sq\" 60 60 32 tl nc 0 1 1 0 0 0", "comp R\"1 X 1 0 0 0 V 0 0 0 0 0 0 0 0 1 0"},
     {},
     {R"(PAD "sq" "'s060060032"   2540  2540 0 0)",
      R"(GRAPHIC M3 TEXT  0  27000 0 0 25400 25400 0 "R'1")",
      R"(GRAPHIC M3 TEXT  0 -27000 0 0 25400 25400 0 "V")"}},
};

class ObjectRecords : public ::testing::TestWithParam<RecordCase> {};

TEST_P(ObjectRecords, Written) {
    const RecordCase& rc = GetParam();
    Lines board{";tango-pcb"};
    board.insert(board.end(), rc.board.begin(), rc.board.end());
    const Converted c = convert(board, rc.form);
    EXPECT_EQ(c.objects, rc.expected);
    EXPECT_TRUE(c.trash.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ObjectRecords, ::testing::ValuesIn(kRecords),
                         [](const auto& info) { return std::string(info.param.name); });

// Records that cannot be written go to the trash file once, whole.
struct TrashCase {
    const char* name;
    Lines board;
    int exclusion;
    Lines trash;
    Lines objects;
};

const TrashCase kTrash[] = {
    {"component_position_not_a_number",
     {"comp U1 X 1 0 0 0 V 0 0 1O0 0 0 0 0 0 1 0", "comp U2"},
     0,
     {"comp U1 X 1 0 0 0 V 0 0 1O0 0 0 0 0 0 1 0", "comp U2"},
     {}},
    // Rejected once in the pre-pass, it still makes its component a top one.
    {"component_pad_position_not_a_number",
     {"comp U1 X 1 0 0 0 V 0 0 0 0 0 0 0 0 1 0", "pad sq 60 60 0 tl nc 0 0 y 0 1 0"},
     1,
     {"pad sq 60 60 0 tl nc 0 0 y 0 1 0"},
     {R"(GRAPHIC M1 TEXT  0  27000 0 0 25400 25400 0 "U1")",
      R"(GRAPHIC M1 TEXT  0 -27000 0 0 25400 25400 0 "V")"}},
    {"component_polygon_without_guide_layer",
     {"poly 3 2 1 0", "pnt 0 0", "pnt 1 1"},
     1,
     {"poly 3 2 1 0", "pnt 0 0", "pnt 1 1"},
     {}},
    {"component_line_and_arc_off_silk",
     {"line 5 1 0 0 1 1 1 0", "arc 10 0 90 5 0 0 0 0 1 0"},
     1,
     {"line 5 1 0 0 1 1 1 0", "arc 10 0 90 5 0 0 0 0 1 0"},
     {}},
    {"component_tg_pad_outline",
     {"pad tg 60 60 0 tl nc 0 0 0 0 1 0"},
     1,
     {"pad tg 60 60 0 tl nc 0 0 0 0 1 0"},
     {R"(GRAPHIC M2 TEXT  2540  2540 0 0 12700 12700 0 "tg")",
      R"(GRAPHIC M2 TEXT -26000 -14300 0 0 12700 12700 0 "tg")",
      R"(GRAPHIC M2 TEXT  2540 -14300 0 0 12700 12700 0 "tl")",
      "GRAPHIC M2 LINE 4  0 -12700  0  12700", "GRAPHIC M2 LINE 4 -12700  0  12700  0"}},
    {"texts_without_layer",
     {"text \"a\" 60 0 0 23 0 0 0 0 0 0 0 0", "text \"b\" 60 0 0 -1 0 0 0 0 0 0 1 0"},
     1,
     {"text \"a\" 60 0 0 23 0 0 0 0 0 0 0 0", "text \"b\" 60 0 0 -1 0 0 0 0 0 0 1 0"},
     {}},
    {"free_polygon_without_layer",
     {"poly 23 2 0 0", "pnt 0 0", "pnt 1 1", "pnt 2 2"},
     0,
     {"poly 23 2 0 0", "pnt 0 0", "pnt 1 1"},
     {}},
    {"graphic_line_position_not_a_number",
     {"line 5 14 0 0 1 1x 0 0", "line 5 14 0 0 1 1e999 0 0"},
     0,
     {"line 5 14 0 0 1 1x 0 0", "line 5 14 0 0 1 1e999 0 0"},
     {}},
};

class ObjectTrash : public ::testing::TestWithParam<TrashCase> {};

TEST_P(ObjectTrash, LinesGoToTheTrashOnce) {
    const TrashCase& tc = GetParam();
    Lines board{";tango-pcb"};
    board.insert(board.end(), tc.board.begin(), tc.board.end());
    Form form;
    form.exclusion = tc.exclusion;
    const Converted c = convert(board, form);
    EXPECT_EQ(c.trash, tc.trash);
    EXPECT_EQ(c.objects, tc.objects);
}

INSTANTIATE_TEST_SUITE_P(Cases, ObjectTrash, ::testing::ValuesIn(kTrash),
                         [](const auto& info) { return std::string(info.param.name); });

// The side table takes any component number; the reference texts look it up folded to 0..4095.
TEST(Objects, ComponentSides) {
    Form form;
    form.exclusion = 1;
    const Converted c = convert(
        {";tango-pcb", "comp A X 1 0 0 0 V 0 0 0 0 0 0 0 0 1 0", "pad sq 60 60 0 bl nc 0 0 0 0 1 0",
         "comp B X 1 0 0 0 V 0 0 0 0 0 0 0 0 4097 0", "pad sq 60 60 0 tl nc 0 0 0 0 4097 0",
         "comp C X 1 0 0 0 V 0 0 0 0 0 0 0 0 20000 0", "pad sq 60 60 0 tl nc 0 0 0 0 20000 0",
         "comp D X 1 0 0 0 V 0 0 0 0 0 0 0 0 2.5 0", "pad sq 60 60 0 tl nc 0 0 0 0 2 0 0 -1 0"},
        form);
    std::vector<std::string> layers;
    for (const std::string& line : c.objects)
        if (line.ends_with("\"sq\"") || line.ends_with("\"V\""))
            layers.push_back(line.substr(8, 2));
    // References ("V"): A bottom; B read as A; C as 20000 AND 4095, never set; D as 2 (halves to
    // even), made top by a free pad. Markers (two "sq" texts each): A bottom, B and C top by their
    // own numbers.
    EXPECT_EQ(layers, (Lines{"M3", "M3", "M3", "M1", "M4", "M4", "M2", "M2", "M2", "M2"}));
}

// TR2 is registered before the pad styles; with the style file chosen nothing is reported.
TEST(Objects, StylesRegisteredInOrder) {
    quorlin::test::RecordingHost host;
    quorlin::Session s(host);
    s.base = "board";
    s.form.writestyle = 1;
    s.sets.freepolyset = {"poly 1 1 0 0", "pnt 0 0"};
    s.sets.freepadset = {"pad rr 60 60 35 tl nc 0 0 0 0 0 0", "pad sq 5 5 5 tl nc 0 0 0 0 0 0",
                         "pad rr 60 60 35 bl nc 0 0 0 0 0 0"};
    quorlin::objecttranslate(s);
    EXPECT_EQ(s.registry.styles(), (Lines{"TR2", "rr060060035", "sq005005005"}));
    EXPECT_FALSE(s.out.has("board.rep"));
    EXPECT_EQ(s.form.reportbox, "");
    EXPECT_EQ(s.form.errorbox, "Components exported to region file successfully");
    EXPECT_TRUE(s.trashempty);
}

TEST(Objects, ZoneStyleReportedBeforePads) {
    const Converted c =
        convert({";tango-pcb", "poly 20 1 0 0", "pnt 0 0", "pad rr 60 60 35 tl nc 0 0 0 0 0 0"});
    const std::string dashes(36, '-');
    EXPECT_EQ(c.report, "Polygon found on etch layer.\r\nDefine the following Tracks in ARES:\r\n" +
                            dashes + "\r\nTR2\r\n\r\nDefine the following Pads in ARES:\r\n" +
                            dashes + "\r\nrr060060035\trr-060-060-035\r\n\r\n");
    const std::string box(58, '-');
    EXPECT_EQ(c.reportbox,
              "Polygon found on etch layer.\r\nDefine the following Tracks in ARES:\r\n" + box +
                  "\r\nTR2\r\n\r\nDefine the following Pads in ARES:\r\n" + box +
                  "\r\nrr060060035\trr-060-060-035\r\n\r\n");
}

}  // namespace
