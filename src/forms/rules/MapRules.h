#pragma once
// The row tests of the Data Source Map grid.
#include "TaskFieldRules.h"

#include <QString>

#include <vector>

namespace MapRules {

struct MapRow {
    QString fieldName; // "<label> Task Field", as messages name the row
    QString taskFld;   // the cell as it stands
    bool required = false;
};

// Three passes: required rows must hold a valid column; a column repeated
// flags the later row; an optional row may stay empty but a filled one must
// be valid. The range comes from the Data Source File's format.
TaskFieldRules::RowFlags TestRows(const QString& dataSourceFile, const std::vector<MapRow>& rows);

} // namespace MapRules
