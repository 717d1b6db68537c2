#include "zyEngineCore.h"

#include "Format.h"
#include "Progress.h"
#include "Utils.h"
#include "zyUIL.h"

#include <QDate>
#include <QLocale>
#include <stdexcept>
#include <utility>

namespace {
constexpr int uitComplete = 391;
constexpr int uitTasks = 678;

IProgress& HookedProgress(const TzyCoreHooks& hooks)
{
    return hooks.progress ? *hooks.progress : Progress::form();
}

void HookedPollCancel(const TzyCoreHooks& hooks)
{
    if (hooks.pollCancel)
        hooks.pollCancel();
    else
        Progress::PollCancel();
}
} // namespace

QString zyRunText::Paragraphs(const QStringList& paragraphs)
{
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

QString zyRunText::Labelled(const QString& label, const QString& value)
{
    return Utils::Format(QStringLiteral("%s: %s"), {label, value});
}

// ---- hooks and the step frame -------------------------------------------

void RunStep(const TzyCoreHooks& hooks, const std::function<void()>& body)
{
    HookedPollCancel(hooks);
    try {
        body();
    } catch (...) {
        HookedProgress(hooks).SetCancelled(false);
        throw;
    }
}

IProgress& TzyEngineCore::progress() const
{
    return HookedProgress(Hooks);
}

void TzyEngineCore::PollCancel() const
{
    HookedPollCancel(Hooks);
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
    const auto fields = std::as_const(Tasks).MapFields();
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

TzyStepCounter::TzyStepCounter(const TzyCoreHooks& hooks, int uitId, int max, int first)
    : m_hooks(hooks), m_text(UIT(uitId)), m_max(max), m_shown(first)
{
    IProgress& p = HookedProgress(m_hooks);
    p.StartStepProgress(max);
    p.AddStep(Utils::Format(m_text, {first, max}));
}

void TzyStepCounter::Update(int i)
{
    HookedProgress(m_hooks).UpdateStepLine(Utils::Format(m_text, {i, m_max}));
    m_shown = i;
}

void TzyStepCounter::Stride(int i)
{
    if (i != m_shown)
        Update(i);
    HookedPollCancel(m_hooks);
}

void TzyStepCounter::Finish()
{
    if (m_last >= 0 && m_last != m_shown)
        Update(m_last);
    IProgress& p = HookedProgress(m_hooks);
    p.AppendToLastLine(UIT(uitComplete));
    p.ShowStepProgress(false);
}
