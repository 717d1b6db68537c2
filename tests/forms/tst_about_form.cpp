// The About form: its rows from the machine (the server row as the installed
// server names itself), the link against the other cells, what the link opens
// with and without the maker's web address, and its fit to its content and to
// the work area.
#include "FormsTestEnv.h"
#include "MachineKeys.h"
#include "ServerInfo.h"
#include "Shell.h"
#include "StdDlg.h"
#include "UF_About.h"
#include "zyGrid.h"
#include "zyOCP.h"
#include "zyXL.h"

#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

struct RecordingShell : platform::IShell {
    QStringList opened;
    int result = 42;
    QPointer<QObject> context;
    platform::OpenFailed failed;
    int open(const QString& file, const QString&, const QString&, int, QObject* ctx,
             platform::OpenFailed onFailure) override
    {
        opened << file;
        context = ctx;
        failed = std::move(onFailure);
        return result;
    }
    // The last opener, started, fails now.
    void failLate()
    {
        if (context && failed)
            failed(platform::OpenerFailure::NoProgram);
    }
};

// Answers every message and notes whether the About form was on screen then.
struct WatchingPrompter : StdDlg::IPrompter {
    QWidget* form = nullptr;
    QStringList ids;
    QList<QStringList> lines;
    QList<bool> formVisible;
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        ids << r.msgId;
        lines << r.lines;
        formVisible << (form && form->isVisible());
        return {StdDlg::mrClose, false};
    }
};

void click(QWidget* w, const QPoint& at)
{
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(t, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
}

QPoint cellCentre(TzyGrid* g, int col, int row)
{
    return g->GridToClient(g->CellRect(col, row)).toQRect().center();
}

} // namespace

class TestAboutForm : public QObject {
    Q_OBJECT
    platform::MachineKeyTable keys;
    RecordingShell shell;
    WatchingPrompter prompter;
    std::unique_ptr<TUF_About> about;

    QString value(int row) const { return about->Grid()->getCells(1, row); }

    // The form wholly on the work area, and its value column filling the grid.
    void verifyFitted(const QRect& wa)
    {
        const QRect outer = about->frameGeometry();
        QVERIFY2(wa.contains(outer), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(outer.x()).arg(outer.y())
                                                     .arg(outer.width()).arg(outer.height())));
        TzyGrid* g = about->Grid();
        QCOMPARE(g->getColWidths(1), g->width() - g->GutterWidth() - 4);
        QCOMPARE(about->ButtonPanel()->geometry().bottom(), about->height() - 1);
        QCOMPARE(about->CloseButton()->geometry().right(), about->ButtonPanel()->width() - 8 - 1);
    }

private slots:
    void initTestCase()
    {
        FormsTestEnv::Init();
        platform::setMachineKeys(&keys);
        platform::setShell(&shell);
        StdDlg::setPrompter(&prompter);
        XL = std::make_unique<TzyXL>();
        OCP = std::make_unique<TzyOCP>();
        about = std::make_unique<TUF_About>();
        prompter.form = about.get();
    }

    void cleanupTestCase()
    {
        about.reset();
        StdDlg::setPrompter(nullptr);
        platform::setShell(nullptr);
        platform::setMachineKeys(nullptr);
    }

    void init()
    {
        keys.clear();
        shell.opened.clear();
        shell.result = 42;
        prompter.ids.clear();
        prompter.lines.clear();
        TUF_About::SetWebAddress(QStringLiteral("https://kelvane.test/"));
        prompter.formVisible.clear();
        platform::setWorkArea(FormsTestEnv::kWorkArea);
        about->SetSources({[] { return XL->GetXLVersionName(); }, [] { return OCP->GetProductName(); }});
    }

    void rowsWithoutSpreadsheetServer()
    {
        about->Refresh();
        TzyGrid* g = about->Grid();
        QCOMPARE(g->RowCount(), 6);
        QCOMPARE(g->ColCount(), 1);
        const QStringList captions{" Application ", " Version ", " Spreadsheet Server ", " File Format Add-on ",
                                   " Legal Notice ", " Website "};
        for (int r = 1; r <= 6; ++r)
            QCOMPARE(g->getGutterCellText(r), captions[r - 1]);
        QCOMPARE(value(1), QStringLiteral(" Tarvo ZOL Lumo: Curvewright "));
        QCOMPARE(value(2), QLatin1Char(' ') + AD->getVersion() + QLatin1Char(' '));
        QCOMPARE(value(3), QStringLiteral(" Not Installed "));
        QCOMPARE(value(4), QStringLiteral(" None needed: *.xls and *.xlsx files open directly "));
        QVERIFY(value(5).contains(QStringLiteral("Kelvane")));
        QCOMPARE(value(6), QStringLiteral(" https://kelvane.test/ "));
        QCOMPARE(about->windowTitle(), QStringLiteral(" Tarvo ZOL Lumo: About "));
        // Only the site is drawn as a link.
        for (int r = 1; r <= 6; ++r) {
            QCOMPARE(g->getCellURL(1, r), r == about->WebsiteRow());
            QCOMPARE(g->getCellFontUnderline(1, r), r == about->WebsiteRow());
        }
        QCOMPARE(g->getCellFontColor(1, 6), QColor(0, 0, 255));
        QVERIFY(prompter.ids.isEmpty());
    }

    void rowsFollowTheMachineAtEveryOpening()
    {
        about->Refresh();
        QCOMPARE(value(3), QStringLiteral(" Not Installed "));
        keys.set(platform::RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QString(),
                 QStringLiteral("Excel.Application.11"));
        keys.set(platform::RootKey::ClassesRoot,
                 QStringLiteral("Installer\\Products\\00002109020090400000000000F01FEC"),
                 QStringLiteral("ProductName"), QStringLiteral("Compatibility Pack for the 2007 Office system"));
        about->Refresh();
        QVERIFY(value(3) != QStringLiteral(" Not Installed "));
        QVERIFY2(value(3).startsWith(QStringLiteral(" LibreOffice")), qPrintable(value(3)));
        QCOMPARE(value(4), QStringLiteral(" Compatibility Pack for the 2007 Office system "));
    }

    // With the machine as it is, the server row reads what the installed
    // server prints of itself: "LibreOffice 7.4.7.2 40(Build:2)" gives
    // "LibreOffice 7.4.7.2".
    void serverRowIsWhatTheInstalledServerSaysOfItself()
    {
        platform::setMachineKeys(nullptr);
        about->Refresh();
        const QString shown = value(3);
        platform::setMachineKeys(&keys);

        QTemporaryDir home; // the server may write a profile: never the user's
        QVERIFY(home.isValid());
        QProcess server;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
        server.setProcessEnvironment(env);
        server.start(platform::sofficePath(),
                     {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(home.filePath(QStringLiteral("profile"))).toString(),
                      QStringLiteral("--version")});
        QVERIFY2(server.waitForFinished(120000), qPrintable(platform::sofficePath()));
        const QStringList said = QString::fromLocal8Bit(server.readAllStandardOutput()).simplified().split(QLatin1Char(' '));
        QVERIFY2(said.size() >= 2, qPrintable(said.join(QLatin1Char(' '))));
        QCOMPARE(shown, QLatin1Char(' ') + said[0] + QLatin1Char(' ') + said[1] + QLatin1Char(' '));
    }

    // A reader's own message comes before the form is on screen, never
    // while it activates.
    void messagesOnlyBeforeTheFormShows()
    {
        keys.set(platform::RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QString(),
                 QStringLiteral("!error"));
        QTimer::singleShot(0, about.get(), [this] { about->CloseButton()->click(); });
        QCOMPARE(about->Execute(), 11);
        QVERIFY(!prompter.ids.isEmpty());
        QVERIFY(prompter.ids.contains(QStringLiteral("XL002")));
        QVERIFY(!prompter.formVisible.contains(true));
    }

    void longValueWidensUpToTheWorkArea()
    {
        about->Refresh();
        const int normalWidth = about->width();

        const QString longName = QStringLiteral("Compatibility Pack ") + QString(60, QLatin1Char('W'));
        about->SetSources({{}, [longName] { return longName; }});
        about->Refresh();
        QVERIFY(about->width() > normalWidth);
        QVERIFY(about->Grid()->getColWidths(1)
                >= about->Grid()->CalcTextWidth(QLatin1Char(' ') + longName + QLatin1Char(' '), 1, 4));
        verifyFitted(FormsTestEnv::kWorkArea);

        const QString tooLong = QString(400, QLatin1Char('W'));
        about->SetSources({{}, [tooLong] { return tooLong; }});
        about->Refresh();
        QCOMPARE(about->frameGeometry().width(), FormsTestEnv::kWorkArea.width());
        verifyFitted(FormsTestEnv::kWorkArea);
    }

    void fitsASmallWorkArea()
    {
        const QRect small(40, 30, 320, 120);
        platform::setWorkArea(small);
        about->Refresh();
        QVERIFY(about->MinClientSize().height() > small.height());
        QCOMPARE(about->frameGeometry().height(), small.height());
        verifyFitted(small);

        platform::setWorkArea(FormsTestEnv::kWorkArea);
        about->CentreOnScreen();
        QCOMPARE(about->size(), about->MinClientSize());
        const QRect outer = about->frameGeometry();
        QVERIFY(qAbs(outer.center().x() - FormsTestEnv::kWorkArea.center().x()) <= 1);
        QVERIFY(qAbs(outer.center().y() - FormsTestEnv::kWorkArea.center().y()) <= 1);
    }

    void onlyTheSiteAndTheLogoOpenTheSite()
    {
        about->Refresh();
        about->show();
        QVERIFY(QTest::qWaitForWindowExposed(about.get()));
        TzyGrid* g = about->Grid();
        for (int r = 1; r <= 6; ++r) {
            if (r != about->WebsiteRow())
                click(g->viewport(), cellCentre(g, 1, r));
            click(g->viewport(), QPoint(g->GutterWidth() / 2, cellCentre(g, 1, r).y())); // the caption
        }
        QVERIFY(shell.opened.isEmpty());

        click(g->viewport(), cellCentre(g, 1, about->WebsiteRow()));
        QCOMPARE(shell.opened, QStringList{QStringLiteral("https://kelvane.test/")});

        click(about->Logo(), about->Logo()->rect().center());
        QCOMPARE(shell.opened.size(), 2);
        QCOMPARE(shell.opened.last(), TUF_About::WebAddress());
        about->CloseButton()->click();
        QVERIFY(!about->isVisible());
    }

    // A build without the maker's web address shows and opens the program's
    // own User Manual, never some placeholder site.
    void withoutWebAddressTheLinksOpenTheUserManual()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString manual = dir.filePath(AD->UserManualFileName);
        QFile f(manual);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const QString before = AD->UserManualFile;
        AD->UserManualFile = manual;
        TUF_About::SetWebAddress(QString());

        about->Refresh();
        about->show();
        QVERIFY(QTest::qWaitForWindowExposed(about.get()));
        QCOMPARE(value(about->WebsiteRow()), QStringLiteral(" Tarvo ZOL Lumo User Manual "));
        QCOMPARE(about->Logo()->toolTip(), QStringLiteral("Open the Tarvo ZOL Lumo User Manual."));
        TzyGrid* g = about->Grid();
        click(g->viewport(), cellCentre(g, 1, about->WebsiteRow()));
        click(about->Logo(), about->Logo()->rect().center());
        QCOMPARE(shell.opened, (QStringList{manual, manual}));
        QVERIFY(prompter.ids.isEmpty());
        about->CloseButton()->click();
        AD->UserManualFile = before;
    }

    // No program to open the site: the user is told, the address named,
    // whether the opener says so at once or fails after it started.
    void noOpenerForTheSiteIsReported_data()
    {
        QTest::addColumn<bool>("late");
        QTest::newRow("at once") << false;
        QTest::newRow("after it started") << true;
    }
    void noOpenerForTheSiteIsReported()
    {
        QFETCH(bool, late);
        shell.result = late ? 42 : platform::kShellNoOpener;
        about->Refresh();
        about->show();
        QVERIFY(QTest::qWaitForWindowExposed(about.get()));
        click(about->Logo(), about->Logo()->rect().center());
        QCOMPARE(shell.opened, QStringList{QStringLiteral("https://kelvane.test/")});
        if (late) {
            QVERIFY(prompter.lines.isEmpty());
            shell.failLate();
        }
        QCOMPARE(prompter.lines.size(), 1);
        QCOMPARE(prompter.lines[0], (QStringList{QStringLiteral("Unable to open the following Website."), QString(),
                                                 QStringLiteral("https://kelvane.test/"), QString(),
                                                 QStringLiteral("No program to open it was found."), QString(),
                                                 QStringLiteral("Please install the Debian package xdg-utils and a "
                                                                "program for this kind of file.")}));
        about->CloseButton()->click();
    }

    void escapeAndCloseBoxGiveClose()
    {
        about->Refresh();
        QTimer::singleShot(0, about.get(), [this] { QTest::keyClick(about.get(), Qt::Key_Escape); });
        QCOMPARE(about->Execute(), 11);
        QTimer::singleShot(0, about.get(), [this] { about->close(); });
        QCOMPARE(about->Execute(), 11);
    }

    void logo()
    {
        about->Refresh();
        QVERIFY(!about->Logo()->pixmap().isNull());
        QVERIFY(about->ButtonPanel()->height() >= about->Logo()->height() + 4);
        QCOMPARE(about->Logo()->toolTip(), QStringLiteral("Open the Kelvane Website."));
    }
};

QTEST_MAIN(TestAboutForm)
#include "tst_about_form.moc"
