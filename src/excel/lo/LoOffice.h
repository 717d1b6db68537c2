#pragma once
// One private LibreOffice server process and the URP connection to it.
// The server runs headless in a process group of its own with a private user
// profile and a pipe name nobody else uses, so it never hands over to (or
// takes over) the user's own office. The object owns the process: whatever
// happens, the destructor leaves no process behind, and the kernel ends the
// server when the thread that started it dies (start it from the thread that
// lives as long as the program: the user-interface thread).
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "LoCall.h"

#include <QString>

#include <atomic>

#include <sys/types.h>

#include <memory>

class QTemporaryDir;

namespace lo {

struct OfficeOptions {
    QString program;     // soffice.bin
    QString profileDir;  // private user installation (created when missing)
    int connectTimeoutMs = 90000;
    int quitTimeoutMs = 15000;
    // A start in the background: set by another thread to give it up; such
    // a start ignores the progress form's Cancel.
    const std::atomic<bool>* abandon = nullptr;
};

class Office {
public:
    explicit Office(OfficeOptions options);
    ~Office(); // kills a server still running
    Office(const Office&) = delete;
    Office& operator=(const Office&) = delete;

    // Spawns the server and connects within the deadline; throws
    // std::runtime_error with a readable message on failure (the half-started
    // process is killed first), or what call() raises. A server that stands
    // stopped or idle while it starts (see kStartIdleMs) is ended as hung at
    // once; a start in the foreground then tries one fresh server.
    void start();
    // Runs one request to the server off this thread, watched (see LoCall.h).
    template <class F>
    auto call(F&& f, CallRunner::Cancel cancel = CallRunner::Cancel::Honoured, int answerWithinMs = -1)
        -> decltype(f())
    {
        return m_calls(m_pid, std::forward<F>(f), cancel, answerWithinMs);
    }
    // Asks the desktop to terminate. false when the office vetoed (it keeps
    // running); true when it has exited, was killed after the deadline, or
    // had already gone.
    bool terminate();
    // Kills the process group at once; a server that cannot die (held in
    // the kernel) is let go.
    void kill();

    // Whether the server still runs. Never reaps it, so any thread may ask
    // while the process id stays ours.
    bool running() const;
    // Stopped by a signal (SIGSTOP, a debugger): it answers nothing and
    // ends nothing by itself until it is continued.
    bool stopped() const;
    // Running and answering a request over the bridge: a server killed a
    // moment ago may still look running while its threads end. With the
    // cancel honoured, a Cancel meanwhile ends the server and raises
    // OperationAborted. `withinMs` (>= 0): a server that has not answered in
    // that time is ended and does not answer (see CallRunner::run).
    bool answers(CallRunner::Cancel cancel = CallRunner::Cancel::Ignored, int withinMs = -1);
    // Whether the last call the watch or a cancel cut short found the server
    // waiting for a file system, or left a server that could not die: a
    // folder it worked in stopped answering.
    bool heldByFolder() const { return m_calls.abandoned() || m_calls.stateAtVerdict() == 'D'; }
    // The server's peak resident memory so far in KiB (VmHWM); -1 when none runs.
    qint64 peakResidentKb() const;
    pid_t pid() const { return m_pid; }
    // The server while it may still stand: while it is ours, or once let go
    // until it has been reaped (its id may then name another process); none
    // (pid -1) after.
    ProcessTag standing() const;
    css::uno::Reference<css::uno::XComponentContext> context() const { return m_context; }
    css::uno::Reference<css::frame::XDesktop2> desktop() const { return m_desktop; }

    // The local UNO environment (types and the bridge services), bootstrapped
    // once per program from the type libraries beside `program`.
    static css::uno::Reference<css::uno::XComponentContext> localContext(const QString& program);

private:
    void spawn(const QString& pipeName);
    bool waitExit(int timeoutMs, bool stoppedEnds = true);
    // A server that was ended but cannot die (held in the kernel by a file
    // system that stopped answering): left as it is, on record (see
    // recordAbandoned), never waited for.
    void letGo();
    void reap();
    // The exit code of a server that has ended (-1 when it runs or was killed).
    int exitCode() const;

    OfficeOptions m_options;
    pid_t m_pid = -1;
    ProcessTag m_letGo;
    std::unique_ptr<QTemporaryDir> m_tempDir; // the server's TMPDIR
    CallRunner m_calls;
    css::uno::Reference<css::uno::XComponentContext> m_context;
    css::uno::Reference<css::frame::XDesktop2> m_desktop;
};

} // namespace lo
