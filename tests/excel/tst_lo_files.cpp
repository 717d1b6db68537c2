// The files around a save on a real server: a full disk says so, whatever
// room is left, and leaves the older Output File as it was; a full temporary
// folder is named as such; a server killed in the middle of the save leaves
// no temporary, lock or folder behind; a program killed in the middle of a
// run leaves files that the next start removes, and only those; a folder
// that cannot be removed, or is on a share that is away, stays on record
// until it is gone.
#include "LoBackend.h"
#include "LoCall.h"
#include "LoLeftovers.h"
#include "LoOffice.h"
#include "LoText.h"
#include "LoUno.h"
#include "XLFailures.h"
#include "lo_fixtures.h"
#include "stall_fs.h"

#include <com/sun/star/sheet/XCellRangeData.hpp>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/mount.h>
#include <sys/statvfs.h>
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
        m_fixtures = lofix::fixturesMade(m_tmp.filePath("fixtures"));
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

    // A small file system with more room left than a megabyte and than the
    // loaded workbook's own file, but less than the Output File takes: the
    // save says the disk is full, with no office text, and the older Output
    // File stays.
    void fullDiskWithRoomLeft()
    {
        const QString mnt = m_tmp.filePath("roomy-disk");
        QVERIFY(QDir().mkpath(mnt));
        if (::geteuid() != 0 || ::mount("tmpfs", QFile::encodeName(mnt).constData(), "tmpfs", 0, "size=3m") != 0)
            QSKIP("a small file system needs the right to mount one");
        auto unmount = qScopeGuard([&] { ::umount2(QFile::encodeName(mnt).constData(), MNT_DETACH); });
        const QString out = mnt + "/report.xlsx";
        {
            QFile old(out);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(64 * 1024, 'r'));
        }
        const QByteArray before = lofix::digest(out);
        const QString small = m_fixtures + "/tasks.xlsx";
        lo::Backend b;
        b.start();
        b.openWorkbook(small, QString(), QString(), true);
        b.usedRange("Tasks");
        // Far more than the file loaded: many distinct numbers and texts.
        constexpr int rows = 120000;
        XLColumn numbers(rows), texts(rows);
        for (int i = 0; i < rows; ++i) {
            numbers[i] = XLCell::fromNumber(i / 7.0 + 0.123456789);
            texts[i] = XLCell::fromText(QStringLiteral("task %1 of a plan too big for the disk").arg(i * 7919));
        }
        b.writeColumn("H", 1, rows, numbers);
        b.writeColumn("I", 1, rows, texts);
        struct statvfs fs {};
        QCOMPARE(::statvfs(QFile::encodeName(mnt).constData(), &fs), 0);
        const qint64 room = qint64(fs.f_bavail) * qint64(fs.f_frsize);
        QVERIFY2(room > (1 << 20) && room > QFileInfo(small).size(), qPrintable(QString::number(room)));
        try {
            b.saveAs(out, XLSaveFormat::Xlsx);
            QFAIL("saved on a full disk");
        } catch (const XLError& e) {
            QVERIFY2(e.kind() == XLErrorKind::NoSpace, qPrintable(e.message()));
            bool used = false;
            XLFailureContext c;
            c.wbLabel = "Template File";
            c.newLabel = "Output File";
            const QStringList lines = XLFailureLines(XLOp::SaveAs, c, e.kind(), e.message(), &used);
            QVERIFY(used);
            QVERIFY(lines.contains("There is not enough free space on the disk to save the Output File."));
        }
        QCOMPARE(lofix::digest(out), before);
        QCOMPARE(entries(mnt), QStringList{"report.xlsx"});
        b.quit();
    }

    // The temporary folder on a full file system: the private copy of the
    // workbook cannot be made, and the failure names that folder and the
    // want of space, not the user's file, which is fine.
    void fullTemporaryFolder()
    {
        const QString mnt = m_tmp.filePath("full-temp");
        QVERIFY(QDir().mkpath(mnt));
        if (::geteuid() != 0 || ::mount("tmpfs", QFile::encodeName(mnt).constData(), "tmpfs", 0, "size=256k") != 0)
            QSKIP("a small file system needs the right to mount one");
        auto unmount = qScopeGuard([&] { ::umount2(QFile::encodeName(mnt).constData(), MNT_DETACH); });
        {
            QFile filler(mnt + "/filler");
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(4096, 'f');
            while (filler.write(block) == block.size()) {
            }
        }
        lo::Backend b;
        b.start();
        const QByteArray oldTemp = qgetenv("TMPDIR");
        auto restore = qScopeGuard([&] { qputenv("TMPDIR", oldTemp); });
        qputenv("TMPDIR", QFile::encodeName(mnt));
        const QString source = m_fixtures + "/tasks.xlsx";
        try {
            b.openWorkbook(source, QString(), QString(), true);
            QFAIL("copied into a full temporary folder");
        } catch (const XLError& e) {
            QVERIFY2(e.message().contains(mnt) && e.message().contains("not enough free space"),
                     qPrintable(e.message()));
            QVERIFY2(!e.message().contains("cannot be read"), qPrintable(e.message()));
        }
        restore.dismiss();
        qputenv("TMPDIR", oldTemp);
        b.quit();
    }

    // A folder beside a save that cannot be removed (a share that failed;
    // here a mount inside it) stays on record, by the save itself and by a
    // later start's sweep, until it is gone.
    void besideFolderKeptOnRecord()
    {
        if (::geteuid() != 0)
            QSKIP("a folder that cannot be removed needs the right to mount in it");
        const QString folder = m_tmp.filePath("failing-share");
        QVERIFY(QDir().mkpath(folder));
        const QString ownRecords = "zol-saving-" + lo::ownerTag() + "-*";
        const QStringList recordsBefore = entries(QDir::tempPath(), ownRecords);
        QString held;
        {
            lo::BesideFolder beside(folder + "/report.xlsx");
            QVERIFY(beside.isValid());
            held = beside.filePath("held");
            QVERIFY(QDir().mkpath(held));
            QCOMPARE(::mount("tmpfs", QFile::encodeName(held).constData(), "tmpfs", 0, "size=64k"), 0);
        }
        QStringList kept = entries(QDir::tempPath(), ownRecords);
        for (const QString& r : recordsBefore)
            kept.removeAll(r);
        QCOMPARE(kept.size(), 1);
        QVERIFY(QFileInfo::exists(held));
        ::umount2(QFile::encodeName(held).constData(), MNT_DETACH);
        QVERIFY(QDir(QFileInfo(held).absolutePath()).removeRecursively());
        QVERIFY(QFile::remove(QDir::temp().filePath(kept.first())));

        // The record of an owner that has gone, for a folder that will not go.
        const QString dead = "999999-1";
        const QString beside = folder + "/.~zol-" + dead + "-AbC123";
        const QString mount = beside + "/held";
        QVERIFY(QDir().mkpath(mount));
        QCOMPARE(::mount("tmpfs", QFile::encodeName(mount).constData(), "tmpfs", 0, "size=64k"), 0);
        auto unmount = qScopeGuard([&] { ::umount2(QFile::encodeName(mount).constData(), MNT_DETACH); });
        const QString record = QDir::temp().filePath("zol-saving-" + dead + "-XyZ789");
        {
            QFile f(record);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(beside.toUtf8());
        }
        lo::sweepLeftovers();
        QVERIFY(QFileInfo::exists(record));
        QVERIFY(QFileInfo::exists(mount));
        unmount.dismiss();
        ::umount2(QFile::encodeName(mount).constData(), MNT_DETACH);
        lo::sweepLeftovers();
        QVERIFY(!QFileInfo::exists(beside));
        QVERIFY(!QFileInfo::exists(record));
    }

    // A save's folder left on a share (the test's own FUSE file system) by a
    // program killed while it wrote, with the Output File at the top of the
    // share or in a folder of it. A start while the share is away keeps the
    // record: the share's bare mount point, or a folder above that is
    // missing, tells nothing of the leftover. The first start once the share
    // is back removes it, and then its record.
    void leftoverOnShareAway_data()
    {
        QTest::addColumn<QString>("within");
        QTest::newRow("top of the share") << QString();
        QTest::newRow("folder of the share") << QStringLiteral("/reports");
    }
    void leftoverOnShareAway()
    {
        QFETCH(QString, within);
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-');
        const QString backing = m_tmp.filePath(tag + "-backing");
        const QString share = m_tmp.filePath(tag + "-share");
        auto fs = std::make_unique<lofix::StallFs>(backing, share);
        if (!fs->isMounted())
            QSKIP(qPrintable(fs->whyNot()));
        QVERIFY(QDir().mkpath(share + within));

        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--beside-and-wait", share + within + "/report.xlsx"});
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForReadyRead(10000));
        QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("ready"));
        const QString childTag = QString::number(child.processId());
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(10000));
        const QString records = "zol-saving-" + childTag + "-*";
        const QString leftovers = ".~zol-" + childTag + "-*";
        const QStringList record = entries(QDir::tempPath(), records);
        QCOMPARE(record.size(), 1);
        const QStringList left = entries(backing + within, leftovers);
        QCOMPARE(left.size(), 1);

        fs.reset();
        QCOMPARE(entries(share), QStringList());
        lo::sweepLeftovers();
        QCOMPARE(entries(QDir::tempPath(), records), record);
        QCOMPARE(entries(backing + within, leftovers), left);

        fs = std::make_unique<lofix::StallFs>(backing, share);
        QVERIFY2(fs->isMounted(), qPrintable(fs->whyNot()));
        lo::sweepLeftovers();
        QCOMPARE(entries(backing + within), QStringList());
        QCOMPARE(entries(QDir::tempPath(), records), QStringList());
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
    QString m_fixtures;
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
    if (argc > 2 && qstrcmp(argv[1], "--beside-and-wait") == 0) {
        // Holds a save's folder beside the target, with the Output File
        // begun in it, until it is killed.
        const QString target = QString::fromLocal8Bit(argv[2]);
        lo::BesideFolder beside(target);
        QFile begun(beside.filePath(QFileInfo(target).fileName()));
        std::puts(beside.isValid() && begun.open(QIODevice::WriteOnly) ? "ready" : "failed");
        std::fflush(stdout);
        for (;;)
            ::pause();
    }
    TstLoFiles t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_lo_files.moc"
