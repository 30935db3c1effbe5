#include "support/system.h"

#include <sys/stat.h>

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
std::vector<std::string> environment() {
    std::vector<std::string> entries;
    for (char** e = _environ; e && *e; ++e) entries.emplace_back(*e);
    return entries;
}
unsigned currentUmask() {
    const int mask = ::_umask(0);
    ::_umask(mask);
    return static_cast<unsigned>(mask);
}
void setUmask(unsigned mask) {
    ::_umask(static_cast<int>(mask));
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
std::vector<std::string> environment() {
    std::vector<std::string> entries;
    for (char** e = environ; e && *e; ++e) entries.emplace_back(*e);
    return entries;
}
unsigned currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<unsigned>(mask);
}
void setUmask(unsigned mask) {
    ::umask(static_cast<mode_t>(mask));
}
#endif

}  // namespace quorlin::test
