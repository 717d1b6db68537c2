// Calls to a real server that stops answering, dies or works long: the
// caller's events keep being handled, a stopped server ends the call with a
// failure of its own, Cancel ends a blocked call at once, and a server killed
// in the middle of writes never takes this process with it, whatever the
// process's entry did about SIGPIPE.
#include "LoBackend.h"
#include "LoCall.h"
#include "LoOffice.h"
#include "LoText.h"
#include "LoUno.h"
#include "Progress.h"
#include "lo_fixtures.h"

#include <com/sun/star/sheet/XCellRangeData.hpp>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>

#include <pthread.h>

using namespace css;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

namespace {

constexpr int kTallRows = 1000000;

} // namespace

class TstLoCalls : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        lo::Backend maker;
        maker.start();
        // A worksheet of a million numbers in column C, and a head in row 1.
        m_tall = m_tmp.filePath("tall.xlsx");
        lo::NewWorkbook book(maker.server()->desktop());
        auto s = book.addSheet("Tasks");
        lofix::fillRows(s, "C1", kTallRows, [](int i) { return lo::seqOf({Any(double(i))}); });
        lo::storeTo(book.doc, m_tall, lo::kXlsxFilter);
        maker.quit();
    }
    void init()
    {
        lo::setStallTimeoutMs(3000);
        Progress::form().SetCancelled(false);
    }
    void cleanupTestCase() { lo::setStallTimeoutMs(0); }

    // The server stops (SIGSTOP) with a read, a write or the save under way:
    // the call fails as not answering within the stall time, the server is
    // gone, and an older Output File stays as it was.
    void stoppedServer_data()
    {
        QTest::addColumn<QString>("at");
        QTest::newRow("read") << "read";
        QTest::newRow("write") << "write";
        QTest::newRow("save") << "save";
    }
    void stoppedServer()
    {
        QFETCH(QString, at);
        const QString out = m_tmp.filePath("stopped.xlsx");
        QFile old(out);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the earlier report");
        old.close();
        lo::Backend b;
        b.start();
        const int pid = b.serverPid();
        b.openWorkbook(m_tall, QString(), QString(), true);
        b.usedRange("Tasks");
        // Stopped while the call runs: the timer fires in the call's wait.
        QTimer::singleShot(150, [pid] { ::kill(pid, SIGSTOP); });
        QElapsedTimer t;
        t.start();
        try {
            if (at == "read") {
                for (;;)
                    b.readRawColumn("C", 1, kTallRows);
            } else if (at == "write") {
                XLColumn values(kTallRows, XLCell::fromNumber(2.5));
                for (;;)
                    b.writeColumn("D", 1, kTallRows, values);
            } else {
                for (;;)
                    b.saveAs(out, XLSaveFormat::Xlsx);
            }
        } catch (const XLError& e) {
            QCOMPARE(e.kind(), XLErrorKind::NoAnswer);
            QCOMPARE(e.message(), kXLNoAnswerText);
        }
        QVERIFY2(t.elapsed() < 60000, qPrintable(QString::number(t.elapsed())));
        QVERIFY(lofix::gone(pid));
        QCOMPARE(b.serverPid(), -1);
        b.quit();
        QCOMPARE(lofix::digest(out), QCryptographicHash::hash("the earlier report", QCryptographicHash::Sha256));
        QCOMPARE(QDir(m_tmp.path()).entryList(QStringList{".~*"}, QDir::Files | QDir::Hidden), QStringList());
    }

    // Cancel pressed while the server is stopped in the middle of a call:
    // the call ends at once with the silent abort, long before the stall time.
    void cancelDuringBlockedCall()
    {
        lo::setStallTimeoutMs(120000);
        lo::Backend b;
        b.start();
        const int pid = b.serverPid();
        b.openWorkbook(m_tall, QString(), QString(), true);
        b.usedRange("Tasks");
        ::kill(pid, SIGSTOP);
        QTimer::singleShot(500, [] { Progress::form().SetCancelled(true); });
        QElapsedTimer t;
        t.start();
        QVERIFY_THROWS_EXCEPTION(OperationAborted, b.readRawColumn("C", 1, 10));
        QVERIFY2(t.elapsed() < 1500 + 5000, qPrintable(QString::number(t.elapsed())));
        QVERIFY(lofix::gone(pid));
        Progress::form().SetCancelled(false);
        b.quit();
        QCOMPARE(b.serverPid(), -1);
    }

    // A long honest call: the caller's timers keep firing all along, and a
    // stall time shorter than the call does not cut it off.
    void eventsDuringLongCall()
    {
        lo::setStallTimeoutMs(1500);
        lo::Backend b;
        b.start();
        b.openWorkbook(m_tall, QString(), QString(), true);
        b.usedRange("Tasks");
        int ticks = 0;
        QTimer timer;
        timer.setInterval(20);
        connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start();
        QElapsedTimer t;
        t.start();
        const XLColumn c = b.readRawColumn("C", 1, kTallRows);
        const qint64 readMs = t.elapsed();
        const int readTicks = ticks;
        QCOMPARE(c.size(), kTallRows);
        QCOMPARE(c.last(), XLCell::fromNumber(kTallRows));
        t.restart();
        b.saveAs(m_tmp.filePath("tall-copy.xlsx"), XLSaveFormat::Xlsx);
        const qint64 saveMs = t.elapsed();
        qInfo("read %lld ms (%d ticks), save %lld ms (%d ticks)", readMs, readTicks, saveMs, ticks - readTicks);
        // At least one tick in every 200 ms of the calls.
        QVERIFY2(readTicks >= readMs / 200, qPrintable(QString::number(readTicks)));
        QVERIFY2(ticks - readTicks >= saveMs / 200, qPrintable(QString::number(ticks - readTicks)));
        QVERIFY(QFile::exists(m_tmp.filePath("tall-copy.xlsx")));
        b.quit();
    }

    // A server killed while we write to it, again and again: each write
    // fails with an error; this process lives on.
    void killedDuringWrites()
    {
        for (int round = 0; round < 5; ++round) {
            lo::Backend b;
            b.start();
            const int pid = b.serverPid();
            b.openWorkbook(m_tall, QString(), QString(), true);
            b.usedRange("Tasks");
            QTimer::singleShot(50 + 40 * round, [pid] { ::kill(pid, SIGKILL); });
            const XLColumn values(200000, XLCell::fromText("a text long enough to fill the pipe"));
            bool failed = false;
            for (int i = 0; i < 200 && !failed; ++i) {
                try {
                    b.writeColumn("E", 1, 200000, values);
                } catch (const XLError& e) {
                    failed = true;
                    QVERIFY(!e.message().isEmpty());
                }
            }
            QVERIFY(failed);
            QVERIFY_THROWS_EXCEPTION(XLError, b.writeCellText("A1", "again"));
            b.quit();
            QVERIFY(lofix::gone(pid));
        }
    }

    // An entry point that leaves SIGPIPE as the system starts it (as a tool
    // or a bench would): a server killed while a long write to it is under
    // way fails the write, and the process lives on.
    void killedDuringWriteWithSigpipeLeftAlone()
    {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), {"--write-to-killed-server", m_tall});
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForFinished(120000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
    }

private:
    QTemporaryDir m_tmp;
    QString m_tall;
};

namespace {

// The child of killedDuringWriteWithSigpipeLeftAlone: 0 when the write
// failed with an error, 1 when it went through; SIGPIPE ends it otherwise.
int writeToKilledServer(const QString& workbook)
{
    std::signal(SIGPIPE, SIG_DFL);
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_UNBLOCK, &pipe, nullptr);
    lo::Backend b;
    b.start();
    const int pid = b.serverPid();
    b.openWorkbook(workbook, QString(), QString(), true);
    b.usedRange("Tasks");
    // Stopped, the server reads nothing: the request fills the pipe and the
    // write waits, until the server is killed under it.
    ::kill(pid, SIGSTOP);
    QTimer::singleShot(1000, [pid] { ::kill(pid, SIGKILL); });
    const XLColumn values(400000, XLCell::fromText("a text long enough to fill the pipe"));
    try {
        b.writeColumn("E", 1, 400000, values);
    } catch (const XLError&) {
        return 0;
    }
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    // The calls wait in the application's own event loop, as in the program.
    QCoreApplication app(argc, argv);
    if (argc > 2 && qstrcmp(argv[1], "--write-to-killed-server") == 0)
        return writeToKilledServer(QString::fromLocal8Bit(argv[2]));
    TstLoCalls t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_lo_calls.moc"
