#pragma once
// The per-day histogram of one curve as runs of days: each valid task adds
// its rate to the days from its start to its end. Each day must take its
// tasks' rates in the order the day-by-day walk meets them (by start day,
// then in list order), so that every sum is bit for bit the walk's; the runs
// are kept in that order. Days are added a block at a time: the block's sums
// stay in vector registers while every run that touches the block adds its
// rate to the block's days it covers (a masked add leaves the other days as
// they are), so each day still takes the same additions in the same order.
#include <array>
#include <vector>

struct TzyDayRuns {
    // Runs starting on day d (1-based) are at [FirstOfDay[d], FirstOfDay[d + 1]).
    std::vector<int> FirstOfDay;
    // One run as the block loop reads it.
    struct Run {
        int from, to; // first and last day, `to` clipped to the table
        double rate;
    };
    std::array<std::vector<Run>, 2> Runs; // qtMH, qtCost; in run order

    // Runs of tasks 1..validCount with start days `start` (day numbers), lengths
    // `days` and the rates per quantity; `dayCount` days from `projectStart`.
    void Build(const std::vector<int>& start, const std::vector<int>& days,
               const std::array<const std::vector<double>*, 2>& rates, int validCount,
               int projectStart, int dayCount);
    // Adds to H[first..last] the rates of quantity q of every run covering
    // those days: these days of H are then final. Cheapest when called for
    // consecutive days (first = the last call's last + 1, same q).
    void AddDays(int q, int first, int last, double* H);

private:
    // Runs that started before m_next and cover it, in run order.
    std::vector<Run> m_open;
    int m_q = -1;
    int m_next = 0;
};
