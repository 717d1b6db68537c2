#include "UF_BrowseVal.h"

#include "BrowseRules.h"
#include "FormText.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyWM.h"

TUF_BrowseVal* UF_BrowseVal = nullptr;

class TUF_BrowseVal::Columns : public BrowseColumns {
public:
    explicit Columns(const TUF_BrowseVal& d) : m_d(d) {}
    QStringList Titles() const override { return {UIT(190), UIT(191), UIT(192)}; }
    int RowCount() const override { return ActiveDefinition().getVL_TaskFldValCount(m_d.VLIndex); }
    QString Cell(int row, int col) const override
    {
        switch (col) {
        case 0:
            return QString::number(row + 1);
        case 1:
            return ActiveDefinition().getVL_TaskFldValue(m_d.VLIndex, row + 1);
        default:
            return QString::number(ActiveDefinition().getVL_TaskFldValTaskCount(m_d.VLIndex, row + 1));
        }
    }
    QStringList StatusTexts() const override
    {
        return {UIT(198), QString::number(RowCount()), UIT(199), QString::number(ActiveDefinition().getVL_Total()), QString()};
    }

private:
    const TUF_BrowseVal& m_d;
};

TUF_BrowseVal::TUF_BrowseVal(QWidget* parent)
    : TUF_Browse(std::make_unique<Columns>(*this),
                 {22, 193, 194, 195, 196, 197, 847, 848, 849, 850, 851, 852, 853, 854, 855, 856},
                 {&TzyUP::AutoSizeBrowseVal, &TzyUP::AutoAlignBrowseVal, &TzyUP::SetAutoSizeBrowseVal, &TzyUP::SetAutoAlignBrowseVal},
                 wmBrowseVal, parent)
{
    Build(nullptr);
    setWindowTitle(FormText::Padded(UIT(189)));
}

TUF_BrowseVal::~TUF_BrowseVal() = default;

void TUF_BrowseVal::SetTaskFldValue(const QString& value)
{
    if (value != TaskFldValue)
        TaskFldValue = value;
}

void TUF_BrowseVal::SetVLIndex(int index)
{
    if (index != VLIndex)
        VLIndex = index;
}

void TUF_BrowseVal::Populate(int vlIndex, std::optional<QPoint> anchor)
{
    SetVLIndex(vlIndex);
    CalcAlignPos(anchor);
    QStringList values;
    for (int i = 1; i <= ActiveDefinition().getVL_TaskFldValCount(vlIndex); ++i)
        values << ActiveDefinition().getVL_TaskFldValue(vlIndex, i);
    Fill(BrowseRules::PreselectRow(values, TaskFldValue, true));
}

void TUF_BrowseVal::StoreChoice(int row)
{
    TaskFldValue = ActiveDefinition().getVL_TaskFldValue(VLIndex, row + 1);
}

void TUF_BrowseVal::ClearChoice()
{
    TaskFldValue.clear();
}

void TUF_BrowseVal::ClearLoaded()
{
    ActiveDefinition().setVL_Loaded(VLIndex, false);
}
