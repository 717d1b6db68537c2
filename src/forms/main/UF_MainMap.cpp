// Page 2: the column of the task worksheet that holds each of the nine task
// fields, with the rows the options require marked and tested.
#include "UF_MainMap.h"

#include "Artwork.h"
#include "BalloonHint.h"
#include "FormMetrics.h"
#include "HeadingPanel.h"
#include "PageLook.h"
#include "MapRules.h"
#include "UF_Main.h"
#include "UF_Browse.h"
#include "UF_MainTaskFld.h"
#include "Utils.h"
#include "zyColors.h"
#include "zyGrid.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

TzySD& ActiveSD() { return SDs->getItems(SDs->ActiveSD()); }


} // namespace

TUF_MainMap::TUF_MainMap(TUF_Main& form, QWidget* sheet)
    : F(form)
    , TS_DSM(sheet)
{
    auto* v = new QVBoxLayout(sheet);
    v->setContentsMargins(6, 6, 6, 6);
    v->setSpacing(4);
    Pnl_DSM_T = new HeadingPanel(sheet, QStringLiteral("Pnl_DSM_T"));
    v->addWidget(Pnl_DSM_T);

    // The grid's editor controls sit in the grid's parent.
    auto* host = new QWidget(sheet);
    auto* hl = new QVBoxLayout(host);
    hl->setContentsMargins(0, 0, 0, 0);
    SG_DSM = new TzyGrid(host);
    SG_DSM->setObjectName(QStringLiteral("SG_DSM"));
    MainTaskFld::SetupPageGrid(SG_DSM, 3, DSM_Count, 160, gkString, 140);
    hl->addWidget(SG_DSM);
    BBtn_DSM_TaskFld_Browse = MainTaskFld::InGridButton(host, "BBtn_DSM_TaskFld_Browse");
    v->addWidget(host, 1);

    // Update Task Field Descriptions 8 pixels right of Auto Size.
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    SBtn_DSM_AutoSize = new QToolButton(sheet);
    SBtn_DSM_AutoSize->setObjectName(QStringLiteral("SBtn_DSM_AutoSize"));
    SBtn_DSM_AutoSize->setCheckable(true);
    SBtn_DSM_AutoSize->setToolButtonStyle(Qt::ToolButtonTextOnly);
    SBtn_DSM_AutoSize->setFixedHeight(FormMetrics::SBtnHeight());
    BBtn_DSM_UpdateTaskFldDesc = new QPushButton(sheet);
    BBtn_DSM_UpdateTaskFldDesc->setObjectName(QStringLiteral("BBtn_DSM_UpdateTaskFldDesc"));
    BBtn_DSM_UpdateTaskFldDesc->setFixedHeight(FormMetrics::BBtnHeight());
    buttons->addWidget(SBtn_DSM_AutoSize);
    buttons->addWidget(BBtn_DSM_UpdateTaskFldDesc);
    buttons->addStretch(1);
    v->addLayout(buttons);
    Lbl_DSM_Note = new QLabel(sheet);
    Lbl_DSM_Note->setObjectName(QStringLiteral("Lbl_DSM_Note"));
    v->addWidget(Lbl_DSM_Note);

    QObject::connect(SG_DSM, &TzyGrid::OnCellChange, [this] { SG_DSMCellChange(); });
    QObject::connect(SG_DSM, &TzyGrid::OnSelectCell, [this] { SG_DSMSelectCell(); });
    QObject::connect(SG_DSM, &TzyGrid::OnUserColWidthChanged, [this] { SG_DSMUserColWidthChanged(); });
    QObject::connect(SG_DSM, &TzyGrid::OnFilterChar, SG_DSM,
                     [this](int, int, QChar& key, const QRect& rect, bool& allowed, const QString& buffer) {
                         SG_DSMFilterChar(key, rect, allowed, buffer);
                     },
                     Qt::DirectConnection);
    QObject::connect(SBtn_DSM_AutoSize, &QToolButton::clicked, [this] { SBtn_DSM_AutoSizeClick(); });
    QObject::connect(BBtn_DSM_TaskFld_Browse, &QPushButton::clicked, [this] { BBtn_DSM_TaskFld_BrowseClick(); });
    QObject::connect(BBtn_DSM_UpdateTaskFldDesc, &QPushButton::clicked,
                     [this] { BBtn_DSM_UpdateTaskFldDescClick(); });
    MainTaskFld::HideBalloonOnExit(SG_DSM, F.BH_Main);
}

void TUF_Main::SetupSG_DSM()
{
    TzyGrid* g = Map->SG_DSM;
    g->setSmoothHorScroll(false);
    g->setColEditorControl(1, Map->BBtn_DSM_TaskFld_Browse);
    g->setColEditor(1, ceBBtn);
    g->setHeaderCellFontColor(1, zyColor::clMaroon());
    g->setColMaxLength(1, 3);
    g->setColMaxLength(2, 255);
    g->setColCanSelect(3, false);
    g->setColReadOnly(3, true);
    g->setColColor(3, g->DisabledColor());
    g->setCells(1, 1, QStringLiteral("WWW"));
    g->setColMinWidths(1, g->CalcColMinWidths(1, true, false));
    g->setCells(1, 1, QString());
    g->setColMinWidths(2, g->CalcColMinWidths(2, true, false));
}

void TUF_Main::ClearPage2()
{
    Updating[2] = true;
    Map->SG_DSM->ClearCells();
    // An emptied page shows no warnings of the rows it held.
    for (int r = 1; r <= Map->SG_DSM->RowCount(); ++r)
        Map->SG_DSM->setGutterImageVisible(r, false);
    Updating[2] = false;
}

void TUF_Main::EnablePage2(bool enabled)
{
    TUF_MainMap& m = *Map;
    PageEnabled[2] = enabled;
    if (!enabled)
        ClearPage2();
    m.SG_DSM->setEnabled(enabled);
    for (QWidget* w : std::initializer_list<QWidget*>{m.BBtn_DSM_TaskFld_Browse, m.Lbl_DSM_Note, m.SBtn_DSM_AutoSize,
                                                      m.BBtn_DSM_UpdateTaskFldDesc})
        w->setEnabled(enabled);
    PageLook::SetHeadingActive(m.Pnl_DSM_T, enabled);
}

void TUF_Main::LoadPage2()
{
    TUF_MainMap& m = *Map;
    m.SBtn_DSM_AutoSize->setChecked(UP->AutoSizeDSM());
    if (!PageEnabled[2])
        return;
    TzySD& sd = ActiveSD();
    TzyGrid* g = m.SG_DSM;
    Updating[2] = true;
    sd.DSM.SetRequired(sd.SCO.GenerateBL, sd.SCO.GenerateACT, sd.SCO.GenerateTGT, sd.SCO.GraphMH, sd.SCO.GraphCost);
    g->MoveToCell(1, 1);
    g->ClearCells();
    for (int i = 1; i <= sd.DSM.Count() && i <= g->RowCount(); ++i) {
        const TzyDSMx& x = sd.DSM.getItems(i);
        g->setCells(1, i, Utils::AsciiUpper(Utils::Trim(x.GetTaskFld())));
        g->setCells(2, i, Utils::Trim(x.GetTaskFldDesc()));
    }
    g->AutoSizeGutter(true);
    if (m.SBtn_DSM_AutoSize->isChecked())
        g->AutoSizeCols(true);
    m.SBtn_DSM_AutoSize->setEnabled(g->Enabled());
    m.BBtn_DSM_UpdateTaskFldDesc->setEnabled(g->Enabled());
    if (g->Enabled())
        g->setFocus();
    Updating[2] = false;
}

void TUF_Main::UpdatePage2()
{
    BH_Main->HideHint();
    if (!PageEnabled[2])
        return;
    TzySD& sd = ActiveSD();
    TzyGrid* g = Map->SG_DSM;
    for (int i = 1; i <= g->RowCount() && i <= sd.DSM.Count(); ++i)
        g->setGutterCellFontColor(i, sd.DSM.getItems(i).Required ? zyColor::clMaroon() : g->FontColor());
    Map->UpdatePage2Details();
}

void TUF_Main::SavePage2()
{
    if (!PageEnabled[2])
        return;
    TzySD& sd = ActiveSD();
    TzyGrid* g = Map->SG_DSM;
    for (int i = 1; i <= g->RowCount() && i <= sd.DSM.Count(); ++i) {
        TzyDSMx& x = sd.DSM.getItems(i);
        x.SetTaskFld(Utils::AsciiUpper(Utils::Trim(g->getCells(1, i))));
        x.SetTaskFldDesc(Utils::Trim(g->getCells(2, i)));
    }
    sd.DSM.SetRequired(sd.SCO.GenerateBL, sd.SCO.GenerateACT, sd.SCO.GenerateTGT, sd.SCO.GraphMH, sd.SCO.GraphCost);
}

// ---- row tests -------------------------------------------------------------------

void TUF_MainMap::UpdatePage2Details()
{
    TzySD& sd = ActiveSD();
    std::vector<MapRules::MapRow> rows;
    for (int i = 1; i <= SG_DSM->RowCount() && i <= sd.DSM.Count(); ++i) {
        const TzyDSMx& x = sd.DSM.getItems(i);
        rows.push_back({Utils::Format(UIT(626), {x.Desc}), SG_DSM->getCells(1, i), x.Required});
    }
    const TaskFieldRules::RowFlags flags = MapRules::TestRows(sd.SCF.GetDataSourceFile(), rows);
    for (int i = 1; i <= int(flags.size()); ++i) {
        SG_DSM->setGutterImageHint(i, flags[size_t(i - 1)].hint);
        SG_DSM->setGutterImageVisible(i, flags[size_t(i - 1)].flagged);
    }
}

// ---- handlers --------------------------------------------------------------------

void TUF_MainMap::SG_DSMCellChange()
{
    F.BH_Main->HideHint();
    if (!F.Updating[2])
        F.UpdatePage2();
}

void TUF_MainMap::SG_DSMSelectCell()
{
    F.BH_Main->HideHint();
    if (!F.Updating[2] && SBtn_DSM_AutoSize->isChecked())
        SG_DSM->AutoSizeCols(true);
}

void TUF_MainMap::SG_DSMUserColWidthChanged()
{
    MainTaskFld::UserColWidthChanged(SBtn_DSM_AutoSize, &TzyUP::SetAutoSizeDSM);
}

void TUF_MainMap::SG_DSMFilterChar(QChar& key, const QRect& rectCell, bool& allowed, const QString& buffer)
{
    F.BH_Main->HideHint();
    if (SG_DSM->Col() == 2)
        MainTaskFld::TextKey(F, SG_DSM, key, rectCell, allowed, buffer, 255);
    else if (SG_DSM->Col() == 1)
        MainTaskFld::TaskFldKey(F, SG_DSM, key, rectCell, allowed, buffer, 624);
}

void TUF_MainMap::SBtn_DSM_AutoSizeClick()
{
    F.BH_Main->HideHint();
    MainTaskFld::AutoSizeClick(SG_DSM, SBtn_DSM_AutoSize, &TzyUP::SetAutoSizeDSM);
}

void TUF_MainMap::BBtn_DSM_TaskFld_BrowseClick()
{
    if (SG_DSM->Enabled())
        SG_DSM->setFocus();
    const int row = SG_DSM->Row();
    const QString name = Utils::Trim(SG_DSM->getGutterCellText(row));
    const BrowseCommands::FieldChoice c = MainTaskFld::PageLinks().BrowseTaskField(
        Utils::Trim(SG_DSM->getCells(1, row)), Utils::Format(UIT(176), {name}), 1, Utils::Format(UIT(626), {name}),
        MainTaskFld::CellAnchor(SG_DSM, BBtn_DSM_TaskFld_Browse));
    if (c.result == TUF_Browse::mrSelect) {
        if (!c.taskFld.isEmpty()) {
            SG_DSM->setCells(1, row, c.taskFld);
            if (c.importDesc)
                SG_DSM->setCells(2, row, Utils::LineFeedsToSpaces(c.desc));
        }
        F.UpdatePage2();
    }
    if (SG_DSM->Enabled())
        SG_DSM->setFocus();
}

void TUF_MainMap::BBtn_DSM_UpdateTaskFldDescClick()
{
    F.FocusPages();
    if (!F.Updating[2])
        ProcessUpdateTaskFldDescDSMx();
}

void TUF_MainMap::ProcessUpdateTaskFldDescDSMx()
{
    static const QString ids[3] = {QStringLiteral("MF004"), QStringLiteral("MF005"), QStringLiteral("MF006")};
    MainTaskFld::UpdateDescriptions(SG_DSM, 1, 2, ids);
}
