// The life cycle of the LibreOffice server behind the backend: every start
// gets a server of its own, and no server outlives its backend, whether the
// program quits, forgets to, crashes, or the server itself dies.
#include "LoBackend.h"
#include "LoCall.h"
#include "LoOffice.h"
#include "lo_fixtures.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

using lofix::gone;

bool goneWithin(int pid, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!gone(pid)) {
        if (t.elapsed() > ms)
            return false;
        QThread::msleep(20);
    }
    return true;
}

} // namespace

class TstLoLife : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void startAndQuit();
    void startOnUsedProfileIsLight();
    void startFailure();
    void quitWithoutServer();
    void secondStartEndsTheFirst();
    void destructorEndsServer();
    void crashedProgramLeavesNoServer();
    void killedServerFailsFast();
    void killedServerDuringSaveLeavesOutputUntouched();

private:
    QTemporaryDir m_tmp;
    QString m_fixtures;
};

void TstLoLife::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    m_fixtures = lofix::fixturesMade(m_tmp.filePath("fixtures"));
}

void TstLoLife::startAndQuit()
{
    lo::Backend b;
    QCOMPARE(b.serverPid(), -1);
    b.start();
    const int pid = b.serverPid();
    QVERIFY(pid > 0);
    QVERIFY(!gone(pid));
    // A server of its own: its own process group, not ours.
    QCOMPARE(int(::getpgid(pid)), pid);
    b.openWorkbook(m_fixtures + "/tasks.xlsx", QString(), QString(), true);
    b.quit(); // with a workbook still open
    QCOMPARE(b.serverPid(), -1);
    QVERIFY(goneWithin(pid, 1000));
    b.quit(); // again: nothing to do
}

// A server started on a profile that has served before does only what a
// start needs: the office's graphics self-test, seconds of processor time,
// ran at every headless start until the profile was told the version seen.
void TstLoLife::startOnUsedProfileIsLight()
{
    const QString profile = m_tmp.filePath("used-profile");
    lo::BackendOptions o;
    o.profileDir = profile;
    {
        lo::Backend setup(o);
        setup.start();
        setup.quit();
    }
    for (int round = 0; round < 2; ++round) {
        lo::Backend b(o);
        b.start();
        const int pid = b.serverPid();
        QVERIFY(pid > 0);
        const double cpuSeconds = double(lo::sampleProcess(pid).cpuTicks) / double(::sysconf(_SC_CLK_TCK));
        qInfo("start %d on the used profile: %.2f s of processor time", round + 1, cpuSeconds);
        QVERIFY2(cpuSeconds < 2.0, qPrintable(QString::number(cpuSeconds)));
        // Ended without a quit, as a cancelled run ends it: the next start
        // is as light.
        if (round == 0)
            ::kill(pid, SIGKILL);
        else
            b.quit();
        QVERIFY(goneWithin(pid, 10000));
    }
}

void TstLoLife::startFailure()
{
    lo::BackendOptions o;
    o.program = m_tmp.filePath("no-such-office");
    lo::Backend b(o);
    QElapsedTimer t;
    t.start();
    try {
        b.start();
        QFAIL("started");
    } catch (const XLError& e) {
        QCOMPARE(e.kind(), XLErrorKind::Other);
        QCOMPARE(e.message(), QStringLiteral("The spreadsheet server ended while starting."));
    }
    QVERIFY(t.elapsed() < 10000);
    QCOMPARE(b.serverPid(), -1);
    b.quit();
}

void TstLoLife::quitWithoutServer()
{
    lo::Backend b;
    b.quit();
    QCOMPARE(b.serverPid(), -1);
    QVERIFY_THROWS_EXCEPTION(XLError, b.openWorkbook(m_fixtures + "/tasks.xlsx", QString(), QString(), true));
}

void TstLoLife::secondStartEndsTheFirst()
{
    lo::Backend b;
    b.start();
    const int first = b.serverPid();
    b.start();
    const int second = b.serverPid();
    QVERIFY(second > 0);
    QVERIFY(second != first);
    QVERIFY(goneWithin(first, 1000));
    b.openWorkbook(m_fixtures + "/tasks.xlsx", QString(), QString(), true);
    QCOMPARE(b.worksheetNames().size(), 4);
    b.quit();
    QVERIFY(goneWithin(second, 1000));
}

void TstLoLife::destructorEndsServer()
{
    int pid = -1;
    {
        lo::Backend b;
        b.start();
        pid = b.serverPid();
        b.openWorkbook(m_fixtures + "/tasks.xlsx", QString(), QString(), true);
    }
    QVERIFY(goneWithin(pid, 1000));
}

void TstLoLife::crashedProgramLeavesNoServer()
{
    // This executable again, as a program that starts a server and dies.
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--start-and-crash"});
    QVERIFY(child.waitForFinished(120000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    bool ok = false;
    const int pid = child.readAllStandardOutput().trimmed().toInt(&ok);
    QVERIFY(ok && pid > 0);
    QVERIFY(goneWithin(pid, 5000));
}

void TstLoLife::killedServerFailsFast()
{
    lo::Backend b;
    b.start();
    const int pid = b.serverPid();
    b.openWorkbook(m_fixtures + "/tasks.xlsx", QString(), QString(), true);
    b.usedRange("Tasks");
    // The server dies while columns are being read.
    QThread* killer = QThread::create([pid] {
        QThread::msleep(300);
        ::kill(pid, SIGKILL);
    });
    killer->start();
    QElapsedTimer t;
    t.start();
    bool failed = false;
    while (!failed && t.elapsed() < 60000) {
        try {
            b.readDisplayColumn("B", 1, 200000);
            b.readRawColumn("C", 1, 200000);
        } catch (const XLError& e) {
            failed = true;
            QCOMPARE(e.kind(), XLErrorKind::Other);
            QVERIFY(!e.message().isEmpty());
        }
    }
    killer->wait();
    delete killer;
    QVERIFY(failed);
    // A later operation fails at once, and quitting cleans up.
    t.restart();
    QVERIFY_THROWS_EXCEPTION(XLError, b.worksheetNames());
    QVERIFY(t.elapsed() < 5000);
    b.quit();
    QCOMPARE(b.serverPid(), -1);
    QVERIFY(goneWithin(pid, 1000));
}

void TstLoLife::killedServerDuringSaveLeavesOutputUntouched()
{
    const QString out = m_tmp.filePath("report.xlsx");
    QFile f(out);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("the earlier report");
    f.close();
    lo::Backend b;
    b.start();
    const int pid = b.serverPid();
    b.openWorkbook(m_fixtures + "/template.xlsx", QString(), QString(), true);
    b.usedRange("Chart Data");
    ::kill(pid, SIGKILL);
    QVERIFY(goneWithin(pid, 5000));
    QVERIFY_THROWS_EXCEPTION(XLError, b.saveAs(out, XLSaveFormat::Xlsx));
    QFile again(out);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), QByteArray("the earlier report"));
    QCOMPARE(QDir(m_tmp.path()).entryList(QStringList{".~*"}, QDir::Files | QDir::Hidden), QStringList());
    b.quit();
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--start-and-crash") == 0) {
        lo::Backend b;
        b.start();
        std::printf("%d\n", b.serverPid());
        std::fflush(stdout);
        std::abort();
    }
    TstLoLife t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_lo_life.moc"
