// The board preview: elements against the region records they draw, and what cannot be drawn.
// The demo board's preview is a golden case.
#include "preview/preview.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <regex>

#include "app/core/preview.h"
#include "styles/aresstyles.h"
#include "support/harness.h"
#include "util/text.h"

namespace quorlin::test {
namespace {

using Counts = std::map<std::string, size_t>;

// The preview of a whole region text, read in pieces of the given size; between() sees the
// document as it grows and may take it.
std::string previewSvg(const std::string& rgn, size_t piece = size_t{1} << 20,
                       const std::function<void(std::string&)>& between = {},
                       const AresStyles* styles = nullptr) {
    struct Pieces : FileReader {
        const std::string& text;
        size_t most, at = 0;
        Pieces(const std::string& t, size_t m) : text(t), most(m) {}
        bool read(std::string& out, size_t n) override {
            out = text.substr(at, std::min(n, most));
            at += out.size();
            return true;
        }
        bool rewind() override { return !(at = 0); }
    } source(rgn, piece);
    std::string svg, taken;
    const bool read = drawRegion(
        source, svg,
        [&] {
            if (between) between(svg);
            taken += svg;
            svg.clear();
        },
        nullptr, styles);
    EXPECT_TRUE(read);
    return taken + svg;
}

// Records of each kind in a region file, told apart by their first words and their section;
// the lines the drawing lists as unknown records are not counted.
Counts recordsIn(const std::string& rgn, const std::string& svg = {}) {
    Counts c;
    std::string section;
    for (std::string_view line : splitLines(rgn)) {
        const std::string l(line);
        if (svg.find("unknown record: " + l + "\n") != std::string::npos) continue;
        if (section == "HEADER" && l.rfind("AREA ", 0) == 0) {
            ++c["area"];
        } else if (l.rfind('*', 0) == 0) {
            section = l.substr(1, l.find(' ') == std::string::npos ? l.npos : l.find(' ') - 1);
        } else if (section == "LAYER" && l.rfind('"', 0) == 0) {
            ++c["track"];
        } else if (section == "VIAS" && l.rfind('"', 0) == 0) {
            ++c["via"];
        } else if (section == "OBJECTS") {
            std::smatch m;
            if (std::regex_match(l, m, std::regex("GRAPHIC \\S+ (LINE|PATH|TEXT|BOX) .*")))
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

// Elements by class: "pad", or "pad unknown" for one drawn with a guessed shape.
Counts classes(const std::string& svg) {
    Counts c;
    const std::regex cls(" class=\"([a-z ]+)\"");
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

// Every record drawn is one element of its kind's class, marked unknown when its shape was
// guessed; every other is counted as not drawn or listed as unknown. The region files every
// golden case writes, and those in ARES's own forms, with and without their style files.
TEST(Preview, ElementsOfEveryGoldenBoardMatchItsRecords) {
    int boards = 0, aresDrawings = 0;
    const auto root = std::filesystem::path(QUORLIN_TEST_DATA) / "cases";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::filesystem::path folder = entry.path().parent_path();
        const bool written = folder.filename() == "expected";
        const bool ares = folder.filename().string().rfind("ares-", 0) == 0;
        if (entry.path().extension() != ".rgn" || !(written || ares)) continue;
        std::vector<std::optional<AresStyles>> styleFiles{std::nullopt};
        for (const auto& file : std::filesystem::directory_iterator(folder))
            if (ares && lowerAscii(file.path().extension().string()) == ".sty")
                styleFiles.push_back(readAresStyles(readFile(file.path())));
        for (const std::optional<AresStyles>& styles : styleFiles) {
            SCOPED_TRACE(entry.path().string() + (styles ? " with its style file" : ""));
            const std::string rgn = readFile(entry.path());
            const std::string svg =
                previewSvg(rgn, size_t{1} << 20, {}, styles ? &*styles : nullptr);
            Counts drawn = summary(svg, "drawn"), missed = summary(svg, "not drawn");
            Counts guessed = summary(svg, "drawn with a guessed shape \\(no known style\\)");
            Counts expected;
            for (const auto& [kind, n] : drawn) {
                if (n > guessed[kind]) expected[kind] = n - guessed[kind];
                if (guessed[kind] > 0) expected[kind + " unknown"] = guessed[kind];
            }
            EXPECT_EQ(classes(svg), expected);
            if (written) {
                EXPECT_EQ(missed.count("unknown"), 0u);
            }
            for (const auto& [kind, n] : recordsIn(rgn, svg))
                EXPECT_EQ(n, drawn[kind] + missed[kind]) << kind;
            ++(ares ? aresDrawings : boards);
        }
    }
    EXPECT_GE(boards, 40);
    EXPECT_EQ(aresDrawings, 7);
}

// Read in pieces of any size, drawn layer by layer (bottom first, whatever order the sections
// come in), the document is the same, and what waits to be taken stays small.
TEST(Preview, DrawsInPiecesWhatItDrawsWhole) {
    auto board = [](int tracks) {
        std::string rgn = "ARES REGION FILE\r\n*LAYER TOP\r\n";
        for (int i = 0; i < tracks; ++i)
            rgn += "\"T" + std::to_string(10 + i % 3) + "\" S 1 " + std::to_string(i) + " 0 0 " +
                   std::to_string(i + 1) + "00\r\n";
        rgn += "*END_LAYER\r\n*OBJECTS\r\nPAD \"1\" \"sq050050000\" BOT 0 0 0 0\r\n";
        return rgn + "GRAPHIC TS LINE 4 0.5 -2.25 1e3 7\r\n*END_OBJECTS\r\n";
    };
    const std::string rgn = board(30000), small = board(300);
    size_t most = 0;
    const std::string whole = previewSvg(rgn, rgn.size());
    EXPECT_EQ(previewSvg(rgn, 4096, [&](std::string& svg) { most = std::max(most, svg.size()); }),
              whole);
    EXPECT_LT(most, size_t{64} << 10);
    EXPECT_EQ(previewSvg(small, 7), previewSvg(small, small.size()));
    EXPECT_EQ(classes(whole), (Counts{{"track", 30000}, {"pad", 1}, {"line", 1}}));
    EXPECT_LT(whole.find("<g id=\"BOT\""), whole.find("<g id=\"TOP\""));
    EXPECT_NE(whole.find("d=\"M.005 .0225L10 -.07\""), std::string::npos);
    EXPECT_EQ(withoutLayers(whole, {"TS", "BOT"}).find("<g id=\"BOT\""), std::string::npos);
    EXPECT_EQ(classes(withoutLayers(whole, {"TS", "BOT"})), (Counts{{"track", 30000}}));
}

// Each layer costs a pass over the file: past 64 of them, records are counted, not drawn.
TEST(Preview, LayersPastTheMostAreCountedNotDrawn) {
    std::string rgn = "*OBJECTS\n";
    for (int i = 0; i <= 64; ++i) rgn += "GRAPHIC L" + std::to_string(i) + " LINE 4 0 0 1 1\n";
    const std::string svg = previewSvg(rgn);
    EXPECT_EQ(classes(svg), (Counts{{"line", 64}}));
    EXPECT_EQ(summary(svg, "not drawn"), (Counts{{"line", 1}}));
    EXPECT_NE(svg.find("more than 64 layers: GRAPHIC L64 LINE"), std::string::npos);
}

// A window shows a region file up to its limit and draws a larger one into a file, the same
// picture; a file that cannot be read is said to be so, and a picture that cannot be written.
TEST(Preview, WindowsShowSmallFilesAndWriteLargeOnes) {
    TempDir dir;
    const std::string rgn = testData("preview/odd.rgn");
    dir.write("odd.rgn", rgn);
    std::string document;
    std::vector<std::string> layers;
    EXPECT_EQ(loadPreview(dir.file("odd.rgn"), document, layers, rgn.size()), Loaded::Shown);
    EXPECT_EQ(document, testData("preview/odd.svg"));
    loadPreview(dir.file("odd.rgn"), document, layers, rgn.size());  // a second time, not doubled
    EXPECT_EQ(document, testData("preview/odd.svg"));
    EXPECT_EQ(layers, (std::vector<std::string>{"TOP", "ALL", "TS", "M1"}));
    EXPECT_EQ(loadPreview(dir.file("odd.rgn"), document, layers, rgn.size() - 1), Loaded::TooLarge);
    EXPECT_EQ(document, "");
    EXPECT_EQ(loadPreview(dir.file("none.rgn"), document, layers), Loaded::Unreadable);
    EXPECT_EQ(loadPreview(dir.path().string(), document, layers), Loaded::Unreadable);
    EXPECT_EQ(writePreviewFile(dir.file("odd.rgn"), dir.file("odd.svg")), "");
    EXPECT_EQ(dir.read("odd.svg"), testData("preview/odd.svg"));
    std::filesystem::create_directory(dir.path() / "taken.svg");
    EXPECT_EQ(writePreviewFile(dir.file("odd.rgn"), dir.file("taken.svg")),
              "Cannot write file: " + dir.file("taken.svg"));
    EXPECT_EQ(writePreviewFile(dir.file("none.rgn"), dir.file("none.svg")),
              "Cannot read file: " + dir.file("none.rgn"));
    EXPECT_FALSE(dir.exists("none.svg"));
}

// Unknown records (a field too few or not a number, in every section) and undrawable ones are
// counted and quoted; markup escaped, broken UTF-8 drawn as U+FFFD.
TEST(Preview, OddRecordsShowInTheClosingComment) {
    const std::string svg = previewSvg(testData("preview/odd.rgn"));
    expectGolden(svg, "odd.svg");
    for (const char* seen :
         {"not drawn: pad 1, text 1, unknown 12", "unknown record: CIRCLE TOP",
          "no layer: PAD \"sq\"", "guessed shape (no known style): track 1, via 1, pad 1",
          "A&amp;B &lt;\xc3\xa9&gt; -- x"})
        EXPECT_NE(svg.find(seen), std::string::npos) << seen;
    // Nothing drawn: the square inch around the origin.
    expectGolden(previewSvg("ARES REGION FILE\r\n"), "empty.svg");
}

}  // namespace
}  // namespace quorlin::test
