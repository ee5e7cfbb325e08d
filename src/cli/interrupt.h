// Ctrl-C and termination requests while a run writes: with no prepared file
// the run ends at once; while it holds some, it removes its temporary files
// and then ends as the signal would have ended it.
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

    /// Whether a signal came since the guard was made.
    static bool Requested();
    /// Ends the process with the signal that came, after the default handling
    /// is back. Call it once everything prepared has been removed.
    [[noreturn]] void Resume();

private:
    bool active_;
};

}  // namespace cli
