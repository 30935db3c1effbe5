#include "region/objectrecords.h"

#include <cmath>

#include "region/header.h"
#include "region/recordtext.h"
#include "util/number.h"
#include "util/text.h"

namespace quorlin::objects {

int64_t wholeNum(const Fields& f, long n) {
    return toInt64(roundEven(f.num(n)));
}

double unitsOrZero(double thousandths) {
    const double v = toRegionUnits(thousandths);
    return std::isfinite(v) ? v : 0;
}

double lenientUnits(const Fields& f, long n) {
    return unitsOrZero(f.num(n));
}

bool strictUnits(const Fields& f, long n, double& out) {
    double v = 0;
    if (!f.strictNum(n, v)) return false;
    v = toRegionUnits(v);
    if (!std::isfinite(v)) return false;
    out = asWritten(v);
    return true;
}

void appendLine4(std::string& out, std::string_view layer, double x1, double y1, double x2,
                 double y2) {
    PointText points;
    appendLine4(out, layer, points, x1, y1, x2, y2);
}

void appendLine4(std::string& out, std::string_view layer, PointText& points, double x1, double y1,
                 double x2, double y2) {
    out.append("GRAPHIC ").append(layer).append(" LINE 4 ");
    points.append(out, x1, y1);
    out += ' ';
    points.append(out, x2, y2);
    out.append(kCrLf);
}

void appendLabel(std::string& out, std::string_view layer, double x, double y,
                 std::string_view sizes, std::string_view text) {
    out.append("GRAPHIC ").append(layer).append(" TEXT ");
    appendNumtext(out, x);
    out += ' ';
    appendNumtext(out, y);
    out.append(sizes);
    appendQuoted(out, text);
    out.append(kCrLf);
}

bool isKeyword(const Fields& f, std::string_view word) {
    return equalsLowerAscii(f[1], word);
}

}  // namespace quorlin::objects
