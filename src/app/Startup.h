#pragma once
// The program's start-up and shut-down: the global objects one step after
// another behind the splash, each only while the application is not
// terminating; the forms in their order; the splash kept for its minimum
// time; the message loop; and the release of forms and globals in the order
// the program relies on.
#include <QString>
#include <functional>

namespace Startup {

struct Options {
    // The splash's minimum display time, counted from its creation.
    int splashMs = 1500;
    // Test hook: the step (1..12) whose work raises, 0 for none.
    int failStep = 0;
    // Test hook: runs inside each step's guard, after its status line.
    std::function<void(int step)> stepHook;
    // Show the main form and run the message loop (false: stop before).
    bool runLoop = true;
    // Test hook: runs once the main form is shown, before the loop.
    std::function<void()> onReady;
};

// What tests observe: the form or global freed, by name, in order.
using FreeObserver = std::function<void(const QString& name)>;
void SetFreeObserver(FreeObserver observer);

// Creates every global object (steps 1 and 2, the splash when widgets
// exist, steps 3 to 12); false when a step failed (the fatal box has been
// shown, the splash and the globals created so far are freed).
bool CreateGlobals(const Options& options = {});
// Frees the global objects that exist, in the order the program relies on.
void FreeGlobals();

// Creates the forms of the form list in their order, each writing its
// splash line; then "Initialisation complete.", the wait for the splash's
// minimum time and the splash's release.
void CreateForms();
void FinishSplash();
// Destroys the forms in the reverse order of their creation (the main form
// last).
void DestroyForms();

// The application's name, organisation and desktop entry. No display name
// is set: the window system would append it to every window's title, and the
// titles are the forms' own captions.
void SetIdentity();
// What the program does before anything else: its identity, the widget
// boxes of the service core (the guard's busy box among them), then the
// single-instance guard. True when another instance runs: this one has
// handed its command line over (and shown the busy box when that instance
// is busy) and ends.
bool AnotherInstanceRuns();

// Everything after the single-instance guard: the globals, the forms, the
// splash, the loop and the shut-down. The process's exit code.
int Run(const Options& options = {});

} // namespace Startup
