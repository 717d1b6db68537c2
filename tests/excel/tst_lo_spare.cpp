// The spare server of the LibreOffice backend: each start takes the spare
// that was started in the background (a fresh server every time, never one
// reused after a quit), a new spare follows each handover, a spare that died is
// replaced by a normal start, and no server of ours outlives the backend or
// a program killed outright, the spare included.
#include "LoBackend.h"
#include "LoOffice.h"
#include "LoSpare.h"
#include "lo_fixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kStartMs = 120000;

using lofix::gone;

// No process left in the server's process group (a zombie left for a dead
// parent aside).
bool groupGone(int pgid)
{
    for (const QString& e : QDir("/proc").entryList(QDir::Dirs)) {
        bool ok = false;
        const int pid = e.toInt(&ok);
        if (ok && ::getpgid(pid) == pgid && !gone(pid))
            return false;
    }
    return true;
}

lo::BackendOptions withSpare()
{
    lo::BackendOptions o;
    o.spare = true;
    return o;
}

} // namespace

class TstLoSpare : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void eachStartTakesTheSpare();
    void deadSpareFallsBackToNormalStart();
    void destroyedBackendLeavesNoServer();
    void killedProgramLeavesNoServer();
    void noSpareWhenTurnedOff();
    void heldProfileFollowsItsServer_data();
    void heldProfileFollowsItsServer();

private:
    QTemporaryDir m_tmp;
    QString m_fixtures;
};

void TstLoSpare::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    m_fixtures = lofix::fixturesMade(m_tmp.filePath("fixtures"));
}

void TstLoSpare::eachStartTakesTheSpare()
{
    lo::Backend b(withSpare());
    QList<int> servers;
    // Two starts as a run makes them, then one as a browse.
    for (int round = 0; round < 3; ++round) {
        QVERIFY(b.waitSpareReady(kStartMs));
        const int spare = b.sparePid();
        QVERIFY(spare > 0);
        QVERIFY(!servers.contains(spare));
        QElapsedTimer t;
        t.start();
        b.start();
        QVERIFY2(t.elapsed() < 2000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(b.serverPid(), spare);
        b.openWorkbook(m_fixtures + "/tasks.xlsx", QString(), QString(), true);
        QCOMPARE(b.worksheetNames().size(), 4);
        // The next spare starts beside the server taken over.
        QVERIFY(b.waitSpareReady(kStartMs));
        QVERIFY(b.sparePid() != spare);
        b.quit();
        QTRY_VERIFY_WITH_TIMEOUT(gone(spare), 5000);
        servers << spare;
    }
    // And a new spare is on its way.
    QVERIFY(b.waitSpareReady(kStartMs));
    QVERIFY(!servers.contains(b.sparePid()));
}

void TstLoSpare::deadSpareFallsBackToNormalStart()
{
    lo::Backend b(withSpare());
    QVERIFY(b.waitSpareReady(kStartMs));
    const int spare = b.sparePid();
    ::kill(spare, SIGKILL);
    QTRY_VERIFY_WITH_TIMEOUT(gone(spare), 5000);
    b.start();
    const int server = b.serverPid();
    QVERIFY(server > 0);
    QVERIFY2(server != spare, qPrintable(QString("%1 %2").arg(server).arg(spare)));
    b.openWorkbook(m_fixtures + "/tasks.xlsx", QString(), QString(), true);
    QCOMPARE(b.worksheetNames().size(), 4);
    b.quit();
    QTRY_VERIFY_WITH_TIMEOUT(gone(server), 5000);
    QVERIFY(groupGone(spare));
}

void TstLoSpare::destroyedBackendLeavesNoServer()
{
    int server = -1;
    int spare = -1;
    {
        // A server at work and a spare waiting, and no quit.
        lo::Backend b(withSpare());
        QVERIFY(b.waitSpareReady(kStartMs));
        b.start();
        server = b.serverPid();
        b.openWorkbook(m_fixtures + "/tasks.xlsx", QString(), QString(), true);
        QVERIFY(b.waitSpareReady(kStartMs));
        spare = b.sparePid();
        QVERIFY(server > 0 && spare > 0 && server != spare);
    }
    QTRY_VERIFY_WITH_TIMEOUT(gone(server) && groupGone(server), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(gone(spare) && groupGone(spare), 5000);
    // A backend destroyed while its first spare is still starting gives the
    // start up without waiting for it.
    QElapsedTimer t;
    t.start();
    {
        lo::Backend b(withSpare());
    }
    QVERIFY(t.elapsed() < 5000);
}

void TstLoSpare::killedProgramLeavesNoServer()
{
    // This executable again, as a program with a server running and a spare
    // ready, killed outright.
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--serve-and-wait"});
    QVERIFY(child.waitForStarted());
    QByteArray out;
    QTRY_VERIFY_WITH_TIMEOUT((out += child.readAllStandardOutput()).count('\n') >= 1, kStartMs);
    const QList<QByteArray> pids = out.trimmed().split(' ');
    QCOMPARE(pids.size(), 2);
    const int server = pids[0].toInt();
    const int spare = pids[1].toInt();
    QVERIFY(server > 0 && spare > 0 && server != spare);
    QVERIFY(!gone(server) && !gone(spare));
    ::kill(int(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished(10000));
    QTRY_VERIFY_WITH_TIMEOUT(gone(server) && gone(spare), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(groupGone(server) && groupGone(spare), 10000);
}

void TstLoSpare::noSpareWhenTurnedOff()
{
    // The suite runs with ZOL_SPARE_SERVER=0: backends keep no spare unless asked.
    QCOMPARE(qgetenv("ZOL_SPARE_SERVER"), QByteArray("0"));
    lo::Backend b;
    QVERIFY(!b.waitSpareReady(0));
    QCOMPARE(b.sparePid(), -1);
}

// A profile left with a server that could not be made to die stays held
// while that server stands, and no longer once its id names another process
// (the server reaped at last, and the id given again).
void TstLoSpare::heldProfileFollowsItsServer_data()
{
    QTest::addColumn<bool>("sameProcess");
    QTest::newRow("the server itself") << true;
    QTest::newRow("its id given to another") << false;
}

void TstLoSpare::heldProfileFollowsItsServer()
{
    QFETCH(bool, sameProcess);
    const pid_t standing = ::fork();
    if (standing == 0) {
        ::pause();
        ::_exit(0);
    }
    QVERIFY(standing > 0);
    lo::ProcessTag server = lo::tagProcess(standing);
    QCOMPARE(server.pid, standing);
    if (!sameProcess)
        server.startTime -= 1; // the one that had the id before
    const QString dir = m_tmp.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-'));
    const auto free = [&] { return lo::ProfileHold::acquire(dir).dir == dir; };
    lo::ProfileHold hold = lo::ProfileHold::acquire(dir);
    QCOMPARE(hold.dir, dir);
    lo::ProfileHold::releaseWhenEnded(std::move(hold), server);
    QCOMPARE(free(), !sameProcess);
    ::kill(standing, SIGKILL);
    QCOMPARE(::waitpid(standing, nullptr, 0), standing);
    QVERIFY(free());
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--serve-and-wait") == 0) {
        // A server that was a spare, at work, and the next spare ready.
        lo::Backend b(withSpare());
        b.waitSpareReady(kStartMs);
        b.start();
        b.waitSpareReady(kStartMs);
        std::printf("%d %d\n", b.serverPid(), b.sparePid());
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
    TstLoSpare t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_lo_spare.moc"
