#include "zyPSData.h"

#include "Format.h"
#include "Progress.h"
#include "RF_PS_Consts.h"
#include "zyEngineCore.h"
#include "zyUIL.h"

#include <QHash>
#include <algorithm>
#include <initializer_list>
#include <stdexcept>

namespace zyPSData {

using namespace zyRpt;

namespace {

enum : int {
    uitPopulatingPSData = 339,
    uitFormattingPSData = 340,
    uitPopulatingSummaryForm = 342,
    uitFormattingSummaryForm = 343,
    uitComplete = 391,
    uitWillStartEarly = 392,
    uitStartedEarly = 395,
    uitWillFinishEarly = 398,
    uitFinishedEarly = 401,
    uitDecreased = 404,
    uitUnderBudget = 407,
    uitNA = 670,
    uitNoData = 671,
};

// The engine's step frame, on the progress form.
void Step(const std::function<void()>& body)
{
    RunStep(TzyCoreHooks(), body);
}

// The field cells by their address ("B11"), so the rules read like the
// layout.
class Cells {
public:
    explicit Cells(const TzyRFs& rfs)
    {
        for (int i = 1; i <= rfs.Count(); ++i)
            m_index.insert(rfs.getItems(i).CellRef(), i);
    }
    int operator[](const QString& ref) const
    {
        const auto it = m_index.constFind(ref);
        if (it == m_index.constEnd())
            throw std::logic_error("The Project Summary layout has no cell " + ref.toStdString() + ".");
        return *it;
    }

private:
    QHash<QString, int> m_index;
};

QString ColLetter(int col) { return QString(QChar(u'A' + col - 1)); }
QString Ref(int col, int row) { return ColLetter(col) + QString::number(row); }

// The value column (B, D, F) and the percentage or to-date column (C, E, G)
// of curve c in the rows of the task and project details.
int ValueCol(int c) { return 2 + 2 * c; }
int SecondCol(int c) { return 3 + 2 * c; }

double Pct(double part, double whole) { return part / whole * 100.0; }

void SetStates(TzyRFs& rfs, const Cells& cells, std::initializer_list<const char*> refs, quint8 state)
{
    for (const char* ref : refs)
        rfs.getItems(cells[QString::fromLatin1(ref)]).SetValueState(state);
}

void SetStateRange(TzyRFs& rfs, int first, int last, quint8 state)
{
    for (int i = first; i <= last; ++i)
        rfs.getItems(i).SetValueState(state);
}

// Items of rows 23..27: slippage, growth and the task status.
constexpr int kFirstStatusItem = 68;
constexpr int kLastStatusItem = 92;

} // namespace

TzyPSResults FromRun(const TzyEngineCore& core)
{
    TzyPSResults r;
    r.ReportDate = core.Settings.ReportDate;
    r.CutOffDate = core.Settings.CutOffDate;
    r.GenerateBL = core.Settings.GenerateBL;
    r.GenerateACT = core.Settings.GenerateACT;
    r.GenerateTGT = core.Settings.GenerateTGT;
    r.GraphMH = core.Settings.GraphMH;
    r.GraphCost = core.Settings.GraphCost;
    r.TotalTasks = core.Tasks.TotalTasks;
    r.TasksNotInFilter = core.Tasks.TasksNotInFilter;
    r.TasksProcessed = core.Tasks.TasksProcessed;
    for (size_t c = 0; c < r.Curves.size(); ++c)
        r.Curves[c] = core.Curves[c];
    r.Growth = core.Growth;
    return r;
}

StatusWords GetStatusWords(const TzyPSResults& r)
{
    StatusWords w;
    if (!r.Compared())
        return w;
    // The words follow the Actual dates when Actual is generated. An Actual
    // curve without a valid task has no dates of its own (they stand at the
    // report date), so the Target dates speak for it when Target has tasks.
    const TzyPSCurve& act = r.Curves[TzyPSResults::ACT];
    const TzyPSCurve& tgt = r.Curves[TzyPSResults::TGT];
    const bool useActual = r.GenerateACT && !(act.ValidCount == 0 && r.GenerateTGT && tgt.ValidCount > 0);
    const TzyPSCurve& cmp = useActual ? act : tgt;
    const TzyPSCurve& bl = r.Curves[TzyPSResults::BL];
    const int c = r.CutOffDate;

    // Early, on time, late: three consecutive texts, future tense first.
    auto word = [](int date, int baseline, bool future, int futureFirst, int pastFirst) {
        const int offset = date < baseline ? 0 : date == baseline ? 1 : 2;
        return UIT((future ? futureFirst : pastFirst) + offset);
    };
    w.Start = word(cmp.StartDate, bl.StartDate, cmp.StartDate > c, uitWillStartEarly, uitStartedEarly);
    w.Finish = word(cmp.FinishDate, bl.FinishDate, cmp.FinishDate > c, uitWillFinishEarly, uitFinishedEarly);
    auto bySign = [](double v, int negativeId) { return UIT(negativeId + (v < 0 ? 0 : v == 0 ? 1 : 2)); };
    w.Duration = bySign(r.Growth.DurationGrowth, uitDecreased);
    if (r.GraphMH)
        w.MH = bySign(r.Growth.MHGrowth, uitUnderBudget);
    if (r.GraphCost)
        w.Cost = bySign(r.Growth.CostGrowth, uitUnderBudget);
    return w;
}

void PopulatePSData(const TzyPSResults& r, TzyRFs& rfs, TzyRHs& rhs)
{
    Step([&] {
        IProgress& progress = Progress::form();
        progress.AddStep(UIT(uitPopulatingPSData));
        const Cells cells(rfs);
        auto at = [&](int col, int row) -> TzyRF& { return rfs.getItems(cells[Ref(col, row)]); };

        rfs.ResetValues();
        rhs.getItems(1).SetText(ReportTitle());

        at(7, 1).SetDateValue(r.ReportDate);
        at(7, 2).SetDateValue(r.CutOffDate);
        at(2, 3).SetStrValue(r.ProjectTitle);
        at(2, 4).SetStrValue(r.ProjectNumber);
        at(2, 5).SetStrValue(r.ProjectClient);
        at(2, 6).SetStrValue(r.DataSourceFile);
        at(2, 7).SetStrValue(r.DataOptionsText);
        at(2, 8).SetStrValue(r.QuantityText);
        at(2, 9).SetStrValue(r.FilterDetails);
        at(7, 6).SetIntValue(r.TotalTasks);
        at(7, 7).SetIntValue(0);
        at(7, 8).SetIntValue(r.TasksNotInFilter);
        at(7, 9).SetIntValue(r.TasksProcessed);

        const bool generated[3] = {r.GenerateBL, r.GenerateACT, r.GenerateTGT};
        for (int c = 0; c < 3; ++c) {
            if (!generated[c])
                continue;
            const TzyPSCurve& cv = r.Curves[size_t(c)];
            const int v = ValueCol(c);
            const int s = SecondCol(c);
            at(v, 11).SetIntValue(cv.ValidCount);
            at(v, 12).SetIntValue(cv.InvalidCount);
            const int tasks = cv.ValidCount + cv.InvalidCount;
            if (tasks != 0) {
                at(s, 11).SetFloatValue(Pct(cv.ValidCount, tasks));
                at(s, 12).SetFloatValue(Pct(cv.InvalidCount, tasks));
            }
            at(v, 14).SetDateValue(cv.StartDate);
            at(v, 15).SetDateValue(cv.FinishDate);
            at(v, 16).SetIntValue(cv.DurationTotal);
            at(s, 16).SetIntValue(cv.DurationToDate);
            at(v, 17).SetFloatValue(cv.MHTotal);
            at(s, 17).SetFloatValue(cv.MHToDate);
            at(v, 18).SetFloatValue(cv.CostTotal);
            at(s, 18).SetFloatValue(cv.CostToDate);
        }

        const TzyPSCurve& bl = r.Curves[TzyPSResults::BL];
        const TzyPSCurve& tgt = r.Curves[TzyPSResults::TGT];
        for (int c = 0; c < 3; ++c) {
            const TzyPSCurve& cv = r.Curves[size_t(c)];
            if (bl.MHTotal != 0)
                at(ValueCol(c), 20).SetFloatValue(Pct(cv.MHToDate, bl.MHTotal));
            if (tgt.MHTotal != 0)
                at(SecondCol(c), 20).SetFloatValue(Pct(cv.MHToDate, tgt.MHTotal));
            if (bl.CostTotal != 0)
                at(ValueCol(c), 21).SetFloatValue(Pct(cv.CostToDate, bl.CostTotal));
            if (tgt.CostTotal != 0)
                at(SecondCol(c), 21).SetFloatValue(Pct(cv.CostToDate, tgt.CostTotal));
        }

        if (r.Compared()) {
            // The slippage and growth values themselves are the status rows'
            // (PopulatePSStatus); their shares of the Baseline go here.
            const int days[3] = {r.Growth.StartSlippage, r.Growth.FinishSlippage, r.Growth.DurationGrowth};
            for (int i = 0; i < 3; ++i) {
                if (bl.DurationTotal != 0)
                    at(3, 23 + i).SetFloatValue(Pct(days[i], bl.DurationTotal));
            }
            if (bl.MHTotal != 0)
                at(3, 26).SetFloatValue(Pct(r.Growth.MHGrowth, bl.MHTotal));
            if (bl.CostTotal != 0)
                at(3, 27).SetFloatValue(Pct(r.Growth.CostGrowth, bl.CostTotal));

            const int counts[5] = {r.Growth.TasksStartingLate, r.Growth.TasksFinishingLate, r.Growth.TasksIncreasedDuration,
                r.Growth.TasksIncreasedMH, r.Growth.TasksIncreasedCost};
            const int n = std::max(r.Curves[TzyPSResults::ACT].ValidCount, tgt.ValidCount);
            for (int i = 0; i < 5; ++i) {
                at(6, 23 + i).SetIntValue(counts[i]);
                if (n > 0)
                    at(7, 23 + i).SetFloatValue(Pct(counts[i], n));
            }
        }

        PopulatePSStatus(r, rfs);
        progress.AppendToLastLine(UIT(uitComplete));
    });
}

void PopulatePSStatus(const TzyPSResults& r, TzyRFs& rfs)
{
    Step([&] {
        const Cells cells(rfs);
        auto at = [&](int col, int row) -> TzyRF& { return rfs.getItems(cells[Ref(col, row)]); };
        const StatusWords w = GetStatusWords(r);

        at(4, 23).SetStrValue(w.Start);
        at(4, 23).SetIntValue(r.Growth.StartSlippage);
        at(2, 23).SetIntValue(r.Growth.StartSlippage);
        at(4, 24).SetStrValue(w.Finish);
        at(4, 24).SetIntValue(r.Growth.FinishSlippage);
        at(2, 24).SetIntValue(r.Growth.FinishSlippage);
        at(4, 25).SetStrValue(w.Duration);
        at(4, 25).SetIntValue(r.Growth.DurationGrowth);
        at(2, 25).SetIntValue(r.Growth.DurationGrowth);
        at(4, 26).SetStrValue(w.MH);
        at(4, 26).SetFloatValue(r.Growth.MHGrowth);
        at(2, 26).SetFloatValue(r.Growth.MHGrowth);
        at(4, 27).SetStrValue(w.Cost);
        at(4, 27).SetFloatValue(r.Growth.CostGrowth);
        at(2, 27).SetFloatValue(r.Growth.CostGrowth);
    });
}

void FormatPSData(const TzyPSResults& r, TzyRFs& rfs)
{
    Step([&] {
        IProgress& progress = Progress::form();
        progress.AddStep(UIT(uitFormattingPSData));
        const Cells cells(rfs);

        if (!r.GraphMH) {
            SetStates(rfs, cells,
                {"B17", "C17", "D17", "E17", "F17", "G17", "B20", "C20", "D20", "E20", "F20", "G20", "B26", "C26",
                    "D26"},
                vsNA);
        }
        if (!r.GraphCost) {
            SetStates(rfs, cells,
                {"B18", "C18", "D18", "E18", "F18", "G18", "B21", "C21", "D21", "E21", "F21", "G21", "B27", "C27",
                    "D27"},
                vsNA);
        }
        if (!r.Compared())
            SetStateRange(rfs, kFirstStatusItem, kLastStatusItem, vsNA);
        if (!r.GenerateBL) {
            SetStates(rfs, cells,
                {"B11", "C11", "B12", "C12", "B14", "B15", "B16", "C16", "B17", "C17", "B18", "C18", "B20", "C20",
                    "D20", "F20", "B21", "C21", "D21", "F21"},
                vsNA);
        }
        if (!r.GenerateACT) {
            SetStates(rfs, cells,
                {"D11", "E11", "D12", "E12", "D14", "D15", "D16", "E16", "D17", "E17", "D18", "E18", "D20", "E20",
                    "D21", "E21"},
                vsNA);
        }
        if (!r.GenerateTGT) {
            SetStates(rfs, cells,
                {"F11", "G11", "F12", "G12", "F14", "F15", "F16", "G16", "F17", "G17", "F18", "G18", "C20", "E20",
                    "F20", "G20", "C21", "E21", "F21", "G21"},
                vsNA);
        }

        const bool blNone = r.Curves[TzyPSResults::BL].ValidCount == 0;
        const bool actNone = r.Curves[TzyPSResults::ACT].ValidCount == 0;
        const bool tgtNone = r.Curves[TzyPSResults::TGT].ValidCount == 0;
        if (r.Compared()) {
            const bool noComparison = blNone || (r.GenerateACT && !r.GenerateTGT && actNone)
                || (r.GenerateTGT && !r.GenerateACT && tgtNone)
                || (r.GenerateACT && r.GenerateTGT && actNone && tgtNone);
            if (noComparison)
                SetStateRange(rfs, kFirstStatusItem, kLastStatusItem, vsNoData);
        }
        if (r.GenerateBL && blNone) {
            SetStates(rfs, cells,
                {"B14", "B15", "B16", "C16", "B17", "C17", "B18", "C18", "B20", "C20", "D20", "F20", "B21", "C21",
                    "D21", "F21"},
                vsNoData);
        }
        if (r.GenerateACT && actNone) {
            SetStates(rfs, cells,
                {"D14", "D15", "D16", "E16", "D17", "E17", "D18", "E18", "D20", "E20", "D21", "E21"}, vsNoData);
        }
        if (r.GenerateTGT && tgtNone) {
            SetStates(rfs, cells,
                {"F14", "F15", "F16", "G16", "F17", "G17", "F18", "G18", "C20", "E20", "F20", "G20", "C21", "E21",
                    "F21", "G21"},
                vsNoData);
        }
        progress.AppendToLastLine(UIT(uitComplete));
    });
}

QString CellText(const TzyRF& rf)
{
    switch (rf.ValueState()) {
    case vsNoData:
        return UIT(uitNoData);
    case vsNA:
        return UIT(uitNA);
    default:
        return rf.GetValueText();
    }
}

void PopulateSummaryForm(const TzyRFs& rfs, const TzyRHs& rhs, ISummaryGrid& grid)
{
    Step([&] {
        IProgress& progress = Progress::form();
        progress.AddStep(UIT(uitPopulatingSummaryForm));
        const TzyRH& title = rhs.getItems(1);
        grid.setCells(title.Col(), title.Row(), Utils::Format(QStringLiteral(" %s "), {title.Text()}));
        for (int i = 1; i <= rfs.Count(); ++i) {
            const TzyRF& rf = rfs.getItems(i);
            grid.setCells(rf.Col(), rf.Row(), Utils::Format(QStringLiteral(" %s "), {CellText(rf)}));
        }
        progress.AppendToLastLine(UIT(uitComplete));
    });
}

void FormatSummaryForm(const TzyRFs& rfs, ISummaryGrid& grid, const std::function<void()>& showOpenOutputFile)
{
    Step([&] {
        IProgress& progress = Progress::form();
        progress.AddStep(UIT(uitFormattingSummaryForm));
        for (int i = 1; i <= rfs.Count(); ++i) {
            const TzyRF& rf = rfs.getItems(i);
            TColor font = rf.FontColor();
            TColor fill = rf.CellColor();
            if (rf.ValueState() == vsNoData) {
                font = clRed;
                fill = clBtnFace;
            } else if (rf.ValueState() == vsNA) {
                font = clBlack;
                fill = clBtnFace;
            }
            grid.setCellFontColor(rf.Col(), rf.Row(), font);
            grid.setCellColor(rf.Col(), rf.Row(), fill);
        }

        // Columns B..G share the width of the widest of them.
        grid.AutoSizeColsMerged(false);
        int width = 0;
        for (int col = 2; col <= 7; ++col)
            width = std::max(width, grid.getColWidths(col));
        for (int col = 2; col <= 7; ++col)
            grid.setColWidths(col, width);

        // Invalid tasks, slippage and growth above zero are shown in red.
        const Cells cells(rfs);
        auto redWhen = [&](const auto& refs, auto positive) {
            for (const char* ref : refs) {
                const TzyRF& rf = rfs.getItems(cells[QString::fromLatin1(ref)]);
                if (rf.ValueState() == vsValue && positive(rf))
                    grid.setCellFontColor(rf.Col(), rf.Row(), clRed);
            }
        };
        redWhen(kRedWhenPositiveCounts, [](const TzyRF& rf) { return rf.IntValue() > 0; });
        redWhen(kRedWhenPositiveAmounts, [](const TzyRF& rf) { return rf.FloatValue() > 0; });

        if (showOpenOutputFile)
            showOpenOutputFile();
        progress.AppendToLastLine(UIT(uitComplete));
    });
}

} // namespace zyPSData
