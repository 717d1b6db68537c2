#pragma once
// The test workbooks of the LibreOffice backend, made by driving the office
// itself, and the few direct looks into workbooks that the tests need.
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>

#include <QString>

#include <functional>

namespace lofix {

// The task workbook: worksheets Summary, Tasks, Notes and the hidden Old;
// on Tasks a header in row 3 from column B and five task rows (dates,
// percentages, thousands separators, errors, a multi-line cell, literal
// texts), row 6 and column E hidden, an AutoFilter over the block.
// `filter`: "MS Excel 97" or "Calc MS Excel 2007 XML"; `password` encrypts.
void makeTaskWorkbook(const css::uno::Reference<css::frame::XDesktop2>& desktop, const QString& path,
                      const QString& filter, const QString& password = QString());
// The report template: worksheet Chart Data with a block A7:B10 (header and
// three rows) under a chart over that block, and a worksheet Project Summary.
void makeChartWorkbook(const css::uno::Reference<css::frame::XDesktop2>& desktop, const QString& path,
                       const QString& filter);
// Every fixture of the tests into `folder`: tasks.xlsx and tasks.xls, the
// same encrypted with the password "geheim" as secret.xls and (committed,
// from tasks.xlsx) secret.xlsx, template.xlsx and template.xls.
void makeAll(const css::uno::Reference<css::frame::XDesktop2>& desktop, const QString& folder);
// Every fixture made now into `folder`, a folder of the test's own run (a
// folder shared between runs would be rewritten under a reader's feet);
// returns `folder`.
QString fixtures(const css::uno::Reference<css::frame::XDesktop2>& desktop, const QString& folder);

// Direct access for checks.
css::uno::Reference<css::lang::XComponent> load(const css::uno::Reference<css::frame::XDesktop2>& desktop,
                                                const QString& path, const QString& password = QString());
void close(const css::uno::Reference<css::lang::XComponent>& doc);
css::uno::Reference<css::sheet::XSpreadsheet> sheet(const css::uno::Reference<css::lang::XComponent>& doc,
                                                   const QString& name);
QString cellString(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet, const QString& cell);
int cellInt(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet, const QString& cell, const char* property);
// The data ranges of the sheet's first chart, as "A7:B22" texts.
QStringList chartRanges(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet);

// The same with a server of its own, ended before it returns.
QString fixturesMade(const QString& folder);

// A long block of cells from `topLeft` on, `rows` rows of `row(i)` (i from 1),
// written in one request.
void fillRows(const css::uno::Reference<css::sheet::XSpreadsheet>& sheet, const QString& topLeft, int rows,
              const std::function<css::uno::Sequence<css::uno::Any>(int)>& row);

// The SHA-256 of a file's bytes (empty when it cannot be read).
QByteArray digest(const QString& path);
// Whether a process has ended (gone, or a zombie nobody reaped yet).
bool gone(int pid);

} // namespace lofix
