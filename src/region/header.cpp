#include "region/header.h"

#include "job/pcbjob.h"

namespace quorlin {

void writeheader(PcbJob& s) {
    s.out.create(s.base + ".rgn") =
        "ARES REGION FILE\r\n\r\n*HEADER\r\nVERSION 609 600\r\nUNITS 10nm\r\n\r\n";
}

std::string_view layertranslate(long index) {
    static constexpr std::string_view kCodes[23] = {
        "TOP", "BOT", "TM", "BM", "I1", "I2", "I3", "I4", "TS", "BS", "TR", "BR",
        "TS",  "BS",  "ED", "KO", "KO", "KO", "KO", "I5", "I6", "I7", "I8"};
    if (index < 0 || index > 22) return "";
    return kCodes[index];
}

}  // namespace quorlin
