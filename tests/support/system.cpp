#include "support/system.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#if defined(_WIN32)
#include <io.h>

#include "util/wide_windows.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace quorlin::test {

bool underCi() {
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

#if defined(_WIN32)
bool onWindows() {
    return true;
}
int exitCode(int status) {
    return status;
}
std::shared_ptr<void> holdOpen(const std::string& utf8Path) {
    HANDLE h = ::CreateFileW(platform::widen(utf8Path).c_str(), GENERIC_READ, 0, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::shared_ptr<void>(h, ::CloseHandle);
}
#else
bool onWindows() {
    return false;
}
int exitCode(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
// No lock bars a rename here, so a folder takes the file's place, which no file replaces, until
// the file is put back.
std::shared_ptr<void> holdOpen(const std::string& utf8Path) {
    namespace fs = std::filesystem;
    auto file = std::make_unique<fs::path>(utf8Path);
    const fs::path aside = utf8Path + ".held";
    std::error_code ec;
    fs::rename(*file, aside, ec);
    if (ec || !fs::create_directory(*file, ec)) return nullptr;
    return std::shared_ptr<void>(file.release(), [aside](void* p) {
        const std::unique_ptr<fs::path> held(static_cast<fs::path*>(p));
        std::error_code ignored;
        fs::remove(*held, ignored);
        fs::rename(aside, *held, ignored);
    });
}
#endif

std::string environmentLines() {
#if defined(_WIN32)
    char** const entries = _environ;
#else
    char** const entries = environ;
#endif
    std::vector<std::string> sorted;
    for (char** e = entries; e && *e; ++e) sorted.emplace_back(*e);
    std::sort(sorted.begin(), sorted.end());
    std::string lines;
    for (const auto& e : sorted) lines += e + "\n";
    return lines;
}

unsigned exchangeUmask(unsigned mask) {
#if defined(_WIN32)
    return static_cast<unsigned>(::_umask(static_cast<int>(mask)));
#else
    return static_cast<unsigned>(::umask(static_cast<mode_t>(mask)));
#endif
}

}  // namespace quorlin::test
