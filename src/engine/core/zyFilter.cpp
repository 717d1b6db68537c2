#include "zyEngineCore.h"

#include "Format.h"
#include "Progress.h"
#include "Utils.h"
#include "zyUIL.h"

namespace {
constexpr int uitFiltering = 320;
constexpr int uitNoTaskInFilter = 1120;
constexpr int uitFilterDetails = 1026;
constexpr int uitCheckFilter = 1121;
} // namespace

bool TzyEngineCore::FilterCondition(int op, const QString& C, const QString& V)
{
    switch (op) {
    case FilterOp::foNotEquals:
        return C != V;
    case FilterOp::foLessThan:
        return C < V;
    case FilterOp::foLessThanOrEqual:
        return C <= V;
    case FilterOp::foGreaterThan:
        return C > V;
    case FilterOp::foGreaterThanOrEqual:
        return C >= V;
    case FilterOp::foIsBlank:
        return C.isEmpty();
    case FilterOp::foIsNotBlank:
        return !C.isEmpty();
    case FilterOp::foStartsWith:
        return QStringView(C).left(V.size()) == V;
    case FilterOp::foNotStartsWith:
        return QStringView(C).left(V.size()) != V;
    case FilterOp::foEndsWith:
        return QStringView(C).right(V.size()) == V;
    case FilterOp::foNotEndsWith:
        return QStringView(C).right(V.size()) != V;
    case FilterOp::foContains:
        return !V.isEmpty() && C.contains(V);
    case FilterOp::foNotContains:
        return V.isEmpty() || !C.contains(V);
    case FilterOp::foEquals:
    default:
        // The definition's validation resets an unknown operator to Equals.
        return C == V;
    }
}

void TzyEngineCore::FilterTasks()
{
    StepFrame([&] {
        CheckShape();
        Tasks.TasksNotInFilter = 0;
        const int n = Tasks.TaskCount;
        Tasks.InFilter.assign(size_t(n) + 1, 1);
        if (!Settings.FilterEnabled)
            return;

        const auto& rows = Settings.FilterRows;
        std::vector<QString> values;
        values.reserve(rows.size());
        for (const auto& row : rows)
            values.push_back(Utils::AsciiUpper(row.TaskFldValue));

        TzyStepCounter counter(*this, uitFiltering, n);
        for (int t = 1; t <= n; ++t) {
            if (!Tasks.TaskBlank[size_t(t)]) {
                // And binds tighter than Or: a group of And-joined rows is true
                // when all its rows are; the task passes when any group does.
                bool any = false;
                bool group = true;
                for (size_t r = 0; r < rows.size(); ++r) {
                    if (r > 0 && !rows[r].AndFlag) {
                        any = any || group;
                        group = true;
                    }
                    if (group)
                        group = FilterCondition(rows[r].FilterOperator,
                                                Utils::AsciiUpper(Tasks.FilterVals[r][size_t(t)]), values[r]);
                }
                Tasks.InFilter[size_t(t)] = (any || group) ? 1 : 0;
            }
            counter.Tick(t);
        }
        counter.Finish();

        bool anyIn = false;
        for (int t = 1; t <= n; ++t) {
            if (!Tasks.InFilter[size_t(t)]) {
                ++Tasks.TasksNotInFilter;
                continue;
            }
            anyIn = true;
            if (Tasks.TaskBlank[size_t(t)])
                continue;
            for (int c = cvBaseline; c <= cvTarget; ++c)
                if (Settings.Generate(c))
                    Tasks.Valid(c)[size_t(t)] = 1;
        }
        Tasks.TasksProcessed = Tasks.TotalTasks - Tasks.TasksIgnored - Tasks.TasksNotInFilter;

        if (!anyIn) {
            const QString dsf = Settings.DSFLabel;
            throw ZolError(zyRunText::Paragraphs({Utils::Format(UIT(uitNoTaskInFilter), {dsf}),
                                                  zyRunText::Labelled(dsf, Settings.DSFName),
                                                  zyRunText::Labelled(Settings.TaskWSLabel, Settings.TaskWSName),
                                                  Utils::Format(UIT(uitFilterDetails), {Settings.FilterDetails}),
                                                  Utils::Format(UIT(uitCheckFilter), {dsf})}));
        }
    });
}
