#include "UF_MainProcess.h"

#include "BalloonHint.h"
#include "Format.h"
#include "Progress.h"
#include "StdDlg.h"
#include "UF_CfgErr.h"
#include "UF_Main.h"
#include "UF_MainFilter.h"
#include "UF_Summary.h"
#include "Utils.h"
#include "zyAD.h"
#include "zyDV.h"
#include "zyGrid.h"
#include "zyOCP.h"
#include "zyProcess.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyUP.h"
#include "zyXL.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>

namespace {

TzySD& ActiveDefinition()
{
    return SDs->getItems(SDs->ActiveSD());
}

// The two forms are created once at start-up; a main form made without them
// (a test, a start-up that has not created them yet) makes its own.
TUF_CfgErr& CfgErrForm(TUF_Main& owner)
{
    if (!UF_CfgErr)
        new TUF_CfgErr(&owner);
    return *UF_CfgErr;
}

TUF_Summary& SummaryForm(TUF_Main& owner)
{
    if (!UF_Summary)
        new TUF_Summary(&owner);
    return *UF_Summary;
}

// Swallows the activation changes of the window it watches.
class NoActivation : public QObject {
public:
    explicit NoActivation(QWidget* w) : m_w(w) { m_w->installEventFilter(this); }
    ~NoActivation() override { m_w->removeEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        return o == m_w && e->type() == QEvent::ActivationChange;
    }

private:
    QWidget* m_w;
};

} // namespace

TUF_MainProcess::TUF_MainProcess(TUF_Main& form)
    : F(form)
    , RunProcess([](int sd) { return Process && Process->Process(sd); })
{
}

// ---- the command -------------------------------------------------------------------

void TUF_Main::XferData()
{
    ProcessCmd->LastOutcome = ProcessCommand::XferData(*ProcessCmd);
}

void TUF_MainProcess::HideHint()
{
    if (F.BH_Main)
        F.BH_Main->HideHint();
}

void TUF_MainProcess::FocusPages()
{
    // Also from a control of the page: that control's exit handling runs
    // before the page is saved.
    if (F.PC_Main->isEnabled() && F.PC_Main->isVisible())
        F.PC_Main->setFocus(Qt::OtherFocusReason);
}

int TUF_MainProcess::CurrentPage()
{
    return F.CurrentPage;
}

void TUF_MainProcess::CompactFilter()
{
    // A list still open on the current cell counts, as when the page is left.
    F.Filter->WriteOpenCombos();
    F.Filter->CompactDSFRows();
    F.UpdatePage3(F.Filter->SG_DSF->Row());
}

void TUF_MainProcess::SavePage(int page)
{
    F.SavePage(page);
}

bool TUF_MainProcess::PromptOnProcess()
{
    return UP && UP->PromptOnProcess();
}

bool TUF_MainProcess::ConfirmProcess()
{
    const StdDlg::Answer a = StdDlg::ShowMsg3(StdDlg::Question, QStringLiteral("MF010"), {UIT(1037)}, UIT(284),
                                              StdDlg::Button{}, StdDlg::YesButton(UIT(953)),
                                              StdDlg::NoButton(UIT(954)));
    UP->SetPromptOnProcess(!a.checked);
    UP->Save();
    return a.modalResult != StdDlg::mrNo;
}

int TUF_MainProcess::Validate()
{
    DV->Validate(true, true, true);
    return DV->Count();
}

void TUF_MainProcess::ShowCfgErrs()
{
    TUF_CfgErr& form = CfgErrForm(F);
    form.SetGoToCfgErr([this](int index) { F.GoToCfgErr(index); });
    form.Populate(*DV);
    form.exec();
}

void TUF_MainProcess::LoadPage(int page)
{
    F.LoadPage(page);
}

void TUF_MainProcess::UpdatePage(int page)
{
    F.UpdatePage(page);
}

bool TUF_MainProcess::XLMissing()
{
    return !XL || XL->CheckXLMissing();
}

bool TUF_MainProcess::OCPCancelled(int labelId, const QString& file)
{
    return OCP && OCP->CheckFile(UIT(labelId), file);
}

QString TUF_MainProcess::DataSourceFile()
{
    return ActiveDefinition().SCF.GetDataSourceFile();
}

QString TUF_MainProcess::TemplateFile()
{
    return ActiveDefinition().SCF.GetTemplateFile();
}

void TUF_MainProcess::BeginRun()
{
    F.Busy = true;
    // The run pumps the events between its steps: the progress form repaints
    // and its Cancel answers.
    Progress::setPump([] { QCoreApplication::processEvents(); });
    // The progress form and the messages are windows of their own: they stay
    // usable while the main form is disabled.
    F.setEnabled(false);
    m_noActivation = std::make_unique<NoActivation>(&F);
    F.UpdateCaption();
    TUF_Summary& summary = SummaryForm(F);
    if (Process) {
        Process->SetSummaryGrid(&summary.SummaryGrid());
        Process->SetShowOpenOutputFile([&summary] { summary.ShowOpenOutputFile(); });
    }
}

bool TUF_MainProcess::Run()
{
    return RunProcess(SDs->ActiveSD());
}

void TUF_MainProcess::EndRun()
{
    m_noActivation.reset();
    F.setEnabled(true);
    F.Busy = false;
    F.FocusPages();
}

void TUF_MainProcess::ReportFailure(const QString& details)
{
    QStringList lines = AD ? AD->Msgs : QStringList();
    if (!details.isEmpty())
        lines << Utils::Format(UIT(1094), {details});
    StdDlg::ShowMsg1(StdDlg::Warning, QStringLiteral("UP002"), lines, UIT(985), UIT(289), StdDlg::mrClose,
                     StdDlg::glClose);
}

void TUF_MainProcess::ShowSummary()
{
    SummaryForm(F).exec();
}

// ---- the way back from a configuration error ------------------------------------

void TUF_Main::GoToCfgErr(int index)
{
    if (index == 0)
        return;
    const CfgErrNav::Target t =
        CfgErrNav::Locate(DV->getCfgErrTabID(index), DV->getCfgErrFldID(index), DV->getCfgErrRowID(index));
    if (t.page < 0)
        return;
    SavePage(CurrentPage);
    CurrentPage = t.page;
    {
        // A page set by code is not the user's page change.
        const QSignalBlocker block(PC_Main);
        PC_Main->setCurrentIndex(t.page);
    }
    LoadPage(t.page);
    UpdatePage(t.page);
    ProcessCmd->ShowControl(t);
}

void TUF_MainProcess::ShowControl(const CfgErrNav::Target& t)
{
    if (t.action == CfgErrNav::Action::None)
        return;
    QWidget* w = F.findChild<QWidget*>(t.control);
    if (!w)
        return;
    auto canFocus = [w] { return w->isEnabled() && w->focusPolicy() != Qt::NoFocus; };
    switch (t.action) {
    case CfgErrNav::Action::SelectEdit:
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->selectAll();
        if (canFocus())
            w->setFocus();
        break;
    case CfgErrNav::Action::Focus:
        if (canFocus())
            w->setFocus();
        break;
    case CfgErrNav::Action::GridCell:
        // The grid shows the cell; it is not focused.
        if (auto* grid = qobject_cast<TzyGrid*>(w); grid && grid->Enabled())
            grid->MoveToCell(t.col, t.row);
        break;
    case CfgErrNav::Action::None:
        break;
    }
}
