#include "preview/svgnumbers.h"

#include <cmath>

#include "util/text.h"

namespace quorlin {

double regionUnits(double thousandths) {
    return thousandths * 2540;
}

void appendMicrons(std::string& out, double units) {
    out += plainnum(roundEven(units) / 100);
}

void appendScaled(std::string& out, double units) {
    out += plainnum(units / 100);
}

void appendPlain(std::string& out, double v) {
    out += plainnum(v);
}

}  // namespace quorlin
