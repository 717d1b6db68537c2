#include "zyEngineCore.h"

#include "Format.h"
#include "Progress.h"
#include "Utils.h"
#include "zyUIL.h"

#include <QDate>
#include <QLocale>
#include <stdexcept>

namespace {
constexpr int uitComplete = 391;
constexpr int uitTasks = 678;
} // namespace

// ---- hooks and the step frame -------------------------------------------

IProgress& TzyEngineCore::progress() const
{
    return Hooks.progress ? *Hooks.progress : Progress::form();
}

void TzyEngineCore::PollCancel() const
{
    if (Hooks.pollCancel)
        Hooks.pollCancel();
    else
        Progress::PollCancel();
}

void TzyEngineCore::StepFrame(const std::function<void()>& body)
{
    PollCancel();
    try {
        body();
    } catch (...) {
        progress().SetCancelled(false);
        throw;
    }
}

void TzyEngineCore::CheckShape() const
{
    // The arrays are filled by the extraction; a mismatch is a program fault,
    // reported as a failure of the run rather than read out of bounds.
    const int rows = Settings.FilterEnabled ? int(Settings.FilterRows.size()) : 0;
    if (!Tasks.InShape(rows))
        throw std::logic_error("The task arrays do not match the task count.");
}

QString TzyEngineCore::DateText(int day)
{
    return QLocale::system().toString(DayDate(day), QStringLiteral("dd-MMM-yyyy"));
}

// ---- results ------------------------------------------------------------

void TzyEngineCore::ResetResults()
{
    Tasks.TotalTasks = Tasks.TaskCount = Tasks.TasksIgnored = 0;
    Tasks.TasksNotInFilter = Tasks.TasksProcessed = 0;
    for (auto& c : Curves)
        c.ResetResults();
    Growth = TzyGrowth();
}

void TzyEngineCore::ClearData()
{
    Tasks.Clear();
    for (auto& c : Curves)
        c.ClearList();
    Days.Clear();
}

void TzyEngineCore::MarkBlankTasks(const std::array<bool, 9>& required)
{
    const std::array<const std::vector<TzyCell>*, 9> fields = {
        &Tasks.BLStartText, &Tasks.BLFinishText, &Tasks.BLMH,    &Tasks.BLCost,     &Tasks.StartText,
        &Tasks.FinishText,  &Tasks.MapMH,        &Tasks.MapCost, &Tasks.PctComplete};
    CheckShape();
    for (int t = 1; t <= Tasks.TaskCount; ++t) {
        bool blank = true;
        for (size_t i = 0; i < fields.size() && blank; ++i)
            if (required[i] && !(*fields[i])[size_t(t)].IsBlank())
                blank = false;
        if (!blank)
            continue;
        Tasks.TaskBlank[size_t(t)] = 1;
        for (int c = cvBaseline; c <= cvTarget; ++c) {
            if (!Settings.Generate(c))
                continue;
            ++Curves[size_t(c)].InvalidCount;
            Tasks.Valid(c)[size_t(t)] = 0;
        }
    }
}

// ---- the whole calculation ------------------------------------------------

void TzyEngineCore::CalculateAll()
{
    FilterTasks();
    if (Settings.GenerateBL)
        ValidateBaseline();
    if (Settings.GenerateACT)
        ValidateActual();
    if (Settings.GenerateTGT)
        ValidateTarget();
    CheckValidData(UIT(uitTasks));
    ValidateCutOffDate();
    ProcessDates();
    if (Settings.GenerateBL)
        CalcBaselineDays();
    if (Settings.GenerateACT)
        CalcActualDays();
    if (Settings.GenerateTGT)
        CalcTargetDays();
    CalcPctSCurves();
    CalcPctHistograms();
    if (Settings.GenerateBL)
        CalcBaselineTotals();
    if (Settings.GenerateACT)
        CalcActualTotals();
    if (Settings.GenerateTGT)
        CalcTargetTotals();
    CalcGrowthSlippage();
}

// ---- the counted progress line --------------------------------------------

TzyStepCounter::TzyStepCounter(const TzyEngineCore& core, int uitId, int max, int first)
    : m_core(core), m_text(UIT(uitId)), m_max(max), m_shown(first)
{
    IProgress& p = m_core.progress();
    p.StartStepProgress(max);
    p.AddStep(Utils::Format(m_text, {first, max}));
}

void TzyStepCounter::Update(int i)
{
    m_core.progress().UpdateStepLine(Utils::Format(m_text, {i, m_max}));
    m_shown = i;
}

void TzyStepCounter::Stride(int i)
{
    if (i != m_shown)
        Update(i);
    m_core.PollCancel();
}

void TzyStepCounter::Finish()
{
    if (m_last >= 0 && m_last != m_shown)
        Update(m_last);
    IProgress& p = m_core.progress();
    p.AppendToLastLine(UIT(uitComplete));
    p.ShowStepProgress(false);
}
