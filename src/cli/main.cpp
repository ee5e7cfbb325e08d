#include <iostream>

#include "cli/app.h"
#include "platform/os.h"

int main(int argc, char** argv) {
    platform::KeepMemoryBetweenAllocations();
    return cli::Guarded(
        [&] {
            platform::UserSettings settings;
            return cli::Run(argc, argv, settings, std::cout, std::cerr);
        },
        std::cerr);
}
