// What the command line writes to a terminal. The texts of the files (their names, style names,
// messages naming them) may hold control bytes, which a terminal obeys: ESC ] 2 sets its title,
// ESC [ 2 J clears it. Written through a TerminalStream, they show escaped (\x1b) instead.
#pragma once

#include <ostream>
#include <streambuf>
#include <string>

namespace quorlin {

// A stream over out that, when escape is set, hands on each line with its control bytes
// escaped; otherwise writes to out's own buffer.
class TerminalStream : public std::ostream {
  public:
    TerminalStream(std::ostream& out, bool escape);
    ~TerminalStream() override;
    TerminalStream(const TerminalStream&) = delete;
    TerminalStream& operator=(const TerminalStream&) = delete;

  private:
    class Escaping : public std::streambuf {
      public:
        explicit Escaping(std::ostream& out) : out_(out) {}

      protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* s, std::streamsize n) override;
        int sync() override;

      private:
        std::ostream& out_;
        std::string line_;
    };
    Escaping escaping_;
};

}  // namespace quorlin
