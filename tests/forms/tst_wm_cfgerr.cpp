// The configuration-errors form under a real window manager (a private Xvfb
// display with openbox, or metacity where built so, at the screen size it is
// built for). Shown where its record puts it, near the work area's right
// edge, with Auto Size up and then pressed, or with it down: every line of the
// list stands in its viewport (none under the horizontal scroll bar) and
// every column beside it, or, where the work area cannot hold them, the form
// takes the work area's height (the list scrolls) or its width (the columns
// scroll, the lines still all in view). The form moves left before its width
// is cut, and the frame stays on the work area. What is in view is read from
// the list itself, so the test holds whatever the font.
#include "FramePlace.h"
#include "ProcessFormsEnv.h"
#include "UF_CfgErr.h"
#include "WmDisplay.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTreeView>
#include <QtTest>

#ifndef ZOL_TEST_SCREEN_W
#define ZOL_TEST_SCREEN_W 1280
#define ZOL_TEST_SCREEN_H 1024
#endif

namespace {

TzySD& sd() { return SDs->getItems(SDs->ActiveSD()); }

constexpr int kContains = 12;

// The errors the validation finds in a definition left so: every file name
// relative (the Data Source File's `dataSource`), no option chosen, and one
// filter row by Contains with no value (6 errors); with `more`, every option
// chosen, so all nine map items want a column, three worksheet names with an
// illegal character and five such filter rows (20 errors).
void validate(bool more, const QString& dataSource)
{
    SDs = std::make_unique<TzySDs>();
    SDs->setActiveSD(SDs->Add());
    TzySCF& scf = sd().SCF;
    scf.SetDataSourceFile(dataSource);
    scf.SetTemplateFile(QStringLiteral("data/x.xlsx"));
    scf.SetOutputFile(QStringLiteral("data/x.xlsx"));
    TzySCO& sco = sd().SCO;
    for (auto set : {&TzySCO::SetGenerateBL, &TzySCO::SetGenerateACT, &TzySCO::SetGenerateTGT,
                     &TzySCO::SetGraphMH, &TzySCO::SetGraphCost})
        (sco.*set)(more);
    if (more) {
        scf.SetTaskWS(QStringLiteral("Tasks?"));
        scf.SetProjectSummaryWS(QStringLiteral("Sum*mary"));
        scf.SetChartDataWS(QStringLiteral("Chart[1]"));
    }
    sd().DSF.SetEnabled(true);
    for (int i = 0; i < (more ? 5 : 1); ++i) {
        TzyDSFx& row = sd().DSF.getItems(sd().DSF.Add());
        row.SetTaskFld(QString(QLatin1Char(char('A' + i))));
        row.SetFilterOperator(kContains);
    }
    DV->Validate(true, true, true);
}

// Lines wholly in the list's viewport.
int linesInView(QTreeView* v)
{
    int n = 0;
    for (int r = 0; r < v->model()->rowCount(); ++r)
        if (v->viewport()->rect().contains(v->visualRect(v->model()->index(r, 0))))
            ++n;
    return n;
}

// The list laid out for its size: each scroll bar shown just when its range
// is not empty, the viewport what the bars leave of the list's room.
bool settled(QTreeView* v)
{
    QScrollBar* h = v->horizontalScrollBar();
    QScrollBar* b = v->verticalScrollBar();
    const bool hOn = h->isVisible(), vOn = b->isVisible();
    const QSize room = v->maximumViewportSize();
    return hOn == (h->maximum() > h->minimum()) && vOn == (b->maximum() > b->minimum())
        && v->viewport()->size()
               == QSize(room.width() - (vOn ? b->width() : 0), room.height() - (hOn ? h->height() : 0));
}

int columnsWidth(QHeaderView* h)
{
    int w = 0;
    for (int c = 0; c < h->count(); ++c)
        w += h->sectionSize(c);
    return w;
}

QString describe(TUF_CfgErr& f)
{
    QTreeView* v = f.LB_CfgErr();
    const QRect fr = FramePlace::Of(&f).Frame();
    return QStringLiteral("%1 of %2 lines in view, frame %3,%4 %5x%6, viewport %7x%8, columns %9, "
                          "bars %10 %11")
        .arg(linesInView(v)).arg(f.Count())
        .arg(fr.x()).arg(fr.y()).arg(fr.width()).arg(fr.height())
        .arg(v->viewport()->width()).arg(v->viewport()->height()).arg(columnsWidth(f.HC_CfgErr()))
        .arg(v->horizontalScrollBar()->isVisible() ? "horizontal" : "-")
        .arg(v->verticalScrollBar()->isVisible() ? "vertical" : "-");
}

} // namespace

class TestWmCfgErr : public QObject {
    Q_OBJECT

    MemoryProgress m_progress;

private slots:
    void initTestCase()
    {
        ProcessFormsEnv::Init();
        platform::setWorkArea(std::nullopt);
        QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(ZOL_TEST_SCREEN_W, ZOL_TEST_SCREEN_H));
        Progress::setForm(&m_progress);
    }
    void cleanupTestCase() { Progress::setForm(nullptr); }

    void autoSizeShowsEveryLine_data()
    {
        QTest::addColumn<int>("errors");
        QTest::addColumn<bool>("wide");
        QTest::addColumn<bool>("pressed"); // Auto Size pressed on the form shown, or down when shown
        for (bool pressed : {true, false}) {
            const char* how = pressed ? "pressed" : "down";
            QTest::addRow("6 errors, %s", how) << 6 << false << pressed;
            QTest::addRow("20 errors, %s", how) << 20 << false << pressed;
            // The Data Source File named far wider than any screen.
            QTest::addRow("columns wider than the screen, %s", how) << 6 << true << pressed;
            QTest::addRow("more lines than the screen holds, %s", how) << 90 << false << pressed;
        }
    }
    void autoSizeShowsEveryLine()
    {
        QFETCH(int, errors);
        QFETCH(bool, wide);
        QFETCH(bool, pressed);
        const QString longName = QStringLiteral("data/") + QStringLiteral("Pump Station 4 Upgrade/").repeated(10)
            + QStringLiteral("schedule.xlsx");
        validate(errors == 20, wide ? longName : QStringLiteral("data/x.xlsx"));
        QCOMPARE(DV->Count(), errors == 20 ? 20 : 6);
        // More than any screen holds.
        while (DV->Count() < errors)
            DV->AddCfgErr(QStringLiteral("Data Source Map"), QStringLiteral("Task Field"),
                          QStringLiteral("The Task Field of item %1 is not a column.").arg(DV->Count()),
                          QStringLiteral("Undefined"), 119, 624, 1);

        const QRect wa = QGuiApplication::primaryScreen()->availableGeometry();
        // Where the user left it: its default size, near the right edge.
        TzyWM& wm = WMs->getItems(wmCfgErr);
        wm.SetWindowSize(0);
        wm.SetFormPositionReset(false);
        wm.SetWidth(400);
        wm.SetHeight(360);
        wm.SetLeft(wa.right() + 1 - 400 - 20);
        wm.SetTop(wa.top() + wa.height() / 4);
        UP->SetAutoSizeCfgErr(!pressed);

        TUF_CfgErr form;
        form.Populate(*DV);
        form.show();
        QVERIFY2(form.isVisible(), "the form closed itself");
        QVERIFY(QTest::qWaitForWindowExposed(&form, 30000));
        const FramePlace& place = FramePlace::Of(&form);
        QTRY_VERIFY_WITH_TIMEOUT(place.Decorated() && place.Settled(), 30000);
        const QRect before(wm.Left(), wm.Top(), wm.Width(), wm.Height());
        if (pressed) {
            // Framed, the form is fitted again to the real frame's thickness.
            QTRY_COMPARE_WITH_TIMEOUT(place.Frame(), before, 30000);
            QVERIFY(!form.SBtn_AutoSize()->isChecked());
            QTest::mouseClick(form.SBtn_AutoSize(), Qt::LeftButton);
        }
        QVERIFY(form.SBtn_AutoSize()->isChecked());
        QTreeView* list = form.LB_CfgErr();
        // The window manager has answered once the frame stands where the
        // fit put it and the list is laid out in it.
        QTRY_VERIFY_WITH_TIMEOUT(form.frameGeometry() == place.Frame() && place.Frame() == place.Wanted()
                                     && list->geometry().bottom() < form.height() && settled(list),
                                 30000);
        const QString seen = describe(form);
        const QRect frame = place.Frame();
        QVERIFY2(wa.contains(frame), qPrintable(seen));

        const int columns = columnsWidth(form.HC_CfgErr());
        if (frame.width() < wa.width()) {
            // Every column in view, the Field Value's last pixel included.
            QVERIFY2(list->viewport()->width() >= columns, qPrintable(seen));
            // It moved left just as far as the work area's right edge asks.
            QVERIFY2(before.left() + frame.width() > wa.right() + 1, qPrintable(seen));
            QCOMPARE(frame.right(), wa.right());
        } else {
            // Wider than the work area: moved to its left edge, then cut.
            QCOMPARE(frame.left(), wa.left());
            QVERIFY2(list->viewport()->width() < columns, qPrintable(seen));
        }

        if (frame.height() < wa.height()) {
            QVERIFY2(linesInView(list) == errors, qPrintable(seen));
        } else {
            // The list scrolls in the work area's whole height, as many
            // lines in view as its viewport holds.
            QCOMPARE(frame.top(), wa.top());
            QVERIFY2(linesInView(list) == list->viewport()->height() / form.ItemHeight(), qPrintable(seen));
            QVERIFY2(linesInView(list) < errors, qPrintable(seen));
        }
        // The cases run through what they are named for.
        if (errors == 90)
            QVERIFY2(frame.height() == wa.height(), qPrintable(seen));
        if (wide)
            QVERIFY2(frame.width() == wa.width() && frame.height() < wa.height(), qPrintable(seen));
        form.hide();
    }
};

WM_TEST_MAIN_UNDER(TestWmCfgErr, ZOL_TEST_SCREEN_W, ZOL_TEST_SCREEN_H, kManager)
#include "tst_wm_cfgerr.moc"
