// The two numbers of a point as a segment record has them: "<x> <y>", each in signed number
// text. Each segment of an arc starts where the last one ended, so the text of the last point
// written is kept and copied when that point comes again.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstring>

#include "util/number.h"
#include "util/text.h"

namespace quorlin {

class PointText {
  public:
    // Room one point needs at p (some bytes past the text may be overwritten).
    static constexpr size_t kRoom = 2 * kNumtextRoom + 1;

    // Writes the point at p and returns the end.
    char* write(char* p, double x, double y) {
        // Equal numbers have equal text (zero and negative zero alike), and NaN equals nothing.
        if (x == x_ && y == y_) {
            copy(p, text_);
            return p + size_;
        }
        char* end = writeNumtext(p, x);
        *end++ = ' ';
        end = writeNumtext(end, y);
        size_ = static_cast<size_t>(end - p);
        copy(text_, p);
        x_ = x;
        y_ = y;
        return end;
    }

  private:
    // Coordinates take a few dozen characters: one fixed-size move (within the room) is cheaper
    // than a move of the exact length.
    static constexpr size_t kShort = 48;
    void copy(char* to, const char* from) const {
        if (size_ <= kShort)
            std::memcpy(to, from, kShort);
        else
            std::memcpy(to, from, size_);
    }

    double x_ = NAN, y_ = NAN;
    size_t size_ = 0;
    char text_[kRoom] = {};
};

}  // namespace quorlin
