#include "zyDayRuns.h"

#include <algorithm>
#include <immintrin.h>

namespace {

using Run = TzyDayRuns::Run;

// Days in a block: eight registers of eight days. Each register's chain of
// additions then waits on its latency about as long as the eight adds take.
constexpr int kBlock = 64;

// Adds one run's rate to the block's days (from b) it covers.
[[gnu::target("avx512f"), gnu::always_inline]] inline void AddRun512(__m512d* acc, int b, const Run& r)
{
    const int lo = std::clamp(r.from - b, 0, kBlock);
    const int hi = std::clamp(r.to - b, -1, kBlock - 1);
    // Bits lo..hi (none when the run ends before it starts).
    const unsigned long long upto = hi == 63 ? ~0ULL : (1ULL << (hi + 1)) - 1;
    const unsigned long long below = lo == 64 ? ~0ULL : (1ULL << lo) - 1;
    const unsigned long long m = lo <= hi ? upto & ~below : 0;
    const __m512d v = _mm512_set1_pd(r.rate);
    for (int i = 0; i < 8; ++i)
        acc[i] = _mm512_mask_add_pd(acc[i], __mmask8(m >> (8 * i)), acc[i], v);
}

// The days b..b+63 (those up to `last`) of H, from the runs `open` (started
// before b) then `fresh` (starting in the block), in that order.
[[gnu::target("avx512f")]] void
AddBlock512(double* H, int b, int last, const Run* open, size_t openCount, const Run* fresh, size_t freshCount)
{
    const int n = std::min(kBlock, last - b + 1);
    const unsigned long long live = n == 64 ? ~0ULL : (1ULL << n) - 1;
    __m512d acc[8];
    for (int i = 0; i < 8; ++i)
        acc[i] = _mm512_maskz_loadu_pd(__mmask8(live >> (8 * i)), H + b + 8 * i);
    for (size_t k = 0; k < openCount; ++k)
        AddRun512(acc, b, open[k]);
    for (size_t k = 0; k < freshCount; ++k)
        AddRun512(acc, b, fresh[k]);
    for (int i = 0; i < 8; ++i)
        _mm512_mask_storeu_pd(H + b + 8 * i, __mmask8(live >> (8 * i)), acc[i]);
}

// The same without vector masks: run by run over the block's days it covers.
void AddBlockPlain(double* H, int b, int last, const Run* open, size_t openCount, const Run* fresh,
                   size_t freshCount)
{
    const int e = std::min(b + kBlock - 1, last);
    const auto add = [&](const Run& r) {
        const int to = std::min(r.to, e);
        for (int j = std::max(r.from, b); j <= to; ++j)
            H[j] += r.rate;
    };
    for (size_t k = 0; k < openCount; ++k)
        add(open[k]);
    for (size_t k = 0; k < freshCount; ++k)
        add(fresh[k]);
}

} // namespace

void TzyDayRuns::Build(const std::vector<int>& start, const std::vector<int>& days,
                       const std::array<const std::vector<double>*, 2>& rates, int validCount,
                       int projectStart, int dayCount)
{
    // A counting sort by start day (stable: list order within a day).
    FirstOfDay.assign(size_t(dayCount) + 2, 0);
    const auto dayOf = [&](int k) { return (long long)start[size_t(k)] - projectStart + 1; };
    for (int k = 1; k <= validCount; ++k) {
        const long long d = dayOf(k);
        if (d >= 1 && d <= dayCount)
            ++FirstOfDay[size_t(d) + 1];
    }
    for (int d = 1; d <= dayCount; ++d)
        FirstOfDay[size_t(d) + 1] += FirstOfDay[size_t(d)];
    const size_t n = size_t(FirstOfDay[size_t(dayCount) + 1]);
    for (auto& r : Runs)
        r.resize(n);
    std::vector<int> next(FirstOfDay.begin(), FirstOfDay.end() - 1);
    for (int k = 1; k <= validCount; ++k) {
        const long long d = dayOf(k);
        if (d < 1 || d > dayCount)
            continue;
        const size_t at = size_t(next[size_t(d)]++);
        const int to = int(std::min<long long>(d + days[size_t(k)] - 1, dayCount));
        for (size_t q = 0; q < Runs.size(); ++q)
            Runs[q][at] = {int(d), to, rates[q]->empty() ? 0.0 : (*rates[q])[size_t(k)]};
    }
    m_open.clear();
    m_q = -1;
}

void TzyDayRuns::AddDays(int q, int first, int last, double* H)
{
    if (first > last)
        return;
    const std::vector<Run>& runs = Runs[size_t(q)];
    if (q != m_q || first != m_next) {
        m_open.clear();
        for (int at = 0; at < FirstOfDay[size_t(first)]; ++at)
            if (runs[size_t(at)].to >= first)
                m_open.push_back(runs[size_t(at)]);
    }
    static const bool wide = __builtin_cpu_supports("avx512f");
    std::vector<Run> open;
    open.reserve(m_open.size());
    for (int b = first; b <= last; b += kBlock) {
        const int e = std::min(b + kBlock - 1, last);
        const Run* fresh = runs.data() + FirstOfDay[size_t(b)];
        const size_t freshCount = size_t(FirstOfDay[size_t(e) + 1] - FirstOfDay[size_t(b)]);
        if (wide)
            AddBlock512(H, b, last, m_open.data(), m_open.size(), fresh, freshCount);
        else
            AddBlockPlain(H, b, last, m_open.data(), m_open.size(), fresh, freshCount);
        // Runs still open after the block, in the same order.
        open.clear();
        for (const Run& r : m_open)
            if (r.to > e)
                open.push_back(r);
        for (size_t k = 0; k < freshCount; ++k)
            if (fresh[k].to > e)
                open.push_back(fresh[k]);
        m_open.swap(open);
    }
    m_q = q;
    m_next = last + 1;
}
