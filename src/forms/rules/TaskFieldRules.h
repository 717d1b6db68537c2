#pragma once
// What the Data Source Map and the Data Source Filter share about a task
// field (the column letters of a worksheet column): the key filter of its
// cells, the valid range named in balloons, the row flags the pages show in
// their gutters, and the refill of the descriptions from the header row.
#include <QChar>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <vector>

namespace TaskFieldRules {

// The last column of the Data Source File's format: "IV" for a format of 256
// columns, else "XFD".
QString LastColumn(const QString& dataSourceFile);

// A key typed into a task field cell: a..z become capitals; A..Z,
// Backspace, Enter and Esc pass; anything else is refused.
struct KeyVerdict {
    QChar key;
    bool allowed = true;
};
KeyVerdict FilterColumnKey(QChar key);
// The balloon of a refused key: "Please enter a valid <label>." and the
// valid range.
QString RefusedKeyBalloon(const QString& fieldLabel, const QString& lastColumn);

// A grid row's verdict: flagged rows show the gutter image with the hint.
struct RowFlag {
    bool flagged = false;
    QString hint;
};
using RowFlags = std::vector<RowFlag>;

// Update Task Field Descriptions: the new description of every row and the
// four counters of the closing report.
struct DescCounters {
    int updated = 0, notFound = 0, invalid = 0, undefined = 0;
};
// The header row as read: column letters and header text per column.
using FieldList = QList<QPair<QString, QString>>;
struct DescUpdate {
    QStringList descriptions;
    DescCounters counters;
};
DescUpdate UpdateDescriptions(const QStringList& taskFields, const FieldList& header, int maxCols);
// True when at least one row names a task field (trimmed).
bool AnyTaskField(const QStringList& taskFields);
// The lines of the closing report: always the updated count, then each
// other counter above 0 after an empty line.
QStringList DescReportLines(const DescCounters& c);

} // namespace TaskFieldRules
