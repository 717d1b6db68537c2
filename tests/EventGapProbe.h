#pragma once
// How long the thread's event loop went without handling events: a timer of
// short interval fires whenever events are handled, and the longest time
// between two of its firings is how long the window would have stood frozen
// (no repaint, no Cancel). Start it before the work, read it after.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <algorithm>

namespace probe {

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
        m_ticks = 0;
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }
    // Stops, counting the time since the last firing as a gap too.
    void stop()
    {
        tick();
        m_timer.stop();
    }
    // The longest time (ms) between two handled events, less the timer's
    // own interval.
    qint64 longestGapMs() const { return std::max<qint64>(0, m_longest - m_interval); }
    int ticks() const { return m_ticks; }
    QString describe() const
    {
        return QStringLiteral("longest gap %1 ms over %2 ms (%3 looks)")
            .arg(longestGapMs())
            .arg(m_clock.isValid() ? m_clock.elapsed() : 0)
            .arg(m_ticks);
    }

private:
    void tick()
    {
        if (!m_clock.isValid())
            return;
        const qint64 now = m_clock.elapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
        ++m_ticks;
    }

    int m_interval;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    int m_ticks = 0;
};

} // namespace probe
