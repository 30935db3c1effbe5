#include "util/utf8.h"

namespace quorlin {

size_t utf8Length(std::string_view text, size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t n = c >= 0xF0 && c < 0xF5   ? 4
                     : c >= 0xE0 && c < 0xF0 ? 3
                     : c >= 0xC2 && c < 0xE0 ? 2
                                             : 0;
    if (n == 0 || i + n > text.size()) return 0;
    for (size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
    return n;
}

bool forbiddenInXml(std::string_view sequence) {
    const size_t n = sequence.size();
    if (n < 2 || n > 4) return false;
    constexpr unsigned kLeadBits[] = {0, 0, 0x1F, 0x0F, 0x07};
    unsigned long code = static_cast<unsigned char>(sequence[0]) & kLeadBits[n];
    for (size_t k = 1; k < n; ++k)
        code = code << 6 | (static_cast<unsigned char>(sequence[k]) & 0x3F);
    constexpr unsigned long kFewest[] = {0, 0, 0x80, 0x800, 0x10000};
    return code < kFewest[n] || (code >= 0xD800 && code <= 0xDFFF) || code == 0xFFFE ||
           code == 0xFFFF || code > 0x10FFFF;
}

std::string escapedControls(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    auto escape = [&](unsigned char c) {
        out.append("\\x").push_back(kHex[c >> 4]);
        out.push_back(kHex[c & 15]);
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F)
                escape(c);
            else
                out.push_back(static_cast<char>(c));
            continue;
        }
        const size_t n = utf8Length(text, i), length = n == 0 ? 1 : n;
        // U+0080 to U+009F, the C1 controls, are C2 80 to C2 9F.
        const bool control = n == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0;
        if (n == 0 || control) {
            for (size_t k = 0; k < length; ++k) escape(static_cast<unsigned char>(text[i + k]));
        } else {
            out.append(text.substr(i, n));
        }
        i += length - 1;
    }
    return out;
}

}  // namespace quorlin
