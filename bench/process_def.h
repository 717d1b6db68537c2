#pragma once
// The definition a benchmark run processes (kept apart from the engine core).
#include <QString>

namespace bench {
// Creates the globals and one active definition over the generated schedule
// columns (map E..M), every curve and quantity; returns its index.
int Define(const QString& dsf, const QString& tpl, const QString& of, double cutOff);
} // namespace bench
