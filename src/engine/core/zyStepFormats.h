#pragma once
// The two progress line formats of the plan under way: the progress display
// asks for them each time it writes a line.
#include <QString>

class TzyStepFormats {
public:
    // Chooses both formats for a plan of StepCount numbered steps (1..999);
    // other counts leave the last choice in place.
    void SetStepFormats(int StepCount);
    void GetStepFormat(QString& Fmt) const { Fmt = StepFmt; }
    void GetNoStepFormat(QString& Fmt) const { Fmt = NoStepFmt; }

    QString StepFmt;
    QString NoStepFmt;
};
