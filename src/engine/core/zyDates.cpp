#include "zyEngineCore.h"

#include "Format.h"
#include "Progress.h"
#include "StdDlg.h"
#include "Utils.h"
#include "zyUIL.h"

#include <algorithm>

namespace {
constexpr int uitValidatingCutOff = 327;
constexpr int uitCutOffChangedLine = 328;
constexpr int uitAdjustingFinish = 329;
constexpr int uitProcessingDates = 330;
constexpr int uitComplete = 391;
constexpr int uitCutOffChanged = 1073;
constexpr int uitCloseHint = 988;
constexpr int uitClose = 289;
constexpr int uitTasks = 678;

struct Reason {
    int uit;
    const char* msgId;
};
// Indexed by the reason 1..4.
constexpr Reason kReasons[] = {{0, ""}, {1069, "UP008"}, {1071, "UP009"}, {1070, "UP010"}, {1072, "UP011"}};
} // namespace

void TzyEngineCore::ValidateCutOffDate()
{
    StepFrame([&] {
        const QString origText = DateText(Settings.CutOffDate);
        int rangeStart = Settings.CutOffDate;
        int rangeFinish = Settings.CutOffDate;
        bool moved = false;
        int reason = 0;
        IProgress& p = progress();
        const int idx = p.AddStepIdx(UIT(uitValidatingCutOff));

        const TzyCurve& bl = Curves[cvBaseline];
        const TzyCurve& act = Curves[cvActual];
        const TzyCurve& tgt = Curves[cvTarget];
        const bool hasBL = Settings.GenerateBL && bl.ValidCount > 0;
        const bool hasACT = Settings.GenerateACT && act.ValidCount > 0;
        const bool hasTGT = Settings.GenerateTGT && tgt.ValidCount > 0;

        if (hasBL) {
            rangeStart = bl.StartDate;
            rangeFinish = bl.FinishDate;
        }
        // Actual widens the range; Target does so only without Actual.
        const TzyCurve* other = nullptr;
        if (Settings.GenerateACT)
            other = &act;
        else if (Settings.GenerateTGT)
            other = &tgt;
        if (other && other->ValidCount > 0) {
            if (!Settings.GenerateBL) {
                rangeStart = other->StartDate;
                rangeFinish = other->FinishDate;
            }
            rangeStart = std::min(rangeStart, other->StartDate);
            rangeFinish = std::max(rangeFinish, other->FinishDate);
        }

        if (Settings.CutOffDate < rangeStart) {
            if (hasBL && rangeStart == bl.StartDate)
                reason = 1;
            if (hasACT && rangeStart == act.StartDate)
                reason = 2;
            if (hasTGT && rangeStart == tgt.StartDate)
                reason = 2;
            Settings.CutOffDate = rangeStart;
            moved = true;
        }
        if (Settings.CutOffDate > rangeFinish) {
            if (hasBL && rangeFinish == bl.FinishDate)
                reason = 3;
            if (hasACT && rangeFinish == act.FinishDate)
                reason = 4;
            if (hasTGT && !Settings.GenerateACT && rangeFinish == tgt.FinishDate)
                reason = 4;
            Settings.CutOffDate = rangeFinish;
            moved = true;
        }

        if (moved) {
            if (Hooks.cutOffDateMoved)
                Hooks.cutOffDateMoved(Settings.CutOffDate);
            const QString newText = DateText(Settings.CutOffDate);
            const QString changed = Utils::Format(UIT(uitCutOffChanged), {origText, newText});
            QStringList lines;
            // Moving to a start or finish always matches one of the curves'
            // dates, so a reason is found.
            lines << (reason > 0 ? UIT(kReasons[reason].uit) : QString()) << QString() << changed;
            StdDlg::ShowMsg1(StdDlg::Information, QString::fromLatin1(kReasons[reason].msgId), lines,
                             UIT(uitCloseHint), UIT(uitClose), StdDlg::mrClose, StdDlg::glClose);
            const QString rule(int(changed.size()), QLatin1Char('='));
            p.AddLine(rule);
            p.AddLine(Utils::Format(UIT(uitCutOffChangedLine), {origText, newText}));
            p.AddLine(rule);
        }
        p.AppendToLine(UIT(uitComplete), idx);

        const int cutOff = Settings.CutOffDate;
        if (Settings.GenerateACT) {
            p.AddStep(UIT(uitAdjustingFinish));
            TzyCurve& a = Curves[cvActual];
            const int validCount = std::min<int>(a.ValidCount, int(a.TaskFinish.size()) - 1);
            for (int k = 1; k <= validCount; ++k) {
                const size_t i = size_t(k);
                if (cutOff < a.TaskFinish[i])
                    a.TaskFinish[i] = cutOff;
                int days = 0;
                if (cutOff >= a.TaskStart[i])
                    days = a.TaskFinish[i] - a.TaskStart[i] + 1;
                if (days > 0) {
                    a.TaskDays[i] = days;
                    a.TaskMHPerDay[i] = a.TaskMH[i] * a.TaskPctComplete[i] / days;
                    a.TaskCostPerDay[i] = a.TaskCost[i] * a.TaskPctComplete[i] / days;
                } else {
                    a.TaskDays[i] = 0;
                    a.TaskMHPerDay[i] = 0;
                    a.TaskCostPerDay[i] = 0;
                }
            }
            p.AppendToLastLine(UIT(uitComplete));
        }

        for (int c = cvBaseline; c <= cvTarget; ++c) {
            if (!Settings.Generate(c))
                continue;
            TzyCurve& cv = Curves[size_t(c)];
            cv.DurationTotal = cv.FinishDate - cv.StartDate + 1;
            cv.DurationToDate = std::max(0, std::min(cutOff - cv.StartDate + 1, cv.DurationTotal));
        }
    });
}

void TzyEngineCore::ProcessDates()
{
    StepFrame([&] {
        IProgress& p = progress();
        p.AddStep(UIT(uitProcessingDates));
        bool any = false;
        int first = 0;
        int last = 0;
        for (int c = cvBaseline; c <= cvTarget; ++c) {
            const TzyCurve& cv = Curves[size_t(c)];
            if (!Settings.Generate(c) || cv.ValidCount <= 0)
                continue;
            first = any ? std::min(first, cv.StartDate) : cv.StartDate;
            last = any ? std::max(last, cv.FinishDate) : cv.FinishDate;
            any = true;
        }
        if (!any)
            throw ZolError(NoValidItemsText(UIT(uitTasks)));
        // A mistyped year (9999 for 2024) would ask for a table of millions of
        // days; refuse it before anything is allocated.
        const long long span = (long long)last - first + 1;
        if (span > kMaxProjectDays)
            throw ZolError(zyRunText::Paragraphs(
                {Utils::Format(QStringLiteral("The Tasks' dates span %d days, from %s to %s."),
                               {span, DateText(first), DateText(last)}),
                 Utils::Format(QStringLiteral("A project may span at most %d days (100 years)."), {kMaxProjectDays}),
                 Utils::Format(QStringLiteral("Please check the Start and Finish Dates in the %s."),
                               {Settings.DSFLabel}),
                 zyRunText::Labelled(Settings.DSFLabel, Settings.DSFName)}));

        Days.ProjectStart = first;
        Days.ProjectFinish = last;
        Days.DayCount = int(span);
        Days.DayDates.assign(size_t(span) + 1, 0);
        for (int d = 1; d <= Days.DayCount; ++d)
            Days.DayDates[size_t(d)] = first + d - 1;
        for (auto& s : Days.DaySeries)
            s.assign(size_t(span) + 1, 0.0);
        p.AppendToLastLine(UIT(uitComplete));
    });
}
