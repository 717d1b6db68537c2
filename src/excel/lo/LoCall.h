#pragma once
// Calls to the spreadsheet server, run off the calling thread. The bridge to
// the server is thread-safe, so each call runs on a worker thread of the
// server's own while the caller waits in a local event loop: the windows keep
// repainting and the progress form's Cancel keeps answering. While a call is
// outstanding the server is watched: Cancel ends its process group (the call
// returns with the bridge's disposed error and the run unwinds with the
// silent abort), and a server that makes no progress for the stall time
// (stopped, or using no CPU time, waiting for a disk included) is ended and
// reported as not answering.
// Honest long work keeps the server's CPU busy and is never cut off.
#include <QString>

#include <sys/types.h>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

namespace lo {

// How long a server may make no progress while a call is outstanding before
// it is taken as hung: the setter's value when set (tests), else the
// environment's ZOL_LO_STALL_MS, else 30 seconds.
int stallTimeoutMs();
void setStallTimeoutMs(int ms); // 0 restores the default

// How long a server that is starting (its connection not up yet) may stand
// stopped or use no processor time before it is taken as hung. A start is
// processor work from end to end: a server held back by a loaded machine
// still gets the processor many times a second, and keeps the start's own
// bound however slowly it goes.
constexpr int kStartIdleMs = 5000;

// What the watch reads of a process.
struct ProcessSample {
    bool exists = false;
    char state = '?';     // R running, S sleeping, D disk wait, T stopped, Z zombie, ...
    quint64 cpuTicks = 0; // user + system time
    quint64 startTime = 0; // clock ticks after boot: with the id, names the process for good
};
ProcessSample sampleProcess(pid_t pid);
// Whether a process has ended: for a child of ours, once it can be waited for
// (all its threads gone; it is left unreaped); for another, once it is gone
// or a zombie.
bool processEnded(pid_t pid);

// A process named for good: once a process has been reaped its id may be
// given to another, never with the same start time.
struct ProcessTag {
    pid_t pid = -1;
    quint64 startTime = 0;
};
// The tag of a process that exists, a zombie included; none (pid -1) otherwise.
ProcessTag tagProcess(pid_t pid);
// Whether the process a tag names has ended: gone, a zombie, or its id now
// names another process.
bool processEnded(const ProcessTag& process);

// Work on the user's files (or on the folders around them) that a share that
// stopped answering could hold for ever: it runs on a thread of its own while
// the caller waits, the windows' events handled on the user-interface
// thread. The work reports its progress (bytes, steps) through the counter;
// when the counter stands still for `stallMs` the work is taken as stuck and
// left to its thread, so it must own everything it touches (capture by
// value). Done when it returned, Failed when it raised (`error` then holds
// what it raised), Cancelled on the progress form's Cancel when honoured.
enum class FileWork { Done, Failed, Stuck, Cancelled };
FileWork boundedFileWork(std::function<void(std::atomic<quint64>& progress)> work, int stallMs,
                         bool honourCancel, std::exception_ptr* error = nullptr);

class CallRunner {
public:
    CallRunner();
    ~CallRunner(); // waits for a call still running (the server is ended by then)
    CallRunner(const CallRunner&) = delete;
    CallRunner& operator=(const CallRunner&) = delete;

    enum class Cancel { Honoured, Ignored };
    // What the watch takes as progress. A call: the server's processor time,
    // or our side still taking in a long reply; stalled after the stall
    // time. A start: the server's processor time alone, as our side only
    // looks for the server's connection meanwhile; stalled after kStartIdleMs.
    enum class Watch { Call, Start };

    // Runs `call` on the worker while this thread waits, and passes on what
    // it raised. `server` is the process group watched (none when <= 0). A
    // cancel raises OperationAborted, a hung server XLError (NoAnswer), each
    // once the server is ended and the call has returned. A call made while
    // another is outstanding (from an event handler of the wait) is refused
    // as Busy.
    // A server ended by the watch or a cancel that cannot die (a thread held
    // in the kernel by a file system that stopped answering) is let go within
    // half a second: the call raises as above, the worker is left blocked in
    // it, and every later call raises NoAnswer at once.
    // `answerWithinMs` (>= 0) bounds the whole call, progress or not: for a
    // request a sound server answers at once, so that a server that does not
    // is given up in that time, not after the stall time.
    void run(pid_t server, const std::function<void()>& call, Cancel cancel = Cancel::Honoured,
             int answerWithinMs = -1, Watch watch = Watch::Call);
    // Whether a server was let go that way.
    bool abandoned() const { return m_abandoned; }
    // The server's state when the watch or a cancel ended it ('D': waiting
    // for a file system).
    char stateAtVerdict() const { return m_stateAtVerdict; }

    template <class F>
    auto operator()(pid_t server, F&& f, Cancel cancel = Cancel::Honoured, int answerWithinMs = -1,
                    Watch watch = Watch::Call) -> decltype(f())
    {
        using R = decltype(f());
        if constexpr (std::is_void_v<R>) {
            run(server, std::function<void()>(std::forward<F>(f)), cancel, answerWithinMs, watch);
        } else {
            std::optional<R> result;
            run(server, [&] { result.emplace(f()); }, cancel, answerWithinMs, watch);
            return std::move(*result);
        }
    }

private:
    struct Worker;
    std::unique_ptr<Worker> w;
    bool m_abandoned = false;
    char m_stateAtVerdict = '?';
};

} // namespace lo
