#include "zyRF.h"

#include "Format.h"
#include "Utils.h"

#include <QDateTime>
#include <QLocale>
#include <cmath>

std::unique_ptr<TzyRFs> RFs_PS;
std::unique_ptr<TzyRFs> RFs_CD;

namespace zyRpt {

namespace {
const QDate kDayZero(1899, 12, 30);
}

double DateToDayNumber(const QDate& d) { return double(kDayZero.daysTo(d)); }

QDate DayNumberToDate(double dayNumber) { return kDayZero.addDays(qint64(std::trunc(dayNumber))); }

double Today() { return DateToDayNumber(QDate::currentDate()); }

} // namespace zyRpt

void TzyRF::Reset()
{
    m_name.clear();
    m_format.clear();
    m_dataType = zyRpt::dtText;
    ResetValue();
    ResetLayout();
}

void TzyRF::ResetValue()
{
    m_valueState = zyRpt::vsValue;
    m_dateValue = zyRpt::Today();
    m_strValue.clear();
    m_intValue = 0;
    m_floatValue = 0;
}

void TzyRF::SetName(const QString& v)
{
    if (m_name != v)
        m_name = v;
}

void TzyRF::SetDataType(quint8 v)
{
    if (m_dataType != v)
        m_dataType = v;
}

void TzyRF::SetValueState(quint8 v)
{
    if (m_valueState != v)
        m_valueState = v;
}

void TzyRF::SetFormat(const QString& v)
{
    if (m_format != v)
        m_format = v;
}

void TzyRF::SetDateValue(double v)
{
    if (m_dateValue != v)
        m_dateValue = v;
}

void TzyRF::SetStrValue(const QString& v)
{
    if (m_strValue != v)
        m_strValue = v;
}

void TzyRF::SetIntValue(int v)
{
    if (m_intValue != v)
        m_intValue = v;
}

void TzyRF::SetFloatValue(double v)
{
    if (m_floatValue != v)
        m_floatValue = v;
}

void TzyRF::SetLayout(const zyRpt::TzyRptLayout& l) { zyRpt::ApplyLayout(*this, l); }

QString TzyRF::GetValueText() const
{
    switch (m_dataType) {
    case zyRpt::dtText:
        return Utils::Format(m_format, {m_strValue});
    case zyRpt::dtInteger:
        return Utils::Format(m_format, {m_intValue});
    case zyRpt::dtNumber:
        return Utils::Format(m_format, {m_floatValue});
    case zyRpt::dtDate: {
        // The layouts' date pattern reads the same in both pattern languages
        // (two-digit day, short month name, four-digit year).
        const double whole = std::floor(m_dateValue);
        const int msecs = int(std::lround((m_dateValue - whole) * 86400000.0));
        const QDateTime dt(zyRpt::DayNumberToDate(whole), QTime(0, 0).addMSecs(msecs));
        return QLocale().toString(dt, m_format);
    }
    default:
        return QString();
    }
}

TzyRFs::TzyRFs()
{
    m_items.push_back(std::make_unique<TzyRF>());
}

TzyRFs::~TzyRFs()
{
    while (!m_items.empty())
        m_items.pop_back();
    m_count = 0;
}

TzyRF& TzyRFs::getItems(int index)
{
    if (Utils::CheckIndex(index, 0, m_count, QStringLiteral("RFs.getItems")))
        return *m_items[0];
    return *m_items[size_t(index)];
}

const TzyRF& TzyRFs::getItems(int index) const
{
    return const_cast<TzyRFs*>(this)->getItems(index);
}

int TzyRFs::Add(const QString& name, quint8 dataType, const QString& format, const zyRpt::TzyRptLayout& layout)
{
    m_items.push_back(std::make_unique<TzyRF>());
    m_count = int(m_items.size()) - 1;
    TzyRF& c = *m_items.back();
    c.SetName(name);
    c.SetDataType(dataType);
    c.SetFormat(format);
    c.SetLayout(layout);
    return m_count;
}

int TzyRFs::Add(const QString& name, quint8 dataType, const QString& format, const QString& cellRef, int col,
    int row, zyRpt::THorAlign horAlign, bool fontBold, zyRpt::TColor fontColor, zyRpt::TColor cellColor,
    zyRpt::TColor gridLineTopColor, zyRpt::TColor gridLineLeftColor, zyRpt::TColor gridLineBottomColor,
    zyRpt::TColor gridLineRightColor, bool ellipsifyText, bool ellipsifyPath, bool merge, int mergeToCol,
    int mergeToRow)
{
    return Add(name, dataType, format,
        zyRpt::MakeLayout(cellRef, col, row, horAlign, fontBold, fontColor, cellColor, gridLineTopColor,
            gridLineLeftColor, gridLineBottomColor, gridLineRightColor, ellipsifyText, ellipsifyPath, merge,
            mergeToCol, mergeToRow));
}

void TzyRFs::ResetValues()
{
    for (int i = 1; i <= m_count; ++i)
        m_items[size_t(i)]->ResetValue();
}
