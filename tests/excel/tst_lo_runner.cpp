// The call runner on its own, watching plain processes in place of a server:
// an idle or stopped one is ended as hung after the stall time (a starting
// one after the start's idle bound, whatever our side does), a busy one
// never, Cancel ends the wait at once, what a call raises comes back, and a
// process a folder holds in the kernel is let go.
#include "LoCall.h"
#include "Progress.h"
#include "XLBackend.h"
#include "stall_fs.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <stdexcept>
#include <unistd.h>

namespace {

// A process in a group of its own, as the server is.
struct Child {
    QProcess p;
    explicit Child(const QString& script)
    {
        p.setChildProcessModifier([] { ::setpgid(0, 0); });
        p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
        p.waitForStarted();
    }
    ~Child()
    {
        if (p.state() != QProcess::NotRunning) {
            ::kill(pid(), SIGKILL);
            p.waitForFinished(5000);
        }
    }
    pid_t pid() const { return pid_t(p.processId()); }
};

bool ended(pid_t pid)
{
    return lo::processEnded(pid);
}

// A call that lasts until the process ends, or `ms` have passed.
std::function<void()> callUntilEnded(pid_t pid, int ms)
{
    return [pid, ms] {
        QElapsedTimer t;
        t.start();
        while (!ended(pid) && t.elapsed() < ms)
            QThread::msleep(10);
    };
}

} // namespace

class TstLoRunner : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        lo::setStallTimeoutMs(600);
        Progress::form().SetCancelled(false);
    }
    void cleanupTestCase() { lo::setStallTimeoutMs(0); }

    void hungWhenIdleOrStopped_data()
    {
        QTest::addColumn<bool>("stop");
        QTest::newRow("idle") << false;
        QTest::newRow("stopped") << true;
    }
    void hungWhenIdleOrStopped()
    {
        QFETCH(bool, stop);
        Child c(stop ? QStringLiteral("while :; do :; done") : QStringLiteral("exec sleep 600"));
        if (stop)
            ::kill(c.pid(), SIGSTOP);
        lo::CallRunner run;
        QElapsedTimer t;
        t.start();
        try {
            run(c.pid(), callUntilEnded(c.pid(), 60000));
            QFAIL("not taken as hung");
        } catch (const XLError& e) {
            QCOMPARE(e.kind(), XLErrorKind::NoAnswer);
        }
        QVERIFY2(t.elapsed() >= 600 && t.elapsed() < 10000, qPrintable(QString::number(t.elapsed())));
        QVERIFY(ended(c.pid()));
    }

    // A busy process is working: a call longer than the stall time runs on.
    void busyIsNeverCutOff()
    {
        lo::setStallTimeoutMs(1500);
        Child c(QStringLiteral("while :; do :; done"));
        lo::CallRunner run;
        const int r = run(c.pid(), [] {
            QThread::msleep(4000);
            return 7;
        });
        QCOMPARE(r, 7);
        QVERIFY(!ended(c.pid()));
    }

    void cancelEndsTheWait_data()
    {
        QTest::addColumn<bool>("honoured");
        QTest::newRow("honoured") << true;
        QTest::newRow("ignored (quitting)") << false;
    }
    void cancelEndsTheWait()
    {
        QFETCH(bool, honoured);
        lo::setStallTimeoutMs(60000);
        Child c(QStringLiteral("exec sleep 600"));
        lo::CallRunner run;
        QTimer::singleShot(200, [] { Progress::form().SetCancelled(true); });
        QElapsedTimer t;
        t.start();
        const auto cancel = honoured ? lo::CallRunner::Cancel::Honoured : lo::CallRunner::Cancel::Ignored;
        if (honoured) {
            QVERIFY_THROWS_EXCEPTION(OperationAborted, run(c.pid(), callUntilEnded(c.pid(), 60000), cancel));
            QVERIFY2(t.elapsed() < 2000, qPrintable(QString::number(t.elapsed())));
            QVERIFY(ended(c.pid()));
        } else {
            run(c.pid(), callUntilEnded(c.pid(), 1500), cancel);
            QVERIFY(t.elapsed() >= 1500);
            QVERIFY(!ended(c.pid()));
        }
        Progress::form().SetCancelled(false);
    }

    // A start's call looks for the server's connection again and again:
    // that work of ours is no progress of the server's. A server idle or
    // stopped while it starts is ended as hung after the start's idle bound,
    // long before the stall time; one busy on the processor never is.
    void startWatchesTheServerAlone_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("stop");
        QTest::addColumn<bool>("hung");
        QTest::newRow("idle") << "exec sleep 600" << false << true;
        QTest::newRow("stopped") << "while :; do :; done" << true << true;
        QTest::newRow("busy") << "while :; do :; done" << false << false;
    }
    void startWatchesTheServerAlone()
    {
        QFETCH(QString, script);
        QFETCH(bool, stop);
        QFETCH(bool, hung);
        lo::setStallTimeoutMs(60000);
        Child c(script);
        if (stop)
            ::kill(c.pid(), SIGSTOP);
        const pid_t pid = c.pid();
        const int lastsMs = lo::kStartIdleMs + 2000;
        lo::CallRunner run;
        QElapsedTimer t;
        t.start();
        try {
            run(pid, [pid, lastsMs] {
                QElapsedTimer looking;
                looking.start();
                while (!ended(pid) && looking.elapsed() < lastsMs) {
                }
            }, lo::CallRunner::Cancel::Honoured, -1, lo::CallRunner::Watch::Start);
            QVERIFY2(!hung, "not taken as hung");
            QVERIFY(t.elapsed() >= lastsMs);
            QVERIFY(!ended(pid));
        } catch (const XLError& e) {
            QVERIFY2(hung, "taken as hung");
            QCOMPARE(e.kind(), XLErrorKind::NoAnswer);
            QVERIFY2(t.elapsed() >= lo::kStartIdleMs && t.elapsed() < lo::kStartIdleMs + 1500,
                     qPrintable(QString::number(t.elapsed())));
            QVERIFY(ended(pid));
        }
    }

    // What the call raises comes back on this thread; a call from an event
    // handler while another waits is refused as busy.
    void errorsAndNesting()
    {
        lo::CallRunner run;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, run(-1, [] { throw std::runtime_error("boom"); }));
        bool refused = false;
        QTimer::singleShot(50, [&] {
            try {
                run(-1, [] {});
            } catch (const XLError& e) {
                refused = e.kind() == XLErrorKind::Busy;
            }
        });
        run(-1, [] { QThread::msleep(500); });
        QVERIFY(refused);
        QCOMPARE(run(-1, [] { return QStringLiteral("again"); }), QStringLiteral("again"));
    }

    // A process held by a folder that stopped answering, with the call
    // waiting on that folder too (as the bridge waits on a held server):
    // ended as hung, it cannot die; the wait lets it and the call go within
    // half a second, and later calls fail at once.
    void heldByAFolder()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        lofix::StallFs fs(tmp.filePath("backing"), tmp.filePath("share"));
        if (!fs.isMounted())
            QSKIP(qPrintable(fs.whyNot()));
        const QString file = tmp.filePath("share/data.txt");
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("data");
        }
        fs.stall();
        Child reader("cat '" + file + "' > /dev/null; :");
        lo::setStallTimeoutMs(1000);
        lo::CallRunner runner;
        QElapsedTimer t;
        t.start();
        try {
            runner.run(reader.pid(), [file] {
                QFile f(file);
                if (f.open(QIODevice::ReadOnly))
                    f.readAll();
            });
            QFAIL("the call returned from a folder that stopped answering");
        } catch (const XLError& e) {
            QCOMPARE(e.kind(), XLErrorKind::NoAnswer);
        }
        QVERIFY2(t.elapsed() < 1000 + 1500, qPrintable(QString::number(t.elapsed())));
        QVERIFY(runner.abandoned());
        t.restart();
        QVERIFY_THROWS_EXCEPTION(XLError, runner.run(reader.pid(), [] {}));
        QVERIFY(t.elapsed() < 100);
        // Once the folder lets go, the process ends.
        fs.release();
        QTRY_VERIFY_WITH_TIMEOUT(ended(reader.pid()), 10000);
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TstLoRunner t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_lo_runner.moc"
