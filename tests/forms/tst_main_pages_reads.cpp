// The map and filter pages reading the task worksheet through the real
// browse commands and the engine, on the in-memory spreadsheet server:
// Update Task Field Descriptions fills the descriptions from the header
// row; a workbook that cannot be opened shows its message, leaves the caches
// and the grid as they were, the main form usable and no server running.
#include "forms_testkit.h"

#include "BrowseCommands.h"
#include "UF_Main.h"
#include "UF_MainFilter.h"
#include "UF_MainMap.h"
#include "UF_BrowseVal.h"
#include "zyGrid.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using ftk::active;

class TstMainPagesReads : public QObject {
    Q_OBJECT
    std::unique_ptr<ftk::Globals> g;
    QTemporaryDir tmp;
    QString file;

    FakeOffice& office() { return *g->office; }

    // The main form over a definition whose task worksheet is Tasks with its
    // header in row 1, on `page`.
    std::unique_ptr<TUF_Main> form(int page)
    {
        auto f = std::make_unique<TUF_Main>();
        active().SCF.SetDataSourceFile(file);
        active().SCF.SetTaskWS(QStringLiteral("Tasks"));
        active().SCF.SetTaskHeaderRow(1);
        f->LoadPage0();
        f->GoToPage(page);
        g->dlg.seen.clear();
        office().calls.clear();
        return f;
    }

private slots:
    void initTestCase()
    {
        g = std::make_unique<ftk::Globals>();
        file = tmp.path() + "/plan.xlsx";
        QVERIFY(ftk::StandInWorkbook(file));
        BrowseCommands::CreateBrowseForms();
    }
    void cleanupTestCase()
    {
        BrowseCommands::FreeBrowseForms();
        g.reset();
    }
    void init()
    {
        office().clearFailures();
        office().files.clear();
        FakeWorkbook& wb = office().addWorkbook(file);
        FakeSheet& ws = wb.addSheet(QStringLiteral("Tasks"));
        ws.text("A1", "Task").text("B1", "Area").text("C1", "Man\nHours");
        ws.column("B", 2, {"North", "South", "north"});
        g->dlg.answers.clear();
    }

    void mapDescriptionsFromTheHeaderRow()
    {
        auto f = form(2);
        TzyGrid* grid = f->Map->SG_DSM;
        grid->setCells(1, 1, QStringLiteral("c"));
        grid->setCells(1, 5, QStringLiteral("A"));
        grid->setCells(1, 6, QStringLiteral("Q"));
        g->dlg.answers << StdDlg::Answer{StdDlg::mrYes, false};
        f->Map->BBtn_DSM_UpdateTaskFldDescClick();
        QCOMPARE(g->dlg.ids(), (QStringList{"MF005", "MF006"}));
        QCOMPARE(grid->getCells(2, 1), QStringLiteral("Man Hours"));
        QCOMPARE(grid->getCells(2, 5), QStringLiteral("Task"));
        QCOMPARE(grid->getCells(2, 6), QString());
        QCOMPARE(g->dlg.seen.last().lines.first(), QStringLiteral("Task Field Descriptions Updated: 2"));
        QVERIFY(active().getFL_Loaded());
        QVERIFY(!office().running);
        QVERIFY(f->isEnabled());
        QVERIFY(!f->Busy);
    }

    void unreadableWorkbookLeavesEverything()
    {
        auto f = form(2);
        TzyGrid* grid = f->Map->SG_DSM;
        grid->setCells(1, 1, QStringLiteral("A"));
        grid->setCells(2, 1, QStringLiteral("kept"));
        office().fail(QStringLiteral("openWorkbook"), XLErrorKind::Other, QStringLiteral("General input/output error."));
        g->dlg.answers << StdDlg::Answer{StdDlg::mrYes, false};
        f->Map->BBtn_DSM_UpdateTaskFldDescClick();
        QCOMPARE(g->dlg.ids().first(), QStringLiteral("MF005"));
        QCOMPARE(g->dlg.ids().size(), 2); // the extraction's own message, no report after it
        QVERIFY(g->dlg.ids().last().startsWith(QStringLiteral("UP")));
        QCOMPARE(grid->getCells(2, 1), QStringLiteral("kept"));
        QVERIFY(!active().getFL_Loaded());
        QVERIFY(!office().running);
        QVERIFY(f->isEnabled());
        QVERIFY(!f->Busy);
    }

    // The value browse of the filter on a workbook that cannot be read: its
    // message only, no value reaches the row, the task field list stays.
    void filterValuesOfAnUnreadableWorkbook()
    {
        active().DSF.SetEnabled(true);
        auto f = form(3);
        active().setFL_Count(1);
        active().setFL_TaskFld(1, QStringLiteral("B"));
        active().setFL_Loaded(true);
        TzyGrid* grid = f->Filter->SG_DSF;
        grid->MoveToCell(2, 1);
        grid->InternalSetCell(2, 1, QStringLiteral("B"), true);
        grid->MoveToCell(5, 1);
        office().fail(QStringLiteral("openWorkbook"), XLErrorKind::Other, QStringLiteral("General input/output error."));
        f->Filter->BBtn_DSF_TaskFldValue_BrowseClick();
        QCOMPARE(g->dlg.ids(), QStringList{"UP025"});
        // The engine drops the value lists of a failed read; none is loaded.
        for (int i = 1; i <= active().getVL_Count(); ++i)
            QVERIFY(!active().getVL_Loaded(i));
        QVERIFY(active().getFL_Loaded());
        QCOMPARE(grid->getCells(5, 1), QString());
        QVERIFY(!office().running);
        QVERIFY(f->isEnabled());
        QVERIFY(!f->Busy);
        // Readable again: the values come, the chosen one reaches the row.
        office().clearFailures();
        ftk::whenShown([] {
            UF_BrowseVal->SelectRow(0);
            UF_BrowseVal->SelectButton()->click();
        });
        f->Filter->BBtn_DSF_TaskFldValue_BrowseClick();
        QCOMPARE(active().getVL_Count(), 1);
        QVERIFY(active().getVL_Loaded(1));
        QVERIFY(!grid->getCells(5, 1).isEmpty());
        QVERIFY(!office().running);
    }
};

QTEST_MAIN(TstMainPagesReads)
#include "tst_main_pages_reads.moc"
