#include "LocaleInfo.h"
#include "StdDlg.h"
#include "Utils.h"
#include "zyAD.h"
#include "zyUIL.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <unistd.h>

namespace {
struct RecordingPrompter : StdDlg::IPrompter {
    QList<StdDlg::Request> requests;
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        requests << r;
        return {r.buttons[2].modalResult, false};
    }
};
} // namespace

class TestUtils : public QObject {
    Q_OBJECT
    QStringList reports;
    RecordingPrompter prompter;

private slots:
    void initTestCase()
    {
        InitUILs();
        AD = std::make_unique<TzyAD>();
        Utils::SetIndexReporter([this](const QString& t) { reports << t; });
        StdDlg::setPrompter(&prompter);
    }
    void init()
    {
        reports.clear();
        prompter.requests.clear();
        AD->Msgs.clear();
    }

    void checkIndex()
    {
        QVERIFY(!Utils::CheckIndex(1, 1, 5, QStringLiteral("SDs.getItems")));
        QVERIFY(!Utils::CheckIndex(5, 1, 5, QStringLiteral("SDs.getItems")));
        QVERIFY(reports.isEmpty());
        QVERIFY(Utils::CheckIndex(6, 1, 5, QStringLiteral("SDs.getItems")));
        QCOMPARE(reports.size(), 1);
        QCOMPARE(reports.first(), QStringLiteral("SDs.getItems Index is invalid.\r\n\r\nValid Range: 1 to 5.\r\n\r\nIndex Value: 6."));
        QVERIFY(Utils::CheckIndex(-1, 0, 0, QStringLiteral("X.y")));
        QVERIFY(reports.last().endsWith(QStringLiteral("Index Value: -1.")));
    }

    void checkIndexBeforeTextTable()
    {
        // The box still reads right while the table does not exist yet.
        auto saved = std::move(UILs);
        QVERIFY(Utils::CheckIndex(3, 0, 1, QStringLiteral("UIL.getItems")));
        UILs = std::move(saved);
        QCOMPARE(reports.last(), QStringLiteral("UIL.getItems Index is invalid.\r\n\r\nValid Range: 0 to 1.\r\n\r\nIndex Value: 3."));
    }

    void isOutOfRange()
    {
        QVERIFY(!Utils::IsOutOfRange(5, 1, 5));
        QVERIFY(Utils::IsOutOfRange(6, 1, 5));
        QVERIFY(Utils::IsOutOfRange(0, 1, 5));
        QVERIFY(reports.isEmpty());
    }

    void trimAndCase()
    {
        const QString nbsp = QString(QChar(0x00A0));
        QCOMPARE(Utils::Trim(QStringLiteral(" \t\r\n a b \x01")), QStringLiteral("a b"));
        QCOMPARE(Utils::Trim(nbsp + "a" + nbsp), nbsp + "a" + nbsp); // only up to U+0020
        QCOMPARE(Utils::AsciiUpper(QStringLiteral("abz\u00e9\u00df")), QStringLiteral("ABZ\u00e9\u00df"));
        QCOMPARE(Utils::AsciiLower(QStringLiteral("ABZ\u00c9")), QStringLiteral("abz\u00c9"));
        QVERIFY(Utils::SameText(QStringLiteral("Task_Table1"), QStringLiteral("TASK_table1")));
        QVERIFY(!Utils::SameText(QStringLiteral("\u00e9"), QStringLiteral("\u00c9")));
    }

    void stringRoutines()
    {
        QCOMPARE(Utils::MidStr(QStringLiteral("abc"), 2, 0), QStringLiteral("bc"));
        QCOMPARE(Utils::MidStr(QStringLiteral("abc"), 4, 1), QString());
        QCOMPARE(Utils::MidStr(QStringLiteral("abcdef"), 2, 3), QStringLiteral("bcd"));
        QCOMPARE(Utils::MidStr(QStringLiteral("abc"), 2, 9), QStringLiteral("bc"));
        QCOMPARE(Utils::PosFrom(3, QStringLiteral("abcabc"), QStringLiteral("a")), 2);
        QCOMPARE(Utils::PosFrom(1, QStringLiteral("abc"), QStringLiteral("z")), 0);
        QCOMPARE(Utils::LeftStr(QStringLiteral("abc"), 5), QStringLiteral("abc"));
        QCOMPARE(Utils::RightStr(QStringLiteral("abc"), 2), QStringLiteral("bc"));
        QCOMPARE(Utils::LineFeedsToSpaces(QStringLiteral("a\r\nb\nc")), QStringLiteral("a\r b c"));
        QCOMPARE(Utils::StrToIntBlankZero(QStringLiteral("   ")), 0);
        QCOMPARE(Utils::StrToIntBlankZero(QStringLiteral(" 12 ")), 12);
        QCOMPARE(Utils::StrToIntBlankZero(QStringLiteral("1x")), 0);
    }

    void dates()
    {
        double d = 0;
        QVERIFY(Utils::TextToDate(QStringLiteral("2014-01-01"), d));
        QCOMPARE(d, 41640.0);
        QVERIFY(Utils::TextToDate(QStringLiteral("05-Mar-2014"), d));
        QCOMPARE(d, 41703.0);
        QVERIFY(Utils::IsDateText(QStringLiteral("05-Mar-2014")));
        QVERIFY(!Utils::IsDateText(QStringLiteral("12")));
        QVERIFY(!Utils::IsDateText(QStringLiteral("abc")));
    }

    void lenientParse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("currency thousands") << "$1,234.50" << 1234.5;
        QTest::newRow("parentheses") << "(1,234.50)" << -1234.5;
        QTest::newRow("trailing minus") << "1,234.50-" << -1234.5;
        QTest::newRow("minus blank") << "- 12" << -12.0;
        QTest::newRow("plus") << "+12" << 12.0;
        QTest::newRow("percent not applied") << "50%" << 50.0;
        QTest::newRow("words around") << "abc 12 def" << 12.0;
        QTest::newRow("first number only") << "12 34" << 12.0;
        QTest::newRow("second decimal ends") << "1.2.3" << 1.2;
        QTest::newRow("leading decimal") << ".5" << 0.5;
        QTest::newRow("minus decimal") << "-.5" << -0.5;
        QTest::newRow("open parenthesis alone") << "(5" << 5.0;
        QTest::newRow("close parenthesis alone") << "5)" << 5.0;
        QTest::newRow("other locale's number") << "1.234,5" << 1.234;
        QTest::newRow("thousands after decimal stay") << "1.5,3" << 1.5;
        QTest::newRow("currency with blank") << "$ 1,000" << 1000.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks") << "   " << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("lone minus") << "-" << 0.0;
        QTest::newRow("lone decimal") << "." << 0.0;
        QTest::newRow("trailing decimal") << "5." << 5.0;
        QTest::newRow("non-latin digits are no digits") << QString::fromUtf8("\u0663") << 0.0;
    }
    void lenientParse()
    {
        platform::setNumberSettings(platform::NumberSettings{QLatin1Char('.'), QLatin1Char(','), QStringLiteral("$")});
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(Utils::StrToFloatLenient(text), expected);
        platform::setNumberSettings(std::nullopt);
    }

    void lenientParseCommaLocale()
    {
        platform::setNumberSettings(platform::NumberSettings{QLatin1Char(','), QLatin1Char('.'), QStringLiteral("EUR")});
        QCOMPARE(Utils::StrToFloatLenient(QStringLiteral("1.234,50 eur")), 1234.5);
        QCOMPARE(Utils::StrToFloatLenient(QStringLiteral("EUR -3,25")), -3.25);
        platform::setNumberSettings(std::nullopt);
    }

    void paths()
    {
        QCOMPARE(Utils::GetFileExt(QStringLiteral("/data/a.XLSX"), false), QStringLiteral("XLSX"));
        QCOMPARE(Utils::GetFileExt(QStringLiteral("/data/a.XLSX"), true), QStringLiteral(".XLSX"));
        QCOMPARE(Utils::GetFileExt(QStringLiteral("/data.d/name"), false), QString());
        QCOMPARE(Utils::ExtractFileNameNoExt(QStringLiteral(" /data/plan.v2.xls ")), QStringLiteral("plan.v2"));
        QCOMPARE(Utils::ExtractPathNoDrive(QStringLiteral("/Data/a.xls")), QStringLiteral("/Data/"));
        QCOMPARE(Utils::IncludeTrailingSlash(QStringLiteral("/a")), QStringLiteral("/a/"));
        QCOMPARE(Utils::IncludeTrailingSlash(QString()), QString());
    }

    void folders()
    {
        QTemporaryDir tmp;
        const QString label = QStringLiteral("Output File Folder");
        QVERIFY(Utils::DirExists(label, tmp.path()));
        QVERIFY(!Utils::DirExists(label, tmp.path() + "/missing"));
        QVERIFY(!Utils::DirExists(label, QStringLiteral("  ")));

        const QString nested = tmp.path() + "/a/b/c";
        QVERIFY(Utils::ForceFolder(label, nested));
        QVERIFY(QFileInfo(nested).isDir());
        QVERIFY(!Utils::ForceFolder(label, nested)); // exists already
        // A colon ends a folder's name as well as any other character.
        const QString colon = tmp.path() + "/Reports 2025:";
        QVERIFY(Utils::ForceFolder(label, colon));
        QVERIFY(QFileInfo(colon).isDir());
        QVERIFY(!Utils::ForceFolder(label, QStringLiteral("Data")));
        QVERIFY(!QFileInfo::exists(QStringLiteral("Data")));
        QVERIFY(!Utils::ForceFolder(label, QString()));
        QVERIFY(prompter.requests.isEmpty());
    }

    void forceFolderFailureIsReported()
    {
        // A folder under a regular file cannot be made, whoever runs the test.
        QTemporaryDir tmp;
        QFile f(tmp.path() + "/plain");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        bool raised = false;
        try {
            Utils::ForceFolder(QStringLiteral("Output File Folder"), tmp.path() + "/plain/sub");
        } catch (const ZolError&) {
            raised = true;
        }
        QVERIFY(raised);
        QCOMPARE(AD->Msgs.value(0), QStringLiteral("Unable to create the following Output File Folder."));
        QCOMPARE(AD->Msgs.value(2), tmp.path() + "/plain/sub");
    }

    void files()
    {
        QTemporaryDir tmp;
        const QString label = QStringLiteral("Data Source File");
        const QString file = tmp.path() + "/plan.xlsx";
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();

        QVERIFY(Utils::FileExists(label, file, true));
        QVERIFY(!Utils::FileExists(label, tmp.path(), false)); // a folder is no file
        QVERIFY(!Utils::FileExists(label, file + ".none", false));
        QVERIFY(!Utils::IsFileReadOnly(label, file));
        QVERIFY(!Utils::IsFileInUse(label, file));

        // Another office holding the workbook leaves its lock file beside it.
        QFile lock(tmp.path() + "/.~lock.plan.xlsx#");
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.close();
        QVERIFY(Utils::IsFileInUse(label, file));
        lock.remove();

        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadUser));
        QVERIFY(Utils::IsFileReadOnly(label, file));
        // Read-only is not in use: no other program is there to wait for.
        QVERIFY(!Utils::IsFileInUse(label, file));
        QVERIFY(Utils::IsFileReadOnly(label, file + ".none")); // no attributes to read
        QVERIFY(!Utils::IsFileInUse(label, file + ".none"));
        QVERIFY(prompter.requests.isEmpty());
    }

    // An office's lock file beside the workbook: held while an office with
    // the profile it names runs on the host it names; one left by a killed
    // office, or by no office running now, does not make the file open.
    void officeLockFiles_data()
    {
        QTest::addColumn<QString>("host");    // "" this host
        QTest::addColumn<QString>("profile"); // the lock's profile folder, under the test's folder
        QTest::addColumn<bool>("ownerRuns");  // an office process on that profile runs meanwhile
        QTest::addColumn<bool>("inUse");
        QTest::newRow("owner gone, another office runs") << "" << "gone-profile" << false << false;
        QTest::newRow("owner runs") << "" << "live-profile" << true << true;
        QTest::newRow("another host") << "elsewhere.example" << "gone-profile" << false << true;
    }
    void officeLockFiles()
    {
        QFETCH(QString, host);
        QFETCH(QString, profile);
        QFETCH(bool, ownerRuns);
        QFETCH(bool, inUse);
        QTemporaryDir tmp;
        const QString file = tmp.path() + "/out.xlsx";
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();
        char name[256] = {};
        QCOMPARE(::gethostname(name, sizeof name - 1), 0);
        const QString lockHost = host.isEmpty() ? QString::fromLocal8Bit(name) : host;
        const QString profileUrl = QUrl::fromLocalFile(tmp.path() + u'/' + profile).toString();
        QFile lock(tmp.path() + "/.~lock.out.xlsx#");
        QVERIFY(lock.open(QIODevice::WriteOnly));
        // As an office writes it: name, user, host, time, profile; commas in
        // a field escaped.
        lock.write(QStringLiteral(",Some\\, One,%1,10.12.2026 20:00,%2;").arg(lockHost, profileUrl).toUtf8());
        lock.close();
        // An office of this host, on the live profile, or on its own.
        QProcess office;
        const QString officeName = tmp.path() + "/soffice.bin";
        QVERIFY(QFile::link("/bin/sh", officeName));
        const QString runs = ownerRuns ? "live-profile" : "other-profile";
        // The shell waits in a builtin (its input is our open pipe), so no
        // child of it outlives the kill below.
        office.start(officeName, {"-c", "read never", "-env:UserInstallation="
                                      + QUrl::fromLocalFile(tmp.path() + u'/' + runs).toString()});
        QVERIFY(office.waitForStarted());
        // Started is not yet executed: until then the child carries this
        // program's command line, and no office would be seen.
        const auto executed = [&] {
            QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(office.processId()));
            return cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains("-env:UserInstallation=");
        };
        QTRY_VERIFY_WITH_TIMEOUT(executed(), 30000);
        auto end = qScopeGuard([&] {
            office.kill();
            office.waitForFinished();
        });
        QCOMPARE(Utils::IsFileInUse("Output File", file), inUse);
        end.dismiss();
        office.kill();
        office.waitForFinished();
        // Once its office has gone, a lock of this host is stale.
        QCOMPARE(Utils::IsFileInUse("Output File", file), host.isEmpty() ? false : true);
    }

    void fileTestFailureGoesToDialog()
    {
        const QString bad = QStringLiteral("/tmp/a") + QChar(0) + QStringLiteral("b");
        QVERIFY(!Utils::FileExists(QStringLiteral("Template File"), bad, false));
        QCOMPARE(prompter.requests.size(), 1);
        const StdDlg::Request& r = prompter.requests.first();
        QCOMPARE(r.msgId, QStringLiteral("U004"));
        QCOMPARE(r.level, int(StdDlg::Warning));
        QCOMPARE(r.lines.value(0), QStringLiteral("Unable to verify if the following Template File exists."));
        QCOMPARE(r.lines.value(2), bad);
        QVERIFY(r.lines.value(4).startsWith(QStringLiteral("Details: ")));
        QCOMPARE(r.buttons[2].caption, QStringLiteral("&Close"));
        QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrClose));
        QCOMPARE(r.buttons[2].glyph, int(StdDlg::glClose));
        QCOMPARE(r.buttons[2].hint, QStringLiteral("Close Dialogue."));

        QVERIFY(!Utils::DirExists(QStringLiteral("Folder"), bad));
        QCOMPARE(prompter.requests.last().msgId, QStringLiteral("U001"));
        QVERIFY(!Utils::IsFileReadOnly(QStringLiteral("File"), bad));
        QCOMPARE(prompter.requests.last().msgId, QStringLiteral("U006"));
    }

    void fatalErrorText()
    {
        const QString text = Utils::FatalErrorText(QStringLiteral("Unable to initialise Application Data."),
                                                   QStringLiteral("Details: boom"));
        QCOMPARE(text.split(QLatin1Char('\n')),
                 QStringList({QStringLiteral("Tarvo ZOL Lumo: An error has occurred."), QString(),
                              QStringLiteral(" Unable to initialise Application Data. "), QString(),
                              QStringLiteral(" Details: boom "), QString(),
                              QStringLiteral(" This is a fatal error. Unable to continue. ")}));
    }

    void showFatalErrorRunsShutdown()
    {
        QString shown;
        bool freed = false;
        Utils::SetFatalErrorPresenter([&](const QString& t) { shown = t; });
        Utils::SetFatalShutdown([&](bool freeSplash) { freed = freeSplash; });
        Splash::InitErrDetails = QStringLiteral("Details: x");
        Utils::ShowFatalError(QStringLiteral("Unable to initialise User Preferences."), true);
        QVERIFY(shown.contains(QStringLiteral(" Details: x ")));
        QVERIFY(freed);
        QVERIFY(Utils::Terminated());
    }
};

QTEST_GUILESS_MAIN(TestUtils)
#include "tst_utils.moc"
