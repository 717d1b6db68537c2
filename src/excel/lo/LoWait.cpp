#include "LoWait.h"

#include "Progress.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace lo {

bool waitUntil(const std::function<bool()>& done, int timeoutMs, CallRunner::Cancel cancel, int pollMs)
{
    QElapsedTimer clock;
    clock.start();
    const bool honoured = cancel == CallRunner::Cancel::Honoured;
    enum class End { Open, Done, Late, Cancelled };
    const auto look = [&] {
        if (done())
            return End::Done;
        if (honoured && Progress::form().Cancelled())
            return End::Cancelled;
        if (timeoutMs >= 0 && clock.elapsed() >= timeoutMs)
            return End::Late;
        return End::Open;
    };
    End end = look();
    const QCoreApplication* app = QCoreApplication::instance();
    if (end == End::Open && app && QThread::currentThread() == app->thread()) {
        QEventLoop loop;
        QTimer tick;
        tick.setInterval(pollMs);
        QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
            end = look();
            if (end != End::Open)
                loop.quit();
        });
        tick.start();
        loop.exec();
    }
    while (end == End::Open) {
        QThread::msleep(static_cast<unsigned long>(pollMs));
        end = look();
    }
    if (end == End::Cancelled)
        throw OperationAborted();
    return end == End::Done;
}

} // namespace lo
