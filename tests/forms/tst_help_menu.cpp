// The Help menu's documents: an existing one goes to the shell with its
// folder, a missing one gives its own message naming the full path, and one
// that no program on the desktop opens says so under the same message.
#include "HelpDocs.h"
#include "Shell.h"
#include "StdDlg.h"
#include "zyAD.h"
#include "zyUIL.h"

#include <QFile>
#include <QTextStream>
#include <QTemporaryDir>
#include <QtTest>

#include <tuple>

namespace {
struct RecordingShell : platform::IShell {
    QStringList files, folders;
    int open(const QString& file, const QString&, const QString& folder, int) override
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
        QVERIFY(!HelpDocs::Open(HelpDocs::Document(document)));
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
        QVERIFY(HelpDocs::Open(HelpDocs::Document(document)));
        QVERIFY(prompter.requests.isEmpty());
        QCOMPARE(shell.files, QStringList{file});
        QCOMPARE(shell.folders, QStringList{QFileInfo(file).absolutePath() + QLatin1Char('/')});
    }

    // The desktop's own opener (xdg-open found on PATH), not a stand-in shell.
    void desktopOpener_data()
    {
        QTest::addColumn<int>("document");
        QTest::addColumn<QString>("msgId");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("opener"); // the xdg-open script's body; empty: there is none
        QTest::addColumn<bool>("opened");
        const std::tuple<HelpDocs::Document, const char*, const char*> docs[] = {
            {HelpDocs::Tutorial, "MF013", "Tutorial"},
            {HelpDocs::UserManual, "MF012", "User Manual"},
            {HelpDocs::WhitePaper, "MF011", "White Paper"}};
        for (const auto& [doc, id, label] : docs) {
            QTest::addRow("%s, no opener", label) << int(doc) << id << label << QString() << false;
            // xdg-open's own answer when no program handles the file type.
            QTest::addRow("%s, no program for the type", label) << int(doc) << id << label << "exit 3" << false;
            QTest::addRow("%s, opened", label)
                << int(doc) << id << label << "printf '%s\\n' \"$1\" > \"${0%/*}/opened\"" << true;
        }
    }

    void desktopOpener()
    {
        QFETCH(int, document);
        QFETCH(QString, msgId);
        QFETCH(QString, label);
        QFETCH(QString, opener);
        QFETCH(bool, opened);
        const QString files[] = {AD->getTutorialFile(), AD->getUserManualFile(), AD->getWhitePaperFile()};
        const QString file = files[document];
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        QFile doc(file);
        QVERIFY(doc.open(QIODevice::WriteOnly));
        doc.close();

        QTemporaryDir bin; // the only folder on PATH
        QVERIFY(bin.isValid());
        if (!opener.isEmpty()) {
            QFile script(bin.filePath(QStringLiteral("xdg-open")));
            QVERIFY(script.open(QIODevice::WriteOnly));
            QTextStream(&script) << "#!/bin/sh\n" << opener << "\n";
            script.close();
            QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        platform::setShell(nullptr);
        const bool result = HelpDocs::Open(HelpDocs::Document(document));
        platform::setShell(&shell);
        qputenv("PATH", path);

        QCOMPARE(result, opened);
        if (opened) {
            QVERIFY(prompter.requests.isEmpty());
            QFile record(bin.filePath(QStringLiteral("opened")));
            QVERIFY(record.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromLocal8Bit(record.readAll()).trimmed(), file);
            return;
        }
        QCOMPARE(prompter.requests.size(), 1);
        const StdDlg::Request& r = prompter.requests.first();
        QCOMPARE(r.msgId, msgId);
        QCOMPARE(r.level, int(StdDlg::Warning));
        QCOMPARE(r.lines, (QStringList{QStringLiteral("Unable to open the following %1.").arg(label), QString(), file,
                                       QString(), QStringLiteral("No program to open it was found."), QString(),
                                       QStringLiteral("Please install the Debian package xdg-utils and a program "
                                                      "for this kind of file.")}));
        QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrClose));
    }
};

QTEST_GUILESS_MAIN(TestHelpMenu)
#include "tst_help_menu.moc"
