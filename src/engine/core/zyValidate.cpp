#include "zyEngineCore.h"

#include "Format.h"
#include "Progress.h"
#include "StdDlg.h"
#include "Utils.h"
#include "zyUIL.h"

#include <algorithm>

namespace {
constexpr int uitValidating = 321;     // + curve
constexpr int uitProcessingDates = 324; // + curve
constexpr int uitComplete = 391;
constexpr int uitUnableToGenerate = 1111; // + 2 * curve, and the next one
constexpr int uitCheckMapAndFilter = 1117;
constexpr int uitNoValidItems = 1118;
constexpr int uitCheckMap = 1119;
constexpr int uitCloseHint = 987;
constexpr int uitClose = 289;
} // namespace

QString TzyEngineCore::NoValidItemsText(const QString& itemsLabel) const
{
    return zyRunText::Paragraphs({Utils::Format(UIT(uitNoValidItems), {itemsLabel, Settings.DSFLabel}),
                                  Utils::Format(UIT(uitCheckMap), {Settings.DSFLabel}), Settings.DSFName});
}

void TzyEngineCore::ValidateBaseline()
{
    ValidateCurve(cvBaseline);
}

void TzyEngineCore::ValidateActual()
{
    ValidateCurve(cvActual);
}

void TzyEngineCore::ValidateTarget()
{
    ValidateCurve(cvTarget);
}

void TzyEngineCore::ValidateCurve(int curve)
{
    StepFrame([&] {
        CheckShape();
        const int n = Tasks.TaskCount;
        const bool baseline = curve == cvBaseline;
        const auto& startCells = baseline ? Tasks.BLStartText : Tasks.StartText;
        const auto& finishCells = baseline ? Tasks.BLFinishText : Tasks.FinishText;
        const auto& mhCells = baseline ? Tasks.BLMH : Tasks.MapMH;
        const auto& costCells = baseline ? Tasks.BLCost : Tasks.MapCost;
        auto& valid = Tasks.Valid(curve);
        TzyCurve& cv = Curves[size_t(curve)];

        TzyStepCounter counter(*this, uitValidating + curve, n);
        cv.ResetList(n + 1, Settings.ReportDate);
        for (int t = 1; t <= n; ++t) {
            const size_t i = size_t(t);
            if (!Tasks.TaskBlank[i] && Tasks.InFilter[i]) {
                int start = 0;
                int finish = 0;
                bool ok = startCells[i].ToWholeDay(start) && finishCells[i].ToWholeDay(finish) && finish >= start;
                double pct = 0;
                if (ok && curve == cvActual) {
                    pct = Tasks.PctComplete[i].ToNumber();
                    ok = pct >= 0 && pct <= 1;
                }
                if (ok) {
                    const size_t k = size_t(++cv.ValidCount);
                    const int days = finish - start + 1;
                    const double mh = Settings.GraphMH ? mhCells[i].ToNumber() : 0.0;
                    const double cost = Settings.GraphCost ? costCells[i].ToNumber() : 0.0;
                    cv.Task[k] = t;
                    cv.TaskStart[k] = start;
                    cv.TaskFinish[k] = finish;
                    cv.TaskDays[k] = days;
                    cv.TaskMH[k] = mh;
                    cv.TaskCost[k] = cost;
                    if (curve == cvActual) {
                        // The rates wait for the cut at the Cut Off Date.
                        cv.TaskPctComplete[k] = pct;
                    } else {
                        cv.TaskMHPerDay[k] = mh / days;
                        cv.TaskCostPerDay[k] = cost / days;
                    }
                    valid[i] = 1;
                    if (baseline) {
                        Tasks.BLStart[i] = start;
                        Tasks.BLFinish[i] = finish;
                    } else {
                        Tasks.Start[i] = start;
                        Tasks.Finish[i] = finish;
                        Tasks.MH[i] = mh;
                        Tasks.Cost[i] = cost;
                    }
                } else {
                    ++cv.InvalidCount;
                    valid[i] = 0;
                }
            }
            counter.Tick(t);
        }
        counter.Finish();

        IProgress& p = progress();
        p.AddStep(UIT(uitProcessingDates + curve));
        // Without a valid task both are the report date (the initial entry).
        cv.StartDate = Settings.ReportDate;
        cv.FinishDate = Settings.ReportDate;
        if (cv.ValidCount > 0) {
            cv.StartDate = cv.TaskStart[1];
            cv.FinishDate = cv.TaskFinish[1];
        }
        for (int k = 2; k <= cv.ValidCount; ++k) {
            cv.StartDate = std::min(cv.StartDate, cv.TaskStart[size_t(k)]);
            cv.FinishDate = std::max(cv.FinishDate, cv.TaskFinish[size_t(k)]);
        }
        p.AppendToLastLine(UIT(uitComplete));
    });
}

void TzyEngineCore::CheckValidData(const QString& ItemsLabel)
{
    StepFrame([&] {
        QStringList lines;
        QString msgId;
        int generated = 0;
        int lacking = 0;
        static const char* const ids[] = {"UP005", "UP006", "UP007"};
        for (int c = cvBaseline; c <= cvTarget; ++c) {
            if (!Settings.Generate(c))
                continue;
            ++generated;
            if (Curves[size_t(c)].ValidCount > 0)
                continue;
            ++lacking;
            lines << UIT(uitUnableToGenerate + 2 * c) << UIT(uitUnableToGenerate + 2 * c + 1) << QString();
            msgId = QString::fromLatin1(ids[c]);
        }
        // Nothing generated is no more usable than nothing valid.
        if (lacking == generated)
            throw ZolError(NoValidItemsText(ItemsLabel));
        if (lacking > 0) {
            lines << UIT(uitCheckMapAndFilter);
            StdDlg::ShowMsg1(StdDlg::Warning, msgId, lines, UIT(uitCloseHint), UIT(uitClose), StdDlg::mrClose,
                             StdDlg::glClose);
        }
    });
}
