// The first stage of the calculation: the tasks of the Task Worksheet read
// into the engine's per-task arrays, one layer request per column.
#include "zyProcess.h"

#include "Format.h"
#include "Progress.h"
#include "Utils.h"
#include "zyEngineCore.h"
#include "zyProcessPrivate.h"
#include "zyUIL.h"
#include "zyXL.h"

using Utils::Format;
using namespace zyProcessPrivate;

namespace {

// A cell keeps its type: numbers (and dates, as day numbers) stay numbers,
// and only a cell that holds text is parsed later. An error cell reads as
// the text it shows.
TzyCell ToTaskCell(const XLCell& c)
{
    switch (c.kind) {
    case XLCell::Number:
        return TzyCell::FromNumber(c.number);
    case XLCell::Text:
    case XLCell::Error:
        return TzyCell::FromText(c.text);
    case XLCell::Empty:
        break;
    }
    return TzyCell();
}

} // namespace

void TzyProcess::ExtractData()
{
    step([&] {
        OpenWorkbookStep(DSFLabel, DSFName, DSFPassword);
        SelectWorksheetOrFail(TaskWSLabel, TaskWSName, DSFLabel, DSFName);
        UsedRangeStep(TaskWSLabel);

        ExtractTasks();
        if (m_def.FilterEnabled)
            ExtractFilterValues();

        CloseWorkbookStep(XL->WBLabel);
        QuitServerStep();
    });
}

void TzyProcess::ExtractTasks()
{
    step([&] {
        TzyTaskData& tasks = m_core->Tasks;
        const int firstRow = m_def.TaskHeaderRow + 1;
        const int lastRow = XL->LastRow;
        const int count = lastRow - firstRow + 1;
        if (count < 1)
            throw ZolError(Paragraphs({Format(UIT(1124), {XL->WSLabel}), Labelled(XL->WSLabel, XL->WSName),
                                       Format(UIT(1125), {XL->WSLabel})}));
        const int filterRows = m_def.FilterEnabled ? int(m_def.FilterRows.size()) : 0;
        tasks.Resize(count, filterRows);
        tasks.TotalTasks = tasks.TaskCount = count;
        tasks.TasksIgnored = 0;

        const auto fields = tasks.MapFields();
        int required = 0;
        for (bool r : m_def.MapRequired)
            required += r ? 1 : 0;

        IProgress& p = progress();
        p.StartStepProgress(required);
        p.AddStep(Format(UIT(318), {0, required}));
        int done = 0;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (!m_def.MapRequired[i])
                continue;
            XL->ExtractRawValues(m_def.MapTaskFld[i], firstRow, lastRow);
            std::vector<TzyCell>& field = *fields[i];
            const XLColumn& vals = XL->Vals;
            for (int t = 1; t <= count; ++t)
                field[size_t(t)] = t - 1 < vals.size() ? ToTaskCell(vals[t - 1]) : TzyCell();
            p.UpdateStepLine(Format(UIT(318), {++done, required}));
        }
        XL->Vals.clear();
        p.AppendToLastLine(UIT(391));
        p.ShowStepProgress(false);

        for (int t = 1; t <= count; ++t)
            tasks.TaskRow[size_t(t)] = firstRow + t - 1;
        m_core->MarkBlankTasks(m_def.MapRequired);
    });
}

void TzyProcess::ExtractFilterValues()
{
    step([&] {
        TzyTaskData& tasks = m_core->Tasks;
        const int firstRow = m_def.TaskHeaderRow + 1;
        const int lastRow = tasks.TaskCount + firstRow - 1;
        const int count = int(m_def.FilterRows.size());
        tasks.FilterVals.assign(size_t(count), std::vector<QString>(size_t(tasks.TaskCount) + 1));

        IProgress& p = progress();
        p.StartStepProgress(count);
        p.AddStep(Format(UIT(319), {0, count}));
        for (int r = 0; r < count; ++r) {
            XL->ExtractFmtValues(m_def.FilterRows[size_t(r)].TaskFld, firstRow, lastRow);
            std::vector<QString>& row = tasks.FilterVals[size_t(r)];
            const XLColumn& vals = XL->Vals;
            for (int t = 1; t <= tasks.TaskCount; ++t)
                row[size_t(t)] = t - 1 < vals.size() ? vals[t - 1].text : QString();
            p.UpdateStepLine(Format(UIT(319), {r + 1, count}));
        }
        XL->Vals.clear();
        p.AppendToLastLine(UIT(391));
        p.ShowStepProgress(false);
    });
}
