#include "app/cli/terminal.h"

#include "util/utf8.h"

namespace quorlin {

TerminalStream::TerminalStream(std::ostream& out, bool escape)
    : std::ostream(nullptr), escaping_(out) {
    rdbuf(escape ? static_cast<std::streambuf*>(&escaping_) : out.rdbuf());
}

TerminalStream::~TerminalStream() {
    flush();
}

TerminalStream::Escaping::int_type TerminalStream::Escaping::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    line_.push_back(traits_type::to_char_type(c));
    if (line_.back() == '\n') sync();
    return c;
}

std::streamsize TerminalStream::Escaping::xsputn(const char* s, std::streamsize n) {
    line_.append(s, static_cast<size_t>(n));
    // Whole lines, so that a character's bytes are escaped together.
    if (line_.find('\n') != std::string::npos) sync();
    return n;
}

int TerminalStream::Escaping::sync() {
    out_ << escapedControls(line_) << std::flush;
    line_.clear();
    return out_ ? 0 : -1;
}

}  // namespace quorlin
