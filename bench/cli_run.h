// Runs the command line in this process, its output thrown away, on the
// tests' in-memory settings store.
#pragma once

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/app.h"
#include "support/memory_settings.h"

namespace bench {

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

/// `quillmark ARGS...`; returns its status.
inline int RunQuillmark(const std::vector<std::string>& args) {
    static NullBuffer nothing;
    std::ostream out(&nothing), err(&nothing);
    std::vector<const char*> argv{"quillmark"};
    for (const std::string& a : args) argv.push_back(a.c_str());
    platform::MemorySettings settings;
    return cli::Run(static_cast<int>(argv.size()), argv.data(), settings, out, err);
}

}  // namespace bench
