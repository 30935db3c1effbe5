#include "app/cli/clihost.h"

#include <ostream>

#include "util/platform.h"

namespace quorlin {

std::string CliHost::today() {
    return platform::today();
}

void CliHost::beep() {
    platform::beep();
}

void PrintingHost::statusChanged(const std::string& text) {
    if (!text.empty()) out_ << text << '\n';
}

void PrintingHost::failure(const std::string& text) {
    err_ << text << '\n';
}

void PrintingHost::refused(const std::string& path, const std::string& cause) {
    err_ << path << ": " << cause << '\n';
}

}  // namespace quorlin
