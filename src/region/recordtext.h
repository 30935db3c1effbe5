// Text that goes between double quotes in a region record must keep the record's quotes
// balanced: a field enclosed in quotes loses them, any other quote becomes an apostrophe.
#pragma once

#include <string>
#include <string_view>

namespace quorlin {

inline void appendQuoted(std::string& out, std::string_view field) {
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = field.substr(1, field.size() - 2);
    out += '"';
    for (char c : field) out += c == '"' ? '\'' : c;
    out += '"';
}

}  // namespace quorlin
