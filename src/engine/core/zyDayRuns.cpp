#include "zyDayRuns.h"

#include <algorithm>
#include <immintrin.h>

namespace {

using Run = TzyDayRuns::Run;

bool& Wide()
{
    static bool wide = __builtin_cpu_supports("avx512f");
    return wide;
}

// Registers of eight days per quantity and block: eight in all. Each
// register's chain of additions then waits on its latency about as long as
// the block's adds of one run take.
template <int Q>
constexpr int kRegs = 8 / Q;
template <int Q>
constexpr int kBlock = 8 * kRegs<Q>;

// The days of run r in the block from b: bit i for day b + i.
template <int Q>
inline unsigned long long RunMask(const Run& r, int b)
{
    constexpr int B = kBlock<Q>;
    const int lo = std::clamp(r.from - b, 0, B);
    const int hi = std::clamp(r.to - b, -1, B - 1);
    const unsigned long long upto = hi == 63 ? ~0ULL : (1ULL << (hi + 1)) - 1;
    const unsigned long long below = lo == 64 ? ~0ULL : (1ULL << lo) - 1;
    return lo <= hi ? upto & ~below : 0;
}

// Adds run r's rates to the block's days (from b) it covers.
template <int Q>
[[gnu::target("avx512f"), gnu::always_inline]] inline void AddRun512(__m512d (*acc)[kRegs<Q>], int q0, int b,
                                                                     const Run& r)
{
    const unsigned long long m = RunMask<Q>(r, b);
    __m512d v[Q];
    for (int q = 0; q < Q; ++q)
        v[q] = _mm512_set1_pd(r.rate[size_t(q0 + q)]);
    for (int i = 0; i < kRegs<Q>; ++i) {
        const __mmask8 k = __mmask8(m >> (8 * i));
        for (int q = 0; q < Q; ++q)
            acc[q][i] = _mm512_mask_add_pd(acc[q][i], k, acc[q][i], v[q]);
    }
}

// The days b.. of the block (those up to `last`) of H[0..Q-1] (quantities
// q0..), from the runs `open` (started before b) then `fresh` (starting in
// the block), in that order.
template <int Q>
[[gnu::target("avx512f")]] void AddBlock512(double* const* H, int q0, int b, int last, const Run* open,
                                            size_t openCount, const Run* fresh, size_t freshCount)
{
    constexpr int R = kRegs<Q>;
    const int n = std::min(kBlock<Q>, last - b + 1);
    const unsigned long long live = n == 64 ? ~0ULL : (1ULL << n) - 1;
    __m512d acc[Q][R];
    for (int q = 0; q < Q; ++q)
        for (int i = 0; i < R; ++i)
            acc[q][i] = _mm512_maskz_loadu_pd(__mmask8(live >> (8 * i)), H[q] + b + 8 * i);
    for (size_t k = 0; k < openCount; ++k)
        AddRun512<Q>(acc, q0, b, open[k]);
    for (size_t k = 0; k < freshCount; ++k)
        AddRun512<Q>(acc, q0, b, fresh[k]);
    for (int q = 0; q < Q; ++q)
        for (int i = 0; i < R; ++i)
            _mm512_mask_storeu_pd(H[q] + b + 8 * i, __mmask8(live >> (8 * i)), acc[q][i]);
}

// The same without vector masks: run by run over the block's days it covers.
template <int Q>
void AddBlockPlain(double* const* H, int q0, int b, int last, const Run* open, size_t openCount, const Run* fresh,
                   size_t freshCount)
{
    const int e = std::min(b + kBlock<Q> - 1, last);
    const auto add = [&](const Run& r) {
        const int to = std::min(r.to, e);
        for (int q = 0; q < Q; ++q) {
            const double rate = r.rate[size_t(q0 + q)];
            double* h = H[q];
            for (int j = std::max(r.from, b); j <= to; ++j)
                h[j] += rate;
        }
    };
    for (size_t k = 0; k < openCount; ++k)
        add(open[k]);
    for (size_t k = 0; k < freshCount; ++k)
        add(fresh[k]);
}

// Days first..last, block by block; `open` holds the runs open at `first`
// and is left with those open after `last`.
template <int Q>
void AddSpan(const TzyDayRuns& runs, std::vector<Run>& open, double* const* H, int q0, int first, int last)
{
    const bool wide = TzyDayRuns::WideVectors();
    std::vector<Run> next;
    for (int b = first; b <= last; b += kBlock<Q>) {
        const int e = std::min(b + kBlock<Q> - 1, last);
        const Run* fresh = runs.Runs.data() + runs.FirstOfDay[size_t(b)];
        const size_t freshCount = size_t(runs.FirstOfDay[size_t(e) + 1] - runs.FirstOfDay[size_t(b)]);
        if (wide)
            AddBlock512<Q>(H, q0, b, last, open.data(), open.size(), fresh, freshCount);
        else
            AddBlockPlain<Q>(H, q0, b, last, open.data(), open.size(), fresh, freshCount);
        // Runs still open after the block, in the same order; written
        // without a branch, which would guess wrong for every other run.
        next.resize(open.size() + freshCount);
        size_t kept = 0;
        for (const Run& r : open) {
            next[kept] = r;
            kept += r.to > e;
        }
        for (size_t k = 0; k < freshCount; ++k) {
            next[kept] = fresh[k];
            kept += fresh[k].to > e;
        }
        next.resize(kept);
        open.swap(next);
    }
}

} // namespace

bool TzyDayRuns::WideVectors()
{
    return Wide();
}

void TzyDayRuns::SetWideVectors(bool on)
{
    Wide() = on && __builtin_cpu_supports("avx512f");
}

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
    Runs.resize(size_t(FirstOfDay[size_t(dayCount) + 1]));
    std::vector<int> next(FirstOfDay.begin(), FirstOfDay.end() - 1);
    const auto rateOf = [&](size_t q, int k) { return rates[q]->empty() ? 0.0 : (*rates[q])[size_t(k)]; };
    for (int k = 1; k <= validCount; ++k) {
        const long long d = dayOf(k);
        if (d < 1 || d > dayCount)
            continue;
        const int to = int(std::min<long long>(d + days[size_t(k)] - 1, dayCount));
        Runs[size_t(next[size_t(d)]++)] = {int(d), to, {rateOf(0, k), rateOf(1, k)}};
    }
    m_open.clear();
    m_next = 0;
}

std::vector<TzyDayRuns::Run> TzyDayRuns::OpenAt(int day) const
{
    std::vector<Run> open;
    for (int at = 0; at < FirstOfDay[size_t(day)]; ++at)
        if (Runs[size_t(at)].to >= day)
            open.push_back(Runs[size_t(at)]);
    return open;
}

void TzyDayRuns::AddSpan(std::vector<Run>& open, int first, int last, const std::array<double*, 2>& H) const
{
    if (H[0] && H[1])
        ::AddSpan<2>(*this, open, H.data(), 0, first, last);
    else if (H[0] || H[1]) {
        const int q = H[0] ? 0 : 1;
        ::AddSpan<1>(*this, open, H.data() + q, q, first, last);
    }
}

void TzyDayRuns::AddDays(int first, int last, const std::array<double*, 2>& H)
{
    if (first > last)
        return;
    const std::array<bool, 2> quantities{H[0] != nullptr, H[1] != nullptr};
    if (first != m_next || quantities != m_quantities)
        m_open = OpenAt(first);
    AddSpan(m_open, first, last, H);
    m_quantities = quantities;
    m_next = last + 1;
}
