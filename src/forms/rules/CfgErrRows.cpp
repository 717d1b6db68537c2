#include "CfgErrRows.h"

#include "Format.h"
#include "zyDV.h"

namespace CfgErrRows {

std::vector<Line> Read(const TzyDV& dv)
{
    const QString s = QStringLiteral(" %s ");
    std::vector<Line> lines;
    lines.reserve(size_t(std::max(0, dv.Count())));
    for (int i = 1; i <= dv.Count(); ++i) {
        lines.push_back({Utils::Format(QStringLiteral(" %d "), {i}),
                         Utils::Format(s, {dv.getCfgErrTab(i)}),
                         Utils::Format(s, {dv.getCfgErrFld(i)}),
                         Utils::Format(s, {dv.getCfgErrDetails(i)}),
                         Utils::Format(s, {dv.getCfgErrFldVal(i)})});
    }
    return lines;
}

} // namespace CfgErrRows
