#!/usr/bin/env python3
"""Loads workbooks in a strict reader (openpyxl) and checks their charts.

    strict_reader.py [--filled] <workbook.xlsx> ...

Every workbook must load without an error or a warning about its charts;
it must carry the report's six charts; every numeric cache of every chart
must hold numbers; every scatter chart
must sit on value axes. With --filled the caches must also hold points (a
saved Output File carries the values its charts were drawn from).
Prints one line per workbook and exits 1 on the first fault.
"""
import sys
import warnings

# The S curves and % S curves of man hours and cost, and their histograms.
REPORT_CHARTS = 6


def fail(path, why):
    print(f"FAIL {path}: {why}")
    sys.exit(1)


def references(series):
    for name in ("val", "cat", "xVal", "yVal"):
        ref = getattr(series, name, None)
        if ref is not None:
            yield name, ref


def check(path, filled):
    import openpyxl
    from openpyxl.chart.axis import NumericAxis
    from openpyxl.chart.scatter_chart import ScatterChart

    with warnings.catch_warnings():
        warnings.simplefilter("error")
        try:
            book = openpyxl.load_workbook(path)
        except Exception as e:  # the reader's refusal, whatever its kind
            fail(path, f"{type(e).__name__}: {e}")
    charts = [c for ws in book.worksheets for c in ws._charts]
    if len(charts) != REPORT_CHARTS:
        fail(path, f"{len(charts)} charts were read, not {REPORT_CHARTS}")
    points = 0
    for chart in charts:
        for part in getattr(chart, "_charts", [chart]):
            if isinstance(part, ScatterChart):
                for axis in (part.x_axis, part.y_axis):
                    if not isinstance(axis, NumericAxis):
                        fail(path, f"a scatter chart has a {type(axis).__name__}")
            for series in part.series:
                for name, ref in references(series):
                    cache = ref.numRef.numCache if ref.numRef is not None else None
                    if cache is None:
                        continue
                    for pt in cache.pt:
                        if not isinstance(pt.v, (int, float)):
                            fail(path, f"the {name} cache holds {pt.v!r}")
                    points += len(cache.pt)
    if filled and points == 0:
        fail(path, "the charts' caches hold no points")
    print(f"ok {path}: {len(charts)} charts, {points} cached numbers")


def main(argv):
    filled = "--filled" in argv
    paths = [a for a in argv if a != "--filled"]
    if not paths:
        print(__doc__)
        return 2
    for p in paths:
        check(p, filled)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
