#include "util/basic.h"

#include <cmath>

namespace quorlin {

double cosd(double angle) {
    return std::cos(angle / 180 * kPi);
}
double sind(double angle) {
    return std::sin(angle / 180 * kPi);
}
void cossind(double angle, double& cosine, double& sine) {
    const double x = angle / 180 * kPi;
#if defined(__GLIBC__)
    ::sincos(x, &sine, &cosine);
#else
    cosine = std::cos(x);
    sine = std::sin(x);
#endif
}

std::string versionstring() {
    // The build hands over the project's version, kept once in CMakeLists.txt, in the form the
    // packages carry.
    return QUORLIN_VERSION;
}

}  // namespace quorlin
