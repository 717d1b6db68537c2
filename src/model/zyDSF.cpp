#include "zyDSF.h"

#include "Utils.h"
#include "zyModelText.h"
#include "zyUIL.h"

TzyDSFx::TzyDSFx() { Reset(); }

void TzyDSFx::Reset()
{
    AndFlag = true;
    m_taskFld.clear();
    m_taskFldDesc.clear();
    FilterOperator = foEquals;
    TaskFldValue.clear();
}

bool TzyDSFx::IsInvalidOperator(int code)
{
    return code < 0 || code >= FilterOperatorCount;
}

bool TzyDSFx::SetFilterOperator(int code)
{
    if (IsInvalidOperator(FilterOperator))
        FilterOperator = foEquals;
    if (IsInvalidOperator(code))
        return true;
    Model::StoreValue(FilterOperator, std::uint8_t(code));
    return false;
}

void TzyDSFx::ResetFilterOperator() { SetFilterOperator(foEquals); }
void TzyDSFx::SetAndFlag(bool value) { Model::StoreValue(AndFlag, value); }
void TzyDSFx::SetTaskFldValue(const QString& value) { Model::StoreValue(TaskFldValue, value); }
QString TzyDSFx::GetTaskFld() const { return Utils::AsciiUpper(Utils::Trim(m_taskFld)); }
void TzyDSFx::SetTaskFld(const QString& value) { Model::StoreColumn(m_taskFld, value); }
QString TzyDSFx::GetTaskFldDesc() const { return Utils::Trim(m_taskFldDesc); }
void TzyDSFx::SetTaskFldDesc(const QString& value) { Model::StoreTrimmed(m_taskFldDesc, value); }

TzyDSF::TzyDSF()
{
    m_items.push_back(std::make_unique<TzyDSFx>());
    Reset();
}

TzyDSF::~TzyDSF()
{
    while (!m_items.empty())
        m_items.pop_back();
}

void TzyDSF::Reset() { m_enabled = false; }

void TzyDSF::SetEnabled(bool value) { Model::StoreValue(m_enabled, value); }

TzyDSFx& TzyDSF::getItems(int index)
{
    if (Utils::CheckIndex(index, 0, Count(), QStringLiteral("DSF.getItems")))
        index = 0;
    return *m_items[size_t(index)];
}

const TzyDSFx& TzyDSF::getItems(int index) const
{
    return const_cast<TzyDSF*>(this)->getItems(index);
}

int TzyDSF::Add()
{
    if (Utils::CheckIndex(Count() + 1, 1, DSF_MaxRows, QStringLiteral("DSF.Add")))
        return 0;
    m_items.push_back(std::make_unique<TzyDSFx>());
    return Count();
}

void TzyDSF::Delete(int index)
{
    // The placeholder is not a row: deleting it would free the slot every
    // bad index falls back to.
    if (Utils::CheckIndex(index, 1, Count(), QStringLiteral("DSF.Delete")))
        return;
    for (int i = index; i < Count(); ++i) {
        TzyDSFx& to = *m_items[size_t(i)];
        const TzyDSFx& from = *m_items[size_t(i) + 1];
        to.SetAndFlag(from.AndFlag);
        to.SetTaskFld(from.GetTaskFld());
        to.SetTaskFldDesc(from.GetTaskFldDesc());
        to.SetFilterOperator(from.FilterOperator);
        to.SetTaskFldValue(from.TaskFldValue);
    }
    m_items.pop_back();
}

bool TzyDSF::IsInvalidOperator(int code) { return TzyDSFx::IsInvalidOperator(code); }

QString TzyDSF::FilterOperatorToText(int code)
{
    return UIT(650 + (IsInvalidOperator(code) ? 0 : code));
}

std::uint8_t TzyDSF::TextToFilterOperator(const QString& text)
{
    const QString wanted = Utils::AsciiUpper(Utils::Trim(text));
    for (int code = 0; code < FilterOperatorCount; ++code)
        if (wanted == Utils::AsciiUpper(UIT(650 + code)))
            return std::uint8_t(code);
    return foEquals;
}

QString TzyDSF::GetFilterDetails() const
{
    static const char* const symbols[] = {" = ", " <> ", " < ", " <= ", " > ", " >= "};
    QString text = UIT(m_enabled ? 647 : 648);
    if (Count() == 0)
        return text + QStringLiteral(", ") + UIT(649);
    text += QStringLiteral(", ");
    for (int i = 1; i <= Count(); ++i) {
        const TzyDSFx& row = *m_items[size_t(i)];
        if (i > 1)
            text += row.AndFlag ? QStringLiteral(" And ") : QStringLiteral(" Or ");
        const QString desc = row.GetTaskFldDesc();
        text += desc.isEmpty() ? QStringLiteral("([") : QStringLiteral("(") + desc + QStringLiteral(" [");
        text += row.GetTaskFld() + QLatin1Char(']');
        if (row.FilterOperator <= foIsGreaterThanOrEqualTo)
            text += QString::fromLatin1(symbols[row.FilterOperator]);
        else
            text = Utils::Format(QStringLiteral("%s %s "), {text, FilterOperatorToText(row.FilterOperator)});
        text += row.TaskFldValue + QLatin1Char(')');
    }
    return text;
}
