#pragma once
// Waiting for a server to reach a state (a spare to finish starting, a
// server to end) the way calls wait: on the window's thread in a local event
// loop, so the windows repaint and the progress form's Cancel answers; on
// any other thread by sleeping between looks.
#include "LoCall.h"

#include <functional>

namespace lo {

// Looks at `done` every `pollMs` until it gives true (the result is true) or
// `timeoutMs` has passed (false; no limit when negative). With the cancel
// honoured, a Cancel pressed meanwhile raises OperationAborted at the next
// look, and the cancel flag stays set for the layer's frame to clear.
bool waitUntil(const std::function<bool()>& done, int timeoutMs, CallRunner::Cancel cancel, int pollMs = 10);

} // namespace lo
