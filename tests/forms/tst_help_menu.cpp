// The Help menu's documents: an existing one goes to the shell with its
// folder, a missing one gives its own message naming the full path, and one
// the desktop does not open says so under the same message, naming the file
// and the cause, at once or when the desktop's opener fails, however late.
#include "HelpDocs.h"
#include "Shell.h"
#include "StandInOpener.h"
#include "StdDlg.h"
#include "zyAD.h"
#include "zyUIL.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <tuple>

namespace {
struct RecordingShell : platform::IShell {
    QStringList files, folders;
    int open(const QString& file, const QString&, const QString& folder, int, QObject*, platform::OpenFailed) override
    {
        files << file;
        folders << folder;
        return 42;
    }
};

struct RecordingPrompter : StdDlg::IPrompter {
    QList<StdDlg::Request> requests;
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        requests << r;
        return {StdDlg::mrClose, false};
    }
};
} // namespace

class TestHelpMenu : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    RecordingShell shell;
    RecordingPrompter prompter;

private slots:
    void initTestCase()
    {
        InitUILs();
        AD = std::make_unique<TzyAD>();
        platform::setShell(&shell);
        StdDlg::setPrompter(&prompter);
        // The documents of a program folder of the test's own.
        const QString app = dir.path() + QLatin1Char('/');
        AD->TutorialFile = app + QStringLiteral("Tutorial/") + AD->TutorialFileName;
        AD->UserManualFile = app + QStringLiteral("User_Manual/") + AD->UserManualFileName;
        AD->WhitePaperFile = app + QStringLiteral("White_Paper/") + AD->WhitePaperFileName;
    }

    void cleanupTestCase()
    {
        platform::setShell(nullptr);
        StdDlg::setPrompter(nullptr);
    }

    void init()
    {
        shell.files.clear();
        shell.folders.clear();
        prompter.requests.clear();
    }

    void document_data()
    {
        QTest::addColumn<int>("document");
        QTest::addColumn<QString>("msgId");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("tutorial") << int(HelpDocs::Tutorial) << QStringLiteral("MF013")
                                  << QStringLiteral("Unable to find the following Tarvo ZOL Lumo Tutorial File.");
        QTest::newRow("user manual") << int(HelpDocs::UserManual) << QStringLiteral("MF012")
                                     << QStringLiteral("Unable to find the following Tarvo ZOL Lumo User Manual File.");
        QTest::newRow("white paper") << int(HelpDocs::WhitePaper) << QStringLiteral("MF011")
                                     << QStringLiteral("Unable to find the following White Paper PDF File.");
    }

    void document()
    {
        QFETCH(int, document);
        QFETCH(QString, msgId);
        QFETCH(QString, firstLine);
        const QString files[] = {AD->getTutorialFile(), AD->getUserManualFile(), AD->getWhitePaperFile()};
        const QString file = files[document];

        // Missing: the message, the path in full, no shell.
        QVERIFY(!HelpDocs::Open(HelpDocs::Document(document), this));
        QCOMPARE(prompter.requests.size(), 1);
        const StdDlg::Request& r = prompter.requests.first();
        QCOMPARE(r.msgId, msgId);
        QCOMPARE(r.level, int(StdDlg::Warning));
        QCOMPARE(r.lines.size(), 7);
        QCOMPARE(r.lines[0], firstLine);
        QCOMPARE(r.lines[2], file);
        QCOMPARE(r.lines[4], QStringLiteral("It may have been deleted, moved, renamed, or is no longer accessible."));
        QCOMPARE(r.lines[6], QStringLiteral("Please re-install Tarvo ZOL Lumo to resolve this issue."));
        QVERIFY(r.buttons[2].visible);
        QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrClose));
        QVERIFY(shell.files.isEmpty());

        // Present: to the shell with its folder, no message.
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        prompter.requests.clear();
        QVERIFY(HelpDocs::Open(HelpDocs::Document(document), this));
        QVERIFY(prompter.requests.isEmpty());
        QCOMPARE(shell.files, QStringList{file});
        QCOMPARE(shell.folders, QStringList{QFileInfo(file).absolutePath() + QLatin1Char('/')});
    }

    // The desktop's own opener, a stand-in xdg-open on PATH: it is never
    // waited for. No opener is said at once; one that fails or is killed,
    // however late, says so when it ends, with the cause its exit code
    // gives; one that ends well says nothing. The advice to install a
    // program goes only with no opener or no program for the file.
    void desktopOpener_data()
    {
        QTest::addColumn<int>("document");
        QTest::addColumn<QString>("msgId");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("opener"); // the xdg-open script's body; empty: there is none
        QTest::addColumn<bool>("started");   // what Open returns
        QTest::addColumn<QStringList>("cause"); // the lines after the file's; empty: nothing is said
        const std::tuple<HelpDocs::Document, const char*, const char*> docs[] = {
            {HelpDocs::Tutorial, "MF013", "Tutorial"},
            {HelpDocs::UserManual, "MF012", "User Manual"},
            {HelpDocs::WhitePaper, "MF011", "White Paper"}};
        const QStringList noProgram{QStringLiteral("No program to open it was found."), QString(),
                                    QStringLiteral("Please install the Debian package xdg-utils and a program "
                                                   "for this kind of file.")};
        const QStringList programFailed{QStringLiteral("The program for this kind of file could not open it.")};
        const QStringList fileGone{
            QStringLiteral("It may have been deleted, moved, renamed, or is no longer accessible.")};
        const QStringList openerFailed{QStringLiteral("The desktop's opener, xdg-open, failed.")};
        const QString record = QStringLiteral("printf '%s\\n' \"$1\" > \"${0%/*}/opened\"");
        for (const auto& [doc, id, label] : docs) {
            QTest::addRow("%s, no opener", label) << int(doc) << id << label << QString() << false << noProgram;
            // xdg-open's own answer when no program handles the file type.
            QTest::addRow("%s, no program for the type", label)
                << int(doc) << id << label << "exit 3" << true << noProgram;
            QTest::addRow("%s, opened", label) << int(doc) << id << label << record << true << QStringList();
        }
        // xdg-open's other exit codes.
        QTest::newRow("a call it did not take")
            << int(HelpDocs::UserManual) << "MF012" << "User Manual" << "exit 1" << true << openerFailed;
        QTest::newRow("the file gone")
            << int(HelpDocs::WhitePaper) << "MF011" << "White Paper" << "exit 2" << true << fileGone;
        QTest::newRow("the program failed")
            << int(HelpDocs::Tutorial) << "MF013" << "Tutorial" << "exit 4" << true << programFailed;
        QTest::newRow("fails after a while")
            << int(HelpDocs::Tutorial) << "MF013" << "Tutorial" << "sleep 1.5; exit 4" << true << programFailed;
        QTest::newRow("killed") << int(HelpDocs::UserManual) << "MF012" << "User Manual" << "sleep 0.3; kill -KILL $$"
                                << true << openerFailed;
        QTest::newRow("opened after a while") << int(HelpDocs::WhitePaper) << "MF011" << "White Paper"
                                              << "sleep 0.3; " + record << true << QStringList();
    }

    void desktopOpener()
    {
        QFETCH(int, document);
        QFETCH(QString, msgId);
        QFETCH(QString, label);
        QFETCH(QString, opener);
        QFETCH(bool, started);
        QFETCH(QStringList, cause);
        const QString file = makeDocument(document);

        StandInOpener standIn(opener, opener.isEmpty()); // none: none on PATH either
        QVERIFY(standIn.isValid());
        QObject window;
        platform::setShell(nullptr);
        const bool result = HelpDocs::Open(HelpDocs::Document(document), &window);
        platform::setShell(&shell);
        QCOMPARE(result, started);
        if (started)
            QVERIFY(prompter.requests.isEmpty()); // the opener's end is never waited for
        QVERIFY(settle());

        if (cause.isEmpty()) {
            QVERIFY(prompter.requests.isEmpty());
            QFile record(standIn.filePath(QStringLiteral("opened")));
            QVERIFY(record.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromLocal8Bit(record.readAll()).trimmed(), file);
            return;
        }
        QCOMPARE(prompter.requests.size(), 1);
        const StdDlg::Request& r = prompter.requests.first();
        QCOMPARE(r.msgId, msgId);
        QCOMPARE(r.level, int(StdDlg::Warning));
        QCOMPARE(r.lines,
                 (QStringList{QStringLiteral("Unable to open the following %1.").arg(label), QString(), file, QString()}
                  + cause));
        QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrClose));
    }

    // A window gone before its opener fails is told nothing.
    void windowGoneBeforeTheOpenerFails()
    {
        const QString file = makeDocument(HelpDocs::Tutorial);
        StandInOpener standIn(QStringLiteral("sleep 0.5; exit 4"));
        QVERIFY(standIn.isValid());
        auto window = std::make_unique<QObject>();
        platform::setShell(nullptr);
        QVERIFY(HelpDocs::Open(HelpDocs::Tutorial, window.get()));
        platform::setShell(&shell);
        window.reset();
        QVERIFY(settle());
        QVERIFY(prompter.requests.isEmpty());
    }

    // Quitting the program leaves a running opener (and the viewer it may be
    // waiting for) running, and quits cleanly.
    void quittingLeavesTheOpenerRunning()
    {
        const QString file = makeDocument(HelpDocs::WhitePaper);
        // Waits for the test's word (30 s at most), then leaves a mark.
        StandInOpener standIn(QStringLiteral("i=0\n"
                                             "while [ ! -e \"${0%/*}/go\" ] && [ $i -lt 600 ]; do\n"
                                             "    sleep 0.05; i=$((i + 1))\n"
                                             "done\n"
                                             ": > \"${0%/*}/survived\""));
        QVERIFY(standIn.isValid());
        QProcess program;
        program.setStandardOutputFile(QProcess::nullDevice());
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/shell_open_quit"), {file});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(!QFile::exists(standIn.filePath(QStringLiteral("survived"))));
        QFile go(standIn.filePath(QStringLiteral("go")));
        QVERIFY(go.open(QIODevice::WriteOnly));
        go.close();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(standIn.filePath(QStringLiteral("survived"))), 30000);
    }

private:
    // The document's file, made empty where the application data says.
    QString makeDocument(int document)
    {
        const QString files[] = {AD->getTutorialFile(), AD->getUserManualFile(), AD->getWhitePaperFile()};
        const QString file = files[document];
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile doc(file);
        if (doc.open(QIODevice::WriteOnly))
            doc.close();
        return file;
    }

    // Every opener started has ended and what it had to say is said.
    [[nodiscard]] static bool settle()
    {
        if (!QTest::qWaitFor([] { return platform::runningOpeners() == 0; }, 30000))
            return false;
        QCoreApplication::sendPostedEvents();
        return true;
    }
};

QTEST_GUILESS_MAIN(TestHelpMenu)
#include "tst_help_menu.moc"
