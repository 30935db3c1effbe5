// Text written into region records: quoted fields and the size figures of style names.
#pragma once

#include <string>
#include <string_view>

namespace quorlin {

// Text between double quotes must keep the record's quotes balanced: a field enclosed in quotes
// loses them, any other quote becomes an apostrophe.
inline void appendQuoted(std::string& out, std::string_view field) {
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = field.substr(1, field.size() - 2);
    out += '"';
    for (char c : field) out += c == '"' ? '\'' : c;
    out += '"';
}

// A size in a style name: the last three characters of "000" + field (60 gives 060, 5 gives
// 005, 1000 gives 000). The view points into buffer.
inline std::string_view sizeFigure(std::string_view field, std::string& buffer) {
    buffer.assign("000").append(field);
    return std::string_view(buffer).substr(buffer.size() - 3);
}

}  // namespace quorlin
