// A folder that stops answering in the middle of a run, on the test's own
// FUSE file system: the Output File's folder while the server writes it, the
// Data Source File's while its private copy is made. Each ends within the
// stall time with a failure naming the file's folder, or at once on Cancel;
// the windows' events are handled all along; a server the kernel holds is let
// go and put on record, and swept once it has died.
#include "../EventGapProbe.h"
#include "LoBackend.h"
#include "LoCall.h"
#include "LoLeftovers.h"
#include "LoSpare.h"
#include "MachineKeys.h"
#include "Progress.h"
#include "XLFailures.h"
#include "lo_fixtures.h"
#include "stall_fs.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <csignal>
#include <memory>
#include <unistd.h>

namespace {

constexpr int kStallMs = 3000;
constexpr int kStartMs = 120000;

QStringList tempEntries(const QString& pattern)
{
    return QDir::temp().entryList(QStringList{pattern}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The user profile a server was started on, from its command line.
QByteArray profileOf(pid_t pid)
{
    QFile f(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& arg : f.readAll().split('\0'))
        if (arg.startsWith("-env:UserInstallation="))
            return arg;
    return {};
}

// Whether the profile folder `dir`, the first of its kind, is free for
// another server.
bool profileFree(const QString& dir)
{
    return lo::ProfileHold::acquire(dir).dir == dir;
}

// Stops a server and waits until every thread of it has stopped: a thread
// still running may answer one more request.
bool stopWholly(pid_t pid)
{
    if (::kill(pid, SIGSTOP) != 0)
        return false;
    return QTest::qWaitFor(
        [pid] {
            const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
            const QStringList ids = tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
            for (const QString& t : ids) {
                QFile f(tasks.filePath(t + QStringLiteral("/stat")));
                if (!f.open(QIODevice::ReadOnly))
                    return false;
                const QByteArray stat = f.readAll();
                if (stat.mid(stat.lastIndexOf(')') + 2, 1) != "T")
                    return false;
            }
            return !ids.isEmpty();
        },
        10000);
}

} // namespace

class TstLoStuck : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        m_fixtures = lofix::fixturesMade(m_tmp.filePath("fixtures"));
        QVERIFY(QFileInfo::exists(m_fixtures + "/tasks.xlsx"));
        lo::setStallTimeoutMs(kStallMs);
    }
    void init() { Progress::form().SetCancelled(false); }
    void cleanupTestCase()
    {
        lo::setStallTimeoutMs(0);
        Progress::form().SetCancelled(false);
    }

    // The folder stops answering for the Output File (the server writes it,
    // and is held by it) or for the Data Source File (we copy it); the run
    // waits for the stall time, or Cancel is pressed once the work waits on
    // the folder.
    void folderStopsAnswering_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("Output File, waited for") << "output" << false;
        QTest::newRow("Output File, cancelled") << "output" << true;
        QTest::newRow("Data Source File, waited for") << "source" << false;
        QTest::newRow("Data Source File, cancelled") << "source" << true;
    }
    void folderStopsAnswering()
    {
        QFETCH(QString, file);
        QFETCH(bool, cancel);
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-').remove(u',');
        const QString backing = m_tmp.filePath(tag + "-backing");
        const QString share = m_tmp.filePath(tag + "-share");
        lofix::StallFs fs(backing, share);
        if (!fs.isMounted())
            QSKIP(qPrintable(fs.whyNot()));
        const QString source = share + "/tasks.xlsx";
        const QString output = share + "/report.xlsx";
        QVERIFY(QFile::copy(m_fixtures + "/tasks.xlsx", source));
        {
            QFile old(output);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("the earlier report");
        }

        lo::Backend b;
        b.start();
        const pid_t first = b.serverPid();
        const QByteArray firstProfile = profileOf(first);
        QVERIFY(!firstProfile.isEmpty());
        if (file == "output")
            b.openWorkbook(m_fixtures + "/tasks.xlsx", QString(), QString(), true);
        fs.stall();
        // Who waits on the folder: the server writing the Output File, our
        // own thread copying the Data Source File.
        const pid_t waiter = file == "output" ? first : ::getpid();
        probe::EventGapProbe gaps;
        gaps.start();
        QElapsedTimer sinceCancel;
        QTimer cancelOnceHeld;
        if (cancel) {
            cancelOnceHeld.setInterval(10);
            QObject::connect(&cancelOnceHeld, &QTimer::timeout, [&] {
                if (!fs.holds(waiter))
                    return;
                cancelOnceHeld.stop();
                sinceCancel.start();
                Progress::form().SetCancelled(true);
            });
            cancelOnceHeld.start();
        }
        QElapsedTimer t;
        t.start();
        bool aborted = false;
        XLErrorKind kind = XLErrorKind::Other;
        QString message;
        try {
            if (file == "output")
                b.saveAs(output, XLSaveFormat::Xlsx);
            else
                b.openWorkbook(source, QString(), QString(), true);
            QFAIL("the work on a folder that stopped answering went through");
        } catch (const OperationAborted&) {
            aborted = true;
        } catch (const XLError& e) {
            kind = e.kind();
            message = e.message();
        }
        const qint64 took = t.elapsed();
        gaps.stop();
        const qint64 longestGap = gaps.longestGapMs();
        Progress::form().SetCancelled(false);
        qInfo("ended after %lld ms, longest gap between events %lld ms", took, longestGap);
        QVERIFY2(fs.holds(waiter), "the work never waited on the folder");
        if (cancel) {
            QVERIFY(aborted);
            QVERIFY2(sinceCancel.elapsed() < 1000, qPrintable(QString::number(sinceCancel.elapsed())));
        } else {
            QVERIFY2(!aborted, "aborted without a Cancel");
            QCOMPARE(kind, XLErrorKind::FolderStuck);
            QVERIFY2(message.contains(file == "output" ? output : source), qPrintable(message));
            QVERIFY2(took < kStallMs + 3000, qPrintable(QString::number(took)));
            // What the run shows: the file's folder named, no office text.
            XLFailureContext c;
            c.wbLabel = file == "output" ? "Template File" : "Data Source File";
            c.wbFileName = file == "output" ? m_fixtures + "/tasks.xlsx" : source;
            c.newLabel = file == "output" ? "Output File" : QString();
            c.newFileName = file == "output" ? output : QString();
            bool used = false;
            const QStringList lines = XLFailureLines(file == "output" ? XLOp::SaveAs : XLOp::OpenWorkbook, c, kind,
                                                     message, &used);
            QVERIFY(used);
            QVERIFY2(lines.contains(file == "output" ? "The folder of the Output File stopped answering."
                                                     : "The folder of the Data Source File stopped answering."),
                     qPrintable(lines.join('|')));
        }
        QVERIFY2(longestGap <= 250, qPrintable(QString::number(longestGap)));

        // The server is ended at once, however it is held.
        t.restart();
        b.quit();
        QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(b.serverPid(), -1);

        // The server that waited on the folder stands after its quit, held by
        // the kernel, and meanwhile a new start goes on another profile: one on
        // the held server's would hand itself over to it and wait with it. A
        // server the folder never held has ended.
        if (file == "output") {
            QVERIFY2(!lo::processEnded(first), "the server held by the folder ended");
            t.restart();
            try {
                b.start();
            } catch (const XLError& e) {
                QFAIL(qPrintable(QStringLiteral("no server after %1 ms: %2").arg(t.elapsed()).arg(e.message())));
            }
            QVERIFY2(t.elapsed() < 30000, qPrintable(QString::number(t.elapsed())));
            QVERIFY(b.serverPid() > 0);
            QVERIFY(profileOf(b.serverPid()) != firstProfile);
            b.quit();
        } else {
            QVERIFY(lo::processEnded(first));
        }

        // Once the share lets go, what a held server left is swept.
        fs.release();
        QTRY_VERIFY_WITH_TIMEOUT((lo::sweepLeftovers(), tempEntries("zol-abandoned-*").isEmpty()), 20000);
        QCOMPARE(lofix::digest(backing + "/report.xlsx"),
                 QCryptographicHash::hash("the earlier report", QCryptographicHash::Sha256));
    }

    // A server is dropped while it holds a file open on a share that stopped
    // answering: killed, it cannot die (its last close of the file waits on
    // the share), and it is let go. Whichever way it is dropped, its profile
    // is not free for as long as its process exists, and is once the share
    // lets it die.
    void profileHeldWhileServerStands_data()
    {
        QTest::addColumn<QString>("drop");
        QTest::newRow("quit") << "quit";
        QTest::newRow("failed start") << "failed start";
        QTest::newRow("Cancel during a take-over") << "take-over";
        QTest::newRow("keeper's end") << "keeper";
    }
    void profileHeldWhileServerStands()
    {
        QFETCH(QString, drop);
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-').remove(u'\'');
        const QString backing = m_tmp.filePath(tag + "-backing");
        const QString share = m_tmp.filePath(tag + "-share");
        lofix::StallFs fs(backing, share);
        if (!fs.isMounted())
            QSKIP(qPrintable(fs.whyNot()));
        // The server is started by a script that opens a file of the share
        // for it (inherited, and open for as long as it runs) and tells its
        // process id once it has.
        const QString started = m_tmp.filePath(tag + "-started");
        const QString program = m_tmp.filePath(tag + "-office");
        {
            QFile script(program);
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(QStringLiteral("#!/bin/sh\nexec 9>>'%1/held'\necho $$ >'%2'\nexec '%3' \"$@\"\n")
                             .arg(share, started, platform::sofficePath())
                             .toLocal8Bit());
            script.close();
            QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
        }
        const auto startedPid = [&] {
            QFile f(started);
            return f.open(QIODevice::ReadOnly) ? pid_t(f.readAll().trimmed().toInt()) : pid_t(-1);
        };
        lo::BackendOptions o;
        o.program = program;
        o.profileDir = m_tmp.filePath(tag + "-profile");
        o.quitTimeoutMs = 2000;
        if (drop == "failed start")
            o.connectTimeoutMs = 1000;
        o.spare = drop == "take-over" || drop == "keeper";
        auto b = std::make_unique<lo::Backend>(o);

        // The server, and the profile on its command line (gone from there
        // once it is ending).
        pid_t server = -1;
        QByteArray profile;
        if (drop == "quit") {
            b->start();
            server = b->serverPid();
            profile = profileOf(server);
            fs.stall();
            b->quit();
            QCOMPARE(b->serverPid(), -1);
        } else if (drop == "failed start") {
            // Stopped once its script has opened the share's file, the server
            // does not answer within the start's bound.
            QTimer stop;
            stop.setInterval(10);
            QObject::connect(&stop, &QTimer::timeout, [&] {
                if (startedPid() <= 0)
                    return;
                stop.stop();
                server = startedPid();
                profile = profileOf(server);
                fs.stall();
                ::kill(server, SIGSTOP);
            });
            stop.start();
            try {
                b->start();
                QFAIL("started");
            } catch (const XLError& e) {
                QCOMPARE(e.message(), QStringLiteral("The spreadsheet server did not answer in time."));
            }
        } else {
            QVERIFY(b->waitSpareReady(kStartMs));
            server = b->sparePid();
            profile = profileOf(server);
            if (drop == "take-over") {
                // The spare does not answer at once, and Cancel is pressed
                // while it is waited for.
                QVERIFY(stopWholly(server));
                fs.stall();
                QTimer::singleShot(300, [] { Progress::form().SetCancelled(true); });
                QVERIFY_THROWS_EXCEPTION(OperationAborted, b->start());
                Progress::form().SetCancelled(false);
                QCOMPARE(b->sparePid(), -1); // taken over, not left with the keeper
            } else {
                fs.stall();
                b.reset();
            }
        }
        QVERIFY(server > 0);
        QCOMPARE(profile, "-env:UserInstallation=" + QUrl::fromLocalFile(o.profileDir).toEncoded());

        QVERIFY2(fs.holds(server), "the server was not held by the share");
        QVERIFY(!lo::processEnded(server));
        QVERIFY2(!profileFree(o.profileDir), "the profile was freed while its server stands");

        fs.release();
        QTRY_VERIFY_WITH_TIMEOUT(lo::processEnded(server), 10000);
        QVERIFY(profileFree(o.profileDir));
        b.reset();
        QTRY_VERIFY_WITH_TIMEOUT((lo::sweepLeftovers(), tempEntries("zol-abandoned-*").isEmpty()), 20000);
    }

private:
    QTemporaryDir m_tmp;
    QString m_fixtures;
};

int main(int argc, char** argv)
{
    // The waits run the application's own event loop, as in the program.
    QCoreApplication app(argc, argv);
    TstLoStuck t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_lo_stuck.moc"
