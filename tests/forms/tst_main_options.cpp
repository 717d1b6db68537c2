// The S Curve Options page on the real main form: every option set's
// pictures, captions, enabled states, legends and indicators; the axis
// label's centring; the dependencies of the check boxes; save and load.
#include "FieldIndicator.h"
#include "FormsTestKit.h"
#include "PagesTestKit.h"
#include "PreviewPictures.h"
#include "PreviewRules.h"
#include "UF_Main.h"
#include "UF_MainOptions.h"
#include "zyColors.h"
#include "zyVLabel.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QtTest>

namespace {

TzySD& sd() { return SDs->getItems(SDs->ActiveSD()); }

} // namespace

class TstMainOptions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { formskit::FixLook(); }

    void everyOptionSet_data()
    {
        QTest::addColumn<int>("bits");
        for (int bits = 0; bits < 32; ++bits)
            QTest::addRow("%d", bits) << bits;
    }
    void everyOptionSet()
    {
        QFETCH(int, bits);
        formskit::Globals g;
        TUF_Main f;
        f.GoToPage(1);
        const bool bl = bits & 1, act = bits & 2, tgt = bits & 4, mh = bits & 8, cost = bits & 16;
        pageskit::SetOptions(f, bl, act, tgt, mh, cost);
        TUF_MainOptions& o = *f.Options;
        const bool anyData = bl || act || tgt;
        // Without a data set the quantities are cleared and locked.
        const bool qmh = anyData && mh, qcost = anyData && cost;
        QCOMPARE(o.CB_SCO_GraphMH->isChecked(), qmh);
        QCOMPARE(o.CB_SCO_GraphCost->isChecked(), qcost);
        QCOMPARE(o.CB_SCO_GraphMH->isEnabled(), anyData);
        QCOMPARE(o.DTP_SCO_CutOffDate->isEnabled(), anyData);
        QCOMPARE(o.Lbl_SCO_CutOffDate_Note[1]->isEnabled(), anyData);

        int code = 1;
        if (anyData)
            code += (bl ? 2 : 0) + (act ? 4 : 0) + (tgt ? 8 : 0) + ((qmh || qcost) ? 16 : 0);
        static const QString axis[4] = {" Quantity Axis ", " Man Hours ", " Cost ", " Man Hours, Cost "};
        for (TUF_MainOptions::Preview* p : {&o.SC, &o.HG}) {
            QCOMPARE(p->imgCode, code);
            QCOMPARE(p->pictures->VisibleCount(), 1);
            QCOMPARE(p->pictures->VisibleSuffix(), PreviewRules::PictureSuffix(code));
            QCOMPARE(p->yAxis->Caption(), axis[(qmh ? 1 : 0) + (qcost ? 2 : 0)]);
            QCOMPARE(p->yAxis->FontColor(), qmh || qcost ? zyColor::clWindowText() : zyColor::clMaroon());
            QCOMPARE(p->yAxis->isEnabled(), anyData);
            QCOMPARE(p->xAxis->isEnabled(), anyData);
            // The Cut Off Date entry follows Actual.
            const bool active[4] = {anyData && bl, anyData && act, anyData && tgt, anyData && act};
            for (int i = 0; i < 4; ++i) {
                QCOMPARE(p->entryLabel[size_t(i)]->isEnabled(), active[i]);
                QCOMPARE(p->line[size_t(i)]->isHidden(), !active[i]);
                QCOMPARE(p->lineGrey[size_t(i)]->isHidden(), active[i]);
            }
            // The rotated caption is centred along the picture.
            QCOMPARE(p->yAxis->y(), p->pictures->y() + (p->pictures->height() - p->yAxis->TextWidth()) / 2);
        }
        QCOMPARE(o.Img_SCO_SCO->Tag(), anyData ? FieldIndicator::NoWarningShown : FieldIndicator::WarningShown);
        QCOMPARE(o.Img_SCO_QAO->Tag(), qmh || qcost ? FieldIndicator::NoWarningShown : FieldIndicator::WarningShown);
        if (!anyData) {
            QCOMPARE(o.Img_SCO_SCO->Hint(), UIT(716));
            QCOMPARE(o.Img_SCO_QAO->Hint(), UIT(709) + "\n" + UIT(710) + "\n" + UIT(711));
        } else if (!qmh && !qcost) {
            QCOMPARE(o.Img_SCO_QAO->Hint(), UIT(709));
        }
    }

    // Clicks run the update; unchecking the last data set clears the
    // quantities, checking one again does not restore them.
    void clickDependencies()
    {
        formskit::Globals g;
        TUF_Main f;
        f.show();
        f.GoToPage(1);
        TUF_MainOptions& o = *f.Options;
        QTest::mouseClick(o.CB_SCO_GenerateBL, Qt::LeftButton, {}, QPoint(6, o.CB_SCO_GenerateBL->height() / 2));
        QVERIFY(o.CB_SCO_GenerateBL->isChecked());
        QVERIFY(o.CB_SCO_GraphCost->isEnabled());
        QTest::mouseClick(o.CB_SCO_GraphCost, Qt::LeftButton, {}, QPoint(6, o.CB_SCO_GraphCost->height() / 2));
        QCOMPARE(o.SC.imgCode, 1 + 2 + 16);
        QCOMPARE(o.HG.pictures->VisibleSuffix(), QStringLiteral("B"));
        QTest::mouseClick(o.CB_SCO_GenerateBL, Qt::LeftButton, {}, QPoint(6, o.CB_SCO_GenerateBL->height() / 2));
        QVERIFY(!o.CB_SCO_GraphCost->isChecked());
        QVERIFY(!o.CB_SCO_GraphCost->isEnabled());
        QCOMPARE(o.SC.pictures->VisibleSuffix(), QStringLiteral("Blank"));
        QTest::mouseClick(o.CB_SCO_GenerateTGT, Qt::LeftButton, {}, QPoint(6, o.CB_SCO_GenerateTGT->height() / 2));
        QVERIFY(o.CB_SCO_GraphCost->isEnabled());
        QVERIFY(!o.CB_SCO_GraphCost->isChecked());
        QCOMPARE(o.SC.pictures->VisibleSuffix(), QStringLiteral("T_D"));
        // Nothing reached the definition before the page was saved.
        QVERIFY(!sd().SCO.GenerateTGT);
    }

    void saveStoresOptionsAndRequiredFields()
    {
        formskit::Globals g;
        TUF_Main f;
        f.GoToPage(1);
        TUF_MainOptions& o = *f.Options;
        o.CB_SCO_GenerateACT->setChecked(true);
        o.CB_SCO_GraphMH->setChecked(true);
        o.DTP_SCO_CutOffDate->setDate(QDate(2024, 2, 29));
        f.SavePage1();
        QVERIFY(sd().SCO.GenerateACT);
        QVERIFY(sd().SCO.GraphMH);
        QVERIFY(!sd().SCO.GraphCost);
        QCOMPARE(Utils::DayDate(qint64(sd().SCO.CutOffDate)), QDate(2024, 2, 29));
        QList<int> required;
        for (int i = 1; i <= DSM_Count; ++i)
            if (sd().DSM.getItems(i).Required)
                required << i;
        QCOMPARE(required, (QList<int>{dsmStart, dsmFinish, dsmMH, dsmPctComplete}));
        // Loading again shows the same, without running the update.
        f.ClearPage1();
        f.LoadPage1();
        QVERIFY(o.CB_SCO_GenerateACT->isChecked());
        QCOMPARE(o.DTP_SCO_CutOffDate->date(), QDate(2024, 2, 29));
    }

    void noDefinitionShowsDisabledPictures()
    {
        formskit::Globals g;
        TUF_Main f;
        f.GoToPage(1);
        SDs->Clear();
        f.ClearPages();
        f.RefreshPages();
        TUF_MainOptions& o = *f.Options;
        for (TUF_MainOptions::Preview* p : {&o.SC, &o.HG}) {
            QCOMPARE(p->imgCode, 0);
            QCOMPARE(p->pictures->VisibleSuffix(), QStringLiteral("Disabled"));
            QCOMPARE(p->pictures->VisibleCount(), 1);
        }
        QVERIFY(!o.CB_SCO_GenerateBL->isEnabled());
        QCOMPARE(o.Img_SCO_SCO->Tag(), FieldIndicator::NoWarningShown);
        f.SavePage1(); // a disabled page stores nothing (and reaches no definition)
    }
};

QTEST_MAIN(TstMainOptions)
#include "tst_main_options.moc"
