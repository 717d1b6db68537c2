// The Office Compatibility Pack check.
#include "FakeXL.h"
#include "MachineKeys.h"
#include "Progress.h"
#include "StdDlg.h"
#include "zyOCP.h"
#include "zyUIL.h"
#include "zyXL.h"

#include <QtTest>

using platform::RootKey;

namespace {

const QString kPackKey = QStringLiteral("Installer\\Products\\00002109020090400000000000F01FEC");

struct Recorder : StdDlg::IPrompter {
    QList<StdDlg::Request> seen;
    int answer = StdDlg::mrCancel;
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        seen << r;
        return {answer, false};
    }
};

} // namespace

class TstXLOcp : public QObject {
    Q_OBJECT

    platform::MachineKeyTable keys;
    Recorder dlg;

    void setVersion(int code)
    {
        if (code == 0)
            keys.remove(RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QString());
        else
            keys.set(RootKey::ClassesRoot, QStringLiteral("Excel.Application\\CurVer"), QString(),
                     QStringLiteral("Excel.Application.%1").arg(QList<int>{0, 8, 9, 10, 11, 12, 14, 15}[code]));
    }
    void setPack(const QString& name) // null: no value
    {
        if (name.isNull())
            keys.remove(RootKey::ClassesRoot, kPackKey, QStringLiteral("ProductName"));
        else
            keys.set(RootKey::ClassesRoot, kPackKey, QStringLiteral("ProductName"), name);
    }

private slots:
    void initTestCase()
    {
        // No installation to read: the server is named without a version.
        qputenv("ZOLL_SOFFICE", QByteArrayLiteral("/nonexistent/program/soffice.bin"));
        InitUILs();
        platform::setMachineKeys(&keys);
        StdDlg::setPrompter(&dlg);
        Progress::setPump([] {});
        setXLBackendFactory({});
    }
    void cleanupTestCase()
    {
        OCP.reset();
        XL.reset();
        platform::setMachineKeys(nullptr);
        StdDlg::setPrompter(nullptr);
    }
    void init()
    {
        keys.clear();
        dlg.seen.clear();
        XL = std::make_unique<TzyXL>();
        OCP = std::make_unique<TzyOCP>();
    }

    void matrix_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("pack");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("stop");
        const QString none; // no value
        const QString x = QStringLiteral("/d/plan.xlsx");
        for (int code = 1; code <= 4; ++code) {
            const QByteArray c = QByteArray::number(code);
            QTest::newRow(c + " no pack xlsx cancel") << code << none << x << 2 << true << true;
            QTest::newRow(c + " no pack xlsx continue") << code << none << x << 6 << true << false;
            QTest::newRow(c + " pack xlsx") << code << "Compatibility Pack" << x << 2 << false << false;
            QTest::newRow(c + " empty pack xlsx") << code << "" << x << 2 << true << true;
            QTest::newRow(c + " no pack xls") << code << none << "/d/plan.xls" << 2 << false << false;
        }
        QTest::newRow("4 no pack XLSX") << 4 << none << "/d/PLAN.XLSX" << 2 << true << true;
        QTest::newRow("4 no pack xlsm") << 4 << none << "/d/plan.xlsm" << 2 << false << false;
        QTest::newRow("4 no pack no ext") << 4 << none << "/d/plan" << 2 << false << false;
        QTest::newRow("4 no pack esc") << 4 << none << x << 0 << true << false;
        for (int code = 5; code <= 7; ++code) {
            const QByteArray c = QByteArray::number(code);
            QTest::newRow(c + " no pack xlsx") << code << none << x << 2 << false << false;
            QTest::newRow(c + " pack xlsx") << code << "Compatibility Pack" << x << 2 << false << false;
            QTest::newRow(c + " no pack xls") << code << none << "/d/plan.xls" << 2 << false << false;
        }
        QTest::newRow("none installed") << 0 << none << x << 2 << false << false;
    }
    void matrix()
    {
        QFETCH(int, code);
        QFETCH(QString, pack);
        QFETCH(QString, file);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, stop);
        setVersion(code);
        setPack(pack);
        dlg.answer = answer;
        QCOMPARE(OCP->CheckFile(QStringLiteral("Data Source File"), file), stop);
        QCOMPARE(dlg.seen.size(), asked ? 1 : 0);
        QCOMPARE(OCP->Installed, !pack.isEmpty());
    }

    void warningText()
    {
        setVersion(4);
        dlg.answer = StdDlg::mrCancel;
        QVERIFY(OCP->CheckFile(QStringLiteral("Template File"), QStringLiteral("/t/report.xlsx")));
        const StdDlg::Request& r = dlg.seen.first();
        QCOMPARE(r.msgId, QStringLiteral("UOCP002"));
        QCOMPARE(r.level, int(StdDlg::Question));
        QCOMPARE(r.lines,
                 (QStringList{
                     QStringLiteral("LibreOffice requires a file format add-on to open the following Template File."),
                     QString(), QStringLiteral("/t/report.xlsx"), QString(),
                     QStringLiteral("The add-on does not appear to be installed."), QString(),
                     QStringLiteral("To resolve this issue, please do one of the following:"), QString(),
                     QStringLiteral("a) Convert the Template File to an *.xls file, or"), QString(),
                     QStringLiteral("b) Install the file format add-on, or"), QString(),
                     QStringLiteral("c) Install the Debian package libreoffice-calc."), QString(),
                     QStringLiteral("Click Continue to attempt to open the Template File.")}));
        QCOMPARE(r.buttons[1].caption, QStringLiteral("Contin&ue"));
        QCOMPARE(r.buttons[1].hint, QStringLiteral("Attempt to open the Template File."));
        QCOMPARE(r.buttons[1].modalResult, int(StdDlg::mrYes));
        QCOMPARE(r.buttons[1].glyph, int(StdDlg::glContinue));
        QCOMPARE(r.buttons[2].caption, QStringLiteral("Cancel"));
        QCOMPARE(r.buttons[2].hint, QStringLiteral("Do not open the Template File."));
        QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrCancel));
        QCOMPARE(r.buttons[2].glyph, int(StdDlg::glCancel));
    }

    void productName()
    {
        QCOMPARE(OCP->ProductName, QStringLiteral("None needed: *.xls and *.xlsx files open directly"));
        QCOMPARE(OCP->GetProductName(), QStringLiteral("None needed: *.xls and *.xlsx files open directly"));
        setPack(QStringLiteral("Compatibility Pack SP3"));
        QCOMPARE(OCP->GetProductName(), QStringLiteral("Compatibility Pack SP3"));
        QVERIFY(OCP->Installed);
        // The name read at construction stays until Init reads again.
        QCOMPARE(OCP->ProductName, QStringLiteral("None needed: *.xls and *.xlsx files open directly"));
        OCP->Init();
        QCOMPARE(OCP->ProductName, QStringLiteral("Compatibility Pack SP3"));
        QVERIFY(dlg.seen.isEmpty());
    }

    void failingRegistry()
    {
        setPack(QStringLiteral("!error"));
        OCP = std::make_unique<TzyOCP>();
        // At construction: not installed, no dialog.
        QVERIFY(dlg.seen.isEmpty());
        QVERIFY(!OCP->Installed);
        QCOMPARE(OCP->ProductName, QStringLiteral("None needed: *.xls and *.xlsx files open directly"));
        QVERIFY(!OCP->StartupNote.isEmpty());

        setVersion(4);
        dlg.answer = StdDlg::mrCancel;
        // Later reads report it, and the pack counts as missing.
        QVERIFY(OCP->CheckFile(QStringLiteral("Data Source File"), QStringLiteral("/d/a.xlsx")));
        QCOMPARE(dlg.seen.size(), 2);
        const StdDlg::Request& r = dlg.seen.first();
        QCOMPARE(r.msgId, QStringLiteral("UOCP001"));
        QCOMPARE(r.level, int(StdDlg::Warning));
        QCOMPARE(r.lines, (QStringList{QStringLiteral("Unable to verify if the file format add-on is installed."),
                                       QString(), QStringLiteral("Details: The registry could not be read.")}));
        QCOMPARE(r.buttons[2].caption, QStringLiteral("&Close"));
        QCOMPARE(r.buttons[2].modalResult, int(StdDlg::mrClose));
        QCOMPARE(dlg.seen[1].msgId, QStringLiteral("UOCP002"));
    }
};

QTEST_GUILESS_MAIN(TstXLOcp)
#include "tst_xl_ocp.moc"
