#include "styles/padshapes.h"

#include "util/basic.h"
#include "util/number.h"
#include "util/text.h"

namespace quorlin {

namespace {

// Arc points are snapped to tenths so ARES gets short numbers; the corner and end points are
// not, and keep the small error of the trigonometry (ARES reads them as they are).
double tenths(double v) {
    return roundEven(v * 10) / 10;
}

// Cosine and sine of the angles the shapes use, 0, 10, ..., 440 degrees, worked out once: the
// same values cosd and sind give, without their cost for every vertex of thousands of styles.
struct TenDegrees {
    static constexpr int kSteps = 45;
    double c[kSteps], s[kSteps];
    TenDegrees() {
        for (int i = 0; i < kSteps; ++i) {
            c[i] = cosd(10 * i);
            s[i] = sind(10 * i);
        }
    }
};

const TenDegrees& tenDegrees() {
    static const TenDegrees table;
    return table;
}

double cos10(int angle) {
    return tenDegrees().c[angle / 10];
}

double sin10(int angle) {
    return tenDegrees().s[angle / 10];
}

// Points at angles from, from + 10, ..., to around (cx, cy), snapped to tenths.
void arc(std::vector<Vertex>& v, double cx, double cy, double r, int from, int to) {
    for (int angle = from; angle <= to; angle += 10)
        v.push_back({tenths(cx + r * cos10(angle)), tenths(cy + r * sin10(angle))});
}

}  // namespace

std::vector<Vertex> roundedRectangle(double a, double b) {
    const double r = roundEven(a >= b ? b / 4 : a / 4);
    const double w = roundEven(a - 2 * r);
    const double h = roundEven(b - 2 * r);
    const Vertex centres[4] = {{w / 2, h / 2}, {-w / 2, h / 2}, {-w / 2, -h / 2}, {w / 2, -h / 2}};
    std::vector<Vertex> v;
    v.reserve(40);
    for (int k = 0; k < 4; ++k) {
        const double cx = centres[k].x, cy = centres[k].y;
        const int start = 90 * k;
        v.push_back({cx + r * cos10(start), cy + r * sin10(start)});
        arc(v, cx, cy, r, start + 10, start + 80);
        v.push_back({cx + r * cos10(start + 90), cy + r * sin10(start + 90)});
    }
    return v;
}

std::vector<Vertex> ellipse(double a, double b) {
    std::vector<Vertex> v;
    v.reserve(36);
    for (int angle = 0; angle <= 350; angle += 10)
        v.push_back({tenths(a / 2 * cos10(angle)), tenths(b / 2 * sin10(angle))});
    return v;
}

std::vector<Vertex> obround(double a, double b) {
    std::vector<Vertex> v;
    v.reserve(38);
    if (b >= a) {  // tall: half circles at top and bottom
        const double r = a / 2, d = b / 2 - a / 2;
        v.push_back({r, d});
        arc(v, 0, d, r, 10, 170);
        v.push_back({-r, d});
        v.push_back({-r, -d});
        arc(v, 0, -d, r, 190, 350);
        v.push_back({r, -d});
    } else {  // wide: half circles at right and left
        const double r = b / 2, d = a / 2 - b / 2;
        v.push_back({d, -r});
        arc(v, d, 0, r, 280, 440);
        v.push_back({d, r});
        v.push_back({-d, r});
        arc(v, -d, 0, r, 100, 260);
        v.push_back({-d, -r});
    }
    return v;
}

void appendVertexLines(std::string& out, const std::vector<Vertex>& vertices) {
    for (const Vertex& p : vertices) {
        out += "+ ";
        appendNumtext(out, p.x);
        out += "th,";
        appendNumtext(out, p.y);
        out += "th";
        out += kCrLf;
    }
}

}  // namespace quorlin
