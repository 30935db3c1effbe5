// The two numbers of a point as a segment record has them: "<x> <y>", each in signed number
// text. Each segment of an arc starts where the last one ended, so the text of the last point
// written is kept and copied when that point comes again.
#pragma once

#include <cmath>
#include <string>

#include "util/number.h"

namespace quorlin {

class PointText {
  public:
    // Appends the point to out.
    void append(std::string& out, double x, double y) {
        // Equal numbers have equal text (zero and negative zero alike), and NaN equals nothing.
        if (x == x_ && y == y_) {
            out.append(text_);
            return;
        }
        const size_t from = out.size();
        appendNumtext(out, x);
        out += ' ';
        appendNumtext(out, y);
        text_.assign(out, from);
        x_ = x;
        y_ = y;
    }

  private:
    double x_ = NAN, y_ = NAN;
    std::string text_;
};

}  // namespace quorlin
