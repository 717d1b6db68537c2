// The checks of the S Curve Options and of the Data Source Filter's rows.
// Filter rows are compared as the filter compares tasks: by their texts,
// with the letters a..z folded to upper case.
#include "zyDV.h"

#include "Utils.h"
#include "zyDSF.h"
#include "zyDVText.h"

#include <QDate>

#include <algorithm>
#include <set>
#include <utility>

using DVText::F;
using DVText::kBlankLine;
using DVText::kLineBreak;

namespace {

// The range of valid date values, 0100-01-01 to 9999-12-31, as day numbers.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958465.99999;

bool needsValue(int code)
{
    return (code >= foIsLessThan && code <= foIsGreaterThanOrEqualTo) || (code >= foStartsWith && code <= foDoesNotContain);
}

// A grid cell counts as filled when it holds more than blanks.
bool filled(const QString& cell) { return !Utils::Trim(cell).isEmpty(); }

bool takesNoValue(int code) { return code == foIsBlank || code == foIsNotBlank; }

bool exclusivePair(int a, int b, bool valuesEmpty)
{
    static const std::set<std::pair<int, int>> pairs = {
        {foEquals, foDoesNotEqual},
        {foEquals, foIsLessThan},
        {foEquals, foIsGreaterThan},
        {foIsLessThan, foIsGreaterThan},
        {foIsLessThan, foIsGreaterThanOrEqualTo},
        {foIsLessThanOrEqualTo, foIsGreaterThan},
        {foStartsWith, foDoesNotStartWith},
        {foEndsWith, foDoesNotEndWith},
        {foContains, foDoesNotContain},
    };
    const std::pair<int, int> key{std::min(a, b), std::max(a, b)};
    if (pairs.count(key))
        return true;
    return valuesEmpty && key == std::pair<int, int>{foIsBlank, foIsNotBlank};
}

} // namespace

bool TzyDV::CheckDataOptions(bool generateBL, bool generateACT, bool generateTGT)
{
    clearMsgs();
    if (generateBL || generateACT || generateTGT)
        return false;
    MsgFix = UIT(716);
    MsgShort = MsgFix;
    MsgDetails = MsgFix;
    MsgValue = DVText::NotApplicable();
    return true;
}

bool TzyDV::CheckQuantityOptions(bool noDataOption, bool graphMH, bool graphCost)
{
    clearMsgs();
    if (graphMH || graphCost)
        return false;
    MsgShort = UIT(709);
    if (noDataOption)
        MsgShort += kLineBreak + UIT(710) + kLineBreak + UIT(711);
    MsgDetails = UIT(709);
    MsgValue = DVText::NotApplicable();
    return true;
}

bool TzyDV::CheckCutOffDate(double cutOffDate)
{
    clearMsgs();
    if (cutOffDate >= kMinDate && cutOffDate <= kMaxDate)
        return false;
    const QString today = QDate::currentDate().toString(QStringLiteral("dd-MMM-yyyy"));
    MsgFix = Utils::Format(UIT(700), {UIT(620), today});
    MsgDetails = MsgFix;
    MsgValue = DVText::NotApplicable();
    return true;
}

bool TzyDV::CheckFilterDefined(bool enabled, int rowCount)
{
    clearMsgs();
    if (!enabled || rowCount != 0)
        return false;
    MsgShort = UIT(686);
    MsgDetails = MsgShort;
    MsgValue = UIT(1095);
    return true;
}

bool TzyDV::CheckFilterOperator(int /*sdIndex*/, const QString& fldName, int code)
{
    clearMsgs();
    if (!TzyDSF::IsInvalidOperator(code))
        return false;
    MsgFix = Utils::Format(UIT(700), {fldName, UIT(650)});
    MsgDetails = MsgFix;
    MsgValue = DVText::NotApplicable();
    return true;
}

bool TzyDV::CheckFilterRow(const QString& andOrText, const QString& fldName, const QString& taskFldText,
                           const QString& descText, const QString& operatorText, const QString& valueText)
{
    clearMsgs();
    const bool hasTaskFld = !Utils::Trim(taskFldText).isEmpty();
    int textId = 0;
    if (!hasTaskFld) {
        if (filled(andOrText) || filled(descText) || filled(operatorText) || !valueText.isEmpty())
            textId = 718;
    } else if (!filled(andOrText))
        textId = 730;
    else if (!filled(operatorText))
        textId = 731;
    if (textId == 0)
        return false;
    MsgShort = F(textId, fldName) + kLineBreak + UIT(732);
    return true;
}

bool TzyDV::CheckFilterValueForOperator(int code, const QString& fldName, const QString& value)
{
    clearMsgs();
    if (value.isEmpty() && needsValue(code)) {
        MsgShort = Utils::Format(UIT(683), {fldName, TzyDSF::FilterOperatorToText(code)});
        MsgDetails = MsgShort;
        MsgValue = DVText::Undefined();
        return true;
    }
    if (!value.isEmpty() && takesNoValue(code)) {
        MsgShort = Utils::Format(UIT(729), {fldName, TzyDSF::FilterOperatorToText(code)});
        MsgDetails = MsgShort;
        MsgValue = value;
        return true;
    }
    return false;
}

namespace {

void setExclusiveTexts(TzyDV& dv, const QString& taskFld2, const QString& rowName2, const QString& operatorText2,
                       const QString& value2, const QString& taskFld1, const QString& rowName1,
                       const QString& operatorText1, const QString& value1)
{
    dv.MsgShort = Utils::Format(UIT(704), {rowName2, rowName1});
    dv.MsgDetails = dv.MsgShort;
    dv.MsgValue = Utils::Format(UIT(705), {rowName2, taskFld2, operatorText2, value2, rowName1, taskFld1,
                                           operatorText1, value1});
}

} // namespace

bool TzyDV::CheckFilterRowsExclusive(const QString& taskFld2, const QString& rowName2, const QString& operatorText2,
                                     const QString& value2, const QString& taskFld1, const QString& rowName1,
                                     const QString& operatorText1, const QString& value1)
{
    clearMsgs();
    const int a = TzyDSF::TextToFilterOperator(operatorText1);
    const int b = TzyDSF::TextToFilterOperator(operatorText2);
    if (!exclusivePair(a, b, value1.isEmpty() && value2.isEmpty()))
        return false;
    setExclusiveTexts(*this, taskFld2, rowName2, operatorText2, value2, taskFld1, rowName1, operatorText1, value1);
    return true;
}

bool TzyDV::CheckFilterRowsExclusive2(const QString& taskFld2, const QString& rowName2, const QString& operatorText2,
                                      const QString& value2, const QString& taskFld1, const QString& rowName1,
                                      const QString& operatorText1, const QString& value1)
{
    clearMsgs();
    const int a = TzyDSF::TextToFilterOperator(operatorText1);
    const int b = TzyDSF::TextToFilterOperator(operatorText2);
    // The filter folds a..z before it compares, so a value that begins (or
    // ends) the other in another case does not exclude it.
    const QString v1 = Utils::AsciiUpper(value1);
    const QString v2 = Utils::AsciiUpper(value2);
    const QString& shorter = v1.size() <= v2.size() ? v1 : v2;
    const QString& longer = v1.size() <= v2.size() ? v2 : v1;
    bool exclusive = false;
    if (a == foEquals && b == foEquals)
        exclusive = true;
    else if (a == foStartsWith && b == foStartsWith)
        exclusive = v1.size() == v2.size() || !longer.startsWith(shorter);
    else if (a == foEndsWith && b == foEndsWith)
        exclusive = v1.size() == v2.size() || !longer.endsWith(shorter);
    if (!exclusive)
        return false;
    setExclusiveTexts(*this, taskFld2, rowName2, operatorText2, value2, taskFld1, rowName1, operatorText1, value1);
    return true;
}

bool TzyDV::CheckFilterRowsDuplicate(const QString& rowName2, const QString& taskFld2, const QString& operatorText2,
                                     const QString& value2, const QString& rowName1, const QString& taskFld1,
                                     const QString& operatorText1, const QString& value1)
{
    clearMsgs();
    if (!Utils::SameText(taskFld1, taskFld2) || !Utils::SameText(operatorText1, operatorText2)
        || !Utils::SameText(value1, value2))
        return false;
    MsgShort = Utils::Format(UIT(714), {rowName2, rowName1});
    MsgDetails = MsgShort;
    MsgValue = Utils::Format(UIT(685), {taskFld2, operatorText2, value2});
    return true;
}
