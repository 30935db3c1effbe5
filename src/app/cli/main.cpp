#include <malloc.h>

#include <iostream>

#include "app/cli/cli.h"

int main(int argc, char** argv) {
    // A job holds hundreds of thousands of records: grow the heap in large steps, not 128 KB.
    mallopt(M_TOP_PAD, 64 << 20);
    return quorlin::runCli(argc, argv, std::cout, std::cerr);
}
