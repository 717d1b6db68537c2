// The files around a save on a real server: a full disk says so and leaves
// the older Output File as it was; a server killed in the middle of the save
// leaves no temporary, lock or folder behind; a program killed in the middle
// of a run leaves files that the next start removes, and only those.
#include "LoBackend.h"
#include "LoCall.h"
#include "LoLeftovers.h"
#include "LoOffice.h"
#include "LoText.h"
#include "LoUno.h"
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
#include <cstdio>
#include <sys/mount.h>
#include <unistd.h>

using namespace css;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

namespace {

constexpr int kRows = 300000;

QStringList entries(const QString& folder, const QString& pattern = QStringLiteral("*"))
{
    return QDir(folder).entryList(QStringList{pattern}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Whether the office has begun writing in the save's folder beside `folder`.
bool writing(const QString& folder)
{
    for (const QString& beside : entries(folder, ".~zol-*"))
        if (!entries(folder + u'/' + beside).isEmpty())
            return true;
    return false;
}

// A workbook big enough that its save takes a while: numbers and texts in
// two long columns.
void makeBig(const QString& path)
{
    lo::Backend maker;
    maker.start();
    lo::NewWorkbook book(maker.server()->desktop());
    auto s = book.addSheet("Tasks");
    lofix::fillRows(s, "C1", kRows, [](int i) {
        return lo::seqOf({Any(double(i) / 7), Any(lo::toOU(QStringLiteral("task %1 of the plan").arg(i)))});
    });
    lo::storeTo(book.doc, path, lo::kXlsxFilter);
    maker.quit();
}

} // namespace

class TstLoFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        m_big = m_tmp.filePath("big.xlsx");
        makeBig(m_big);
    }

    // A small file system, nearly full: the save fails with our own line,
    // the older Output File stays byte for byte, nothing else is left there.
    void fullDisk()
    {
        const QString mnt = m_tmp.filePath("small-disk");
        QVERIFY(QDir().mkpath(mnt));
        if (::geteuid() != 0 || ::mount("tmpfs", QFile::encodeName(mnt).constData(), "tmpfs", 0, "size=256k") != 0)
            QSKIP("a small file system needs the right to mount one");
        auto unmount = qScopeGuard([&] { ::umount2(QFile::encodeName(mnt).constData(), MNT_DETACH); });
        const QString out = mnt + "/report.xlsx";
        {
            QFile old(out);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(100 * 1024, 'r'));
        }
        const QByteArray before = lofix::digest(out);
        lo::Backend b;
        b.start();
        b.openWorkbook(m_big, QString(), QString(), true);
        try {
            b.saveAs(out, XLSaveFormat::Xlsx);
            QFAIL("saved on a full disk");
        } catch (const XLError& e) {
            QCOMPARE(e.kind(), XLErrorKind::NoSpace);
        }
        QCOMPARE(lofix::digest(out), before);
        QCOMPARE(entries(mnt), QStringList{"report.xlsx"});
        // The workbook is still open, and saves where there is room.
        b.saveAs(m_tmp.filePath("roomy.xlsx"), XLSaveFormat::Xlsx);
        QVERIFY(QFileInfo(m_tmp.filePath("roomy.xlsx")).size() > 100 * 1024);
        b.quit();
    }

    // The server killed while it writes the Output File: the save fails,
    // the older file stays, and neither the temporary, its lock nor the
    // server's temporary folder is left.
    void killedServerDuringSave()
    {
        const QString folder = m_tmp.filePath("out");
        QVERIFY(QDir().mkpath(folder));
        const QString out = folder + "/report.xlsx";
        {
            QFile old(out);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("the earlier report");
        }
        const QStringList tempBefore = entries(QDir::tempPath(), "zol-*") + entries(QDir::tempPath(), "lu*");
        lo::Backend b;
        b.start();
        const int pid = b.serverPid();
        b.openWorkbook(m_big, QString(), QString(), true);
        // Killed as soon as the office writes.
        QTimer poll;
        poll.setInterval(5);
        connect(&poll, &QTimer::timeout, [&] {
            if (writing(folder)) {
                ::kill(pid, SIGKILL);
                poll.stop();
            }
        });
        poll.start();
        QVERIFY_THROWS_EXCEPTION(XLError, b.saveAs(out, XLSaveFormat::Xlsx));
        QVERIFY(!poll.isActive());
        b.quit();
        QCOMPARE(entries(folder).join(','), QStringLiteral("report.xlsx"));
        QCOMPARE(lofix::digest(out), QCryptographicHash::hash("the earlier report", QCryptographicHash::Sha256));
        QCOMPARE(entries(QDir::tempPath(), "zol-*") + entries(QDir::tempPath(), "lu*"), tempBefore);
    }

    // This program again, as one killed in the middle of a save: it leaves
    // the temporary Output File, the private copy of the workbook and the
    // server's folder; the next start removes them, and nothing of a live
    // process or of another program.
    void killedProgram()
    {
        const QString folder = m_tmp.filePath("killed");
        QVERIFY(QDir().mkpath(folder));
        const QString temp = QDir::tempPath();
        // Not ours to remove: ours while we run, and others' names.
        const QString live = temp + "/zol-workbook-" + lo::ownerTag() + "-AbC123";
        QVERIFY(QDir().mkpath(live));
        QFile(temp + "/zol-notes.txt").open(QIODevice::WriteOnly);
        QFile(folder + "/.~report.xlsx.other").open(QIODevice::WriteOnly);
        QFile(folder + "/.~lock.notes.ods#").open(QIODevice::WriteOnly);

        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--save-and-wait", m_big, folder + "/report.xlsx"});
        QVERIFY(child.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(writing(folder), 120000);
        const QString childTag = QString::number(child.processId());
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(10000));
        // What it left, all named after it.
        QStringList left = entries(temp, "zol-*-" + childTag + "-*");
        QVERIFY2(left.size() >= 3, qPrintable(left.join(',')));
        QVERIFY(!entries(folder, ".~zol-" + childTag + "-*").isEmpty());

        lo::Backend b;
        b.start(); // sweeps
        QTRY_COMPARE(entries(temp, "zol-*-" + childTag + "-*"), QStringList());
        QStringList kept = entries(folder);
        kept.removeAll("report.xlsx"); // when a first save was complete
        kept.sort();
        QCOMPARE(kept.join(','), QStringLiteral(".~lock.notes.ods#,.~report.xlsx.other"));
        QVERIFY(QFileInfo::exists(live));
        QVERIFY(QFileInfo::exists(temp + "/zol-notes.txt"));
        b.quit();
        QDir(live).removeRecursively();
    }

private:
    QTemporaryDir m_tmp;
    QString m_big;
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 3 && qstrcmp(argv[1], "--save-and-wait") == 0) {
        // Saves until it is killed.
        lo::Backend b;
        b.start();
        b.openWorkbook(QString::fromLocal8Bit(argv[2]), QString(), QString(), true);
        for (;;)
            b.saveAs(QString::fromLocal8Bit(argv[3]), XLSaveFormat::Xlsx);
    }
    TstLoFiles t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_lo_files.moc"
