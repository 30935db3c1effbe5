#include "util/fields.h"

#include "util/number.h"
#include "util/text.h"

namespace quorlin {

namespace {

constexpr long kMaxField = 8000;

std::string trimDelim(std::string& line, const std::string& delim) {
    if (line.empty()) return "";
    // Only a one-character delimiter can equal a single character.
    if (delim.size() != 1) return line;
    const char d = delim[0];
    size_t start = line.find_first_not_of(d);
    line = start == std::string::npos ? std::string() : line.substr(start);
    if (line.size() < 2) return line;
    size_t end = line.find_last_not_of(d);
    return line.substr(0, end == std::string::npos ? 0 : end + 1);
}

std::string collapseBlanks(std::string_view line) {
    std::string w;
    w.reserve(line.size());
    for (char c : line) {
        if (c != ' ' || (!w.empty() && w.back() != ' ')) w += c;
    }
    return w;
}

}  // namespace

std::string getfield(std::string& line, long n, std::string& delim) {
    if (n == -1) return trimDelim(line, delim);
    if (n > kMaxField) return "";
    std::string work;
    if (delim.empty() || delim == " ") {
        delim = " ";
        work = collapseBlanks(line);
    } else {
        work = line;
    }
    if (n <= 0) {
        if (work.empty()) return "0";
        size_t occurrences = 0;
        for (size_t p = work.find(delim); p != std::string::npos; p = work.find(delim, p + 1))
            ++occurrences;
        if (occurrences == 0) return "1";
        size_t count = occurrences + 1;
        if (work.size() >= delim.size() &&
            work.compare(work.size() - delim.size(), delim.size(), delim) == 0)
            --count;
        return std::to_string(count);
    }
    // Occurrence k is searched from one character after occurrence k-1.
    size_t prev = std::string::npos;
    size_t start = 0;  // just after occurrence n-1
    for (long k = 1; k < n; ++k) {
        size_t p = work.find(delim, prev == std::string::npos ? 0 : prev + 1);
        if (p == std::string::npos) return "";
        prev = p;
        start = p + delim.size();
    }
    size_t next = work.find(delim, prev == std::string::npos ? 0 : prev + 1);
    if (next == std::string::npos) return start <= work.size() ? work.substr(start) : "";
    if (next < start) return "";
    return work.substr(start, next - start);
}

std::string getfield(std::string_view line, long n, std::string_view delim) {
    std::string l(line), d(delim);
    return getfield(l, n, d);
}

void Fields::assign(std::string_view line) {
    line_ = line;
    count_ = 0;
    more_.clear();
    size_t i = 0;
    const size_t n = line.size();
    while (i < n) {
        while (i < n && line[i] == ' ') ++i;
        if (i >= n) break;
        size_t start = i;
        while (i < n && line[i] != ' ') ++i;
        add(start, i - start);
    }
}

double Fields::num(long n) const {
    return lenient((*this)[n]);
}

bool Fields::strictNum(long n, double& out) const {
    return strict((*this)[n], out);
}

}  // namespace quorlin
