#include "UF_BrowseFld.h"

#include "BrowseRules.h"
#include "Format.h"
#include "FormText.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyWM.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QTreeView>

TUF_BrowseFld* UF_BrowseFld = nullptr;

namespace {
TzySD& Active()
{
    return SDs->getItems(SDs->ActiveSD());
}
} // namespace

class TUF_BrowseFld::Columns : public BrowseColumns {
public:
    explicit Columns(const TUF_BrowseFld& d) : m_d(d) {}
    QStringList Titles() const override
    {
        QStringList t{UIT(178), UIT(179), UIT(180)};
        for (int j = 1; j <= m_d.m_sampleCount; ++j)
            t << Utils::Format(UIT(181), {j});
        return t;
    }
    int RowCount() const override { return Active().getFL_Count(); }
    QString Cell(int row, int col) const override
    {
        switch (col) {
        case 0:
            return QString::number(row + 1);
        case 1:
            return Active().getFL_TaskFld(row + 1);
        case 2:
            return Active().getFL_TaskFldDesc(row + 1);
        default:
            return Active().getFL_TaskFldValue(row + 1, col - 2);
        }
    }
    QStringList StatusTexts() const override { return {UIT(188), QString::number(RowCount()), QString()}; }

private:
    const TUF_BrowseFld& m_d;
};

TUF_BrowseFld::TUF_BrowseFld(QWidget* parent)
    : TUF_Browse(std::make_unique<Columns>(*this),
                 {21, 183, 184, 185, 186, 187, 835, 836, 839, 840, 841, 842, 843, 844, 845, 846}, wmBrowseFld, parent)
{
    auto* panel = new QWidget(this);
    m_cbImport = new QCheckBox(FormText::Padded(UIT(182)), panel);
    m_cbImport->setToolTip(UIT(837) + QLatin1Char('\n') + UIT(838));
    auto* h = new QHBoxLayout(panel);
    h->setContentsMargins(8, 6, 8, 6);
    h->addWidget(m_cbImport);
    h->addStretch(1);
    auto* bevel = new QFrame(panel);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(0, 0, 10000, 2);
    connect(m_cbImport, &QCheckBox::clicked, this, [this](bool checked) {
        if (Updating)
            return;
        UP->SetImportTaskFldDesc(checked);
        UP->Save();
        if (List()->isEnabled())
            List()->setFocus();
    });
    Build(panel);
}

TUF_BrowseFld::~TUF_BrowseFld() = default;

void TUF_BrowseFld::SetTaskFld(const QString& taskFld)
{
    if (taskFld != TaskFld)
        TaskFld = Utils::AsciiUpper(Utils::Trim(taskFld));
}

QString TUF_BrowseFld::GetTaskFld() const
{
    return Utils::Trim(TaskFld);
}

QString TUF_BrowseFld::GetTaskFldDesc() const
{
    return Utils::Trim(TaskFldDesc);
}

void TUF_BrowseFld::Populate(const QString& caption, int alignMode, const QString& itemName,
                             std::optional<QPoint> anchor)
{
    setWindowTitle(FormText::Padded(caption));
    CalcAlignPos(alignMode == 1 || alignMode == 2 ? anchor : std::nullopt);
    m_sampleCount = UP->ImportTaskFldValueCount();
    QStringList fields;
    for (int i = 1; i <= Active().getFL_Count(); ++i)
        fields << Active().getFL_TaskFld(i);
    SetItemHints(itemName);
    Fill(BrowseRules::PreselectRow(fields, TaskFld, true));
}

bool TUF_BrowseFld::AutoSizePref() const { return UP->AutoSizeBrowseFld(); }
bool TUF_BrowseFld::AutoAlignPref() const { return UP->AutoAlignBrowseFld(); }
void TUF_BrowseFld::SetAutoSizePref(bool down) { UP->SetAutoSizeBrowseFld(down); }
void TUF_BrowseFld::SetAutoAlignPref(bool down) { UP->SetAutoAlignBrowseFld(down); }

void TUF_BrowseFld::ActivateExtra()
{
    m_cbImport->setChecked(UP->ImportTaskFldDesc());
}

void TUF_BrowseFld::StoreChoice(int row)
{
    TaskFld = Active().getFL_TaskFld(row + 1);
    TaskFldDesc = Active().getFL_TaskFldDesc(row + 1);
    ImportDesc = m_cbImport->isChecked();
}

void TUF_BrowseFld::ClearChoice()
{
    TaskFld.clear();
    TaskFldDesc.clear();
    ImportDesc = false;
}

void TUF_BrowseFld::ClearLoaded()
{
    Active().setFL_Loaded(false);
}
