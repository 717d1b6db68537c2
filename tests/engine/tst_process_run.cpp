// A whole Process run on the in-memory spreadsheet server: the step plan and
// its count, the template writing, the output checks and their questions,
// a cancel at every step, and the failures with their dialog lines.
#include "FakeXL.h"
#include "MachineKeys.h"
#include "Progress.h"
#include "RF_PS_Consts.h"
#include "StdDlg.h"
#include "Utils.h"
#include "tst_process_fixture.h"
#include "zyAD.h"
#include "zyEngineCore.h"
#include "zyProcess.h"
#include "zyRF.h"
#include "zyRH.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyXL.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kDSF = QStringLiteral("/data/plan.xlsx");
const QString kTF = QStringLiteral("/data/template.xlsx");
constexpr int kBase = 45292; // 2024-01-01

// n tasks, three days apart, ten days long; Actual a little late; odd tasks
// in the North. Task 3's Baseline hours are a text; row n + 2 is empty and
// row n + 3 holds only a name: both are blank tasks.
void MakeSchedule(FakeSheet& ws, int n, int spanDays = 10)
{
    const QStringList head{"Task", "BL Start", "BL Finish", "BL MH", "BL Cost", "Start", "Finish",
                           "MH", "Cost", "% Complete", "Area"};
    for (int c = 0; c < head.size(); ++c)
        ws.text(QString(QChar(u'A' + c)) + u'1', head[c]);
    for (int i = 0; i < n; ++i) {
        const QString r = QString::number(i + 2);
        const int bs = kBase + 3 * i;
        ws.text("A" + r, QStringLiteral("Task %1").arg(i + 1));
        ws.num("B" + r, bs).num("C" + r, bs + spanDays - 1);
        if (i == 2)
            ws.text("D" + r, QStringLiteral("1,250.5"));
        else
            ws.num("D" + r, 10.0 * (i + 1));
        ws.num("E" + r, 100.0 * (i + 1));
        ws.num("F" + r, bs + i % 3).num("G" + r, bs + spanDays - 1 + i % 4);
        ws.num("H" + r, 12.0 * (i + 1)).num("I" + r, 110.0 * (i + 1));
        ws.num("J" + r, i < n / 2 ? 1.0 : 0.5).shown("J" + r, i < n / 2 ? "100%" : "50%");
        ws.text("K" + r, i % 2 ? QStringLiteral("North") : QStringLiteral("South"));
    }
    ws.text("A" + QString::number(n + 3), QStringLiteral("Milestone without data"));
}

// The template: both worksheets, the Chart Data block holding rows 8..20.
void MakeTemplate(FakeWorkbook& wb, int lastBlockRow = 20, bool ps = true, bool cd = true)
{
    if (ps)
        wb.addSheet(QStringLiteral("Project Summary")).text("A1", QStringLiteral("old title"));
    if (cd) {
        FakeSheet& ws = wb.addSheet(QStringLiteral("Chart Data"));
        ws.text("A7", QStringLiteral("Date"));
        for (int r = 8; r <= lastBlockRow; ++r)
            ws.num("A" + QString::number(r), kBase + r).num("B" + QString::number(r), 1);
    }
}

QStringList Numbered(const QStringList& lines)
{
    QStringList out;
    for (const QString& l : lines)
        if (l.trimmed().startsWith(u'[') && !l.trimmed().startsWith(QLatin1String("[-")))
            out << l;
    return out;
}

} // namespace

class TstProcessRun : public QObject {
    Q_OBJECT

    platform::MachineKeyTable keys;
    std::shared_ptr<FakeOffice> office;
    pfx::Recorder dlg;
    pfx::CancellingProgress progress;
    QTemporaryDir tmp;
    QString of;
    int sd = 0;

    void fresh(const pfx::Options& o = {}, int tasks = 12, int spanDays = 10)
    {
        office = std::make_shared<FakeOffice>();
        office->install();
        XL = std::make_unique<TzyXL>();
        MakeSchedule(office->addWorkbook(kDSF).addSheet(QStringLiteral("Tasks")), tasks, spanDays);
        MakeTemplate(office->addWorkbook(kTF));
        of = tmp.path() + QStringLiteral("/out/Harbour.xlsx");
        QDir(tmp.path()).removeRecursively();
        QDir().mkpath(tmp.path() + QStringLiteral("/out"));
        pfx::Options opt = o;
        if (opt.cutOff == 0)
            opt.cutOff = kBase + 3 * tasks / 2 + 0.25;
        sd = pfx::MakeDefinition({kDSF, kTF, of}, opt);
        UP->Reset();
        dlg.seen.clear();
        dlg.answers.clear();
        progress.cancelAt = -1;
        progress.shows = progress.closes = 0;
        progress.ResetProgress();
        progress.SetCancelled(false);
        Process = std::make_unique<TzyProcess>();
        Progress::setFormatSources([] { return Process->StepFmt; }, [] { return Process->NoStepFmt; });
    }

    FakeSheet& outSheet(const QString& name) { return *office->files[of].sheet(name); }
    QStringList opCalls(const QString& op) const
    {
        QStringList out;
        for (const QString& c : office->calls)
            if (c.startsWith(op + u'('))
                out << c;
        return out;
    }
    void expectClean()
    {
        QVERIFY(!office->running);
        QVERIFY(office->openFile.isEmpty() || office->openFile == of);
        QCOMPARE(office->backendsAlive <= 1, true);
        QVERIFY(!progress.visible());
        QVERIFY(!progress.Cancelled());
    }

private slots:
    void initTestCase()
    {
        pfx::InstallRunHarness(progress, dlg);
        pfx::InstallFakeMachine(keys);
        QVERIFY(tmp.isValid());
    }
    void cleanupTestCase()
    {
        pfx::RemoveRunHarness();
    }

    // Every combination of curves, quantities and filter: the plan's count is
    // the number of numbered lines the run writes, each closed "Complete.".
    void stepPlan_data()
    {
        QTest::addColumn<int>("flags"); // bl act tgt mh cost filter as bits
        QTest::addColumn<int>("expected"); // -1: only compare with the lines
        for (int curves = 1; curves < 8; ++curves)
            for (int q = 1; q < 4; ++q)
                for (int f = 0; f < 2; ++f) {
                    const int flags = curves | (q << 3) | (f << 5);
                    int expected = -1;
                    if (flags == (1 | 8))
                        expected = 40;
                    else if (flags == (7 | 24 | 32))
                        expected = 85;
                    QTest::addRow("c%d q%d f%d", curves, q, f) << flags << expected;
                }
    }
    void stepPlan()
    {
        QFETCH(int, flags);
        QFETCH(int, expected);
        pfx::Options o;
        o.bl = flags & 1;
        o.act = flags & 2;
        o.tgt = flags & 4;
        o.mh = flags & 8;
        o.cost = flags & 16;
        o.filter = flags & 32;
        fresh(o);
        QVERIFY2(Process->Process(sd), qPrintable(dlg.ids().join(',')));
        QVERIFY(dlg.seen.isEmpty());
        const int n = progress.totalSteps();
        if (expected > 0)
            QCOMPARE(n, expected);
        const QStringList lines = Numbered(progress.lines());
        QCOMPARE(int(lines.size()), n);
        const int width = n < 10 ? 1 : n < 100 ? 2 : 3;
        for (int i = 0; i < lines.size(); ++i) {
            QVERIFY2(lines[i].trimmed().startsWith(QStringLiteral("[%1]").arg(i + 1, width, 10, QChar(u'0'))),
                     qPrintable(lines[i]));
            QVERIFY2(lines[i].trimmed().endsWith(QStringLiteral("Complete.")), qPrintable(lines[i]));
        }
        QCOMPARE(progress.caption(), QStringLiteral(" Tarvo ZOL Lumo: Processing ZOL Definition "));
        expectClean();
    }

    void stepLinesOfTheFrame()
    {
        pfx::Options o;
        o.filter = true;
        fresh(o);
        QVERIFY(Process->Process(sd));
        const QStringList l = Numbered(progress.lines());
        const QStringList head{
            "[01] Opening LibreOffice... Complete.",
            "[02] Opening the Data Source File... Complete.",
            "[03] Verifying the Task Worksheet exists... Complete.",
            "[04] Closing the Data Source File... Complete.",
            "[05] Opening the Template File... Complete.",
            "[06] Verifying the Project Summary Worksheet exists... Complete.",
            "[07] Verifying the Chart Data Worksheet exists... Complete.",
            "[08] Closing the Template File... Complete.",
            "[09] Opening the Data Source File... Complete.",
            "[10] Initialising the Task Worksheet... Complete.",
            "[11] Extracting Data Source Map Task Field Values: 9 of 9... Complete.",
            "[12] Extracting Data Source Filter Task Field Values: 1 of 1... Complete.",
            "[13] Closing the Data Source File... Complete.",
            "[14] Closing LibreOffice... Complete.",
        };
        for (int i = 0; i < head.size(); ++i)
            QCOMPARE(l[i].trimmed(), head[i]);
        const int n = int(l.size());
        const QStringList tail{
            "Opening LibreOffice... Complete.",
            "Opening the Template File... Complete.",
            "Initialising the Project Summary Worksheet... Complete.",
            "Inserting Data in the Project Summary Worksheet... Complete.",
            "Formatting the Project Summary Worksheet... Complete.",
            "Initialising the Chart Data Worksheet... Complete.",
            "Clearing the Chart Data Worksheet... Complete.",
            "Inserting Data in the Chart Data Worksheet... Complete.",
            "Formatting the Chart Data Worksheet... Complete.",
            "Saving the Template File as the Output File... Complete.",
            "Closing the Output File... Complete.",
            "Closing LibreOffice... Complete.",
        };
        for (int i = 0; i < tail.size(); ++i)
            QVERIFY2(l[n - tail.size() + i].endsWith(tail[i] + u' '), qPrintable(l[n - tail.size() + i]));
        // Both workbooks opened read-only, never saved over.
        for (const QString& c : opCalls(QStringLiteral("openWorkbook")))
            QVERIFY2(c.endsWith(QStringLiteral(", ro)")), qPrintable(c));
        QCOMPARE(opCalls(QStringLiteral("saveAs")), QStringList{"saveAs(" + of + ", xlsx)"});
        QVERIFY(!opCalls(QStringLiteral("closeWorkbook")).join(',').contains(QStringLiteral("(save)")));
        QCOMPARE(office->count(QStringLiteral("start")), 2);
    }

    // Typed cells kept; the filter column read as displayed texts; the blank
    // row counted invalid for each curve.
    void extractionKeepsTypes()
    {
        pfx::Options o;
        o.filter = true;
        o.tgt = true;
        fresh(o, 6);
        Process->Init(sd);
        XL->StartExcel(false);
        Process->ExtractData();
        const auto& t = Process->Core().Tasks;
        QCOMPARE(t.TaskCount, 8);
        QCOMPARE(t.TotalTasks, 8);
        QCOMPARE(t.TaskRow[1], 2);
        QCOMPARE(t.TaskRow[8], 9);
        QCOMPARE(int(t.BLStartText[1].kind), int(TzyCell::Number));
        QCOMPARE(t.BLStartText[1].number, double(kBase));
        QCOMPARE(int(t.BLMH[3].kind), int(TzyCell::Text));
        QCOMPARE(t.BLMH[3].ToNumber(), 1250.5);
        QCOMPARE(t.BLMH[2].ToNumber(), 20.0);
        QCOMPARE(t.PctComplete[1].ToNumber(), 1.0);
        QCOMPARE(t.PctComplete[6].ToNumber(), 0.5);
        QCOMPARE(t.FilterVals.size(), size_t(1));
        QCOMPARE(t.FilterVals[0][2], QStringLiteral("North"));
        QCOMPARE(t.FilterVals[0][7], QString());
        QVERIFY(t.TaskBlank[7]);
        QVERIFY(t.TaskBlank[8]);
        QVERIFY(!t.TaskBlank[6]);
        QCOMPARE(Process->Core().BL().InvalidCount, 2);
        QCOMPARE(Process->Core().ACT().InvalidCount, 2);
        QCOMPARE(Process->Core().TGT().InvalidCount, 2);
        QVERIFY(!office->running);
        // One request per column: nine map columns, one filter column.
        QCOMPARE(office->count(QStringLiteral("readRawColumn")), 9);
        QCOMPARE(office->count(QStringLiteral("readDisplayColumn")), 1);
        Process->ClearData();
    }

    void templateWriting()
    {
        fresh();
        QVERIFY(Process->Process(sd));
        // Rows 9..19 deleted, the block grown between its two rows with rows
        // of its first row's formats, then the old last row deleted.
        const QStringList del = opCalls(QStringLiteral("deleteRows"));
        QCOMPARE(del.size(), 2);
        QCOMPARE(del.first(), QStringLiteral("deleteRows(9, 19)"));
        const QStringList ins = opCalls(QStringLiteral("insertRows"));
        QCOMPARE(ins.size(), 1);
        const QStringList writes = opCalls(QStringLiteral("writeColumn"));
        QCOMPARE(writes.size(), 37);
        FakeSheet& cd = outSheet(QStringLiteral("Chart Data"));
        int days = 0;
        while (cd.value(8 + days, 1).kind == XLCell::Number && cd.value(8 + days, 1).number == kBase + days)
            ++days;
        QVERIFY(days > 40);
        QCOMPARE(ins.first(), QStringLiteral("insertRows(9, %1)").arg(days + 7));
        QCOMPARE(del.last(), QStringLiteral("deleteRows(%1, %1)").arg(days + 8));
        QCOMPARE(cd.value(8 + days, 1).kind, XLCell::Empty);
        // Each column written once over exactly the block; zeros are empty cells.
        for (int s = 0; s < 37; ++s) {
            const QStringList args = writes[s].mid(12, writes[s].size() - 13).split(QStringLiteral(", "));
            QCOMPARE(args.value(0), XL->ColNoToColLetters(s + 1));
            QCOMPARE(args.value(1), QStringLiteral("8"));
            QCOMPARE(args.value(2), QString::number(7 + days));
            QCOMPARE(int(args.size()), 3 + days);
            for (int d = 3; d < args.size(); ++d)
                QVERIFY2(args[d] != QStringLiteral("0") && !args[d].startsWith(u'"'), qPrintable(writes[s]));
        }
        // Baseline man-hour S curve (column C... by the series index) reaches the total.
        bool anyEmpty = false;
        for (int d = 0; d < days; ++d)
            anyEmpty |= cd.value(8 + d, 37).kind == XLCell::Empty;
        QVERIFY(anyEmpty); // a Target column with Target not generated stays empty
        // The head: dates as numbers, the chart points, the title literal.
        QCOMPARE(cd.value("I4").number, double(int(pfx::CutOffDate(sd))));
        QCOMPARE(cd.value("J5").number, 1.0);
        QCOMPARE(cd.value("J4").number, 0.0);
        QCOMPARE(int(cd.value("J1").kind), int(XLCell::Number));
        QCOMPARE(cd.value("B3").text, QStringLiteral("=Harbour Wall Extension"));
        QCOMPARE(cd.value("A1").text, QStringLiteral("Tarvo ZOL Lumo: Curvewright"));
        // The Project Summary holds every field as the run computed it.
        FakeSheet& ps = outSheet(QStringLiteral("Project Summary"));
        QCOMPARE(ps.value(RHs_PS->getItems(1).CellRef()).text, RHs_PS->getItems(1).Text());
        for (int i = 1; i <= RFs_PS->Count(); ++i) {
            const TzyRF& rf = RFs_PS->getItems(i);
            const XLCell c = ps.value(rf.CellRef());
            if (rf.ValueState() == zyRpt::vsNoData)
                QCOMPARE(c.text, QStringLiteral("No Data"));
            else if (rf.ValueState() == zyRpt::vsNA)
                QCOMPARE(c.text, QStringLiteral("N/A"));
            else if (rf.DataType() == zyRpt::dtText)
                QCOMPARE(c.text, rf.StrValue());
            else if (rf.DataType() == zyRpt::dtInteger)
                QCOMPARE(c.number, double(rf.IntValue()));
            else if (rf.DataType() == zyRpt::dtNumber)
                QCOMPARE(c.number, rf.FloatValue());
            else
                QCOMPARE(c.number, rf.DateValue());
        }
        // Colours: "No Data" red on silver, "N/A" on silver, invalid tasks in
        // red; the block cleared black on white before the values went in.
        const QStringList fonts = opCalls(QStringLiteral("setFontColor"));
        const QStringList fills = opCalls(QStringLiteral("setInteriorColor"));
        int na = 0;
        for (int i = 1; i <= RFs_PS->Count(); ++i) {
            const TzyRF& rf = RFs_PS->getItems(i);
            const QString fill = QStringLiteral("setInteriorColor(%1, %2)").arg(rf.CellRef()).arg(0xC0C0C0);
            const QString red = QStringLiteral("setFontColor(%1, 255)").arg(rf.CellRef());
            if (rf.ValueState() == zyRpt::vsNoData) {
                QVERIFY2(fills.contains(fill) && fonts.contains(red), qPrintable(rf.CellRef()));
            } else if (rf.ValueState() == zyRpt::vsNA) {
                ++na;
                QVERIFY2(fills.contains(fill) && !fonts.contains(red), qPrintable(rf.CellRef()));
            }
        }
        QVERIFY(na > 0); // Target is not generated
        QVERIFY(fonts.contains(QStringLiteral("setFontColor(B12, 255)"))); // the blank row is invalid
        // The block as grown (the template's rows 8..20 made one row a day)
        // in one request each, however tall, and not a row beyond it.
        const QString block = QStringLiteral("A8:AK%1").arg(7 + days);
        QCOMPARE(opCalls(QStringLiteral("clearContents")), QStringList{"clearContents(" + block + ")"});
        QVERIFY(fonts.contains(QStringLiteral("setFontColor(%1, 0)").arg(block)));
        QVERIFY(fills.contains(QStringLiteral("setInteriorColor(%1, %2)").arg(block).arg(0xFFFFFF)));
        // The saved workbook opens on the Project Summary.
        const QStringList selects = opCalls(QStringLiteral("selectWorksheet"));
        QCOMPARE(selects.last(), QStringLiteral("selectWorksheet(1)"));
        // The sources are never saved (the in-memory server edits a loaded
        // workbook in place, so their cells cannot be compared here).
        QCOMPARE(opCalls(QStringLiteral("saveAs")), QStringList{"saveAs(" + of + ", xlsx)"});
        QVERIFY(!opCalls(QStringLiteral("closeWorkbook")).join(',').contains(QStringLiteral("(save)")));
    }

    // One-day and two-day projects keep the block's two rows: one row
    // inserted takes the place of the old last row.
    void shortProjects_data()
    {
        QTest::addColumn<int>("span");
        QTest::newRow("one day") << 1;
        QTest::newRow("two days") << 2;
    }
    void shortProjects()
    {
        QFETCH(int, span);
        pfx::Options o;
        o.act = false;
        fresh(o, 1, span);
        QVERIFY2(Process->Process(sd), qPrintable(dlg.ids().join(',')));
        QCOMPARE(opCalls(QStringLiteral("insertRows")), QStringList{"insertRows(9, 9)"});
        QVERIFY(opCalls(QStringLiteral("deleteRows")).contains(QStringLiteral("deleteRows(10, 10)")));
        FakeSheet& cd = outSheet(QStringLiteral("Chart Data"));
        QCOMPARE(cd.value("A8").number, double(kBase));
        const QDate today = QDate::currentDate();
        const double d0 = QDate(1899, 12, 30).daysTo(QDate(today.year(), today.month(), 1));
        QCOMPARE(cd.value("A9").number, span == 2 ? double(kBase + 1) : d0 + 1);
        for (const QString& w : opCalls(QStringLiteral("writeColumn")))
            QVERIFY2(w.contains(QStringLiteral(", 8, 8")) == (span == 1), qPrintable(w));
    }

    // A cancel at any step ends the run with "UP001": the heading, the cancel
    // lines, no details; the server ended, nothing saved.
    void cancelAtEveryStep()
    {
        fresh();
        QVERIFY(Process->Process(sd));
        const int n = progress.totalSteps();
        for (int k = 1; k <= n; ++k) {
            fresh();
            progress.cancelAt = k;
            const bool ok = Process->Process(sd);
            const QString tag = QStringLiteral("step %1 of %2").arg(k).arg(n);
            if (ok) {
                // Quitting the server has no cancel test: the run is done.
                QVERIFY2(k == n, qPrintable(tag));
                continue;
            }
            QCOMPARE(dlg.ids(), QStringList{"UP001"});
            const StdDlg::Request& r = dlg.seen.first();
            QCOMPARE(r.level, int(StdDlg::Warning));
            QCOMPARE(r.lines, (QStringList{UIT(1110), QString(), UIT(1066), QString()}));
            QCOMPARE(r.buttons[2].caption, UIT(289));
            QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrClose));
            QVERIFY2(!office->running, qPrintable(tag));
            QVERIFY2(!progress.visible(), qPrintable(tag));
            // The Output File is only ever the whole saved workbook.
            if (k < n - 2)
                QVERIFY2(!office->files.contains(of), qPrintable(tag));
        }
    }

    void failures_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QStringList>("expectLines"); // after the heading; "*" = any non-empty
        QTest::addColumn<QString>("details");         // start of the details line, empty: none
        QTest::newRow("task worksheet missing")
            << "taskws" << QStringList{} << "Details: The Task Worksheet was not found in the Data Source File.";
        QTest::newRow("project summary missing")
            << "psws" << QStringList{}
            << "Details: The Project Summary Worksheet was not found in the Template File.";
        QTest::newRow("chart data missing")
            << "cdws" << QStringList{} << "Details: The Chart Data Worksheet was not found in the Template File.";
        QTest::newRow("data source missing")
            << "nodsf" << QStringList{"Unable to open the Data Source File.", "*"} << "Details: ";
        QTest::newRow("wrong password")
            << "password" << QStringList{"Unable to open the Data Source File.", "*"} << "Details: ";
        QTest::newRow("read fails")
            << "read" << QStringList{"*"} << "";
        QTest::newRow("save fails")
            << "save" << QStringList{"Unable to save the Template File as the Output File.", "*", "*"}
            << "Details: ";
        QTest::newRow("no tasks")
            << "notasks" << QStringList{} << "Details: The Task Worksheet does not contain any Tasks.";
    }
    void failures()
    {
        QFETCH(QString, what);
        QFETCH(QStringList, expectLines);
        QFETCH(QString, details);
        pfx::Options o;
        if (what == "taskws")
            o.taskWS = QStringLiteral("Schedule");
        else if (what == "psws")
            o.psWS = QStringLiteral("Summary");
        else if (what == "cdws")
            o.cdWS = QStringLiteral("Charts");
        else if (what == "password")
            o.dsfPassword = QStringLiteral("guess");
        fresh(o);
        if (what == "nodsf")
            office->files.remove(kDSF);
        else if (what == "password")
            office->files[kDSF].password = QStringLiteral("secret");
        else if (what == "read")
            office->fail(QStringLiteral("readRawColumn"));
        else if (what == "save")
            office->fail(QStringLiteral("saveAs"));
        else if (what == "notasks") {
            FakeWorkbook& wb = office->files[kDSF];
            wb.sheets.clear();
            wb.addSheet(QStringLiteral("Tasks")).text("A1", QStringLiteral("Task"));
        }
        QVERIFY(!Process->Process(sd));
        QCOMPARE(dlg.ids(), QStringList{"UP002"});
        const QStringList lines = dlg.seen.first().lines;
        QCOMPARE(lines.mid(0, 2), (QStringList{UIT(1110), QString()}));
        // The layer's lines (each followed by an empty one), then the details.
        QStringList filled = lines.mid(2);
        filled.removeAll(QString());
        if (!details.isEmpty())
            QVERIFY2(filled.takeLast().startsWith(details), qPrintable(lines.join('|')));
        QVERIFY2(filled.size() >= expectLines.size(), qPrintable(lines.join('|')));
        for (int i = 0; i < expectLines.size(); ++i)
            if (expectLines[i] != "*")
                QCOMPARE(filled[i], expectLines[i]);
        if (expectLines.isEmpty())
            QVERIFY2(filled.isEmpty(), qPrintable(lines.join('|')));
        QVERIFY(!office->running);
        QVERIFY(!office->files.contains(of));
        QVERIFY(!progress.visible());
        // A second run after the failure starts clean and succeeds.
        if (what == "read" || what == "save") {
            dlg.seen.clear();
            QVERIFY(Process->Process(sd));
            QVERIFY(office->files.contains(of));
        }
    }

    void missingSheetDetails()
    {
        pfx::Options o;
        o.taskWS = QStringLiteral("Schedule");
        fresh(o);
        QVERIFY(!Process->Process(sd));
        // Stopped after step 3 with the server ended.
        QCOMPARE(progress.currentStep(), 3);
        const QString d = dlg.seen.first().lines.last();
        QCOMPARE(d, QStringLiteral("Details: The Task Worksheet was not found in the Data Source File.\r\n\r\n"
                                   "Task Worksheet: Schedule\r\n\r\nData Source File: ") + kDSF);
    }

    // The output checks before the progress form and their questions.
    void outputFolder_data()
    {
        QTest::addColumn<bool>("prompt");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<bool>("ok");
        QTest::newRow("yes") << true << int(StdDlg::mrYes) << false << true;
        QTest::newRow("yes, ticked") << true << int(StdDlg::mrYes) << true << true;
        QTest::newRow("no") << true << int(StdDlg::mrNo) << false << false;
        QTest::newRow("no question") << false << 0 << false << true;
    }
    void outputFolder()
    {
        QFETCH(bool, prompt);
        QFETCH(int, answer);
        QFETCH(bool, tick);
        QFETCH(bool, ok);
        fresh();
        const QString folder = tmp.path() + QStringLiteral("/new/deeper/");
        of = folder + QStringLiteral("Harbour.xlsx");
        pfx::SetOutputFile(sd, of);
        UP->SetPromptOnCreateOFFolder(prompt);
        if (prompt)
            dlg.answers << StdDlg::Answer{answer, tick};
        QCOMPARE(Process->Process(sd), ok);
        QCOMPARE(QFileInfo(folder).isDir(), ok);
        QCOMPARE(UP->PromptOnCreateOFFolder(), prompt && !tick);
        if (prompt) {
            const StdDlg::Request& q = dlg.seen.first();
            QCOMPARE(q.msgId, QStringLiteral("UP012"));
            QCOMPARE(q.level, int(StdDlg::Question));
            QCOMPARE(q.lines, (QStringList{"The following Output File Folder does not exist.", "", folder, "",
                                           "The Output File Folder must be created in order to create the Output File.",
                                           "", "Do you wish to create the Output File Folder?"}));
            QVERIFY(q.hasCheckBox);
            QCOMPARE(q.checkCaption, UIT(285));
            QVERIFY(!q.buttons[0].visible);
        }
        if (!ok) {
            QCOMPARE(dlg.ids(), (QStringList{"UP012", "UP002"}));
            QCOMPARE(dlg.seen.last().lines.last(),
                     "Details: The following Output File Folder does not exist.\r\n\r\n" + folder +
                         "\r\n\r\nThe Output File Folder must be created in order to create the Output File.");
            QCOMPARE(progress.shows, 0);
        }
    }

    void existingOutput_data()
    {
        QTest::addColumn<QString>("state"); // "plain", "readonly", "locked"
        QTest::addColumn<bool>("prompt");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("details");
        QTest::newRow("overwrite yes") << "plain" << true << QList<int>{StdDlg::mrYes} << false
                                       << QStringList{"UP014"} << "";
        QTest::newRow("overwrite no") << "plain" << true << QList<int>{StdDlg::mrNo} << false
                                      << QStringList{"UP014", "UP002"}
                                      << "Details: The following Output File already exists.";
        QTest::newRow("overwrite no, ticked") << "plain" << true << QList<int>{StdDlg::mrNo} << true
                                              << QStringList{"UP014", "UP002"}
                                              << "Details: The following Output File already exists.";
        QTest::newRow("overwrite silently") << "plain" << false << QList<int>{} << false << QStringList{} << "";
        QTest::newRow("read-only") << "readonly" << true << QList<int>{} << false << QStringList{"UP002"}
                                   << "Details: The following Output File exists, and is read-only.";
        QTest::newRow("open, no") << "locked" << true << QList<int>{StdDlg::mrYes, StdDlg::mrNo} << false
                                  << QStringList{"UP013", "UP013", "UP002"}
                                  << "Details: The following Output File already exists, and is open.";
    }
    void existingOutput()
    {
        QFETCH(QString, state);
        QFETCH(bool, prompt);
        QFETCH(QList<int>, answers);
        QFETCH(bool, tick);
        QFETCH(QStringList, ids);
        QFETCH(QString, details);
        fresh();
        QFile f(of);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old");
        f.close();
        const QString lock = QFileInfo(of).absolutePath() + "/.~lock." + QFileInfo(of).fileName() + "#";
        if (state == "readonly")
            QFile::setPermissions(of, QFileDevice::ReadOwner);
        if (state == "locked")
            QFile(lock).open(QIODevice::WriteOnly);
        UP->SetPromptOnOverwriteOF(prompt);
        for (int a : answers)
            dlg.answers << StdDlg::Answer{a, tick};
        const bool ok = Process->Process(sd);
        QCOMPARE(dlg.ids(), ids);
        QCOMPARE(ok, details.isEmpty());
        if (!details.isEmpty()) {
            QVERIFY2(dlg.seen.last().lines.last().startsWith(details), qPrintable(dlg.seen.last().lines.last()));
            QCOMPARE(progress.shows, 0);
            QCOMPARE(office->starts, 0);
        }
        if (ids.contains("UP014")) {
            QCOMPARE(dlg.seen.first().lines,
                     (QStringList{"The following Output File already exists.", "", of, "",
                                  "Do you wish to overwrite the existing Output File?"}));
            QCOMPARE(UP->PromptOnOverwriteOF(), !tick);
        }
        // Asked once per run: the save does not ask again.
        QCOMPARE(dlg.ids().count("UP014"), ids.count("UP014"));
        QFile::setPermissions(of, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile::remove(lock);
        QFile::remove(of);
    }

    // The Output File may not be one of the run's own sources, however spelt.
    void outputIsASource_data()
    {
        QTest::addColumn<QString>("which");
        QTest::newRow("data source") << "dsf";
        QTest::newRow("template") << "tf";
    }
    void outputIsASource()
    {
        QFETCH(QString, which);
        fresh();
        const QString real = tmp.path() + QStringLiteral("/out/source.xlsx");
        QFile(real).open(QIODevice::WriteOnly);
        QDir().mkpath(tmp.path() + QStringLiteral("/out/sub"));
        QFile::link(tmp.path() + QStringLiteral("/out"), tmp.path() + QStringLiteral("/alias"));
        const QString spelt = tmp.path() + QStringLiteral("/alias/sub/../source.xlsx");
        pfx::Files files{kDSF, kTF, spelt};
        (which == "dsf" ? files.dsf : files.tf) = real;
        sd = pfx::MakeDefinition(files, pfx::Options{});
        UP->SetPromptOnOverwriteOF(true);
        QVERIFY(!Process->Process(sd));
        QCOMPARE(dlg.ids(), QStringList{"UP002"});
        const QString label = which == "dsf" ? QStringLiteral("Data Source File") : QStringLiteral("Template File");
        QVERIFY2(dlg.seen.first().lines.last().startsWith("Details: The Output File is the same as the " + label + "."),
                 qPrintable(dlg.seen.first().lines.last()));
        QCOMPARE(QFileInfo(real).size(), 0);
    }

    void cutOffDateMovedIsKept()
    {
        pfx::Options o;
        o.cutOff = kBase - 400; // before every task
        fresh(o);
        int told = 0;
        Process->SetCutOffDateMoved([&](int) { ++told; });
        QVERIFY2(Process->Process(sd), qPrintable(dlg.ids().join(',')));
        QCOMPARE(told, 1);
        QVERIFY(pfx::CutOffDate(sd) != kBase - 400);
        QCOMPARE(outSheet(QStringLiteral("Chart Data")).value("I4").number, pfx::CutOffDate(sd));
    }
};

QTEST_GUILESS_MAIN(TstProcessRun)
#include "tst_process_run.moc"
