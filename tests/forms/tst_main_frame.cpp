#include "FormsTestKit.h"
#include "UF_Main.h"

#include <QPushButton>
#include <QtTest>

class TestMainFrame : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { formskit::FixLook(); }

    void createsWithOneDefinitionOnPageZero()
    {
        formskit::Globals g;
        TUF_Main form;
        QCOMPARE(UF_Main, &form);
        QCOMPARE(form.CurrentPage, 0);
        QCOMPARE(SDs->Count(), 1);
        QVERIFY(form.BBtn_Process->isEnabled());
        QVERIFY(!form.Busy);
    }
};

QTEST_MAIN(TestMainFrame)
#include "tst_main_frame.moc"
