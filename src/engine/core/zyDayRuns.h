#pragma once
// The per-day histograms of one curve as runs of days: each valid task adds
// its rates to the days from its start to its end. Each day must take its
// tasks' rates in the order the day-by-day walk meets them (by start day,
// then in list order), so that every sum is bit for bit the walk's; the runs
// are kept in that order. Days are added a block at a time: the block's sums
// stay in vector registers while every run that touches the block adds its
// rate to the block's days it covers (a masked add leaves the other days as
// they are), so each day still takes the same additions in the same order.
// Man hours and cost go through one pass when both are wanted: they share
// the runs and the masks, and each quantity's chain of additions waits on
// the other's.
#include <array>
#include <vector>

struct TzyDayRuns {
    // One run as the block loop reads it.
    struct Run {
        int from, to; // first and last day, `to` clipped to the table
        std::array<double, 2> rate; // qtMH, qtCost
    };
    // Runs starting on day d (1-based) are at [FirstOfDay[d], FirstOfDay[d + 1]).
    std::vector<int> FirstOfDay;
    std::vector<Run> Runs; // in run order

    // Runs of tasks 1..validCount with start days `start` (day numbers), lengths
    // `days` and the rates per quantity; `dayCount` days from `projectStart`.
    void Build(const std::vector<int>& start, const std::vector<int>& days,
               const std::array<const std::vector<double>*, 2>& rates, int validCount,
               int projectStart, int dayCount);
    // Adds to H[q][first..last] the rates of quantity q of every run covering
    // those days, for each q whose H[q] is not null: these days are then
    // final. Cheapest when called for consecutive days (first = the last
    // call's last + 1, the same quantities).
    void AddDays(int first, int last, const std::array<double*, 2>& H);

    // Whether the vector-mask loop is used (where the processor has it); the
    // plain loop gives the same sums. For tests.
    static bool WideVectors();
    static void SetWideVectors(bool on);

private:
    // The runs that started before `day` and cover it, in run order.
    std::vector<Run> OpenAt(int day) const;
    void AddSpan(std::vector<Run>& open, int first, int last, const std::array<double*, 2>& H) const;

    // Runs that started before m_next and cover it, in run order.
    std::vector<Run> m_open;
    int m_next = 0;
    std::array<bool, 2> m_quantities{};
};
