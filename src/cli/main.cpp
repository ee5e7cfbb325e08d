#include <iostream>

#include "cli/app.h"

int main(int argc, char** argv) {
    cli::KeepMemoryBetweenModules();
    platform::UserSettings settings;
    return cli::Run(argc, argv, settings, std::cout, std::cerr);
}
