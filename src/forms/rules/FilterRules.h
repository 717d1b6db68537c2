#pragma once
// The Data Source Filter grid as plain data: its five rows, the row
// commands with their link rules, the clean-up, the compaction, the row
// tests, and the moves between the grid and the definition's filter.
#include "TaskFieldRules.h"

#include <QString>
#include <QStringList>

#include <array>

class TzyDSF;

namespace FilterRules {

constexpr int Rows = 5;

// Item indexes of the two lists: 0 "Please Select...", And/Or 1 And, 2 Or;
// operator code c is item c + 1.
constexpr int kPleaseSelect = 0, kAnd = 1, kOr = 2;

// One grid row: the five texts and the list indexes of the link and the
// operator cells (-1: none).
struct Row {
    QString link, taskFld, desc, op, value;
    int linkIndex = -1, opIndex = -1;
    bool anyText() const;
    bool operator==(const Row&) const = default;
};
// Element 0 is grid row 1.
using Grid = std::array<Row, Rows>;

QString PleaseSelect();
QStringList LinkItems();     // "Please Select...", "And", "Or"
QStringList OperatorItems(); // "Please Select...", the fourteen operators

// The item of a list that a cell's text names (ignoring case and outer
// blanks), or -1.
int ItemOf(const QStringList& items, const QString& text);

// Grid rows are numbered 1..5 in every function below.
bool HasTaskField(const Row& r);
// Row 1 needs task field and operator; later rows a link as well. A link
// or operator text that names no item of its list counts as missing.
bool IsComplete(const Grid& g, int row);

// Insert needs a confirmation when the last row would be pushed out.
bool InsertLosesData(const Grid& g);
void InsertRow(Grid& g, int row);
void DeleteRow(Grid& g, int row);
void MoveUp(Grid& g, int row);   // row 2..5
void MoveDown(Grid& g, int row); // row 1..4
// Keeps the complete rows, in their order, at the top; a row moved into
// row 1 loses its link.
void Compact(Grid& g);
// "Please Select..." left in a link or operator cell counts as empty.
void ClearPleaseSelect(Grid& g);
// A row with a task field gets And (rows 2..) and Equals where empty.
void ApplyDefaults(Grid& g, int row);
bool IsEmpty(const Grid& g);

// Colour of the value column's header for an operator text.
enum class ValueHeader { Optional, Required, MustBeEmpty };
ValueHeader ValueHeaderFor(const QString& operatorText);

// Names of row r in messages.
QString FieldName(int row);
QString ValueName(int row);
QString RowName(int row);

struct TestResult {
    bool undefined = false; // enabled with every cell empty
    QString undefinedHint;
    TaskFieldRules::RowFlags rows; // Rows entries
};
TestResult TestRows(const QString& dataSourceFile, const Grid& g, bool enabled);

// Loads the definition's filter rows into a grid.
Grid FromDSF(const TzyDSF& dsf);
// Stores the complete rows (incomplete ones never reach the definition);
// the list indexes of the incomplete rows become -1 in the grid.
void ToDSF(Grid& g, bool enabled, TzyDSF& dsf);

} // namespace FilterRules
