#pragma once
// Helpers shared by the run frame's units.
#include <QString>
#include <QStringList>

namespace zyProcessPrivate {
// The operation's message lines (the application data's).
QStringList& Msgs();
// Paragraphs of an exception message, one empty line between them.
QString Paragraphs(const QStringList& paragraphs);
// "label: value".
QString Labelled(const QString& label, const QString& value);
// Selects the worksheet; when the workbook lacks it, closes the workbook,
// quits the server and raises "The %s was not found in the %s." (text
// `notFoundId`) with the worksheet and the file named.
void SelectWorksheetOrFail(const QString& wsLabel, const QString& wsName, const QString& fileLabel,
                           const QString& fileName, int notFoundId = 1132);
// Makes the report tables when start-up has not.
void EnsureReportTables();
} // namespace zyProcessPrivate
