#pragma once
// One worksheet cell as the engine receives it: empty, a number (dates come
// as day numbers, days since 1899-12-30) or a text.
#include "Utils.h"

#include <QDate>
#include <QString>

struct TzyCell {
    enum Kind { Empty, Number, Text };
    Kind kind = Empty;
    double number = 0;
    QString text;

    TzyCell() = default;
    static TzyCell FromNumber(double v)
    {
        TzyCell c;
        c.kind = Number;
        c.number = v;
        return c;
    }
    static TzyCell FromText(const QString& s)
    {
        TzyCell c;
        c.kind = Text;
        c.text = s;
        return c;
    }

    // Nothing but blanks (a number is never blank).
    bool IsBlank() const;
    // A quantity: a number as it stands, a text parsed leniently (no number
    // in it gives 0), empty 0.
    double ToNumber() const;
    // The whole day of a date cell. False when the cell holds no date, or
    // only a time of day, or the day 1899-12-30.
    bool ToWholeDay(int& day) const;
};

// Day numbers a date may take: 0001-01-01 .. 9999-12-31.
constexpr int kFirstDayNumber = -693593;
constexpr int kLastDayNumber = 2958465;

// Day numbers and calendar dates.
using Utils::DayDate;
using Utils::DayNumber;
