#!/usr/bin/env python3
"""The engine's six per-day series (Baseline, Actual and Target; man hours
and cost) the numpy way: a difference array of each task's rate at its start
and its end, a cumulative sum for the histogram and another for the S curve.

    day_series_numpy.py INPUT SERIES REPEATS

INPUT is written by day_series_compare; SERIES holds the engine's own
histograms and S curves, which this version's must match closely (the sums
are taken in another order, so not bit for bit). Prints the check, then the
best time in seconds on the last line.
"""
import sys
import time

import numpy as np


def read_input(path):
    raw = open(path, "rb").read()
    at = 0
    curves = []
    for _ in range(3):
        n = int(np.frombuffer(raw, np.int32, 1, at)[0])
        at += 4
        start = np.frombuffer(raw, np.int32, n, at)
        at += 4 * n
        days = np.frombuffer(raw, np.int32, n, at)
        at += 4 * n
        mh = np.frombuffer(raw, np.float64, n, at)
        at += 8 * n
        cost = np.frombuffer(raw, np.float64, n, at)
        at += 8 * n
        curves.append((start, days, mh, cost))
    day_count = int(np.frombuffer(raw, np.int32, 1, at)[0])
    return curves, day_count


def series(curves, day_count):
    out = []
    for start, days, mh, cost in curves:
        end = np.minimum(start + days, day_count + 1)  # the day after the last
        for rate in (mh, cost):
            diff = np.bincount(start, weights=rate, minlength=day_count + 2)
            diff -= np.bincount(end, weights=rate, minlength=day_count + 2)
            histogram = np.cumsum(diff[1 : day_count + 1])
            out.append(histogram)
            out.append(np.cumsum(histogram))
    return out


def main():
    curves, day_count = read_input(sys.argv[1])
    repeats = int(sys.argv[3])
    best = float("inf")
    for _ in range(repeats):
        t0 = time.perf_counter()
        result = series(curves, day_count)
        best = min(best, time.perf_counter() - t0)
    engine = np.fromfile(sys.argv[2], np.float64).reshape(len(result), day_count)
    worst = 0.0
    for mine, theirs in zip(result, engine):
        scale = max(np.abs(theirs).max(), 1.0)
        worst = max(worst, float(np.abs(mine - theirs).max() / scale))
    if worst > 1e-9:
        sys.exit(f"numpy series differ from the engine's: relative {worst:.3g}")
    print(f"numpy {np.__version__}: series agree with the engine's within {worst:.1e} (relative)")
    print(best)


if __name__ == "__main__":
    main()
