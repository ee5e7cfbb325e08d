#include <malloc.h>

#include <iostream>

#include "cli/app.h"

int main(int argc, char** argv) {
    // One run reads, changes and writes whole modules of megabytes, one after
    // another: keep freed memory for the next module instead of giving it back
    // and faulting it in again (a third of the time of a large run).
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_TOP_PAD, 64 << 20);
    platform::UserSettings settings;
    return cli::Run(argc, argv, settings, std::cout, std::cerr);
}
