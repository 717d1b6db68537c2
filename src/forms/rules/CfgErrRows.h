#pragma once
// The configuration-errors form's lines: the five column texts of each error
// of the validation's list, as the form draws them (one blank either side).
#include <QString>
#include <array>
#include <vector>

class TzyDV;

namespace CfgErrRows {

constexpr int kColumns = 5; // ID, Tab, Field, Details, Field Value
using Line = std::array<QString, kColumns>;

// One line per error 1..Count, in order.
std::vector<Line> Read(const TzyDV& dv);

} // namespace CfgErrRows
