#include "zyDSM.h"

#include "Utils.h"
#include "zyModelText.h"
#include "zyUIL.h"

TzyDSMx::TzyDSMx() { Reset(); }

void TzyDSMx::Reset()
{
    Desc.clear();
    m_taskFld.clear();
    m_taskFldDesc.clear();
    Required = false;
}

void TzyDSMx::SetDesc(const QString& value) { Model::StoreValue(Desc, value); }
QString TzyDSMx::GetTaskFld() const { return Utils::AsciiUpper(Utils::Trim(m_taskFld)); }
void TzyDSMx::SetTaskFld(const QString& value) { Model::StoreColumn(m_taskFld, value); }
QString TzyDSMx::GetTaskFldDesc() const { return Utils::Trim(m_taskFldDesc); }
void TzyDSMx::SetTaskFldDesc(const QString& value) { Model::StoreTrimmed(m_taskFldDesc, value); }
void TzyDSMx::SetRequired(bool value) { Model::StoreValue(Required, value); }

TzyDSM::TzyDSM()
{
    for (int i = 0; i <= DSM_Count; ++i)
        m_items.push_back(std::make_unique<TzyDSMx>());
    Reset();
}

TzyDSM::~TzyDSM()
{
    while (!m_items.empty())
        m_items.pop_back();
}

void TzyDSM::Reset()
{
    for (int i = 1; i <= Count(); ++i)
        m_items[size_t(i)]->SetDesc(UIT(627 + i));
}

TzyDSMx& TzyDSM::getItems(int index)
{
    if (Utils::CheckIndex(index, 0, Count(), QStringLiteral("DSM.getItems")))
        index = 0;
    return *m_items[size_t(index)];
}

const TzyDSMx& TzyDSM::getItems(int index) const
{
    return const_cast<TzyDSM*>(this)->getItems(index);
}

void TzyDSM::SetRequired(bool generateBL, bool generateACT, bool generateTGT, bool graphMH, bool graphCost)
{
    for (int i = 1; i <= Count(); ++i)
        m_items[size_t(i)]->SetRequired(false);
    auto require = [this](int i) { m_items[size_t(i)]->SetRequired(true); };
    if (generateBL) {
        require(dsmBaselineStart);
        require(dsmBaselineFinish);
        if (graphMH)
            require(dsmBaselineMH);
        if (graphCost)
            require(dsmBaselineCost);
    }
    // Actual and Target share the start, finish and quantity columns; only
    // Actual needs % Complete.
    if (generateACT || generateTGT) {
        require(dsmStart);
        require(dsmFinish);
        if (graphMH)
            require(dsmMH);
        if (graphCost)
            require(dsmCost);
    }
    if (generateACT)
        require(dsmPctComplete);
}
