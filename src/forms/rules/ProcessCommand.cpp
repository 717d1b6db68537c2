#include "ProcessCommand.h"

#include "Utils.h"

#include <exception>

namespace ProcessCommand {

namespace {

constexpr int kDataSourceFileLabel = 600;
constexpr int kTemplateFileLabel = 605;

// Ends the run whatever way it is left.
class RunScope {
public:
    explicit RunScope(ISteps& s) : m_s(s) { m_s.BeginRun(); }
    ~RunScope() { m_s.EndRun(); }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

private:
    ISteps& m_s;
};

} // namespace

Outcome XferData(ISteps& s)
{
    s.HideHint();
    s.FocusPages();
    const int page = s.CurrentPage();
    if (page == kFilterPage)
        s.CompactFilter();
    s.SavePage(page);
    if (s.PromptOnProcess() && !s.ConfirmProcess())
        return Outcome::Declined;
    if (s.Validate() > 0) {
        s.ShowCfgErrs();
        // The page shows the definition again, corrections included.
        s.LoadPage(s.CurrentPage());
        s.UpdatePage(s.CurrentPage());
        return Outcome::CfgErrors;
    }
    if (s.XLMissing())
        return Outcome::NoServer;
    if (s.OCPCancelled(kDataSourceFileLabel, Utils::Trim(s.DataSourceFile()))
        || s.OCPCancelled(kTemplateFileLabel, Utils::Trim(s.TemplateFile())))
        return Outcome::OcpCancelled;

    bool processed = false;
    QString failure;
    bool failed = false;
    {
        RunScope run(s);
        try {
            processed = s.Run();
        } catch (const std::exception& e) {
            failed = true;
            failure = Utils::ExceptionMessage(e);
        } catch (...) {
            failed = true;
        }
    }
    // Reported and shown once the main form is usable again: a form owned by
    // a disabled window would be disabled with it.
    if (failed) {
        s.ReportFailure(failure);
        return Outcome::RunFailed;
    }
    if (!processed)
        return Outcome::RunFailed;
    s.ShowSummary();
    return Outcome::Processed;
}

} // namespace ProcessCommand
