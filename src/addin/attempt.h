// "Errors ignored": a step whose host, file or runtime operation fails is passed
// over and the command goes on. Only those failures are swallowed; anything else
// (a logic error) still surfaces.
#pragma once

#include "addin/ide.h"
#include "platform/encoding.h"
#include "platform/files.h"

namespace ide {

/// Runs `step`; returns false when it failed with a host, file or encoding error.
template <class Step>
bool Attempt(Step&& step) {
    try {
        step();
        return true;
    } catch (const HostError&) {
        return false;
    } catch (const platform::FileError&) {
        return false;
    } catch (const platform::EncodingError&) {
        return false;
    }
}

}  // namespace ide
