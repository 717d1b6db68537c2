// The Project Summary of a run: values, "No Data" and "N/A" states, status
// words, and the summary grid as the engine fills it.
#include "ISummaryGrid.h"
#include "LocaleInfo.h"
#include "Progress.h"
#include "RF_PS_Consts.h"
#include "PSSample.h"
#include "zyPSData.h"
#include "zyRF.h"
#include "zyRH.h"
#include "zySD.h"
#include "zyUIL.h"

#include <QLocale>
#include <QMap>
#include <QtTest>

using namespace zyRpt;

namespace {

int Day(int y, int m, int d) { return DayNumber(QDate(y, m, d)); }

QPoint At(const QString& ref) { return QPoint(ref.at(0).unicode() - 'A' + 1, ref.mid(1).toInt()); }

// Records what the engine does to the grid.
class RecordingGrid : public ISummaryGrid {
public:
    QMap<QPair<int, int>, QString> texts;
    QMap<QPair<int, int>, TColor> fonts;
    QMap<QPair<int, int>, TColor> fills;
    QMap<int, int> widths; // after the auto size
    QStringList calls;

    void setCells(int col, int row, const QString& text) override { texts[{col, row}] = text; }
    void setCellFontColor(int col, int row, TColor color) override { fonts[{col, row}] = color; }
    void setCellColor(int col, int row, TColor color) override { fills[{col, row}] = color; }
    void AutoSizeColsMerged(bool includeHeader) override
    {
        calls << QStringLiteral("AutoSizeColsMerged(%1)").arg(includeHeader);
        widths = autoWidths;
    }
    int getColWidths(int col) override { return widths.value(col, 64); }
    void setColWidths(int col, int width) override
    {
        calls << QStringLiteral("setColWidths(%1,%2)").arg(col).arg(width);
        widths[col] = width;
    }

    QMap<int, int> autoWidths;

    QString text(const QString& ref) const { return texts.value({At(ref).x(), At(ref).y()}, "<unset>"); }
    TColor font(const QString& ref) const { return fonts.value({At(ref).x(), At(ref).y()}, 0xDEADBEEF); }
    TColor fill(const QString& ref) const { return fills.value({At(ref).x(), At(ref).y()}, 0xDEADBEEF); }
};

using PSSample::FullSchedule;

// Baseline only (no comparison): the figures of the other curves are zero.
TzyPSResults BaselineOnly()
{
    TzyPSResults r = FullSchedule();
    r.GenerateACT = r.GenerateTGT = false;
    r.Curves[1] = TzyPSCurve{};
    r.Curves[2] = TzyPSCurve{};
    r.Growth.StartSlippage = r.Growth.FinishSlippage = r.Growth.DurationGrowth = 0;
    r.Growth.MHGrowth = r.Growth.CostGrowth = 0;
    r.Growth.TasksStartingLate = r.Growth.TasksFinishingLate = r.Growth.TasksIncreasedDuration = 0;
    r.Growth.TasksIncreasedMH = r.Growth.TasksIncreasedCost = 0;
    return r;
}

const QStringList kCols = {"B", "C", "D", "E", "F", "G"};

} // namespace

class TstReportSummary : public QObject {
    Q_OBJECT

    MemoryProgress m_progress;
    std::unique_ptr<TzyRHs> m_rhs;
    std::unique_ptr<TzyRFs> m_rfs;
    RecordingGrid m_grid;
    int m_openButtonShown = 0;

    void Run(const TzyPSResults& r)
    {
        m_grid = RecordingGrid();
        m_grid.autoWidths = {{1, 140}, {2, 90}, {3, 75}, {4, 130}, {5, 88}, {6, 60}, {7, 101}};
        m_openButtonShown = 0;
        zyPSData::PopulatePSData(r, *m_rfs, *m_rhs);
        zyPSData::FormatPSData(r, *m_rfs);
        zyPSData::PopulateSummaryForm(*m_rfs, *m_rhs, m_grid);
        zyPSData::FormatSummaryForm(*m_rfs, m_grid, [this] { ++m_openButtonShown; });
    }

    const TzyRF& Field(const QString& ref) const
    {
        for (int i = 1; i <= m_rfs->Count(); ++i)
            if (m_rfs->getItems(i).CellRef() == ref)
                return m_rfs->getItems(i);
        qFatal("no field %s", qPrintable(ref));
    }

    // The grid text without the blank on each side.
    QString Shown(const QString& ref) const
    {
        const QString t = m_grid.text(ref);
        if (t.size() < 2 || !t.startsWith(u' ') || !t.endsWith(u' '))
            return "<unpadded:" + t + ">";
        return t.mid(1, t.size() - 2);
    }

    void CheckRow(int row, const QString& cells)
    {
        const QStringList expected = cells.split(u'|');
        QCOMPARE(expected.size(), 6);
        for (int i = 0; i < 6; ++i) {
            const QString ref = kCols[i] + QString::number(row);
            QVERIFY2(Shown(ref) == expected[i],
                qPrintable(ref + ": shown '" + Shown(ref) + "', expected '" + expected[i] + "'"));
        }
    }

private slots:
    void initTestCase()
    {
        InitUILs();
        platform::setNumberSettings(platform::NumberSettings{});
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        Progress::setForm(&m_progress);
        Progress::setPump([] {});
        m_rhs = std::make_unique<TzyRHs>();
        m_rfs = std::make_unique<TzyRFs>();
        RF_PS_Consts::LoadRHs(*m_rhs);
        RF_PS_Consts::LoadRFs(*m_rfs);
    }
    void cleanupTestCase() { Progress::setForm(nullptr); }
    void init() { m_progress.ResetProgress(); }

    void fullScheduleGrid()
    {
        Run(FullSchedule());
        QCOMPARE(m_grid.text("A1"), QStringLiteral(" Tarvo ZOL Lumo: Curvewright "));
        QCOMPARE(Shown("G1"), QStringLiteral("01-Apr-2014"));
        QCOMPARE(Shown("G2"), QStringLiteral("31-Mar-2014"));
        QCOMPARE(Shown("B3"), QStringLiteral("Pump Station 4"));
        QCOMPARE(Shown("B4"), QStringLiteral("PS-004"));
        QCOMPARE(Shown("B5"), QStringLiteral("Harbour Board"));
        QCOMPARE(Shown("B6"), QStringLiteral("/data/ps4/schedule.xlsx"));
        QCOMPARE(Shown("B7"), QStringLiteral("Baseline, Actual, Target"));
        QCOMPARE(Shown("B8"), QStringLiteral("Man Hours, Cost"));
        QCOMPARE(Shown("B9"), QStringLiteral("None"));
        QCOMPARE(Shown("G6"), QStringLiteral("45"));
        QCOMPARE(Shown("G7"), QStringLiteral("0"));
        QCOMPARE(Shown("G8"), QStringLiteral("5"));
        QCOMPARE(Shown("G9"), QStringLiteral("40"));
        CheckRow(11, "30|75.00|24|80.00|36|90.00");
        CheckRow(12, "10|25.00|6|20.00|4|10.00");
        CheckRow(14, "03-Mar-2014||05-Mar-2014||01-Mar-2014|");
        CheckRow(15, "30-Apr-2014||31-Mar-2014||09-May-2014|");
        CheckRow(16, "59|29|27|27|70|31");
        CheckRow(17, "1,200.00|480.00|1,300.00|390.00|1,500.00|600.00");
        CheckRow(18, "60,000.00|24,000.00|65,000.00|19,500.00|75,000.00|30,000.00");
        CheckRow(20, "40.00|32.00|32.50|26.00|50.00|40.00");
        CheckRow(21, "40.00|32.00|32.50|26.00|50.00|40.00");
        // Slippage follows the Target dates, the status words the Actual ones.
        QCOMPARE(Shown("B23") + "|" + Shown("C23") + "|" + Shown("D23"), QStringLiteral("-2|-3.39|Started Late"));
        QCOMPARE(Shown("B24") + "|" + Shown("C24") + "|" + Shown("D24"), QStringLiteral("9|15.25|Finished Early"));
        QCOMPARE(Shown("B25") + "|" + Shown("C25") + "|" + Shown("D25"), QStringLiteral("11|18.64|Increased"));
        QCOMPARE(Shown("B26") + "|" + Shown("C26") + "|" + Shown("D26"), QStringLiteral("300.00|25.00|Over Budget"));
        QCOMPARE(
            Shown("B27") + "|" + Shown("C27") + "|" + Shown("D27"), QStringLiteral("-1,500.00|-2.50|Under Budget"));
        const QStringList taskStatus = {"6|16.67", "12|33.33", "9|25.00", "15|41.67", "3|8.33"};
        for (int i = 0; i < 5; ++i) {
            const QString row = QString::number(23 + i);
            QCOMPARE(Shown("F" + row) + "|" + Shown("G" + row), taskStatus[i]);
        }
        // Every field cell was written, and only those and the title.
        QCOMPARE(m_grid.texts.size(), 93);
    }

    void fullScheduleColours()
    {
        Run(FullSchedule());
        // Values in their layout colours ...
        QCOMPARE(m_grid.fill("B11"), clLightBlue);
        QCOMPARE(m_grid.font("B11"), clBlack);
        QCOMPARE(m_grid.fill("D17"), clLightGreen);
        QCOMPARE(m_grid.fill("G21"), clLightOrange);
        QCOMPARE(m_grid.fill("C14"), clGrey);
        QCOMPARE(m_grid.fill("G1"), clWhite);
        QCOMPARE(m_grid.font("G1"), clWindowText);
        QCOMPARE(m_grid.font("F23"), clWindowText);
        // ... but invalid tasks, slippage and growth above zero in red.
        for (const char* ref : {"B12", "D12", "F12", "B24", "D24", "B25", "D25", "B26", "D26"})
            QVERIFY2(m_grid.font(ref) == clRed, ref);
        // A negative start slippage is not red, though the Actual start is late.
        for (const char* ref : {"B23", "D23", "B27", "D27"})
            QVERIFY2(m_grid.font(ref) == clWindowText, ref);
        QCOMPARE(m_grid.font("C24"), clBlack);
        // Columns B..G take the widest of their automatic widths; A keeps its.
        QCOMPARE(m_grid.calls.first(), QStringLiteral("AutoSizeColsMerged(0)"));
        for (int col = 2; col <= 7; ++col)
            QCOMPARE(m_grid.widths.value(col), 130);
        QCOMPARE(m_grid.widths.value(1), 140);
        QCOMPARE(m_openButtonShown, 1);
    }

    void progressLines()
    {
        Progress::setFormatSources([] { return QStringLiteral(" [%.2d] %s "); }, [] { return QStringLiteral(" [--] %s "); });
        Run(FullSchedule());
        Progress::setFormatSources(nullptr, nullptr);
        const QStringList lines = m_progress.lines();
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QStringLiteral(" [01] Populating Project Summary Data... Complete. "));
        QCOMPARE(lines[1], QStringLiteral(" [02] Formatting Project Summary Data... Complete. "));
        QCOMPARE(lines[2], QStringLiteral(" [03] Populating Summary Form... Complete. "));
        QCOMPARE(lines[3], QStringLiteral(" [04] Formatting Summary Form... Complete. "));
    }

    void baselineOnly()
    {
        Run(BaselineOnly());
        CheckRow(11, "30|75.00|N/A|N/A|N/A|N/A");
        CheckRow(12, "10|25.00|N/A|N/A|N/A|N/A");
        CheckRow(14, "03-Mar-2014||N/A||N/A|");
        CheckRow(15, "30-Apr-2014||N/A||N/A|");
        CheckRow(16, "59|29|N/A|N/A|N/A|N/A");
        CheckRow(17, "1,200.00|480.00|N/A|N/A|N/A|N/A");
        CheckRow(20, "40.00|N/A|N/A|N/A|N/A|N/A");
        CheckRow(21, "40.00|N/A|N/A|N/A|N/A|N/A");
        for (int row = 23; row <= 27; ++row)
            CheckRow(row, "N/A|N/A|N/A|" + Shown("E" + QString::number(row)) + "|N/A|N/A");
        // "N/A" is black on button face, whatever the layout's colours.
        QCOMPARE(m_grid.font("D11"), clBlack);
        QCOMPARE(m_grid.fill("D11"), clBtnFace);
        QCOMPARE(m_grid.font("B23"), clBlack);
        QCOMPARE(m_grid.fill("B23"), clBtnFace);
        QCOMPARE(m_grid.fill("E14"), clGrey);
        QCOMPARE(m_grid.font("B12"), clRed);
    }

    void baselineWithoutTasksAgainstActual()
    {
        TzyPSResults r = FullSchedule();
        r.GenerateTGT = false;
        r.Curves[2] = TzyPSCurve{};
        r.Curves[0] = {0, 40, r.ReportDate, r.ReportDate, 1, 0, 0, 0, 0, 0};
        Run(r);
        CheckRow(11, "0|0.00|24|80.00|N/A|N/A");
        CheckRow(12, "40|100.00|6|20.00|N/A|N/A");
        CheckRow(14, "No Data||05-Mar-2014||N/A|");
        CheckRow(16, "No Data|No Data|27|27|N/A|N/A");
        CheckRow(17, "No Data|No Data|1,300.00|390.00|N/A|N/A");
        CheckRow(20, "No Data|No Data|No Data|N/A|No Data|N/A");
        CheckRow(21, "No Data|No Data|No Data|N/A|No Data|N/A");
        for (int row = 23; row <= 27; ++row) {
            const QString r2 = QString::number(row);
            QCOMPARE(Shown("B" + r2) + Shown("C" + r2) + Shown("D" + r2) + Shown("F" + r2) + Shown("G" + r2),
                QStringLiteral("No DataNo DataNo DataNo DataNo Data"));
        }
        // "No Data" is red on button face.
        QCOMPARE(m_grid.font("B14"), clRed);
        QCOMPARE(m_grid.fill("B14"), clBtnFace);
        QCOMPARE(m_grid.font("F23"), clRed);
    }

    void noDataCases_data()
    {
        QTest::addColumn<bool>("actual");
        QTest::addColumn<bool>("target");
        QTest::addColumn<int>("actualValid");
        QTest::addColumn<int>("targetValid");
        QTest::addColumn<bool>("noData");
        QTest::newRow("actual only, none valid") << true << false << 0 << 36 << true;
        QTest::newRow("target only, none valid") << false << true << 24 << 0 << true;
        QTest::newRow("both, neither valid") << true << true << 0 << 0 << true;
        QTest::newRow("both, actual valid") << true << true << 24 << 0 << false;
        QTest::newRow("both, target valid") << true << true << 0 << 36 << false;
    }
    void noDataCases()
    {
        QFETCH(bool, actual);
        QFETCH(bool, target);
        QFETCH(int, actualValid);
        QFETCH(int, targetValid);
        QFETCH(bool, noData);
        TzyPSResults r = FullSchedule();
        r.GenerateACT = actual;
        r.GenerateTGT = target;
        r.Curves[1].ValidCount = actualValid;
        r.Curves[2].ValidCount = targetValid;
        Run(r);
        for (int i = 68; i <= 92; ++i)
            QCOMPARE(m_rfs->getItems(i).ValueState(), quint8(noData ? vsNoData : vsValue));
        // A generated curve's own counts never show "No Data".
        if (actual)
            QCOMPARE(Shown("D11"), QString::number(actualValid));
        if (actual && actualValid == 0)
            QCOMPARE(Shown("D14"), QStringLiteral("No Data"));
    }

    void costOnly()
    {
        TzyPSResults r = FullSchedule();
        r.GenerateTGT = false;
        r.Curves[2] = TzyPSCurve{};
        r.GraphMH = false;
        r.Growth.MHGrowth = 50;
        for (TzyPSCurve& c : r.Curves)
            c.MHTotal = c.MHToDate = 0;
        Run(r);
        CheckRow(17, "N/A|N/A|N/A|N/A|N/A|N/A");
        CheckRow(20, "N/A|N/A|N/A|N/A|N/A|N/A");
        CheckRow(18, "60,000.00|24,000.00|65,000.00|19,500.00|N/A|N/A");
        QCOMPARE(Shown("B26") + "|" + Shown("C26") + "|" + Shown("D26"), QStringLiteral("N/A|N/A|N/A"));
        QCOMPARE(Shown("D27"), QStringLiteral("Under Budget"));
        QVERIFY(Field("D26").StrValue().isEmpty());
        // Growth behind an "N/A" is not marked red.
        QCOMPARE(Field("B26").FloatValue(), 50.0);
        QCOMPARE(m_grid.font("B26"), clBlack);
        QCOMPARE(m_grid.font("D26"), clBlack);
    }

    void countPercentagesOfNoTasksStayZero()
    {
        TzyPSResults r = FullSchedule();
        r.Curves[1].ValidCount = 0;
        r.Curves[1].InvalidCount = 0;
        r.Curves[2].ValidCount = 0;
        r.Curves[0].DurationTotal = 0;
        r.Curves[0].MHTotal = 0;
        r.Curves[2].CostTotal = 0;
        Run(r);
        QCOMPARE(Field("E11").FloatValue(), 0.0);
        QCOMPARE(Field("E12").FloatValue(), 0.0);
        QCOMPARE(Field("C23").FloatValue(), 0.0);   // no Baseline duration
        QCOMPARE(Field("C26").FloatValue(), 0.0);   // no Baseline man hours
        QCOMPARE(Field("D20").FloatValue(), 0.0);
        QCOMPARE(Field("E21").FloatValue(), 0.0);   // no Target cost
        QCOMPARE(Field("G23").FloatValue(), 0.0);   // neither Actual nor Target valid
        QCOMPARE(Field("G11").FloatValue(), 0.0);
        QCOMPARE(Field("G12").FloatValue(), 100.0); // 4 invalid of 4
    }

    void statusWords_data()
    {
        QTest::addColumn<int>("startOffset");  // comparison start - Baseline start
        QTest::addColumn<int>("finishOffset"); // comparison finish - Baseline finish
        QTest::addColumn<int>("cutOffShift");  // cut off date - Baseline start
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("finish");
        // The Baseline runs 10 days (day 0..9 from its start).
        QTest::newRow("started early, finishing late") << -1 << 2 << 5 << "Started Early" << "Will Finish Late";
        QTest::newRow("started on time, finished on time") << 0 << 0 << 20 << "Started On Time" << "Finished On Time";
        QTest::newRow("started late, finished early") << 3 << -1 << 20 << "Started Late" << "Finished Early";
        QTest::newRow("will start early") << -1 << 0 << -3 << "Will Start Early" << "Will Finish On Time";
        QTest::newRow("will start on time") << 0 << -2 << -1 << "Will Start On Time" << "Will Finish Early";
        QTest::newRow("will start late, finished late") << 4 << 1 << 3 << "Will Start Late" << "Will Finish Late";
        QTest::newRow("start on the cut off date") << 2 << 1 << 2 << "Started Late" << "Will Finish Late";
        QTest::newRow("finish on the cut off date") << 0 << 1 << 10 << "Started On Time" << "Finished Late";
    }
    void statusWords()
    {
        QFETCH(int, startOffset);
        QFETCH(int, finishOffset);
        QFETCH(int, cutOffShift);
        QFETCH(QString, start);
        QFETCH(QString, finish);
        TzyPSResults r = FullSchedule();
        r.GenerateTGT = false;
        const int bs = Day(2014, 3, 3);
        r.Curves[0].StartDate = bs;
        r.Curves[0].FinishDate = bs + 9;
        r.Curves[1].StartDate = bs + startOffset;
        r.Curves[1].FinishDate = bs + 9 + finishOffset;
        r.CutOffDate = bs + cutOffShift;
        const zyPSData::StatusWords w = zyPSData::GetStatusWords(r);
        QCOMPARE(w.Start, start);
        QCOMPARE(w.Finish, finish);
    }

    void growthWords_data()
    {
        QTest::addColumn<int>("duration");
        QTest::addColumn<double>("growth");
        QTest::addColumn<QString>("durationWord");
        QTest::addColumn<QString>("budgetWord");
        QTest::newRow("less") << -4 << -0.5 << "Decreased" << "Under Budget";
        QTest::newRow("same") << 0 << 0.0 << "No Change" << "On Budget";
        QTest::newRow("more") << 2 << 0.01 << "Increased" << "Over Budget";
    }
    void growthWords()
    {
        QFETCH(int, duration);
        QFETCH(double, growth);
        QFETCH(QString, durationWord);
        QFETCH(QString, budgetWord);
        TzyPSResults r = FullSchedule();
        r.Growth.DurationGrowth = duration;
        r.Growth.MHGrowth = r.Growth.CostGrowth = growth;
        const zyPSData::StatusWords w = zyPSData::GetStatusWords(r);
        QCOMPARE(w.Duration, durationWord);
        QCOMPARE(w.MH, budgetWord);
        QCOMPARE(w.Cost, budgetWord);
    }

    void targetDatesWhenOnlyTargetCompares()
    {
        TzyPSResults r = FullSchedule();
        r.GenerateACT = false;
        // Target starts two days early and finishes nine days late (after the cut off).
        const zyPSData::StatusWords w = zyPSData::GetStatusWords(r);
        QCOMPARE(w.Start, QStringLiteral("Started Early"));
        QCOMPARE(w.Finish, QStringLiteral("Will Finish Late"));
    }

    // An Actual curve without valid tasks has only placeholder dates; the
    // Target's real dates give the words.
    void actualWithoutTasksLeavesTheWordsToTarget()
    {
        TzyPSResults r = FullSchedule();
        r.Curves[1] = {0, 30, r.ReportDate, r.ReportDate, 1, 0, 0, 0, 0, 0};
        const zyPSData::StatusWords w = zyPSData::GetStatusWords(r);
        QCOMPARE(w.Start, QStringLiteral("Started Early"));
        QCOMPARE(w.Finish, QStringLiteral("Will Finish Late"));
    }

    void noWordsWithoutComparison()
    {
        const zyPSData::StatusWords w = zyPSData::GetStatusWords(BaselineOnly());
        QVERIFY(w.Start.isEmpty() && w.Finish.isEmpty() && w.Duration.isEmpty() && w.MH.isEmpty()
            && w.Cost.isEmpty());
        Run(BaselineOnly());
        QVERIFY(Field("D23").StrValue().isEmpty());
        QCOMPARE(Field("D23").IntValue(), 0);
    }

    void aSecondRunStartsFromResetValues()
    {
        Run(FullSchedule());
        Run(BaselineOnly());
        QCOMPARE(Field("D17").FloatValue(), 0.0);
        QCOMPARE(Field("F23").IntValue(), 0);
        QCOMPARE(Field("D23").ValueState(), quint8(vsNA));
        QCOMPARE(Field("B17").ValueState(), quint8(vsValue));
    }

    void cancelBeforePopulating()
    {
        Run(FullSchedule());
        m_progress.SetCancelled(true);
        QVERIFY_THROWS_EXCEPTION(OperationAborted, zyPSData::PopulatePSData(BaselineOnly(), *m_rfs, *m_rhs));
        QVERIFY(!m_progress.Cancelled());
        QCOMPARE(Field("D17").FloatValue(), 1300.0); // untouched
    }

    void failureClearsTheCancelFlag()
    {
        // A list without the summary's cells cannot be filled.
        TzyRFs empty;
        TzyRHs headers;
        RF_PS_Consts::LoadRHs(headers);
        QVERIFY_THROWS_EXCEPTION(std::exception, zyPSData::PopulatePSData(FullSchedule(), empty, headers));
        QVERIFY(!m_progress.Cancelled());
    }

    void definitionTexts()
    {
        TzySD sd;
        sd.PD.SetProjectTitle(QStringLiteral("Bridge"));
        sd.PD.SetProjectNumber(QStringLiteral("B-7"));
        sd.PD.SetProjectClient(QStringLiteral("County"));
        TzyPSResults r;
        zyPSData::SetDefinitionTexts(r, sd);
        QCOMPARE(r.ProjectTitle, QStringLiteral("Bridge"));
        QCOMPARE(r.ProjectNumber, QStringLiteral("B-7"));
        QCOMPARE(r.ProjectClient, QStringLiteral("County"));
        QCOMPARE(r.DataOptionsText, sd.SCO.GetDataOptionsText());
        QCOMPARE(r.QuantityText, sd.SCO.GetQuantityText());
        QCOMPARE(r.FilterDetails, sd.DSF.GetFilterDetails());
        QCOMPARE(r.DataSourceFile, sd.SCF.GetDataSourceFile());
    }
};

QTEST_GUILESS_MAIN(TstReportSummary)
#include "tst_report_summary.moc"
