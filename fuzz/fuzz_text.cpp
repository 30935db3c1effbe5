// The text helpers: field splitting, file names, number reading and writing, text records.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "region/text.h"
#include "util/fields.h"
#include "util/filename.h"
#include "util/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorlin;
    if (size < 2) return 0;
    const long n = static_cast<int8_t>(data[0]);
    const std::string delim(1, static_cast<char>(data[1]));
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    for (const std::string& d : {delim, std::string(" "), std::string(""), delim + delim}) {
        std::string line = text, dl = d;
        getfield(line, n, dl);
    }
    Fields f(text);
    for (long i = -1; i <= f.count() + 1 && i < 64; ++i) {
        double v = 0;
        f.strictNum(i, v);
        numtext(f.num(i));
        numtext(v * 2540);
    }
    double v = 0;
    if (strict(text, v)) {
        // A strict number must read back the same through its own text.
        const double back = lenient(plainnum(v));
        if (v == v && v - v == 0 && std::abs(v) > 1e-300 &&
            std::abs(back - v) > std::abs(v) * 1e-14)
            __builtin_trap();
    }
    for (int part = -1; part <= 6; ++part) parsefilename(text, part);
    convtext(text);
    return 0;
}
