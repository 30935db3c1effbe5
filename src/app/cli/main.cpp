#include <iostream>

#include "app/cli/cli.h"
#include "util/bigbuffer.h"
#include "util/platform.h"

int main(int argc, char** argv) {
    // A job holds hundreds of thousands of records: the heap grows in large steps.
    quorlin::reserveHeap(size_t{128} << 20);
    const std::vector<std::string> args = quorlin::platform::arguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& arg : args) pointers.push_back(arg.c_str());
    return quorlin::runCli(static_cast<int>(pointers.size()), pointers.data(), std::cout,
                           std::cerr);
}
