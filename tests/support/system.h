// What the suite must know of the system it runs on: the few tests that run the program through
// a POSIX shell are skipped elsewhere (the Windows script runs the program itself).
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace quorlin::test {

// Windows: no POSIX shell, names that differ only in case reach one file, files can be held.
bool onWindows();
// The exit code in a std::system() result; -1 when the program did not exit.
int exitCode(int status);

// Holds a file open the way an editor does on Windows, denying others the right to write,
// rename or delete it, until the object goes. Elsewhere no such lock exists: held() is false.
class HeldOpen {
  public:
    explicit HeldOpen(const std::string& utf8Path);
    ~HeldOpen();
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool held() const { return handle_ != nullptr; }

  private:
    void* handle_ = nullptr;
};

}  // namespace quorlin::test

#define QUORLIN_NEEDS_POSIX_SHELL() \
    if (::quorlin::test::onWindows()) GTEST_SKIP() << "runs the program through a POSIX shell"
