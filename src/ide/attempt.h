// "Errors ignored": a step whose host, file or runtime operation fails is passed
// over and the command goes on. Only those failures are swallowed; anything else
// (a logic error, std::bad_alloc) still surfaces. Everything that passes over
// failures asks here which ones it may.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "ide/ide.h"
#include "platform/encoding.h"
#include "platform/files.h"

namespace ide {

/// A failure that "errors ignored" passes over, as a reason a user can read.
struct Failure {
    int number = 0;  // the host's error number; 0 for a file or encoding error
    std::string reason;
};

/// Runs `step`; returns what went wrong when it failed with a host, file or
/// encoding error, and nothing when it ran through. Other exceptions pass on.
template <class Step>
std::optional<Failure> Failed(Step&& step) {
    try {
        step();
        return std::nullopt;
    } catch (const HostError& e) {
        return Failure{e.Number(), e.Description()};
    } catch (const platform::FileError& e) {
        return Failure{0, e.what()};
    } catch (const platform::EncodingError& e) {
        return Failure{0, e.what()};
    }
}

/// Runs `step`; returns false when it failed with a host, file or encoding error.
template <class Step>
bool Attempt(Step&& step) {
    return !Failed(std::forward<Step>(step));
}

}  // namespace ide
