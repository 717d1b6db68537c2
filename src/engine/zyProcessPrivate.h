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
// Makes the report tables when start-up has not.
void EnsureReportTables();
} // namespace zyProcessPrivate
