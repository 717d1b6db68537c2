#include "UF_BrowseWS.h"

#include "BrowseRules.h"
#include "Format.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyWM.h"

TUF_BrowseWS* UF_BrowseWS = nullptr;

namespace {
TzySD& Active()
{
    return SDs->getItems(SDs->ActiveSD());
}
} // namespace

class TUF_BrowseWS::Columns : public BrowseColumns {
public:
    explicit Columns(const TUF_BrowseWS& d) : m_d(d) {}
    QStringList Titles() const override { return {UIT(168), Utils::Format(UIT(169), {m_d.m_kind})}; }
    int RowCount() const override { return Active().getWSL_Count(m_d.WSLIndex); }
    QString Cell(int row, int col) const override
    {
        return col == 0 ? QString::number(row + 1) : Active().getWSL_WS(m_d.WSLIndex, row + 1);
    }
    QStringList StatusTexts() const override { return {UIT(175), QString::number(RowCount()), QString()}; }

private:
    const TUF_BrowseWS& m_d;
};

TUF_BrowseWS::TUF_BrowseWS(QWidget* parent)
    : TUF_Browse(std::make_unique<Columns>(*this),
                 {20, 170, 171, 172, 173, 174, 825, 826, 827, 828, 829, 830, 831, 832, 833, 834}, wmBrowseWS,
                 parent)
{
    Build(nullptr);
}

TUF_BrowseWS::~TUF_BrowseWS() = default;

void TUF_BrowseWS::SetWS(const QString& name)
{
    if (WS != name)
        WS = name;
}

void TUF_BrowseWS::Populate(const QString& kind, const QString& itemName, int wslIndex, int alignMode,
                            std::optional<QPoint> anchor)
{
    setWindowTitle(QLatin1Char(' ') + Utils::Format(UIT(167), {kind, itemName}) + QLatin1Char(' '));
    CalcAlignPos(alignMode >= 1 && alignMode <= 3 ? anchor : std::nullopt);
    m_kind = kind;
    WSLIndex = wslIndex;
    QStringList names;
    for (int i = 1; i <= Active().getWSL_Count(wslIndex); ++i)
        names << Active().getWSL_WS(wslIndex, i);
    SetItemHints(itemName);
    Fill(BrowseRules::PreselectRow(names, WS, false));
}

bool TUF_BrowseWS::AutoSizePref() const { return UP->AutoSizeBrowseWS(); }
bool TUF_BrowseWS::AutoAlignPref() const { return UP->AutoAlignBrowseWS(); }
void TUF_BrowseWS::SetAutoSizePref(bool down) { UP->SetAutoSizeBrowseWS(down); }
void TUF_BrowseWS::SetAutoAlignPref(bool down) { UP->SetAutoAlignBrowseWS(down); }

void TUF_BrowseWS::StoreChoice(int row)
{
    WS = Active().getWSL_WS(WSLIndex, row + 1);
}

void TUF_BrowseWS::ClearChoice()
{
    WS.clear();
}

void TUF_BrowseWS::ClearLoaded()
{
    Active().setWSL_Loaded(WSLIndex, false);
}
