// The browse commands' road on the in-memory spreadsheet server: the checks
// before a workbook is read, the extraction with the main form busy, the
// dialog loop with Select, Cancel and Refresh, an empty workbook ("UP015"),
// and a workbook that cannot be read: its message, the caches as they were
// and no server left running.
#include "forms_testkit.h"

#include "BrowseCommands.h"
#include "UF_BrowseFld.h"
#include "UF_BrowseVal.h"
#include "UF_BrowseWS.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using namespace BrowseCommands;
using ftk::active;
using ftk::whenShown;

class TstBrowseCommands : public QObject {
    Q_OBJECT
    std::unique_ptr<ftk::Globals> g;
    QTemporaryDir tmp;
    QString file;
    QList<bool> busy;
    QStringList actions; // what the dialogs are told to do, in order of showing

    FakeOffice& office() { return *g->office; }

    void reset()
    {
        pfx::MakeDefinition({file, QString(), QString()}, pfx::Options{});
        g->dlg.seen.clear();
        g->dlg.answers.clear();
        office().calls.clear();
        office().clearFailures();
        office().files.clear();
        FakeWorkbook& wb = office().addWorkbook(file);
        wb.addSheet(QStringLiteral("Summary"));
        FakeSheet& ws = wb.addSheet(QStringLiteral("Tasks"));
        ws.text("A1", "Task").text("B1", "Area").text("C1", "Hours");
        ws.column("B", 2, {"North", "South", "north", "East"});
        ws.column("A", 2, {"Dig", "Pour", "Cure", "Clean"});
        busy.clear();
        actions.clear();
    }
    // Answers each showing of `dlg` with the next action.
    void drive(TUF_Browse* dlg, QStringList todo)
    {
        actions = todo;
        const auto step = std::make_shared<std::function<void()>>();
        *step = [this, dlg, step] {
            if (!dlg->isVisible()) {
                QTimer::singleShot(0, *step);
                return;
            }
            const QString a = actions.takeFirst();
            if (a == "refresh")
                dlg->RefreshButton()->click();
            else if (a == "cancel")
                dlg->CancelButton()->click();
            else {
                dlg->SelectRow(a.toInt());
                dlg->SelectButton()->click();
            }
            if (!actions.isEmpty())
                QTimer::singleShot(0, *step);
        };
        QTimer::singleShot(0, *step);
    }

private slots:
    void initTestCase()
    {
        g = std::make_unique<ftk::Globals>();
        file = tmp.path() + "/plan.xlsx";
        QVERIFY(ftk::StandInWorkbook(file));
        CreateBrowseForms();
        SetBusyHook([this](bool b) { busy << b; });
    }
    void cleanupTestCase()
    {
        SetBusyHook({});
        FreeBrowseForms();
        g.reset();
    }
    void init() { reset(); }

    void worksheetSelect()
    {
        drive(UF_BrowseWS, {"1"});
        const WorksheetChoice c = BrowseWorksheet(UIT(600), file, QString(), UIT(603), 1, 1, "summary", {});
        QCOMPARE(c.result, 1);
        QCOMPARE(c.ws, QStringLiteral("Tasks"));
        QCOMPARE(busy, (QList<bool>{true, false}));
        QVERIFY(active().getWSL_Loaded(1));
        QVERIFY(!office().running);
        QVERIFY(g->dlg.seen.isEmpty());
    }

    // Refresh reads the names again; a loaded list is not read at all.
    void worksheetRefreshThenCancel()
    {
        drive(UF_BrowseWS, {"refresh", "cancel"});
        const WorksheetChoice c = BrowseWorksheet(UIT(600), file, QString(), UIT(603), 1, 1, "Tasks", {});
        QCOMPARE(c.result, 2);
        QCOMPARE(office().count("openWorkbook"), 2);
        drive(UF_BrowseWS, {"0"});
        QCOMPARE(BrowseWorksheet(UIT(600), file, QString(), UIT(603), 1, 1, "Tasks", {}).ws, QStringLiteral("Summary"));
        QCOMPARE(office().count("openWorkbook"), 2);
    }

    void worksheetEmptyWorkbook()
    {
        office().files[file].sheets.clear();
        const WorksheetChoice c = BrowseWorksheet(UIT(600), file, QString(), UIT(603), 1, 1, "Tasks", {});
        QCOMPARE(c.result, 0);
        QCOMPARE(g->dlg.ids(), QStringList{"UP015"});
        QVERIFY(!active().getWSL_Loaded(1));
        QVERIFY(!UF_BrowseWS->isVisible());
        QCOMPARE(busy, (QList<bool>{true, false}));
    }

    void checksStopBeforeReading_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("msgId");
        QTest::newRow("missing") << "/no/such/plan.xlsx" << "UDV004";
        QTest::newRow("a folder") << "/tmp" << "UDV004";
        QTest::newRow("relative") << "plan.xlsx" << "UDV007";
        QTest::newRow("blank") << "  " << "UDV005";
        QTest::newRow("control character") << "/tmp/pl\x02n.xlsx" << "UDV006";
    }
    void checksStopBeforeReading()
    {
        QFETCH(QString, name);
        QFETCH(QString, msgId);
        const WorksheetChoice c = BrowseWorksheet(UIT(600), name, QString(), UIT(603), 1, 1, "Tasks", {});
        QCOMPARE(c.result, 0);
        QCOMPARE(g->dlg.ids(), QStringList{msgId});
        QVERIFY(office().calls.isEmpty());
        QVERIFY(busy.isEmpty());
    }

    // A workbook that cannot be opened (corrupt, a wrong password, held
    // elsewhere): the extraction's message, the other caches untouched, the
    // main form back, no server left.
    void unreadableWorkbook_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("corrupt") << int(XLErrorKind::Other) << "General input/output error.";
        QTest::newRow("wrong password") << int(XLErrorKind::Other) << "The password is incorrect.";
        QTest::newRow("open elsewhere") << int(XLErrorKind::Busy) << QString();
    }
    void unreadableWorkbook()
    {
        QFETCH(int, kind);
        QFETCH(QString, message);
        active().setWSL_Count(2, 1);
        active().setWSL_WS(2, 1, QStringLiteral("Chart Data"));
        active().setWSL_Loaded(2, true);
        active().setFL_Count(1);
        active().setFL_TaskFld(1, QStringLiteral("A"));
        active().setFL_Loaded(true);
        office().fail(QStringLiteral("openWorkbook"), XLErrorKind(kind), message);
        const WorksheetChoice c = BrowseWorksheet(UIT(600), file, QStringLiteral("secret"), UIT(603), 1, 1, "", {});
        QCOMPARE(c.result, 0);
        QCOMPARE(g->dlg.ids(), QStringList{"UP017"});
        QVERIFY(!office().running);
        QVERIFY(!active().getWSL_Loaded(1));
        QVERIFY(active().getWSL_Loaded(2));
        QVERIFY(active().getFL_Loaded());
        QCOMPARE(busy, (QList<bool>{true, false}));
    }

    // Without a spreadsheet program the command stops at its message.
    void noSpreadsheetProgram()
    {
        platform::MachineKeyTable none;
        platform::setMachineKeys(&none);
        XL = std::make_unique<TzyXL>();
        const WorksheetChoice c = BrowseWorksheet(UIT(600), file, QString(), UIT(603), 1, 1, "Tasks", {});
        platform::setMachineKeys(&g->keys);
        XL = std::make_unique<TzyXL>();
        QCOMPARE(c.result, 0);
        QVERIFY(!c.checksPassed);
        QCOMPARE(g->dlg.ids(), QStringList{"XL001"});
        QVERIFY(office().calls.isEmpty());
    }

    void busyRestoredWhenExtractionRaises()
    {
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, RunBusy([]() -> bool { throw std::runtime_error("x"); }));
        QCOMPARE(busy, (QList<bool>{true, false}));
    }

    void taskFieldSelect()
    {
        UP->SetImportTaskFldDesc(true);
        drive(UF_BrowseFld, {"refresh", "1"});
        const FieldChoice c =
            BrowseTaskField(ActiveTaskSource(), "c", Utils::Format(UIT(176), {"Baseline Start"}), 1, "X", {});
        QCOMPARE(c.result, 1);
        QCOMPARE(c.taskFld, QStringLiteral("B"));
        QCOMPARE(c.desc, QStringLiteral("Area"));
        QVERIFY(c.importDesc);
        QCOMPARE(office().count("openWorkbook"), 2);
    }

    void taskFieldChecks()
    {
        active().SCF.SetTaskWS(QStringLiteral("Ta:sks"));
        QCOMPARE(BrowseTaskField(ActiveTaskSource(), "", UIT(177), 2, "X", {}).result, 0);
        QCOMPARE(g->dlg.ids(), QStringList{"UDV018"});
        active().SCF.SetTaskWS(QStringLiteral("Tasks"));
        active().SCF.SetTaskHeaderRow(0);
        QCOMPARE(BrowseTaskField(ActiveTaskSource(), "", UIT(177), 2, "X", {}).result, 0);
        QCOMPARE(g->dlg.ids().size(), 2);
        QVERIFY(office().calls.isEmpty());
    }

    void valueSelect()
    {
        drive(UF_BrowseVal, {"2"});
        const ValueChoice c = BrowseTaskFieldValue(ActiveTaskSource(), "B", "ID [1] Task Field", "NORTH", {});
        QCOMPARE(c.result, 1);
        QCOMPARE(c.value, QStringLiteral("East"));
        QCOMPARE(active().getVL_Count(), 1);
        QCOMPARE(ValueListFor("b"), 1); // the list kept for the field
        QCOMPARE(active().getVL_TaskFldValCount(1), 3);
        // A bad column is reported by its check.
        QCOMPARE(BrowseTaskFieldValue(ActiveTaskSource(), "", "ID [1] Task Field", "", {}).result, 0);
        QCOMPARE(g->dlg.ids().size(), 1);
    }
};

QTEST_MAIN(TstBrowseCommands)
#include "tst_browse_commands.moc"
