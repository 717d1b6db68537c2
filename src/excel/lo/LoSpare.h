#pragma once
// A spreadsheet server started ahead of need: the headless server, on a
// private profile of its own, is spawned and connected in the background, so
// that the next start hands over a server that answers at once. A spare
// serves one start only (a server is never reused after a quit); the backend
// asks for the next one as it takes one over (a run starts the server twice,
// the second time soon after the first quit) and again after each quit. The spare's thread spawns it and
// lives as long as the spare keeper, so the server's parent-death signal
// (tied to the spawning thread) fires only when the program itself dies.
#include "LoOffice.h"

#include <QLockFile>
#include <QString>
#include <QTemporaryDir>

#include <memory>

#include <sys/types.h>

namespace lo {

// A user profile for one server: the first of the program's persistent
// profile folders that no other server of ours holds (locked while held),
// otherwise a temporary one.
struct ProfileHold {
    QString dir;
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<QTemporaryDir> temp;

    static ProfileHold acquire(const QString& profileDir);
    // Frees `hold` once `server` (the process that used it, already sent its
    // end) has ended. A server let go because it could not be made to die
    // keeps its profile held while it stands: a server started on that
    // profile would hand its start over to it and wait with it.
    static void releaseWhenEnded(ProfileHold hold, ProcessTag server);
};

// Ends `office`, then frees `profile` once that server has ended (see
// releaseWhenEnded): the one way a server and its profile are dropped.
void endServer(std::unique_ptr<Office>& office, ProfileHold& profile);

// A started server with the profile it holds; however the pair is dropped
// (ended, assigned over, destroyed), it goes through endServer().
struct StartedOffice {
    ProfileHold profile;
    std::unique_ptr<Office> office;

    StartedOffice() = default;
    StartedOffice(StartedOffice&&) noexcept = default;
    StartedOffice& operator=(StartedOffice&& other);
    ~StartedOffice() { end(); }
    void end() { endServer(office, profile); }
};

class SpareKeeper {
public:
    // `options.profileDir` is the first persistent profile folder.
    explicit SpareKeeper(OfficeOptions options);
    ~SpareKeeper(); // ends the spare, started or starting
    SpareKeeper(const SpareKeeper&) = delete;
    SpareKeeper& operator=(const SpareKeeper&) = delete;

    // Starts a spare in the background when none is held or starting.
    void prepare();
    // The spare, once its start has finished (waits for a start under way);
    // empty when none was asked for, or it failed or has died since: the
    // caller then starts a server of its own.
    StartedOffice take();
    // The spare's process id once it is connected and still running; -1 otherwise.
    int readyPid();
    // Waits up to `ms` for a spare under way to be connected.
    bool waitReady(int ms);

    // How long a spare taken over may take to answer its first request
    // before it is ended and a fresh server is started instead.
    static constexpr int kAnswerMs = 5000;

    // Whether backends keep a spare unless told: not when the environment
    // variable ZOL_SPARE_SERVER is "0" (tests and tools that want none).
    static bool enabledByDefault();

private:
    struct State;
    std::unique_ptr<State> d;
};

} // namespace lo
