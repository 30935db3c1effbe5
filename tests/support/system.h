// The few tests that differ by system ask here, not by #if: the ones that run the program
// through a POSIX shell are skipped on Windows (scripts/test-windows runs the program itself).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace quorlin::test {

// Windows: no POSIX shell, names in another case reach the same file, files can be held.
bool onWindows();
// The exit code in a std::system() result; -1 when the program did not exit.
int exitCode(int status);
// Holds the file as an editor does on Windows, barring writes, renames and deletes, until the
// result goes; null when it cannot.
std::shared_ptr<void> holdOpen(const std::string& utf8Path);
// The process's environment, one NAME=VALUE line each, sorted.
std::string environmentLines();
// Sets the process's umask; returns the one before.
unsigned exchangeUmask(unsigned mask);
// CI=true: nothing may be skipped there.
bool underCi();

}  // namespace quorlin::test

#define QUORLIN_NEEDS_POSIX_SHELL() \
    if (::quorlin::test::onWindows()) GTEST_SKIP() << "runs the program through a POSIX shell"

// A test that needs what the machine lacks fails under CI=true and is skipped elsewhere; both
// say what is missing and how to get it.
#define QUORLIN_NEEDS(present, what)                                                           \
    if (!(present)) {                                                                          \
        if (::quorlin::test::underCi()) GTEST_FAIL() << "Missing (needed under CI): " << what; \
        GTEST_SKIP() << "Missing: " << what;                                                   \
    }
