#include "cli/interrupt.h"

#include <csignal>

#include "platform/os.h"

namespace cli {

namespace {

extern "C" void EndRun(int signal) {
    platform::RemoveTemporariesNow();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

constexpr int kSignals[] = {SIGINT, SIGTERM};

}  // namespace

InterruptGuard::InterruptGuard(bool active) : active_(active) {
    if (!active_) return;
    for (int s : kSignals) std::signal(s, EndRun);
}

InterruptGuard::~InterruptGuard() {
    if (!active_) return;
    for (int s : kSignals) std::signal(s, SIG_DFL);
}

}  // namespace cli
