#pragma once
// The start-up sequence: the global objects one step after another, each
// only while the application is not terminating, and their release.

namespace Startup {
// Creates every global object; false when a step failed (the fatal-error
// box has been shown and the globals created so far are freed).
bool CreateGlobals();
// Frees the global objects that exist, in the order the program relies on.
void FreeGlobals();
} // namespace Startup
