#pragma once
// The order of the main form's Process command. Each step is the main form's
// (or a form's or the model's) business; this unit fixes only the order and
// where the command ends, so it can be checked with a recording fake.
#include <QString>

namespace ProcessCommand {

constexpr int kFilterPage = 3;

class ISteps {
public:
    virtual ~ISteps() = default;
    virtual void HideHint() = 0;
    // The pages' control takes the focus (the focused edit finishes first).
    virtual void FocusPages() = 0;
    virtual int CurrentPage() = 0;
    // Incomplete filter rows dropped, complete ones moved up; the page
    // updated at the grid's current row.
    virtual void CompactFilter() = 0;
    virtual void SavePage(int page) = 0;
    virtual bool PromptOnProcess() = 0;
    // "MF010"; false: the user answered No. Stores the "without prompting"
    // box in the preferences whatever the answer.
    virtual bool ConfirmProcess() = 0;
    // Validates the whole definition; the number of configuration errors.
    virtual int Validate() = 0;
    // The configuration-errors form, modal, filled from the error list.
    virtual void ShowCfgErrs() = 0;
    virtual void LoadPage(int page) = 0;
    virtual void UpdatePage(int page) = 0;
    // True when no spreadsheet server is installed (its message shown).
    virtual bool XLMissing() = 0;
    // True when the user chose Cancel for the workbook's compatibility check.
    virtual bool OCPCancelled(int labelId, const QString& file) = 0;
    virtual QString DataSourceFile() = 0;
    virtual QString TemplateFile() = 0;
    // Busy set, the main form disabled, the caption renewed.
    virtual void BeginRun() = 0;
    // The engine's run: true when the Output File was saved. May raise.
    virtual bool Run() = 0;
    // The main form enabled, busy cleared, the pages focused.
    virtual void EndRun() = 0;
    // A failure that left the engine: shown to the user.
    virtual void ReportFailure(const QString& details) = 0;
    virtual void ShowSummary() = 0;
};

// What the command came to.
enum class Outcome { Declined, CfgErrors, NoServer, OcpCancelled, RunFailed, Processed };

Outcome XferData(ISteps& s);

} // namespace ProcessCommand
