#pragma once
// The Process command and the way back from a configuration error to its
// page and control; the frame owns one (TUF_Main::ProcessCmd) and runs
// TUF_Main::XferData from the Process button. The command's order is the
// ProcessCommand rule's; this unit gives it the main form's steps.
#include "CfgErrNav.h"
#include "ProcessCommand.h"

#include <QObject>

#include <functional>
#include <memory>

class TUF_Main;

class TUF_MainProcess : public ProcessCommand::ISteps {
public:
    explicit TUF_MainProcess(TUF_Main& form);

    TUF_Main& F;

    // The engine's run of the active definition; tests put their own here.
    std::function<bool(int sdIndex)> RunProcess;
    // What the last command came to.
    ProcessCommand::Outcome LastOutcome = ProcessCommand::Outcome::Declined;

    // Brings the located control to the user (the page is already shown).
    void ShowControl(const CfgErrNav::Target& target);

    // Keeps the disabled main form from being activated during the run (its
    // activation would clear Busy); a disabled window takes no activation.
    std::unique_ptr<QObject> m_noActivation;

    // ProcessCommand::ISteps
    void HideHint() override;
    void FocusPages() override;
    int CurrentPage() override;
    void CompactFilter() override;
    void SavePage(int page) override;
    bool PromptOnProcess() override;
    bool ConfirmProcess() override;
    int Validate() override;
    void ShowCfgErrs() override;
    void LoadPage(int page) override;
    void UpdatePage(int page) override;
    bool XLMissing() override;
    bool OCPCancelled(int labelId, const QString& file) override;
    QString DataSourceFile() override;
    QString TemplateFile() override;
    void BeginRun() override;
    bool Run() override;
    void EndRun() override;
    void ReportFailure(const QString& details) override;
    void ShowSummary() override;
};
