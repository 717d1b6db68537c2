#pragma once
// The program's own workbooks, made by driving a private LibreOffice server:
// the report template (Project Summary and Chart Data worksheets with the
// S-curve and histogram charts over the per-day block) and generated
// schedules that serve as the sample Data Source File, as test input and as
// benchmark load.
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <QDate>
#include <QString>

namespace tmpl {

// The worksheets and the block the template is laid out for.
inline const QString kProjectSummaryWS = QStringLiteral("Project Summary");
inline const QString kChartDataWS = QStringLiteral("Chart Data");
constexpr int kBlockFirstRow = 8;

// The report template. The report tables (RHs_PS, RFs_PS, RHs_CD, RFs_CD)
// must be loaded.
void MakeTemplate(const css::uno::Reference<css::uno::XComponentContext>& context,
                  const css::uno::Reference<css::frame::XDesktop2>& desktop, const QString& path);

// A schedule worksheet "Tasks" with the header in row 1 and the columns
//   A Task ID  B Description  C Area  D Discipline  E Baseline Start
//   F Baseline Finish  G Baseline Man Hours  H Baseline Cost  I Start
//   J Finish  K Man Hours  L Cost  M % Complete
// Dates are date cells, % Complete a percentage cell. Tasks before the data
// date have actual dates and progress; later ones keep their forecast.
struct ScheduleSpec {
    int tasks = 300;
    int years = 1;
    QDate start = QDate(2025, 1, 6);
    QDate dataDate = QDate(2025, 7, 4);
    unsigned seed = 20250106;
    QString password; // encrypts the file when set
    int fixedDays = 0; // > 0: every task starts on `start`, lasts this long, on time
};
void MakeSchedule(const css::uno::Reference<css::frame::XDesktop2>& desktop, const QString& path,
                  const ScheduleSpec& spec);

} // namespace tmpl
