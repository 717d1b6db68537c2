#include "zyRF.h"

#include "Format.h"
#include "Utils.h"

#include <QDateTime>
#include <QLocale>
#include <cmath>

std::unique_ptr<TzyRFs> RFs_PS;
std::unique_ptr<TzyRFs> RFs_CD;

namespace zyRpt {

double Today() { return DayNumber(QDate::currentDate()); }

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
        const QDateTime dt(DayDate(qint64(whole)), QTime(0, 0).addMSecs(msecs));
        return QLocale().toString(dt, m_format);
    }
    default:
        return QString();
    }
}

int TzyRFs::Add(const QString& name, quint8 dataType, const QString& format, const zyRpt::TzyRptLayout& layout)
{
    TzyRF& c = AddCell();
    c.SetName(name);
    c.SetDataType(dataType);
    c.SetFormat(format);
    c.SetLayout(layout);
    return Count();
}

int TzyRFs::Add(const QString& name, quint8 dataType, const QString& format, const QString& cellRef, int col,
    int row, zyRpt::THorAlign horAlign, bool fontBold, zyRpt::TColor fontColor, zyRpt::TColor cellColor,
    zyRpt::TColor gridLineTopColor, zyRpt::TColor gridLineLeftColor, zyRpt::TColor gridLineBottomColor,
    zyRpt::TColor gridLineRightColor, bool ellipsifyText, bool ellipsifyPath, bool merge, int mergeToCol,
    int mergeToRow)
{
    return Add(name, dataType, format,
        zyRpt::TzyRptLayout{cellRef, col, row, horAlign, fontBold, fontColor, cellColor, gridLineTopColor,
            gridLineLeftColor, gridLineBottomColor, gridLineRightColor, ellipsifyText, ellipsifyPath, merge,
            mergeToCol, mergeToRow});
}

void TzyRFs::ResetValues()
{
    for (int i = 1; i <= Count(); ++i)
        getItems(i).ResetValue();
}
