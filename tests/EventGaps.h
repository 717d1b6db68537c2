#pragma once
// The longest time the thread's event loop went without handling an event:
// a timer due every 5 ms on the user-interface thread notes how late each
// firing comes. A wait that blocks the thread shows as a long gap.
#include <QElapsedTimer>
#include <QTimer>

class EventGaps {
public:
    EventGaps()
    {
        m_timer.setInterval(5);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const qint64 now = m_clock.elapsed();
            m_longest = std::max(m_longest, now - m_last);
            m_last = now;
        });
    }
    void start()
    {
        m_longest = 0;
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }
    // The longest gap so far, up to now.
    qint64 longestMs() const { return std::max(m_longest, m_clock.isValid() ? m_clock.elapsed() - m_last : 0); }
    void stop() { m_longest = longestMs(), m_timer.stop(); }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};
