#include "BrowseCommands.h"

#include "UF_BrowseFld.h"
#include "UF_BrowseVal.h"
#include "UF_BrowseWS.h"
#include "Utils.h"
#include "zyDV.h"
#include "zyOCP.h"
#include "zyProcess.h"
#include "zySD.h"
#include "zyUIL.h"
#include "zyXL.h"

namespace BrowseCommands {

namespace {

std::function<void(bool)> g_busy;

TzySD& Active()
{
    return SDs->getItems(SDs->ActiveSD());
}

bool FileChecksFail(const QString& fileLabel, const QString& fileName)
{
    return XL->CheckXLMissing() || DV->ValidatePath(fileLabel, fileName)
           || DV->ValidateFileExists(fileLabel, fileName);
}

// Extracts the list when it is not loaded, shows the dialog, and again after
// a Refresh: 1 chosen, 2 cancelled, 0 stopped by the extraction.
int DialogLoop(const std::function<bool()>& loaded, const std::function<bool()>& extract,
               const std::function<int()>& show)
{
    for (;;) {
        if (!loaded() && !RunBusy(extract))
            return 0;
        const int r = show();
        if (r == TUF_Browse::mrSelect)
            return r;
        if (r != TUF_Browse::mrRefresh)
            return TUF_Browse::mrCancel;
    }
}

} // namespace

void CreateBrowseForms(QWidget* parent)
{
    UF_BrowseFld = new TUF_BrowseFld(parent);
    UF_BrowseVal = new TUF_BrowseVal(parent);
    UF_BrowseWS = new TUF_BrowseWS(parent);
}

void FreeBrowseForms()
{
    delete UF_BrowseWS;
    UF_BrowseWS = nullptr;
    delete UF_BrowseVal;
    UF_BrowseVal = nullptr;
    delete UF_BrowseFld;
    UF_BrowseFld = nullptr;
}

void SetBusyHook(std::function<void(bool)> hook)
{
    g_busy = std::move(hook);
}

bool RunBusy(const std::function<bool()>& extract)
{
    struct Restore {
        Restore() { if (g_busy) g_busy(true); }
        ~Restore() { if (g_busy) g_busy(false); }
    } restore;
    return extract();
}

TaskSource ActiveTaskSource()
{
    const TzySCF& scf = Active().SCF;
    TaskSource s;
    s.fileLabel = UIT(600);
    s.fileName = Utils::Trim(scf.GetDataSourceFile());
    s.password = scf.GetDataSourceFileOpenPassword();
    s.wsLabel = UIT(603);
    s.wsName = scf.TaskWS;
    s.rowLabel = UIT(604);
    s.headerRow = scf.TaskHeaderRow;
    return s;
}

WorksheetChoice BrowseWorksheet(const QString& fileLabel, const QString& fileName, const QString& password,
                                const QString& itemName, int wslIndex, int alignMode, const QString& current,
                                std::optional<QPoint> anchor)
{
    WorksheetChoice c;
    if (FileChecksFail(fileLabel, fileName) || OCP->CheckFile(fileLabel, fileName))
        return c;
    c.checksPassed = true;
    c.result = DialogLoop([&] { return Active().getWSL_Loaded(wslIndex); },
                          [&] { return Process->ExtractWorksheetNames(fileLabel, fileName, password, wslIndex); },
                          [&] {
                              UF_BrowseWS->SetWS(current);
                              UF_BrowseWS->Populate(fileLabel, itemName, wslIndex, alignMode, anchor);
                              return UF_BrowseWS->ShowModal();
                          });
    if (c.result == TUF_Browse::mrSelect)
        c.ws = UF_BrowseWS->WS;
    return c;
}

bool TaskFieldChecksFail(const TaskSource& s)
{
    return FileChecksFail(s.fileLabel, s.fileName) || DV->ValidateWorksheetName(s.wsLabel, s.wsName)
           || DV->ValidateTaskHeaderRow(s.fileLabel, s.fileName, s.rowLabel, s.headerRow)
           || OCP->CheckFile(s.fileLabel, s.fileName);
}

FieldChoice BrowseTaskField(const TaskSource& s, const QString& current, const QString& caption, int alignMode,
                            const QString& itemName, std::optional<QPoint> anchor)
{
    FieldChoice c;
    if (TaskFieldChecksFail(s))
        return c;
    c.result = DialogLoop([] { return Active().getFL_Loaded(); },
                          [&] {
                              return Process->ExtractTaskFields(s.fileLabel, s.fileName, s.password, s.wsLabel,
                                                                s.wsName, s.rowLabel, s.headerRow);
                          },
                          [&] {
                              UF_BrowseFld->SetTaskFld(current);
                              UF_BrowseFld->Populate(caption, alignMode, itemName, anchor);
                              return UF_BrowseFld->ShowModal();
                          });
    if (c.result == TUF_Browse::mrSelect) {
        c.taskFld = UF_BrowseFld->GetTaskFld();
        c.desc = UF_BrowseFld->GetTaskFldDesc();
        c.importDesc = UF_BrowseFld->ImportDesc;
    }
    return c;
}

int ValueListFor(const QString& taskFld)
{
    TzySD& sd = Active();
    const QString key = Utils::AsciiUpper(taskFld);
    for (int i = 1; i <= sd.getVL_Count(); ++i)
        if (Utils::AsciiUpper(sd.getVL_TaskFld(i)) == key)
            return i;
    const int i = sd.getVL_Count() + 1;
    sd.setVL_Count(i);
    sd.setVL_TaskFld(i, taskFld);
    return i;
}

ValueChoice BrowseTaskFieldValue(const TaskSource& s, const QString& taskFld, const QString& fieldName,
                                 const QString& current, std::optional<QPoint> anchor)
{
    ValueChoice c;
    if (FileChecksFail(s.fileLabel, s.fileName) || DV->ValidateWorksheetName(s.wsLabel, s.wsName)
        || DV->ValidateTaskHeaderRow(s.fileLabel, s.fileName, s.rowLabel, s.headerRow)
        || DV->ValidateTaskFieldColumn(s.fileLabel, s.fileName, fieldName, taskFld)
        || OCP->CheckFile(s.fileLabel, s.fileName))
        return c;
    const int vl = ValueListFor(taskFld);
    c.result = DialogLoop([vl] { return Active().getVL_Loaded(vl); },
                          [&] {
                              return Process->ExtractTaskFieldValues(s.fileLabel, s.fileName, s.password,
                                                                     s.wsLabel, s.wsName, taskFld, vl, s.rowLabel,
                                                                     s.headerRow);
                          },
                          [&] {
                              UF_BrowseVal->SetTaskFldValue(current);
                              UF_BrowseVal->Populate(vl, anchor);
                              return UF_BrowseVal->ShowModal();
                          });
    if (c.result == TUF_Browse::mrSelect)
        c.value = UF_BrowseVal->TaskFldValue;
    return c;
}

} // namespace BrowseCommands
