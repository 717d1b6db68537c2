// What a run refuses before it saves anything, on the in-memory server:
// results that are not numbers, an Output File or folder this user cannot
// write (a read-only mount, an immutable file, another user's file or
// folder), a file another program holds, and an empty Data Source File.
// Cases the machine can arrange are arranged for real (as root: a private
// mount namespace with a tmpfs remounted read-only, the immutable flag,
// the effective user switched to nobody); the rest put the same answers
// through the injectable file-access probe, and say so.
#include "FakeXL.h"
#include "FileAccess.h"
#include "MachineKeys.h"
#include "Progress.h"
#include "StdDlg.h"
#include "tst_process_fixture.h"
#include "zyAD.h"
#include "zyProcess.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyXL.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <functional>
#include <limits>

namespace {

const QString kDSF = QStringLiteral("/data/plan.xlsx");
const QString kTF = QStringLiteral("/data/template.xlsx");
constexpr int kBase = 45292; // 2024-01-01
constexpr uid_t kNobody = 65534;

// Baseline and Actual man hours of each task.
using Hours = QList<QPair<double, double>>;

// Two tasks per row of `mh` (Baseline man hours, then Actual): ten days
// each, the second three days later.
void MakeSchedule(FakeSheet& ws, const Hours& mh)
{
    const QStringList head{"Task", "BL Start", "BL Finish", "BL MH", "BL Cost", "Start", "Finish",
                           "MH", "Cost", "% Complete", "Area"};
    for (int c = 0; c < head.size(); ++c)
        ws.text(QString(QChar(u'A' + c)) + u'1', head[c]);
    for (int i = 0; i < mh.size(); ++i) {
        const QString r = QString::number(i + 2);
        const int s = kBase + 3 * i;
        ws.text("A" + r, QStringLiteral("Task %1").arg(i + 1));
        ws.num("B" + r, s).num("C" + r, s + 9).num("D" + r, mh[i].first).num("E" + r, 100);
        ws.num("F" + r, s).num("G" + r, s + 9).num("H" + r, mh[i].second).num("I" + r, 100);
        ws.num("J" + r, 1.0).text("K" + r, QStringLiteral("North"));
    }
}

void MakeTemplate(FakeWorkbook& wb)
{
    wb.addSheet(QStringLiteral("Project Summary"));
    FakeSheet& ws = wb.addSheet(QStringLiteral("Chart Data"));
    for (int r = 8; r <= 9; ++r)
        ws.num("A" + QString::number(r), kBase + r);
}

// Answers every question with the right button, but the first `yes`
// questions with Yes; `asked` runs before each answer.
struct Prompter : pfx::Recorder {
    int yes = 0;
    std::function<void(const StdDlg::Request&)> asked;
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        seen << r;
        if (asked)
            asked(r);
        if (yes > 0 && r.buttons[1].visible) {
            --yes;
            return {r.buttons[1].modalResult, false};
        }
        return {r.buttons[2].modalResult, false};
    }
};

// The probe's answers, for cases this machine cannot arrange.
struct Probe : platform::IFileAccess {
    bool write = true, writeIn = true, locked = false;
    bool canWrite(const QString&) override { return write; }
    bool canWriteIn(const QString&) override { return writeIn; }
    bool isLocked(const QString&) override { return locked; }
};

bool SetImmutable(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

} // namespace

class TstProcessGuards : public QObject {
    Q_OBJECT

    platform::MachineKeyTable keys;
    std::shared_ptr<FakeOffice> office;
    Prompter dlg;
    pfx::CancellingProgress progress;
    Probe probe;
    // In a folder nobody can enter (the runner's open folder; /tmp when run
    // by hand): the test's private temporary folder is closed to others.
    QTemporaryDir tmp{qEnvironmentVariable("ZOL_TEST_OPEN_DIR", QStringLiteral("/tmp"))
                      + QStringLiteral("/guards-XXXXXX")};
    QString of;
    QString mnt;            // a tmpfs of this test's own mount namespace, when root
    bool privateMounts = false;
    int sd = 0;

    void fresh(const QString& outFile, const Hours& mh = {{80, 90}, {120, 150}},
               const QString& dsf = kDSF)
    {
        office = std::make_shared<FakeOffice>();
        office->install();
        XL = std::make_unique<TzyXL>();
        MakeSchedule(office->addWorkbook(dsf).addSheet(QStringLiteral("Tasks")), mh);
        MakeTemplate(office->addWorkbook(kTF));
        of = outFile;
        pfx::Options o;
        o.cutOff = kBase + 5;
        sd = pfx::MakeDefinition({dsf, kTF, of}, o);
        UP->Reset();
        UP->SetPromptOnOverwriteOF(false);
        dlg.seen.clear();
        dlg.yes = 0;
        dlg.asked = nullptr;
        progress.shows = progress.closes = 0;
        progress.ResetProgress();
        Process = std::make_unique<TzyProcess>();
        Progress::setFormatSources([] { return Process->StepFmt; }, [] { return Process->NoStepFmt; });
        platform::setFileAccess(nullptr);
    }
    QString details() const { return dlg.seen.isEmpty() ? QString() : dlg.seen.last().lines.last(); }
    // The run stopped at the output checks: nothing started, nothing saved.
    void expectStoppedBeforeWork()
    {
        QCOMPARE(progress.shows, 0);
        QCOMPARE(office->starts, 0);
        QVERIFY(!office->files.contains(of));
    }
    void writeFile(const QString& path, const QByteArray& data = "previous output")
    {
        QFile f(path);
        QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
        f.write(data);
    }
    bool root() const { return ::geteuid() == 0; }
    bool remount(bool readOnly)
    {
        return ::mount(nullptr, QFile::encodeName(mnt).constData(), nullptr,
                       MS_REMOUNT | (readOnly ? MS_RDONLY : 0UL), nullptr) == 0;
    }
    // The probe answers for a case this machine cannot arrange.
    void probeFor(const QString& how, bool write, bool writeIn)
    {
        qInfo("%s: arranged through the probe", qPrintable(how));
        probe.write = write;
        probe.writeIn = writeIn;
        platform::setFileAccess(&probe);
    }
    QString immutable; // a file made immutable by the case under way

    // Runs the definition, as nobody when `asNobody`.
    bool run(bool asNobody)
    {
        if (!asNobody)
            return Process->Process(sd);
        if (::setegid(kNobody) != 0 || ::seteuid(kNobody) != 0)
            qFatal("cannot switch to nobody");
        const bool ok = Process->Process(sd);
        if (::seteuid(0) != 0 || ::setegid(0) != 0)
            qFatal("cannot switch back to root");
        return ok;
    }

private slots:
    void initTestCase()
    {
        pfx::InstallRunHarness(progress, dlg);
        pfx::InstallFakeMachine(keys);
        QVERIFY(tmp.isValid());
        // Reachable for nobody, writable only by its owner.
        QFile::setPermissions(tmp.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                              | QFileDevice::ReadOther | QFileDevice::ExeOther);
        for (QDir d(tmp.path()); !d.isRoot(); d.cdUp())
            QVERIFY2(QFileInfo(d.path()).permission(QFileDevice::ExeOther),
                     qPrintable(d.path() + QStringLiteral(" cannot be entered by other users")));
        // Mounts made here vanish with the process and are seen by no one else.
        if (root() && ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0) {
            mnt = tmp.path() + QStringLiteral("/mnt");
            QDir().mkpath(mnt);
            privateMounts = ::mount("tmpfs", QFile::encodeName(mnt).constData(), "tmpfs", 0, "size=4m,mode=0755") == 0;
        }
        if (!privateMounts)
            qInfo("No private mounts here: the read-only mount and immutable cases go through the probe.");
        if (!root())
            qInfo("Not root: the cases of another user's file and folder go through the probe.");
    }
    // Whatever a case arranged is undone, also after a failed check.
    void cleanup()
    {
        if (privateMounts)
            remount(false);
        if (!immutable.isEmpty())
            SetImmutable(immutable, false);
        immutable.clear();
        platform::setFileAccess(nullptr);
    }
    void cleanupTestCase()
    {
        if (privateMounts)
            ::umount2(QFile::encodeName(mnt).constData(), MNT_DETACH);
        platform::setFileAccess(nullptr);
        pfx::RemoveRunHarness();
    }

    // Sums beyond the largest number: no INF or NaN is saved as a result; the
    // run names the quantity and stops before the template is touched.
    void resultsThatAreNotNumbers_data()
    {
        QTest::addColumn<Hours>("mh");
        QTest::addColumn<QString>("quantity");
        const double big = 1e308;
        QTest::newRow("two Baseline tasks of 1e308") << Hours{{big, 10}, {big, 10}}
                                                     << "Baseline Man Hours";
        QTest::newRow("two Actual tasks of 1e308") << Hours{{10, big}, {10, big}}
                                                   << "Actual Man Hours";
        // Each total is 0, but each task grew by 2e308.
        QTest::newRow("growth beyond the largest number") << Hours{{-big, big}, {big, -big}}
                                                          << "Growth: Man Hours";
        QTest::newRow("one task of 1e308 is still a number")
            << Hours{{big, 10}, {10, 10}} << "";
    }
    void resultsThatAreNotNumbers()
    {
        QFETCH(Hours, mh);
        QFETCH(QString, quantity);
        fresh(tmp.path() + QStringLiteral("/Overflow.xlsx"), mh);
        const bool ok = Process->Process(sd);
        QCOMPARE(ok, quantity.isEmpty());
        if (ok)
            return;
        QCOMPARE(dlg.ids(), QStringList{"UP002"});
        const QStringList lines = dlg.seen.first().lines;
        QCOMPARE(lines.mid(0, 8), (QStringList{UIT(1110), "", "The following quantity is too large to be calculated:", "",
                                               quantity, "", "Please check the Data Source File for values that are too large.",
                                               ""}));
        QCOMPARE(lines.last(), QStringLiteral("Details: The results are not numbers. The Output File has not been saved."));
        // Read, calculated, refused: the template was never opened.
        QCOMPARE(office->starts, 1);
        QVERIFY(!office->callNames().contains(QStringLiteral("saveAs")));
        QVERIFY(!office->files.contains(of));
        QVERIFY(!progress.visible());
        QVERIFY(!office->running);
    }

    // An existing Output File this user cannot write is read-only, never
    // "open in another program": no question, however often Yes would be
    // answered, and nothing started.
    void outputFileCannotBeWritten_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("read-only mount") << "mount";
        QTest::newRow("immutable file") << "immutable";
        QTest::newRow("file of another user") << "user";
        QTest::newRow("no write permission") << "mode";
    }
    void outputFileCannotBeWritten()
    {
        QFETCH(QString, how);
        const bool real = how == "mode" || (how == "user" ? root() : privateMounts);
        const QString folder = (real && (how == "mount" || how == "immutable")) ? mnt : tmp.path();
        fresh(folder + QStringLiteral("/Locked.xlsx"));
        writeFile(of);
        if (!real)
            probeFor(how, false, how != "mount");
        else if (how == "mount")
            QVERIFY(remount(true));
        else if (how == "immutable")
            QVERIFY(SetImmutable(immutable = of, true));
        else if (how == "mode")
            QFile::setPermissions(of, QFileDevice::ReadOwner | QFileDevice::ReadOther);
        dlg.yes = 1000; // an endless question would take every Yes
        const bool ok = run(real && how == "user");
        cleanup();
        QVERIFY(!ok);
        QCOMPARE(dlg.ids(), QStringList{"UP002"});
        QCOMPARE(details(), "Details: The following Output File exists, and is read-only.\r\n\r\n" + of +
                                "\r\n\r\nUnable to overwrite the existing Output File.");
        expectStoppedBeforeWork();
        QFile::setPermissions(of, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY(QFile::remove(of));
    }

    // A folder no file can be created in is found by the output checks,
    // before the work, with the read-only message in the folder's words.
    void outputFolderCannotBeWritten_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("read-only mount") << "mount";
        QTest::newRow("folder of another user") << "user";
        QTest::newRow("no write permission") << "mode";
    }
    void outputFolderCannotBeWritten()
    {
        QFETCH(QString, how);
        const bool real = how == "mode" ? !root() : how == "user" ? root() : privateMounts;
        QString folder = tmp.path() + QStringLiteral("/shut");
        if (real && how == "mount")
            folder = mnt;
        QDir().mkpath(folder);
        fresh(folder + QStringLiteral("/New.xlsx"));
        if (!real)
            probeFor(how, true, false); // root writes a folder whatever its mode
        else if (how == "mount")
            QVERIFY(remount(true));
        else if (how == "mode")
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool ok = run(real && how == "user");
        cleanup();
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!ok);
        QCOMPARE(dlg.ids(), QStringList{"UP002"});
        QCOMPARE(details(), "Details: The following Output File Folder exists, and is read-only.\r\n\r\n" + folder +
                                "/\r\n\r\nUnable to save the Output File in the Output File Folder.");
        expectStoppedBeforeWork();
        QVERIFY(!QFile::exists(of));
    }

    // Held by another program: the question, and Yes tests again. The lock
    // released while the question is up lets the run go on.
    void outputFileHeldElsewhere_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("release");
        for (const char* how : {"office lock file", "record lock", "whole-file lock"}) {
            QTest::addRow("%s, no", how) << how << false;
            QTest::addRow("%s, closed, yes", how) << how << true;
        }
    }
    void outputFileHeldElsewhere()
    {
        QFETCH(QString, how);
        QFETCH(bool, release);
        fresh(tmp.path() + QStringLiteral("/Held.xlsx"));
        writeFile(of);
        const QString lockFile = platform::officeLockFile(of);
        int fd = -1;
        if (how == "office lock file") {
            writeFile(lockFile, "other office");
        } else {
            fd = ::open(QFile::encodeName(of).constData(), O_RDWR | O_CLOEXEC);
            QVERIFY(fd >= 0);
            if (how == "record lock") {
                struct flock l = {};
                l.l_type = F_WRLCK;
                l.l_whence = SEEK_SET;
                QCOMPARE(::fcntl(fd, F_OFD_SETLK, &l), 0);
            } else {
                QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);
            }
        }
        const auto letGo = [&] {
            QFile::remove(lockFile);
            if (fd >= 0)
                ::close(fd);
            fd = -1;
        };
        if (release) {
            dlg.yes = 1;
            dlg.asked = [&](const StdDlg::Request& r) {
                if (r.msgId == "UP013")
                    letGo();
            };
        }
        const bool ok = Process->Process(sd);
        letGo();
        QCOMPARE(ok, release);
        if (release) {
            QCOMPARE(dlg.ids(), QStringList{"UP013"});
            QVERIFY(office->files.contains(of));
        } else {
            QCOMPARE(dlg.ids(), (QStringList{"UP013", "UP002"}));
            QVERIFY(details().startsWith("Details: The following Output File already exists, and is open."));
            expectStoppedBeforeWork();
        }
        QCOMPARE(dlg.seen.first().lines.value(0), QStringLiteral("The following Output File already exists, and is open."));
        QVERIFY(QFile::remove(of));
    }

    // The decision alone, on the probe's answers, whatever this machine can
    // arrange.
    void decisionOfTheChecks_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("write");
        QTest::addColumn<bool>("writeIn");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QStringList>("ids"); // with Yes to every question
        QTest::addColumn<QString>("details");
        const QString fileRO = "Details: The following Output File exists, and is read-only.";
        const QString folderRO = "Details: The following Output File Folder exists, and is read-only.";
        QTest::newRow("writable") << true << true << true << false << QStringList{} << "";
        QTest::newRow("new file, writable folder") << false << true << true << false << QStringList{} << "";
        QTest::newRow("file read-only") << true << false << true << false << QStringList{"UP002"} << fileRO;
        QTest::newRow("file read-only and locked") << true << false << true << true << QStringList{"UP002"} << fileRO;
        QTest::newRow("folder read-only, file there") << true << true << false << false << QStringList{"UP002"} << fileRO;
        QTest::newRow("folder read-only, no file") << false << true << false << false << QStringList{"UP002"} << folderRO;
        QTest::newRow("locked: asked until No")
            << true << true << true << true << QStringList{"UP013", "UP013", "UP013", "UP002"}
            << "Details: The following Output File already exists, and is open.";
    }
    void decisionOfTheChecks()
    {
        QFETCH(bool, exists);
        QFETCH(bool, write);
        QFETCH(bool, writeIn);
        QFETCH(bool, locked);
        QFETCH(QStringList, ids);
        QFETCH(QString, details);
        fresh(tmp.path() + QStringLiteral("/Probed.xlsx"));
        if (exists)
            writeFile(of);
        probe.write = write;
        probe.writeIn = writeIn;
        probe.locked = locked;
        platform::setFileAccess(&probe);
        dlg.yes = 2;
        const bool ok = Process->Process(sd);
        platform::setFileAccess(nullptr);
        QCOMPARE(dlg.ids(), ids);
        QCOMPARE(ok, details.isEmpty());
        if (!ok) {
            QVERIFY2(this->details().startsWith(details), qPrintable(this->details()));
            expectStoppedBeforeWork();
        }
        QFile::remove(of);
    }

    // A file that stays open while every question is answered Yes: the
    // question comes back a bounded number of times, then the run stops
    // with the file named open.
    void yesToAnOpenFileForEver()
    {
        fresh(tmp.path() + QStringLiteral("/StaysOpen.xlsx"));
        writeFile(of);
        probe.write = true;
        probe.writeIn = true;
        probe.locked = true;
        platform::setFileAccess(&probe);
        dlg.yes = 1000000;
        const bool ok = Process->Process(sd);
        platform::setFileAccess(nullptr);
        QVERIFY(!ok);
        const QStringList ids = dlg.ids();
        QCOMPARE(ids.last(), QStringLiteral("UP002"));
        QVERIFY2(ids.count(QStringLiteral("UP013")) <= 10, qPrintable(QString::number(ids.size())));
        QVERIFY(this->details().startsWith("Details: The following Output File already exists, and is open."));
        expectStoppedBeforeWork();
        QFile::remove(of);
    }

    // An empty file opens in the office as a new, empty workbook; the run
    // says what it is at its opening, before the worksheet is looked for.
    void emptyDataSourceFile()
    {
        const QString empty = tmp.path() + QStringLiteral("/empty.xlsx");
        writeFile(empty, QByteArray());
        fresh(tmp.path() + QStringLiteral("/FromEmpty.xlsx"), {{80, 90}, {120, 150}}, empty);
        QVERIFY(!Process->Process(sd));
        QCOMPARE(dlg.ids(), QStringList{"UP002"});
        QCOMPARE(details(), "Details: The Data Source File is empty: it is not a workbook.\r\n\r\nData Source File: " + empty);
        // Stopped at "Opening the Data Source File...", the second step.
        QCOMPARE(progress.currentStep(), 2);
        QVERIFY(!office->callNames().contains(QStringLiteral("openWorkbook")));
        QVERIFY(!office->running);
    }
};

QTEST_GUILESS_MAIN(TstProcessGuards)
#include "tst_process_guards.moc"
