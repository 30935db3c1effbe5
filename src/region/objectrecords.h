// Reading Tango fields into region units and writing the small records every object block shares.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "region/pointtext.h"
#include "util/fields.h"

namespace quorlin::objects {

// A lenient field rounded to a whole number (halves to even), saturating.
int64_t wholeNum(const Fields& f, long n);

// Thousandths in region units; 0 when that overflows, as for any field that is not a usable number.
double unitsOrZero(double thousandths);

// Lenient field in region units (unitsOrZero), written without further rounding.
double lenientUnits(const Fields& f, long n);

// Strict field in region units, cut to 15 significant digits so later sums see what a reader of the
// written number would. False when the field is not wholly a finite number.
bool strictUnits(const Fields& f, long n, double& out);

// "GRAPHIC <layer> LINE 4 x1 y1 x2 y2", numbers as signed number text.
void appendLine4(std::string& out, std::string_view layer, double x1, double y1, double x2,
                 double y2);
// The same for lines that each start where the last ended: points keeps the last point's text.
void appendLine4(std::string& out, std::string_view layer, PointText& points, double x1, double y1,
                 double x2, double y2);

// "GRAPHIC <layer> TEXT x y" + sizes + quoted text; sizes is the fixed middle such as
// " 0 0 12700 12700 0 ".
void appendLabel(std::string& out, std::string_view layer, double x, double y,
                 std::string_view sizes, std::string_view text);

// Text sizes of the fixed-size labels.
inline constexpr std::string_view kTagSizes = " 0 0 20000 20000 0 ";
inline constexpr std::string_view kReferenceSizes = " 0 0 25400 25400 0 ";
inline constexpr std::string_view kGuideSizes = " 0 0 12700 12700 0 ";

// The record keyword in lower case compared with word.
bool isKeyword(const Fields& f, std::string_view word);

}  // namespace quorlin::objects
