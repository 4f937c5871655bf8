#pragma once

// Interruption (SIGINT) and termination (SIGTERM) end the program the
// orderly way, so that the settings are kept and the temporary files
// deleted: the signal is noted in the handler and acted on by the event
// loop. A second signal while that runs ends the program at once.

#include <functional>

namespace norvella {

// Installs the handlers; `onSignal` runs on the interface thread.
void EndGracefullyOnSignals(std::function<void()> onSignal);

}  // namespace norvella
