#include "cli/interrupt.h"

#include <csignal>
#include <cstdlib>

#include "platform/files.h"

namespace cli {

namespace {

volatile std::sig_atomic_t received = 0;

// With no temporary file on disk there is nothing to remove: the process ends
// at once, wherever it is (a long wrap, a read that does not come back).
// Otherwise the run removes what it prepared once the module in hand is done.
extern "C" void Remember(int signal) {
    received = signal;
    if (platform::PreparedWritesHeld() > 0) return;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

constexpr int kSignals[] = {SIGINT, SIGTERM};

}  // namespace

InterruptGuard::InterruptGuard(bool active) : active_(active) {
    received = 0;
    if (!active_) return;
    for (int s : kSignals) std::signal(s, Remember);
}

InterruptGuard::~InterruptGuard() {
    if (!active_) return;
    for (int s : kSignals) std::signal(s, SIG_DFL);
}

bool InterruptGuard::Requested() { return received != 0; }

void InterruptGuard::Resume() {
    const int signal = received;
    for (int s : kSignals) std::signal(s, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);  // in case the signal is blocked
}

}  // namespace cli
