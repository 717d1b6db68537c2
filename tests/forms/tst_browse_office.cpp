// The three browse commands against a real, private, headless LibreOffice
// on the program's sample workbook: its worksheets, the task fields of
// worksheet "Tasks" (header row 1) and the distinct values of one field;
// no office process is left behind.
#include "forms_testkit.h"

#include "BrowseCommands.h"
#include "CommittedFixtures.h"
#include "LoBackend.h"
#include "LoOffice.h"
#include "WorkbookMaker.h"
#include "UF_BrowseFld.h"
#include "UF_BrowseVal.h"
#include "UF_BrowseWS.h"

#include <QFile>
#include <QPushButton>
#include <QTreeView>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace BrowseCommands;
using ftk::active;

namespace {
bool Alive(pid_t pid)
{
    return pid > 0 && ::kill(pid, 0) == 0;
}
} // namespace

class TstBrowseOffice : public QObject {
    Q_OBJECT
    std::unique_ptr<ftk::Globals> g;
    QTemporaryDir tmp;
    QString sample;
    QList<pid_t> servers;

    void noteServer()
    {
        if (auto* b = dynamic_cast<lo::Backend*>(XL ? XL->Backend() : nullptr))
            if (b->serverPid() > 0 && !servers.contains(b->serverPid()))
                servers << b->serverPid();
    }
    // Runs `action` once `dlg` shows (the office's calls run events while
    // the workbook is read, so a plain timer could fire before).
    static void whenVisible(TUF_Browse* dlg, std::function<void()> action)
    {
        QTimer::singleShot(10, [dlg, action] {
            if (dlg->isVisible())
                action();
            else
                whenVisible(dlg, action);
        });
    }
    // Selects the row whose cell in column `col` reads `text` once the
    // dialog shows.
    void selectWhenShown(TUF_Browse* dlg, int col, const QString& text)
    {
        whenVisible(dlg, [dlg, col, text] {
            auto* m = dlg->List()->model();
            for (int r = 0; r < m->rowCount(); ++r)
                if (m->index(r, col).data().toString().trimmed() == text)
                    dlg->SelectRow(r);
            dlg->SelectButton()->click();
        });
    }

private slots:
    void initTestCase()
    {
        std::signal(SIGPIPE, SIG_IGN);
        g = std::make_unique<ftk::Globals>();
        lo::installBackendFactory(lo::BackendOptions{QString(), tmp.path() + "/profile", 90000, 15000, std::nullopt});
        XL = std::make_unique<TzyXL>();
        sample = qEnvironmentVariable("ZOL_PROGRAM_DIR") + "/Samples/Tarvo_ZOL_Lumo_Sample.xlsx";
        QVERIFY2(QFile::exists(sample), qPrintable(sample));
        pfx::MakeDefinition({sample, QString(), QString()}, pfx::Options{});
        g->progress.onStep = [this](int, const QString&) { noteServer(); };
        CreateBrowseForms();
    }
    void cleanupTestCase()
    {
        FreeBrowseForms();
        XL.reset();
        g.reset();
        for (pid_t pid : servers)
            QVERIFY2(!Alive(pid), qPrintable(QStringLiteral("office %1 left running").arg(pid)));
    }

    void browseTheSample()
    {
        selectWhenShown(UF_BrowseWS, 1, QStringLiteral("Tasks"));
        const WorksheetChoice ws = BrowseWorksheet(UIT(600), sample, QString(), UIT(603), 1, 1, QString(), {});
        QVERIFY2(ws.result == 1, qPrintable(g->dlg.ids().join(',')));
        QCOMPARE(ws.ws, QStringLiteral("Tasks"));
        QVERIFY(active().getWSL_Count(1) >= 1);

        active().SCF.SetTaskWS(ws.ws);
        active().SCF.SetTaskHeaderRow(1);
        selectWhenShown(UF_BrowseFld, 1, QStringLiteral("C"));
        const FieldChoice f = BrowseTaskField(ActiveTaskSource(), QString(), UIT(177), 2, QStringLiteral("X"), {});
        QVERIFY2(f.result == 1, qPrintable(g->dlg.ids().join(',')));
        QCOMPARE(f.taskFld, QStringLiteral("C"));
        QVERIFY(!f.desc.isEmpty());
        QVERIFY(active().getFL_Count() >= 13); // the sample's columns A..M at least

        // The value browse of that column: distinct values with counts that
        // add up to the tasks read.
        QString first;
        whenVisible(UF_BrowseVal, [&] {
            first = UF_BrowseVal->List()->model()->index(0, 1).data().toString().trimmed();
            UF_BrowseVal->SelectRow(0);
            UF_BrowseVal->SelectButton()->click();
        });
        const ValueChoice v = BrowseTaskFieldValue(ActiveTaskSource(), f.taskFld, QStringLiteral("ID [1] Task Field"),
                                                   QString(), {});
        QVERIFY2(v.result == 1, qPrintable(g->dlg.ids().join(',')));
        QCOMPARE(v.value, first);
        const int vl = ValueListFor(f.taskFld);
        int sum = 0;
        for (int i = 1; i <= active().getVL_TaskFldValCount(vl); ++i)
            sum += active().getVL_TaskFldValTaskCount(vl, i);
        QCOMPARE(sum, active().getVL_Total());
        QVERIFY(g->dlg.seen.isEmpty());
        QVERIFY(!servers.isEmpty());
    }

    // A corrupt workbook gives the extraction's failure message; the caches
    // read before stay.
    void corruptWorkbook()
    {
        const QString corrupt = tmp.path() + "/corrupt.xlsx";
        QFile c(corrupt);
        QVERIFY(c.open(QIODevice::WriteOnly));
        c.write(QByteArray("PK\x03\x04 this is not a workbook").repeated(50));
        c.close();
        g->dlg.seen.clear();
        const bool fieldsLoaded = active().getFL_Loaded();
        const WorksheetChoice ws = BrowseWorksheet(UIT(605), corrupt, QString(), UIT(608), 2, 2, QString(), {});
        QCOMPARE(ws.result, 0);
        QCOMPARE(g->dlg.ids(), QStringList{"UP017"});
        QVERIFY(!active().getWSL_Loaded(2));
        QVERIFY(active().getWSL_Loaded(1));
        QCOMPARE(active().getFL_Loaded(), fieldsLoaded);
    }

    // A workbook with an open password, either format, browsed as the
    // Template File: a wrong or missing password gives the failure message
    // with its true cause and leaves the list unread; the right one reads it.
    void passwordProtectedWorkbook_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("details"); // empty: the list is read
        const QString wrong = QStringLiteral("Details: The password is not correct.");
        const QString none = QStringLiteral("Details: '%1' is protected by a password.");
        for (const char* format : {"xls", "xlsx"}) {
            QTest::addRow("%s wrong password", format) << format << "wrong" << wrong;
            QTest::addRow("%s no password", format) << format << "" << none.arg(secretPath(format));
            QTest::addRow("%s right password", format) << format << "geheim" << "";
        }
    }
    void passwordProtectedWorkbook()
    {
        QFETCH(QString, format);
        QFETCH(QString, password);
        QFETCH(QString, details);
        const QString secret = secretWorkbook(format);
        QVERIFY(QFile::exists(secret));
        active().ResetWSL(2);
        g->dlg.seen.clear();
        if (details.isEmpty())
            whenVisible(UF_BrowseWS, [] { UF_BrowseWS->SelectButton()->click(); });
        const WorksheetChoice ws = BrowseWorksheet(UIT(605), secret, password, UIT(608), 2, 2, QString(), {});
        if (details.isEmpty()) {
            QVERIFY2(ws.result == 1, qPrintable(g->dlg.ids().join(',')));
            QVERIFY(!ws.ws.isEmpty());
            QVERIFY(pfx::WorksheetList(2).contains(QStringLiteral("Tasks")));
            QVERIFY(g->dlg.seen.isEmpty());
            return;
        }
        QCOMPARE(ws.result, 0);
        QCOMPARE(g->dlg.ids(), QStringList{"UP017"});
        const QStringList lines = g->dlg.seen.last().lines;
        QVERIFY2(lines.contains(details), qPrintable(lines.join(u'|')));
        QVERIFY(!active().getWSL_Loaded(2));
    }

private:
    QString secretPath(const QString& format) const { return tmp.path() + "/secret." + format; }
    // The encrypted workbooks, password "geheim": the .xls made by the
    // office, the .xlsx (which the office cannot write) committed.
    QString secretWorkbook(const QString& format)
    {
        const QString path = secretPath(format);
        if (QFile::exists(path))
            return path;
        if (format == QLatin1String("xlsx")) {
            QFile::copy(fixtures::Committed("secret.xlsx"), path);
            return path;
        }
        lo::Backend maker(lo::BackendOptions{QString(), tmp.path() + "/maker-profile", 90000, 15000, std::nullopt});
        maker.start();
        tmpl::ScheduleSpec spec;
        spec.tasks = 5;
        spec.password = QStringLiteral("geheim");
        tmpl::MakeSchedule(maker.server()->desktop(), path, spec);
        maker.quit();
        return path;
    }
};

QTEST_MAIN(TstBrowseOffice)
#include "tst_browse_office.moc"
