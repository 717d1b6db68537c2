#include "zyCell.h"

#include "Utils.h"

#include <cmath>

bool TzyCell::IsBlank() const
{
    switch (kind) {
    case Empty:
        return true;
    case Number:
        return false;
    case Text:
        return Utils::Trim(text).isEmpty();
    }
    return true;
}

double TzyCell::ToNumber() const
{
    switch (kind) {
    case Number:
        return std::isfinite(number) ? number : 0.0;
    case Text:
        return Utils::StrToFloatLenient(text);
    case Empty:
        break;
    }
    return 0;
}

bool TzyCell::ToWholeDay(int& day) const
{
    double value = 0;
    switch (kind) {
    case Empty:
        return false;
    case Number:
        value = number;
        break;
    case Text:
        if (text.isEmpty() || !Utils::IsDateText(text) || !Utils::TextToDate(text, value))
            return false;
        break;
    }
    // A number beyond the calendar is no date (and would not fit a day index).
    if (!std::isfinite(value) || value < double(kFirstDayNumber) || value >= double(kLastDayNumber) + 1.0)
        return false;
    const int whole = int(std::trunc(value));
    if (whole == 0)
        return false;
    day = whole;
    return true;
}
