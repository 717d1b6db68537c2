// The configuration-errors form: its lines read from the validation's error
// list, the count, the double click that asks the main form for the error's
// field (the form staying open), an empty list, Auto Size and its record.
#include "ProcessFormsEnv.h"
#include "UF_CfgErr.h"
#include "zyUIL.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <QtTest>

class TstCfgErrForm : public QObject {
    Q_OBJECT

    MemoryProgress m_progress;
    std::unique_ptr<TUF_CfgErr> m_form;
    QList<int> m_goTo;

    void errors(int n)
    {
        DV->ClearCfgErrs();
        for (int i = 1; i <= n; ++i)
            DV->AddCfgErr("Data Source Map", "Task Field",
                          QStringLiteral("Please select the Task Field of map item %1.").arg(i),
                          QStringLiteral("Column %1").arg(i), 119, 624, i);
    }

    QPoint lineCentre(int line) const
    {
        QTreeView* v = m_form->LB_CfgErr();
        return v->visualRect(v->model()->index(line, 1)).center();
    }

private slots:
    void initTestCase()
    {
        ProcessFormsEnv::Init();
        Progress::setForm(&m_progress);
        m_form = std::make_unique<TUF_CfgErr>();
        m_form->SetGoToCfgErr([this](int i) { m_goTo << i; });
    }
    void cleanupTestCase()
    {
        m_form.reset();
        Progress::setForm(nullptr);
    }
    void init()
    {
        m_form->hide();
        m_goTo.clear();
        platform::setWorkArea(FormsTestEnv::kWorkArea);
        UP->SetAutoSizeCfgErr(true);
    }

    void linesFromErrorList()
    {
        DV->ClearCfgErrs();
        DV->AddCfgErr("S Curve Files", "Data Source File", "The file does not exist.", "/data/x.xlsx", 56, 600, 0);
        DV->AddCfgErr("S Curve Options", "Cut Off Date", "Not a date.", "", 85, 620, 0);
        DV->AddCfgErr("Data Source Filter", "Filter Operator", "Select an operator.", "Please Select...", 128, 640, 3);
        m_form->Populate(*DV);
        QCOMPARE(m_form->Count(), 3);
        QCOMPARE(m_form->ItemIndex(), 0);
        QCOMPARE(m_form->StatusPanel(0), QStringLiteral(" Total Configuration Errors "));
        QCOMPARE(m_form->StatusPanel(1), QStringLiteral(" 3 "));
        const QStringList first{" 1 ", " S Curve Files ", " Data Source File ", " The file does not exist. ",
                                " /data/x.xlsx "};
        for (int c = 0; c < 5; ++c)
            QCOMPARE(m_form->Text(0, c), first[c]);
        QCOMPARE(m_form->Text(2, 0), QStringLiteral(" 3 "));
        QCOMPARE(m_form->Text(2, 4), QStringLiteral(" Please Select... "));
        // Titles and widths: each column fits its title and its widest text.
        QHeaderView* hc = m_form->HC_CfgErr();
        QCOMPARE(hc->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral(" Details "));
        const QFontMetrics fm(m_form->LB_CfgErr()->font());
        QCOMPARE(hc->sectionSize(3), fm.horizontalAdvance(QStringLiteral(" The file does not exist. ")) + 12);
        QCOMPARE(hc->sectionSize(0),
                 std::max(QFontMetrics(hc->font()).horizontalAdvance(QStringLiteral(" ID ")), fm.horizontalAdvance(" 3 "))
                     + 12);
        // The validation wrote into no form: the list is only what Populate read.
        DV->ClearCfgErrs();
        QCOMPARE(m_form->Count(), 3);
    }

    void doubleClickGoesToField()
    {
        errors(4);
        m_form->Populate(*DV);
        m_form->show();
        QWidget* vp = m_form->LB_CfgErr()->viewport();
        QTest::mouseClick(vp, Qt::LeftButton, {}, lineCentre(2));
        QTest::mouseDClick(vp, Qt::LeftButton, {}, lineCentre(2));
        QCOMPARE(m_goTo, QList<int>{3});
        QVERIFY(m_form->isVisible()); // the form stays open
        // Below the last line, the selected line is the one meant.
        const QPoint below(lineCentre(3).x(), lineCentre(3).y() + 3 * m_form->ItemHeight());
        QVERIFY(!m_form->LB_CfgErr()->indexAt(below).isValid());
        QTest::mouseClick(vp, Qt::LeftButton, {}, below);
        QCOMPARE(m_form->ItemIndex(), 2);
        QTest::mouseDClick(vp, Qt::LeftButton, {}, below);
        QCOMPARE(m_goTo, (QList<int>{3, 3}));
        // With no line selected, nothing.
        m_form->SetItemIndex(-1);
        QTest::mouseDClick(vp, Qt::LeftButton, {}, below);
        QCOMPARE(m_goTo, (QList<int>{3, 3}));
    }

    void emptyListClosesAtOnce()
    {
        DV->ClearCfgErrs();
        m_form->Populate(*DV);
        QCOMPARE(m_form->StatusPanel(1), QStringLiteral(" 0 "));
        QCOMPARE(m_form->exec(), 2);
        QVERIFY(!m_form->isVisible());
    }

    void oneErrorIsThreeLinesHigh()
    {
        errors(1);
        m_form->Populate(*DV);
        m_form->show();
        QTreeView* v = m_form->LB_CfgErr();
        QTRY_VERIFY(v->viewport()->height() >= 3 * m_form->ItemHeight());
        QVERIFY(!v->horizontalScrollBar()->isVisible());
        // Wide enough for every column.
        int sections = 0;
        for (int c = 0; c < 5; ++c)
            sections += m_form->HC_CfgErr()->sectionSize(c);
        QVERIFY(v->viewport()->width() >= sections);
    }

    void moreErrorsThanFit()
    {
        errors(200);
        m_form->Populate(*DV);
        m_form->show();
        QCOMPARE(m_form->frameGeometry().top(), 0);
        QCOMPARE(m_form->frameGeometry().height(), FormsTestEnv::kWorkArea.height());
        QVERIFY(m_form->LB_CfgErr()->verticalScrollBar()->maximum() > 0);
    }

    void reopenShowsOnlyNewErrors()
    {
        errors(5);
        m_form->Populate(*DV);
        QTimer::singleShot(0, m_form.get(), [this] { m_form->BBtn_Close()->click(); });
        QCOMPARE(m_form->exec(), 11);
        QCOMPARE(m_form->Count(), 0); // emptied on closing
        errors(2);
        m_form->Populate(*DV);
        QCOMPARE(m_form->Count(), 2);
        QCOMPARE(m_form->StatusPanel(1), QStringLiteral(" 2 "));
    }

    void closingStoresPlacementAndPreference()
    {
        errors(2);
        m_form->Populate(*DV);
        m_form->show();
        m_form->resize(m_form->width() + 30, m_form->height() + 10); // the user drags a border
        QVERIFY(!m_form->SBtn_AutoSize()->isChecked());
        QVERIFY(!UP->AutoSizeCfgErr());
        const QSize size = m_form->frameGeometry().size(); // the record holds the frame's bounds
        QTimer::singleShot(0, m_form.get(), [this] { QTest::keyClick(m_form.get(), Qt::Key_Escape); });
        m_form->exec();
        TzyWMs records;
        while (records.HighIndex() < 6)
            records.Add();
        records.Load();
        QCOMPARE(records.getItems(wmCfgErr).Width(), size.width());
        QCOMPARE(records.getItems(wmCfgErr).Height(), size.height());
        TzyUP stored;
        stored.Load();
        QVERIFY(!stored.AutoSizeCfgErr());
    }

    void staysAboveItsOwnerOnly()
    {
        QWidget owner;
        TUF_CfgErr form(&owner);
        QVERIFY(form.isWindow());
        QCOMPARE(form.parentWidget(), &owner);
        QVERIFY(!(form.windowFlags() & Qt::WindowStaysOnTopHint));
    }
};

QTEST_MAIN(TstCfgErrForm)
#include "tst_cfgerr_form.moc"
