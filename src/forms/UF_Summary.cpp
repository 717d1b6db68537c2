#include "UF_Summary.h"

#include "AutoFit.h"
#include "FormHooks.h"
#include "FormText.h"
#include "HelpDocs.h"
#include "Progress.h"
#include "StdDlg.h"
#include "Utils.h"
#include "ZolStyle.h"
#include "zyAD.h"
#include "zyColors.h"
#include "zyDV.h"
#include "zyGrid.h"
#include "zyOCP.h"
#include "zyRF.h"
#include "zyRH.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyWM.h"

#include <QFrame>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

TUF_Summary* UF_Summary = nullptr;

namespace {

constexpr int kCloseDialogueHint = 1194; // "Close Dialogue."

THorAlign GridAlign(zyRpt::THorAlign a)
{
    switch (a) {
    case zyRpt::THorAlign::haLeft: return haLeft;
    case zyRpt::THorAlign::haRight: return haRight;
    default: return haCenter;
    }
}

QString Hint(int first, int second = 0)
{
    return second ? UIT(first) + QLatin1Char('\n') + UIT(second) : UIT(first);
}

// The summary grid as the run sees it.
class GridAdapter : public ISummaryGrid {
public:
    explicit GridAdapter(TzyGrid& g) : m_g(g) {}
    void setCells(int col, int row, const QString& text) override { m_g.setCells(col, row, text); }
    void setCellFontColor(int col, int row, zyRpt::TColor c) override
    {
        m_g.setCellFontColor(col, row, TUF_Summary::ReportColor(c));
    }
    void setCellColor(int col, int row, zyRpt::TColor c) override
    {
        m_g.setCellColor(col, row, TUF_Summary::ReportColor(c));
    }
    void AutoSizeColsMerged(bool includeHeader) override { m_g.AutoSizeColsMerged(includeHeader); }
    int getColWidths(int col) override { return m_g.getColWidths(col); }
    void setColWidths(int col, int width) override { m_g.setColWidths(col, width); }

private:
    TzyGrid& m_g;
};

} // namespace

QColor TUF_Summary::ReportColor(zyRpt::TColor c)
{
    if (zyRpt::IsSystemColor(c)) {
        switch (zyRpt::SystemColorIndex(c)) {
        case 5: return zyColor::clWindow();
        case 15: return zyColor::clBtnFace();
        default: return zyColor::clWindowText();
        }
    }
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

TUF_Summary::TUF_Summary(QWidget* owner)
    : TAutoSizeForm(owner, wmSummary, &TzyUP::AutoSizeSummary, &TzyUP::SetAutoSizeSummary)
{
    FormHooks::SplashStatus(FormText::Padded(UIT(29)));
    setObjectName(QStringLiteral("UF_Summary"));
    QFont f = font();
    Utils::SetSystemFont(f);
    setFont(f);

    m_bevel = new QFrame(this);
    m_bevel->setFrameShape(QFrame::HLine);
    m_bevel->setFrameShadow(QFrame::Sunken);
    m_pc = new QTabWidget(this);
    m_pc->setObjectName(QStringLiteral("PC_Summary"));
    m_pc->setDocumentMode(true);
    m_page = new QWidget(m_pc);
    m_page->setObjectName(QStringLiteral("TS_ProjectSummary"));
    auto* pageLayout = new QVBoxLayout(m_page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    m_grid = new TzyGrid(m_page);
    m_grid->setObjectName(QStringLiteral("SG_ProjectSummary"));
    pageLayout->addWidget(m_grid);
    m_pc->addTab(m_page, QString());
    // The tab's picture, from the icon theme like the main form's tabs.
    ZolLook::Install();
    m_pc->setTabIcon(0, QIcon::fromTheme(QStringLiteral("x-office-spreadsheet")));

    m_panel = new QWidget(this);
    SBtn_AutoSize()->setParent(m_panel);
    m_copy = NewBBtn(m_panel, "BBtn_Copy", -1);
    m_openDSF = NewBBtn(m_panel, "BBtn_OpenDSF", -1);
    m_openOF = NewBBtn(m_panel, "BBtn_OpenOF", -1);
    m_close = NewBBtn(m_panel, "BBtn_Close", StdDlg::glClose);
    connect(m_copy, &QPushButton::clicked, this, &TUF_Summary::BBtn_CopyClick);
    connect(m_openDSF, &QPushButton::clicked, this, &TUF_Summary::BBtn_OpenDSFClick);
    connect(m_openOF, &QPushButton::clicked, this, &TUF_Summary::BBtn_OpenOFClick);
    connect(m_close, &QPushButton::clicked, this, [this] { done(StdDlg::mrClose); });

    m_grid->setColCount(kCols);
    m_grid->setRowCount(kRows);
    m_grid->setDefaultColWidth(110);
    m_grid->setGridReadOnly(true);
    m_grid->setGutterKind(gkNone);
    m_grid->setGutterWidth(0);
    m_grid->setHeaderHeight(0);
    m_grid->setShowHeader(false);
    m_grid->setShowSelection(false);
    m_grid->setUnUsedColor(zyColor::clBtnFace());
    m_grid->setShowPopUp(true);
    m_adapter = std::make_unique<GridAdapter>(*m_grid);

    SetupUIT();
    SetupHints();
    BuildGrid();
    SetupLayout();
    ArrangeControls();
    SetMinSize();
    InitPlacement(800, 600);
    UF_Summary = this;
}

TUF_Summary::~TUF_Summary()
{
    if (UF_Summary == this)
        UF_Summary = nullptr;
}

void TUF_Summary::SetupUIT()
{
    m_pc->setTabText(0, FormText::Padded(UIT(295)));
    SBtn_AutoSize()->setText(FormText::Padded(UIT(296)));
    m_copy->setText(FormText::Padded(UIT(297)));
    m_openDSF->setText(FormText::Padded(UIT(298)));
    m_openOF->setText(FormText::Padded(UIT(299)));
    m_close->setText(FormText::Padded(UIT(300)));
}

void TUF_Summary::SetupHints()
{
    SBtn_AutoSize()->setToolTip(Hint(1005));
    m_openDSF->setToolTip(Hint(1008, 1009));
    m_openOF->setToolTip(Hint(1010, 1011));
    m_close->setToolTip(Hint(1012, 1013));
}

void TUF_Summary::BuildGrid()
{
    TzyGrid& g = *m_grid;
    auto look = [&](const zyRpt::TzyRptCell& c) {
        if (c.Merge())
            g.MergeCells(c.Col(), c.Row(), c.MergeToCol(), c.MergeToRow());
        g.setCellEllipsifyPath(c.Col(), c.Row(), c.EllipsifyPath());
        g.setCellEllipsifyText(c.Col(), c.Row(), c.EllipsifyText());
        g.setCellFontBold(c.Col(), c.Row(), c.FontBold());
        g.setCellGridLineTopColor(c.Col(), c.Row(), ReportColor(c.GridLineTopColor()));
        g.setCellGridLineLeftColor(c.Col(), c.Row(), ReportColor(c.GridLineLeftColor()));
        g.setCellGridLineBottomColor(c.Col(), c.Row(), ReportColor(c.GridLineBottomColor()));
        g.setCellGridLineRightColor(c.Col(), c.Row(), ReportColor(c.GridLineRightColor()));
        g.setCellHorAlign(c.Col(), c.Row(), GridAlign(c.HorAlign()));
    };
    if (RHs_PS) {
        for (int i = 1; i <= RHs_PS->Count(); ++i) {
            const TzyRH& rh = RHs_PS->getItems(i);
            look(rh);
            g.setCellColor(rh.Col(), rh.Row(), ReportColor(rh.CellColor()));
            g.setCellFontColor(rh.Col(), rh.Row(), ReportColor(rh.FontColor()));
            g.setCells(rh.Col(), rh.Row(), rh.Row() == kHeadingRow ? rh.Text() : FormText::Padded(rh.Text()));
        }
    }
    if (RFs_PS) {
        for (int i = 1; i <= RFs_PS->Count(); ++i)
            look(RFs_PS->getItems(i));
    }
}

void TUF_Summary::SetupLayout()
{
    m_grid->setDefaultRowHeight(FontHeight + 4);
    m_grid->setRowWordWrap(kHeadingRow, true);
    m_grid->AdjustRowHeight(kHeadingRow, false);
    SBtn_AutoSize()->setFixedSize(Utils::ScaleWidth(80), FontHeight + SBtnPad);
    const int h = FontHeight + BBtnPad;
    m_copy->setFixedSize(Utils::ScaleWidth(130), h);
    m_openDSF->setFixedSize(Utils::ScaleWidth(150), h);
    m_openOF->setFixedSize(Utils::ScaleWidth(130), h);
    m_close->setFixedSize(Utils::ScaleWidth(80), h);
    m_panel->setFixedHeight(m_close->height() + 12);
}

void TUF_Summary::ArrangeControls()
{
    const int panelH = m_panel->height();
    auto centred = [panelH](QWidget* w) { return (panelH - w->height()) / 2; };
    int x = 8;
    for (QPushButton* b : {SBtn_AutoSize(), m_copy, m_openDSF, m_openOF}) {
        b->move(x, centred(b));
        x += b->width() + 8;
    }
    AlignBBtns();
}

void TUF_Summary::AlignBBtns()
{
    if (!m_panel)
        return;
    const int w = width();
    const int panelH = m_panel->height();
    m_bevel->setGeometry(0, 0, w, 4);
    m_panel->setGeometry(0, height() - panelH, w, panelH);
    m_pc->setGeometry(0, 4 + 2, w, std::max(0, height() - panelH - 4 - 2 - 4));
    m_close->move(w - 8 - m_close->width(), (panelH - m_close->height()) / 2);
}

int TUF_Summary::TabHeight() const
{
    return m_pc->tabBar()->sizeHint().height();
}

int TUF_Summary::ButtonRowWidth() const
{
    const int widths[] = {m_copy->width(), m_openDSF->width(), m_openOF->width(), m_close->width()};
    return AutoFit::ButtonRowWidth(SBtn_AutoSize()->width(), widths, 4);
}

QSize TUF_Summary::Chrome() const
{
    // Bevel, tab bar, the space around the page and the button row.
    const int h = 4 + 2 + TabHeight() + 4 + m_panel->height();
    return {8, h};
}

void TUF_Summary::SetMinSize()
{
    const QSize chrome = Chrome();
    SetMinClientSize({ButtonRowWidth(), chrome.height() + 3 * (FontHeight + 4) + 4});
}

void TUF_Summary::AutoSize()
{
    m_grid->setScrollBarKind(ssNone);
    const QSize chrome = Chrome();
    const int h = chrome.height() + m_grid->CalcGridHeight();
    int w = Utils::GetCaptionWidth(windowTitle(), true, true);
    w = std::max(w, m_grid->CalcGridWidth() + chrome.width());
    w = std::max(w, ButtonRowWidth());
    FitClientSize({w, h});
    m_grid->setScrollBarKind(ssBoth);
    AlignBBtns();
}

void TUF_Summary::UpdateCaption()
{
    setWindowTitle(FormText::Padded(TzyAD::ProductName()));
}

void TUF_Summary::showEvent(QShowEvent* e)
{
    TAutoSizeForm::showEvent(e);
    FormActivate();
}

void TUF_Summary::FormActivate()
{
    FormHooks::RestoreIfIconic();
    Progress::form().Close();
    UpdateCaption();
    m_pc->setCurrentIndex(0);
    m_copy->setToolTip(Hint(1006, 1007));
    ActivatePlacement();
    raise();
    activateWindow();
    if (m_pc->isEnabled())
        m_pc->setFocus();
}

void TUF_Summary::ShowOpenOutputFile()
{
    m_openOF->setVisible(true);
}

void TUF_Summary::BBtn_CopyClick()
{
    if (m_pc->isEnabled())
        m_pc->setFocus();
    m_grid->CopyGridToClipboard();
}

void TUF_Summary::OpenFile(int labelId, const QString& file, bool resetLists)
{
    if (m_pc->isEnabled())
        m_pc->setFocus();
    const QString label = UIT(labelId);
    if (DV->ValidatePath(label, file) || DV->ValidateFileExists(label, file) || (OCP && OCP->CheckFile(label, file)))
        return;
    if (resetLists) {
        // The user may change the workbook while it is open.
        TzySD& sd = SDs->getItems(SDs->ActiveSD());
        sd.ResetWSL(wslDataSource);
        sd.ResetFL();
        sd.ResetVL();
    }
    // A desktop without a program for the file says so instead of nothing.
    HelpDocs::OpenWithDesktop(QString(), label, file, QString(), kCloseDialogueHint, this);
}

void TUF_Summary::BBtn_OpenDSFClick()
{
    OpenFile(600, Utils::Trim(SDs->getItems(SDs->ActiveSD()).SCF.GetDataSourceFile()), true);
}

void TUF_Summary::BBtn_OpenOFClick()
{
    OpenFile(610, Utils::Trim(SDs->getItems(SDs->ActiveSD()).SCF.GetOutputFile()), false);
}
