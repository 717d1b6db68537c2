#include "UF_About.h"

#include "Artwork.h"
#include "FixedFormPlace.h"
#include "FormHooks.h"
#include "FormText.h"
#include "HelpDocs.h"
#include "Utils.h"
#include "zyAD.h"
#include "zyGrid.h"
#include "zyOCP.h"
#include "zyUIL.h"
#include "zyXL.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

TUF_About* UF_About = nullptr;

namespace {
constexpr int kModalClose = 11;
constexpr int kCloseDialogueHint = 1194;
const QColor kLinkColor(0, 0, 255);
} // namespace

TUF_About::TUF_About()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    FormHooks::SplashStatus(FormText::Padded(UIT(19)));
    setModal(true);
    setSizeGripEnabled(false);

    SG_About = new TzyGrid(this);
    SG_About->setColCount(1);
    SG_About->setGridReadOnly(true);
    SG_About->setGutterKind(gkString);
    SG_About->setHomeHorAlign(haLeft);
    SG_About->setScrollBarKind(ssNone);
    SG_About->setShowHeader(false);
    SG_About->setShowSelection(false);
    SG_About->setShowPopUp(true);
    connect(SG_About, &TzyGrid::OnCellClick, this, &TUF_About::SG_AboutCellClick);

    Pnl_About_BBtn = new QWidget(this);
    Img_KV = new QLabel(Pnl_About_BBtn);
    Img_KV->setPixmap(Artwork::KelvaneLogo());
    Img_KV->setFixedSize(Img_KV->pixmap().deviceIndependentSize().toSize());
    Img_KV->setCursor(Qt::PointingHandCursor);
    Img_KV->installEventFilter(this);
    BBtn_Close = new QPushButton(Pnl_About_BBtn);
    BBtn_Close->setAutoDefault(false);
    connect(BBtn_Close, &QPushButton::clicked, this, [this] { done(kModalClose); });

    m_sources.excelVersionName = [] { return XL ? XL->GetXLVersionName() : UIT(1198); };
    m_sources.ocpProductName = [] { return OCP ? OCP->GetProductName() : UIT(1185); };

    SetRows();
    SetupUIT();
    SetupHints();
    SetupFonts();
    SetupLayout();
    ArrangeControls();
    SetMinSize();
}

void TUF_About::SetSources(Sources sources)
{
    if (sources.excelVersionName)
        m_sources.excelVersionName = std::move(sources.excelVersionName);
    if (sources.ocpProductName)
        m_sources.ocpProductName = std::move(sources.ocpProductName);
}

namespace {
QString& webAddress()
{
    static QString address = QStringLiteral(ZOL_MAKER_WEBSITE).trimmed();
    return address;
}

// What the website row shows and opens when the build names no site.
QString UserManualTitle()
{
    return TzyAD::ProductName() + QLatin1Char(' ') + UIT(585);
}
} // namespace

QString TUF_About::WebAddress()
{
    return webAddress();
}

void TUF_About::SetWebAddress(const QString& address)
{
    webAddress() = address.trimmed();
}

QString TUF_About::LegalNotice()
{
    return QStringLiteral("Copyright \u00A9 2026 Kelvane. All rights reserved. Provided as is, without warranty.");
}

QString TUF_About::FullTitle()
{
    return TzyAD::ProductName() + QStringLiteral(": Curvewright");
}

// ---- set-up --------------------------------------------------------------------

void TUF_About::SetRows()
{
    m_rowApplication = 1;
    m_rowVersion = 2;
    m_rowExcel = 3;
    m_rowOCP = 4;
    m_rowLegal = 5;
    m_rowWebsite = 6;
    SG_About->setRowCount(6);
}

void TUF_About::SetupUIT()
{
    setWindowTitle(FormText::Padded(Utils::Format(UIT(152), {TzyAD::ProductName()})));
    const std::pair<int, int> captions[] = {{m_rowApplication, 153}, {m_rowVersion, 154}, {m_rowExcel, 160},
                                            {m_rowOCP, 161},         {m_rowLegal, 164},   {m_rowWebsite, 165}};
    for (const auto& [row, text] : captions)
        SG_About->setGutterCellText(row, FormText::Padded(UIT(text)));
    BBtn_Close->setText(FormText::Padded(UIT(166)));
}

void TUF_About::SetupHints()
{
    Img_KV->setToolTip(WebAddress().isEmpty() ? Utils::Format(UIT(1168), {TzyAD::ProductName()})
                                              : Utils::Format(UIT(822), {QStringLiteral("Kelvane")}));
    BBtn_Close->setToolTip(FormText::OnScreen(UIT(823) + QStringLiteral("\r\n") + UIT(824)));
}

void TUF_About::SetupFonts()
{
    QFont f = font();
    Utils::SetSystemFont(f);
    setFont(f);
    SG_About->setGridURL(false);
    SG_About->setGridFontColor(palette().color(QPalette::Text));
    SG_About->setGridFontUnderline(false);
    SG_About->setCellURL(1, m_rowWebsite, true);
    SG_About->setCellFontColor(1, m_rowWebsite, kLinkColor);
    SG_About->setCellFontUnderline(1, m_rowWebsite, true);
}

void TUF_About::SetupLayout()
{
    SG_About->setDefaultRowHeight(FontHeight + 8);
    BBtn_Close->setFixedSize(Utils::ScaleWidth(80), FontHeight + BBtnPad);
    Pnl_About_BBtn->setFixedHeight(std::max(Img_KV->height() + 4, BBtn_Close->height() + 12));
}

void TUF_About::ArrangeControls()
{
    const int panelHeight = Pnl_About_BBtn->height();
    Img_KV->move(8, (panelHeight - Img_KV->height()) / 2);
    BBtn_Close->move(BBtn_Close->x(), (panelHeight - BBtn_Close->height()) / 2);
    PlaceGrid();
    SG_About->AutoSizeGutter(false);
    SG_About->AutoSizeCols(false);
    AlignBBtns(false);
}

void TUF_About::PlaceGrid()
{
    const int panelHeight = Pnl_About_BBtn->height();
    Pnl_About_BBtn->setGeometry(0, std::max(0, height() - panelHeight), width(), panelHeight);
    SG_About->setGeometry(0, 0, width(), std::max(0, height() - panelHeight));
}

void TUF_About::AlignBBtns(bool stretch)
{
    BBtn_Close->move(Pnl_About_BBtn->width() - BBtn_Close->width() - 8, BBtn_Close->y());
    if (stretch)
        SG_About->setColWidths(1, std::max(0, SG_About->width() - SG_About->GutterWidth() - 4));
}

void TUF_About::SetMinSize()
{
    const int h = std::max(0, SG_About->CalcGridHeight() + Pnl_About_BBtn->height());
    const int w = std::max({Utils::GetCaptionWidth(windowTitle(), false, true), SG_About->CalcGridWidth(),
                            Img_KV->width() + 16 + BBtn_Close->width() + 8});
    m_minClient = QSize(w, h);
}

void TUF_About::FitToScreen()
{
    FixedFormPlace::Fit(this, m_minClient);
    PlaceGrid();
    AlignBBtns(true);
}

void TUF_About::CentreOnScreen()
{
    FixedFormPlace::Centre(this, m_minClient);
    PlaceGrid();
    AlignBBtns(true);
}

// ---- values --------------------------------------------------------------------

void TUF_About::LoadValues()
{
    const std::pair<int, QString> values[] = {
        {m_rowApplication, FullTitle()},
        {m_rowVersion, AD ? AD->getVersion() : TzyAD::GetFileVersion()},
        {m_rowExcel, m_sources.excelVersionName()},
        {m_rowOCP, m_sources.ocpProductName()},
        {m_rowLegal, LegalNotice()},
        {m_rowWebsite, WebAddress().isEmpty() ? UserManualTitle() : WebAddress()},
    };
    for (const auto& [row, value] : values)
        SG_About->setCells(1, row, FormText::Padded(value));
}

void TUF_About::Refresh()
{
    const bool firstTime = m_minClient.isEmpty() || !testAttribute(Qt::WA_Moved);
    SetRows();
    SetupUIT();
    SetupHints(); // the logo's hint follows the web address
    SetupFonts();
    LoadValues();
    ArrangeControls();
    SetMinSize();
    if (firstTime)
        CentreOnScreen();
    else
        FitToScreen();
}

int TUF_About::Execute()
{
    Refresh();
    return exec();
}

// ---- links ----------------------------------------------------------------------

void TUF_About::OpenWebsite()
{
    // No site of the maker's: the program's own manual, never a made-up address.
    if (WebAddress().isEmpty())
        HelpDocs::Open(HelpDocs::UserManual, this);
    else
        HelpDocs::OpenWithDesktop(QString(), UIT(165), WebAddress(), QString(), kCloseDialogueHint, this);
}

void TUF_About::SG_AboutCellClick(int col, int row)
{
    if (col == 1 && row == m_rowWebsite)
        OpenWebsite();
}

void TUF_About::Img_KVClick()
{
    OpenWebsite();
    if (SG_About->isEnabled())
        SG_About->setFocus();
}

bool TUF_About::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == Img_KV && e->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton
        && Img_KV->rect().contains(static_cast<QMouseEvent*>(e)->position().toPoint())) {
        Img_KVClick();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

// ---- keys, closing, activation -------------------------------------------------------

void TUF_About::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        BBtn_Close->click();
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TUF_About::closeEvent(QCloseEvent* e)
{
    if (isVisible())
        done(kModalClose);
    e->accept();
}

void TUF_About::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    FormHooks::RestoreIfIconic();
    // The frame is known now: fit again with it counted.
    FitToScreen();
    if (SG_About->isEnabled())
        SG_About->setFocus();
}
