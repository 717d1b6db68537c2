// The summary's inputs taken from a calculated run of the engine core, and
// a small schedule carried from its tasks to the summary grid.
#include "ISummaryGrid.h"
#include "LocaleInfo.h"
#include "Progress.h"
#include "RF_PS_Consts.h"
#include "StdDlg.h"
#include "zyEngineCore.h"
#include "zyPSData.h"
#include "zyRF.h"
#include "zyUIL.h"

#include <QLocale>
#include <QMap>
#include <QtTest>

namespace {

int Day(int y, int m, int d) { return DayNumber(QDate(y, m, d)); }
TzyCell Num(double v) { return TzyCell::FromNumber(v); }
TzyCell On(int y, int m, int d) { return Num(Day(y, m, d)); }

struct AnswerClose : StdDlg::IPrompter {
    QStringList ids;
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        ids << r.msgId;
        StdDlg::Answer a;
        a.modalResult = StdDlg::mrClose;
        return a;
    }
};

struct TextGrid : ISummaryGrid {
    QMap<QString, QString> texts;
    void setCells(int col, int row, const QString& text) override
    {
        texts[QString(QChar(u'A' + col - 1)) + QString::number(row)] = text.mid(1, text.size() - 2);
    }
    void setCellFontColor(int, int, zyRpt::TColor) override {}
    void setCellColor(int, int, zyRpt::TColor) override {}
    void AutoSizeColsMerged(bool) override {}
    int getColWidths(int) override { return 64; }
    void setColWidths(int, int) override {}
};

} // namespace

class TstReportFromRun : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InitUILs();
        platform::setNumberSettings(platform::NumberSettings{});
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        Progress::setPump([] {});
    }

    // Three tasks, Baseline against Actual, cut off on 12 June:
    //   1: Baseline 3..7 June, 50 h, 500; Actual 4..10 June, 70 h, 400, 100%
    //   2: Baseline 10..19 June, 100 h, 1000; Actual 10..21 June, 100 h, 1200, 25%
    //   3: no Baseline start; Actual 5..6 June, 10 h, 10, 50%
    void scheduleToGrid()
    {
        AnswerClose prompter;
        StdDlg::setPrompter(&prompter);
        MemoryProgress progress;
        TzyEngineCore core;
        core.Hooks.progress = &progress;
        core.Hooks.pollCancel = [] {};
        core.Settings.ReportDate = Day(2024, 6, 1);
        core.Settings.CutOffDate = Day(2024, 6, 12);
        core.Settings.GenerateBL = core.Settings.GenerateACT = true;
        core.Settings.GraphMH = core.Settings.GraphCost = true;
        core.Tasks.Resize(3, 0);
        core.Tasks.TotalTasks = 3;
        auto& t = core.Tasks;
        for (int i = 1; i <= 3; ++i)
            t.TaskRow[size_t(i)] = i + 1;
        auto baseline = [&](int i, TzyCell s, TzyCell f, double mh, double cost) {
            t.BLStartText[size_t(i)] = s;
            t.BLFinishText[size_t(i)] = f;
            t.BLMH[size_t(i)] = Num(mh);
            t.BLCost[size_t(i)] = Num(cost);
        };
        auto current = [&](int i, TzyCell s, TzyCell f, double mh, double cost, double pct) {
            t.StartText[size_t(i)] = s;
            t.FinishText[size_t(i)] = f;
            t.MapMH[size_t(i)] = Num(mh);
            t.MapCost[size_t(i)] = Num(cost);
            t.PctComplete[size_t(i)] = Num(pct);
        };
        baseline(1, On(2024, 6, 3), On(2024, 6, 7), 50, 500);
        current(1, On(2024, 6, 4), On(2024, 6, 10), 70, 400, 1.0);
        baseline(2, On(2024, 6, 10), On(2024, 6, 19), 100, 1000);
        current(2, On(2024, 6, 10), On(2024, 6, 21), 100, 1200, 0.25);
        baseline(3, TzyCell::FromText(QStringLiteral("soon")), On(2024, 6, 7), 5, 5);
        current(3, On(2024, 6, 5), On(2024, 6, 6), 10, 10, 0.5);
        core.CalculateAll();
        StdDlg::setPrompter(nullptr);

        TzyPSResults r = zyPSData::FromRun(core);
        TzyRHs rhs;
        TzyRFs rfs;
        RF_PS_Consts::LoadRHs(rhs);
        RF_PS_Consts::LoadRFs(rfs);
        Progress::setForm(&progress);
        TextGrid grid;
        zyPSData::PopulatePSData(r, rfs, rhs);
        zyPSData::FormatPSData(r, rfs);
        zyPSData::PopulateSummaryForm(rfs, rhs, grid);
        Progress::setForm(nullptr);

        const QStringList expected = {
            "G2=12-Jun-2024",
            "B11=2", "C11=66.67", "D11=3", "E11=100.00", "F11=N/A",
            "B12=1", "C12=33.33", "D12=0", "E12=0.00",
            "B14=03-Jun-2024", "D14=04-Jun-2024", "B15=19-Jun-2024", "D15=21-Jun-2024",
            "B16=17", "C16=10", "D16=18", "E16=9",
            "B17=150.00", "C17=80.00", "D17=180.00", "E17=100.00",
            "B18=1,500.00", "C18=800.00", "D18=1,610.00", "E18=705.00",
            "B20=53.33", "C20=N/A", "D20=66.67", "E20=N/A",
            "B21=53.33", "D21=47.00",
            "B23=1", "C23=5.88", "D23=Started Late",
            "B24=2", "C24=11.76", "D24=Will Finish Late",
            "B25=1", "C25=5.88", "D25=Increased",
            "B26=20.00", "C26=13.33", "D26=Over Budget",
            "B27=100.00", "C27=6.67", "D27=Over Budget",
            "F23=1", "G23=33.33", "F24=2", "G24=66.67", "F25=2", "G25=66.67",
            "F26=1", "G26=33.33", "F27=1", "G27=33.33",
        };
        QStringList mismatches;
        for (const QString& e : expected) {
            const QString ref = e.section(u'=', 0, 0);
            const QString want = e.section(u'=', 1);
            if (grid.texts.value(ref) != want)
                mismatches << ref + ": '" + grid.texts.value(ref) + "' <> '" + want + "'";
        }
        QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join("; ")));
    }

    void fromRun()
    {
        TzyEngineCore core;
        core.Settings.ReportDate = Day(2014, 4, 1);
        core.Settings.CutOffDate = Day(2014, 3, 31);
        core.Settings.GenerateBL = true;
        core.Settings.GenerateTGT = true;
        core.Settings.GraphCost = true;
        core.Tasks.TotalTasks = 12;
        core.Tasks.TasksNotInFilter = 2;
        core.Tasks.TasksProcessed = 10;
        core.Curves[cvBaseline].DurationTotal = 30;
        core.Curves[cvBaseline].MHToDate = 11;
        core.Curves[cvActual].FinishDate = Day(2014, 3, 20);
        core.Curves[cvTarget].ValidCount = 7;
        core.Curves[cvTarget].InvalidCount = 3;
        core.Curves[cvTarget].StartDate = Day(2014, 3, 1);
        core.Curves[cvTarget].DurationToDate = 9;
        core.Curves[cvTarget].CostToDate = 42.5;
        core.Growth.StartSlippage = -1;
        core.Growth.FinishSlippage = 4;
        core.Growth.DurationGrowth = 5;
        core.Growth.MHGrowth = 3.5;
        core.Growth.CostGrowth = -7.25;
        core.Growth.TasksStartingLate = 1;
        core.Growth.TasksFinishingLate = 2;
        core.Growth.TasksIncreasedDuration = 3;
        core.Growth.TasksIncreasedMH = 4;
        core.Growth.TasksIncreasedCost = 5;

        const TzyPSResults r = zyPSData::FromRun(core);
        QCOMPARE(r.ReportDate, Day(2014, 4, 1));
        QCOMPARE(r.CutOffDate, Day(2014, 3, 31));
        QVERIFY(r.GenerateBL && !r.GenerateACT && r.GenerateTGT && !r.GraphMH && r.GraphCost);
        QCOMPARE(r.TotalTasks, 12);
        QCOMPARE(r.TasksNotInFilter, 2);
        QCOMPARE(r.TasksProcessed, 10);
        QCOMPARE(r.Curves[0].DurationTotal, 30);
        QCOMPARE(r.Curves[0].MHToDate, 11.0);
        QCOMPARE(r.Curves[1].FinishDate, Day(2014, 3, 20));
        QCOMPARE(r.Curves[2].ValidCount, 7);
        QCOMPARE(r.Curves[2].InvalidCount, 3);
        QCOMPARE(r.Curves[2].StartDate, Day(2014, 3, 1));
        QCOMPARE(r.Curves[2].DurationToDate, 9);
        QCOMPARE(r.Curves[2].CostToDate, 42.5);
        QCOMPARE(r.Growth.StartSlippage, -1);
        QCOMPARE(r.Growth.FinishSlippage, 4);
        QCOMPARE(r.Growth.DurationGrowth, 5);
        QCOMPARE(r.Growth.MHGrowth, 3.5);
        QCOMPARE(r.Growth.CostGrowth, -7.25);
        QCOMPARE(r.Growth.TasksStartingLate, 1);
        QCOMPARE(r.Growth.TasksFinishingLate, 2);
        QCOMPARE(r.Growth.TasksIncreasedDuration, 3);
        QCOMPARE(r.Growth.TasksIncreasedMH, 4);
        QCOMPARE(r.Growth.TasksIncreasedCost, 5);
    }
};

QTEST_GUILESS_MAIN(TstReportFromRun)
#include "tst_report_fromrun.moc"
