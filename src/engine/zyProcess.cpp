#include "zyProcess.h"

#include "Format.h"
#include "ISummaryGrid.h"
#include "Progress.h"
#include "RF_CD_Consts.h"
#include "RF_PS_Consts.h"
#include "StdDlg.h"
#include "Utils.h"
#include "zyAD.h"
#include "zyEngineCore.h"
#include "zyPSData.h"
#include "zyProcessPrivate.h"
#include "zyUIL.h"
#include "zyXL.h"

#include <QDate>
#include <QFileInfo>

#include <cmath>

std::unique_ptr<TzyProcess> Process;

using Utils::Format;

namespace zyProcessPrivate {

QStringList& Msgs()
{
    static QStringList spare;
    return AD ? AD->Msgs : spare;
}

void SelectWorksheetOrFail(const QString& wsLabel, const QString& wsName, const QString& fileLabel,
                           const QString& fileName, int notFoundId)
{
    XL->SetWorksheetLabel(wsLabel);
    XL->SetWorksheetName(wsName);
    if (XL->SelectWorksheet(wsName))
        return;
    XL->CloseWorkbook(false);
    XL->QuitExcel();
    throw ZolError(Paragraphs({Format(UIT(notFoundId), {wsLabel, fileLabel}), Labelled(wsLabel, wsName),
                               Labelled(fileLabel, fileName)}));
}

void StepLine(const QString& text, const std::function<void()>& work)
{
    IProgress& p = Progress::form();
    p.AddStep(text);
    work();
    p.AppendToLastLine(UIT(391));
}

void StartServerStep()
{
    StepLine(UIT(381), [] { XL->StartExcel(false); });
}

void OpenWorkbookStep(const QString& fileLabel, const QString& fileName, const QString& password)
{
    StepLine(Format(UIT(382), {fileLabel}), [&] {
        // The office opens an empty file as a new, empty workbook; what the
        // user chose is no workbook at all, which is what to tell.
        const QFileInfo file(fileName);
        if (file.isFile() && file.size() == 0)
            throw ZolError(Paragraphs({Format(QStringLiteral("The %s is empty: it is not a workbook."), {fileLabel}),
                                       Labelled(fileLabel, fileName)}));
        XL->SetWorkbookLabel(fileLabel);
        XL->SetWorkbookFileName(fileName);
        XL->OpenWorkbook(fileName, password, QString(), true);
    });
}

void SelectWorksheetStep(const QString& wsLabel, const QString& wsName, const QString& fileLabel,
                         const QString& fileName, int notFoundId)
{
    StepLine(Format(UIT(383), {wsLabel}),
             [&] { SelectWorksheetOrFail(wsLabel, wsName, fileLabel, fileName, notFoundId); });
}

void UsedRangeStep(const QString& wsLabel)
{
    StepLine(Format(UIT(384), {wsLabel}), [] { XL->GetUsedRange(); });
}

void CloseWorkbookStep(const QString& fileLabel)
{
    StepLine(Format(UIT(389), {fileLabel}), [] { XL->CloseWorkbook(false); });
}

void QuitServerStep()
{
    StepLine(UIT(390), [] { XL->QuitExcel(); });
}

void ShowProgress(const QString& operation, int steps)
{
    IProgress& p = Progress::form();
    p.ResetProgress();
    p.SetCaption(Format(QStringLiteral(" %s: %s "), {QStringLiteral("Tarvo ZOL Lumo"), operation}));
    p.SetTotalSteps(steps);
    p.SetCancelled(false);
    p.ShowStepProgress(false);
    p.Show();
}

void CloseProgress()
{
    IProgress& p = Progress::form();
    p.SetCancelled(false);
    p.ShowStepProgress(false);
    p.Close();
}

namespace {
template <class List>
void Ensure(std::unique_ptr<List>& list, void (*load)(List&))
{
    if (!list) {
        list = std::make_unique<List>();
        load(*list);
    }
}
} // namespace

void EnsureReportTables()
{
    // The tables are made at start-up; a run without them (a tool, a test)
    // makes them here rather than writing nothing.
    Ensure(RHs_PS, RF_PS_Consts::LoadRHs);
    Ensure(RFs_PS, RF_PS_Consts::LoadRFs);
    Ensure(RHs_CD, RF_CD_Consts::LoadRHs);
    Ensure(RFs_CD, RF_CD_Consts::LoadRFs);
}

HoldForRun::HoldForRun()
{
    if (XL)
        XL->HoldForRun(true);
}

HoldForRun::~HoldForRun()
{
    if (XL)
        XL->HoldForRun(false);
}

} // namespace zyProcessPrivate

using namespace zyProcessPrivate;

namespace {

// The summary steps of a run without a summary form write nowhere.
class NoGrid : public ISummaryGrid {
public:
    void setCells(int, int, const QString&) override {}
    void setCellFontColor(int, int, zyRpt::TColor) override {}
    void setCellColor(int, int, zyRpt::TColor) override {}
    void AutoSizeColsMerged(bool) override {}
    int getColWidths(int) override { return 0; }
    void setColWidths(int, int) override {}
};

const TzyProcess* s_formatsOwner = nullptr;

int WholeDay(double date)
{
    return int(std::floor(date));
}

} // namespace

TzyProcess::TzyProcess() : m_core(std::make_unique<TzyEngineCore>())
{
    // The progress display writes every line in the formats of the plan
    // under way, which are the engine's (two digits until a plan is set).
    SetStepFormats(10);
    Progress::setFormatSources([this] { return StepFmt; }, [this] { return NoStepFmt; });
    s_formatsOwner = this;
}

TzyProcess::~TzyProcess()
{
    // A newer engine may have installed its own formats since.
    if (s_formatsOwner == this) {
        Progress::setFormatSources({}, {});
        s_formatsOwner = nullptr;
    }
    ClearData();
}

IProgress& TzyProcess::progress() const
{
    return Progress::form();
}

void TzyProcess::pollCancel() const
{
    Progress::PollCancel();
}

void TzyProcess::step(const std::function<void()>& body)
{
    RunStep(TzyCoreHooks(), body);
}

// ---- the run ------------------------------------------------------------------

bool TzyProcess::Process(int sdIndex)
{
    bool result = false;
    try {
        Msgs().clear();
        Msgs() << UIT(1110) << QString();
        Init(sdIndex);

        CheckDistinctFiles();
        // The overwrite question is asked once per run, here.
        OverwriteChecked = false;
        checkOutputFile();

        ShowProgress(UIT(252), CountSteps());

        // The server and the workbooks the checks load serve the extraction
        // and the writing too: no second start, no second load.
        HoldForRun hold;
        CheckWorkbooks();
        Calculate();
        DeleteTempData();
        WriteTemplate();
        SaveOutputFile();

        CloseProgress();
        ClearData();
        result = true;
    } catch (const OperationAborted&) {
        report("UP001", nullptr);
    } catch (const std::exception& e) {
        report("UP002", &e);
    } catch (...) {
        // Whatever escaped the layer still ends the run properly.
        report("UP002", nullptr);
    }
    return result;
}

void TzyProcess::report(const char* msgId, const std::exception* failure)
{
    CloseProgress();
    // A server that cannot be ended leaves the run here, with its lines.
    if (XL) {
        XL->HoldForRun(false);
        XL->QuitExcel();
    }
    ClearData();
    QStringList lines = Msgs();
    if (XL)
        lines << XL->Log;
    if (failure) {
        const QString message = Utils::ExceptionMessage(*failure);
        if (!message.isEmpty())
            lines << Format(UIT(1094), {message});
    }
    StdDlg::ShowMsg1(StdDlg::Warning, QString::fromLatin1(msgId), lines, UIT(985), UIT(289), StdDlg::mrClose,
                     StdDlg::glClose);
}

int TzyProcess::CountSteps()
{
    pollCancel();
    int n = 33;
    if (m_def.FilterEnabled)
        n += 2;
    const int quantities = (GraphMH ? 1 : 0) + (GraphCost ? 1 : 0);
    if (GenerateBL) {
        n += 2;
        if (GenerateACT || GenerateTGT)
            n += 1;
        n += quantities * (GenerateTGT ? 7 : 5);
    }
    if (GenerateACT) {
        n += 3;
        n += quantities * (3 + (GenerateBL ? 2 : 0) + (GenerateTGT ? 2 : 0));
    }
    if (GenerateTGT) {
        n += 2;
        n += quantities * (GenerateBL ? 7 : 5);
    }
    SetStepFormats(n);
    return n;
}

void TzyProcess::Init(int sdIndex)
{
    ClearData();
    SDIndex = sdIndex;
    m_def = zyProcessDef::Read(sdIndex);
    ReportDate = DayNumber(QDate::currentDate());
    CutOffDate = WholeDay(m_def.CutOffDate);
    GenerateBL = m_def.GenerateBL;
    GenerateACT = m_def.GenerateACT;
    GenerateTGT = m_def.GenerateTGT;
    GraphMH = m_def.GraphMH;
    GraphCost = m_def.GraphCost;

    DSFLabel = UIT(600);
    TaskWSLabel = UIT(603);
    TFLabel = UIT(605);
    PSWSLabel = UIT(608);
    CDWSLabel = UIT(609);
    OFLabel = UIT(610);
    OFFolderLabel = UIT(611);
    DSFName = m_def.DSFName;
    DSFPassword = m_def.DSFPassword;
    TaskWSName = m_def.TaskWSName;
    TFName = m_def.TFName;
    TFPassword = m_def.TFPassword;
    PSWSName = m_def.PSWSName;
    CDWSName = m_def.CDWSName;
    OFName = m_def.OFName;
    OFFolder = m_def.OFFolder;

    TzyRunSettings& s = m_core->Settings;
    s = TzyRunSettings();
    s.ReportDate = ReportDate;
    s.CutOffDate = CutOffDate;
    s.GenerateBL = GenerateBL;
    s.GenerateACT = GenerateACT;
    s.GenerateTGT = GenerateTGT;
    s.GraphMH = GraphMH;
    s.GraphCost = GraphCost;
    s.DSFLabel = DSFLabel;
    s.DSFName = DSFName;
    s.TaskWSLabel = TaskWSLabel;
    s.TaskWSName = TaskWSName;
    s.FilterEnabled = m_def.FilterEnabled;
    for (const TzyRunDefFilterRow& r : m_def.FilterRows)
        s.FilterRows.push_back({r.AndFlag, r.FilterOperator, r.TaskFldValue});
    s.FilterDetails = m_def.FilterDetails;

    m_core->ResetResults();
    m_core->Hooks = TzyCoreHooks();
    m_core->Hooks.cutOffDateMoved = [this](int day) {
        CutOffDate = day;
        zyProcessDef::WriteCutOffDate(SDIndex, day);
        if (m_cutOffDateMoved)
            m_cutOffDateMoved(day);
    };
    m_ps.reset();
}

void TzyProcess::ClearData()
{
    if (m_core)
        m_core->ClearData();
}

// ---- checking the workbooks ------------------------------------------------------

bool TzyProcess::CheckWorkbooks()
{
    step([&] {
        StartServerStep();
        CheckDataSourceFile();
        CheckTemplateFile();
    });
    return true;
}

bool TzyProcess::CheckDataSourceFile()
{
    step([&] {
        OpenWorkbookStep(DSFLabel, DSFName, DSFPassword);
        SelectWorksheetStep(TaskWSLabel, TaskWSName, DSFLabel, DSFName, 1230);
        CloseWorkbookStep(DSFLabel);
    });
    return true;
}

bool TzyProcess::CheckTemplateFile()
{
    step([&] {
        OpenWorkbookStep(TFLabel, TFName, TFPassword);
        SelectWorksheetStep(PSWSLabel, PSWSName, TFLabel, TFName, 1230);
        SelectWorksheetStep(CDWSLabel, CDWSName, TFLabel, TFName, 1230);
        CloseWorkbookStep(TFLabel);
    });
    return true;
}

// ---- the calculation ----------------------------------------------------------------

void TzyProcess::Calculate()
{
    step([&] {
        ExtractData();
        m_core->CalculateAll();
        CutOffDate = m_core->Settings.CutOffDate;
        PopulatePSData();
        FormatPSData();
        PopulateChartData();
        CheckFiniteResults();
        PopulateSummaryForm();
        FormatSummaryForm();
    });
}

void TzyProcess::CheckFiniteResults()
{
    // A sum beyond the largest number would be saved as INF or NaN and read
    // as a result: the run stops here, before the summary form or the
    // template shows any of it.
    QString name = m_core->NonFiniteQuantity();
    for (int i = 1; name.isEmpty() && RFs_PS && i <= RFs_PS->Count(); ++i) {
        const TzyRF& rf = RFs_PS->getItems(i);
        if (rf.ValueState() == zyRpt::vsValue && rf.DataType() == zyRpt::dtNumber && !std::isfinite(rf.FloatValue()))
            name = rf.Name();
    }
    if (name.isEmpty())
        return;
    Msgs() << QStringLiteral("The following quantity is too large to be calculated:") << QString() << name
           << QString()
           << Format(QStringLiteral("Please check the %s for values that are too large."), {DSFLabel}) << QString();
    throw ZolError(Format(QStringLiteral("The results are not numbers. The %s has not been saved."), {OFLabel}));
}

void TzyProcess::PopulatePSData()
{
    EnsureReportTables();
    m_ps = std::make_unique<TzyPSResults>(zyPSData::FromRun(*m_core));
    zyProcessDef::SetSummaryTexts(*m_ps, SDIndex);
    zyPSData::PopulatePSData(*m_ps, *RFs_PS, *RHs_PS);
}

void TzyProcess::FormatPSData()
{
    EnsureReportTables();
    if (!m_ps)
        PopulatePSData();
    zyPSData::FormatPSData(*m_ps, *RFs_PS);
}

void TzyProcess::PopulateSummaryForm()
{
    EnsureReportTables();
    NoGrid none;
    zyPSData::PopulateSummaryForm(*RFs_PS, *RHs_PS, m_grid ? *m_grid : static_cast<ISummaryGrid&>(none));
}

void TzyProcess::FormatSummaryForm()
{
    EnsureReportTables();
    NoGrid none;
    zyPSData::FormatSummaryForm(*RFs_PS, m_grid ? *m_grid : static_cast<ISummaryGrid&>(none),
                                m_showOpenOutputFile ? m_showOpenOutputFile : std::function<void()>([] {}));
}

void TzyProcess::DeleteTempData()
{
    m_core->DeleteTempData();
}
