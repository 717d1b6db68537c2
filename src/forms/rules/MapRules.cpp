#include "MapRules.h"

#include "Utils.h"
#include "zyDV.h"
#include "zyUIL.h"

namespace MapRules {

TaskFieldRules::RowFlags TestRows(const QString& dataSourceFile, const std::vector<MapRow>& rows)
{
    const QString fileLabel = UIT(600);
    const QString file = Utils::Trim(dataSourceFile);
    TzyDV dv;
    const int n = int(rows.size());
    TaskFieldRules::RowFlags flags(rows.size());
    std::vector<QString> values;
    for (const MapRow& r : rows)
        values.push_back(Utils::AsciiUpper(Utils::Trim(r.taskFld)));
    const auto flag = [&](int i) {
        flags[i].flagged = true;
        flags[i].hint = dv.MsgShort;
    };

    for (int i = 0; i < n; ++i)
        if (rows[i].required && dv.CheckTaskFieldColumn(fileLabel, file, rows[i].fieldName, values[i]))
            flag(i);

    for (int i = 0; i + 1 < n; ++i) {
        if (dv.CheckTaskFieldColumn(fileLabel, file, rows[i].fieldName, values[i]))
            continue;
        for (int j = i + 1; j < n; ++j)
            if (dv.CheckSameValue(rows[j].fieldName, values[j], rows[i].fieldName, values[i])) {
                flag(j);
                break;
            }
    }

    for (int i = 0; i < n; ++i)
        if (!rows[i].required && !values[i].isEmpty()
            && dv.CheckTaskFieldColumn(fileLabel, file, rows[i].fieldName, values[i]))
            flag(i);
    return flags;
}

} // namespace MapRules
