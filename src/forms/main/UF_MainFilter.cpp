// Page 3: up to five filter rows, each a link, a task field, its
// description, an operator and a value; the row commands, the row tests and
// the moves between the grid and the definition's filter.
#include "UF_MainFilter.h"

#include "Artwork.h"
#include "BalloonHint.h"
#include "FieldIndicator.h"
#include "FormMetrics.h"
#include "HeadingPanel.h"
#include "PageLook.h"
#include "StdDlg.h"
#include "UF_Browse.h"
#include "UF_Main.h"
#include "UF_MainTaskFld.h"
#include "Utils.h"
#include "zyColors.h"
#include "zyGrid.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using FilterRules::Grid;

namespace {

TzySD& ActiveSD() { return SDs->getItems(SDs->ActiveSD()); }
bool FilterEnabledInDefinition() { return SDs && SDs->Count() > 0 && ActiveSD().DSF.Enabled(); }


QPushButton* button(QWidget* parent, const char* name)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setFixedHeight(FormMetrics::BBtnHeight());
    return b;
}

QToolButton* toggle(QWidget* parent, const char* name)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setCheckable(true);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setFixedHeight(FormMetrics::SBtnHeight());
    return b;
}

QComboBox* inGridCombo(QWidget* parent, const char* name)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setMaxVisibleItems(16);
    c->hide();
    return c;
}

// Left and Right of a combo box go to the page.
class ComboKeys : public QObject {
public:
    ComboKeys(QComboBox* cb, TUF_MainFilter* page)
        : QObject(cb)
        , m_page(page)
    {
        cb->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress && m_page->DDL_DSF_KeyDown(static_cast<QKeyEvent*>(e)->key()))
            return true;
        return QObject::eventFilter(watched, e);
    }

private:
    TUF_MainFilter* m_page;
};

} // namespace

TUF_MainFilter::TUF_MainFilter(TUF_Main& form, QWidget* sheet)
    : F(form)
    , TS_DSF(sheet)
{
    auto* v = new QVBoxLayout(sheet);
    v->setContentsMargins(6, 6, 6, 6);
    v->setSpacing(4);
    Pnl_DSF_T = new HeadingPanel(sheet, QStringLiteral("Pnl_DSF_T"));
    Img_DSF_T = Pnl_DSF_T->Indicator(QStringLiteral("Img_DSF_T"));
    v->addWidget(Pnl_DSF_T);

    auto* host = new QWidget(sheet);
    auto* hl = new QVBoxLayout(host);
    hl->setContentsMargins(0, 0, 0, 0);
    SG_DSF = new TzyGrid(host);
    SG_DSF->setObjectName(QStringLiteral("SG_DSF"));
    MainTaskFld::SetupPageGrid(SG_DSF, 6, FilterRules::Rows, 94, gkNumber, 40);
    hl->addWidget(SG_DSF);
    DDL_DSF_AndFlag = inGridCombo(host, "DDL_DSF_AndFlag");
    DDL_DSF_FilterOperator = inGridCombo(host, "DDL_DSF_FilterOperator");
    BBtn_DSF_TaskFld_Browse = MainTaskFld::InGridButton(host, "BBtn_DSF_TaskFld_Browse");
    BBtn_DSF_TaskFldValue_Browse = MainTaskFld::InGridButton(host, "BBtn_DSF_TaskFldValue_Browse");
    v->addWidget(host, 1);

    // The seven commands side by side with no gap; Auto Size 6 pixels below
    // them with Update Task Field Descriptions 8 pixels to its right.
    auto* buttonRows = new QVBoxLayout;
    buttonRows->setSpacing(6);
    auto* commands = new QHBoxLayout;
    commands->setSpacing(0);
    SBtn_DSF_Enable = toggle(sheet, "SBtn_DSF_Enable");
    BBtn_DSF_Insert = button(sheet, "BBtn_DSF_Insert");
    BBtn_DSF_Delete = button(sheet, "BBtn_DSF_Delete");
    BBtn_DSF_MoveUp = button(sheet, "BBtn_DSF_MoveUp");
    BBtn_DSF_MoveDown = button(sheet, "BBtn_DSF_MoveDown");
    BBtn_DSF_Refresh = button(sheet, "BBtn_DSF_Refresh");
    BBtn_DSF_Clear = button(sheet, "BBtn_DSF_Clear");
    commands->addWidget(SBtn_DSF_Enable);
    for (QPushButton* b : {BBtn_DSF_Insert, BBtn_DSF_Delete, BBtn_DSF_MoveUp, BBtn_DSF_MoveDown, BBtn_DSF_Refresh,
                           BBtn_DSF_Clear})
        commands->addWidget(b);
    commands->addStretch(1);
    buttonRows->addLayout(commands);
    auto* more = new QHBoxLayout;
    more->setSpacing(8);
    SBtn_DSF_AutoSize = toggle(sheet, "SBtn_DSF_AutoSize");
    BBtn_DSF_UpdateTaskFldDesc = button(sheet, "BBtn_DSF_UpdateTaskFldDesc");
    more->addWidget(SBtn_DSF_AutoSize);
    more->addWidget(BBtn_DSF_UpdateTaskFldDesc);
    more->addStretch(1);
    buttonRows->addLayout(more);
    v->addLayout(buttonRows);
    Lbl_DSF_Note1 = new QLabel(sheet);
    Lbl_DSF_Note1->setObjectName(QStringLiteral("Lbl_DSF_Note1"));
    Lbl_DSF_Note1->setWordWrap(true);
    Lbl_DSF_Note2 = new QLabel(sheet);
    Lbl_DSF_Note2->setObjectName(QStringLiteral("Lbl_DSF_Note2"));
    v->addWidget(Lbl_DSF_Note1);
    v->addWidget(Lbl_DSF_Note2);

    QObject::connect(SG_DSF, &TzyGrid::OnCellChange, [this](int col, int row, const QString&) { SG_DSFCellChange(col, row); });
    QObject::connect(SG_DSF, &TzyGrid::OnSelectCell, [this](int, int row) { SG_DSFSelectCell(row); });
    QObject::connect(SG_DSF, &TzyGrid::OnUserColWidthChanged, [this] { SG_DSFUserColWidthChanged(); });
    QObject::connect(SG_DSF, &TzyGrid::OnFilterChar, SG_DSF,
                     [this](int, int, QChar& key, const QRect& rect, bool& allowed, const QString& buffer) {
                         SG_DSFFilterChar(key, rect, allowed, buffer);
                     },
                     Qt::DirectConnection);
    MainTaskFld::HideBalloonOnExit(SG_DSF, F.BH_Main);
    QObject::connect(DDL_DSF_AndFlag, &QComboBox::activated, [this] { DDL_DSF_AndFlagChange(); });
    QObject::connect(DDL_DSF_FilterOperator, &QComboBox::activated, [this] { DDL_DSF_FilterOperatorChange(); });
    new ComboKeys(DDL_DSF_AndFlag, this);
    new ComboKeys(DDL_DSF_FilterOperator, this);
    QObject::connect(SBtn_DSF_Enable, &QToolButton::clicked, [this] { SBtn_DSF_EnableClick(); });
    QObject::connect(BBtn_DSF_Insert, &QPushButton::clicked, [this] { BBtn_DSF_InsertClick(); });
    QObject::connect(BBtn_DSF_Delete, &QPushButton::clicked, [this] { BBtn_DSF_DeleteClick(); });
    QObject::connect(BBtn_DSF_MoveUp, &QPushButton::clicked, [this] { BBtn_DSF_MoveUpClick(); });
    QObject::connect(BBtn_DSF_MoveDown, &QPushButton::clicked, [this] { BBtn_DSF_MoveDownClick(); });
    QObject::connect(BBtn_DSF_Refresh, &QPushButton::clicked, [this] { BBtn_DSF_RefreshClick(); });
    QObject::connect(BBtn_DSF_Clear, &QPushButton::clicked, [this] { BBtn_DSF_ClearClick(); });
    QObject::connect(SBtn_DSF_AutoSize, &QToolButton::clicked, [this] { SBtn_DSF_AutoSizeClick(); });
    QObject::connect(BBtn_DSF_TaskFld_Browse, &QPushButton::clicked, [this] { BBtn_DSF_TaskFld_BrowseClick(); });
    QObject::connect(BBtn_DSF_TaskFldValue_Browse, &QPushButton::clicked,
                     [this] { BBtn_DSF_TaskFldValue_BrowseClick(); });
    QObject::connect(BBtn_DSF_UpdateTaskFldDesc, &QPushButton::clicked,
                     [this] { BBtn_DSF_UpdateTaskFldDescClick(); });
}

// ---- the grid as data ----------------------------------------------------------------

Grid TUF_MainFilter::ReadGrid() const
{
    Grid g;
    for (int r = 1; r <= FilterRules::Rows; ++r) {
        FilterRules::Row& x = g[size_t(r - 1)];
        x.link = SG_DSF->getCells(1, r);
        x.linkIndex = SG_DSF->getCellDDLItemIndex(1, r);
        x.taskFld = SG_DSF->getCells(2, r);
        x.desc = SG_DSF->getCells(3, r);
        x.op = SG_DSF->getCells(4, r);
        x.opIndex = SG_DSF->getCellDDLItemIndex(4, r);
        x.value = SG_DSF->getCells(5, r);
    }
    return g;
}

void TUF_MainFilter::WriteGrid(const Grid& g)
{
    for (int r = 1; r <= FilterRules::Rows; ++r) {
        const FilterRules::Row& x = g[size_t(r - 1)];
        SG_DSF->setCells(1, r, x.link);
        SG_DSF->setCellDDLItemIndex(1, r, x.linkIndex);
        SG_DSF->setCells(2, r, x.taskFld);
        SG_DSF->setCells(3, r, x.desc);
        SG_DSF->setCells(4, r, x.op);
        SG_DSF->setCellDDLItemIndex(4, r, x.opIndex);
        SG_DSF->setCells(5, r, x.value);
    }
}

void TUF_MainFilter::SyncEditors()
{
    const int col = SG_DSF->Col(), row = SG_DSF->Row();
    if (col == 1 && DDL_DSF_AndFlag->isVisible())
        DDL_DSF_AndFlag->setCurrentIndex(SG_DSF->getCellDDLItemIndex(1, row));
    if (col == 4 && DDL_DSF_FilterOperator->isVisible())
        DDL_DSF_FilterOperator->setCurrentIndex(SG_DSF->getCellDDLItemIndex(4, row));
}

// ---- the protocol ------------------------------------------------------------------

void TUF_Main::SetupSG_DSF()
{
    TUF_MainFilter& p = *Filter;
    TzyGrid* g = p.SG_DSF;
    g->setSmoothHorScroll(false);
    g->setCellCanSelect(1, 1, false);
    for (int r = 2; r <= g->RowCount(); ++r) {
        g->setCellEditorControl(1, r, p.DDL_DSF_AndFlag);
        g->setCellEditor(1, r, ceDDL);
    }
    for (int c : {1, 2, 4})
        g->setHeaderCellFontColor(c, zyColor::clMaroon());
    g->setCellReadOnly(1, 1, true);
    g->setCellColor(1, 1, zyColor::clBtnFace());
    g->setColEditorControl(2, p.BBtn_DSF_TaskFld_Browse);
    g->setColEditor(2, ceBBtn);
    g->setColMaxLength(2, 3);
    g->setColMaxLength(3, 255);
    g->setColEditorControl(4, p.DDL_DSF_FilterOperator);
    g->setColEditor(4, ceDDL);
    g->setColEditorControl(5, p.BBtn_DSF_TaskFldValue_Browse);
    g->setColEditor(5, ceBBtn);
    g->setColCanSelect(6, false);
    g->setColReadOnly(6, true);
    g->setColColor(6, g->DisabledColor());
    for (int c : {1, 3, 4, 5})
        g->setColMinWidths(c, g->CalcColMinWidths(c, true, false));
    g->setCells(2, 1, QStringLiteral("WWW"));
    g->setColMinWidths(2, g->CalcColMinWidths(2, true, false));
    g->setCells(2, 1, QString());
    // Every column, the value with its browse button included, in view.
    MainTaskFld::KeepColumnsInView(g, 5);
}

void TUF_Main::ClearPage3()
{
    Updating[3] = true;
    Filter->SG_DSF->ClearCells();
    for (int r = 1; r <= Filter->SG_DSF->RowCount(); ++r)
        Filter->SG_DSF->setGutterImageVisible(r, false);
    Filter->SBtn_DSF_Enable->setChecked(false);
    Updating[3] = false;
}

void TUF_Main::EnablePage3(bool enabled)
{
    TUF_MainFilter& p = *Filter;
    PageEnabled[3] = enabled;
    if (enabled) {
        p.EnableSG_DSF(FilterEnabledInDefinition());
    } else {
        ClearPage3();
        SetImgState(p.Img_DSF_T, QString(), false);
        p.EnableSG_DSF(false);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{p.SBtn_DSF_Enable, p.Lbl_DSF_Note1, p.Lbl_DSF_Note2})
        w->setEnabled(enabled);
    PageLook::SetHeadingActive(p.Pnl_DSF_T, enabled);
    const bool filterOn = enabled && FilterEnabledInDefinition();
    p.SBtn_DSF_AutoSize->setEnabled(filterOn);
    p.BBtn_DSF_UpdateTaskFldDesc->setEnabled(filterOn);
}

void TUF_Main::LoadPage3()
{
    TUF_MainFilter& p = *Filter;
    p.SBtn_DSF_AutoSize->setChecked(UP->AutoSizeDSF());
    if (!PageEnabled[3])
        return;
    const TzyDSF& dsf = ActiveSD().DSF;
    TzyGrid* g = p.SG_DSF;
    Updating[3] = true;
    p.SBtn_DSF_Enable->setChecked(dsf.Enabled());
    p.EnableSG_DSF(dsf.Enabled());
    p.SBtn_DSF_AutoSize->setEnabled(g->Enabled());
    p.BBtn_DSF_UpdateTaskFldDesc->setEnabled(g->Enabled());
    g->MoveToCell(2, 1);
    g->ClearCells();
    p.WriteGrid(FilterRules::FromDSF(dsf));
    p.SyncEditors();
    g->AutoSizeGutter(true);
    if (p.SBtn_DSF_AutoSize->isChecked())
        g->AutoSizeCols(true);
    if (g->Enabled())
        g->setFocus();
    Updating[3] = false;
}

void TUF_Main::UpdatePage3(int row)
{
    BH_Main->HideHint();
    if (!PageEnabled[3])
        return;
    TUF_MainFilter& p = *Filter;
    TzyGrid* g = p.SG_DSF;
    Updating[3] = true;
    Grid grid = p.ReadGrid();
    FilterRules::ClearPleaseSelect(grid);
    p.WriteGrid(grid);
    if (!g->Enabled()) {
        SetImgState(p.Img_DSF_T, QString(), false);
        p.BBtn_DSF_MoveUp->setEnabled(false);
        p.BBtn_DSF_MoveDown->setEnabled(false);
        p.CompactDSFRows();
        Updating[3] = false;
        return;
    }
    row = std::clamp(row, 1, g->RowCount());
    switch (FilterRules::ValueHeaderFor(g->getCells(4, row))) {
    case FilterRules::ValueHeader::Optional: g->setHeaderCellFontColor(5, zyColor::clWindowText()); break;
    case FilterRules::ValueHeader::Required: g->setHeaderCellFontColor(5, zyColor::clMaroon()); break;
    case FilterRules::ValueHeader::MustBeEmpty: g->setHeaderCellFontColor(5, zyColor::clGrayText()); break;
    }
    p.BBtn_DSF_MoveUp->setEnabled(row != 1);
    p.BBtn_DSF_MoveDown->setEnabled(row != g->RowCount());
    Updating[3] = false;
    p.UpdatePage3Details();
}

void TUF_MainFilter::WriteOpenCombo(QComboBox* cb, int col, int defaultIndex)
{
    const int row = SG_DSF->Row();
    if (SG_DSF->Col() != col || (col == 1 && row < 2) || SG_DSF->getCellEditorControl(col, row) != cb
        || !SG_DSF->getCellEditorVisible(col, row))
        return;
    const bool hasTaskFld = !SG_DSF->getCells(2, row).isEmpty();
    const int i = cb->currentIndex();
    if (i == FilterRules::kPleaseSelect) {
        SG_DSF->setCells(col, row, QString());
        SG_DSF->setCellDDLItemIndex(col, row, -1);
    } else if (i > 0 && hasTaskFld) {
        SG_DSF->setCells(col, row, cb->currentText());
        SG_DSF->setCellDDLItemIndex(col, row, i);
    }
    if (SG_DSF->getCells(col, row).isEmpty() && hasTaskFld) {
        SG_DSF->setCells(col, row, cb->itemText(defaultIndex));
        SG_DSF->setCellDDLItemIndex(col, row, defaultIndex);
        // The grid writes the list back into the cell it leaves.
        cb->setCurrentIndex(defaultIndex);
    }
}

void TUF_MainFilter::WriteOpenCombos()
{
    WriteOpenCombo(DDL_DSF_AndFlag, 1, FilterRules::kAnd);
    WriteOpenCombo(DDL_DSF_FilterOperator, 4, 1);
}

void TUF_Main::SavePage3()
{
    if (!PageEnabled[3])
        return;
    TUF_MainFilter& p = *Filter;
    p.WriteOpenCombos();
    Grid grid = p.ReadGrid();
    FilterRules::ToDSF(grid, p.SBtn_DSF_Enable->isChecked(), ActiveSD().DSF);
    const int row = p.SG_DSF->Row();
    for (int r = 1; r <= FilterRules::Rows; ++r) {
        const FilterRules::Row& x = grid[size_t(r - 1)];
        p.SG_DSF->setCellDDLItemIndex(1, r, x.linkIndex);
        p.SG_DSF->setCellDDLItemIndex(4, r, x.opIndex);
        if (r == row && !FilterRules::IsComplete(grid, r)) {
            p.DDL_DSF_AndFlag->setCurrentIndex(-1);
            p.DDL_DSF_FilterOperator->setCurrentIndex(-1);
        }
    }
}

// ---- page routines -----------------------------------------------------------------

void TUF_MainFilter::EnableSG_DSF(bool enabled)
{
    SG_DSF->setEnabled(enabled);
    for (QWidget* w : std::initializer_list<QWidget*>{DDL_DSF_AndFlag, DDL_DSF_FilterOperator, BBtn_DSF_TaskFld_Browse,
                                                      BBtn_DSF_TaskFldValue_Browse, BBtn_DSF_Insert, BBtn_DSF_Delete,
                                                      BBtn_DSF_Refresh, BBtn_DSF_Clear})
        w->setEnabled(enabled);
    BBtn_DSF_MoveUp->setEnabled(false);
    BBtn_DSF_MoveDown->setEnabled(enabled);
    for (QComboBox* cb : {DDL_DSF_AndFlag, DDL_DSF_FilterOperator}) {
        QPalette pal = cb->palette();
        pal.setColor(QPalette::Text, enabled ? zyColor::clWindowText() : zyColor::clGrayText());
        pal.setColor(QPalette::Base, enabled ? zyColor::clWindow() : zyColor::clBtnFace());
        cb->setPalette(pal);
    }
}

void TUF_MainFilter::CompactDSFRows()
{
    SG_DSF->MoveToCell(2, 1);
    Grid g = ReadGrid();
    FilterRules::Compact(g);
    SG_DSF->ClearCells();
    WriteGrid(g);
    SyncEditors();
}

void TUF_MainFilter::UpdatePage3Details()
{
    const FilterRules::TestResult t =
        FilterRules::TestRows(ActiveSD().SCF.GetDataSourceFile(), ReadGrid(), SBtn_DSF_Enable->isChecked());
    F.SetImgState(Img_DSF_T, t.undefinedHint, t.undefined);
    for (int r = 1; r <= FilterRules::Rows; ++r) {
        SG_DSF->setGutterImageHint(r, t.rows[size_t(r - 1)].hint);
        SG_DSF->setGutterImageVisible(r, t.rows[size_t(r - 1)].flagged);
    }
}

// ---- handlers ----------------------------------------------------------------------

void TUF_MainFilter::SBtn_DSF_EnableClick()
{
    F.BH_Main->HideHint();
    if (F.Updating[3])
        return;
    EnableSG_DSF(SBtn_DSF_Enable->isChecked());
    if (SG_DSF->Enabled())
        SG_DSF->setFocus();
    else
        F.FocusPages();
    SBtn_DSF_AutoSize->setEnabled(SG_DSF->Enabled());
    BBtn_DSF_UpdateTaskFldDesc->setEnabled(SG_DSF->Enabled());
    F.UpdatePage3(SG_DSF->Row());
}

void TUF_MainFilter::BBtn_DSF_InsertClick()
{
    if (SG_DSF->Enabled())
        SG_DSF->setFocus();
    Grid g = ReadGrid();
    if (FilterRules::InsertLosesData(g)
        && StdDlg::ShowMsg2(StdDlg::Question, QStringLiteral("MF002"),
                            {UIT(1048), QString(), UIT(1049), QString(), UIT(1050)}, UIT(945), UIT(294),
                            StdDlg::mrYes, StdDlg::glYes, UIT(946), UIT(291), StdDlg::mrNo, StdDlg::glNo)
               == StdDlg::mrNo)
        return;
    FilterRules::InsertRow(g, SG_DSF->Row());
    WriteGrid(g);
    SyncEditors();
    if (SG_DSF->Enabled())
        SG_DSF->MoveToCell(SG_DSF->Col(), SG_DSF->Row());
    F.UpdatePage3(SG_DSF->Row());
}

void TUF_MainFilter::BBtn_DSF_DeleteClick()
{
    if (SG_DSF->Enabled())
        SG_DSF->setFocus();
    Grid g = ReadGrid();
    FilterRules::DeleteRow(g, SG_DSF->Row());
    WriteGrid(g);
    SyncEditors();
    if (SG_DSF->Enabled())
        SG_DSF->MoveToCell(SG_DSF->Col(), SG_DSF->Row());
    F.UpdatePage3(SG_DSF->Row());
}

void TUF_MainFilter::BBtn_DSF_MoveUpClick()
{
    const int row = SG_DSF->Row();
    if (row < 2)
        return;
    Grid g = ReadGrid();
    FilterRules::MoveUp(g, row);
    WriteGrid(g);
    SyncEditors();
    if (!SG_DSF->Enabled())
        return;
    SG_DSF->setFocus();
    if (SG_DSF->Col() == 1 && row == 2)
        SG_DSF->MoveToCell(2, 2);
    SG_DSF->MoveToCell(SG_DSF->Col(), row - 1);
    F.UpdatePage3(SG_DSF->Row());
}

void TUF_MainFilter::BBtn_DSF_MoveDownClick()
{
    const int row = SG_DSF->Row();
    if (row >= FilterRules::Rows)
        return;
    Grid g = ReadGrid();
    FilterRules::MoveDown(g, row);
    WriteGrid(g);
    SyncEditors();
    if (!SG_DSF->Enabled())
        return;
    SG_DSF->setFocus();
    SG_DSF->MoveToCell(SG_DSF->Col(), row + 1);
    F.UpdatePage3(SG_DSF->Row());
}

void TUF_MainFilter::BBtn_DSF_RefreshClick()
{
    if (SG_DSF->Enabled())
        SG_DSF->setFocus();
    CompactDSFRows();
    F.UpdatePage3(SG_DSF->Row());
}

void TUF_MainFilter::BBtn_DSF_ClearClick()
{
    if (!SG_DSF->IsEmpty()
        && StdDlg::ShowMsg2(StdDlg::Question, QStringLiteral("MF003"), {UIT(1051), QString(), UIT(1052)}, UIT(947),
                            UIT(294), StdDlg::mrYes, StdDlg::glYes, UIT(948), UIT(291), StdDlg::mrNo, StdDlg::glNo)
               == StdDlg::mrNo)
        return;
    if (SG_DSF->Enabled()) {
        SG_DSF->setFocus();
        SG_DSF->MoveToCell(2, 1);
    }
    SG_DSF->ClearCells();
    SyncEditors();
    F.UpdatePage3(SG_DSF->Row());
}

void TUF_MainFilter::SG_DSFSelectCell(int row)
{
    F.BH_Main->HideHint();
    if (F.Updating[3])
        return;
    F.UpdatePage3(row);
    if (SBtn_DSF_AutoSize->isChecked())
        SG_DSF->AutoSizeCols(true);
}

void TUF_MainFilter::SG_DSFCellChange(int col, int row)
{
    F.BH_Main->HideHint();
    if (F.Updating[3])
        return;
    // A text pasted over a list cell takes the item it names, so the open
    // list shows it and does not write its old choice back on leaving.
    if (col == 1 || col == 4)
        SG_DSF->setCellDDLItemIndex(col, row, FilterRules::ItemOf(col == 1 ? FilterRules::LinkItems()
                                                                          : FilterRules::OperatorItems(),
                                                               SG_DSF->getCells(col, row)));
    Grid g = ReadGrid();
    FilterRules::ApplyDefaults(g, SG_DSF->Row());
    WriteGrid(g);
    SyncEditors();
    F.UpdatePage3(row);
}

void TUF_MainFilter::SG_DSFUserColWidthChanged()
{
    MainTaskFld::UserColWidthChanged(SBtn_DSF_AutoSize, &TzyUP::SetAutoSizeDSF);
}

void TUF_MainFilter::SG_DSFFilterChar(QChar& key, const QRect& rectCell, bool& allowed, const QString& buffer)
{
    F.BH_Main->HideHint();
    switch (SG_DSF->Col()) {
    case 5: MainTaskFld::TextKey(F, SG_DSF, key, rectCell, allowed, buffer, 32767); break;
    case 3: MainTaskFld::TextKey(F, SG_DSF, key, rectCell, allowed, buffer, 255); break;
    case 2: MainTaskFld::TaskFldKey(F, SG_DSF, key, rectCell, allowed, buffer, 638); break;
    default: break;
    }
}

void TUF_MainFilter::ComboChange(QComboBox* cb, int col)
{
    F.BH_Main->HideHint();
    const int row = SG_DSF->Row();
    if (F.Updating[3] || (col == 1 && row == 1))
        return;
    const int i = cb->currentIndex();
    SG_DSF->setCells(col, row, i == FilterRules::kPleaseSelect ? QString() : cb->currentText());
    SG_DSF->setCellDDLItemIndex(col, row, i);
    F.UpdatePage3(row);
}

void TUF_MainFilter::DDL_DSF_AndFlagChange() { ComboChange(DDL_DSF_AndFlag, 1); }
void TUF_MainFilter::DDL_DSF_FilterOperatorChange() { ComboChange(DDL_DSF_FilterOperator, 4); }

bool TUF_MainFilter::DDL_DSF_KeyDown(int key)
{
    if (!SG_DSF->Enabled() || (key != Qt::Key_Left && key != Qt::Key_Right))
        return false;
    SG_DSF->setFocus();
    key == Qt::Key_Left ? SG_DSF->MovePrev() : SG_DSF->MoveNext();
    return true;
}

void TUF_MainFilter::SBtn_DSF_AutoSizeClick()
{
    F.BH_Main->HideHint();
    MainTaskFld::AutoSizeClick(SG_DSF, SBtn_DSF_AutoSize, &TzyUP::SetAutoSizeDSF);
}

void TUF_MainFilter::BBtn_DSF_TaskFld_BrowseClick()
{
    const int row = SG_DSF->Row();
    const BrowseCommands::FieldChoice c = MainTaskFld::PageLinks().BrowseTaskField(
        Utils::AsciiUpper(Utils::Trim(SG_DSF->getCells(2, row))), UIT(177), 2, FilterRules::FieldName(row),
        MainTaskFld::CellAnchor(SG_DSF, BBtn_DSF_TaskFld_Browse));
    if (c.result == TUF_Browse::mrSelect && !c.taskFld.isEmpty()) {
        SG_DSF->setCells(2, row, c.taskFld);
        if (c.importDesc)
            SG_DSF->setCells(3, row, Utils::LineFeedsToSpaces(c.desc));
        Grid g = ReadGrid();
        FilterRules::ApplyDefaults(g, row);
        WriteGrid(g);
        SyncEditors();
        F.UpdatePage3(row);
    }
    if (SG_DSF->Enabled())
        SG_DSF->setFocus();
}

void TUF_MainFilter::BBtn_DSF_TaskFldValue_BrowseClick()
{
    const int row = SG_DSF->Row();
    const QString taskFld = Utils::AsciiUpper(Utils::Trim(SG_DSF->getCells(2, row)));
    const BrowseCommands::ValueChoice c = MainTaskFld::PageLinks().BrowseTaskFieldValue(
        taskFld, FilterRules::FieldName(row), Utils::AsciiUpper(Utils::Trim(SG_DSF->getCells(5, row))),
        MainTaskFld::CellAnchor(SG_DSF, BBtn_DSF_TaskFldValue_Browse));
    if (c.result == TUF_Browse::mrSelect) {
        SG_DSF->setCells(5, row, c.value);
        F.UpdatePage3(row);
    }
    if (SG_DSF->Enabled())
        SG_DSF->setFocus();
}

void TUF_MainFilter::BBtn_DSF_UpdateTaskFldDescClick()
{
    F.FocusPages();
    if (!F.Updating[3])
        ProcessUpdateTaskFldDescDSFx();
}

void TUF_MainFilter::ProcessUpdateTaskFldDescDSFx()
{
    static const QString ids[3] = {QStringLiteral("MF007"), QStringLiteral("MF008"), QStringLiteral("MF009")};
    MainTaskFld::UpdateDescriptions(SG_DSF, 2, 3, ids);
}
