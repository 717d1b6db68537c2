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

namespace {

constexpr int kStallMs = 3000;

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

    // The folder stops answering for the Output File (the server writes it)
    // or for the Data Source File (we copy it); the run waits for the stall
    // time, or Cancel is pressed a moment after the stop.
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
        probe::EventGapProbe gaps;
        gaps.start();
        QElapsedTimer sinceCancel;
        if (cancel) {
            QTimer::singleShot(700, [&] {
                sinceCancel.start();
                Progress::form().SetCancelled(true);
            });
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

        // While the kernel holds it, a new start goes on another profile: one
        // on the held server's would hand itself over to it and wait with it.
        qInfo("the server was %s after its quit", lo::processEnded(first) ? "gone" : "still held");
        if (!lo::processEnded(first)) {
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
        }

        // Once the share lets go, what a held server left is swept.
        fs.release();
        QTRY_VERIFY_WITH_TIMEOUT((lo::sweepLeftovers(), tempEntries("zol-abandoned-*").isEmpty()), 20000);
        QCOMPARE(lofix::digest(backing + "/report.xlsx"),
                 QCryptographicHash::hash("the earlier report", QCryptographicHash::Sha256));
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
