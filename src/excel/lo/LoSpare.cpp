#include "LoSpare.h"

#include "LoLeftovers.h"
#include "LoWait.h"

#include <QDir>
#include <QFileInfo>

#include <condition_variable>
#include <mutex>
#include <utility>
#include <vector>
#include <thread>

namespace lo {

namespace {

// Profiles whose servers were let go while they still stood.
struct HeldByLetGo {
    std::mutex mutex;
    std::vector<std::pair<ProcessTag, ProfileHold>> held;

    void prune()
    {
        std::lock_guard lock(mutex);
        std::erase_if(held, [](const auto& h) { return processEnded(h.first); });
    }
};

HeldByLetGo& heldByLetGo()
{
    static HeldByLetGo h;
    return h;
}

} // namespace

void ProfileHold::releaseWhenEnded(ProfileHold hold, ProcessTag server)
{
    // A kill is carried out in milliseconds unless the kernel holds the
    // process; that one keeps its profile (the wait is short: a quit or a
    // new start waits on it).
    waitUntil([&] { return processEnded(server); }, 200, CallRunner::Cancel::Ignored, 5);
    if (processEnded(server))
        return;
    auto& h = heldByLetGo();
    std::lock_guard lock(h.mutex);
    h.held.emplace_back(server, std::move(hold));
}

void endServer(std::unique_ptr<Office>& office, ProfileHold& profile)
{
    const ProcessTag server = office ? office->standing() : ProcessTag{};
    office.reset(); // kills what still runs, or lets it go
    ProfileHold::releaseWhenEnded(std::exchange(profile, {}), server);
}

StartedOffice& StartedOffice::operator=(StartedOffice&& other)
{
    if (this != &other) {
        end();
        profile = std::move(other.profile);
        office = std::move(other.office);
    }
    return *this;
}

ProfileHold ProfileHold::acquire(const QString& profileDir)
{
    heldByLetGo().prune();
    // Two persistent folders serve a running server and the spare beside it;
    // a second server on one profile would hand its work over to the first.
    ProfileHold h;
    QDir().mkpath(QFileInfo(profileDir).absolutePath());
    for (const QString& dir : {profileDir, profileDir + QStringLiteral("-2")}) {
        auto lock = std::make_unique<QLockFile>(dir + QStringLiteral(".lock"));
        if (lock->tryLock(0)) {
            h.dir = dir;
            h.lock = std::move(lock);
            return h;
        }
    }
    h.temp = std::make_unique<QTemporaryDir>(tempTemplate(QStringLiteral("profile")));
    h.dir = h.temp->path();
    return h;
}

bool SpareKeeper::enabledByDefault()
{
    return qEnvironmentVariable("ZOL_SPARE_SERVER") != QLatin1String("0");
}

struct SpareKeeper::State {
    enum Phase { Idle, Wanted, Starting, Ready, Failed };

    OfficeOptions options;
    std::mutex mutex;
    std::condition_variable changed;
    Phase phase = Idle;
    bool stop = false;
    std::atomic<bool> abandon{false};
    StartedOffice spare;
    std::thread worker;

    bool settled() const { return phase != Wanted && phase != Starting; }

    void run()
    {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return stop || phase == Wanted; });
            if (stop)
                return;
            phase = Starting;
            lock.unlock();
            StartedOffice s;
            s.profile = ProfileHold::acquire(options.profileDir);
            OfficeOptions o = options;
            o.profileDir = s.profile.dir;
            o.abandon = &abandon;
            s.office = std::make_unique<Office>(o);
            bool ok = true;
            try {
                s.office->start();
            } catch (...) {
                ok = false; // start() has ended the process, or let it go
                s.end();
            }
            lock.lock();
            if (ok)
                spare = std::move(s);
            phase = ok ? Ready : Failed;
            changed.notify_all();
        }
    }
};

SpareKeeper::SpareKeeper(OfficeOptions options) : d(std::make_unique<State>())
{
    d->options = std::move(options);
    d->worker = std::thread([this] { d->run(); });
}

SpareKeeper::~SpareKeeper()
{
    {
        std::lock_guard lock(d->mutex);
        d->stop = true;
        d->abandon = true;
    }
    d->changed.notify_all();
    d->worker.join();
    d->spare.end();
}

void SpareKeeper::prepare()
{
    std::lock_guard lock(d->mutex);
    if (d->phase == State::Idle || d->phase == State::Failed) {
        d->phase = State::Wanted;
        d->changed.notify_all();
    }
}

StartedOffice SpareKeeper::take()
{
    // A start under way is waited for as calls are: the windows stay alive
    // and Cancel answers at once (the spare goes on starting for a later
    // start). The start gives up a server that stops making progress, as a
    // call does, and then settles as failed.
    waitUntil([&] {
        std::lock_guard lock(d->mutex);
        return d->settled();
    }, -1, CallRunner::Cancel::Honoured);
    std::unique_lock lock(d->mutex);
    StartedOffice s = std::exchange(d->spare, {});
    d->phase = State::Idle;
    lock.unlock();
    // A spare that was ready answers in milliseconds; one that does not in
    // a few seconds (stopped, or hung while it waited) is not waited for
    // as long as a server at work would be: it is ended (or let go and put
    // on record when it cannot die) and the caller starts a fresh server.
    // A Cancel meanwhile ends it the same way, as `s` goes.
    if (s.office && !s.office->answers(CallRunner::Cancel::Honoured, kAnswerMs)) {
        s.end();
        return {};
    }
    return s;
}

int SpareKeeper::readyPid()
{
    std::lock_guard lock(d->mutex);
    return d->phase == State::Ready && d->spare.office && d->spare.office->running() ? int(d->spare.office->pid())
                                                                                     : -1;
}

bool SpareKeeper::waitReady(int ms)
{
    std::unique_lock lock(d->mutex);
    d->changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return d->settled(); });
    return d->phase == State::Ready;
}

} // namespace lo
