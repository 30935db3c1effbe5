// Small routines every part of the program shares: trigonometry in degrees, the version text.
#pragma once

#include <string>

namespace quorlin {

// The constant is the one the board files were drawn with, not full-precision pi.
inline constexpr double kPi = 3.141592654;

double cosd(double angle);
double sind(double angle);
// Both at once, each the same to the bit as cosd and sind: the points of an arc need both, and
// the C library can share one range reduction between them.
void cossind(double angle, double& cosine, double& sine);

// The version as the programs and the packages show it: "1.1.2".
std::string versionstring();

}  // namespace quorlin
