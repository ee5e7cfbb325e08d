// Ctrl-C and termination requests while a run writes: the run removes the
// temporary files it prepared and ends at once, as the signal would have ended
// it, wherever it is (a long wrap, a read that does not come back, a wait for
// another run's lock). Only while prepared files replace their originals does
// the signal wait (platform::SignalsHeld), so that the run ends with every file
// old or every file new.
#pragma once

namespace cli {

class InterruptGuard {
public:
    /// When `active`, catches SIGINT and SIGTERM until the guard goes; otherwise
    /// changes nothing.
    explicit InterruptGuard(bool active);
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    bool active_;
};

}  // namespace cli
