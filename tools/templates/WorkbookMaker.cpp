#include "WorkbookMaker.h"

#include "Utils.h"

#include "LoText.h"
#include "LoUno.h"
#include "zyRF.h"
#include "zyRH.h"

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/awt/Rectangle.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/style/XStyle.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/chart2/AxisType.hpp>
#include <com/sun/star/chart2/ScaleData.hpp>
#include <com/sun/star/chart2/Symbol.hpp>
#include <com/sun/star/chart2/SymbolStyle.hpp>
#include <com/sun/star/chart2/XAxis.hpp>
#include <com/sun/star/chart2/XChartDocument.hpp>
#include <com/sun/star/chart2/XChartType.hpp>
#include <com/sun/star/chart2/XChartTypeContainer.hpp>
#include <com/sun/star/chart2/XCoordinateSystem.hpp>
#include <com/sun/star/chart2/XCoordinateSystemContainer.hpp>
#include <com/sun/star/chart2/XDataSeries.hpp>
#include <com/sun/star/chart2/XDataSeriesContainer.hpp>
#include <com/sun/star/chart2/XDiagram.hpp>
#include <com/sun/star/chart2/XFormattedString.hpp>
#include <com/sun/star/chart2/LegendPosition.hpp>
#include <com/sun/star/chart2/XLegend.hpp>
#include <com/sun/star/chart/ChartLegendExpansion.hpp>
#include <com/sun/star/chart2/XTitle.hpp>
#include <com/sun/star/chart2/XTitled.hpp>
#include <com/sun/star/chart2/data/XDataProvider.hpp>
#include <com/sun/star/chart2/data/XDataSequence.hpp>
#include <com/sun/star/chart2/data/XDataSink.hpp>
#include <com/sun/star/chart2/data/XLabeledDataSequence.hpp>
#include <com/sun/star/chart/MissingValueTreatment.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XEmbeddedObjectSupplier.hpp>
#include <com/sun/star/drawing/LineDash.hpp>
#include <com/sun/star/drawing/LineStyle.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/table/BorderLine2.hpp>
#include <com/sun/star/table/CellHoriJustify.hpp>
#include <com/sun/star/table/CellRangeAddress.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/table/XColumnRowRange.hpp>
#include <com/sun/star/table/XTableCharts.hpp>
#include <com/sun/star/table/XTableChartsSupplier.hpp>
#include <com/sun/star/table/XTableColumns.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/util/XMergeable.hpp>
#include <com/sun/star/util/XNumberFormatsSupplier.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

using namespace css;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace tmpl {

namespace {

OUString Ascii(const char* s)
{
    return OUString::createFromAscii(s);
}

// The workbook's colours are 0xRRGGBB; the report tables' 0xBBGGRR, with the
// system colours at their usual values.
sal_Int32 Rgb(zyRpt::TColor c)
{
    if (zyRpt::IsSystemColor(c)) {
        switch (zyRpt::SystemColorIndex(c)) {
        case 5:
            return 0xFFFFFF;
        case 15:
            return 0xD4D0C8;
        default:
            return 0x000000;
        }
    }
    return lo::swapRedBlue(int(c & 0xFFFFFF));
}

// The A1 address of a cell.
QString Cell(int col, int row)
{
    return lo::columnLetters(col) + QString::number(row);
}

class Book : public lo::NewWorkbook {
public:
    using NewWorkbook::NewWorkbook;

    void save(const QString& path, const QString& password = QString())
    {
        // Written beside the target and renamed, so a failed run leaves the
        // checked-in file whole.
        const QString temp = path + QStringLiteral(".part");
        QFile::remove(temp);
        lo::storeTo(doc, temp, lo::filterForFile(path), password);
        QFile::remove(path);
        if (!QFile::rename(temp, path))
            throw std::runtime_error("cannot rename " + temp.toStdString());
    }
};

Reference<beans::XPropertySet> Props(const Reference<sheet::XSpreadsheet>& s, const QString& a1)
{
    return Reference<beans::XPropertySet>(s->getCellRangeByName(lo::toOU(a1)), UNO_QUERY_THROW);
}

void SetText(const Reference<sheet::XSpreadsheet>& s, const QString& a1, const QString& text)
{
    auto cell = s->getCellRangeByName(lo::toOU(a1))->getCellByPosition(0, 0);
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Reference<text::XTextRange>(cell, UNO_QUERY_THROW)->setString(lo::toOU(t));
}

void SetNumber(const Reference<sheet::XSpreadsheet>& s, const QString& a1, double v)
{
    s->getCellRangeByName(lo::toOU(a1))->getCellByPosition(0, 0)->setValue(v);
}

table::BorderLine2 Line(zyRpt::TColor c, sal_Int16 width = 18)
{
    table::BorderLine2 l;
    l.Color = Rgb(c);
    l.OuterLineWidth = width;
    l.LineWidth = width;
    return l;
}

// One layout cell of the report tables, with its merged range.
void LayOut(const Reference<sheet::XSpreadsheet>& s, const zyRpt::TzyRptCell& c, sal_Int32 numberFormat)
{
    QString range = c.CellRef();
    if (c.Merge() && c.MergeToCol() > 0 && c.MergeToRow() > 0)
        range += QLatin1Char(':') + Cell(c.MergeToCol(), c.MergeToRow());
    auto p = Props(s, range);
    p->setPropertyValue(Ascii("CharWeight"), Any(float(c.FontBold() ? 150.0f : 100.0f)));
    p->setPropertyValue(Ascii("CharColor"), Any(Rgb(c.FontColor())));
    p->setPropertyValue(Ascii("CellBackColor"), Any(Rgb(c.CellColor())));
    p->setPropertyValue(Ascii("IsCellBackgroundTransparent"), Any(false));
    p->setPropertyValue(Ascii("TopBorder"), Any(Line(c.GridLineTopColor())));
    p->setPropertyValue(Ascii("LeftBorder"), Any(Line(c.GridLineLeftColor())));
    p->setPropertyValue(Ascii("BottomBorder"), Any(Line(c.GridLineBottomColor())));
    p->setPropertyValue(Ascii("RightBorder"), Any(Line(c.GridLineRightColor())));
    const table::CellHoriJustify just = c.HorAlign() == zyRpt::THorAlign::haLeft     ? table::CellHoriJustify_LEFT
                                        : c.HorAlign() == zyRpt::THorAlign::haRight ? table::CellHoriJustify_RIGHT
                                                                                    : table::CellHoriJustify_CENTER;
    p->setPropertyValue(Ascii("HoriJustify"), Any(just));
    p->setPropertyValue(Ascii("VertJustify"), Any(sal_Int32(2))); // centre
    p->setPropertyValue(Ascii("IsTextWrapped"), Any(true));
    if (numberFormat >= 0)
        p->setPropertyValue(Ascii("NumberFormat"), Any(numberFormat));
    if (c.Merge() && range.contains(QLatin1Char(':')))
        Reference<util::XMergeable>(s->getCellRangeByName(lo::toOU(range)), UNO_QUERY_THROW)->merge(true);
}

sal_Int32 FieldFormat(Book& b, const TzyRF& rf)
{
    switch (rf.DataType()) {
    case zyRpt::dtDate:
        return b.format("DD-MMM-YYYY");
    case zyRpt::dtInteger:
        return b.format("#,##0");
    case zyRpt::dtNumber:
        return b.format("#,##0.00");
    default:
        return b.format("@");
    }
}

// A report table on its worksheet: the headers with their texts, then the
// fields, formatted for their data.
void LayOutTable(Book& b, const Reference<sheet::XSpreadsheet>& s, const TzyRHs& headers, const TzyRFs& fields)
{
    for (int i = 1; i <= headers.Count(); ++i) {
        const TzyRH& h = headers.getItems(i);
        SetText(s, h.CellRef(), h.Text());
        LayOut(s, h, -1);
    }
    for (int i = 1; i <= fields.Count(); ++i) {
        const TzyRF& f = fields.getItems(i);
        LayOut(s, f, FieldFormat(b, f));
    }
}

void SetColumnWidth(const Reference<sheet::XSpreadsheet>& s, int col, sal_Int32 width100mm)
{
    Reference<table::XColumnRowRange> crr(s, UNO_QUERY_THROW);
    Reference<beans::XPropertySet>(crr->getColumns()->getByIndex(col - 1), UNO_QUERY_THROW)
        ->setPropertyValue(Ascii("Width"), Any(width100mm));
}

void SetRowHeight(const Reference<sheet::XSpreadsheet>& s, int row, sal_Int32 height100mm)
{
    Reference<table::XColumnRowRange> crr(s, UNO_QUERY_THROW);
    Reference<beans::XPropertySet>(crr->getRows()->getByIndex(row - 1), UNO_QUERY_THROW)
        ->setPropertyValue(Ascii("Height"), Any(height100mm));
}

// A4; the summary and its charts on one page, the block as wide as a page.
void PageSetup(Book& b, const QString& sheetName, bool onePage)
{
    auto sheet = Reference<beans::XPropertySet>(b.sheets->getByName(lo::toOU(sheetName)), UNO_QUERY_THROW);
    OUString styleName;
    sheet->getPropertyValue(Ascii("PageStyle")) >>= styleName;
    auto families = Reference<style::XStyleFamiliesSupplier>(b.doc, UNO_QUERY_THROW)->getStyleFamilies();
    auto pageStyles = Reference<container::XNameAccess>(families->getByName(Ascii("PageStyles")), UNO_QUERY_THROW);
    auto style = Reference<beans::XPropertySet>(pageStyles->getByName(styleName), UNO_QUERY_THROW);
    if (onePage) {
        // Each worksheet its own page style, so the two can differ.
        auto factory = Reference<lang::XMultiServiceFactory>(b.doc, UNO_QUERY_THROW);
        auto fresh = Reference<style::XStyle>(factory->createInstance(Ascii("com.sun.star.style.PageStyle")), UNO_QUERY_THROW);
        const OUString name = Ascii("ZOL Summary");
        Reference<container::XNameContainer>(pageStyles, UNO_QUERY_THROW)->insertByName(name, Any(fresh));
        sheet->setPropertyValue(Ascii("PageStyle"), Any(name));
        style.set(fresh, UNO_QUERY_THROW);
    }
    // The summary and its charts are tall: portrait; the block is wide.
    style->setPropertyValue(Ascii("IsLandscape"), Any(!onePage));
    style->setPropertyValue(Ascii("Width"), Any(sal_Int32(onePage ? 21000 : 29700)));
    style->setPropertyValue(Ascii("Height"), Any(sal_Int32(onePage ? 29700 : 21000)));
    style->setPropertyValue(Ascii("ScaleToPagesX"), Any(sal_Int16(1)));
    style->setPropertyValue(Ascii("ScaleToPagesY"), Any(sal_Int16(onePage ? 1 : 0)));
}

// ---- charts ---------------------------------------------------------------------

constexpr sal_Int32 kBaselineRgb = 0x3366FF;
constexpr sal_Int32 kActualRgb = 0x00A651;
constexpr sal_Int32 kTargetRgb = 0xFF0000;

struct ChartSeries {
    QString column; // values column of the block
    sal_Int32 rgb;
};

class ChartMaker {
public:
    ChartMaker(const Reference<uno::XComponentContext>& ctx, const Reference<sheet::XSpreadsheet>& host,
               int dataSheetIndex)
        : m_ctx(ctx), m_host(host), m_dataSheet(dataSheetIndex)
    {
    }

    // Curves over the days (x: the date column), with the Cut Off Date line
    // drawn against a hidden 0..1 axis.
    void curves(const QString& name, const QString& title, const QString& yTitle, const awt::Rectangle& rect,
                const std::vector<ChartSeries>& series, bool percent)
    {
        auto doc = add(name, rect);
        auto dp = doc->getDataProvider();
        auto cs = coordinateSystem(doc);
        Reference<chart2::XChartType> type(create("com.sun.star.chart2.ScatterChartType"), UNO_QUERY_THROW);
        Reference<chart2::XChartTypeContainer>(cs, UNO_QUERY_THROW)->setChartTypes(lo::seqOf({type}));
        Reference<chart2::XDataSeriesContainer> dsc(type, UNO_QUERY_THROW);
        // The secondary axis the Cut Off Date line is drawn against: 0..1,
        // so the line spans the plot whatever the quantities.
        Reference<chart2::XAxis> y2(create("com.sun.star.chart2.Axis"), UNO_QUERY_THROW);
        chart2::ScaleData sd2 = cs->getAxisByDimension(1, 0)->getScaleData();
        sd2.Minimum <<= 0.0;
        sd2.Maximum <<= 1.0;
        y2->setScaleData(sd2);
        Reference<beans::XPropertySet> y2p(y2, UNO_QUERY_THROW);
        y2p->setPropertyValue(Ascii("Show"), Any(true));
        y2p->setPropertyValue(Ascii("DisplayLabels"), Any(false));
        y2p->setPropertyValue(Ascii("LineStyle"), Any(drawing::LineStyle_NONE));
        y2p->setPropertyValue(Ascii("MajorTickmarks"), Any(sal_Int32(0)));
        y2p->setPropertyValue(Ascii("MinorTickmarks"), Any(sal_Int32(0)));
        cs->setAxisByDimension(1, y2, 1);
        for (const ChartSeries& s : series) {
            auto ds = newSeries(dp, {labeled(seq(dp, block(QStringLiteral("A")), "values-x"), {}),
                                     labeled(seq(dp, block(s.column), "values-y"), seq(dp, header(s.column), "label"))});
            line(ds, s.rgb, s.rgb == kActualRgb ? 80 : 53, false);
            dsc->addDataSeries(ds);
        }
        // The Cut Off Date line: (date, 0) to (date, 1) on the secondary axis.
        auto cut = newSeries(dp, {labeled(seq(dp, cells(QStringLiteral("$I$4:$I$5")), "values-x"), {}),
                                  labeled(seq(dp, cells(QStringLiteral("$J$4:$J$5")), "values-y"),
                                          seq(dp, cells(QStringLiteral("$I$3")), "label"))});
        line(cut, 0x000000, 35, true);
        Reference<beans::XPropertySet>(cut, UNO_QUERY_THROW)->setPropertyValue(Ascii("AttachedAxisIndex"), Any(sal_Int32(1)));
        dsc->addDataSeries(cut);


        // The days are numbers on a value axis: the axis a scatter chart has
        // (the office keeps the category axis of the chart it started as, and
        // a strict reader refuses a scatter chart drawn over categories).
        auto x = cs->getAxisByDimension(0, 0);
        chart2::ScaleData sx = x->getScaleData();
        sx.AxisType = chart2::AxisType::REALNUMBER;
        x->setScaleData(sx);
        dateAxis(doc, x);
        auto y = cs->getAxisByDimension(1, 0);
        chart2::ScaleData sy = y->getScaleData();
        sy.Minimum <<= 0.0;
        y->setScaleData(sy);
        numberAxis(doc, y, percent ? "0%" : "#,##0");
        titles(doc, cs, title, yTitle);
    }

    // Per-day columns over the date categories.
    void histogram(const QString& name, const QString& title, const QString& yTitle, const awt::Rectangle& rect,
                   const std::vector<ChartSeries>& series)
    {
        auto doc = add(name, rect);
        auto dp = doc->getDataProvider();
        auto cs = coordinateSystem(doc);
        // Target behind, Actual in front (Actual is Target's past), Baseline
        // as a profile line over them.
        Reference<chart2::XChartType> type(create("com.sun.star.chart2.ColumnChartType"), UNO_QUERY_THROW);
        Reference<beans::XPropertySet> tp(type, UNO_QUERY_THROW);
        tp->setPropertyValue(Ascii("GapwidthSequence"), Any(lo::seqOf<sal_Int32>({0})));
        tp->setPropertyValue(Ascii("OverlapSequence"), Any(lo::seqOf<sal_Int32>({100})));
        Reference<chart2::XChartType> profile(create("com.sun.star.chart2.LineChartType"), UNO_QUERY_THROW);
        Reference<chart2::XChartTypeContainer>(cs, UNO_QUERY_THROW)->setChartTypes(lo::seqOf({type, profile}));
        for (int i : {2, 1, 0}) {
            const ChartSeries& s = series[size_t(i)];
            auto ds = newSeries(dp, {labeled(seq(dp, block(s.column), "values-y"), seq(dp, header(s.column), "label"))});
            Reference<beans::XPropertySet> p(ds, UNO_QUERY_THROW);
            if (i == 0) {
                line(ds, s.rgb, 35, false);
                Reference<chart2::XDataSeriesContainer>(profile, UNO_QUERY_THROW)->addDataSeries(ds);
            } else {
                p->setPropertyValue(Ascii("Color"), Any(s.rgb));
                p->setPropertyValue(Ascii("BorderStyle"), Any(drawing::LineStyle_NONE));
                Reference<chart2::XDataSeriesContainer>(type, UNO_QUERY_THROW)->addDataSeries(ds);
            }
        }
        auto x = cs->getAxisByDimension(0, 0);
        chart2::ScaleData sx = x->getScaleData();
        sx.Categories = labeled(seq(dp, block(QStringLiteral("A")), "categories"), {});
        // A category axis that the office draws as a date axis because the
        // days are dates. An axis of the date type instead is saved with the
        // dates' displayed texts in a numeric cache, which strict readers
        // refuse; this one is saved with its texts as texts.
        sx.AxisType = chart2::AxisType::CATEGORY;
        sx.AutoDateAxis = true;
        x->setScaleData(sx);
        Reference<beans::XPropertySet> xp(x, UNO_QUERY_THROW);
        xp->setPropertyValue(Ascii("NumberFormat"), Any(dateFormat(doc)));
        xp->setPropertyValue(Ascii("LinkNumberFormatToSource"), Any(false));
        // Slanted, so that every month finds room for its label.
        xp->setPropertyValue(Ascii("TextRotation"), Any(45.0));
        auto y = cs->getAxisByDimension(1, 0);
        chart2::ScaleData sy = y->getScaleData();
        sy.Minimum <<= 0.0;
        y->setScaleData(sy);
        numberAxis(doc, y, "#,##0");
        titles(doc, cs, title, yTitle);
    }

private:
    Reference<uno::XInterface> create(const char* service)
    {
        return m_ctx->getServiceManager()->createInstanceWithContext(Ascii(service), m_ctx);
    }

    QString sheetRef() const { return QStringLiteral("$'") + kChartDataWS + QStringLiteral("'."); }
    QString block(const QString& col) const
    {
        return sheetRef() + QStringLiteral("$%1$%2:$%1$%3").arg(col).arg(kBlockFirstRow).arg(kBlockFirstRow + 1);
    }
    QString header(const QString& col) const
    {
        return sheetRef() + QStringLiteral("$%1$%2").arg(col).arg(kBlockFirstRow - 1);
    }
    QString cells(const QString& a1) const { return sheetRef() + a1; }

    Reference<chart2::XChartDocument> add(const QString& name, const awt::Rectangle& rect)
    {
        Reference<table::XTableCharts> charts = Reference<table::XTableChartsSupplier>(m_host, UNO_QUERY_THROW)->getCharts();
        const table::CellRangeAddress range(sal_Int16(m_dataSheet), 0, kBlockFirstRow - 2, 1, kBlockFirstRow);
        charts->addNewByName(lo::toOU(name), rect, lo::seqOf({range}), true, false);
        Reference<document::XEmbeddedObjectSupplier> eos(charts->getByName(lo::toOU(name)), UNO_QUERY_THROW);
        Reference<chart2::XChartDocument> doc(eos->getEmbeddedObject(), UNO_QUERY_THROW);
        Reference<beans::XPropertySet> dp(doc->getFirstDiagram(), UNO_QUERY_THROW);
        // A curve stops where its data stops (Actual at the Cut Off Date).
        dp->setPropertyValue(Ascii("MissingValueTreatment"), Any(sal_Int32(chart::MissingValueTreatment::LEAVE_GAP)));
        return doc;
    }

    Reference<chart2::XCoordinateSystem> coordinateSystem(const Reference<chart2::XChartDocument>& doc)
    {
        Reference<chart2::XCoordinateSystemContainer> csc(doc->getFirstDiagram(), UNO_QUERY_THROW);
        return csc->getCoordinateSystems()[0];
    }

    Reference<chart2::data::XDataSequence> seq(const Reference<chart2::data::XDataProvider>& dp, const QString& rep,
                                               const char* role)
    {
        auto s = dp->createDataSequenceByRangeRepresentation(lo::toOU(rep));
        Reference<beans::XPropertySet>(s, UNO_QUERY_THROW)->setPropertyValue(Ascii("Role"), Any(Ascii(role)));
        return s;
    }

    Reference<chart2::data::XLabeledDataSequence> labeled(const Reference<chart2::data::XDataSequence>& values,
                                                          const Reference<chart2::data::XDataSequence>& label)
    {
        Reference<chart2::data::XLabeledDataSequence> l(create("com.sun.star.chart2.data.LabeledDataSequence"),
                                                        UNO_QUERY_THROW);
        l->setValues(values);
        if (label.is())
            l->setLabel(label);
        return l;
    }

    Reference<chart2::XDataSeries> newSeries(const Reference<chart2::data::XDataProvider>&,
                                             const std::vector<Reference<chart2::data::XLabeledDataSequence>>& data)
    {
        Reference<chart2::XDataSeries> ds(create("com.sun.star.chart2.DataSeries"), UNO_QUERY_THROW);
        Reference<chart2::data::XDataSink>(ds, UNO_QUERY_THROW)
            ->setData(Sequence<Reference<chart2::data::XLabeledDataSequence>>(data.data(), sal_Int32(data.size())));
        return ds;
    }

    void line(const Reference<chart2::XDataSeries>& ds, sal_Int32 rgb, sal_Int32 width, bool dashed)
    {
        Reference<beans::XPropertySet> p(ds, UNO_QUERY_THROW);
        p->setPropertyValue(Ascii("Color"), Any(rgb));
        p->setPropertyValue(Ascii("LineWidth"), Any(width));
        p->setPropertyValue(Ascii("LineStyle"), Any(dashed ? drawing::LineStyle_DASH : drawing::LineStyle_SOLID));
        if (dashed) {
            drawing::LineDash dash;
            dash.Style = drawing::DashStyle_RECT;
            dash.Dots = 0;
            dash.Dashes = 1;
            dash.DashLen = 200;
            dash.Distance = 150;
            p->setPropertyValue(Ascii("LineDash"), Any(dash));
        }
        chart2::Symbol sym;
        sym.Style = chart2::SymbolStyle_NONE;
        p->setPropertyValue(Ascii("Symbol"), Any(sym));
    }

    sal_Int32 dateFormat(const Reference<chart2::XChartDocument>& doc) { return format(doc, "MMM-YY"); }

    sal_Int32 format(const Reference<chart2::XChartDocument>& doc, const char* code)
    {
        return lo::formatKey(Reference<util::XNumberFormatsSupplier>(doc, UNO_QUERY_THROW)->getNumberFormats(), code);
    }

    void dateAxis(const Reference<chart2::XChartDocument>& doc, const Reference<chart2::XAxis>& x)
    {
        Reference<beans::XPropertySet> p(x, UNO_QUERY_THROW);
        p->setPropertyValue(Ascii("NumberFormat"), Any(dateFormat(doc)));
        p->setPropertyValue(Ascii("LinkNumberFormatToSource"), Any(false));
    }

    void numberAxis(const Reference<chart2::XChartDocument>& doc, const Reference<chart2::XAxis>& y, const char* code)
    {
        Reference<beans::XPropertySet> p(y, UNO_QUERY_THROW);
        p->setPropertyValue(Ascii("NumberFormat"), Any(format(doc, code)));
        p->setPropertyValue(Ascii("LinkNumberFormatToSource"), Any(false));
    }

    Reference<chart2::XTitle> title(const QString& text, float height)
    {
        Reference<chart2::XTitle> t(create("com.sun.star.chart2.Title"), UNO_QUERY_THROW);
        Reference<chart2::XFormattedString> s(create("com.sun.star.chart2.FormattedString"), UNO_QUERY_THROW);
        s->setString(lo::toOU(text));
        Reference<beans::XPropertySet>(s, UNO_QUERY_THROW)->setPropertyValue(Ascii("CharHeight"), Any(height));
        t->setText(lo::seqOf({s}));
        return t;
    }

    void titles(const Reference<chart2::XChartDocument>& doc, const Reference<chart2::XCoordinateSystem>& cs,
                const QString& main, const QString& yTitle)
    {
        Reference<chart2::XTitled>(doc, UNO_QUERY_THROW)->setTitleObject(title(main, 12.0f));
        Reference<chart2::XTitled>(cs->getAxisByDimension(1, 0), UNO_QUERY_THROW)->setTitleObject(title(yTitle, 9.0f));
        auto diagram = doc->getFirstDiagram();
        Reference<chart2::XLegend> legend = diagram->getLegend();
        if (!legend.is()) {
            legend.set(create("com.sun.star.chart2.Legend"), UNO_QUERY_THROW);
            diagram->setLegend(legend);
        }
        Reference<beans::XPropertySet> lp(legend, UNO_QUERY_THROW);
        lp->setPropertyValue(Ascii("Show"), Any(true));
        lp->setPropertyValue(Ascii("AnchorPosition"), Any(chart2::LegendPosition_PAGE_END));
        lp->setPropertyValue(Ascii("Expansion"), Any(chart::ChartLegendExpansion_WIDE));
    }

    Reference<uno::XComponentContext> m_ctx;
    Reference<sheet::XSpreadsheet> m_host;
    int m_dataSheet;
};

} // namespace

void MakeTemplate(const Reference<uno::XComponentContext>& context, const Reference<frame::XDesktop2>& desktop,
                  const QString& path)
{
    Book b(desktop);
    auto ps = b.addSheet(kProjectSummaryWS);
    auto cd = b.addSheet(kChartDataWS);

    // ---- Project Summary: the report layout -----------------------------------
    LayOutTable(b, ps, *RHs_PS, *RFs_PS);
    SetColumnWidth(ps, 1, 5200);
    for (int c = 2; c <= 7; ++c)
        SetColumnWidth(ps, c, 3000);
    Props(ps, QStringLiteral("A1:G27"))->setPropertyValue(Ascii("CharHeight"), Any(9.0f));
    Props(ps, QStringLiteral("A1:E1"))->setPropertyValue(Ascii("CharHeight"), Any(12.0f));

    // ---- Chart Data: the head, the block's headings and its two rows ------------
    LayOutTable(b, cd, *RHs_CD, *RFs_CD);
    const QDate today = QDate::currentDate();
    const double d0 = Utils::DayNumber(QDate(today.year(), today.month(), 1));
    SetNumber(cd, QStringLiteral("I4"), d0);
    SetNumber(cd, QStringLiteral("I5"), d0);
    SetNumber(cd, QStringLiteral("J4"), 0);
    SetNumber(cd, QStringLiteral("J5"), 1);

    // Row 6 names each group of three columns, row 7 the curve; series s of
    // the per-day table sits in column s.
    const char* quantity[] = {"Man Hours", "Cost"};
    const char* kind[] = {"S Curve", "% S Curve (Baseline = 100%)", "% S Curve (Target = 100%)", "Histogram",
                          "% Histogram (Baseline = 100%)", "% Histogram (Target = 100%)"};
    const char* curve[] = {"Baseline", "Actual", "Target"};
    const sal_Int32 curveRgb[] = {kBaselineRgb, kActualRgb, kTargetRgb};
    const sal_Int32 dateFmt = b.format("DD-MMM-YYYY");
    const sal_Int32 numFmt = b.format("#,##0.00");
    const sal_Int32 pctFmt = b.format("0.00%");
    const int first = kBlockFirstRow;
    SetText(cd, QStringLiteral("A%1").arg(first - 1), QStringLiteral("Date"));
    SetText(cd, QStringLiteral("A%1").arg(first - 2), QStringLiteral("Day"));
    auto head = Props(cd, QStringLiteral("A%1:AK%2").arg(first - 2).arg(first - 1));
    head->setPropertyValue(Ascii("CharWeight"), Any(150.0f));
    head->setPropertyValue(Ascii("CellBackColor"), Any(sal_Int32(0xFFFF99)));
    head->setPropertyValue(Ascii("IsTextWrapped"), Any(true));
    head->setPropertyValue(Ascii("HoriJustify"), Any(table::CellHoriJustify_CENTER));
    head->setPropertyValue(Ascii("BottomBorder"), Any(Line(zyRpt::clBlack)));
    for (int q = 0; q < 2; ++q) {
        for (int k = 0; k < 6; ++k) {
            const int c0 = 2 + 18 * q + 3 * k;
            const QString group = Cell(c0, first - 2) + u':' + Cell(c0 + 2, first - 2);
            SetText(cd, Cell(c0, first - 2),
                    QStringLiteral("%1 %2").arg(QLatin1String(quantity[q]), QLatin1String(kind[k])));
            Reference<util::XMergeable>(cd->getCellRangeByName(lo::toOU(group)), UNO_QUERY_THROW)->merge(true);
            for (int c = 0; c < 3; ++c) {
                const QString h = Cell(c0 + c, first - 1);
                SetText(cd, h, QLatin1String(curve[c]));
                Props(cd, h)->setPropertyValue(Ascii("CharColor"), Any(curveRgb[c]));
                const bool pct = k == 1 || k == 2 || k == 4 || k == 5;
                Props(cd, Cell(c0 + c, first) + u':' + Cell(c0 + c, first + 1))
                    ->setPropertyValue(Ascii("NumberFormat"), Any(pct ? pctFmt : numFmt));
                SetColumnWidth(cd, c0 + c, 2300);
            }
        }
    }
    Props(cd, QStringLiteral("A%1:A%2").arg(first).arg(first + 1))->setPropertyValue(Ascii("NumberFormat"), Any(dateFmt));
    SetNumber(cd, QStringLiteral("A%1").arg(first), d0);
    SetNumber(cd, QStringLiteral("A%1").arg(first + 1), d0 + 1);
    SetColumnWidth(cd, 1, 2600);
    SetRowHeight(cd, first - 2, 900);
    for (int c = 9; c <= 10; ++c)
        SetColumnWidth(cd, c, 2600);

    // ---- Charts on the Project Summary, below the summary -----------------------
    ChartMaker charts(context, ps, 1);
    // Below the summary, with room to spare: an .xls reader may make the
    // wrapped rows taller than this office does.
    awt::Point below;
    Props(ps, QStringLiteral("A29"))->getPropertyValue(Ascii("Position")) >>= below;
    const sal_Int32 top = below.Y + 2000, w = 11400, h = 8000, gap = 300;
    auto rect = [&](int col, int row) { return awt::Rectangle(col * (w + gap), top + row * (h + gap), w, h); };
    auto three = [&](int q, int k) {
        std::vector<ChartSeries> s;
        for (int c = 0; c < 3; ++c)
            s.push_back({lo::columnLetters(2 + 18 * q + 3 * k + c), curveRgb[c]});
        return s;
    };
    // The office draws a chart's first series on top: Actual first, since
    // Target runs along it up to the Cut Off Date, and Baseline last.
    auto inFront = [](std::vector<ChartSeries> s) {
        std::reverse(s.begin(), s.end());
        std::swap(s[0], s[1]);
        return s;
    };
    charts.curves(QStringLiteral("ManHoursSCurve"), QStringLiteral("Man Hours S Curve"),
                  QStringLiteral("Cumulative Man Hours"), rect(0, 0), inFront(three(0, 0)), false);
    charts.curves(QStringLiteral("CostSCurve"), QStringLiteral("Cost S Curve"), QStringLiteral("Cumulative Cost"),
                  rect(1, 0), inFront(three(1, 0)), false);
    charts.curves(QStringLiteral("ManHoursPctSCurve"), QStringLiteral("Man Hours % S Curve (Baseline = 100%)"),
                  QStringLiteral("Percent of Baseline"), rect(0, 1), inFront(three(0, 1)), true);
    charts.curves(QStringLiteral("CostPctSCurve"), QStringLiteral("Cost % S Curve (Baseline = 100%)"),
                  QStringLiteral("Percent of Baseline"), rect(1, 1), inFront(three(1, 1)), true);
    charts.histogram(QStringLiteral("ManHoursHistogram"), QStringLiteral("Man Hours Histogram"),
                     QStringLiteral("Man Hours per Day"), rect(0, 2), three(0, 3));
    charts.histogram(QStringLiteral("CostHistogram"), QStringLiteral("Cost Histogram"), QStringLiteral("Cost per Day"),
                     rect(1, 2), three(1, 3));

    PageSetup(b, kProjectSummaryWS, true);
    PageSetup(b, kChartDataWS, false);
    b.save(path);
}

// ---- schedules ---------------------------------------------------------------------

void MakeSchedule(const Reference<frame::XDesktop2>& desktop, const QString& path, const ScheduleSpec& spec)
{
    Book b(desktop);
    auto ws = b.addSheet(QStringLiteral("Tasks"));
    std::mt19937 rng(spec.seed);
    auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); };
    const int base = Utils::DayNumber(spec.start);
    const int span = std::max(30, int(spec.start.daysTo(spec.start.addYears(spec.years))));
    const int dataDay = Utils::DayNumber(spec.dataDate);
    const char* areas[] = {"Site Preparation", "Foundations", "Structure", "Process Unit", "Utilities", "Buildings"};
    const char* disciplines[] = {"Civil", "Structural", "Mechanical", "Piping", "Electrical", "Instrumentation"};
    const double rate[] = {68, 74, 82, 85, 79, 88};

    const int n = spec.tasks;
    Sequence<Sequence<Any>> rows(n + 1);
    auto* out = rows.getArray();
    const char* head[] = {"Task ID", "Description", "Area", "Discipline", "Baseline Start", "Baseline Finish",
                          "Baseline Man Hours", "Baseline Cost", "Start", "Finish", "Man Hours", "Cost",
                          "% Complete"};
    out[0].realloc(13);
    for (int c = 0; c < 13; ++c)
        out[0].getArray()[c] <<= Ascii(head[c]);
    for (int i = 0; i < n; ++i) {
        // Starts follow the usual front-loaded bell of a project: dense in
        // the middle third, thin at both ends.
        const double u = (uniform(0, 1) + uniform(0, 1) + uniform(0, 1)) / 3.0;
        const int dur = spec.fixedDays > 0 ? spec.fixedDays
                                           : int(std::round(std::clamp(std::exp(uniform(std::log(5.0), std::log(60.0))), 1.0, 90.0)));
        const int bs = spec.fixedDays > 0 ? base : base + std::min(span - dur, int(u * (span - dur)));
        const int bf = bs + dur - 1;
        const int a = i % 6;
        const double crew = std::round(uniform(2, 9));
        const double blMH = std::round(dur * 8 * crew);
        const double blCost = std::round(blMH * rate[a] + uniform(0, 20000));
        const int slip = spec.fixedDays > 0 ? 0 : int(std::round(uniform(-3, 12)));
        const int as = bs + slip;
        const int af = spec.fixedDays > 0 ? bf : std::max(as, bf + slip + int(std::round(uniform(-2, 8))));
        const double growth = uniform(0.9, 1.25);
        double pct = 0;
        if (as <= dataDay)
            pct = af <= dataDay ? 1.0 : std::clamp(std::round(double(dataDay - as + 1) / (af - as + 1) * 20) / 20.0, 0.05, 0.95);
        Sequence<Any>& r = out[i + 1];
        r.realloc(13);
        Any* v = r.getArray();
        v[0] <<= lo::toOU(QStringLiteral("T%1").arg(1000 + i * 10));
        v[1] <<= lo::toOU(QStringLiteral("%1 %2 package %3").arg(QLatin1String(disciplines[a]),
                                                                    QLatin1String(areas[(i / 6) % 6])).arg(i / 36 + 1));
        v[2] <<= Ascii(areas[(i / 6) % 6]);
        v[3] <<= Ascii(disciplines[a]);
        v[4] <<= double(bs);
        v[5] <<= double(bf);
        v[6] <<= blMH;
        v[7] <<= blCost;
        v[8] <<= double(as);
        v[9] <<= double(af);
        v[10] <<= std::round(blMH * growth);
        v[11] <<= std::round(blCost * growth);
        v[12] <<= pct;
    }
    const QString range = QStringLiteral("A1:M%1").arg(n + 1);
    Reference<sheet::XCellRangeData>(ws->getCellRangeByName(lo::toOU(range)), UNO_QUERY_THROW)->setDataArray(rows);
    const sal_Int32 date = b.format("DD-MMM-YYYY");
    Props(ws, QStringLiteral("E2:F%1").arg(n + 1))->setPropertyValue(Ascii("NumberFormat"), Any(date));
    Props(ws, QStringLiteral("I2:J%1").arg(n + 1))->setPropertyValue(Ascii("NumberFormat"), Any(date));
    Props(ws, QStringLiteral("G2:H%1").arg(n + 1))->setPropertyValue(Ascii("NumberFormat"), Any(b.format("#,##0")));
    Props(ws, QStringLiteral("K2:L%1").arg(n + 1))->setPropertyValue(Ascii("NumberFormat"), Any(b.format("#,##0")));
    Props(ws, QStringLiteral("M2:M%1").arg(n + 1))->setPropertyValue(Ascii("NumberFormat"), Any(b.format("0%")));
    Props(ws, QStringLiteral("A1:M1"))->setPropertyValue(Ascii("CharWeight"), Any(150.0f));
    SetColumnWidth(ws, 2, 6500);
    for (int c = 3; c <= 4; ++c)
        SetColumnWidth(ws, c, 3500);
    for (int c = 5; c <= 13; ++c)
        SetColumnWidth(ws, c, 2700);
    b.save(path, spec.password);
}

} // namespace tmpl
