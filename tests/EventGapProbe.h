#pragma once
// How long the thread's event loop went without handling events: a timer of
// short interval fires whenever events are handled, and the longest time
// between two of its firings is how long the window would have stood frozen
// (no repaint, no Cancel). Start it before the work, read it after.
//
// A gap counts what the thread did in it: its own work, and every wait it
// made (for the disk, for a server, for a lock). The time it stood ready to
// run while the processors served other programs is left out: on a machine
// loaded beyond its cores that is the scheduler's doing, and freezes every
// program alike. The kernel keeps that time per thread (the second field of
// /proc/thread-self/schedstat); without it the gap is the clock's.
#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <algorithm>

namespace probe {

// Nanoseconds the calling thread has spent ready to run but waiting for a
// processor; 0 where the kernel does not tell.
inline qint64 waitedForProcessorNs()
{
    QFile f(QStringLiteral("/proc/thread-self/schedstat"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return 0;
    const QList<QByteArray> fields = f.readLine().split(' ');
    return fields.size() >= 2 ? fields[1].trimmed().toLongLong() : 0;
}

// The time between two looks, with and without the time the thread waited
// for a processor in it. Used on one thread.
class HeldTime {
public:
    void start()
    {
        m_clock.start();
        m_last = 0;
        m_lastWaitNs = waitedForProcessorNs();
    }
    bool isValid() const { return m_clock.isValid(); }
    qint64 elapsedMs() const { return m_clock.elapsed(); }
    // The gap since the last look (or the start), in ms: on the clock, and
    // held by the thread itself.
    struct Gap {
        qint64 clockMs = 0;
        qint64 heldMs = 0;
    };
    Gap look()
    {
        const qint64 now = m_clock.elapsed();
        const qint64 waitNs = waitedForProcessorNs();
        Gap g;
        g.clockMs = now - m_last;
        g.heldMs = std::max<qint64>(0, g.clockMs - (waitNs - m_lastWaitNs) / 1000000);
        m_last = now;
        m_lastWaitNs = waitNs;
        return g;
    }

private:
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_lastWaitNs = 0;
};

class EventGapProbe : public QObject {
public:
    explicit EventGapProbe(int intervalMs = 5) : m_interval(intervalMs)
    {
        m_timer.setInterval(intervalMs);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
    }
    void start()
    {
        m_longest = 0;
        m_longestClock = 0;
        m_ticks = 0;
        m_time.start();
        m_timer.start();
    }
    // Stops, counting the time since the last firing as a gap too.
    void stop()
    {
        tick();
        m_timer.stop();
    }
    // The longest time (ms) the thread held its loop between two handled
    // events, less the timer's own interval.
    qint64 longestGapMs() const { return std::max<qint64>(0, m_longest - m_interval); }
    int ticks() const { return m_ticks; }
    QString describe() const
    {
        return QStringLiteral("longest gap %1 ms held by the thread, %2 ms on the clock, over %3 ms (%4 looks)")
            .arg(longestGapMs())
            .arg(std::max<qint64>(0, m_longestClock - m_interval))
            .arg(m_time.isValid() ? m_time.elapsedMs() : 0)
            .arg(m_ticks);
    }

private:
    void tick()
    {
        if (!m_time.isValid())
            return;
        const HeldTime::Gap g = m_time.look();
        m_longest = std::max(m_longest, g.heldMs);
        m_longestClock = std::max(m_longestClock, g.clockMs);
        ++m_ticks;
    }

    int m_interval;
    QTimer m_timer;
    HeldTime m_time;
    qint64 m_longest = 0;
    qint64 m_longestClock = 0;
    int m_ticks = 0;
};

} // namespace probe
