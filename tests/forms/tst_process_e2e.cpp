// The whole road of the Process button against a real, private, headless
// LibreOffice, driven as a user drives the main form: from a fresh start the
// program's sample schedule and an Output File typed into page 0, the task
// columns typed into the map on page 2, Process pressed and confirmed; the
// summary form must show the run's values and the Output File, reopened,
// must hold them. A PNG of the summary form is left for a person to look at
// when PROCESS_FORMS_PNG_DIR names a folder.
#include "FormsTestEnv.h"
#include "LoBackend.h"
#include "LoOffice.h"
#include "LoText.h"
#include "lo_fixtures.h"
#include "Startup.h"
#include "StdDlg.h"
#include "UF_Main.h"
#include "UF_Progress.h"
#include "UF_Summary.h"
#include "zyAD.h"
#include "zyGrid.h"
#include "zyPSData.h"
#include "zyRF.h"
#include "zyRH.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyXL.h"

#include <com/sun/star/sheet/XSpreadsheet.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

// Answers every message with Yes where it offers one, else its rightmost
// button, and keeps the ids.
struct Answerer : StdDlg::IPrompter {
    QStringList ids;
    QList<QStringList> lines;
    StdDlg::Answer prompt(const StdDlg::Request& r) override
    {
        ids << r.msgId;
        lines << r.lines;
        for (const auto& b : r.buttons)
            if (b.visible && b.modalResult == StdDlg::mrYes)
                return {StdDlg::mrYes, false};
        return {r.buttons[2].modalResult, false};
    }
};

// A cell of "A1" form as column and row.
QPoint At(const QString& ref)
{
    return QPoint(ref.at(0).unicode() - 'A' + 1, ref.mid(1).toInt());
}

double Number(QString shown)
{
    shown = shown.trimmed();
    shown.remove(QLatin1Char(','));
    return shown.toDouble();
}

} // namespace

class TstProcessE2E : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    Answerer m_answers;
    std::unique_ptr<lo::Backend> m_inspector;
    TUF_Main* m_main = nullptr;

    QLineEdit* edit(const char* name) { return m_main->findChild<QLineEdit*>(QString::fromLatin1(name)); }

    void type(const char* name, const QString& text)
    {
        QLineEdit* e = edit(name);
        QVERIFY2(e, name);
        e->setFocus();
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        FormsTestEnv::Init();
        platform::setWorkArea(QRect(0, 0, 1280, 1024));
        // The program's own start-up: globals, forms, then the main form.
        Startup::Options start;
        start.splashMs = 0;
        QVERIFY(Startup::CreateGlobals(start));
        Startup::CreateForms();
        Startup::FinishSplash();
        StdDlg::setPrompter(&m_answers);
        m_main = UF_Main;
        QVERIFY(m_main);
        m_main->show();
        m_inspector = std::make_unique<lo::Backend>(
            lo::BackendOptions{QString(), m_tmp.path() + "/inspector-profile", 90000, 15000, std::nullopt});
        m_inspector->start();
    }
    void cleanupTestCase()
    {
        if (m_inspector)
            m_inspector->quit();
        m_inspector.reset();
        StdDlg::setPrompter(nullptr);
        Startup::DestroyForms();
        Startup::FreeGlobals();
    }

    void processTheSample()
    {
        const QString sample = QDir(qEnvironmentVariable("ZOL_PROGRAM_DIR")).filePath("Samples/Tarvo_ZOL_Lumo_Sample.xlsx");
        QVERIFY(QFile::exists(sample));
        const QString output = m_tmp.path() + "/Sample_Output.xlsx";

        // Page 0: the files.
        QCOMPARE(m_main->PC_Main->currentIndex(), 0);
        type("TB_SCF_DSF_DrivePathFilenameExtn", sample);
        type("TB_SCF_DSF_TaskWS", "Tasks");
        type("TB_SCF_DSF_THR", "1");
        if (edit("TB_SCF_TF_DrivePathFilenameExtn")->text().trimmed().isEmpty())
            type("TB_SCF_TF_DrivePathFilenameExtn",
                 QDir(qEnvironmentVariable("ZOL_PROGRAM_DIR")).filePath("Templates/Tarvo_ZOL_Lumo_Template.xlsx"));
        type("TB_SCF_OF_DrivePathFilenameExtn", output);

        // Page 1: Baseline and Actual, Man Hours and Cost.
        m_main->PC_Main->setCurrentIndex(1);
        for (const char* name : {"CB_SCO_GenerateBL", "CB_SCO_GenerateACT", "CB_SCO_GraphMH", "CB_SCO_GraphCost"}) {
            auto* box = m_main->findChild<QCheckBox*>(QLatin1String(name));
            QVERIFY2(box && box->isEnabled(), name);
            if (!box->isChecked())
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
            QVERIFY2(box->isChecked(), name);
        }

        // Page 2: the nine task columns, typed into the map grid.
        m_main->PC_Main->setCurrentIndex(2);
        TzyGrid* map = m_main->findChild<TzyGrid*>("SG_DSM");
        QVERIFY(map);
        const QStringList cols{"E", "F", "G", "H", "I", "J", "K", "L", "M"};
        map->setFocus();
        for (int r = 1; r <= cols.size(); ++r) {
            map->MoveToCell(1, r);
            QTest::keyClicks(map, cols[r - 1]);
            QTest::keyClick(map, Qt::Key_Return);
        }
        m_main->PC_Main->setCurrentIndex(0);

        // Process; the summary form is read and closed once it shows.
        QStringList shown;
        bool summaryShown = false;
        bool mainDisabledDuringRun = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            if (UF_Progress && UF_Progress->isVisible() && !m_main->isEnabled() && m_main->Busy
                && UF_Progress->CancelButton()->isEnabled())
                mainDisabledDuringRun = true;
            if (!UF_Summary || !UF_Summary->isVisible() || summaryShown)
                return;
            summaryShown = true;
            const QString dir = qEnvironmentVariable("PROCESS_FORMS_PNG_DIR");
            if (!dir.isEmpty()) {
                QDir().mkpath(dir);
                UF_Summary->grab().save(QDir(dir).filePath("summary_after_sample_run.png"));
            }
            TzyGrid* g = UF_Summary->SG_ProjectSummary();
            for (int r = 1; r <= TUF_Summary::kRows; ++r)
                for (int c = 1; c <= TUF_Summary::kCols; ++c)
                    shown << g->getCells(c, r);
            UF_Summary->BBtn_Close()->click();
        });
        watch.start(20);
        QTest::mouseClick(m_main->BBtn_Process, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(summaryShown, 240000);
        watch.stop();
        QVERIFY2(!m_answers.ids.contains("UP002"), qPrintable(m_answers.lines.isEmpty() ? QString() : m_answers.lines.last().join('\n')));
        QVERIFY(mainDisabledDuringRun);
        QVERIFY(m_main->isEnabled());
        QVERIFY(!m_main->Busy);
        QVERIFY(QFile::exists(output));

        // The grid holds the run's values, and so does the Output File.
        auto grid = [&](const QString& ref) {
            const QPoint p = At(ref);
            return shown.at((p.y() - 1) * TUF_Summary::kCols + p.x() - 1).trimmed();
        };
        Reference<lang::XComponent> doc = lofix::load(m_inspector->server()->desktop(), output);
        QVERIFY(doc.is());
        Reference<sheet::XSpreadsheet> ps = lofix::sheet(doc, QStringLiteral("Project Summary"));
        int numbers = 0;
        for (int i = 1; i <= RFs_PS->Count(); ++i) {
            const TzyRF& rf = RFs_PS->getItems(i);
            const QString where = rf.CellRef();
            const QPoint p = At(where);
            Reference<table::XCell> cell = ps->getCellByPosition(p.x() - 1, p.y() - 1);
            const QString fileText = lo::toQ(Reference<text::XTextRange>(cell, UNO_QUERY_THROW)->getString());
            QCOMPARE(grid(where), zyPSData::CellText(rf).trimmed());
            if (rf.ValueState() != zyRpt::vsValue || rf.DataType() == zyRpt::dtText) {
                QVERIFY2(fileText.trimmed() == grid(where), qPrintable(where + ": " + fileText + " / " + grid(where)));
            } else if (rf.DataType() == zyRpt::dtDate) {
                QCOMPARE(cell->getValue(), rf.DateValue());
            } else {
                ++numbers;
                QVERIFY2(qAbs(cell->getValue() - Number(grid(where))) < 0.006 * qMax(1.0, qAbs(cell->getValue())),
                         qPrintable(where));
            }
        }
        QVERIFY(numbers > 10);
        lofix::close(doc);
        // Every task of the sample was read.
        QCOMPARE(grid("G6"), QStringLiteral("300"));
    }
};

int main(int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    TstProcessE2E t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_process_e2e.moc"
