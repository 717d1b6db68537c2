#pragma once
// The calculation of a run, from the filter to growth and slippage, over the
// plain run data. The run frame fills Settings and Tasks, calls the stages in
// their order, and reads the curves, the day table and the growth back.
// Every stage polls for a cancel on entry and clears the cancel flag on any
// exception before raising it again.
#include "zyRunData.h"

#include <QString>
#include <QStringList>
#include <functional>

class IProgress;

struct TzyCoreHooks {
    // The progress display; nullptr: Progress::form().
    IProgress* progress = nullptr;
    // The cancel poll; empty: Progress::PollCancel().
    std::function<void()> pollCancel;
    // The Cut Off Date was moved: write it back into the definition and the
    // main form's date picker.
    std::function<void(int newCutOffDate)> cutOffDateMoved;
};

// The shape of the run's failure messages.
namespace zyRunText {
// Paragraphs, one empty line between them.
QString Paragraphs(const QStringList& paragraphs);
// "label: value".
QString Labelled(const QString& label, const QString& value);
} // namespace zyRunText

// The frame of every step of a run: a cancel poll, then the body; whatever
// leaves the body clears the cancel flag, so that only the run's handler
// reports it. Empty hooks stand for the progress form and its poll.
void RunStep(const TzyCoreHooks& hooks, const std::function<void()>& body);

class TzyEngineCore {
public:
    TzyRunSettings Settings;
    TzyTaskData Tasks;
    std::array<TzyCurve, 3> Curves; // cvBaseline, cvActual, cvTarget
    TzyDayTable Days;
    TzyGrowth Growth;
    TzyCoreHooks Hooks;

    TzyCurve& BL() { return Curves[cvBaseline]; }
    TzyCurve& ACT() { return Curves[cvActual]; }
    TzyCurve& TGT() { return Curves[cvTarget]; }

    // Zeroes every count and result (the arrays stay).
    void ResetResults();
    // Frees every array of the run.
    void ClearData();

    // Counts a blank task invalid for each generated curve; `required` tells
    // which of the nine map fields (Baseline Start Date .. % Complete) are read.
    void MarkBlankTasks(const std::array<bool, 9>& required);

    void FilterTasks();
    void ValidateBaseline();
    void ValidateActual();
    void ValidateTarget();
    void CheckValidData(const QString& ItemsLabel);
    void ValidateCutOffDate();
    void ProcessDates();
    void CalcBaselineDays();
    void CalcActualDays();
    void CalcTargetDays();
    void CalcPctSCurves();
    void CalcPctHistograms();
    void CalcBaselineTotals();
    void CalcActualTotals();
    void CalcTargetTotals();
    void CalcGrowthSlippage();
    void DeleteTempData();

    // The first quantity of the results that is not a finite number (a sum
    // beyond the largest double), named as the user knows it ("Baseline Man
    // Hours"); empty when every result is a number.
    QString NonFiniteQuantity() const;

    // The stages above in the run's order, each curve's only when generated
    // (the item label of CheckValidData: "Tasks").
    void CalculateAll();

    // The condition of one filter row for the upper-cased cell text C and
    // row value V.
    static bool FilterCondition(int op, const QString& C, const QString& V);
    // A date as the progress lines and messages show it ("dd-MMM-yyyy").
    static QString DateText(int day);

    IProgress& progress() const;
    void PollCancel() const;

private:
    void StepFrame(const std::function<void()>& body) { RunStep(Hooks, body); }
    void ValidateCurve(int curve);
    void CalcDays(int curve);
    void CalcPct(bool histograms);
    void CalcTotals(int curve);
    void CheckShape() const;
    // The failure of a run without a valid item in any generated curve.
    QString NoValidItemsText(const QString& itemsLabel) const;
};

// Writes one counted progress line cheaply: the line is formatted and
// rewritten at every 150th item, where the cancel poll also runs, and at the
// end, so a million items cost a few thousand line updates.
class TzyStepCounter {
public:
    static constexpr int kStride = 150;
    TzyStepCounter(const TzyCoreHooks& hooks, int uitId, int max, int first = 0);
    TzyStepCounter(const TzyEngineCore& core, int uitId, int max, int first = 0)
        : TzyStepCounter(core.Hooks, uitId, max, first)
    {
    }
    void Tick(int i)
    {
        m_last = i;
        if (i % kStride == 0)
            Stride(i);
    }
    // Writes the last count and appends "Complete.".
    void Finish();

private:
    void Stride(int i);
    void Update(int i);
    const TzyCoreHooks& m_hooks;
    QString m_text;
    int m_max;
    int m_last = -1;
    int m_shown;
};
