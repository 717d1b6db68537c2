// Whole runs against a real, private, headless LibreOffice where the run
// has to wait for a server: the spare still starting, the spare or the run's
// own server stopped (SIGSTOP) while it starts, with and without Cancel, a
// start that works for longer than the start's idle bound, a ready spare
// stopped before a run or
// a browse, and the server stopped at the final quit. The window's thread
// never goes more than 250 ms without handling its events, Cancel answers
// within a second, and no server is left.
#include "EventGapProbe.h"
#include "LoBackend.h"
#include "LoCall.h"
#include "LoOffice.h"
#include "LoSpare.h"
#include "MachineKeys.h"
#include "Progress.h"
#include "RunServers.h"
#include "StdDlg.h"
#include "WorkbookMaker.h"
#include "tst_process_fixture.h"
#include "zyAD.h"
#include "zyProcess.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyXL.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <ctime>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

const QStringList kMapCols{"E", "F", "G", "H", "I", "J", "K", "L", "M"};
constexpr qint64 kLongestGapMs = 250;

QString SourceDir()
{
    return qEnvironmentVariable("ZOL_SOURCE_DIR", QStringLiteral(ZOL_TEST_SOURCE_DIR));
}

// The servers children of ours run on `profile`.
QList<pid_t> ServersOnProfile(const QString& profile)
{
    const QByteArray mark = QUrl::fromLocalFile(profile).toEncoded();
    QList<pid_t> found;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool numeric = false;
        const pid_t pid = entry.toInt(&numeric);
        if (!numeric)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> f = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (f.size() < 2 || f[1].toInt() != ::getpid())
            continue;
        QFile cmd(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (cmd.open(QIODevice::ReadOnly) && cmd.readAll().contains("UserInstallation=" + mark + '\0'))
            found << pid;
    }
    return found;
}

// The server a child of ours runs on `profile`, once it has been spawned.
pid_t ServerOnProfile(const QString& profile, int withinMs)
{
    QElapsedTimer t;
    t.start();
    do {
        if (const QList<pid_t> found = ServersOnProfile(profile); !found.isEmpty())
            return found.first();
        QThread::msleep(5);
    } while (t.elapsed() < withinMs);
    return -1;
}

// Whether every thread of a process shows stopped.
bool WhollyStopped(pid_t pid)
{
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    const QStringList ids = tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (ids.isEmpty())
        return false;
    for (const QString& t : ids) {
        QFile f(tasks.filePath(t + QStringLiteral("/stat")));
        if (!f.open(QIODevice::ReadOnly))
            return false;
        const QByteArray stat = f.readAll();
        const int name = stat.lastIndexOf(')'); // the state follows the name
        if (name < 0 || stat.mid(name + 2, 1) != "T")
            return false;
    }
    return true;
}

// Stops a server and waits until every thread of it has stopped: kill()
// returns before they have, and a thread still running on a busy machine
// may answer one more request sent at once.
bool StopWholly(pid_t pid)
{
    if (::kill(pid, SIGSTOP) != 0)
        return false;
    return QTest::qWaitFor([pid] { return WhollyStopped(pid); }, 10000);
}

// How long ago a process was spawned, from its start time.
qint64 MsSinceSpawned(pid_t pid)
{
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    const qint64 nowMs = qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    return nowMs - qint64(lo::sampleProcess(pid).startTime) * 1000 / ::sysconf(_SC_CLK_TCK);
}

// Stops (SIGSTOP) the servers of ours that start on `profile` from now on,
// as soon as each is seen (a used profile's server may be up within a few
// hundred milliseconds on a fast machine, so any later would not be "while
// it starts"), the first one or every one, from a thread of its own while
// the run waits; notes on `clock` (started) when each stood wholly stopped.
class StartStopper {
public:
    StartStopper(const QString& profile, bool every, const QElapsedTimer& clock)
        : m_thread([=, this, &clock] {
              QList<pid_t> seen;
              bool any = false;
              while (!m_done && (every || !any)) {
                  for (const pid_t pid : ServersOnProfile(profile)) {
                      if (seen.contains(pid))
                          continue;
                      seen << pid;
                      // One of an earlier case, on its way out.
                      if (MsSinceSpawned(pid) > clock.elapsed() + 100)
                          continue;
                      if (::kill(pid, SIGSTOP) != 0)
                          continue;
                      QElapsedTimer waited;
                      waited.start();
                      while (!WhollyStopped(pid) && waited.elapsed() < 10000)
                          QThread::msleep(2);
                      any = true;
                      std::lock_guard lock(m_mutex);
                      m_stopped.push_back({pid, clock.elapsed() - MsSinceSpawned(pid), clock.elapsed()});
                      if (!every)
                          break;
                  }
                  QThread::msleep(5);
              }
          })
    {
    }
    ~StartStopper() { finish(); }
    void finish()
    {
        m_done = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    struct Stopped {
        pid_t pid;
        qint64 spawnedAt, stoppedAt;
    };
    // Each server stopped, when it was spawned and when it stood stopped.
    std::vector<Stopped> stopped()
    {
        std::lock_guard lock(m_mutex);
        return m_stopped;
    }

private:
    std::atomic<bool> m_done{false};
    std::mutex m_mutex;
    std::vector<Stopped> m_stopped;
    std::thread m_thread; // last: starts once the rest is set up
};

// A server that works on the processor for `busyMs` before its start
// proper: a script, run in the server's place with the server's arguments,
// that spins and then becomes the server (same process). How long a start
// takes is the machine's to say; this one is slow, however fast the machine,
// and never idle.
QString WriteSlowServer(const QString& dir, int busyMs)
{
    const QString path = dir + QStringLiteral("/slow-server");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    f.write(QStringLiteral("#!/bin/bash\n"
                           "end=$(( ${EPOCHREALTIME/./} + %1 * 1000 ))\n"
                           "while (( ${EPOCHREALTIME/./} < end )); do :; done\n"
                           "exec '%2' \"$@\"\n")
                .arg(busyMs)
                .arg(platform::sofficePath())
                .toUtf8());
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    return path;
}

// Entries of the temporary folder.
QStringList TempEntries(const QString& pattern)
{
    return QDir::temp().entryList({pattern}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TstProcessWaits : public QObject {
    Q_OBJECT

    QTemporaryDir tmp;
    std::unique_ptr<lo::Backend> inspector;
    pfx::Recorder dlg;
    pfx::CancellingProgress progress;
    probe::EventGapProbe gaps;
    QString dir, schedule, tplX, profile;
    pfx::RunServers servers;
    int sd = 0;

    // A definition writing `of`, and a layer whose backend keeps a spare
    // (starting from now on) on a profile of its own, or none; its servers
    // are `program` when given.
    void define(const QString& of, bool spare, const QString& program = QString())
    {
        pfx::Options o;
        o.mapCols = kMapCols;
        o.filterCol = QStringLiteral("C");
        o.filterValue = QStringLiteral("Structure");
        o.cutOff = QDate(1899, 12, 30).daysTo(QDate(2025, 7, 4));
        sd = pfx::MakeDefinition({schedule, tplX, of}, o);
        UP->Reset();
        UP->SetPromptOnOverwriteOF(false);
        dlg.seen.clear();
        dlg.answers.clear();
        servers.clear();
        progress.cancelAt = -1;
        progress.onStep = [this](int, const QString&) { servers.note(); };
        lo::BackendOptions b;
        b.profileDir = profile;
        b.spare = spare;
        b.program = program;
        lo::installBackendFactory(b);
        XL = std::make_unique<TzyXL>();
        Process = std::make_unique<TzyProcess>();
    }
    // Notes each step's server and, at the first step served, the time on
    // `clock` then and when its server was spawned.
    void timeFirstServed(const QElapsedTimer& clock, qint64& spawnedAt, qint64& servedAt)
    {
        progress.onStep = [this, &clock, &spawnedAt, &servedAt](int, const QString&) {
            servers.note();
            if (servedAt >= 0 || servers.pids().isEmpty())
                return;
            servedAt = clock.elapsed();
            spawnedAt = servedAt - MsSinceSpawned(servers.pids().first());
        };
    }
    QStringList lastLines() const { return dlg.seen.isEmpty() ? QStringList() : dlg.seen.last().lines; }

private slots:
    void initTestCase()
    {
        InitUILs();
        QVERIFY(tmp.isValid());
        dir = tmp.path();
        // Events are handled between steps, as in the program.
        Progress::setPump([] { QCoreApplication::processEvents(); });
        Progress::setForm(&progress);
        Progress::setFormatSources([] { return Process->StepFmt; }, [] { return Process->NoStepFmt; });
        StdDlg::setPrompter(&dlg);
        inspector = std::make_unique<lo::Backend>(
            lo::BackendOptions{QString(), dir + "/inspector-profile", 90000, 15000, false});
        inspector->start();
        schedule = dir + "/schedule.xlsx";
        tmpl::MakeSchedule(inspector->server()->desktop(), schedule, tmpl::ScheduleSpec{});
        tplX = dir + "/Tarvo_ZOL_Lumo_Template.xlsx";
        QVERIFY(QFile::copy(SourceDir() + "/resources/templates/Tarvo_ZOL_Lumo_Template.xlsx", tplX));
        inspector->quit();
        inspector.reset();
        // The layers' profile, set up once: a server on a fresh profile
        // starts twice (the office restarts itself after setting it up).
        // Both folders a server and the spare beside it use, so that every
        // start of the cases below is alike.
        profile = dir + "/profile";
        lo::Backend setup(lo::BackendOptions{QString(), profile, 90000, 15000, false});
        lo::Backend setupBeside(lo::BackendOptions{QString(), profile, 90000, 15000, false});
        setup.start();
        setupBeside.start();
        setup.quit();
        setupBeside.quit();
        QDir().mkpath(dir + "/out");
    }
    void cleanupTestCase()
    {
        Process.reset();
        XL.reset();
        lo::installBackendFactory();
        lo::setStallTimeoutMs(0);
        Progress::setForm(nullptr);
        StdDlg::setPrompter(nullptr);
    }
    void init() { lo::setStallTimeoutMs(2000); }

    // The run presses on while the spare still starts, or while it stands
    // stopped until it is given up as hung and the run starts its own: the
    // events keep coming, the Output File is saved, and one server serves
    // every phase of the run.
    void spareNotReady_data()
    {
        QTest::addColumn<bool>("stopped");
        QTest::newRow("still starting") << false;
        QTest::newRow("stopped while starting") << true;
    }
    void spareNotReady()
    {
        QFETCH(bool, stopped);
        const QString of = dir + "/out/Spare.xlsx";
        QFile::remove(of);
        define(of, true);
        const pid_t spare = ServerOnProfile(profile, 30000);
        QVERIFY(spare > 0);
        if (stopped)
            QVERIFY(StopWholly(spare));
        gaps.start();
        const bool ok = Process->Process(sd);
        gaps.stop();
        QVERIFY2(ok, qPrintable(dlg.ids().join(',') + ' ' + lastLines().join('|')));
        QVERIFY2(gaps.longestGapMs() <= kLongestGapMs, qPrintable(gaps.describe()));
        QVERIFY(QFile::exists(of));
        QCOMPARE(servers.pids().size(), 1);
        if (stopped) {
            QVERIFY(!servers.pids().contains(spare));
            QVERIFY(lo::processEnded(spare));
        } else {
            QCOMPARE(servers.pids().first(), spare);
        }
        servers.expectNoneLeft();
        Process.reset();
        XL.reset();
    }

    // A server is stopped (SIGSTOP) early in its start: the spare, or the
    // run's own with the spare off. Once it has stood still for the start's
    // idle bound (not the 90 s the start may take, nor a call's stall time)
    // it is taken as hung and ended, and a fresh server is started at once:
    // the run waits for that one start and goes on. When the fresh server
    // is stopped too, the run fails with that cause as soon as it is ended.
    // No server and none of their folders are left.
    void stoppedWhileStarting_data()
    {
        QTest::addColumn<bool>("spare");
        QTest::addColumn<bool>("every");
        QTest::newRow("spare") << true << false;
        QTest::newRow("own server") << false << false;
        QTest::newRow("own server, the fresh one too") << false << true;
    }
    void stoppedWhileStarting()
    {
        QFETCH(bool, spare);
        QFETCH(bool, every);
        lo::setStallTimeoutMs(120000);
        const QString of = dir + "/out/StoppedStart.xlsx";
        QFile::remove(of);
        QElapsedTimer clock;
        clock.start();
        StartStopper stopper(profile, every, clock);
        define(of, spare);
        if (spare) {
            QVERIFY(QTest::qWaitFor([&] { return !stopper.stopped().empty(); }, 30000));
            auto* b = dynamic_cast<lo::Backend*>(XL->Backend());
            QVERIFY(b);
            QCOMPARE(b->sparePid(), -1); // stopped while it was still starting
        }
        // When each stopped server was seen ended, and when the server that
        // served was spawned and served.
        std::map<pid_t, qint64> endedAt;
        QTimer watch;
        watch.setInterval(10);
        connect(&watch, &QTimer::timeout, [&] {
            for (const auto& s : stopper.stopped())
                if (!endedAt.count(s.pid) && lo::processEnded(s.pid))
                    endedAt[s.pid] = clock.elapsed();
        });
        qint64 spawnedAt = -1, servedAt = -1;
        timeFirstServed(clock, spawnedAt, servedAt);
        gaps.start();
        watch.start();
        const bool ok = Process->Process(sd);
        const qint64 runEndedAt = clock.elapsed();
        watch.stop();
        gaps.stop();
        stopper.finish();
        const auto stopped = stopper.stopped();
        QVERIFY2(gaps.longestGapMs() <= kLongestGapMs, qPrintable(gaps.describe()));
        QCOMPARE(stopped.size(), every ? 2u : 1u);
        for (const auto& s : stopped) {
            qInfo("server %d spawned at %lld ms, stopped at %lld ms, seen ended at %lld ms", int(s.pid), s.spawnedAt,
                  s.stoppedAt, endedAt.count(s.pid) ? endedAt[s.pid] : -1);
            QVERIFY(lo::processEnded(s.pid));
            // Given up once it had stood still for the bound (the kill and
            // the watch's tick on a busy machine beside it).
            QVERIFY2(endedAt.count(s.pid) && endedAt[s.pid] - s.stoppedAt < lo::kStartIdleMs + 1500,
                     qPrintable(QString::number(endedAt.count(s.pid) ? endedAt[s.pid] - s.stoppedAt : -1)));
        }
        const qint64 firstEndedAt = endedAt[stopped.front().pid];
        if (every) {
            // The fresh server was started at once, and the run ended as
            // soon as it was given up too: no third start.
            QVERIFY2(stopped[1].spawnedAt - firstEndedAt < 1000,
                     qPrintable(QString::number(stopped[1].spawnedAt - firstEndedAt)));
            QVERIFY2(runEndedAt - endedAt[stopped[1].pid] < 1000,
                     qPrintable(QString::number(runEndedAt - endedAt[stopped[1].pid])));
            QVERIFY(!ok);
            QCOMPARE(dlg.ids(), QStringList{"UP002"});
            QVERIFY2(lastLines().contains(kXLNoAnswerText), qPrintable(lastLines().join('|')));
            QVERIFY(!QFile::exists(of));
        } else {
            QVERIFY2(ok, qPrintable(dlg.ids().join(',') + ' ' + lastLines().join('|')));
            QVERIFY(QFile::exists(of));
            QCOMPARE(servers.pids().size(), 1);
            QVERIFY(!servers.pids().contains(stopped.front().pid));
            qInfo("the serving server spawned at %lld ms, serving at %lld ms", spawnedAt, servedAt);
            // Nothing but its own start was waited for.
            QVERIFY2(spawnedAt - firstEndedAt < 1000, qPrintable(QString::number(spawnedAt - firstEndedAt)));
            QVERIFY(servedAt >= spawnedAt);
        }
        servers.expectNoneLeft();
        Process.reset();
        XL.reset();
        QCOMPARE(TempEntries(QStringLiteral("zol-office-*")), QStringList());
        QCOMPARE(TempEntries(QStringLiteral("zol-abandoned-*")), QStringList());
    }

    // The run's own server works on the processor for longer than the
    // start's idle bound before its connection is up: a slow start, never an
    // idle one. It is not taken as hung: it keeps the start's own bound and
    // serves the run.
    void slowStartKeepsItsBound()
    {
        lo::setStallTimeoutMs(120000);
        const QString of = dir + "/out/Slow.xlsx";
        QFile::remove(of);
        const QString slow = WriteSlowServer(dir, lo::kStartIdleMs + 3000);
        QVERIFY(!slow.isEmpty());
        define(of, false, slow);
        QElapsedTimer clock;
        qint64 spawnedAt = -1, servedAt = -1, startCpuMs = -1;
        progress.onStep = [&](int, const QString&) {
            servers.note();
            if (servedAt >= 0 || servers.pids().isEmpty())
                return;
            servedAt = clock.elapsed();
            spawnedAt = servedAt - MsSinceSpawned(servers.pids().first());
            startCpuMs = qint64(lo::sampleProcess(servers.pids().first()).cpuTicks) * 1000 / ::sysconf(_SC_CLK_TCK);
        };
        gaps.start();
        clock.start();
        const bool ok = Process->Process(sd);
        gaps.stop();
        QVERIFY2(ok, qPrintable(dlg.ids().join(',') + ' ' + lastLines().join('|')));
        QVERIFY(QFile::exists(of));
        QCOMPARE(servers.pids().size(), 1);
        qInfo("the slow start took %lld ms, %lld ms of it on the processor", servedAt - spawnedAt, startCpuMs);
        // Slow for long enough that a start judged by the clock, or taken
        // for idle, would have been given up; served by the server that
        // took so long, not by a fresh one.
        QVERIFY2(servedAt - spawnedAt > lo::kStartIdleMs + 3000, qPrintable(QString::number(servedAt - spawnedAt)));
        QVERIFY2(gaps.longestGapMs() <= kLongestGapMs, qPrintable(gaps.describe()));
        servers.expectNoneLeft();
        Process.reset();
        XL.reset();
    }

    // A spare that was ready stops answering (SIGSTOP) before a run or a
    // browse takes it over, long as a server at work may stand still: it is
    // given up within the spare's bound and ended, a fresh server is started
    // at once, and the command waits only for that one start (however long a
    // start takes on a busy machine).
    void readySpareStopped_data()
    {
        QTest::addColumn<bool>("browse");
        QTest::newRow("run") << false;
        QTest::newRow("browse") << true;
    }
    void readySpareStopped()
    {
        QFETCH(bool, browse);
        lo::setStallTimeoutMs(120000);
        const QString of = dir + "/out/Stopped.xlsx";
        QFile::remove(of);
        define(of, true);
        auto* b = dynamic_cast<lo::Backend*>(XL->Backend());
        QVERIFY(b);
        QVERIFY(b->waitSpareReady(120000));
        const pid_t spare = b->sparePid();
        QVERIFY(spare > 0);
        QVERIFY(StopWholly(spare));
        QElapsedTimer clock;
        // When the stopped spare was seen ended, when the server that served
        // was spawned (from its start time), and when it served.
        qint64 spareEndedAt = -1, spawnedAt = -1, servedAt = -1;
        QTimer watch;
        watch.setInterval(10);
        connect(&watch, &QTimer::timeout, [&] {
            if (spareEndedAt < 0 && lo::processEnded(spare))
                spareEndedAt = clock.elapsed();
        });
        timeFirstServed(clock, spawnedAt, servedAt);
        gaps.start();
        clock.start();
        watch.start();
        const bool ok = browse ? Process->ExtractWorksheetNames(QStringLiteral("Data Source File"), schedule, QString(), 1)
                               : Process->Process(sd);
        watch.stop();
        gaps.stop();
        QVERIFY2(ok, qPrintable(dlg.ids().join(',') + ' ' + lastLines().join('|')));
        if (!browse)
            QVERIFY(QFile::exists(of));
        QVERIFY2(gaps.longestGapMs() <= kLongestGapMs, qPrintable(gaps.describe()));
        QCOMPARE(servers.pids().size(), 1);
        QVERIFY(!servers.pids().contains(spare));
        qInfo("the stopped spare was ended after %lld ms, the fresh server spawned after %lld ms, serving after %lld ms",
              spareEndedAt, spawnedAt, servedAt);
        // Given up within its bound (the kill and the watch's tick on a busy
        // machine beside it).
        QVERIFY2(spareEndedAt >= 0 && spareEndedAt < lo::SpareKeeper::kAnswerMs + 1500,
                 qPrintable(QString::number(spareEndedAt)));
        // The fresh server started at once, and served as soon as it was up:
        // nothing but its own start was waited for.
        QVERIFY2(spawnedAt - spareEndedAt < 1000, qPrintable(QString::number(spawnedAt - spareEndedAt)));
        QVERIFY(spawnedAt > 0 && servedAt >= spawnedAt);
        servers.expectNoneLeft();
        Process.reset();
        XL.reset();
        QVERIFY(lo::processEnded(spare));
    }

    // The spare, or the run's own server with the spare off, is stopped
    // while it starts and Cancel is pressed while the run waits for it:
    // "UP001" within a second, long before the start's idle bound.
    void cancelWhileStartStopped_data()
    {
        QTest::addColumn<bool>("spare");
        QTest::newRow("spare") << true;
        QTest::newRow("own server") << false;
    }
    void cancelWhileStartStopped()
    {
        QFETCH(bool, spare);
        lo::setStallTimeoutMs(120000);
        const QString of = dir + "/out/Cancelled.xlsx";
        QFile::remove(of);
        QElapsedTimer clock;
        clock.start();
        StartStopper stopper(profile, false, clock);
        define(of, spare);
        pid_t stopped = -1;
        if (spare) {
            QVERIFY(QTest::qWaitFor([&] { return !stopper.stopped().empty(); }, 30000));
            stopped = stopper.stopped().front().pid;
        }
        QElapsedTimer pressed;
        const auto press = [&] {
            QTimer::singleShot(500, [&] {
                progress.SetCancelled(true);
                AD->Msgs << UIT(1066) << QString();
                pressed.start();
            });
        };
        progress.onStep = [&](int, const QString& text) {
            servers.note();
            if (spare && text.contains(UIT(381)))
                press();
        };
        // The run's own server is stopped once the run has spawned it.
        QTimer watch;
        watch.setInterval(10);
        connect(&watch, &QTimer::timeout, [&] {
            if (stopped < 0 && !stopper.stopped().empty()) {
                stopped = stopper.stopped().front().pid;
                press();
            }
        });
        watch.start();
        gaps.start();
        QVERIFY(!Process->Process(sd));
        gaps.stop();
        watch.stop();
        QVERIFY(stopped > 0);
        QVERIFY(pressed.isValid());
        QVERIFY2(pressed.elapsed() < 1000, qPrintable(QString::number(pressed.elapsed())));
        QVERIFY2(gaps.longestGapMs() <= kLongestGapMs, qPrintable(gaps.describe()));
        QCOMPARE(dlg.ids(), QStringList{"UP001"});
        QCOMPARE(lastLines().mid(2), (QStringList{UIT(1066), QString()}));
        QVERIFY(!QFile::exists(of));
        servers.expectNoneLeft();
        // The stopped spare is the keeper's to end; ended here so that the
        // layer goes at once. The run's own server was ended by the cancel.
        if (spare)
            ::kill(stopped, SIGKILL);
        else
            QVERIFY(lo::processEnded(stopped));
        Process.reset();
        XL.reset();
        QVERIFY(lo::processEnded(stopped));
    }

    // The server is stopped as the final quit begins: the work is saved, so
    // the run ends at once with the Output File, the server ended, and the
    // window never held up.
    void stopAtFinalQuit()
    {
        lo::setStallTimeoutMs(120000);
        const QString of = dir + "/out/Quit.xlsx";
        QFile::remove(of);
        define(of, false);
        QElapsedTimer quitting;
        progress.onStep = [&](int step, const QString& text) {
            servers.note();
            if (step == progress.totalSteps() && text.contains(UIT(390))) {
                QCOMPARE(::kill(pfx::RunServers::current(), SIGSTOP), 0);
                quitting.start();
            }
        };
        gaps.start();
        const bool ok = Process->Process(sd);
        gaps.stop();
        QVERIFY2(ok, qPrintable(dlg.ids().join(',') + ' ' + lastLines().join('|')));
        QVERIFY(quitting.isValid());
        QVERIFY2(quitting.elapsed() < 5000, qPrintable(QString::number(quitting.elapsed())));
        QVERIFY2(gaps.longestGapMs() <= kLongestGapMs, qPrintable(gaps.describe()));
        QVERIFY(QFile::exists(of));
        servers.expectNoneLeft();
        Process.reset();
        XL.reset();
    }
};

int main(int argc, char** argv)
{
    // The calls wait in the application's event loop, as in the program.
    QCoreApplication app(argc, argv);
    TstProcessWaits t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_process_waits.moc"
