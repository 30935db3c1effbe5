#include "support/system.h"

#if defined(_WIN32)

#include <windows.h>

#include "util/wide_windows.h"

namespace quorlin::test {
HeldOpen::HeldOpen(const std::string& utf8Path) {
    HANDLE h = ::CreateFileW(platform::widen(utf8Path).c_str(), GENERIC_READ, 0, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) handle_ = h;
}
HeldOpen::~HeldOpen() {
    if (handle_) ::CloseHandle(handle_);
}
bool onWindows() {
    return true;
}
int exitCode(int status) {
    return status;
}
}  // namespace quorlin::test

#else

#include <sys/wait.h>

namespace quorlin::test {
HeldOpen::HeldOpen(const std::string&) {}
HeldOpen::~HeldOpen() = default;
bool onWindows() {
    return false;
}
int exitCode(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
}  // namespace quorlin::test

#endif
