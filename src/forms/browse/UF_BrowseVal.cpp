#include "UF_BrowseVal.h"

#include "BrowseRules.h"
#include "FormText.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyWM.h"

TUF_BrowseVal* UF_BrowseVal = nullptr;

namespace {
TzySD& Active()
{
    return SDs->getItems(SDs->ActiveSD());
}
} // namespace

class TUF_BrowseVal::Columns : public BrowseColumns {
public:
    explicit Columns(const TUF_BrowseVal& d) : m_d(d) {}
    QStringList Titles() const override { return {UIT(190), UIT(191), UIT(192)}; }
    int RowCount() const override { return Active().getVL_TaskFldValCount(m_d.VLIndex); }
    QString Cell(int row, int col) const override
    {
        switch (col) {
        case 0:
            return QString::number(row + 1);
        case 1:
            return Active().getVL_TaskFldValue(m_d.VLIndex, row + 1);
        default:
            return QString::number(Active().getVL_TaskFldValTaskCount(m_d.VLIndex, row + 1));
        }
    }
    QStringList StatusTexts() const override
    {
        return {UIT(198), QString::number(RowCount()), UIT(199), QString::number(Active().getVL_Total()), QString()};
    }

private:
    const TUF_BrowseVal& m_d;
};

TUF_BrowseVal::TUF_BrowseVal(QWidget* parent)
    : TUF_Browse(std::make_unique<Columns>(*this),
                 {22, 193, 194, 195, 196, 197, 847, 848, 849, 850, 851, 852, 853, 854, 855, 856}, wmBrowseVal, parent)
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
    for (int i = 1; i <= Active().getVL_TaskFldValCount(vlIndex); ++i)
        values << Active().getVL_TaskFldValue(vlIndex, i);
    Fill(BrowseRules::PreselectRow(values, TaskFldValue, true));
}

bool TUF_BrowseVal::AutoSizePref() const { return UP->AutoSizeBrowseVal(); }
bool TUF_BrowseVal::AutoAlignPref() const { return UP->AutoAlignBrowseVal(); }
void TUF_BrowseVal::SetAutoSizePref(bool down) { UP->SetAutoSizeBrowseVal(down); }
void TUF_BrowseVal::SetAutoAlignPref(bool down) { UP->SetAutoAlignBrowseVal(down); }

void TUF_BrowseVal::StoreChoice(int row)
{
    TaskFldValue = Active().getVL_TaskFldValue(VLIndex, row + 1);
}

void TUF_BrowseVal::ClearChoice()
{
    TaskFldValue.clear();
}

void TUF_BrowseVal::ClearLoaded()
{
    Active().setVL_Loaded(VLIndex, false);
}
