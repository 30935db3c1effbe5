#include "util/basic.h"

#include <cmath>
#include <cstdint>

#include "util/fields.h"
#include "util/number.h"
#include "util/text.h"

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

int hexvalue(const std::string& digits) {
    const std::string word = upperAscii(getfield(digits, 1, ""));
    uint32_t sum = 0;  // wraps like a 32-bit register instead of overflowing
    double weight = 1;
    for (size_t k = word.size(); k-- > 0; weight *= 16) {
        const char c = word[k];
        double contribution = 0;
        if (c >= '0' && c <= '9')
            contribution = (c - '0') * weight;
        else if (c >= 'A' && c <= 'F')
            contribution = (c - 55) * weight;
        sum += static_cast<uint32_t>(toInt64(roundEven(contribution)));
    }
    return static_cast<int>(sum);
}

std::string versionstring() {
    // The build hands over the project's version, kept once in CMakeLists.txt, in the form the
    // packages carry.
    return QUORLIN_VERSION;
}

}  // namespace quorlin
