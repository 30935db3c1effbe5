#include <iostream>

#include "app/cli/cli.h"
#include "util/bigbuffer.h"

int main(int argc, char** argv) {
    // A job holds hundreds of thousands of records: the heap grows in large steps.
    quorlin::reserveHeap(size_t{128} << 20);
    return quorlin::runCli(argc, argv, std::cout, std::cerr);
}
