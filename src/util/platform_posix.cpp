#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ctime>

#include "util/platform.h"

namespace quorlin::platform {

bool samePath(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::error_code ec1, ec2;
    auto ca = std::filesystem::weakly_canonical(a, ec1);
    auto cb = std::filesystem::weakly_canonical(b, ec2);
    return !ec1 && !ec2 && ca == cb;
}

bool sameName(const std::string& a, const std::string& b) {
    return a == b;
}

unsigned long processId() {
    return static_cast<unsigned long>(::getpid());
}

bool processAlive(unsigned long pid) {
    // A process of another user still runs when the signal is only refused.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::string today() {
    // The user's date format, taken for this thread alone: setting the process's locale would
    // race with every other thread that formats or reads.
    const locale_t user = ::newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    const locale_t previous = user ? ::uselocale(user) : static_cast<locale_t>(0);
    char buf[64];
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    const size_t n = std::strftime(buf, sizeof buf, "%x", &tm);
    if (user) {
        ::uselocale(previous);
        ::freelocale(user);
    }
    return std::string(buf, n);
}

bool outputIsTerminal() {
    return ::isatty(STDOUT_FILENO) == 1;
}

bool errorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

void beep() {}

bool mayWrite(const std::string& path) {
    return ::access(path.c_str(), W_OK) == 0;
}

long long fileSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return -1;
    return static_cast<long long>(st.st_size);
}

void makeWritable(const std::string& path) {
    ::chmod(path.c_str(), 0644);
}

std::vector<std::string> arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

}  // namespace quorlin::platform
