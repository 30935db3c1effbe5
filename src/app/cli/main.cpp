#include <atomic>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/cli/cli.h"
#include "util/files.h"
#include "util/platform.h"

int main(int argc, char** argv) {
    // For the tests of killed jobs: the process ends, as if killed, after that many steps of a
    // commit (renames and removals), with no cleanup of any kind. Jobs may commit at once.
    if (const char* steps = std::getenv("QUORLIN_KILL_AFTER_COMMIT_STEPS")) {
        auto left = std::make_shared<std::atomic<int>>(std::atoi(steps));
        quorlin::setCommitStepHook([left] {
            if (--*left <= 0) std::_Exit(137);
        });
    }
    const std::vector<std::string> args = quorlin::platform::arguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& arg : args) pointers.push_back(arg.c_str());
    return quorlin::runCli(static_cast<int>(pointers.size()), pointers.data(), std::cout, std::cerr,
                           {}, quorlin::platform::outputIsTerminal(),
                           quorlin::platform::errorIsTerminal());
}
