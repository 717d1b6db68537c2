#pragma once
// Report field cells: a typed value with its format at one cell of a report
// worksheet and of the summary grid. Each run resets the values and sets them
// again; the layout stays as filled at start-up.
#include "zyCell.h"
#include "zyRH.h"

#include <QDate>
#include <QString>
#include <memory>
#include <vector>

namespace zyRpt {

enum TDataType : quint8 { dtText = 0, dtInteger = 1, dtNumber = 2, dtDate = 3 };
enum TValueState : quint8 { vsValue = 0, vsNoData = 1, vsNA = 2 };

// Today as a date value (days since 1899-12-30).
double Today();

} // namespace zyRpt

class TzyRF : public zyRpt::TzyRptCell {
public:
    TzyRF() { Reset(); }
    void Reset();
    // Clears the value only; the type, the format and the layout stay.
    void ResetValue();

    QString Name() const { return m_name; }
    quint8 DataType() const { return m_dataType; }
    quint8 ValueState() const { return m_valueState; }
    QString Format() const { return m_format; }
    double DateValue() const { return m_dateValue; }
    QString StrValue() const { return m_strValue; }
    int IntValue() const { return m_intValue; }
    double FloatValue() const { return m_floatValue; }

    void SetName(const QString& v);
    void SetDataType(quint8 v);
    void SetValueState(quint8 v);
    void SetFormat(const QString& v);
    void SetDateValue(double v);
    void SetStrValue(const QString& v);
    void SetIntValue(int v);
    void SetFloatValue(double v);

    // The value of the field DataType names, through the cell's format;
    // ValueState is not looked at (the caller shows "No Data" or "N/A").
    QString GetValueText() const;

private:
    QString m_name;
    quint8 m_dataType = zyRpt::dtText;
    quint8 m_valueState = zyRpt::vsValue;
    QString m_format;
    double m_dateValue = 0;
    QString m_strValue;
    int m_intValue = 0;
    double m_floatValue = 0;
};

class TzyRFs : public zyRpt::TzyRptList<TzyRF> {
public:
    TzyRFs() : TzyRptList("RFs.getItems") {}

    int Add(const QString& name, quint8 dataType, const QString& format, const zyRpt::TzyRptLayout& layout);
    int Add(const QString& name, quint8 dataType, const QString& format, const QString& cellRef, int col,
        int row, zyRpt::THorAlign horAlign, bool fontBold, zyRpt::TColor fontColor, zyRpt::TColor cellColor,
        zyRpt::TColor gridLineTopColor, zyRpt::TColor gridLineLeftColor, zyRpt::TColor gridLineBottomColor,
        zyRpt::TColor gridLineRightColor, bool ellipsifyText, bool ellipsifyPath, bool merge, int mergeToCol,
        int mergeToRow);

    void ResetValues();
};

// The field cells of the Project Summary and of the Chart Data head;
// created and filled at start-up, freed at exit.
extern std::unique_ptr<TzyRFs> RFs_PS;
extern std::unique_ptr<TzyRFs> RFs_CD;
