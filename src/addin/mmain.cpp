#include "addin/mmain.h"

#include "window/help_browser.h"

namespace MMain {

void Main(platform::DialogPort& dialogs) {
    platform::BusyCursor busy(dialogs);
    window::SetProgramHelpFile(window::FindHelpDocument());
}

}  // namespace MMain
