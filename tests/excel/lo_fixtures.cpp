#include "lo_fixtures.h"

#include "CommittedFixtures.h"

#include "LoBackend.h"
#include "LoCall.h"
#include "LoOffice.h"
#include "LoText.h"
#include "LoUno.h"

#include <com/sun/star/awt/Rectangle.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XUnnamedDatabaseRanges.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableChart.hpp>
#include <com/sun/star/table/XTableCharts.hpp>
#include <com/sun/star/table/XTableChartsSupplier.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <csignal>
#include <stdexcept>

using namespace css;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

namespace lofix {

namespace {

struct Book : lo::NewWorkbook {
    using NewWorkbook::NewWorkbook;

    void save(const QString& path, const QString& filter, const QString& password = QString())
    {
        QFile::remove(path);
        lo::storeTo(doc, path, filter, password);
    }
};

Reference<table::XCell> cell(const Reference<sheet::XSpreadsheet>& s, const char* a1)
{
    return s->getCellRangeByName(OUString::createFromAscii(a1))->getCellByPosition(0, 0);
}

void text(const Reference<sheet::XSpreadsheet>& s, const char* a1, const QString& t)
{
    Reference<text::XTextRange>(cell(s, a1), UNO_QUERY_THROW)->setString(lo::toOU(t));
}

void number(const Reference<sheet::XSpreadsheet>& s, const char* a1, double v, sal_Int32 format = -1)
{
    auto c = cell(s, a1);
    c->setValue(v);
    if (format >= 0)
        Reference<beans::XPropertySet>(c, UNO_QUERY_THROW)->setPropertyValue("NumberFormat", Any(format));
}

void formula(const Reference<sheet::XSpreadsheet>& s, const char* a1, const char* f)
{
    cell(s, a1)->setFormula(OUString::createFromAscii(f));
}

QString rangeText(const table::CellRangeAddress& a)
{
    return lo::columnLetters(a.StartColumn + 1) + QString::number(a.StartRow + 1) + u':'
           + lo::columnLetters(a.EndColumn + 1) + QString::number(a.EndRow + 1);
}

} // namespace

void makeTaskWorkbook(const Reference<frame::XDesktop2>& desktop, const QString& path, const QString& filter,
                      const QString& password)
{
    Book b(desktop);
    auto summary = b.addSheet("Summary");
    text(summary, "A1", "Summary");
    auto t = b.addSheet("Tasks");
    auto notes = b.addSheet("Notes");
    text(notes, "A1", "Notes");
    auto old = b.addSheet("Old");
    text(old, "A1", "Old");
    Reference<beans::XPropertySet>(old, UNO_QUERY_THROW)->setPropertyValue("IsVisible", Any(false));

    const sal_Int32 date = b.format("DD-MMM-YYYY");
    const sal_Int32 dateTime = b.format("DD-MM-YYYY HH:MM");
    const sal_Int32 pct = b.format("0%");
    const sal_Int32 pct1 = b.format("0.0%");
    const sal_Int32 thousands = b.format("#,##0.00");
    const sal_Int32 fixed2 = b.format("0.00");

    text(t, "B3", "Task ID");
    text(t, "C3", " Start Date ");
    text(t, "D3", "Progress");
    text(t, "E3", "Cost");
    text(t, "F3", "Notes");
    text(t, "G3", "Check");

    text(t, "B4", "T1");
    number(t, "C4", 41640, date);
    number(t, "D4", 0.5, pct);
    number(t, "E4", 1234.5, thousands);
    text(t, "F4", "line1\nline2");
    formula(t, "G4", "=1/0");

    text(t, "B5", "T2");
    number(t, "C5", 41641, date);
    number(t, "D5", 0.25, pct);
    number(t, "E5", 1000000, thousands);
    text(t, "F5", "  padded  ");
    formula(t, "G5", "=NA()");

    text(t, "B6", "T3");
    number(t, "D6", 1, pct);
    number(t, "E6", 0, thousands);
    text(t, "F6", "=1+2");
    text(t, "G6", "00123");

    text(t, "B7", "T4");
    number(t, "C7", 41700.5, dateTime);
    number(t, "D7", 0.125, pct1);
    number(t, "E7", -5.5, thousands);
    number(t, "G7", 7);

    text(t, "B8", "T5");
    number(t, "C8", 41702, date);
    number(t, "D8", 0, pct);
    number(t, "E8", 12.345, fixed2);
    text(t, "F8", "last \"word\"");
    text(t, "G8", "x");

    Reference<table::XColumnRowRange> cr(t, UNO_QUERY_THROW);
    Reference<beans::XPropertySet>(cr->getRows()->getByIndex(5), UNO_QUERY_THROW)->setPropertyValue("IsVisible", Any(false));
    Reference<beans::XPropertySet>(cr->getColumns()->getByIndex(4), UNO_QUERY_THROW)
        ->setPropertyValue("IsVisible", Any(false));

    Reference<beans::XPropertySet> docProps(b.doc, UNO_QUERY_THROW);
    Reference<sheet::XUnnamedDatabaseRanges> ranges(docProps->getPropertyValue("UnnamedDatabaseRanges"), UNO_QUERY_THROW);
    table::CellRangeAddress block(1, 1, 2, 6, 7);
    ranges->setByTable(block);
    Reference<beans::XPropertySet>(ranges->getByTable(1), UNO_QUERY_THROW)->setPropertyValue("AutoFilter", Any(true));

    b.save(path, filter, password);
}

void makeChartWorkbook(const Reference<frame::XDesktop2>& desktop, const QString& path, const QString& filter)
{
    Book b(desktop);
    auto summary = b.addSheet("Project Summary");
    text(summary, "B3", "Project");
    auto c = b.addSheet("Chart Data");
    const sal_Int32 date = b.format("DD-MMM-YYYY");
    text(c, "A7", "Date");
    text(c, "B7", "Value");
    for (int i = 0; i < 3; ++i) {
        const QByteArray a = "A" + QByteArray::number(8 + i);
        const QByteArray v = "B" + QByteArray::number(8 + i);
        number(c, a.constData(), 41640 + i, date);
        number(c, v.constData(), 10 * (i + 1));
    }
    Reference<table::XTableChartsSupplier> charts(c, UNO_QUERY_THROW);
    Sequence<table::CellRangeAddress> ranges(1);
    ranges.getArray()[0] = table::CellRangeAddress(1, 0, 6, 1, 9);
    charts->getCharts()->addNewByName("Curve", awt::Rectangle(5000, 1000, 10000, 7000), ranges, true, false);
    b.save(path, filter);
}

void makeAll(const Reference<frame::XDesktop2>& desktop, const QString& folder)
{
    QDir().mkpath(folder);
    makeTaskWorkbook(desktop, folder + "/tasks.xlsx", "Calc MS Excel 2007 XML");
    makeTaskWorkbook(desktop, folder + "/tasks.xls", "MS Excel 97");
    makeTaskWorkbook(desktop, folder + "/secret.xls", "MS Excel 97", "geheim");
    // The same encrypted as OOXML, which the office cannot write.
    const QString secretXlsx = folder + "/secret.xlsx";
    QFile::remove(secretXlsx);
    if (!QFile::copy(fixtures::Committed("secret.xlsx"), secretXlsx))
        throw std::runtime_error("cannot copy " + fixtures::Committed("secret.xlsx").toStdString());
    makeChartWorkbook(desktop, folder + "/template.xlsx", "Calc MS Excel 2007 XML");
    makeChartWorkbook(desktop, folder + "/template.xls", "MS Excel 97");
}

QString fixtures(const Reference<frame::XDesktop2>& desktop, const QString& folder)
{
    makeAll(desktop, folder);
    return folder;
}

Reference<lang::XComponent> load(const Reference<frame::XDesktop2>& desktop, const QString& path,
                                 const QString& password)
{
    Reference<frame::XComponentLoader> loader(desktop, UNO_QUERY_THROW);
    Sequence<beans::PropertyValue> args(password.isEmpty() ? 1 : 2);
    args.getArray()[0] = lo::prop("Hidden", Any(true));
    if (!password.isEmpty())
        args.getArray()[1] = lo::prop("Password", Any(lo::toOU(password)));
    return loader->loadComponentFromURL(lo::toOU(lo::fileUrl(path)), "_blank", 0, args);
}

void close(const Reference<lang::XComponent>& doc)
{
    if (doc.is())
        Reference<util::XCloseable>(doc, UNO_QUERY_THROW)->close(true);
}

Reference<sheet::XSpreadsheet> sheet(const Reference<lang::XComponent>& doc, const QString& name)
{
    auto sheets = Reference<sheet::XSpreadsheetDocument>(doc, UNO_QUERY_THROW)->getSheets();
    return Reference<sheet::XSpreadsheet>(sheets->getByName(lo::toOU(name)), UNO_QUERY_THROW);
}

QString cellString(const Reference<sheet::XSpreadsheet>& s, const QString& a1)
{
    auto c = s->getCellRangeByName(lo::toOU(a1))->getCellByPosition(0, 0);
    return lo::toQ(Reference<text::XTextRange>(c, UNO_QUERY_THROW)->getString());
}

int cellInt(const Reference<sheet::XSpreadsheet>& s, const QString& a1, const char* property)
{
    auto c = s->getCellRangeByName(lo::toOU(a1));
    sal_Int32 v = 0;
    Reference<beans::XPropertySet>(c, UNO_QUERY_THROW)->getPropertyValue(OUString::createFromAscii(property)) >>= v;
    return v;
}

QStringList chartRanges(const Reference<sheet::XSpreadsheet>& s)
{
    Reference<table::XTableChartsSupplier> charts(s, UNO_QUERY_THROW);
    Reference<container::XIndexAccess> all(charts->getCharts(), UNO_QUERY_THROW);
    QStringList out;
    if (all->getCount() == 0)
        return out;
    Reference<table::XTableChart> chart(all->getByIndex(0), UNO_QUERY_THROW);
    for (const auto& a : chart->getRanges())
        out << rangeText(a);
    return out;
}

QString fixturesMade(const QString& folder)
{
    lo::BackendOptions o;
    o.spare = false;
    lo::Backend b(o);
    b.start();
    fixtures(b.server()->desktop(), folder);
    b.quit();
    return folder;
}

void fillRows(const Reference<sheet::XSpreadsheet>& s, const QString& topLeft, int rows,
              const std::function<Sequence<Any>(int)>& row)
{
    Sequence<Sequence<Any>> data(rows);
    auto* out = data.getArray();
    for (int i = 0; i < rows; ++i)
        out[i] = row(i + 1);
    const int width = rows > 0 ? data[0].getLength() : 1;
    auto corner = Reference<sheet::XCellRangeAddressable>(s->getCellRangeByName(lo::toOU(topLeft)), UNO_QUERY_THROW)
                      ->getRangeAddress();
    Reference<sheet::XCellRangeData>(
        s->getCellRangeByPosition(corner.StartColumn, corner.StartRow, corner.StartColumn + width - 1,
                                  corner.StartRow + rows - 1),
        UNO_QUERY_THROW)
        ->setDataArray(data);
}

QByteArray digest(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

bool gone(int pid)
{
    return lo::processEnded(pid);
}

} // namespace lofix
