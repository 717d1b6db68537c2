#include "LoCall.h"

#include "Progress.h"
#include "XLBackend.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <csignal>
#include <exception>
#include <mutex>
#include <thread>

#include <pthread.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lo {

namespace {

constexpr int kDefaultStallMs = 30000;
// A call that ends this quickly never shows the wait loop.
constexpr auto kQuickCall = std::chrono::milliseconds(20);
// How often the wait looks at the cancel flag and the server.
constexpr int kWatchMs = 100;
// How long a server we ended may take to die before it is let go.
constexpr int kLetGoMs = 500;

std::atomic<int> g_stallMs{0};

// SIGPIPE left at its default ends the process on a write to a server that
// has died; the layer does not count on its caller to have ignored it. A
// handler the program installed stays: the workers block the signal anyway.
void shieldFromBrokenPipes()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction now {};
        if (::sigaction(SIGPIPE, nullptr, &now) == 0 && !(now.sa_flags & SA_SIGINFO) && now.sa_handler == SIG_DFL)
            std::signal(SIGPIPE, SIG_IGN);
    });
}

} // namespace

int stallTimeoutMs()
{
    if (const int set = g_stallMs.load(); set > 0)
        return set;
    bool ok = false;
    const int env = qEnvironmentVariableIntValue("ZOL_LO_STALL_MS", &ok);
    return ok && env > 0 ? env : kDefaultStallMs;
}

void setStallTimeoutMs(int ms)
{
    g_stallMs = ms > 0 ? ms : 0;
}

namespace {

ProcessSample sampleStat(const QString& path)
{
    ProcessSample s;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return s;
    const QByteArray line = f.readAll();
    // The name in parentheses may hold blanks and parentheses of its own.
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0)
        return s;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    // From the state on: state(3) ... utime(14) stime(15) ... starttime(22).
    if (fields.size() < 20 || fields[0].isEmpty())
        return s;
    s.exists = true;
    s.state = fields[0].at(0);
    s.cpuTicks = fields[11].toULongLong() + fields[12].toULongLong();
    s.startTime = fields[19].toULongLong();
    return s;
}

} // namespace

ProcessSample sampleProcess(pid_t pid)
{
    return pid > 0 ? sampleStat(QStringLiteral("/proc/%1/stat").arg(pid)) : ProcessSample();
}

bool processEnded(pid_t pid)
{
    if (pid <= 0)
        return true;
    siginfo_t info{};
    if (::waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0)
        return info.si_pid == pid;
    const ProcessSample s = sampleProcess(pid);
    return !s.exists || s.state == 'Z';
}

ProcessTag tagProcess(pid_t pid)
{
    const ProcessSample s = sampleProcess(pid);
    return s.exists ? ProcessTag{pid, s.startTime} : ProcessTag{};
}

bool processEnded(const ProcessTag& process)
{
    return processEnded(process.pid) || sampleProcess(process.pid).startTime != process.startTime;
}

// The worker thread and the one call it runs at a time.
struct CallRunner::Worker {
    std::mutex m;
    std::condition_variable cv;
    const std::function<void()>* job = nullptr;
    bool done = false;
    bool stop = false;
    bool busy = false;
    std::exception_ptr error;
    std::function<void()> wake; // tells the waiting loop; set only while it waits
    std::atomic<pid_t> tid{0};  // the worker's thread id, for the stall watch
    std::thread thread;

    Worker()
    {
        shieldFromBrokenPipes();
        thread = std::thread([this] {
            // A write to a server that has died fails with EPIPE here, and in
            // the bridge's threads started from here (they inherit the mask),
            // instead of ending the process, whatever the program's entry did.
            sigset_t pipe;
            sigemptyset(&pipe);
            sigaddset(&pipe, SIGPIPE);
            ::pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
            loop();
        });
    }
    ~Worker()
    {
        {
            std::lock_guard lock(m);
            stop = true;
        }
        cv.notify_all();
        thread.join();
    }

    void loop()
    {
        tid = ::gettid();
        std::unique_lock lock(m);
        for (;;) {
            cv.wait(lock, [this] { return stop || job; });
            if (!job)
                return;
            const std::function<void()>* call = job;
            lock.unlock();
            std::exception_ptr e;
            try {
                (*call)();
            } catch (...) {
                e = std::current_exception();
            }
            lock.lock();
            job = nullptr;
            error = e;
            done = true;
            if (wake)
                wake();
            cv.notify_all();
        }
    }
};

namespace {

// Decides, sample by sample, whether the server has stopped making progress.
class StallWatch {
public:
    // `worker`: the worker's thread id, known once it has started.
    StallWatch(pid_t pid, const std::atomic<pid_t>& worker, CallRunner::Watch watch)
        : m_pid(pid), m_worker(worker), m_start(watch == CallRunner::Watch::Start)
    {
        m_since.start();
    }

    bool hung()
    {
        const ProcessSample s = sampleProcess(m_pid);
        // Gone or dying: the call returns with the bridge's error by itself.
        if (!s.exists || s.state == 'Z' || s.state == 'X')
            return false;
        // The server waiting on us is no stall of its own: a long reply is
        // still being taken in by the bridge or converted by the worker,
        // which on a busy machine may take longer than the stall time.
        // A start's worker only looks for the connection, again and again:
        // that is no work of the server's.
        if (!m_start && ownSideWorking()) {
            m_since.restart();
            return false;
        }
        const bool stopped = s.state == 'T' || s.state == 't';
        // Busy on the processor is progress. Waiting for the disk is not: a
        // server held by a folder that stopped answering waits for ever.
        if (!stopped && (s.cpuTicks != m_cpu || !m_sampled)) {
            m_cpu = s.cpuTicks;
            m_sampled = true;
            m_since.restart();
            return false;
        }
        return m_since.elapsed() >= (m_start ? kStartIdleMs : stallTimeoutMs());
    }

private:
    // Whether our threads of the call (the worker and the bridge's readers)
    // run or gained processor time since the last look. While the server
    // does not answer they wait, so a hung server is still found.
    bool ownSideWorking()
    {
        if (!m_readersFound) {
            const QDir tasks(QStringLiteral("/proc/self/task"));
            for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                QFile comm(tasks.filePath(tid + QStringLiteral("/comm")));
                if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "binaryurpReader")
                    m_readers << tid.toInt();
            }
            m_readersFound = true;
        }
        QList<pid_t> own = m_readers;
        if (const pid_t worker = m_worker.load(); worker > 0)
            own << worker;
        bool running = false;
        quint64 ticks = 0;
        for (const pid_t tid : std::as_const(own)) {
            const ProcessSample t = sampleStat(QStringLiteral("/proc/self/task/%1/stat").arg(tid));
            running = running || t.state == 'R';
            ticks += t.cpuTicks;
        }
        const bool working = running || (m_ownSampled && ticks != m_ownTicks);
        m_ownTicks = ticks;
        m_ownSampled = true;
        return working;
    }

    pid_t m_pid;
    const std::atomic<pid_t>& m_worker;
    bool m_start;
    quint64 m_cpu = 0;
    bool m_sampled = false;
    QList<pid_t> m_readers;
    bool m_readersFound = false;
    quint64 m_ownTicks = 0;
    bool m_ownSampled = false;
    QElapsedTimer m_since;
};

void endGroup(pid_t pid)
{
    // The process is our child and not reaped yet, so neither its id nor
    // its group can belong to anybody else.
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
}

bool onGuiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

} // namespace

FileWork boundedFileWork(std::function<void(std::atomic<quint64>& progress)> work, int stallMs, bool honourCancel,
                         std::exception_ptr* error)
{
    struct Shared {
        std::mutex m;
        std::condition_variable cv;
        bool done = false;
        std::exception_ptr error;
        std::atomic<quint64> progress{0};
    };
    auto shared = std::make_shared<Shared>();
    std::thread([shared, work = std::move(work)] {
        std::exception_ptr e;
        try {
            work(shared->progress);
        } catch (...) {
            e = std::current_exception();
        }
        std::lock_guard lock(shared->m);
        shared->error = e;
        shared->done = true;
        shared->cv.notify_all();
    }).detach();

    QElapsedTimer still;
    still.start();
    quint64 seen = 0;
    FileWork verdict = FileWork::Done;
    // true once the wait is over, with `verdict` set.
    auto look = [&] {
        {
            std::lock_guard lock(shared->m);
            if (shared->done) {
                verdict = shared->error ? FileWork::Failed : FileWork::Done;
                if (error)
                    *error = shared->error;
                return true;
            }
        }
        if (honourCancel && Progress::form().Cancelled()) {
            verdict = FileWork::Cancelled;
            return true;
        }
        if (const quint64 now = shared->progress.load(); now != seen) {
            seen = now;
            still.restart();
        } else if (still.elapsed() >= stallMs) {
            verdict = FileWork::Stuck;
            return true;
        }
        return false;
    };
    {
        std::unique_lock lock(shared->m);
        if (shared->cv.wait_for(lock, kQuickCall, [&] { return shared->done; })) {
            if (error)
                *error = shared->error;
            return shared->error ? FileWork::Failed : FileWork::Done;
        }
    }
    if (onGuiThread()) {
        QEventLoop loop;
        QTimer tick;
        tick.setInterval(10);
        QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
            if (look())
                loop.quit();
        });
        tick.start();
        loop.exec();
        return verdict;
    }
    for (;;) {
        {
            std::unique_lock lock(shared->m);
            shared->cv.wait_for(lock, std::chrono::milliseconds(10), [&] { return shared->done; });
        }
        if (look())
            return verdict;
    }
}

CallRunner::CallRunner() : w(std::make_unique<Worker>()) {}

CallRunner::~CallRunner() = default;

void CallRunner::run(pid_t server, const std::function<void()>& call, Cancel cancel, int answerWithinMs, Watch watch)
{
    QElapsedTimer sinceAsked;
    sinceAsked.start();
    if (m_abandoned)
        throw XLError(XLErrorKind::NoAnswer, kXLNoAnswerText);
    m_stateAtVerdict = '?';
    {
        std::lock_guard lock(w->m);
        if (w->busy)
            throw XLError(XLErrorKind::Busy, kXLBusyText);
        w->busy = true;
        w->done = false;
        w->error = nullptr;
        w->job = &call;
    }
    w->cv.notify_all();

    enum class Verdict { None, Cancelled, Hung } verdict = Verdict::None;
    StallWatch stall(server, w->tid, watch);
    QElapsedTimer sinceVerdict;
    bool stuck = false; // the server was ended but cannot die, and the call never returns
    // One look at the cancel flag and the server; true once the wait is over:
    // the call has returned (and a server we ended has died), or the server
    // cannot die.
    auto look = [&] {
        bool done = false;
        {
            std::lock_guard lock(w->m);
            done = w->done;
        }
        if (verdict == Verdict::None) {
            if (done)
                return true;
            if (server <= 0)
                return false;
            if (cancel == Cancel::Honoured && Progress::form().Cancelled())
                verdict = Verdict::Cancelled;
            else if (stall.hung() || (answerWithinMs >= 0 && sinceAsked.elapsed() >= answerWithinMs))
                verdict = Verdict::Hung;
            if (verdict != Verdict::None) {
                m_stateAtVerdict = sampleProcess(server).state;
                endGroup(server);
                sinceVerdict.start();
            }
            return false;
        }
        // The bridge lets go when the server's pipe closes, a moment before
        // the process has quite ended: the caller may count on its end. A
        // process with a thread held in the kernel (a file system that stopped
        // answering) does neither, perhaps never: it is let go.
        if (done && processEnded(server))
            return true;
        if (sinceVerdict.elapsed() >= kLetGoMs) {
            stuck = true;
            return true;
        }
        return false;
    };

    bool over = false;
    {
        std::unique_lock lock(w->m);
        over = w->cv.wait_for(lock, kQuickCall, [this] { return w->done; });
    }
    if (!over && onGuiThread()) {
        QEventLoop loop;
        QTimer tick;
        tick.setInterval(kWatchMs);
        QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
            if (look())
                loop.quit();
            else if (verdict != Verdict::None)
                tick.setInterval(10); // the end is near: look more often
        });
        bool waiting = false;
        {
            std::lock_guard lock(w->m);
            if (!w->done) {
                w->wake = [&loop] { QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection); };
                waiting = true;
            }
        }
        if (waiting) {
            tick.start();
            // Events of the windows are handled meanwhile, input included.
            loop.exec();
            std::lock_guard lock(w->m);
            w->wake = nullptr;
        }
    }
    while (!over) {
        bool done = false;
        {
            std::unique_lock lock(w->m);
            done = w->cv.wait_for(lock, std::chrono::milliseconds(verdict == Verdict::None ? kWatchMs : 10),
                                  [this] { return w->done; });
        }
        over = look();
        if (!over && done && verdict != Verdict::None)
            QThread::msleep(5);
    }

    if (stuck) {
        // The worker stays blocked in the call for as long as the kernel holds
        // the server; it is left to it, with its state, and never touched
        // again. When the server does end at last, the call returns with the
        // bridge's error and the thread ends.
        m_abandoned = true;
        {
            std::lock_guard lock(w->m);
            w->stop = true;
        }
        w->thread.detach();
        (void)w.release();
        w = std::make_unique<Worker>();
        if (verdict == Verdict::Cancelled)
            throw OperationAborted();
        throw XLError(XLErrorKind::NoAnswer, kXLNoAnswerText);
    }
    std::exception_ptr error;
    {
        std::lock_guard lock(w->m);
        error = w->error;
        w->error = nullptr;
        w->busy = false;
    }
    if (verdict == Verdict::Cancelled)
        throw OperationAborted();
    if (verdict == Verdict::Hung)
        throw XLError(XLErrorKind::NoAnswer, kXLNoAnswerText);
    if (error)
        std::rethrow_exception(error);
}

} // namespace lo
