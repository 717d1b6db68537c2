// Page 1: which data sets and quantities the Process command produces, the
// Cut Off Date, and the two previews that sketch the resulting charts.
#include "UF_MainOptions.h"

#include "BalloonHint.h"
#include "FieldIndicator.h"
#include "FormMetrics.h"
#include "HeadingPanel.h"
#include "PageLook.h"
#include "PreviewArt.h"
#include "PreviewPictures.h"
#include "PreviewRules.h"
#include "UF_Main.h"
#include "Utils.h"
#include "zyColors.h"
#include "zyDV.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyVLabel.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QSize kSCurveSize(280, 130);
const QSize kHistogramSize(280, 110);
const char* const kEntryNames[4] = {"BL", "ACT", "TGT", "COD"};

TzySD& ActiveSD() { return SDs->getItems(SDs->ActiveSD()); }
bool AnySD() { return SDs && SDs->Count() > 0; }


// The date picker's face: window colour when usable, button face when not.
void SetPickerColor(QDateEdit* d, bool active)
{
    QPalette pal = d->palette();
    const QColor c = active ? zyColor::clWindow() : zyColor::clBtnFace();
    pal.setColor(QPalette::Active, QPalette::Base, c);
    pal.setColor(QPalette::Inactive, QPalette::Base, c);
    pal.setColor(QPalette::Disabled, QPalette::Base, c);
    d->setPalette(pal);
}

QCheckBox* checkBox(QWidget* parent, const char* name)
{
    auto* c = new QCheckBox(parent);
    c->setObjectName(QLatin1String(name));
    return c;
}

QLabel* label(QWidget* parent, const QString& name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}

} // namespace

TUF_MainOptions::TUF_MainOptions(TUF_Main& form, QWidget* sheet)
    : F(form)
    , TS_SCO(sheet)
{
    auto* page = new QHBoxLayout(sheet);
    page->setContentsMargins(6, 6, 6, 6);
    page->setSpacing(10);

    Pnl_SCO_L = new QWidget(sheet);
    Pnl_SCO_L->setObjectName(QStringLiteral("Pnl_SCO_L"));
    auto* left = new QVBoxLayout(Pnl_SCO_L);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(4);
    Pnl_SCO_SCO = new HeadingPanel(Pnl_SCO_L, QStringLiteral("Pnl_SCO_SCO"));
    Img_SCO_SCO = Pnl_SCO_SCO->Indicator(QStringLiteral("Img_SCO_SCO"));
    left->addWidget(Pnl_SCO_SCO);
    auto indented = [&](QWidget* w) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(12, 0, 0, 0);
        row->addWidget(w);
        row->addStretch(1);
        left->addLayout(row);
    };
    CB_SCO_GenerateBL = checkBox(Pnl_SCO_L, "CB_SCO_GenerateBL");
    CB_SCO_GenerateACT = checkBox(Pnl_SCO_L, "CB_SCO_GenerateACT");
    CB_SCO_GenerateTGT = checkBox(Pnl_SCO_L, "CB_SCO_GenerateTGT");
    for (QCheckBox* c : {CB_SCO_GenerateBL, CB_SCO_GenerateACT, CB_SCO_GenerateTGT})
        indented(c);

    auto* dateRow = new QHBoxLayout;
    dateRow->setContentsMargins(12, 6, 0, 0);
    Lbl_SCO_CutOffDate = label(Pnl_SCO_L, QStringLiteral("Lbl_SCO_CutOffDate"));
    DTP_SCO_CutOffDate = new QDateEdit(Pnl_SCO_L);
    DTP_SCO_CutOffDate->setObjectName(QStringLiteral("DTP_SCO_CutOffDate"));
    DTP_SCO_CutOffDate->setCalendarPopup(true);
    DTP_SCO_CutOffDate->setDisplayFormat(QStringLiteral("dd-MMM-yyyy"));
    DTP_SCO_CutOffDate->setAutoFillBackground(true);
    Lbl_SCO_CutOffDate->setBuddy(DTP_SCO_CutOffDate);
    dateRow->addWidget(Lbl_SCO_CutOffDate);
    dateRow->addWidget(DTP_SCO_CutOffDate);
    dateRow->addStretch(1);
    left->addLayout(dateRow);
    auto* notes = new QVBoxLayout;
    notes->setContentsMargins(12, 2, 0, 6);
    notes->setSpacing(0);
    for (int i = 0; i < 3; ++i) {
        Lbl_SCO_CutOffDate_Note[size_t(i)] = label(Pnl_SCO_L, QStringLiteral("Lbl_SCO_CutOffDate_Note%1").arg(i + 1));
        notes->addWidget(Lbl_SCO_CutOffDate_Note[size_t(i)]);
    }
    left->addLayout(notes);

    Pnl_SCO_QAO = new HeadingPanel(Pnl_SCO_L, QStringLiteral("Pnl_SCO_QAO"));
    Img_SCO_QAO = Pnl_SCO_QAO->Indicator(QStringLiteral("Img_SCO_QAO"));
    left->addWidget(Pnl_SCO_QAO);
    CB_SCO_GraphMH = checkBox(Pnl_SCO_L, "CB_SCO_GraphMH");
    CB_SCO_GraphCost = checkBox(Pnl_SCO_L, "CB_SCO_GraphCost");
    indented(CB_SCO_GraphMH);
    indented(CB_SCO_GraphCost);
    left->addStretch(1);

    auto* right = new QWidget(sheet);
    right->setObjectName(QStringLiteral("Pnl_SCO_R"));
    auto* rv = new QVBoxLayout(right);
    rv->setContentsMargins(0, 0, 0, 0);
    rv->setSpacing(4);
    rv->addWidget(BuildPreview(SC, false));
    rv->addSpacing(6);
    rv->addWidget(BuildPreview(HG, true));
    rv->addStretch(1);

    page->addWidget(Pnl_SCO_L, 1);
    page->addWidget(right, 0);

    QObject::connect(CB_SCO_GenerateBL, &QCheckBox::clicked, [this] { CB_SCO_GenerateBLClick(); });
    QObject::connect(CB_SCO_GenerateACT, &QCheckBox::clicked, [this] { CB_SCO_GenerateACTClick(); });
    QObject::connect(CB_SCO_GenerateTGT, &QCheckBox::clicked, [this] { CB_SCO_GenerateTGTClick(); });
    QObject::connect(CB_SCO_GraphMH, &QCheckBox::clicked, [this] { CB_SCO_GraphMHClick(); });
    QObject::connect(CB_SCO_GraphCost, &QCheckBox::clicked, [this] { CB_SCO_GraphCostClick(); });
    QObject::connect(DTP_SCO_CutOffDate, &QDateEdit::dateChanged, [this] { DTP_SCO_CutOffDateChange(); });
}

QWidget* TUF_MainOptions::BuildPreview(Preview& p, bool histogram)
{
    p.histogram = histogram;
    const QString tag = histogram ? QStringLiteral("HGP") : QStringLiteral("SCP");
    const QString legendTag = histogram ? QStringLiteral("HG") : QStringLiteral("SC");
    auto* box = new QWidget(TS_SCO);
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(2);
    p.title = new HeadingPanel(box, QStringLiteral("Pnl_SCO_%1_Preview").arg(tag));
    v->addWidget(p.title);

    // The picture with the rotated quantity axis at its left and the time
    // axis under it; the axis label is placed by code to centre its text.
    const QSize size = histogram ? kHistogramSize : kSCurveSize;
    auto* canvas = new QWidget(box);
    const int axisW = QFontMetrics(canvas->font()).height() + 6;
    const int xAxisH = QFontMetrics(canvas->font()).height() + 4;
    canvas->setFixedSize(axisW + size.width() + 2, size.height() + xAxisH);
    p.yAxis = new TzyVLabel(canvas);
    p.yAxis->setObjectName(QStringLiteral("VLbl_SCO_%1_YAxis").arg(tag));
    p.yAxis->setTransparent(true);
    p.yAxis->move(2, 0);
    p.pictures = new PreviewPictures(histogram ? PreviewPictures::Histogram : PreviewPictures::SCurve,
                                     QStringLiteral("Img_SCO_%1_").arg(tag), size, canvas);
    p.pictures->move(axisW, 0);
    p.xAxis = label(canvas, QStringLiteral("Lbl_SCO_%1_XAxis").arg(tag));
    p.xAxis->setAlignment(Qt::AlignCenter);
    p.xAxis->setGeometry(axisW, size.height() + 2, size.width(), xAxisH - 2);
    v->addWidget(canvas, 0, Qt::AlignLeft);

    auto* legendRow = new QHBoxLayout;
    legendRow->setContentsMargins(axisW - 4, 0, 0, 0);
    legendRow->setSpacing(4);
    p.legend = label(box, QStringLiteral("Lbl_SCO_Legend_%1").arg(legendTag));
    legendRow->addWidget(p.legend, 0, Qt::AlignTop);
    for (int i = 0; i < 4; ++i) {
        const QString n = QStringLiteral("%1_%2").arg(QLatin1String(kEntryNames[i]), legendTag);
        auto* entry = new QWidget(box);
        p.entry[size_t(i)] = entry;
        p.entryLabel[size_t(i)] = label(entry, QStringLiteral("Lbl_SCO_Legend_") + n);
        p.line[size_t(i)] = label(entry, QStringLiteral("Img_SCO_Legend_") + n);
        p.lineGrey[size_t(i)] = label(entry, QStringLiteral("Img_SCO_Legend_%1_Disabled_%2").arg(QLatin1String(kEntryNames[i]), legendTag));
        p.line[size_t(i)]->hide();
        p.lineGrey[size_t(i)]->hide();
        legendRow->addWidget(entry, 0, Qt::AlignTop);
    }
    legendRow->addStretch(1);
    v->addLayout(legendRow);
    return box;
}

// ---- the protocol ----------------------------------------------------------------

void TUF_Main::ClearPage1()
{
    Updating[1] = true;
    TUF_MainOptions& o = *Options;
    for (QCheckBox* c : {o.CB_SCO_GenerateBL, o.CB_SCO_GenerateACT, o.CB_SCO_GenerateTGT, o.CB_SCO_GraphMH,
                         o.CB_SCO_GraphCost})
        c->setChecked(false);
    o.DTP_SCO_CutOffDate->setDate(QDate::currentDate());
    o.ClearSCurvePreview();
    o.ClearSCurveLegend();
    o.ClearHistogramPreview();
    o.ClearHistogramLegend();
    Updating[1] = false;
}

void TUF_Main::EnablePage1(bool enabled)
{
    TUF_MainOptions& o = *Options;
    PageEnabled[1] = enabled;
    if (!enabled) {
        ClearPage1();
        SetImgState(o.Img_SCO_SCO, QString(), false);
        SetImgState(o.Img_SCO_QAO, QString(), false);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{o.CB_SCO_GenerateBL, o.CB_SCO_GenerateACT, o.CB_SCO_GenerateTGT,
                                                      o.CB_SCO_GraphMH, o.CB_SCO_GraphCost, o.SC.yAxis, o.SC.xAxis,
                                                      o.HG.yAxis, o.HG.xAxis})
        w->setEnabled(enabled);
    for (HeadingPanel* h : {o.Pnl_SCO_SCO, o.Pnl_SCO_QAO, o.SC.title, o.HG.title})
        PageLook::SetHeadingActive(h, enabled);
    if (!enabled) {
        o.Lbl_SCO_CutOffDate->setEnabled(false);
        o.DTP_SCO_CutOffDate->setEnabled(false);
        for (QLabel* l : o.Lbl_SCO_CutOffDate_Note)
            l->setEnabled(false);
        SetPickerColor(o.DTP_SCO_CutOffDate, false);
    }
}

void TUF_Main::LoadPage1()
{
    if (!PageEnabled[1])
        return;
    TUF_MainOptions& o = *Options;
    const TzySCO& sco = ActiveSD().SCO;
    Updating[1] = true;
    o.CB_SCO_GenerateBL->setChecked(sco.GenerateBL);
    o.CB_SCO_GenerateACT->setChecked(sco.GenerateACT);
    o.CB_SCO_GenerateTGT->setChecked(sco.GenerateTGT);
    o.DTP_SCO_CutOffDate->setDate(Utils::DayDate(qint64(sco.CutOffDate)));
    o.CB_SCO_GraphMH->setChecked(sco.GraphMH);
    o.CB_SCO_GraphCost->setChecked(sco.GraphCost);
    Updating[1] = false;
}

void TUF_Main::UpdatePage1()
{
    BH_Main->HideHint();
    if (!PageEnabled[1])
        return;
    TUF_MainOptions& o = *Options;
    Updating[1] = true;
    const bool bl = o.CB_SCO_GenerateBL->isChecked();
    const bool act = o.CB_SCO_GenerateACT->isChecked();
    const bool tgt = o.CB_SCO_GenerateTGT->isChecked();
    const bool anyData = bl || act || tgt;
    o.Lbl_SCO_CutOffDate->setEnabled(anyData);
    o.DTP_SCO_CutOffDate->setEnabled(anyData);
    for (QLabel* l : o.Lbl_SCO_CutOffDate_Note)
        l->setEnabled(anyData);
    SetPickerColor(o.DTP_SCO_CutOffDate, anyData);
    PageLook::SetHeadingActive(o.Pnl_SCO_QAO, anyData);
    if (!anyData) {
        o.CB_SCO_GraphMH->setChecked(false);
        o.CB_SCO_GraphCost->setChecked(false);
        o.CB_SCO_GraphMH->setEnabled(false);
        o.CB_SCO_GraphCost->setEnabled(false);
        o.ClearSCurvePreview();
        o.ClearSCurveLegend();
        o.ClearHistogramPreview();
        o.ClearHistogramLegend();
        Updating[1] = false;
        o.UpdatePage1Details();
        return;
    }
    o.CB_SCO_GraphMH->setEnabled(true);
    o.CB_SCO_GraphCost->setEnabled(true);
    const bool mh = o.CB_SCO_GraphMH->isChecked();
    const bool cost = o.CB_SCO_GraphCost->isChecked();
    const int code = PreviewRules::ImageCode(AnySD(), bl, act, tgt, mh, cost);
    for (TUF_MainOptions::Preview* p : {&o.SC, &o.HG}) {
        p->legend->setEnabled(true);
        // The Cut Off Date entry follows Actual.
        const bool active[4] = {bl, act, tgt, act};
        for (int i = 0; i < 4; ++i) {
            p->entryLabel[size_t(i)]->setEnabled(active[i]);
            p->line[size_t(i)]->setVisible(active[i]);
            p->lineGrey[size_t(i)]->setVisible(!active[i]);
        }
    }
    o.UpdatePreview(o.SC, code, mh, cost);
    o.UpdatePreview(o.HG, code, mh, cost);
    Updating[1] = false;
    o.UpdatePage1Details();
}

void TUF_Main::SavePage1()
{
    if (!PageEnabled[1])
        return;
    TUF_MainOptions& o = *Options;
    TzySD& sd = ActiveSD();
    TzySCO& sco = sd.SCO;
    sco.SetGenerateBL(o.CB_SCO_GenerateBL->isChecked());
    sco.SetGenerateACT(o.CB_SCO_GenerateACT->isChecked());
    sco.SetGenerateTGT(o.CB_SCO_GenerateTGT->isChecked());
    sco.SetCutOffDate(Utils::DayNumber(o.DTP_SCO_CutOffDate->date()));
    sco.SetGraphMH(o.CB_SCO_GraphMH->isChecked());
    sco.SetGraphCost(o.CB_SCO_GraphCost->isChecked());
    sd.DSM.SetRequired(sco.GenerateBL, sco.GenerateACT, sco.GenerateTGT, sco.GraphMH, sco.GraphCost);
}

void TUF_Main::SetupPreview()
{
    TUF_MainOptions& o = *Options;
    for (TUF_MainOptions::Preview* p : {&o.SC, &o.HG}) {
        for (int i = 0; i < 4; ++i) {
            p->line[size_t(i)]->hide();
            p->lineGrey[size_t(i)]->hide();
        }
    }
    o.ArrangeSCurveLegend();
    o.ArrangeHistogramLegend();
    for (TUF_MainOptions::Preview* p : {&o.SC, &o.HG}) {
        p->pictures->HideAll();
        p->imgCodeNew = AnySD() ? 1 : 0;
        p->pictures->ShowImage(p->imgCodeNew, true);
        p->imgCode = p->imgCodeNew;
    }
}

// ---- handlers --------------------------------------------------------------------

void TUF_MainOptions::Changed()
{
    F.BH_Main->HideHint();
    if (!F.Updating[1])
        F.UpdatePage1();
}

void TUF_MainOptions::CB_SCO_GenerateBLClick() { Changed(); }
void TUF_MainOptions::CB_SCO_GenerateACTClick() { Changed(); }
void TUF_MainOptions::CB_SCO_GenerateTGTClick() { Changed(); }
void TUF_MainOptions::DTP_SCO_CutOffDateChange() { Changed(); }
void TUF_MainOptions::CB_SCO_GraphMHClick() { Changed(); }
void TUF_MainOptions::CB_SCO_GraphCostClick() { Changed(); }

void TUF_MainOptions::UpdatePage1Details()
{
    const bool noData = DV->CheckDataOptions(CB_SCO_GenerateBL->isChecked(), CB_SCO_GenerateACT->isChecked(),
                                             CB_SCO_GenerateTGT->isChecked());
    F.SetImgState(Img_SCO_SCO, DV->MsgShort, noData);
    const bool noQuantity =
        DV->CheckQuantityOptions(noData, CB_SCO_GraphMH->isChecked(), CB_SCO_GraphCost->isChecked());
    F.SetImgState(Img_SCO_QAO, DV->MsgShort, noQuantity);
}

// ---- the previews ------------------------------------------------------------------

void TUF_MainOptions::ShowSCurveImage(int code, bool visible) { SC.pictures->ShowImage(code, visible); }
void TUF_MainOptions::ShowHistogramImage(int code, bool visible) { HG.pictures->ShowImage(code, visible); }

void TUF_MainOptions::UpdatePreview(Preview& p, int code, bool mh, bool cost)
{
    PageLook::SetHeadingActive(p.title, true);
    p.imgCodeNew = code;
    p.pictures->ShowImage(p.imgCode, false);
    p.pictures->ShowImage(p.imgCodeNew, true);
    p.imgCode = p.imgCodeNew;
    SetAxis(p, true, mh, cost);
}

void TUF_MainOptions::SetAxis(Preview& p, bool enabled, bool mh, bool cost)
{
    p.yAxis->setEnabled(enabled);
    p.yAxis->setCaption(FormMetrics::Caption(UIT(PreviewRules::AxisCaptionId(mh, cost, p.histogram))));
    p.yAxis->setFontColor(PreviewRules::AxisCaptionWarns(mh, cost) ? zyColor::clMaroon() : zyColor::clWindowText());
    p.yAxis->move(p.yAxis->x(), PreviewRules::CentredTop(p.pictures->y(), p.pictures->height(), p.yAxis->TextWidth()));
    p.xAxis->setEnabled(enabled);
}

void TUF_MainOptions::ClearPreview(Preview& p)
{
    PageLook::SetHeadingActive(p.title, false);
    p.pictures->ShowImage(p.imgCode, false);
    p.imgCodeNew = AnySD() ? 1 : 0;
    p.pictures->ShowImage(p.imgCodeNew, true);
    p.imgCode = p.imgCodeNew;
    SetAxis(p, false, false, false);
}

void TUF_MainOptions::ClearLegend(Preview& p)
{
    p.legend->setEnabled(false);
    for (int i = 0; i < 4; ++i) {
        p.entryLabel[size_t(i)]->setEnabled(false);
        p.line[size_t(i)]->hide();
        p.lineGrey[size_t(i)]->show();
    }
}

void TUF_MainOptions::ArrangeLegend(Preview& p)
{
    // The line runs under the label's text, without the blanks around it.
    const QFontMetrics fm(TS_SCO->font());
    const int w1 = fm.horizontalAdvance(QLatin1Char(' '));
    const int w2 = fm.horizontalAdvance(QStringLiteral("  "));
    const PreviewArt::Series series[4] = {PreviewArt::Baseline, PreviewArt::Actual, PreviewArt::Target,
                                          PreviewArt::CutOffDate};
    for (int i = 0; i < 4; ++i) {
        QLabel* l = p.entryLabel[size_t(i)];
        l->adjustSize();
        l->move(0, 0);
        const int w = std::max(1, l->width() - w2);
        for (bool grey : {false, true}) {
            QLabel* line = grey ? p.lineGrey[size_t(i)] : p.line[size_t(i)];
            line->setPixmap(PreviewArt::LegendLine(series[i], grey, w));
            line->setGeometry(l->x() + w1, l->height(), w, 3);
        }
        p.entry[size_t(i)]->setFixedSize(l->width(), l->height() + 4);
    }
}
