#include "region/text.h"

#include <cmath>

#include "region/header.h"
#include "region/recordtext.h"
#include "util/fields.h"
#include "util/number.h"
#include "util/text.h"

namespace quorlin {

namespace {

// Per rotation code 0..7: rotation text and the anchor shift as multiples of the two offsets
// (a = 0.03 h along the text, b = 0.2 h across it).
struct Orientation {
    std::string_view rotation;
    int ax, bx, ay, by;
};
constexpr Orientation kOrientations[8] = {
    {" 0 0 ", 1, 0, 0, -1},     {" 900 0 ", 0, 1, 1, 0},   {" 1800 0 ", -1, 0, 0, 1},
    {" 2700 0 ", 0, -1, -1, 0}, {" 0 1 ", -1, 0, 0, -1},   {" 900 1 ", 0, 1, -1, 0},
    {" 1800 1 ", 1, 0, 0, 1},   {" 2700 1 ", 0, -1, 1, 0},
};

}  // namespace

std::string convtext(std::string_view textline) {
    if (textline.empty()) return {};
    // The text between the first double quote and the next (or the line end).
    std::string_view text;
    if (const size_t open = textline.find('"'); open != std::string_view::npos) {
        const size_t close = textline.find('"', open + 1);
        text =
            textline.substr(open + 1, close == std::string_view::npos ? close : close - open - 1);
    }
    // The quoted text may hold blanks, so numeric fields are counted from the end. One field
    // table serves every call.
    static thread_local Fields f;
    f.assign(textline);
    const long n = f.count();
    const double layerIndex = roundEven(f.num(n - 8));
    const std::string_view layer =
        layerIndex >= 0 && layerIndex <= 22 ? layertranslate(static_cast<long>(layerIndex)) : "";
    if (layer.empty()) return {};

    const double h = roundEven(toRegionUnits(f.num(n - 11)) * 10 / 6);
    const double code = roundEven(f.num(n - 10));
    double x = roundEven(toRegionUnits(f.num(n - 7)));
    double y = roundEven(toRegionUnits(f.num(n - 6)));
    std::string_view rotation;
    double width = 0;
    if (code >= 0 && code <= 7) {
        const int c = static_cast<int>(code);
        // Even codes run along X, odd ones along Y.
        const long from = c % 2 == 0 ? n - 5 : n - 4;
        const double extent =
            roundEven(std::fabs(toRegionUnits(f.num(from + 2)) - toRegionUnits(f.num(from))));
        if (!text.empty())
            width = roundEven(
                (extent - h / (1000 * kRegionUnitsPerThousandth) * 33 * kRegionUnitsPerThousandth) /
                static_cast<double>(text.size()));
        const Orientation& o = kOrientations[c];
        const double a = h / (100 * kRegionUnitsPerThousandth) * 3 * kRegionUnitsPerThousandth;
        const double b = 0.2 * h;
        x = roundEven(x + (o.ax != 0 ? o.ax * a : o.bx * b));
        y = roundEven(y + (o.ay != 0 ? o.ay * a : o.by * b));
        rotation = o.rotation;
    }

    // Sizes or places beyond the range of a double cannot be written.
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(h) || !std::isfinite(width))
        return {};

    std::string line = "GRAPHIC ";
    line.append(layer).append(" TEXT ");
    appendNumtext(line, x);
    line += ' ';
    appendNumtext(line, y);
    line.append(rotation);
    appendNumtext(line, h);
    line += ' ';
    appendNumtext(line, width);
    line.append(" 0 ");
    appendQuoted(line, text);
    return line;
}

}  // namespace quorlin
