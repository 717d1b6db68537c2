// The whole validation of the active ZOL Definition, tab by tab, and the
// checks' wrappers that show a fault in the standard dialog. Validation
// corrects what it can (truncations, extensions, the header row, filter
// operators, the Cut Off Date) and lists everything else as configuration
// errors.
#include "zyDV.h"

#include "StdDlg.h"
#include "Utils.h"
#include "zyDVText.h"
#include "zyModelPrefs.h"
#include "zySD.h"
#include "zyUP.h"

#include <algorithm>

namespace {

enum TabId { tabFiles = 56, tabOptions = 85, tabMap = 119, tabFilter = 128 };

// The limits the validators hold the settings to.
constexpr int kMaxFileName = 260;
constexpr int kMaxPassword = 255;
constexpr int kMaxWorksheetName = 31;
constexpr int kMaxDescription = 255;

QString withExtension(const QString& fileName, const QString& extDot)
{
    const QString name = Utils::ExtractFileName(fileName);
    const int dot = int(name.lastIndexOf(QLatin1Char('.')));
    const QString base = dot < 0 ? fileName : fileName.left(fileName.size() - name.size() + dot);
    return base + extDot;
}

TzySD* activeSD()
{
    return SDs ? &SDs->getItems(SDs->ActiveSD()) : nullptr;
}

} // namespace

// ---- wrappers ------------------------------------------------------------------

bool TzyDV::showFault(bool fault)
{
    if (fault)
        StdDlg::ShowMsg1(StdDlg::Warning, MsgID, QStringList{MsgDialog}, UIT(1004), UIT(289), StdDlg::mrClose,
                         StdDlg::glClose);
    return fault;
}

bool TzyDV::ValidateFileExists(const QString& fldName, const QString& fileName)
{
    return showFault(CheckFileExists(fldName, fileName));
}

bool TzyDV::ValidatePath(const QString& fldName, const QString& fileName)
{
    return showFault(CheckPath(fldName, fileName));
}

bool TzyDV::ValidateFileExtension(const QString& fldName, const QString& fileName)
{
    return showFault(CheckFileExtension(fldName, fileName));
}

bool TzyDV::ValidateExcelFile(const QString& fldName, const QString& fileName)
{
    return showFault(CheckExcelFile(fldName, fileName));
}

bool TzyDV::ValidateWorksheetName(const QString& fldName, const QString& wsName)
{
    return showFault(CheckWorksheetName(fldName, wsName));
}

bool TzyDV::ValidateTaskHeaderRow(const QString& fileFldName, const QString& fileName, const QString& rowFldName,
                                  int row)
{
    return showFault(CheckTaskHeaderRow(fileFldName, fileName, rowFldName, row));
}

bool TzyDV::ValidateTaskFieldColumn(const QString& fileFldName, const QString& fileName, const QString& fldName,
                                    const QString& taskFld)
{
    return showFault(CheckTaskFieldColumn(fileFldName, fileName, fldName, taskFld));
}

// ---- the whole validation ------------------------------------------------------

void TzyDV::Validate(bool dataSourceFileTab, bool templateFileTab, bool outputFileTab)
{
    ClearCfgErrs();
    if (TzySD* sd = activeSD()) {
        const TzySCO& sco = sd->SCO;
        sd->DSM.SetRequired(sco.GenerateBL, sco.GenerateACT, sco.GenerateTGT, sco.GraphMH, sco.GraphCost);
        if (dataSourceFileTab)
            ValidateDataSourceFileTab();
        if (templateFileTab)
            ValidateTemplateFileTab();
        if (outputFileTab)
            ValidateOutputFileTab();
        ValidateOptionsTab();
        ValidateDataSourceMapTab();
        ValidateDataSourceFilterTab();
    }
    if (m_sink) {
        QStringList items;
        for (int i = 1; i <= Count(); ++i)
            items << QString::number(i);
        m_sink->ShowCfgErrItems(items, Count() > 0 ? 0 : -1);
    }
}

// The checks a Data Source File or Template File goes through; True when
// one of them recorded an error.
bool TzyDV::fileTabFile(int fldID)
{
    TzySCF& scf = activeSD()->SCF;
    const QString fldName = UIT(fldID);
    const bool isDataSource = fldID == 600;
    QString file = isDataSource ? scf.GetDataSourceFile() : scf.GetTemplateFile();
    auto store = [&](const QString& value) {
        if (isDataSource)
            scf.SetDataSourceFile(value);
        else
            scf.SetTemplateFile(value);
    };

    if (CheckMaxLength(fldName, file, kMaxFileName)) {
        // The shortened name is not the file the user named: the run must
        // not go ahead on it unseen.
        store(file.left(kMaxFileName));
        recordError(tabFiles, fldName, fldID, 0);
        return true;
    }
    if (CheckPath(fldName, file)) {
        recordError(tabFiles, fldName, fldID, 0);
        return true;
    }
    if (ValidateFileExtension(fldName, file)) {
        file = withExtension(file, Model::Prefs().GetDefaultXLExtnDot());
        store(file);
    }
    if (CheckFileExists(fldName, file)) {
        recordError(tabFiles, fldName, fldID, 0);
        return true;
    }
    return false;
}

// A worksheet name is cut to its longest, or recorded when it holds an
// illegal character; True when either happened.
bool TzyDV::worksheetField(int fldID, const QString& wsName, const std::function<void(const QString&)>& store)
{
    const QString fldName = UIT(fldID);
    if (CheckMaxLength(fldName, wsName, kMaxWorksheetName)) {
        store(wsName.left(kMaxWorksheetName));
        return true;
    }
    if (CheckWorksheetName(fldName, wsName)) {
        recordError(tabFiles, fldName, fldID, 0);
        return true;
    }
    return false;
}

void TzyDV::ValidateDataSourceFileTab()
{
    TzySD* sd = activeSD();
    if (!sd)
        return;
    TzySCF& scf = sd->SCF;
    fileTabFile(600);

    const QString password = scf.GetDataSourceFileOpenPassword();
    if (CheckMaxLength(UIT(602), password, kMaxPassword))
        scf.SetDataSourceFileOpenPassword(password.left(kMaxPassword));

    worksheetField(603, scf.TaskWS, [&](const QString& v) { scf.SetTaskWS(v); });

    const QString rowName = UIT(604);
    if (CheckTaskHeaderRow(UIT(600), scf.GetDataSourceFile(), rowName, scf.TaskHeaderRow)) {
        recordError(tabFiles, rowName, 604, 0);
        scf.ResetTaskHeaderRow();
    }
}

void TzyDV::ValidateTemplateFileTab()
{
    TzySD* sd = activeSD();
    if (!sd)
        return;
    TzySCF& scf = sd->SCF;
    const QString fileName = UIT(605);
    if (!fileTabFile(605)
        && CheckSameValue(fileName, scf.GetTemplateFile(), UIT(600), scf.GetDataSourceFile()))
        recordError(tabFiles, fileName, 605, 0);

    const QString password = scf.GetTemplateFileOpenPassword();
    if (CheckMaxLength(UIT(607), password, kMaxPassword))
        scf.SetTemplateFileOpenPassword(password.left(kMaxPassword));

    worksheetField(608, scf.ProjectSummaryWS, [&](const QString& v) { scf.SetProjectSummaryWS(v); });
    if (!worksheetField(609, scf.ChartDataWS, [&](const QString& v) { scf.SetChartDataWS(v); })
        && CheckSameValue(UIT(609), scf.ChartDataWS, UIT(608), scf.ProjectSummaryWS))
        recordError(tabFiles, UIT(609), 609, 0);
}

void TzyDV::ValidateOutputFileTab()
{
    TzySD* sd = activeSD();
    if (!sd)
        return;
    TzySCF& scf = sd->SCF;
    const QString fldName = UIT(610);
    QString file = scf.GetOutputFile();

    if (CheckMaxLength(fldName, file, kMaxFileName)) {
        // Saving under a shortened name would write somewhere the user did
        // not ask for.
        scf.SetOutputFile(file.left(kMaxFileName));
        recordError(tabFiles, fldName, 610, 0);
        return;
    }
    if (CheckPath(fldName, file)) {
        recordError(tabFiles, fldName, 610, 0);
        return;
    }
    const QString templateFile = scf.GetTemplateFile();
    if (CheckExtensionMatch(fldName, file, UIT(605), templateFile)) {
        file = withExtension(file, Utils::GetFileExt(templateFile, true));
        scf.SetOutputFile(file);
    } else if (CheckFileExtension(fldName, file)) {
        file = withExtension(file, Model::Prefs().GetDefaultXLExtnDot());
        scf.SetOutputFile(file);
    }
    if (CheckSameValue(fldName, file, UIT(600), scf.GetDataSourceFile()))
        recordError(tabFiles, fldName, 610, 0);
    if (CheckSameValue(fldName, file, UIT(605), templateFile))
        recordError(tabFiles, fldName, 610, 0);
    if (Utils::FileExists(fldName, file, true) && Utils::IsFileReadOnly(fldName, file))
        AddCfgErr(UIT(tabFiles), fldName, Utils::Format(UIT(712), {UIT(610)}), file, tabFiles, 610, 0);
}

void TzyDV::ValidateOptionsTab()
{
    TzySD* sd = activeSD();
    if (!sd)
        return;
    TzySCO& sco = sd->SCO;
    const bool noDataOption = CheckDataOptions(sco.GenerateBL, sco.GenerateACT, sco.GenerateTGT);
    if (noDataOption) {
        recordError(tabOptions, UIT(612), 612, 0);
        sco.SetGraphMH(false);
        sco.SetGraphCost(false);
    }
    if (CheckQuantityOptions(noDataOption, sco.GraphMH, sco.GraphCost))
        recordError(tabOptions, UIT(621), 621, 0);
    if (CheckCutOffDate(sco.CutOffDate)) {
        recordError(tabOptions, UIT(620), 620, 0);
        sco.SetCutOffDate(TzySCO::Today());
    }
}

void TzyDV::ValidateDataSourceMapTab()
{
    TzySD* sd = activeSD();
    if (!sd)
        return;
    TzyDSM& dsm = sd->DSM;
    const QString fileName = UIT(600);
    const QString file = sd->SCF.GetDataSourceFile();
    auto fieldName = [&](int i) { return Utils::Format(UIT(626), {dsm.getItems(i).Desc}); };

    std::vector<bool> columnOk(size_t(std::max(dsm.Count(), 0)) + 1, false);
    for (int i = 1; i <= dsm.Count(); ++i) {
        TzyDSMx& item = dsm.getItems(i);
        if (!item.Required)
            continue;
        if (CheckTaskFieldColumn(fileName, file, fieldName(i), item.GetTaskFld()))
            recordError(tabMap, fieldName(i), 624, i);
        else
            columnOk[size_t(i)] = true;
        const QString descName = Utils::Format(UIT(627), {item.Desc});
        const QString desc = item.GetTaskFldDesc();
        if (CheckMaxLength(descName, desc, kMaxDescription))
            item.SetTaskFldDesc(desc.left(kMaxDescription));
    }

    // Two columns the run reads must differ; an item the options do not
    // require is not read, so its column cannot clash.
    for (int i = 1; i < dsm.Count(); ++i) {
        if (!columnOk[size_t(i)])
            continue;
        const TzyDSMx& first = dsm.getItems(i);
        for (int j = i + 1; j <= dsm.Count(); ++j) {
            const TzyDSMx& later = dsm.getItems(j);
            if (!later.Required)
                continue;
            if (CheckSameValue(fieldName(j), later.GetTaskFld(), fieldName(i), first.GetTaskFld())) {
                recordError(tabMap, fieldName(j), 624, j);
                break;
            }
        }
    }
}

void TzyDV::ValidateDataSourceFilterTab()
{
    TzySD* sd = activeSD();
    if (!sd)
        return;
    TzyDSF& dsf = sd->DSF;
    if (!dsf.Enabled())
        return;
    const QString fileName = UIT(600);
    const QString file = sd->SCF.GetDataSourceFile();
    const int count = dsf.Count();
    auto rowText = [](int id, int row) { return Utils::Format(UIT(id), {row}); };

    if (CheckFilterDefined(true, count))
        recordError(tabFilter, UIT(637), 638, 0);

    std::vector<bool> invalid(size_t(count) + 1, false);
    for (int i = 1; i <= count; ++i) {
        TzyDSFx& row = dsf.getItems(i);
        if (CheckTaskFieldColumn(fileName, file, rowText(642, i), row.GetTaskFld())) {
            recordError(tabFilter, rowText(642, i), 638, i);
            invalid[size_t(i)] = true;
            continue;
        }
        const QString desc = row.GetTaskFldDesc();
        if (CheckMaxLength(rowText(643, i), desc, kMaxDescription))
            row.SetTaskFldDesc(desc.left(kMaxDescription));
        if (CheckFilterOperator(SDs->ActiveSD(), rowText(644, i), row.FilterOperator)) {
            recordError(tabFilter, rowText(644, i), 640, i);
            row.ResetFilterOperator();
            invalid[size_t(i)] = true;
            continue;
        }
        if (CheckFilterValueForOperator(row.FilterOperator, rowText(645, i), row.TaskFldValue)) {
            recordError(tabFilter, rowText(645, i), 641, i);
            invalid[size_t(i)] = true;
        }
    }

    // Contradictions: And binds tighter than Or, so two rows can exclude
    // each other only inside one run of And links.
    for (int i = 1; i < count; ++i) {
        if (invalid[size_t(i)])
            continue;
        const TzyDSFx& first = dsf.getItems(i);
        for (int j = i + 1; j <= count; ++j) {
            const TzyDSFx& later = dsf.getItems(j);
            if (!later.AndFlag)
                break;
            if (invalid[size_t(j)])
                continue;
            if (!Utils::SameText(first.GetTaskFld(), later.GetTaskFld()))
                continue;
            const bool sameValue = Utils::SameText(first.TaskFldValue, later.TaskFldValue);
            const QString op1 = TzyDSF::FilterOperatorToText(first.FilterOperator);
            const QString op2 = TzyDSF::FilterOperatorToText(later.FilterOperator);
            const bool fault = sameValue
                                   ? CheckFilterRowsExclusive(later.GetTaskFld(), rowText(646, j), op2,
                                                              later.TaskFldValue, first.GetTaskFld(),
                                                              rowText(646, i), op1, first.TaskFldValue)
                                   : CheckFilterRowsExclusive2(later.GetTaskFld(), rowText(646, j), op2,
                                                               later.TaskFldValue, first.GetTaskFld(),
                                                               rowText(646, i), op1, first.TaskFldValue);
            if (fault) {
                recordError(tabFilter, rowText(646, j), 638, j);
                invalid[size_t(j)] = true;
            }
        }
    }

    for (int i = 1; i < count; ++i) {
        if (invalid[size_t(i)])
            continue;
        const TzyDSFx& first = dsf.getItems(i);
        for (int j = i + 1; j <= count; ++j) {
            if (invalid[size_t(j)])
                continue;
            const TzyDSFx& later = dsf.getItems(j);
            if (CheckFilterRowsDuplicate(rowText(646, j), later.GetTaskFld(),
                                         TzyDSF::FilterOperatorToText(later.FilterOperator), later.TaskFldValue,
                                         rowText(646, i), first.GetTaskFld(),
                                         TzyDSF::FilterOperatorToText(first.FilterOperator), first.TaskFldValue)) {
                recordError(tabFilter, rowText(646, j), 638, j);
                invalid[size_t(j)] = true;
            }
        }
    }
}
