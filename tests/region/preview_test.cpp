// The board preview: elements against the region records they draw, and what cannot be drawn.
// The demo board's preview is a golden case.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>

#include "region/svgwriter.h"
#include "support/harness.h"
#include "util/text.h"

namespace quorlin::test {
namespace {

using Counts = std::map<std::string, size_t>;

// Records of each kind in a region file, told apart by their first words and their section.
Counts recordsIn(const std::string& rgn) {
    Counts c;
    std::string section;
    for (std::string_view line : splitLines(rgn)) {
        const std::string l(line);
        if (l.rfind('*', 0) == 0) {
            section = l.substr(1, l.find(' ') == std::string::npos ? l.npos : l.find(' ') - 1);
        } else if (section == "LAYER" && l.rfind('"', 0) == 0) {
            ++c["track"];
        } else if (section == "VIAS" && l.rfind('"', 0) == 0) {
            ++c["via"];
        } else if (section == "OBJECTS") {
            std::smatch m;
            if (std::regex_match(l, m, std::regex("GRAPHIC \\S+ (LINE|PATH|TEXT) .*")))
                ++c[lowerAscii(m[1].str())];
            else if (l.rfind("PAD ", 0) == 0 || l.rfind("ZONE ", 0) == 0)
                ++c[lowerAscii(l.substr(0, l.find(' ')))];
        }
    }
    return c;
}

// The "kind N" pairs of the closing comment's line that starts with label.
Counts summary(const std::string& svg, const std::string& label) {
    Counts c;
    std::smatch line;
    if (!std::regex_search(svg, line, std::regex("\n" + label + ":([^\n]*)"))) return c;
    const std::string pairs = line[1].str();
    const std::regex pair("([a-z]+) ([0-9]+)");
    for (std::sregex_iterator it(pairs.begin(), pairs.end(), pair), end; it != end; ++it)
        if (const size_t n = std::stoul((*it)[2].str())) c[(*it)[1].str()] = n;
    return c;
}

Counts classes(const std::string& svg) {
    Counts c;
    const std::regex cls(" class=\"([a-z]+)\"");
    for (std::sregex_iterator it(svg.begin(), svg.end(), cls), end; it != end; ++it)
        ++c[(*it)[1].str()];
    return c;
}

// QUORLIN_UPDATE_GOLDEN rewrites the expected files from the output (review them after).
void expectGolden(const std::string& actual, const std::string& name) {
    const auto path = std::filesystem::path(QUORLIN_TEST_DATA) / "preview" / name;
    if (std::getenv("QUORLIN_UPDATE_GOLDEN")) writeFile(path, actual);
    EXPECT_EQ(actual, readFile(path)) << name;
}

TEST(Preview, ElementsOfEveryGoldenBoardMatchItsRecords) {
    int boards = 0;
    const auto root = std::filesystem::path(QUORLIN_TEST_DATA) / "cases";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.path().extension() != ".rgn" ||
            entry.path().parent_path().filename() != "expected")
            continue;
        SCOPED_TRACE(entry.path().string());
        const std::string rgn = readFile(entry.path());
        const std::string svg = previewSvg(rgn);
        Counts drawn = summary(svg, "drawn"), missed = summary(svg, "not drawn");
        EXPECT_EQ(classes(svg), drawn);
        EXPECT_EQ(missed.count("unknown"), 0u);
        for (const auto& [kind, n] : recordsIn(rgn))
            EXPECT_EQ(n, drawn[kind] + missed[kind]) << kind;
        ++boards;
    }
    EXPECT_GE(boards, 40);
}

// A layer larger than a part is drawn from several; the streamed document, its slot filled in
// at the end, is the kept one byte for byte.
TEST(Preview, StreamsLargeLayersInPartsAsKeptDocumentsDrawThem) {
    std::string rgn = "ARES REGION FILE\r\n*LAYER TOP\r\n";
    for (int i = 0; i < 120000; ++i)
        rgn += "\"T" + std::to_string(10 + i % 3) + "\" S 1 " + std::to_string(i) + " 0 0 " +
               std::to_string(i + 1) + "00\r\n";
    rgn += "*END_LAYER\r\n*LAYER BOT\r\n\"T8\" S 1 -5 0 0 7\r\n*END_LAYER\r\n";
    std::string streamed;
    SvgPreview stream([&](std::string& chunk) { streamed += chunk; });
    for (size_t at = 0; at < rgn.size(); at += 1 << 20) stream.feed(rgn.substr(at, 1 << 20));
    stream.finish();
    streamed.replace(SvgPreview::boxOffset(), stream.box().size(), stream.box());
    const std::string kept = previewSvg(rgn);
    EXPECT_EQ(streamed, kept);
    EXPECT_EQ(classes(kept), (Counts{{"track", 120001}}));
    const size_t bot = kept.find("<g id=\"BOT\""), top = kept.find("<g id=\"TOP\"");
    EXPECT_LT(bot, top);  // bottom first, though its section came last
    EXPECT_NE(kept.find("<use xlink:href=\"#TOP.2\"/>", top), std::string::npos);
    EXPECT_LT(kept.find("<g id=\"TOP.2\""), kept.find("</defs>"));
}

// Whole numbers of pads, tracks and lines: the same text as decimals, however the text is cut.
// Outlines of many styles: all before their use.
TEST(Preview, WholeNumbersDrawAsTheirDecimalSpellings) {
    std::vector<std::string> n = {"0",    "-0",       "007",       "5",          "-5",
                                  "50",   "-100",     "-1234567",  "-99999999",  "123456789",
                                  "1200", "12345678", "987654321", "-4000000000"};
    std::string ints = "ARES REGION FILE\n*OBJECTS\n", decimals = ints;
    auto add = [&](const std::string& head, size_t i, size_t count, const char* tail = "") {
        std::string whole = head, decimal = head;
        for (size_t k = 0; k < count; ++k, i /= n.size()) {
            whole += " " + n[i % n.size()];
            decimal += " " + n[i % n.size()] + (k % 2 ? ".0" : ".00");
        }
        ints += whole + tail + "\n";
        decimals += decimal + tail + "\n";
    };
    for (size_t i = 0; i < 40000; ++i) {
        const std::string pad = "PAD \"sq\" \"sq" + std::to_string(100 + i % 900) +
                                std::to_string(100 + i / 900) + "0" + char('1' + i % 7) + "\" TOP";
        add(pad, i, 2, " 0 0");
        if (i % 4 == 0) add("GRAPHIC TS LINE 4", i * 7, 4);
    }
    ints += "*END_OBJECTS\n*LAYER TOP\n";
    decimals += "*END_OBJECTS\n*LAYER TOP\n";
    for (size_t i = 0; i < 30000; ++i) add("\"T10\" S 1", i * 13, 4);
    n = {"9876543210", "-9876543210"};  // the box's ends, in a track of its own
    add("\"T10\" S 1", 2, 4);
    const std::string svg = previewSvg(ints);
    EXPECT_TRUE(svg == previewSvg(decimals));  // (a diff this long is too much to print)
    EXPECT_EQ(classes(svg), (Counts{{"pad", 40000}, {"line", 10000}, {"track", 30001}}));
    EXPECT_NE(svg.find("<path id=\"s-1\""), std::string::npos);
    EXPECT_LT(svg.rfind("<path id=\"s-"), svg.find("<g id=\"TOP.1\""));
    // Lines cut anywhere, numbers too: read past their cut as if whole.
    std::string streamed;
    SvgPreview stream([&](std::string& chunk) { streamed += chunk; });
    for (size_t at = 0, cut = 1; at < ints.size(); at += cut, cut = cut % 23 + 1)
        stream.feed(std::string_view(ints).substr(at, cut));
    stream.finish();
    streamed.replace(SvgPreview::boxOffset(), stream.box().size(), stream.box());
    EXPECT_TRUE(streamed == svg);
    // Numbers of 16 digits and more (the box falls back to the square inch).
    n = {"1234567890123456", "-12345678901234567", "123456789012345678", "-12345678901234567890"};
    ints = decimals = "ARES REGION FILE\n*OBJECTS\n";
    add("GRAPHIC TS LINE 4", 5, 4);
    ints += "*END_OBJECTS\n*LAYER TOP\n";
    decimals += "*END_OBJECTS\n*LAYER TOP\n";
    for (size_t i = 0; i < 256; ++i) add("\"T10\" S 1", i, 4);
    EXPECT_EQ(previewSvg(ints), previewSvg(decimals));
}

// Unknown records and undrawable ones are counted and quoted; markup and stray bytes escaped.
// Tracks with a quoted field, or too long for the quick split, read as the general split reads.
TEST(Preview, OddRecordsShowInTheClosingComment) {
    const std::string svg = previewSvg(testData("preview/odd.rgn"));
    expectGolden(svg, "odd.svg");
    for (const char* seen :
         {"not drawn: via 1, pad 2, text 1, unknown 3", "unknown record: CIRCLE TOP",
          "style name not decodable: PAD \"xx\"", "no layer: PAD \"sq\"",
          "hairlines (width not a "
          "number): 1",
          "A&amp;B &lt;\xc3\xa9&gt; -- x", "unknown record: *TRAILER"})
        EXPECT_NE(svg.find(seen), std::string::npos) << seen;
}

}  // namespace
}  // namespace quorlin::test
