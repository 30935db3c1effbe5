#include "preview/xmltext.h"

#include "util/utf8.h"

namespace quorlin {

size_t appendXml(std::string& out, std::string_view s, bool comment) {
    size_t replaced = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            if (c < 0x20 && c != '\t')
                out += '?';
            else if (comment)
                out.append(c == '-' && !out.empty() && out.back() == '-' ? " -" : s.substr(i, 1));
            else if (c == '&')
                out += "&amp;";
            else if (c == '<')
                out += "&lt;";
            else if (c == '>')
                out += "&gt;";
            else
                out += static_cast<char>(c);
            continue;
        }
        size_t n = c >= 0xF0 && c < 0xF5 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
        bool valid = n > 0 && i + n <= s.size();
        for (size_t k = 1; valid && k < n; ++k)
            valid = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
        if (valid && forbiddenInXml(s.substr(i, n))) {
            out += "\xEF\xBF\xBD";
            ++replaced;
            i += n - 1;
        } else if (valid) {
            out.append(s.substr(i, n));
            i += n - 1;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return replaced;
}

}  // namespace quorlin
