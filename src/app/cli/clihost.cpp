#include "app/cli/clihost.h"

#include <mutex>
#include <ostream>

#include "util/platform.h"

namespace quorlin {

std::string CliHost::today() {
    // The date is read under the user's locale settings, which are the process's: one job at a
    // time.
    static std::mutex oneAtATime;
    std::lock_guard lock(oneAtATime);
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
