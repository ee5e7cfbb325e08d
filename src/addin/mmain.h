// The program's start-up routine.
#pragma once

#include "platform/dialogs.h"

namespace MMain {

/// Runs once as the add-in library is loaded: sets the program-wide help file
/// (the help document shipped with the program), with the wait cursor meanwhile.
void Main(platform::DialogPort& dialogs);

}  // namespace MMain
