#include "support/system.h"

#if defined(_WIN32)
#include "util/wide_windows.h"
#else
#include <sys/wait.h>
#endif

namespace quorlin::test {

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
std::shared_ptr<void> holdOpen(const std::string&) {
    return nullptr;
}
#endif

}  // namespace quorlin::test
