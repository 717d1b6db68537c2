// The filled template: the Project Summary values, the Chart Data head and
// the per-day block fitted to one row per day, written through the layer.
#include "zyProcess.h"

#include <algorithm>

#include "Format.h"
#include "Progress.h"
#include "RF_PS_Consts.h"
#include "Utils.h"
#include "zyEngineCore.h"
#include "zyPSData.h"
#include "zyProcessPrivate.h"
#include "zyRF.h"
#include "zyRH.h"
#include "zyUIL.h"
#include "zyXL.h"

#include <QDate>
#include <QSet>

using Utils::Format;
using namespace zyProcessPrivate;

namespace {

constexpr int kBlockColumns = 37; // A..AK: the date and series 2..37

int WorkbookColor(zyRpt::TColor c)
{
    // System colours are the widgets' business; the workbook gets their
    // usual values.
    if (zyRpt::IsSystemColor(c)) {
        switch (zyRpt::SystemColorIndex(c)) {
        case 5: // window
            return int(zyRpt::clWhite);
        case 15: // button face
            return int(zyRpt::clSilver);
        default: // window text and the rest
            return int(zyRpt::clBlack);
        }
    }
    return int(c & 0xFFFFFFu);
}

int FirstOfThisMonth()
{
    const QDate today = QDate::currentDate();
    return DayNumber(QDate(today.year(), today.month(), 1));
}

void Colour(const TzyRF& rf)
{
    if (rf.ValueState() == zyRpt::vsNoData) {
        XL->SetFontColor(rf.CellRef(), int(zyRpt::clRed));
        XL->SetInteriorColor(rf.CellRef(), int(zyRpt::clSilver));
    } else if (rf.ValueState() == zyRpt::vsNA) {
        XL->SetInteriorColor(rf.CellRef(), int(zyRpt::clSilver));
    }
}

void WriteField(const TzyRF& rf)
{
    const QString cell = rf.CellRef();
    switch (rf.ValueState()) {
    case zyRpt::vsNoData:
        XL->WriteCellText(cell, UIT(671));
        return;
    case zyRpt::vsNA:
        XL->WriteCellText(cell, UIT(670));
        return;
    default:
        break;
    }
    switch (rf.DataType()) {
    case zyRpt::dtInteger:
        XL->WriteCellNumber(cell, rf.IntValue());
        break;
    case zyRpt::dtNumber:
        XL->WriteCellNumber(cell, rf.FloatValue());
        break;
    case zyRpt::dtDate:
        XL->WriteCellNumber(cell, rf.DateValue());
        break;
    default:
        XL->WriteCellText(cell, rf.StrValue());
        break;
    }
}

template <class Refs>
QSet<QString> RefSet(const Refs& refs)
{
    QSet<QString> set;
    for (const char* ref : refs)
        set.insert(QString::fromLatin1(ref));
    return set;
}

// The title and the field cells of a report table.
void WriteTitleAndFields(const TzyRHs& rhs, const TzyRFs& rfs)
{
    const TzyRH& title = rhs.getItems(1);
    XL->WriteCellText(title.CellRef(), title.Text());
    for (int i = 1; i <= rfs.Count(); ++i)
        WriteField(rfs.getItems(i));
}

} // namespace

void TzyProcess::PopulateChartData()
{
    step([&] {
        EnsureReportTables();
        StepLine(UIT(341), [&] {
            TzyRFs& rfs = *RFs_CD;
            rfs.ResetValues();
            RHs_CD->getItems(1).SetText(zyRpt::ReportTitle());
            rfs.getItems(1).SetDateValue(ReportDate);
            rfs.getItems(2).SetDateValue(CutOffDate);
            rfs.getItems(3).SetDateValue(CutOffDate);
            rfs.getItems(4).SetIntValue(0);
            rfs.getItems(5).SetIntValue(1);
            rfs.getItems(6).SetStrValue(m_def.ProjectTitle);
            rfs.getItems(7).SetStrValue(m_def.ProjectNumber);
            rfs.getItems(8).SetStrValue(m_def.ProjectClient);
        });
    });
}

void TzyProcess::WriteTemplate()
{
    step([&] {
        EnsureReportTables();
        StartServerStep();
        OpenWorkbookStep(TFLabel, TFName, TFPassword);

        SelectWorksheetOrFail(PSWSLabel, PSWSName, TFLabel, TFName);
        UsedRangeStep(PSWSLabel);
        StepLine(Format(UIT(386), {PSWSLabel}), [&] { InsertPSData(); });
        StepLine(Format(UIT(387), {PSWSLabel}), [&] { FormatPSWorksheet(); });

        SelectWorksheetOrFail(CDWSLabel, CDWSName, TFLabel, TFName);
        UsedRangeStep(CDWSLabel);
        StepLine(Format(UIT(385), {CDWSLabel}), [&] { ClearChartData(); });
        StepLine(Format(UIT(386), {CDWSLabel}), [&] { InsertChartData(); });
        StepLine(Format(UIT(387), {CDWSLabel}), [&] { FormatChartData(); });

        // The saved workbook opens on the Project Summary Worksheet.
        XL->SetWorksheetLabel(PSWSLabel);
        XL->SetWorksheetName(PSWSName);
        XL->SelectWorksheet(PSWSName);
        XL->GetUsedRange();
    });
}

void TzyProcess::InsertPSData()
{
    step([&] {
        WriteTitleAndFields(*RHs_PS, *RFs_PS);
        XL->SelectRange(QStringLiteral("A1"));
        XL->SelectRange(QStringLiteral("B3"));
    });
}

void TzyProcess::FormatPSWorksheet()
{
    step([&] {
        static const QSet<QString> intCells = RefSet(zyPSData::kRedWhenPositiveCounts);
        static const QSet<QString> floatCells = RefSet(zyPSData::kRedWhenPositiveAmounts);
        for (int i = 1; i <= RFs_PS->Count(); ++i)
            Colour(RFs_PS->getItems(i));
        for (int i = 1; i <= RFs_PS->Count(); ++i) {
            const TzyRF& rf = RFs_PS->getItems(i);
            if (rf.ValueState() != zyRpt::vsValue)
                continue;
            const QString cell = rf.CellRef().toUpper();
            if ((intCells.contains(cell) && rf.IntValue() > 0) || (floatCells.contains(cell) && rf.FloatValue() > 0))
                XL->SetFontColor(rf.CellRef(), int(zyRpt::clRed));
        }
    });
}

void TzyProcess::ClearChartData()
{
    step([&] {
        const TzyRH& title = RHs_CD->getItems(1);
        XL->WriteCellText(title.CellRef(), title.Text());
        for (int i = 1; i <= RFs_CD->Count(); ++i) {
            const TzyRF& rf = RFs_CD->getItems(i);
            XL->WriteCellText(rf.CellRef(), QString());
            XL->SetFontColor(rf.CellRef(), WorkbookColor(rf.FontColor()));
            XL->SetInteriorColor(rf.CellRef(), WorkbookColor(rf.CellColor()));
        }
        const int d0 = FirstOfThisMonth();
        XL->WriteCellText(QStringLiteral("J1"), QString());
        XL->WriteCellNumber(QStringLiteral("I4"), d0);
        XL->WriteCellNumber(QStringLiteral("I5"), d0);
        XL->WriteCellNumber(QStringLiteral("J4"), 0);
        XL->WriteCellNumber(QStringLiteral("J5"), 1);

        const int f = m_def.ChartDataFirstRow;
        const int lastRow = XL->LastRow;
        const int dayCount = m_core->Days.DayCount;
        // The block's rows between its first and its last go; its last row
        // stays so that ranges over the block (the chart's) keep spanning it.
        if (f + 1 <= lastRow - 1)
            XL->DeleteRows(f + 1, lastRow - 1);
        int blockLast = std::min(lastRow, f + 1);
        if (lastRow > f) {
            // The new rows go in above the old last row, each with the
            // formats of the block's first row; then the old last row goes:
            // it may be any row of a template whose used range reaches far
            // below the block (a date in it would show as a plain number).
            // The ranges end on the last new row.
            const int rows = std::max(dayCount, 2) - 1;
            XL->InsertRows(f + 1, f + rows);
            XL->DeleteRows(f + rows + 1, f + rows + 1);
            blockLast = f + rows;
        } else if (f + 1 <= dayCount + f - 2) {
            XL->InsertRows(f + 1, dayCount + f - 2);
        }

        // The block's rows, emptied black on white: three requests however
        // tall it is, and not a row more.
        if (f <= lastRow) {
            const QString block =
                QStringLiteral("A%1:%2%3").arg(f).arg(XL->ColNoToColLetters(kBlockColumns)).arg(blockLast);
            XL->ClearContents(block);
            XL->SetFontColor(block, int(zyRpt::clBlack));
            XL->SetInteriorColor(block, int(zyRpt::clWhite));
        }
        XL->WriteCellNumber(QStringLiteral("A") + QString::number(f), d0);
        XL->WriteCellNumber(QStringLiteral("A") + QString::number(f + 1), d0 + 1);
        XL->SelectRange(QStringLiteral("A1"));
        XL->SelectRange(QStringLiteral("B") + QString::number(f));
    });
}

void TzyProcess::InsertChartData()
{
    step([&] {
        WriteTitleAndFields(*RHs_CD, *RFs_CD);

        const TzyDayTable& days = m_core->Days;
        const int f = m_def.ChartDataFirstRow;
        const int l = days.DayCount + f - 1;
        if (days.DayCount >= 1) {
            XLColumn column(days.DayCount);
            for (int s = 1; s <= kBlockColumns; ++s) {
                for (int d = 1; d <= days.DayCount; ++d) {
                    XLCell& cell = column[d - 1];
                    if (s == 1) {
                        // A day number in the template's date-formatted cell.
                        cell = XLCell::fromNumber(days.DayDates[size_t(d)]);
                    } else {
                        const std::vector<double>& series = days.DaySeries[size_t(s)];
                        const double v = size_t(d) < series.size() ? series[size_t(d)] : 0.0;
                        cell = v != 0 ? XLCell::fromNumber(v) : XLCell::empty();
                    }
                }
                XL->Data = column;
                XL->InsertValues(XL->ColNoToColLetters(s), f, l);
            }
        }
        XL->SelectRange(QStringLiteral("A1"));
        XL->SelectRange(QStringLiteral("B") + QString::number(f));
        XL->Data.clear();
    });
}

void TzyProcess::FormatChartData()
{
    step([&] {
        for (int i = 1; i <= RFs_CD->Count(); ++i)
            Colour(RFs_CD->getItems(i));
    });
}
