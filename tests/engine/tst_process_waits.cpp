// Whole runs against a real, private, headless LibreOffice where the run
// has to wait for a server: the spare still starting, the spare stopped
// (SIGSTOP) while it starts, with and without Cancel, a ready spare stopped
// before a run or a browse, and the server stopped at the final quit. The window's thread never goes more than 250 ms without
// handling its events, Cancel answers within a second, and no server is left.
#include "EventGapProbe.h"
#include "LoBackend.h"
#include "LoCall.h"
#include "LoOffice.h"
#include "LoSpare.h"
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

#include <csignal>
#include <ctime>
#include <unistd.h>

namespace {

const QStringList kMapCols{"E", "F", "G", "H", "I", "J", "K", "L", "M"};
constexpr qint64 kLongestGapMs = 250;

QString SourceDir()
{
    return qEnvironmentVariable("ZOL_SOURCE_DIR", QStringLiteral(ZOL_TEST_SOURCE_DIR));
}

// The server a child of ours runs on `profile`, once it has been spawned.
pid_t ServerOnProfile(const QString& profile, int withinMs)
{
    const QByteArray mark = QUrl::fromLocalFile(profile).toEncoded();
    QElapsedTimer t;
    t.start();
    do {
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
                return pid;
        }
        QThread::msleep(5);
    } while (t.elapsed() < withinMs);
    return -1;
}

// Stops a server and waits until every thread of it has stopped: kill()
// returns before they have, and a thread still running on a busy machine
// may answer one more request sent at once.
bool StopWholly(pid_t pid)
{
    if (::kill(pid, SIGSTOP) != 0)
        return false;
    return QTest::qWaitFor(
        [pid] {
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
        },
        10000);
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
    // (starting from now on) on a profile of its own, or none.
    void define(const QString& of, bool spare)
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
        lo::installBackendFactory(b);
        XL = std::make_unique<TzyXL>();
        Process = std::make_unique<TzyProcess>();
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
        progress.onStep = [&](int, const QString&) {
            servers.note();
            if (servedAt >= 0 || servers.pids().isEmpty())
                return;
            servedAt = clock.elapsed();
            timespec now{};
            ::clock_gettime(CLOCK_BOOTTIME, &now);
            const qint64 nowMs = qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
            const qint64 startMs = qint64(lo::sampleProcess(servers.pids().first()).startTime) * 1000
                                   / ::sysconf(_SC_CLK_TCK);
            spawnedAt = servedAt - (nowMs - startMs);
        };
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

    // The spare is stopped while it starts and Cancel is pressed while the
    // run waits for it: "UP001" within a second, long before the stall time.
    void cancelWhileSpareStopped()
    {
        lo::setStallTimeoutMs(120000);
        const QString of = dir + "/out/Cancelled.xlsx";
        QFile::remove(of);
        define(of, true);
        const pid_t spare = ServerOnProfile(profile, 30000);
        QVERIFY(spare > 0);
        QVERIFY(StopWholly(spare));
        QElapsedTimer pressed;
        progress.onStep = [&](int, const QString& text) {
            servers.note();
            if (text.contains(UIT(381)) && !pressed.isValid())
                QTimer::singleShot(500, [&] {
                    progress.SetCancelled(true);
                    AD->Msgs << UIT(1066) << QString();
                    pressed.start();
                });
        };
        gaps.start();
        QVERIFY(!Process->Process(sd));
        gaps.stop();
        QVERIFY(pressed.isValid());
        QVERIFY2(pressed.elapsed() < 1000, qPrintable(QString::number(pressed.elapsed())));
        QVERIFY2(gaps.longestGapMs() <= kLongestGapMs, qPrintable(gaps.describe()));
        QCOMPARE(dlg.ids(), QStringList{"UP001"});
        QCOMPARE(lastLines().mid(2), (QStringList{UIT(1066), QString()}));
        QVERIFY(!QFile::exists(of));
        servers.expectNoneLeft();
        // The stopped spare is the keeper's to end; ended here so that the
        // layer goes at once.
        ::kill(spare, SIGKILL);
        Process.reset();
        XL.reset();
        QVERIFY(lo::processEnded(spare));
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
